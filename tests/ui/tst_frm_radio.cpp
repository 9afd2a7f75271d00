#include "UiHarness.h"

#include "app/IniFile.h"
#include "support/TestEnvironment.h"
#include "document/Document.h"
#include "document/ValueTables.h"
#include "ui/AboutDialog.h"
#include "ui/ListEditor.h"
#include "ui/NameDelegate.h"
#include "ui/OptionSignalPanel.h"
#include "ui/ToneDelegate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace vn574;
using namespace vn574::document;
using app::Answer;
using app::Buttons;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// Picks entry `text` of a list with the keyboard, as a user choice.
void pick(QComboBox* list, const QString& text) {
    const int target = list->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    while (list->currentIndex() < target) {
        QTest::keyClick(list, Qt::Key_Down);
    }
    while (list->currentIndex() > target) {
        QTest::keyClick(list, Qt::Key_Up);
    }
    QCOMPARE(list->currentText(), text);
}

} // namespace

class TestFrmRadio : public QObject {
    Q_OBJECT
private slots:
    void startsWithModelNineAndItsTexts();
    void clicksActivateToggleAndOpenOnlyAllowedEditors();
    void deactivatingClearsPriReferencesToTheRow();
    void nameEditorFollowsTheTypingRules();
    void frequencyEditorsRejectAndAccept();
    void frequencyLeftAsUnchangedCellKeepsTheRow();
    void enterMovesOnWithoutOpeningTheNextEditor();
    void stepChoiceSnapsFrequenciesAtOnce();
    void toneEditorTakesTwoSteps();
    void listsOpenOnTheCellAndOnlyAChangeIsStored();
    void priorityListOffersTheRowsInUse();
    void optionSignalShowsFramesAndStoresPicks();
    void modelChangeFollowsEachAnswer_data();
    void modelChangeFollowsEachAnswer();
    void newAsksAndResets();
    void languageSwitchAsksFirstThenReloads();
    void closeAsksOnlyWhenModified();
    void scrollingEndsEditorsButShiftAndOptionSignal();
    void gridLockLiftsAfterTheTimer();
    void aboutBoxIsModalWithLanguageTexts();
};

void TestFrmRadio::startsWithModelNineAndItsTexts() {
    test::UiHarness ui;
    auto* selector = ui.window().findChild<QComboBox*>("Combo1");
    QCOMPARE(selector->count(), 32);
    QCOMPARE(selector->currentIndex(), 9);
    QCOMPARE(selector->currentText(), QString("VARDENBTD:Rx(220-259.9950) Tx(220-259.9950)"));
    QCOMPARE(ui.window().windowTitle(),
             q(ui.editor().langText("OTHERS", "70018")) + QStringLiteral(" - noname.vd[*]"));
    QCOMPARE(ui.window().findChild<QLabel*>("filename")->text(), QString("noname.vd"));
    QCOMPARE(ui.window().findChild<QLabel*>("StatusBar1Panel1")->text(),
             QString(" Current File: Noname.vd"));
    QCOMPARE(ui.window().findChild<QLabel*>("StatusBar1Panel2")->text(),
             q(ui.editor().langText("OTHERS", "70008")));
    QCOMPARE(ui.window().findChild<QLabel*>("LabelRange")->text(),
             QString("Frequency Range  118.0000 ---  173.9950"));
    QCOMPARE(action(ui, "NewBtn")->toolTip(), q(ui.editor().langText("Toolbar", "8000")));
    QVERIFY(!action(ui, "NewBtn")->icon().isNull());
    QVERIFY(!ui.window().optionSignalPanel()->isVisible());
}

void TestFrmRadio::clicksActivateToggleAndOpenOnlyAllowedEditors() {
    test::UiHarness ui;
    const ChannelWords& words = ui.editor().words();
    // Model 9: row 1 is out of use; a click from column 2 on brings it in with the
    // model's defaults but opens no editor yet.
    ui.click(1, colRxFreq);
    QCOMPARE(ui.cell(1, colStatus), words.active);
    QCOMPARE(ui.cell(1, colRxFreq), std::string("245.5000"));
    QVERIFY(ui.openEditor() == nullptr);
    QVERIFY(ui.editor().document().bModify);

    ui.click(1, colRxFreq);
    auto* box = ui.openEditorAs<QLineEdit>();
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), QString("245.5000"));
    QCOMPARE(box->selectedText(), QString("245.5000"));
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);

    // Rows 101 and 102 have no name editor; channel 99 has no scan-skip editor.
    ui.click(101, colName);
    ui.click(101, colName);
    QVERIFY(ui.openEditor() == nullptr);
    ui.click(100, colName);
    ui.click(100, colScanSkip);
    QVERIFY(ui.openEditor() == nullptr);
    ui.click(99, colName);
    ui.click(99, colScanSkip);
    QVERIFY(ui.openEditor() != nullptr);
    ui.leaveEditor();

    // The status column toggles the row; a click on column 1 of an inactive row
    // brings it in without an editor.
    ui.click(1, colStatus);
    QCOMPARE(ui.cell(1, colStatus), words.inactive);
    QCOMPARE(ui.cell(1, colName), std::string("---"));
    QCOMPARE(ui.editor().document().strChData.at(1, colRxFreq), std::string("245.5000"));
    ui.click(1, colStatus);
    QCOMPARE(ui.cell(1, colStatus), words.active);
    QCOMPARE(ui.cell(1, colRxFreq), std::string("245.5000"));
    QVERIFY(ui.openEditor() == nullptr);
}

void TestFrmRadio::deactivatingClearsPriReferencesToTheRow() {
    test::UiHarness ui;
    ui.click(5, colName); // channel 4
    ui.click(9, colName); // channel 8
    ui.click(9, colPri);
    auto* list = ui.openEditorAs<QComboBox>();
    QVERIFY(list != nullptr);
    pick(list, "04: 245.5000");
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(9, colPri), std::string("04"));
    // A stored inactive row referring to channel 4 is cleaned up as well.
    ui.editor().document().strChData.at(20, colPri) = "04";

    ui.click(5, colStatus);
    QCOMPARE(ui.cell(9, colPri), std::string("off"));
    QCOMPARE(ui.editor().document().strChData.at(20, colPri), std::string("off"));
}

void TestFrmRadio::nameEditorFollowsTheTypingRules() {
    test::UiHarness ui;
    ui.click(103, colName);
    auto* box = ui.openEditorAs<ui::NameEdit>();
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), QString());

    QTest::keyClicks(box, "ab?c");
    QCOMPARE(box->text(), QString("ABC"));
    QCOMPARE(ui.cell(103, colName), std::string("ABC")); // written at every change

    QApplication::clipboard()->setText("ZZZ");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(box->text(), QString("ABC"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(ui.cell(103, colName), std::string("AB"));

    QTest::keyClicks(box, "-de/xyz");
    QCOMPARE(box->text(), QString("AB-DE/X")); // seven at most
    QCOMPARE(box->cursorPosition(), 7);

    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(103, colName), std::string("AB-DE/X"));

    // A name that came from a file keeps its lower-case letters until edited; then the
    // filter drops what a name may not hold.
    ui.editor().setCell(103, colName, "kx");
    ui.click(103, colName);
    box = ui.openEditorAs<ui::NameEdit>();
    QCOMPARE(box->text(), QString("kx"));
    QCOMPARE(ui.cell(103, colName), std::string("kx"));
    QTest::keyClick(box, Qt::Key_1);
    QCOMPARE(box->text(), QString("x1"));
    QCOMPARE(ui.cell(103, colName), std::string("x1"));
}

void TestFrmRadio::frequencyEditorsRejectAndAccept() {
    test::UiHarness ui;
    ui.editor().selectModel(2);
    QVERIFY(ui.prompts.questions.empty());

    const auto enter = [&ui](int column, const char* text) {
        ui.click(1, column);
        auto* box = ui.openEditorAs<QLineEdit>();
        QVERIFY(box != nullptr);
        QTest::keyClicks(box, text); // replaces the selected text
        ui.leaveEditor();
        QTRY_VERIFY(ui.openEditor() == nullptr);
    };

    enter(colRxFreq, "abc");
    QCOMPARE(ui.prompts.messages.back(), ui.editor().windowMessage(9005));
    QCOMPARE(ui.cell(1, colRxFreq), std::string("155.0000"));

    enter(colRxFreq, "173.9951");
    QCOMPARE(ui.prompts.messages.back(), ui.editor().windowMessage(9006) + "\"136 - 173.9950\"");
    QCOMPARE(ui.cell(1, colRxFreq), std::string("155.0000"));

    enter(colRxFreq, "145.0126");
    QCOMPARE(ui.cell(1, colRxFreq), std::string("145.01250"));
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.01250"));

    enter(colRxFreq, "155");
    QCOMPARE(ui.cell(1, colRxFreq), std::string("155.00000"));
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.01250"));

    enter(colTxFreq, "150");
    QCOMPARE(ui.prompts.messages.back(), ui.editor().windowMessage(9009) + "\"144 - 145.9950\"");
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.01250"));
    QCOMPARE(ui.prompts.messages.size(), std::size_t{3});

    // The box holds nine characters at most.
    ui.click(1, colTxFreq);
    auto* box = ui.openEditorAs<QLineEdit>();
    QTest::keyClicks(box, "145.0000000");
    QCOMPARE(box->text(), QString("145.00000"));
    QTest::keyClick(box, Qt::Key_Enter);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.00000"));
}

void TestFrmRadio::frequencyLeftAsUnchangedCellKeepsTheRow() {
    test::UiHarness ui;
    ui.editor().selectModel(2);
    // A repeater channel with a receive frequency off the step grid.
    ui.editor().setCell(1, colRxFreq, "145.7260");
    ui.editor().setCell(1, colTxFreq, "145.1250");
    ui.editor().document().bModify = false;
    ui.editor().restartHistory();
    for (const int column : {colRxFreq, colTxFreq}) {
        ui.click(1, column);
        QVERIFY(ui.openEditorAs<QLineEdit>() != nullptr);
        ui.leaveEditor();
        QTRY_VERIFY(ui.openEditor() == nullptr);
        QCOMPARE(ui.cell(1, colRxFreq), std::string("145.7260"));
        QCOMPARE(ui.cell(1, colTxFreq), std::string("145.1250"));
        QVERIFY(!ui.editor().document().bModify);
    }
    QVERIFY(ui.prompts.messages.empty());

    // A new receive frequency runs the entry rules: snapped, and Tx follows.
    ui.click(1, colRxFreq);
    QTest::keyClicks(ui.openEditorAs<QLineEdit>(), "145.7");
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(1, colRxFreq), std::string("145.70000"));
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.70000"));
}

void TestFrmRadio::enterMovesOnWithoutOpeningTheNextEditor() {
    test::UiHarness ui;
    ui.click(103, colRef);
    auto* list = ui.openEditorAs<QComboBox>();
    QVERIFY(list != nullptr);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.grid().currentIndex(), ui.grid().model()->index(102, colRxFreq - 1));
    QVERIFY(ui.grid().hasFocus());

    ui.click(103, colRef);
    QTest::keyClick(ui.openEditor(), Qt::Key_Tab);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.grid().currentIndex().column(), colRxFreq - 1);
    // Space on the current cell acts as a click.
    QTest::keyClick(&ui.grid(), Qt::Key_Space);
    QVERIFY(ui.openEditorAs<QLineEdit>() != nullptr);
}

void TestFrmRadio::stepChoiceSnapsFrequenciesAtOnce() {
    test::UiHarness ui;
    ui.editor().setCell(104, colRxFreq, "245.5110");
    ui.click(104, colRef);
    auto* list = ui.openEditorAs<QComboBox>();
    QCOMPARE(list->currentText(), QString("5"));
    pick(list, "6.25"); // one key: one choice
    QCOMPARE(ui.cell(104, colRxFreq), std::string("245.51250"));
    QCOMPARE(ui.cell(104, colRef), std::string("5"));
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(104, colRef), std::string("6.25"));
    QCOMPARE(ui.editor().document().rowStep(104), std::string("6.25"));

    ui.click(104, colRef);
    QCOMPARE(ui.openEditorAs<QComboBox>()->currentText(), QString("6.25"));
}

void TestFrmRadio::toneEditorTakesTwoSteps() {
    test::UiHarness ui;
    ui.click(103, colRxTone);
    auto* tone = ui.openEditorAs<ui::ToneEditor>();
    QVERIFY(tone != nullptr);
    QComboBox* kind = tone->list(ToneList::Kind);
    QCOMPARE(kind->currentText(), QString("off"));
    pick(kind, "CTCSS");
    QComboBox* ctcss = tone->list(ToneList::Ctcss);
    QTRY_VERIFY(ctcss->hasFocus());
    QVERIFY(ctcss->isVisible());
    QCOMPARE(ctcss->currentText(), QString("67.0"));
    QVERIFY(ui.openEditor() == tone); // moving between the two lists ends nothing
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(103, colRxTone), std::string("C:67.0"));

    ui.click(103, colTxTone);
    tone = ui.openEditorAs<ui::ToneEditor>();
    pick(tone->list(ToneList::Kind), "DCS");
    QComboBox* dcs = tone->list(ToneList::Dcs);
    QTRY_VERIFY(dcs->hasFocus());
    pick(dcs, "023I");
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(103, colTxTone), std::string("D:023I"));

    // The kind list opens on the cell's kind, and the code list on its code.
    ui.click(103, colTxTone);
    tone = ui.openEditorAs<ui::ToneEditor>();
    QCOMPARE(tone->list(ToneList::Kind)->currentText(), QString("DCS"));
    emit tone->list(ToneList::Kind)->activated(tone->list(ToneList::Kind)->currentIndex());
    QCOMPARE(tone->list(ToneList::Dcs)->currentText(), QString("023I"));
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(103, colTxTone), std::string("D:023I"));
}

void TestFrmRadio::listsOpenOnTheCellAndOnlyAChangeIsStored() {
    test::UiHarness ui;
    Editor& editor = ui.editor();
    const ChannelWords& words = editor.words();
    constexpr int row = 71; // channel 70
    ui.click(row, colStatus);
    editor.setCell(row, colWideNarrow, words.narrow);
    editor.setCell(row, colScanSkip, words.scanSkip1);
    editor.setCell(row, colDcsDet, "on");
    editor.setCell(row, colBcl, "on");
    editor.setCell(row, colShift, "on");
    editor.setCell(row, colPri, "CAL");
    editor.setCell(row, colRxTone, "C:88.5");
    editor.setCell(row, colTxTone, "C:88.4"); // no tone of the list, as a file may hold
    editor.document().bModify = false;
    editor.restartHistory();
    const auto cells = [&ui] {
        std::vector<std::string> texts;
        for (int column = colName; column <= colOptSignal; ++column) {
            texts.push_back(ui.cell(row, column));
        }
        return texts;
    };
    const std::vector<std::string> before = cells();
    const auto unchanged = [&] {
        QTRY_VERIFY(ui.openEditor() == nullptr);
        QCOMPARE(cells(), before);
        QVERIFY(!editor.document().bModify);
        QVERIFY(!editor.history().canUndo());
    };

    for (const int column : {colWideNarrow, colScanSkip, colDcsDet, colBcl, colShift, colPri}) {
        // Opens on the cell's value; leaving it there stores nothing.
        ui.click(row, column);
        auto* list = ui.openEditorAs<QComboBox>();
        QVERIFY(list != nullptr);
        QVERIFY2(list->currentText().startsWith(q(ui.cell(row, column))),
                 QByteArray::number(column));
        ui.leaveEditor();
        unchanged();
        // Escape gives up even a pick.
        ui.click(row, column);
        list = ui.openEditorAs<QComboBox>();
        pick(list,
             list->itemText(0) == list->currentText() ? list->itemText(1) : list->itemText(0));
        QTest::keyClick(list, Qt::Key_Escape);
        unchanged();
    }

    // The tone list of the cell's kind opens on its tone; one that is no entry shows as
    // it is.
    for (const auto& [column, tone] :
         {std::pair{colRxTone, "88.5"}, std::pair{colTxTone, "88.4"}}) {
        ui.click(row, column);
        auto* editorWidget = ui.openEditorAs<ui::ToneEditor>();
        QComboBox* kind = editorWidget->list(ToneList::Kind);
        QCOMPARE(kind->currentText(), QString("CTCSS"));
        emit kind->activated(kind->currentIndex());
        QComboBox* ctcss = editorWidget->list(ToneList::Ctcss);
        QTRY_VERIFY(ctcss->hasFocus());
        QCOMPARE(ctcss->currentIndex() < 0 ? ctcss->placeholderText() : ctcss->currentText(),
                 QString(tone));
        ui.leaveEditor();
        unchanged();
    }

    // A typed name given up with Escape, and a frequency a rule refuses.
    ui.click(row, colName);
    QTest::keyClicks(ui.openEditor(), "X");
    QCOMPARE(ui.cell(row, colName), std::string("X"));
    QTest::keyClick(ui.openEditor(), Qt::Key_Escape);
    unchanged();
    ui.click(row, colRxFreq);
    QTest::keyClicks(ui.openEditor(), "999");
    ui.leaveEditor();
    unchanged();
    QCOMPARE(ui.prompts.messages.size(), std::size_t{1});

    // A pick that changes the cell is one step.
    ui.click(row, colWideNarrow);
    pick(ui.openEditorAs<QComboBox>(), q(words.wide));
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(row, colWideNarrow), words.wide);
    QVERIFY(editor.document().bModify);
    QCOMPARE(editor.history().stepCount(), std::size_t{1});
}

void TestFrmRadio::priorityListOffersTheRowsInUse() {
    test::UiHarness ui;
    for (const int row : {1, 8, 43}) {
        ui.click(row, colName);
    }
    ui.click(8, colPri);
    auto* list = ui.openEditorAs<QComboBox>();
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->currentText(), QString("off"));
    QCOMPARE(list->itemText(3), QString("42: 245.5000"));
    pick(list, "CAL: 245.5000");
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(8, colPri), std::string("CAL"));
}

void TestFrmRadio::optionSignalShowsFramesAndStoresPicks() {
    test::UiHarness ui("english.ini", test::allSignallingOptions());
    ui::OptionSignalPanel* panel = ui.window().optionSignalPanel();
    ui.click(7, colName);
    auto& table = ui.editor().document().strChData;
    table.at(7, colOptMemory) = "12";
    table.at(7, colPttId) = "2";

    ui.click(7, colOptSignal);
    auto* list = ui.openEditorAs<QComboBox>();
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->currentText(), QString("None"));
    pick(list, "5Tone");
    QTRY_VERIFY(panel->isVisible());
    QVERIFY(panel->frame(FrameList::FiveToneMemory)->isVisible());
    QVERIFY(panel->frame(FrameList::FiveTonePttId)->isVisible());
    QVERIFY(!panel->frame(FrameList::DtmfMemory)->isVisible());
    QCOMPARE(panel->list(FrameList::FiveToneMemory)->currentText(), QString("12"));
    QCOMPARE(panel->list(FrameList::FiveTonePttId)->currentText(), QString("EOT"));

    // Going to a frame's list ends the option-signal editor, which writes its signal.
    QComboBox* memory = panel->list(FrameList::FiveToneMemory);
    memory->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(ui.cell(7, colOptSignal), std::string("5Tone"));
    QCOMPARE(table.at(7, colOptSignal), std::string("5Tone"));
    pick(memory, "14");
    QCOMPARE(table.at(7, colOptMemory), std::string("14"));
    pick(panel->list(FrameList::FiveTonePttId), "BOTH");
    QCOMPARE(table.at(7, colPttId), std::string("3"));

    // The frames stay until a row is brought into use.
    ui.click(9, colName);
    QTRY_VERIFY(!panel->isVisible());

    ui.click(7, colOptSignal);
    QCOMPARE(ui.openEditorAs<QComboBox>()->currentText(), QString("5Tone"));
}

void TestFrmRadio::modelChangeFollowsEachAnswer_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes saves, then resets") << static_cast<int>(Answer::Yes);
    QTest::newRow("no resets") << static_cast<int>(Answer::No);
    QTest::newRow("cancel keeps the grid") << static_cast<int>(Answer::Cancel);
}

void TestFrmRadio::modelChangeFollowsEachAnswer() {
    QFETCH(int, answer);
    test::UiHarness ui;
    int saves = 0;
    ui.editor().setSaveHandler([&saves] {
        ++saves;
        return true;
    });
    ui.click(5, colName);
    QVERIFY(ui.editor().document().bModify);

    ui.prompts.answers.push_back(static_cast<Answer>(answer));
    auto* selector = ui.window().findChild<QComboBox*>("Combo1");
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Home); // one choice: model 0

    QCOMPARE(ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(ui.prompts.questions[0].text, ui.editor().windowMessage(9001));
    QCOMPARE(ui.prompts.questions[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(saves, answer == static_cast<int>(Answer::Yes) ? 1 : 0);
    if (answer == static_cast<int>(Answer::Cancel)) {
        // The selector goes back: nothing changed, nothing to undo but the click.
        QCOMPARE(selector->currentIndex(), 9);
        QCOMPARE(ui.editor().selectedModel(), 9);
        QCOMPARE(ui.editor().history().undoName(), ui.editor().stepName("95001", "4"));
        QCOMPARE(ui.cell(5, colStatus), ui.editor().words().active);
        QCOMPARE(ui.cell(1, colStatus), ui.editor().words().inactive);
        QCOMPARE(ui.cell(5, colRxFreq), std::string("245.5000"));
    } else {
        QCOMPARE(selector->currentIndex(), 0);
        QCOMPARE(ui.editor().selectedModel(), 0);
        QCOMPARE(ui.cell(5, colStatus), ui.editor().words().inactive);
        QCOMPARE(ui.cell(1, colRxFreq), std::string("27.0000"));
        QCOMPARE(ui.grid().model()->index(0, colRxFreq - 1).data().toString(), QString("27.0000"));
    }
}

void TestFrmRadio::newAsksAndResets() {
    test::UiHarness ui;
    action(ui, "Menu_New")->trigger();
    QVERIFY(ui.prompts.questions.empty()); // nothing to lose

    ui.click(103, colName);
    QTest::keyClicks(ui.openEditor(), "CALL");
    ui.prompts.answers.push_back(Answer::Cancel);
    action(ui, "NewBtn")->trigger();
    QVERIFY(ui.openEditor() == nullptr); // the editor was ended before asking
    QCOMPARE(ui.cell(103, colName), std::string("CALL"));

    ui.prompts.answers.push_back(Answer::No);
    action(ui, "Menu_New")->trigger();
    QCOMPARE(ui.prompts.questions.size(), std::size_t{2});
    QCOMPARE(ui.cell(103, colName), std::string());
    QVERIFY(!ui.editor().document().bModify);
}

void TestFrmRadio::languageSwitchAsksFirstThenReloads() {
    test::UiHarness ui;
    ui.click(5, colName);
    const std::string mysetup = ui.settings.paths.mysetupIni();

    ui.prompts.answers.push_back(Answer::Cancel);
    action(ui, "Menu_Chinese")->trigger();
    QCOMPARE(ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(ui.settings.language.currentFile(), std::string("english.ini"));
    QVERIFY(action(ui, "Menu_English")->isChecked());
    QCOMPARE(ui.cell(5, colStatus), std::string("Active"));

    ui.prompts.answers.push_back(Answer::No);
    action(ui, "Menu_Chinese")->trigger();
    QCOMPARE(ui.settings.language.currentFile(), std::string("chinese.ini"));
    QCOMPARE(app::IniFile::readString(mysetup, "language", "CurrentLanguage"),
             std::string("chinese.ini"));
    app::Language chinese(test::languageFolder(), "chinese.ini");
    QCOMPARE(ui.window().windowTitle(),
             q(chinese.text("OTHERS", "70018")) + QStringLiteral(" - noname.vd[*]"));
    QCOMPARE(ui.window().findChild<QGroupBox*>("Frame2")->title(),
             q(chinese.text("OTHERS", "70010")));
    QCOMPARE(action(ui, "Menu_New")->text(), q(chinese.text("Menu", "10000")));
    QCOMPARE(ui.cell(5, colStatus), chinese.text("Channel", "50016"));
    QCOMPARE(ui.grid().model()->headerData(2, Qt::Horizontal).toString(),
             q(chinese.text("Channel", "50003")));
    QVERIFY(action(ui, "Menu_Chinese")->isChecked());
    QVERIFY(!ui.editor().document().bModify);
}

void TestFrmRadio::closeAsksOnlyWhenModified() {
    {
        test::UiHarness ui;
        QVERIFY(ui.window().close());
        QVERIFY(ui.prompts.questions.empty());
    }
    test::UiHarness ui;
    int saves = 0;
    ui.editor().setSaveHandler([&saves] {
        ++saves;
        return true;
    });
    ui.click(5, colName);
    // Cancel (Escape in the real box) goes back to the editor with nothing lost.
    ui.prompts.answers = {Answer::Cancel, Answer::Yes};
    action(ui, "Menu_Exit")->trigger();
    QVERIFY(ui.window().isVisible());
    QCOMPARE(ui.cell(5, colStatus), ui.editor().words().active);
    QVERIFY(ui.editor().document().bModify);
    QCOMPARE(saves, 0);
    action(ui, "Menu_Exit")->trigger();
    QVERIFY(!ui.window().isVisible());
    QCOMPARE(ui.prompts.questions.size(), std::size_t{2});
    QCOMPARE(ui.prompts.questions[1].text, ui.editor().windowMessage(9001));
    QCOMPARE(ui.prompts.questions[1].buttons, Buttons::YesNoCancel);
    QCOMPARE(saves, 1);
}

void TestFrmRadio::scrollingEndsEditorsButShiftAndOptionSignal() {
    test::UiHarness ui;
    ui.click(2, colName);
    ui.click(2, colName);
    QTest::keyClicks(ui.openEditor(), "A");
    QScrollBar* bar = ui.grid().verticalScrollBar();
    bar->setValue(bar->value() + 5);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(2, colName), std::string("A"));

    ui.click(104, colShift);
    pick(ui.openEditorAs<QComboBox>(), "on");
    bar->setValue(0);
    QVERIFY(ui.openEditor() != nullptr);
    ui.leaveEditor();
    QTRY_COMPARE(ui.cell(104, colShift), std::string("on"));

    ui.editor().setCell(104, colWideNarrow, ui.editor().words().narrow);
    ui.click(104, colWideNarrow);
    pick(ui.openEditorAs<QComboBox>(), q(ui.editor().words().wide));
    bar->setValue(0);
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(104, colWideNarrow), ui.editor().words().wide);
}

void TestFrmRadio::gridLockLiftsAfterTheTimer() {
    test::UiHarness ui;
    ui.window().lockGrid();
    QVERIFY(!ui.grid().isEnabled());
    ui.click(1, colName); // ignored while locked
    QCOMPARE(ui.cell(1, colStatus), ui.editor().words().inactive);
    QTRY_VERIFY(ui.grid().isEnabled());
    ui.click(1, colName);
    QCOMPARE(ui.cell(1, colStatus), ui.editor().words().active);
}

void TestFrmRadio::aboutBoxIsModalWithLanguageTexts() {
    test::UiHarness ui;
    QString title;
    QString name;
    QTimer::singleShot(0, [&title, &name] {
        auto* about = qobject_cast<ui::AboutDialog*>(QApplication::activeModalWidget());
        QVERIFY(about != nullptr);
        title = about->windowTitle();
        name = about->findChild<QLabel*>("lblTitle")->text();
        about->accept();
    });
    action(ui, "Menu_About")->trigger();
    QCOMPARE(title, QString("About VN574"));
    QCOMPARE(name, q(ui.editor().langText("OTHERS", "70018")));
}

QTEST_MAIN(TestFrmRadio)
#include "tst_frm_radio.moc"
