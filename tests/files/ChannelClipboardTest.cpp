#include "files/ChannelClipboard.h"

#include "document/ValueTables.h"
#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vn574::files {
namespace {

using namespace document;
using ::testing::HasSubstr;

app::OptionFlags dtmfOption() {
    app::OptionFlags flags;
    flags.hasDtmf = 1;
    return flags;
}

// Model 9 (started with): Rx and Tx 220-259.9950, default 245.5000 with step 5.
class ChannelClipboardTest : public ::testing::Test {
protected:
    test::EditorFixture f{"english.ini", dtmfOption()};
    Editor& editor = f.editor;
    ChannelTable& table = f.editor.document().strChData;
    ChannelClipboard clipboard{f.editor};

    void putInUse(int row, const std::string& name, const std::string& rx) {
        editor.ToggleChannelStatus(row);
        editor.setCell(row, colName, name);
        ASSERT_TRUE(editor.enterRxFrequency(row, rx));
        editor.recordStep("setup");
    }
    [[nodiscard]] std::vector<std::string> rowCells(int row) const {
        std::vector<std::string> cells;
        for (int column = colStatus; column <= colOptSignal; ++column) {
            cells.push_back(editor.cell(row, column));
        }
        cells.push_back(table.at(row, colOptMemory));
        cells.push_back(table.at(row, colPttId));
        return cells;
    }
};

TEST_F(ChannelClipboardTest, RowsPastedElsewhereAreTheSameRowsAndOneUndoTakesThemBack) {
    putInUse(3, "RPT", "230.1250");
    editor.setCell(3, colOptSignal, "DTMF-ANI");
    table.at(3, colOptSignal) = "DTMF-ANI";
    table.at(3, colOptMemory) = "2";
    table.at(3, colPttId) = "1";
    editor.setCell(3, colPri, "CAL");
    putInUse(4, "B", "250.0000");
    const EditorState before = editor.currentState();

    const ClipboardPayload copied = clipboard.copyRows({3, 4});
    EXPECT_THAT(copied.text, HasSubstr("RPT\t5\t230.12500"));
    EXPECT_THAT(copied.csv, HasSubstr("2,RPT,230.125000"));
    const PasteResult pasted = clipboard.pasteRows(20, copied.rows);
    EXPECT_TRUE(pasted.refusals.empty()) << clipboard.refusalMessage(pasted);
    EXPECT_EQ(rowCells(20), rowCells(3));
    EXPECT_EQ(rowCells(21), rowCells(4));
    EXPECT_EQ(editor.history().undoName(), "Paste 2 channels");

    const EditorState after = editor.currentState();
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(editor.currentState().sameContent(before));
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(editor.currentState().sameContent(after));

    // V has no name; rows beyond V are no rows: what does not fit is reported.
    const PasteResult atEnd = clipboard.pasteRows(rowVfo, copied.rows);
    ASSERT_EQ(atEnd.refusals.size(), 2U);
    EXPECT_THAT(clipboard.refusalMessage(atEnd),
                HasSubstr("Channel V, Name: \"RPT\" - this row has no such field"));
    EXPECT_THAT(clipboard.refusalMessage(atEnd), HasSubstr("1 pasted value(s): beyond the last"));
    EXPECT_EQ(editor.cell(rowVfo, colRxFreq), "230.12500");
    EXPECT_EQ(clipboard.pasteRows(5, "not rows").error,
              "The clipboard holds nothing that can be pasted into the channel table.");
}

TEST_F(ChannelClipboardTest, PastedCellsGoThroughTheFieldRulesAndRefusedOnesAreListed) {
    // From the name column of channel 9 (row 10, not in use): name, step, Rx, Rx tone.
    const PasteResult result = clipboard.pasteCells(10, colName,
                                                    "abc\t12.5\t230.0063\tC:88.5\r\n"
                                                    "TOOLONGNAME\t7\t300\toops\r\n");
    EXPECT_EQ(editor.cell(10, colStatus), editor.words().active);
    EXPECT_EQ(editor.cell(10, colName), "ABC");
    EXPECT_EQ(editor.cell(10, colRef), "12.5");
    EXPECT_EQ(editor.cell(10, colRxFreq), "230.01250"); // snapped with the pasted step
    EXPECT_EQ(editor.cell(10, colTxFreq), "230.01250");
    EXPECT_EQ(editor.cell(10, colRxTone), "C:88.5");
    // Nothing of the second line passed, so its row stays out of use.
    EXPECT_EQ(editor.cell(11, colStatus), editor.words().inactive);
    ASSERT_EQ(result.refusals.size(), 4U);
    const std::string message = clipboard.refusalMessage(result);
    EXPECT_THAT(message, HasSubstr("Channel 10, Name: \"TOOLONGNAME\" - longer than 7"));
    EXPECT_THAT(message, HasSubstr("Ref.: \"7\" - not an entry"));
    EXPECT_THAT(message, HasSubstr("\"300\" - The receive frequency is outside"));
    EXPECT_THAT(message, HasSubstr("CTCSS/DCS: \"oops\""));
    EXPECT_EQ(editor.history().undoName(), "Paste 4 cells");
    editor.undo();
    EXPECT_EQ(editor.cell(10, colStatus), editor.words().inactive);
}

TEST_F(ChannelClipboardTest, PlainTextNamesAreTypedAndTheProgramsOwnRowsKeepTheirs) {
    putInUse(3, "A", "230.0000");
    clipboard.pasteCells(3, colName, "test4");
    EXPECT_EQ(editor.cell(3, colName), "TEST4");
    // The radio's own lower-case glyphs travel in the exact row form.
    table.at(3, colName) = "test4";
    editor.setCell(3, colName, "test4");
    const ClipboardPayload copied = clipboard.copyRows({3});
    clipboard.pasteRows(4, copied.rows);
    EXPECT_EQ(editor.cell(4, colName), "test4");
    clipboard.pasteCells(3, colName, "test4"); // the same text typed over it
    EXPECT_EQ(editor.cell(3, colName), "TEST4");
}

TEST_F(ChannelClipboardTest, CutAndDeleteTakeRowsOutOfUseAndCellsBackToDefaults) {
    putInUse(3, "ONE", "230.0000");
    putInUse(5, "TWO", "231.0000");
    editor.setCell(5, colPri, "02"); // refers to channel 2, row 3
    editor.setCell(rowCallChannel, colName, "CALL");
    editor.recordStep("setup");

    const ClipboardPayload cut = clipboard.cutRows({3});
    EXPECT_THAT(cut.rows, HasSubstr("\tONE\t"));
    EXPECT_EQ(editor.cell(3, colStatus), editor.words().inactive);
    EXPECT_EQ(editor.cell(5, colPri), "off"); // as the status toggle clears references
    EXPECT_EQ(editor.history().undoName(), "Cut 1 channels");

    // C is always in use: deleting it gives it back its defaults.
    clipboard.deleteRows({rowCallChannel});
    EXPECT_EQ(editor.cell(rowCallChannel, colName), "");
    EXPECT_EQ(editor.history().undoName(), "Delete 1 channels");

    const ClipboardPayload cells = clipboard.cutCells({5, 5, colName, colRxFreq});
    EXPECT_EQ(cells.text, "TWO\t5\t231.00000\n");
    EXPECT_EQ(editor.cell(5, colName), "");
    EXPECT_EQ(editor.cell(5, colRxFreq), "245.5000");
    EXPECT_EQ(editor.cell(5, colTxFreq), "231.00000"); // only the cut cells change
    editor.undo();
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.cell(3, colName), "ONE");
    EXPECT_EQ(editor.cell(5, colPri), "02");
    EXPECT_EQ(editor.cell(rowCallChannel, colName), "CALL");
}

TEST_F(ChannelClipboardTest, CsvRowsGoIntoConsecutiveRowsWhateverTheirLocation) {
    const PasteResult result = clipboard.pasteCsv(30, "Location,Name,Frequency,Mode\r\n"
                                                      "7,FIRST,240.0000,NFM\r\n"
                                                      "8,BAD,999.0000,FM\r\n"
                                                      "9,THIRD,241.0000,FM\r\n");
    EXPECT_EQ(editor.cell(30, colName), "FIRST");
    EXPECT_EQ(editor.cell(30, colWideNarrow), editor.words().narrow);
    EXPECT_EQ(editor.cell(31, colStatus), editor.words().inactive);
    EXPECT_EQ(editor.cell(32, colName), "THIRD");
    ASSERT_EQ(result.refusals.size(), 1U);
    EXPECT_EQ(result.refusals.front().row, 31);
    EXPECT_THAT(clipboard.refusalMessage(result), HasSubstr("Channel 30: Frequency 999"));
}

} // namespace
} // namespace vn574::files
