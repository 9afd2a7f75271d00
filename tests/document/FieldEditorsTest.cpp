#include "document/FieldEditors.h"
#include "document/ValueTables.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

app::OptionFlags allSignalling() {
    app::OptionFlags flags;
    flags.has5Tone = 1;
    flags.has2Tone = 1;
    flags.hasDtmf = 1;
    return flags;
}

class FieldEditorsTest : public ::testing::Test {
protected:
    test::EditorFixture f{"english.ini", allSignalling()};
    Editor& editor = f.editor;
    FieldEditors editors{f.editor};
    const ChannelWords& words = f.editor.words();

    // A click on a cell of a row, as the grid sends it; activates the row if needed.
    void activate(int row) {
        if (!editor.isRowActive(row)) {
            editor.cellClicked(row, colName);
        }
    }
};

TEST_F(FieldEditorsTest, NameIsFilteredCutToSevenAndWrittenAtOnce) {
    activate(5);
    EXPECT_EQ(editors.nameChanged(5, "AB?C-12345"), "ABC-123");
    EXPECT_EQ(editor.cell(5, colName), "ABC-123");
    // Lower-case letters of the allowed set stay as they came from a file; others go.
    EXPECT_EQ(editors.nameChanged(5, "kxA"), "xA");
    EXPECT_EQ(editor.cell(5, colName), "xA");
    // Multi-byte characters pasted through the platform never reach the cell.
    EXPECT_EQ(editors.nameChanged(5, "A\xC3\xA9"
                                     "B"),
              "AB");
}

TEST_F(FieldEditorsTest, FrequencyCommitRunsTheEntryRulesOfItsColumn) {
    editor.selectModel(2);
    activate(1);
    EXPECT_FALSE(editors.frequencyCommit(1, colTxFreq, "150"));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.windowMessage(9009) + "\"144 - 145.9950\"");
    EXPECT_EQ(editor.cell(1, colTxFreq), "145.0000");

    EXPECT_TRUE(editors.frequencyCommit(1, colRxFreq, "145.0126"));
    EXPECT_EQ(editor.cell(1, colRxFreq), "145.01250");
    EXPECT_EQ(editor.cell(1, colTxFreq), "145.01250");
}

TEST_F(FieldEditorsTest, StepListOpensOnTheCellOrTheStoredStep) {
    editor.selectModel(2);
    activate(1);
    EXPECT_EQ(editors.stepOpeningIndex(1), 1); // "6.25"

    // An inactive row shows "---": its stored step, if any, else entry 0.
    editor.document().strChData.at(30, colRef) = "12.5";
    EXPECT_EQ(editors.stepOpeningIndex(30), 4);
    editor.document().strChData.at(30, colRef) = "def";
    EXPECT_EQ(editors.stepOpeningIndex(30), 0);
}

TEST_F(FieldEditorsTest, StepChoiceSnapsAtOnceAndCommitKeepsTheRowStep) {
    editor.selectModel(2);
    activate(1);
    ASSERT_TRUE(editors.frequencyCommit(1, colRxFreq, "145.0126"));
    editors.stepChosen(1, "12.5");
    EXPECT_EQ(editor.cell(1, colRxFreq), "145.01250");
    editors.stepChosen(1, "50");
    EXPECT_EQ(editor.cell(1, colRxFreq), "145.00000");
    EXPECT_EQ(editor.cell(1, colRef), "6.25"); // the cell follows only on commit
    editors.stepCommit(1, "50");
    EXPECT_EQ(editor.cell(1, colRef), "50");
    EXPECT_EQ(editor.document().rowStep(1), "50");
}

TEST_F(FieldEditorsTest, ToneEditorWritesOnlyCompleteValues) {
    activate(3);
    EXPECT_EQ(FieldEditors::toneKindChosen("CTCSS"), ToneList::Ctcss);
    EXPECT_EQ(FieldEditors::toneKindChosen("DCS"), ToneList::Dcs);
    EXPECT_EQ(FieldEditors::toneKindChosen("off"), ToneList::Kind);

    // Choosing CTCSS and leaving the tone list untouched gives its entry 0.
    editors.toneCommit(3, colRxTone, ToneList::Kind, "CTCSS");
    EXPECT_EQ(editor.cell(3, colRxTone), "off");
    editors.toneCommit(3, colRxTone, ToneList::Ctcss,
                       FieldEditors::toneEntries(ToneList::Ctcss).front());
    EXPECT_EQ(editor.cell(3, colRxTone), "C:67.0");

    editors.toneCommit(3, colTxTone, ToneList::Dcs, "023I");
    EXPECT_EQ(editor.cell(3, colTxTone), "D:023I");
    editors.toneCommit(3, colTxTone, ToneList::Kind, "off");
    EXPECT_EQ(editor.cell(3, colTxTone), "off");
}

TEST_F(FieldEditorsTest, ListsOpenOnTheCellsValueOrShowItAsItIs) {
    activate(2);
    editor.setCell(2, colWideNarrow, words.narrow);
    ASSERT_EQ(editors.simpleListEntries(CellEditor::WideNarrow),
              (std::vector<std::string>{words.wide, words.narrow}));
    EXPECT_EQ(editors.simpleListOpeningIndex(2, CellEditor::WideNarrow), 1);
    EXPECT_EQ(editors.simpleListEntries(CellEditor::ScanSkip),
              (std::vector<std::string>{words.scanSkip0, words.scanSkip1}));
    editors.simpleListCommit(2, CellEditor::ScanSkip, words.scanSkip1);
    EXPECT_EQ(editor.cell(2, colScanSkip), words.scanSkip1);
    EXPECT_EQ(editors.simpleListOpeningIndex(2, CellEditor::ScanSkip), 1);
    editors.simpleListCommit(2, CellEditor::Bcl, "on");
    EXPECT_EQ(editors.simpleListOpeningIndex(2, CellEditor::Bcl), 1);
    EXPECT_EQ(editors.simpleListOpeningIndex(3, CellEditor::Bcl), FieldEditors::notAnEntry);
    // A word of the other language file is no entry; an empty shown text stores nothing.
    editor.setCell(2, colScanSkip, "other");
    EXPECT_EQ(editors.simpleListOpeningIndex(2, CellEditor::ScanSkip), FieldEditors::notAnEntry);
    editors.simpleListCommit(2, CellEditor::ScanSkip, "");
    EXPECT_EQ(editor.cell(2, colScanSkip), "other");

    // Tones: the kind list on the cell's kind, the tone list on its tone, else entry 0.
    editor.setCell(2, colRxTone, "D:023I");
    EXPECT_EQ(editors.toneOpeningIndex(2, colRxTone, ToneList::Kind), 2);
    EXPECT_EQ(entryAt(DcsCodeList(), editors.toneOpeningIndex(2, colRxTone, ToneList::Dcs)),
              "023I");
    EXPECT_EQ(editors.toneOpeningIndex(2, colRxTone, ToneList::Ctcss), 0);
    editor.setCell(2, colRxTone, "C:88.5");
    EXPECT_EQ(editors.toneOpeningIndex(2, colRxTone, ToneList::Kind), 1);
    EXPECT_EQ(entryAt(CtcssToneList(), editors.toneOpeningIndex(2, colRxTone, ToneList::Ctcss)),
              "88.5");
    EXPECT_EQ(editors.toneOpeningIndex(2, colRxTone, ToneList::Dcs), 0);
    editor.setCell(2, colRxTone, "C:88.4");
    EXPECT_EQ(editors.toneOpeningIndex(2, colRxTone, ToneList::Ctcss), FieldEditors::notAnEntry);
    EXPECT_EQ(editors.toneShownAsIs(2, colRxTone, ToneList::Ctcss), "88.4");

    // The priority list on the channel the cell names.
    activate(8);
    editor.setCell(2, colPri, "07");
    const auto entries = editors.priorityEntries();
    EXPECT_EQ(entries[static_cast<std::size_t>(editors.priorityOpeningIndex(2, entries))],
              "07: 245.5000");
    editor.setCell(2, colPri, "42");
    EXPECT_EQ(editors.priorityOpeningIndex(2, entries), FieldEditors::notAnEntry);
}

TEST_F(FieldEditorsTest, ShiftWritesOnForAnythingButOffAndNothingWhenEmpty) {
    activate(2);
    editors.simpleListCommit(2, CellEditor::Shift, "on");
    EXPECT_EQ(editor.cell(2, colShift), "on");
    editors.simpleListCommit(2, CellEditor::Shift, "");
    EXPECT_EQ(editor.cell(2, colShift), "on");
    editors.simpleListCommit(2, CellEditor::Shift, "off");
    EXPECT_EQ(editor.cell(2, colShift), "off");
}

TEST_F(FieldEditorsTest, PriorityListHoldsActiveChannelsCallAndVfo) {
    for (const int row : {1, 8, 43}) {
        activate(row);
    }
    editor.setCell(43, colRxFreq, "");
    const auto entries = editors.priorityEntries();
    ASSERT_EQ(entries.size(), 6U);
    EXPECT_EQ(entries[0], "off");
    EXPECT_EQ(entries[1], "00: 245.5000");
    EXPECT_EQ(entries[2], "07: 245.5000");
    EXPECT_EQ(entries[3], "42: 145.0000");
    EXPECT_EQ(entries[4], "CAL: 245.5000");
    EXPECT_EQ(entries[5], "VFO: 245.5000");

    activate(101);
    EXPECT_EQ(editors.priorityEntries()[4], "PL: 245.5000");

    editors.priorityCommit(8, entries[2]);
    EXPECT_EQ(editor.cell(8, colPri), "07");
    editors.priorityCommit(8, entries[5]);
    EXPECT_EQ(editor.cell(8, colPri), "VFO");
    editors.priorityCommit(8, "");
    EXPECT_EQ(editor.cell(8, colPri), "VFO");
    editors.priorityCommit(8, "off");
    EXPECT_EQ(editor.cell(8, colPri), "off");
}

TEST_F(FieldEditorsTest, OptionSignalOpensOnTheCellsSignalWhenItIsOffered) {
    activate(4);
    const auto& list = editor.optionSignalList();
    EXPECT_EQ(list[static_cast<std::size_t>(editors.optionSignalOpeningIndex(4))], "None");
    editors.optionSignalCommit(4, "2Tone");
    EXPECT_EQ(list[static_cast<std::size_t>(editors.optionSignalOpeningIndex(4))], "2Tone");

    // Without the 5-tone option a 5-tone channel from a file shows its signal as it is.
    test::EditorFixture plain;
    FieldEditors plainEditors{plain.editor};
    plain.editor.cellClicked(4, colName);
    plain.editor.setCell(4, colOptSignal, "5Tone");
    EXPECT_EQ(plainEditors.optionSignalOpeningIndex(4), FieldEditors::notAnEntry);
}

TEST_F(FieldEditorsTest, ChoosingFiveToneShowsBothFramesOnTheStoredPositions) {
    activate(6);
    auto& table = editor.document().strChData;
    table.at(6, colOptMemory) = "12";
    table.at(6, colPttId) = "2";
    editors.optionSignalChosen(6, "5Tone");
    const OptionSignalFrames& frames = editor.frames();
    EXPECT_TRUE(frames.fiveToneVisible);
    EXPECT_TRUE(frames.fiveTonePttIdVisible);
    EXPECT_FALSE(frames.dtmfVisible || frames.twoToneVisible || frames.dtmfPttIdVisible);
    EXPECT_EQ(frames.fiveToneMemory, 12);
    EXPECT_EQ(entryAt(FieldEditors::frameEntries(FrameList::FiveTonePttId), frames.fiveTonePttId),
              "EOT");

    // Damaged stored positions select entry 0 instead of running past the list.
    table.at(6, colOptMemory) = "150";
    table.at(6, colPttId) = "x";
    editors.optionSignalChosen(6, "DTMF-ANI");
    EXPECT_TRUE(frames.dtmfVisible && frames.dtmfPttIdVisible);
    EXPECT_FALSE(frames.fiveToneVisible || frames.fiveTonePttIdVisible);
    EXPECT_EQ(frames.dtmfMemory, 0);
    EXPECT_EQ(frames.dtmfPttId, 0);

    editors.optionSignalChosen(6, "None");
    EXPECT_FALSE(frames.anyVisible());
}

TEST_F(FieldEditorsTest, FramePicksGoToTheCurrentRowAndSurviveDeactivation) {
    activate(6);
    editors.optionSignalChosen(6, "2Tone");
    editors.optionSignalCommit(6, "2Tone");
    EXPECT_EQ(editor.cell(6, colOptSignal), "2Tone");
    EXPECT_EQ(editor.document().strChData.at(6, colOptSignal), "2Tone");

    editor.cellClicked(6, colOptSignal);
    editors.framePicked(FrameList::TwoToneMemory, 37);
    EXPECT_EQ(editor.document().strChData.at(6, colOptMemory), "37");
    editors.framePicked(FrameList::TwoToneMemory, 100); // not an entry: ignored
    EXPECT_EQ(editor.document().strChData.at(6, colOptMemory), "37");

    // Taking the row out of use stores the frame's memory with it.
    editor.cellClicked(6, colStatus);
    EXPECT_EQ(editor.document().strChData.at(6, colOptSignal), "2Tone");
    EXPECT_EQ(editor.document().strChData.at(6, colOptMemory), "37");

    editors.optionSignalCommit(6, "");
    EXPECT_EQ(editor.document().strChData.at(6, colOptSignal), "2Tone");
}

} // namespace
} // namespace vn574::document
