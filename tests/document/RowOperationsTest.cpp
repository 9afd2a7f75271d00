#include "document/RowOperations.h"
#include "document/FieldRules.h"
#include "app/TextUtil.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

// A 100-channel plan under model 2 (Rx 136-173.995, Tx 144-145.995, step 6.25): channel
// n is "CH<n>" on 140 + n/10 MHz, with its option memory and PTT ID in columns 17/18.
class RowOperationsTest : public ::testing::Test {
protected:
    RowOperationsTest() {
        editor.selectModel(2);
        for (int row = 1; row <= 100; ++row) {
            editor.setActiveStatus(row);
            editor.InitialSingleLine(row);
            editor.setCell(row, colName, "CH" + std::to_string(row - 1));
            editor.setCell(row, colRxFreq, formatFixed(140 + ((row - 1) / 10.0), 4));
            doc.strChData.at(row, colOptMemory) = std::to_string(row % 8);
            doc.strChData.at(row, colPttId) = std::to_string(row % 2);
        }
        editor.restartHistory();
    }

    void takeOutOfUse(int row) {
        editor.ToggleChannelStatus(row);
        editor.restartHistory();
    }
    [[nodiscard]] std::string cell(int row, int column) const { return editor.cell(row, column); }
    [[nodiscard]] std::string stored(int row, int column) const {
        return doc.strChData.at(row, column);
    }
    [[nodiscard]] bool inUse(int row) const { return editor.isRowActive(row); }

    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
    FieldEditors fields{editor};
    RowOperations rows{editor, fields};
};

TEST_F(RowOperationsTest, InsertMovesWholeRowsAndTheReferencesToThem) {
    takeOutOfUse(100);
    editor.setCell(5, colRef, "12.5");
    editor.setCell(1, colPri, "04");   // channel 4, row 5: moves
    editor.setCell(103, colPri, "01"); // channel 1, before the new channel: stays
    takeOutOfUse(60);
    doc.strChData.at(60, colPri) = "70"; // a row not in use keeps its reference in the table
    editor.setCell(61, colPri, "59");    // to the channel not in use
    editor.restartHistory();

    ASSERT_TRUE(rows.insertChannel(3));

    EXPECT_EQ(cell(6, colName), "CH4");
    EXPECT_EQ(cell(6, colRef), "12.5");
    EXPECT_EQ(doc.rowStep(6), "12.5");
    EXPECT_EQ(stored(6, colOptMemory), "5");
    EXPECT_EQ(stored(6, colPttId), "1");
    EXPECT_EQ(cell(1, colPri), "05");
    EXPECT_EQ(cell(103, colPri), "01");
    EXPECT_FALSE(inUse(61));
    EXPECT_EQ(stored(61, colPri), "71");
    EXPECT_EQ(cell(62, colPri), "60");
    EXPECT_EQ(cell(100, colName), "CH98");
    EXPECT_EQ(cell(3, 0), "2"); // the labels stay

    // The new channel is one a reset leaves behind.
    EXPECT_FALSE(inUse(3));
    EXPECT_EQ(cell(3, colName), "---");
    EXPECT_EQ(doc.rowStep(3), "5");
    EXPECT_EQ(stored(3, colName), "");
    EXPECT_EQ(stored(3, colOptMemory), "0");
    EXPECT_EQ(stored(3, colPttId), "0");

    EXPECT_EQ(editor.history().undoName(), "Insert channel 2");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(cell(3, colName), "CH2");
    EXPECT_EQ(cell(1, colPri), "04");
    EXPECT_FALSE(editor.history().canUndo());
}

TEST_F(RowOperationsTest, InsertIsRefusedWhileChannel99IsInUse) {
    EXPECT_FALSE(rows.insertChannel(1));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.langText("ROWS", "14000"));
    EXPECT_EQ(cell(1, colName), "CH0");
    EXPECT_EQ(cell(100, colName), "CH99");
    EXPECT_FALSE(editor.history().canUndo());
}

TEST_F(RowOperationsTest, DeleteMovesTheFollowingChannelsUp) {
    editor.setCell(1, colPri, "02");   // deleted
    editor.setCell(2, colPri, "05");   // row 6: moves up two
    editor.setCell(104, colPri, "PL"); // no channel
    editor.setCell(101, colPri, "99");
    editor.restartHistory();

    ASSERT_TRUE(rows.deleteChannels({5, 3, 105, 3}));

    EXPECT_EQ(cell(1, colPri), "off");
    EXPECT_EQ(cell(2, colPri), "03");
    EXPECT_EQ(cell(104, colPri), "PL");
    EXPECT_EQ(cell(101, colPri), "97");
    EXPECT_EQ(cell(3, colName), "CH3");
    EXPECT_EQ(cell(4, colName), "CH5");
    EXPECT_EQ(stored(4, colOptMemory), "6");
    EXPECT_EQ(cell(98, colName), "CH99");
    EXPECT_FALSE(inUse(99));
    EXPECT_FALSE(inUse(100));
    EXPECT_EQ(editor.history().undoName(), "Delete 2 channels, close the gap");
}

TEST_F(RowOperationsTest, MrChannelFollowsItsChannelAndFallsBackWhenDeleted) {
    const auto mr = [&] { return app::splitFields(doc.strSetup, '|').at(3); };
    std::vector<std::string> setup = app::splitFields(doc.strSetup, '|');
    setup.at(3) = "5";
    doc.strSetup = app::joinFields(setup, '|');
    takeOutOfUse(100);

    ASSERT_TRUE(rows.insertChannel(3));
    EXPECT_EQ(mr(), "6");
    rows.moveUp({7});
    EXPECT_EQ(mr(), "5");
    // In use first, names descending: CH98 .. CH0 in rows 1..99, so CH5 is channel 93.
    ASSERT_TRUE(rows.sortChannels({colName, true, true}));
    EXPECT_EQ(cell(94, colName), "CH5");
    EXPECT_EQ(mr(), "93");
    EXPECT_TRUE(f.prompts.messages.empty());

    // Deleted with its channel: the radio starts from the new-document value, and the
    // delete says so.
    ASSERT_TRUE(rows.deleteChannels({94}));
    EXPECT_EQ(mr(), "0");
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], "Channel 93 was the radio's MR channel (MR No) and is gone, "
                                     "so MR No is now 0, as in a new document.");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(mr(), "93");
}

TEST_F(RowOperationsTest, ASelectionMovesAsABlock) {
    editor.setCell(10, colPri, "03"); // row 4, in the block
    editor.setCell(11, colPri, "01"); // row 2, the neighbour that jumps over the block
    editor.restartHistory();

    EXPECT_EQ(rows.moveUp({4, 3}), (std::vector<int>{2, 3}));
    EXPECT_EQ(cell(2, colName), "CH2");
    EXPECT_EQ(cell(3, colName), "CH3");
    EXPECT_EQ(cell(4, colName), "CH1");
    EXPECT_EQ(stored(4, colOptMemory), "2");
    EXPECT_EQ(cell(10, colPri), "02");
    EXPECT_EQ(cell(11, colPri), "03");
    EXPECT_EQ(editor.history().stepCount(), 1U);

    EXPECT_TRUE(rows.moveUp({1, 5}).empty()); // the block is at the top
    EXPECT_EQ(rows.moveDown({99, 100, 104}), std::vector<int>{});
    EXPECT_EQ(rows.moveDown({2, 3}), (std::vector<int>{3, 4}));
    EXPECT_EQ(cell(2, colName), "CH1");
    EXPECT_EQ(cell(10, colPri), "03");
}

TEST_F(RowOperationsTest, SortIsStableAndRenumbers) {
    editor.setCell(10, colRxFreq, "140.1");     // equal to channel 1: stays after it
    editor.setCell(50, colRxFreq, "173.99000"); // the highest
    editor.setCell(103, colPri, "49");          // channel 49 goes to the end of the plan
    takeOutOfUse(3);                            // sorts after every channel in use
    rows.sortChannels({colRxFreq, false, true});

    EXPECT_EQ(cell(1, colName), "CH0");
    EXPECT_EQ(cell(2, colName), "CH1");
    EXPECT_EQ(cell(3, colName), "CH9");
    EXPECT_EQ(cell(4, colName), "CH3");
    EXPECT_EQ(cell(99, colName), "CH49");
    EXPECT_FALSE(inUse(100));
    EXPECT_EQ(stored(100, colName), "CH2");
    EXPECT_EQ(cell(103, colPri), "98");
    EXPECT_EQ(cell(103, colName), ""); // the call channel does not move

    // Names with numbers in them sort as a reader expects; descending keeps that order.
    rows.sortChannels({colName, true, false});
    EXPECT_EQ(cell(1, colName), "CH99");
    EXPECT_EQ(cell(2, colName), "CH98");
    EXPECT_FALSE(inUse(98)); // "CH2", kept while not in use, sorts among the others
    EXPECT_EQ(stored(98, colName), "CH2");
    EXPECT_EQ(cell(100, colName), "CH0");
    EXPECT_EQ(editor.history().undoName(), "Sort channels");
    EXPECT_FALSE(rows.sortChannels({colAni, false, true}));
}

TEST_F(RowOperationsTest, BulkEditRunsEachRowsRule) {
    editor.setCell(3, colRef, "12.5");
    editor.setCell(4, colRef, "5");
    takeOutOfUse(5);

    // A typed receive frequency is snapped with each row's own step.
    const CellEntry rx{colRxFreq, "145.0126"};
    editor.putRxFrequency(2, rx.text);
    EXPECT_TRUE(rows.setColumn(2, {2, 3, 4, 5}, rx).empty());
    EXPECT_EQ(cell(2, colRxFreq), "145.01250");
    EXPECT_EQ(cell(3, colRxFreq), "145.01250");
    EXPECT_EQ(cell(4, colRxFreq), "145.01500");
    EXPECT_EQ(cell(4, colTxFreq), "145.01500");
    EXPECT_EQ(cell(5, colRxFreq), "---");
    EXPECT_EQ(editor.history().undoName(), "Edit Rx Freq. of 3 channels");
    EXPECT_EQ(editor.history().stepCount(), 1U);

    // Channel 99 has no scan-skip editor: refused and listed; a row not in use is left out.
    const CellEntry skip{colScanSkip, editor.words().scanSkip1};
    EXPECT_EQ(rows.setColumn(0, {99, 100, 101}, skip), std::vector<int>{100});
    EXPECT_EQ(cell(99, colScanSkip), editor.words().scanSkip1);
    EXPECT_EQ(cell(100, colScanSkip), editor.words().scanSkip0);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.langText("ROWS", "14001") + " 99");

    // A new option signal leaves no memory position its list does not have.
    doc.strChData.at(7, colOptMemory) = "50";
    doc.strChData.at(8, colOptMemory) = "5";
    rows.setColumn(0, {7, 8}, {colOptSignal, "DTMF"});
    EXPECT_EQ(stored(7, colOptSignal), "DTMF");
    EXPECT_EQ(cell(8, colOptSignal), "DTMF");
    EXPECT_EQ(stored(7, colOptMemory), "0");
    EXPECT_EQ(stored(7, colPttId), "0");
    EXPECT_EQ(stored(8, colOptMemory), "5");
    EXPECT_EQ(stored(9, colOptMemory), "1");

    rows.setColumn(0, {7, 8}, {colTxTone, "88.5", ToneList::Ctcss});
    EXPECT_EQ(cell(8, colTxTone), "C:88.5");
    rows.setColumn(0, {7, 8}, {colRef, "25"});
    EXPECT_EQ(doc.rowStep(8), "25");
    EXPECT_EQ(cell(8, colRxFreq), "140.70000");
}

TEST_F(RowOperationsTest, RepeaterOffsetSnapsAndChecksTheTransmitBand) {
    editor.setCell(2, colRxFreq, "145.6");
    editor.setCell(3, colRxFreq, "144.61");
    editor.setCell(3, colRef, "25");
    editor.setCell(4, colRxFreq, "150.0000"); // 149.4 lies outside the Tx band
    takeOutOfUse(5);
    const std::string before5 = stored(5, colTxFreq);

    EXPECT_EQ(rows.setRepeaterOffset({2, 3, 4, 5}, OffsetDirection::Minus, 0.6),
              std::vector<int>{4});
    EXPECT_EQ(cell(2, colTxFreq), "145.00000");
    EXPECT_EQ(cell(3, colTxFreq), "144.00000");
    EXPECT_EQ(cell(4, colTxFreq), "145.0000");
    EXPECT_EQ(stored(5, colTxFreq), before5);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_NE(f.prompts.messages[0].find("\"144 - 145.9950\""), std::string::npos);
    EXPECT_EQ(f.prompts.messages[0].substr(f.prompts.messages[0].size() - 2), " 3");
    EXPECT_EQ(editor.history().undoName(), "Set repeater offset");

    rows.setRepeaterOffset({2}, OffsetDirection::Simplex, 5);
    EXPECT_EQ(cell(2, colTxFreq), "145.60000");

    EXPECT_DOUBLE_EQ(RowOperations::parseOffset(" 0.6").value_or(-1), 0.6);
    EXPECT_FALSE(RowOperations::parseOffset("-0.6"));
    EXPECT_FALSE(RowOperations::parseOffset("0,6"));
    EXPECT_FALSE(RowOperations::parseOffset(""));
}

} // namespace
} // namespace vn574::document
