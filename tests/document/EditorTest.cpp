#include "app/IniFile.h"
#include "app/TextUtil.h"
#include "document/Editor.h"
#include "document/ValueTables.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

using app::Answer;
using app::Buttons;

class EditorTest : public ::testing::Test {
protected:
    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
    const ChannelWords& words = f.editor.words();

    [[nodiscard]] std::string cell(int row, int column) const { return editor.cell(row, column); }
    [[nodiscard]] std::vector<std::string> rowCells(int row) const {
        std::vector<std::string> cells;
        for (int column = 1; column <= 16; ++column) {
            cells.push_back(editor.cell(row, column));
        }
        return cells;
    }
};

TEST_F(EditorTest, LoadSelectsModelNineWithNoChannelInUse) {
    EXPECT_EQ(editor.selectedModel(), 9);
    for (int row = 1; row <= 102; ++row) {
        EXPECT_EQ(cell(row, colStatus), words.inactive) << row;
        EXPECT_EQ(cell(row, colName), "---") << row;
        EXPECT_EQ(cell(row, colOptSignal), "---") << row;
    }
    EXPECT_EQ(cell(103, colStatus), "");
    EXPECT_EQ(cell(103, colRxFreq), "245.5000");
    EXPECT_EQ(cell(104, colRef), "5");
    EXPECT_EQ(cell(101, 0), "PL");
    EXPECT_EQ(cell(104, 0), "V");
    EXPECT_EQ(cell(0, colName), editor.langText("Channel", "50002"));
    EXPECT_FALSE(doc.bModify);
    EXPECT_TRUE(doc.BeReadReshow);
    EXPECT_EQ(editor.fileName(), "noname.vd");
    EXPECT_EQ(editor.statusPanel1(), " Current File: Noname.vd");
}

TEST_F(EditorTest, ResetRecordsAreTheNewDocumentRecords) {
    EXPECT_EQ(doc.strSetup,
              "setup|Frequency|VFO|0|3|Hi|----------------|----------------|----------------|"
              "----------------|----------------|----------------|100ms|60ms|60ms|1750Hz|off|"
              "----------------|off|off|Enable|Timer|High|off|Lock|50W|1|0");
    EXPECT_EQ(doc.strAutoDial, "Ad||||||||||");
    EXPECT_EQ(app::splitFields(doc.strSetup, '|').size(), 28U);
    EXPECT_EQ(app::splitFields(doc.strAutoDial, '|').size(), 11U);
}

TEST_F(EditorTest, ResetForOtherModelsKeepsChannelZeroInUseWithItsDefaults) {
    editor.selectModel(2);
    EXPECT_EQ(cell(1, colStatus), words.active);
    EXPECT_EQ(rowCells(1),
              (std::vector<std::string>{words.active, "", "6.25", "155.0000", "off", words.wide,
                                        "off", "off", words.scanSkip0, "off", "145.0000", "off",
                                        "off", "off", "off", "None"}));
    EXPECT_EQ(doc.rowStep(1), "6.25");
    EXPECT_EQ(doc.rowStep(2), "5");
    for (int row = 2; row <= 102; ++row) {
        EXPECT_EQ(cell(row, colStatus), words.inactive) << row;
    }
    // A newly activated row takes the model's defaults from the default line.
    editor.cellClicked(10, colName);
    EXPECT_EQ(cell(10, colRef), "6.25");
    EXPECT_EQ(cell(10, colRxFreq), "155.0000");
    EXPECT_EQ(cell(10, colTxFreq), "145.0000");

    editor.document().bModify = false;
    editor.selectModel(3);
    editor.cellClicked(10, colName);
    EXPECT_EQ(cell(10, colRef), "5");
    EXPECT_EQ(cell(10, colRxFreq), "155.0000");
    EXPECT_EQ(cell(10, colTxFreq), "155.0000");
}

TEST_F(EditorTest, ClickOnModelNineChannelZeroActivatesItWithDefaults) {
    EXPECT_EQ(editor.cellClicked(1, colRxFreq), CellEditor::None);
    EXPECT_EQ(cell(1, colStatus), words.active);
    EXPECT_EQ(cell(1, colRxFreq), "245.5000");
    EXPECT_EQ(cell(1, colOptSignal), "None");
    EXPECT_TRUE(doc.bModify);
    // The next click on the now active row opens its editor.
    EXPECT_EQ(editor.cellClicked(1, colRxFreq), CellEditor::RxFrequency);
}

TEST_F(EditorTest, EditorsOpenOnlyWhereTheRowRangeAllows) {
    for (const int row : {1, 100, 101, 102}) {
        editor.cellClicked(row, colRef); // activate
    }
    EXPECT_EQ(editor.cellClicked(100, colScanSkip), CellEditor::None);
    EXPECT_EQ(editor.cellClicked(99 + 0, colScanSkip), CellEditor::None); // row 99 is not active
    EXPECT_EQ(editor.cellClicked(1, colScanSkip), CellEditor::ScanSkip);
    EXPECT_EQ(editor.cellClicked(101, colName), CellEditor::None);
    EXPECT_EQ(editor.cellClicked(102, colName), CellEditor::None);
    EXPECT_EQ(editor.cellClicked(103, colName), CellEditor::Name);
    EXPECT_EQ(editor.cellClicked(104, colName), CellEditor::None);
    EXPECT_EQ(editor.cellClicked(104, colOptSignal), CellEditor::OptionSignal);
    EXPECT_EQ(editor.cellClicked(103, colStatus), CellEditor::None);
    EXPECT_EQ(editor.cellClicked(1, colTxTone), CellEditor::TxTone);
}

TEST_F(EditorTest, DeactivatingAChannelClearsEveryPriReferenceToIt) {
    editor.selectModel(2);
    for (const int row : {2, 5, 30}) {
        editor.cellClicked(row, colName);
    }
    editor.setCell(2, colPri, "04");
    editor.setCell(103, colPri, "04");
    editor.setCell(30, colPri, "PL");
    doc.strChData.at(60, colPri) = "04"; // a stored inactive row
    doc.strChData.at(61, colPri) = "4";
    editor.cellClicked(5, colStatus);
    EXPECT_EQ(cell(5, colStatus), words.inactive);
    EXPECT_EQ(cell(2, colPri), "off");
    EXPECT_EQ(cell(103, colPri), "off");
    EXPECT_EQ(cell(30, colPri), "PL");
    EXPECT_EQ(doc.strChData.at(60, colPri), "off");
    EXPECT_EQ(doc.strChData.at(61, colPri), "4");
    EXPECT_TRUE(doc.bModify);
}

TEST_F(EditorTest, ReactivatingRestoresFieldsButNotTheOptionSignal) {
    f.settings.optionFlags = app::OptionFlags{1, 1, 1, 0};
    editor.ReShowFunByRadio();
    editor.selectModel(2);
    editor.cellClicked(8, colName);
    editor.setCell(8, colName, "RPT1");
    editor.setCell(8, colWideNarrow, words.narrow);
    editor.setCell(8, colRxTone, "C:88.5");
    editor.setCell(8, colOptSignal, "5Tone");
    editor.frames().fiveToneMemory = 12;
    editor.frames().fiveTonePttId = 2;

    editor.cellClicked(8, colStatus); // out of use
    EXPECT_EQ(doc.strChData.at(8, colName), "RPT1");
    EXPECT_EQ(doc.strChData.at(8, colWideNarrow), "narrow");
    EXPECT_EQ(doc.strChData.at(8, colOptSignal), "5Tone");
    EXPECT_EQ(doc.strChData.at(8, colOptMemory), "12");
    EXPECT_EQ(doc.strChData.at(8, colPttId), "2");
    EXPECT_EQ(cell(8, colName), "---");

    editor.cellClicked(8, colStatus); // back in use
    EXPECT_EQ(cell(8, colName), "RPT1");
    EXPECT_EQ(cell(8, colWideNarrow), words.narrow);
    EXPECT_EQ(cell(8, colRxTone), "C:88.5");
    EXPECT_EQ(cell(8, colOptSignal), "None");
    EXPECT_EQ(doc.strChData.at(8, colOptSignal), "None");
}

TEST_F(EditorTest, ReadBufferShowsDefaultsForEmptyValuesAndDropsLeadingZeroOfFrequencies) {
    doc.strChData.at(20, colRxFreq) = "027.0000";
    doc.strChData.at(20, colTxFreq) = "";
    doc.strChData.at(20, colName) = "";
    editor.setActiveStatus(20);
    editor.ReadBuffer(20);
    EXPECT_EQ(cell(20, colRxFreq), "27.0000");
    EXPECT_EQ(cell(20, colTxFreq), "245.5000");
    EXPECT_EQ(cell(20, colName), "");
    EXPECT_EQ(cell(20, colWideNarrow), words.wide);
    EXPECT_EQ(cell(20, colScanSkip), words.scanSkip0);
}

TEST_F(EditorTest, UpdateAllArrayCopiesActiveRowsWithStoredWidthWords) {
    editor.cellClicked(3, colName);
    editor.setCell(3, colWideNarrow, words.narrow);
    editor.setCell(104, colName, "VFO");
    doc.strChData.at(4, colName) = "KEEP";
    editor.UpdateAllArray();
    EXPECT_EQ(doc.strChData.at(3, colStatus), "Active");
    EXPECT_EQ(doc.strChData.at(3, colWideNarrow), "narrow");
    EXPECT_EQ(doc.strChData.at(104, colStatus), "Active");
    EXPECT_EQ(doc.strChData.at(104, colName), "VFO");
    EXPECT_EQ(doc.strChData.at(4, colName), "KEEP");
}

TEST_F(EditorTest, ModelChangeAsksWhenModifiedAndFollowsTheAnswer) {
    editor.cellClicked(1, colName);
    editor.recordStep("click");
    ASSERT_TRUE(doc.bModify);
    const EditorState before = editor.currentState();

    // Cancel, and a save that did not happen, put the selector back: nothing changed,
    // nothing recorded.
    int saves = 0;
    bool saveWorks = false;
    std::vector<int> modelsSaved;
    editor.setSaveHandler([&] {
        ++saves;
        modelsSaved.push_back(editor.selectedModel());
        if (saveWorks) {
            doc.bModify = false;
        }
        return saveWorks;
    });
    f.prompts.answers = {Answer::Cancel, Answer::Yes};
    for (int attempt = 0; attempt < 2; ++attempt) {
        editor.selectModel(2);
        editor.recordStep("model", true);
        EXPECT_EQ(editor.selectedModel(), 9);
        EXPECT_TRUE(editor.currentState().sameContent(before));
        EXPECT_TRUE(doc.bModify);
        EXPECT_EQ(editor.history().stepCount(), 1U);
    }
    ASSERT_EQ(f.prompts.questions.size(), 2U);
    EXPECT_EQ(f.prompts.questions[0].text, editor.langText("MSG", "9001"));
    EXPECT_EQ(f.prompts.questions[0].buttons, Buttons::YesNoCancel);

    // Yes saves the document as it stands, with the model its channels were made for.
    saveWorks = true;
    f.prompts.answers = {Answer::Yes};
    editor.selectModel(3);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(modelsSaved, (std::vector<int>{9, 9}));
    EXPECT_EQ(editor.selectedModel(), 3);
    EXPECT_EQ(cell(1, colRxFreq), "155.0000");
    EXPECT_FALSE(doc.bModify);

    editor.cellClicked(5, colName);
    f.prompts.answers = {Answer::No};
    editor.selectModel(4);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(cell(5, colStatus), words.inactive);
}

TEST_F(EditorTest, ModelChangeAfterOpenKeepsTheDocumentOnce) {
    editor.cellClicked(7, colName);
    doc.bModify = false;
    doc.BeReadReshow = false;
    editor.selectModel(2);
    EXPECT_TRUE(doc.BeReadReshow);
    EXPECT_EQ(cell(7, colStatus), words.active);
    editor.selectModel(3);
    EXPECT_EQ(cell(7, colStatus), words.inactive);
}

TEST_F(EditorTest, NewAsksAndCancelKeepsEverything) {
    editor.cellClicked(7, colName);
    f.prompts.answers = {Answer::Cancel};
    editor.newDocument();
    EXPECT_EQ(cell(7, colStatus), words.active);
    f.prompts.answers = {Answer::No};
    editor.newDocument();
    EXPECT_EQ(cell(7, colStatus), words.inactive);
    EXPECT_FALSE(doc.bModify);
    editor.newDocument(); // not modified: no question
    EXPECT_EQ(f.prompts.questions.size(), 2U);
}

TEST_F(EditorTest, FrequencyEntryChecksSnapsAndFollowsTx) {
    editor.selectModel(2);
    editor.setCurrentCell(1, colRxFreq);
    EXPECT_TRUE(editor.enterRxFrequency(1, "145.0126"));
    EXPECT_EQ(cell(1, colRxFreq), "145.01250");
    EXPECT_EQ(cell(1, colTxFreq), "145.01250");

    EXPECT_TRUE(editor.enterRxFrequency(1, "155"));
    EXPECT_EQ(cell(1, colRxFreq), "155.00000");
    EXPECT_EQ(cell(1, colTxFreq), "145.01250");

    EXPECT_FALSE(editor.enterRxFrequency(1, "173.9951"));
    EXPECT_EQ(f.prompts.messages.back(), editor.langText("MSG", "9006") + "\"136 - 173.9950\"");
    EXPECT_EQ(cell(1, colRxFreq), "155.00000");

    EXPECT_FALSE(editor.enterRxFrequency(1, "14x"));
    EXPECT_EQ(f.prompts.messages.back(), editor.langText("MSG", "9005"));

    EXPECT_FALSE(editor.enterTxFrequency(1, "150"));
    EXPECT_EQ(f.prompts.messages.back(), editor.langText("MSG", "9009") + "\"144 - 145.9950\"");
    EXPECT_TRUE(editor.enterTxFrequency(1, "145.5"));
    EXPECT_EQ(cell(1, colTxFreq), "145.50000");
    EXPECT_EQ(cell(1, colRxFreq), "155.00000");
}

TEST_F(EditorTest, StepChangeSnapsBothFrequenciesAgain) {
    editor.selectModel(2);
    editor.setCell(1, colRxFreq, "145.0126");
    editor.setCell(1, colTxFreq, "145.0126");
    editor.changeStep(1, "5");
    EXPECT_EQ(cell(1, colRxFreq), "145.01500");
    EXPECT_EQ(doc.rowStep(1), "5");
    editor.changeStep(1, "");
    EXPECT_EQ(doc.rowStep(1), "5");
}

TEST_F(EditorTest, OptionSignalListFollowsTheInstalledOptions) {
    EXPECT_EQ(editor.optionSignalList(), std::vector<std::string>{"None"});
    EXPECT_FALSE(editor.dtmfMenuVisible());
    EXPECT_FALSE(editor.twoToneMenuVisible());
    EXPECT_FALSE(editor.fiveToneMenuVisible());
    f.settings.optionFlags = app::OptionFlags::fromFeatureByte(0xA0);
    editor.ReShowFunByRadio();
    EXPECT_EQ(editor.optionSignalList(),
              (std::vector<std::string>{"None", "DTMF", "DTMF-ANI", "5Tone"}));
    EXPECT_TRUE(editor.dtmfMenuVisible());
    EXPECT_FALSE(editor.twoToneMenuVisible());
    EXPECT_TRUE(editor.fiveToneMenuVisible());
}

TEST_F(EditorTest, LanguageSwitchAsksFirstThenReloadsTheWordsAndClears) {
    editor.cellClicked(1, colName);
    f.prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(editor.switchLanguage("chinese.ini"));
    EXPECT_EQ(f.settings.language.currentFile(), "english.ini");

    f.prompts.answers = {Answer::No};
    EXPECT_TRUE(editor.switchLanguage("chinese.ini"));
    EXPECT_EQ(
        app::IniFile::readString(f.settings.paths.mysetupIni(), "language", "CurrentLanguage"),
        "chinese.ini");
    const std::string chineseInactive =
        app::IniFile::readString(test::languageFolder() + "/chinese.ini", "Channel", "50016");
    EXPECT_EQ(editor.words().inactive, chineseInactive);
    EXPECT_EQ(cell(1, colStatus), chineseInactive);
    EXPECT_EQ(doc.strDefLine[5], editor.words().wide);
    EXPECT_FALSE(doc.bModify);
}

TEST_F(EditorTest, CloseAsksOnlyWhenModifiedAndCancelStaysOpen) {
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(f.prompts.questions.empty());
    editor.cellClicked(1, colName);
    int saves = 0;
    editor.setSaveHandler([&] {
        ++saves;
        return true;
    });
    f.prompts.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(f.prompts.questions.back().text, editor.windowMessage(9001));
    EXPECT_EQ(f.prompts.questions.back().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(doc.bModify);
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(saves, 1);
}

TEST_F(EditorTest, CellEditThatChangesNothingOrIsGivenUpLeavesNoTrace) {
    editor.cellClicked(3, colName);
    editor.recordStep("activate");
    editor.markSaved();
    const EditorState saved = editor.currentState();

    // The click on a cell of a row in use sets bModify; a refused entry undoes that.
    editor.cellClicked(3, colRxFreq);
    EXPECT_TRUE(doc.bModify);
    EXPECT_FALSE(editor.enterRxFrequency(3, "999"));
    editor.recordEdit("refused");
    EXPECT_FALSE(doc.bModify);

    // A name typed and a step chosen, then given up: all of it goes back.
    editor.cellClicked(3, colName);
    editor.setCell(3, colName, "X");
    editor.changeStep(3, "50");
    editor.cancelEdit();
    EXPECT_TRUE(editor.currentState().sameContent(saved));
    EXPECT_FALSE(doc.bModify);
    EXPECT_EQ(editor.history().undoName(), "activate");

    editor.setCell(3, colName, "Y");
    editor.recordEdit("typed");
    EXPECT_TRUE(doc.bModify);
    EXPECT_EQ(editor.history().undoName(), "typed");
}

TEST_F(EditorTest, TakeRowOutOfUseEmptiesItsStoredFields) {
    editor.selectModel(2);
    doc.strChData.at(1, colName) = "OLD";
    doc.strChData.at(1, colOptMemory) = "5";
    editor.takeRowOutOfUse(1);
    EXPECT_EQ(cell(1, colStatus), words.inactive);
    EXPECT_EQ(cell(1, colRxFreq), "---");
    EXPECT_EQ(doc.strChData.at(1, colName), "");
    EXPECT_EQ(doc.strChData.at(1, colOptMemory), "5");
    EXPECT_EQ(doc.rowStep(1), "5");
}

} // namespace
} // namespace vn574::document
