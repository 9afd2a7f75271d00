#include "../UiHarness.h"
#include "SignallingTestSupport.h"
#include "app/TextUtil.h"
#include "ui/signalling/Frm2Tone.h"
#include "ui/signalling/Frm5Tone.h"
#include "ui/signalling/FiveToneCallDialog.h"
#include "ui/signalling/SignallingKeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <map>
#include <memory>

using namespace vn574;
using namespace vn574::test;
using ui::signalling::Frm2Tone;
using ui::signalling::Frm5Tone;
using ui::signalling::FrmSpecial;
using ui::signalling::SignallingKeyFilter;

namespace {

QAction* menuEntry(const test::UiHarness& ui, const char* name) {
    auto* found = ui.window().findChild<QAction*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no menu entry %s", name);
    }
    return found;
}

// Opens the dialog of type T from its menu entry and drives it as a user would.
template <typename T>
void openFromMenu(const test::UiHarness& ui, const char* entry, std::function<void(T*)> drive) {
    whenModal<T>(std::move(drive));
    menuEntry(ui, entry)->trigger();
}

QTableView* gridOf(QWidget* dialog) {
    return child<QTableView>(dialog, "MSHFlexGrid1");
}

QString cellText(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

// The in-place editor open over a cell, if any.
template <typename T> T* cellEditor(QTableView* grid, int row, int column) {
    return qobject_cast<T*>(grid->indexWidget(grid->model()->index(row, column)));
}

std::string trimmedCode(const document::FiveToneRec& rec) {
    return app::trimmed(rec.code.str());
}

void chooseNext(QComboBox* list, int steps = 1) {
    list->setFocus();
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

// One change a user makes in each dialog that writes a part of the document on OK.
const std::map<QString, std::function<void(QDialog*)>>& dialogChanges() {
    static const std::map<QString, std::function<void(QDialog*)>> changes{
        {"Menu_RadioOption", [](QDialog* d) { chooseNext(child<QComboBox>(d, "Combo_TXPOWER")); }},
        {"Menu_AutoDiaer", [](QDialog* d) { retype(child<QLineEdit>(d, "Text1"), "12"); }},
        {"mnuDTMF", [](QDialog* d) { retype(child<QLineEdit>(d, "Text1_0"), "5"); }},
        {"mnu2Tone",
         [](QDialog* d) {
             clickCell(gridOf(d), 0, 1);
             QTest::keyClicks(cellEditor<QLineEdit>(gridOf(d), 0, 1), "1000");
         }},
        {"mnu5Tone",
         [](QDialog* d) {
             clickCell(gridOf(d), 3, 2);
             QTest::keyClicks(cellEditor<QLineEdit>(gridOf(d), 3, 2), "77");
         }},
    };
    return changes;
}

} // namespace

class TestSignallingDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::UiHarness> m_ui;
    document::Editor& editor() { return m_ui->editor(); }
    document::Document& doc() { return m_ui->editor().document(); }

private slots:
    void init() {
        m_ui = std::make_unique<test::UiHarness>("english.ini", test::allSignallingOptions());
    }
    void cleanup() { m_ui.reset(); }

    void menuEntriesFollowTheInstalledOptions() {
        QAction* twoTone = menuEntry(*m_ui, "mnu2Tone");
        QAction* fiveTone = menuEntry(*m_ui, "mnu5Tone");
        QCOMPARE(twoTone->text(), QStringLiteral("2 &Tone"));
        QCOMPARE(fiveTone->text(), QStringLiteral("5 T&One"));
        QVERIFY(twoTone->isVisible());
        QVERIFY(fiveTone->isVisible());
        m_ui->settings.optionFlags = app::OptionFlags{1, 0, 0, 0};
        editor().ReShowFunByRadio();
        QVERIFY(!twoTone->isVisible());
        QVERIFY(fiveTone->isVisible());
        m_ui->settings.optionFlags = app::OptionFlags{};
        editor().ReShowFunByRadio();
        QVERIFY(!fiveTone->isVisible());

        test::UiHarness plain;
        QVERIFY(!menuEntry(plain, "mnu2Tone")->isVisible());
        QVERIFY(!menuEntry(plain, "mnu5Tone")->isVisible());
    }

    void keyFilterAcceptsOnlyEachBoxsCharacters() {
        using A = SignallingKeyFilter::Accept;
        const auto typed = [](A accept, const char* keys) {
            QLineEdit box;
            SignallingKeyFilter::install(&box, accept);
            QTest::keyClicks(&box, keys);
            return box.text();
        };
        QCOMPARE(typed(A::Digits, "7a9"), QStringLiteral("79"));
        QCOMPARE(typed(A::SpecialId, "1aB"), QStringLiteral("1A"));
        QCOMPARE(typed(A::Message, "z 9"), QStringLiteral("Z9"));

        QLineEdit edit;
        SignallingKeyFilter::install(&edit, A::HexCode);
        QTest::keyClicks(&edit, "1a-g2");
        QCOMPARE(edit.text(), QStringLiteral("1A2"));
        QApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("1A"));
    }

    void fiveToneOkWritesWhatWasEntered() {
        bool driven = false;
        openFromMenu<Frm5Tone>(*m_ui, "mnu5Tone", [&](Frm5Tone* shown) {
            Frm5Tone& dialog = *shown;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("5-Tone Settings"));
            QTRY_VERIFY(dialog.isActiveWindow());
            auto* selfId = child<QLineEdit>(&dialog, "Text2");
            QCOMPARE(selfId->text(), QStringLiteral("12345"));
            retype(selfId, QStringLiteral("98x"));
            QTest::keyClick(selfId, Qt::Key_Return); // moves on: the ID is padded
            QCOMPARE(selfId->text(), QStringLiteral("98000"));
            QVERIFY(!selfId->hasFocus());

            auto* standard = child<QComboBox>(&dialog, "Combo1_1");
            standard->setFocus();
            for (int k = 0; k < 9; ++k) {
                QTest::keyClick(standard, Qt::Key_Down);
            }
            QCOMPARE(standard->currentText(), QStringLiteral("EEA"));
            QCOMPARE(child<QComboBox>(&dialog, "Combo1_3")->currentText(), QStringLiteral("40"));
            QVERIFY(child<QPlainTextEdit>(&dialog, "Text1")->toPlainText().startsWith("EEA\n"));

            QTableView* grid = gridOf(&dialog);
            clickCell(grid, 0, 2);
            auto* code = cellEditor<QLineEdit>(grid, 0, 2);
            QVERIFY(code != nullptr);
            QVERIFY(code->hasFocus());
            QTest::keyClicks(code, "11223");
            clickCell(grid, 1, 2);
            QCOMPARE(cellText(grid, 0, 2), QStringLiteral("1E2E3"));
            QVERIFY(cellEditor<QLineEdit>(grid, 0, 2) == nullptr);
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 1, 2), "ab");

            clickCell(grid, 2, 3);
            auto* list = cellEditor<QComboBox>(grid, 2, 3);
            QVERIFY(list != nullptr);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_End); // MODAT, 40 ms
            QCOMPARE(cellText(grid, 2, 4), QStringLiteral("40"));

            auto* ptt = child<QLineEdit>(&dialog, "Text4_1");
            retype(ptt, QStringLiteral("5566"));
            QTest::keyClick(ptt, Qt::Key_Tab);
            QCOMPARE(ptt->text(), QStringLiteral("5E6E"));
            driven = true;
            click(&dialog, "CommandOK");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        });
        QVERIFY(driven);

        const document::ToneData& data = doc().toneData;
        QCOMPARE(data.selfId.str(), std::string("98000"));
        QCOMPARE(int(data.selfIdStd), 9);
        QCOMPARE(int(data.selfIdTime), 4);
        QCOMPARE(trimmedCode(data.fiveToneMem[0]), std::string("1E2E3"));
        QCOMPARE(trimmedCode(data.fiveToneMem[1]), std::string("AB"));
        QCOMPARE(int(data.fiveToneMem[2].std), 12);
        QCOMPARE(int(data.fiveToneMem[2].toneTime), 4);
        QCOMPARE(trimmedCode(data.pttIdEot), std::string("5E6E"));
        QVERIFY(doc().bModify);
    }

    void fiveToneCancelKeepsTheDocument() {
        const document::ToneData before = doc().toneData;
        openFromMenu<Frm5Tone>(*m_ui, "mnu5Tone", [&](Frm5Tone* shown) {
            Frm5Tone& dialog = *shown;
            QTRY_VERIFY(dialog.isActiveWindow());
            auto* selfId = child<QLineEdit>(&dialog, "Text2");
            retype(selfId, QStringLiteral("4"));
            QTableView* grid = gridOf(&dialog);
            clickCell(grid, 3, 2); // leaves the ID
            QCOMPARE(selfId->text(), QStringLiteral("40000"));
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 3, 2), "77");
            clickCell(grid, 4, 2);
            click(&dialog, "CommandCANCEL");
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        });
        QVERIFY(doc().toneData == before);
    }

    void dialogOkMarksModified_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("change");
        QTest::addColumn<bool>("ok");
        for (const char* name :
             {"Menu_RadioOption", "Menu_AutoDiaer", "mnuDTMF", "mnu2Tone", "mnu5Tone", "special"}) {
            const QString entry = QString::fromLatin1(name);
            QTest::newRow(qPrintable(entry + " ok")) << entry << false << true;
            QTest::newRow(qPrintable(entry + " change cancel")) << entry << true << false;
            QTest::newRow(qPrintable(entry + " change ok")) << entry << true << true;
        }
    }

    void dialogOkMarksModified() {
        QFETCH(QString, entry);
        QFETCH(bool, change);
        QFETCH(bool, ok);
        editor().selectModel(2); // channel 0 in use
        // The emergency alarm of memory 7 on channel 0 is already set up.
        doc().strChData.at(1, document::colOptSignal) = "5Tone";
        doc().strChData.at(1, document::colOptMemory) = "7";
        editor().setCell(1, document::colOptSignal, "5Tone");
        // The option record as the dialog writes it: a new document's hyphen runs come
        // back as values, which is a change of the record.
        doc().strSetup = "setup|Frequency|VFO|0|3|Hi|Enable|Enable|Enable|Enable|Enable|Enable|"
                         "100ms|60ms|60ms|1750Hz|off|off|off|off|Enable|Timer|High|off|Lock|50W|"
                         "1|0";
        doc().bModify = false;
        editor().restartHistory(); // as a document just opened

        const bool special = entry == QStringLiteral("special");
        bool driven = false;
        whenModal<QDialog>([&](QDialog* dialog) {
            QTRY_VERIFY(dialog->isActiveWindow());
            if (special) {
                // The alarm writes the channel at once, whatever the 5-tone editor does.
                clickCell(gridOf(dialog), change ? 8 : 7, 3);
                whenModal<FrmSpecial>([&](FrmSpecial* call) {
                    QTRY_VERIFY(call->isActiveWindow());
                    chooseNext(child<QComboBox>(call, "Combo1_1")); // Emergency Alarm
                    click(call, ok ? "CommandOK" : "CommandCANCEL");
                });
                click(dialog, "Command1");
                click(dialog, "CommandCANCEL");
            } else {
                if (change) {
                    dialogChanges().at(entry)(dialog);
                }
                click(dialog, ok ? "CommandOK" : "CommandCANCEL");
            }
            driven = !dialog->isVisible();
        });
        menuEntry(*m_ui, special ? "mnu5Tone" : qPrintable(entry))->trigger();
        QVERIFY(driven);
        QCOMPARE(doc().bModify, change && ok);
    }

    void fiveToneStaleEditNeverOverwritesASpecialCall() {
        openFromMenu<Frm5Tone>(*m_ui, "mnu5Tone", [&](Frm5Tone* dialog) {
            QTRY_VERIFY(dialog->isActiveWindow());
            QTableView* grid = gridOf(dialog);
            clickCell(grid, 2, 2); // memory 2
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 2, 2), "123");
            QWheelEvent wheel(grid->viewport()->rect().center(),
                              grid->viewport()->mapToGlobal(grid->viewport()->rect().center()), {},
                              {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &wheel);
            QVERIFY(grid->verticalScrollBar()->value() > 0);
            QVERIFY(cellEditor<QLineEdit>(grid, 2, 2) == nullptr);
            QCOMPARE(cellText(grid, 2, 2), QStringLiteral("123"));

            whenModal<FrmSpecial>([&](FrmSpecial* special) {
                QTRY_VERIFY(special->isActiveWindow());
                QCOMPARE(child<QComboBox>(special, "Combo1_0")->currentText(), QStringLiteral("2"));
                chooseNext(child<QComboBox>(special, "Combo1_1"), 3); // ANI
                retype(child<QLineEdit>(special, "Text1_1"), QStringLiteral("54321"));
                click(special, "CommandOK");
            });
            click(dialog, "Command1");
            QCOMPARE(cellText(grid, 2, 1), QStringLiteral("ANI"));
            clickCell(grid, 5, 3); // another cell, then OK: neither writes the old code
            QCOMPARE(cellText(grid, 2, 1), QStringLiteral("ANI"));
            click(dialog, "CommandOK");
        });
        QCOMPARE(trimmedCode(doc().toneData.fiveToneMem[2]), std::string("E354321E12345"));
    }

    void specialCallsFromTheFiveToneEditor() {
        openFromMenu<Frm5Tone>(*m_ui, "mnu5Tone", [&](Frm5Tone* shown) {
            Frm5Tone& dialog = *shown;
            QTRY_VERIFY(dialog.isActiveWindow());
            QTableView* grid = gridOf(&dialog);
            clickCell(grid, 5, 2); // memory 5

            // A data message into the memory of the current row; a short ID first.
            whenModal<FrmSpecial>([&](FrmSpecial* special) {
                QTRY_VERIFY(special->isActiveWindow());
                QCOMPARE(child<QComboBox>(special, "Combo1_0")->currentText(), QStringLiteral("5"));
                QVERIFY(child<QGroupBox>(special, "Frame2")->isVisible());
                QVERIFY(!child<QGroupBox>(special, "Frame4")->isVisible());
                auto* id = child<QLineEdit>(special, "Text1_0");
                retype(id, QStringLiteral("2345"));
                click(special, "CommandOK");
                QVERIFY(special->isVisible());
                const std::string warning = editor().langText("MSG", "900C");
                QCOMPARE(m_ui->prompts.messages, (std::vector<std::string>{warning, warning}));
                retype(id, QStringLiteral("23456"));
                retype(child<QLineEdit>(special, "Text2"), QStringLiteral("ab!"));
                click(special, "CommandOK");
            });
            click(&dialog, "Command1");
            QCOMPARE(cellText(grid, 5, 1), QStringLiteral("Data Message"));
            QCOMPARE(cellText(grid, 5, 2), QStringLiteral("23456 Message:AB"));

            // ANI on the PTT ID end code, with the own ID as now typed.
            whenModal<FrmSpecial>([&](FrmSpecial* special) {
                QTRY_VERIFY(special->isActiveWindow());
                QCOMPARE(child<QLabel>(special, "Label1_0")->text(), QStringLiteral("PTTID END"));
                QVERIFY(!child<QComboBox>(special, "Combo1_0")->isVisible());
                auto* kind = child<QComboBox>(special, "Combo1_1");
                kind->setFocus();
                QTest::keyClick(kind, Qt::Key_Down);
                QTest::keyClick(kind, Qt::Key_Down);
                QTest::keyClick(kind, Qt::Key_Down);
                QCOMPARE(kind->currentText(), QStringLiteral("ANI"));
                QVERIFY(child<QGroupBox>(special, "Frame4")->isVisible());
                retype(child<QLineEdit>(special, "Text1_1"), QStringLiteral("54321"));
                click(special, "CommandOK");
            });
            click(&dialog, "Command3");
            QCOMPARE(child<QLineEdit>(&dialog, "Text4_1")->text(), QStringLiteral("E354321E12345"));

            // A special call is removed by double-clicking it, after a question.
            m_ui->prompts.answers.push_back(app::Answer::Ok);
            const QRect rect = grid->visualRect(grid->model()->index(5, 2));
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
            QCOMPARE(m_ui->prompts.questions.size(), std::size_t{1});
            QCOMPARE(cellText(grid, 5, 1), QString());
            QVERIFY(cellEditor<QLineEdit>(grid, 5, 2) != nullptr);

            // A cancelled special call writes nothing.
            whenModal<FrmSpecial>([&](FrmSpecial* special) { click(special, "CommandCANCEL"); });
            click(&dialog, "Command2");
            QCOMPARE(child<QLineEdit>(&dialog, "Text4_0")->text(), QString());
            click(&dialog, "CommandOK");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        });
        QCOMPARE(trimmedCode(doc().toneData.fiveToneMem[5]), std::string());
        QCOMPARE(trimmedCode(doc().toneData.pttIdEot), std::string("E354321E12345"));
        QCOMPARE(int(doc().toneData.pttIdEot.codeLen), 13);
    }

    void emergencyAlarmSetsTheChannel() {
        editor().selectModel(2); // channel 0 in use
        openFromMenu<Frm5Tone>(*m_ui, "mnu5Tone", [&](Frm5Tone* shown) {
            Frm5Tone& dialog = *shown;
            QTRY_VERIFY(dialog.isActiveWindow());
            clickCell(gridOf(&dialog), 7, 3);
            whenModal<FrmSpecial>([&](FrmSpecial* special) {
                QTRY_VERIFY(special->isActiveWindow());
                auto* kind = child<QComboBox>(special, "Combo1_1");
                kind->setFocus();
                QTest::keyClick(kind, Qt::Key_Down);
                QVERIFY(child<QGroupBox>(special, "Frame3")->isVisible());
                QCOMPARE(child<QComboBox>(special, "Combo2")->currentText(), QStringLiteral("0"));
                click(special, "CommandOK");
            });
            click(&dialog, "Command1");
            QCOMPARE(cellText(gridOf(&dialog), 7, 1), QStringLiteral("Emergency Alarm"));
            click(&dialog, "CommandOK");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        });
        QCOMPARE(doc().strChData.at(1, document::colOptSignal), std::string("5Tone"));
        QCOMPARE(doc().strChData.at(1, document::colOptMemory), std::string("7"));
        QCOMPARE(editor().cell(1, document::colOptSignal), std::string("5Tone"));
        QCOMPARE(trimmedCode(doc().toneData.fiveToneMem[7]), std::string("E212345"));
    }

    void twoToneOkWritesWhatWasEntered() {
        openFromMenu<Frm2Tone>(*m_ui, "mnu2Tone", [&](Frm2Tone* shown) {
            Frm2Tone& dialog = *shown;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("2-Tone Settings"));
            QTRY_VERIFY(dialog.isActiveWindow());
            QTableView* grid = gridOf(&dialog);
            clickCell(grid, 0, 2); // a second tone needs a first one
            QVERIFY(cellEditor<QLineEdit>(grid, 0, 2) == nullptr);
            auto* first = cellEditor<QLineEdit>(grid, 0, 1);
            QVERIFY(first != nullptr);
            QTest::keyClicks(first, "1x000");
            clickCell(grid, 1, 1);
            QCOMPARE(cellText(grid, 0, 1), QStringLiteral("1000"));
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 1, 1), "99");
            clickCell(grid, 0, 2);
            QCOMPARE(cellText(grid, 1, 1), QStringLiteral("280"));
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 0, 2), "5000");

            auto* interval = child<QComboBox>(&dialog, "Combo1_3");
            QCOMPARE(interval->currentText(), QStringLiteral("1000"));
            interval->setFocus(); // commits nothing: the cell stays open
            QTest::keyClick(interval, Qt::Key_Down);

            child<QTabWidget>(&dialog, "SSTab1")->setCurrentIndex(1);
            auto* type = child<QComboBox>(&dialog, "Combo2_0");
            type->setFocus();
            QTest::keyClick(type, Qt::Key_End);
            QTest::keyClick(type, Qt::Key_Up); // Long B
            QCOMPARE(type->currentText(), QStringLiteral("Long B"));
            QVERIFY(!child<QLineEdit>(&dialog, "Text2_0")->isEnabled());
            auto* boxB = child<QLineEdit>(&dialog, "Text2_1");
            QVERIFY(boxB->isEnabled());
            retype(boxB, QString());
            QTest::keyClick(boxB, Qt::Key_Enter);
            QCOMPARE(boxB->text(), QStringLiteral("2000"));
            retype(boxB, QStringLiteral("1000"));
            click(&dialog, "CommandOK");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        });
        const document::ToneData& data = doc().toneData;
        QVERIFY(data.twoToneMem[0] == (document::TwoToneRec{14, 102, 4, 162, 4, 8}));
        QCOMPARE(int(data.twoToneMem[1].div1Hi), 51);
        QCOMPARE(int(data.twoToneSet[3]), 11);
        QCOMPARE(int(data.twoToneType), 13);
        QCOMPARE(int(data.toneADivLo), 51);
        QCOMPARE(int(data.toneAFrac), 2);
        QCOMPARE(int(data.toneBDivHi), 0);
        QCOMPARE(int(data.toneBDivLo), 0);
    }

    void twoToneCancelKeepsTheDocument() {
        const document::ToneData before = doc().toneData;
        openFromMenu<Frm2Tone>(*m_ui, "mnu2Tone", [&](Frm2Tone* shown) {
            Frm2Tone& dialog = *shown;
            QTRY_VERIFY(dialog.isActiveWindow());
            QTableView* grid = gridOf(&dialog);
            clickCell(grid, 2, 1);
            QTest::keyClicks(cellEditor<QLineEdit>(grid, 2, 1), "700");
            clickCell(grid, 3, 1);
            child<QTabWidget>(&dialog, "SSTab1")->setCurrentIndex(1);
            retype(child<QLineEdit>(&dialog, "Text2_0"), QStringLiteral("400"));
            click(&dialog, "CommandCANCEL");
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        });
        QVERIFY(doc().toneData == before);
    }
};

QTEST_MAIN(TestSignallingDialogs)
#include "tst_signallingdialogs.moc"
