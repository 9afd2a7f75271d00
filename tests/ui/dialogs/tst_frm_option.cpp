#include "ui/dialogs/Frm_Option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/TestEnvironment.h"
#include "DialogTestSupport.h"

#include <memory>

using vn574::ui::Frm_Option;

class TestFrmOption : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vn574::test::EditorFixture> f;

    static QComboBox* list(const Frm_Option& dialog, const char* name) {
        return dialog.findChild<QComboBox*>(QLatin1String(name));
    }
    static QCheckBox* check(const Frm_Option& dialog, const char* name) {
        return dialog.findChild<QCheckBox*>(QLatin1String(name));
    }
    static void press(const Frm_Option& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }

private slots:
    void init() { f = std::make_unique<vn574::test::EditorFixture>(); }
    void cleanup() { f.reset(); }

    void opensTheNewDocumentRecordWithCaptionsFromTheLanguage() {
        Frm_Option dialog(f->editor);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Option Data"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Indication Mode:"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label24"))->text(),
                 QStringLiteral("Power Select:"));
        QCOMPARE(check(dialog, "CheckAftersound")->text(),
                 QStringLiteral("Aftersound Elimination"));

        QCOMPARE(list(dialog, "Combo_Indication")->currentText(), QStringLiteral("Frequency"));
        QCOMPARE(list(dialog, "Combo_SQLNo")->currentText(), QStringLiteral("3"));
        for (const char* name : {"Combo_SCANStart", "Combo_MoniKey", "Combo_TBSTOutput"}) {
            QCOMPARE(list(dialog, name)->currentText(), QStringLiteral("Enable"));
            QVERIFY(!list(dialog, name)->isEnabled());
        }
        QVERIFY(!list(dialog, "Combo_Timeoutpenalty")->isEnabled());
        QCOMPARE(list(dialog, "Combo_Timeouttimer")->currentText(), QStringLiteral("Off"));
        QCOMPARE(list(dialog, "Combo_Timeouttimer")->count(), 16);
        QCOMPARE(list(dialog, "Combo_Timeouttimer")->itemText(15), QStringLiteral("7m30sec"));
        QVERIFY(check(dialog, "CheckModelLock")->isChecked());
        QVERIFY(check(dialog, "CheckScrambler")->isChecked());
        QCOMPARE(list(dialog, "Combo_PowerSelect")->currentText(), QStringLiteral("50W"));
    }

    void userChoicesReachTheDocumentOnOk() {
        auto& doc = f->editor.document();
        Frm_Option dialog(f->editor);
        const int result = vn574::test::runModal(dialog, [&] {
            auto* vfo = list(dialog, "Combo_VFO");
            vn574::test::chooseWithKeys(vfo, 2); // CALL
            vn574::test::chooseWithKeys(list(dialog, "Combo_Indication"), 1);
            // Channel mode: the channel choice is switched off but kept.
            QCOMPARE(vfo->currentIndex(), -1);
            QCOMPARE(vfo->placeholderText(), QStringLiteral("----------------"));
            QVERIFY(!vfo->isEnabled());
            auto* scan = list(dialog, "Combo_SCANStart");
            QVERIFY(scan->isEnabled());
            QCOMPARE(scan->currentText(), QStringLiteral("Disable"));
            vn574::test::chooseWithKeys(list(dialog, "Combo_KeyLockChange"), 1);

            auto* penalty = list(dialog, "Combo_Timeoutpenalty");
            vn574::test::chooseWithKeys(list(dialog, "Combo_Timeouttimer"), 2);
            QVERIFY(penalty->isEnabled());
            vn574::test::chooseWithKeys(penalty, 7);
            vn574::test::chooseWithKeys(list(dialog, "Combo_MRNo"), 12);
            vn574::test::chooseWithKeys(list(dialog, "Combo_SeMode"), 2);
            QTest::mouseClick(check(dialog, "CheckModelLock"), Qt::LeftButton);
            QTest::mouseClick(check(dialog, "CheckAftersound"), Qt::LeftButton);
            press(dialog, "CommandOK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(doc.strSetup,
                 std::string("setup|Channel|CALL|12|3|Hi|Disable|Disable|Enable|Disable|Disable|"
                             "Disable|100ms|60ms|60ms|1750Hz|1m00sec|7sec|off|off|Enable|Timer|"
                             "High|Dly|Unlock|50W|1|1"));
        QVERIFY(doc.bModify);
    }

    void emptyRecordOpensFreshAndOkWritesTheFreshValues() {
        auto& doc = f->editor.document();
        doc.strSetup.clear();
        Frm_Option dialog(f->editor);
        vn574::test::runModal(dialog, [&] {
            QCOMPARE(list(dialog, "Combo_SCANStart")->currentIndex(), -1);
            QCOMPARE(list(dialog, "Combo_VFO")->currentText(), QStringLiteral("MR"));
            press(dialog, "CommandOK");
        });
        QCOMPARE(doc.strSetup,
                 std::string("setup|Frequency|MR|0|0|Hi|Disable|Disable|Disable|Disable|Disable|"
                             "Disable|1s|60ms|60ms|1000Hz|off|off|off|off|Disable|Timer|High|off|"
                             "Unlock|25W|1|0"));
    }

    void cancelLeavesTheRecordAsItWas() {
        auto& doc = f->editor.document();
        doc.strSetup = "setup|Channel|odd";
        const std::string before = doc.strSetup;
        Frm_Option dialog(f->editor);
        const int result = vn574::test::runModal(dialog, [&] {
            vn574::test::chooseWithKeys(list(dialog, "Combo_Indication"), 0);
            vn574::test::chooseWithKeys(list(dialog, "Combo_TXPOWER"), 2);
            QTest::mouseClick(check(dialog, "CheckScrambler"), Qt::LeftButton);
            press(dialog, "CommandCANCEL");
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(doc.strSetup, before);
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frm_option.moc"
