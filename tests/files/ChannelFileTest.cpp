#include "files/ChannelFile.h"

#include "app/TextUtil.h"
#include "files/FileTestSupport.h"
#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vn574::files {
namespace {

using namespace document;
using filetest::customToneData;
using filetest::fileOf;
using filetest::gridCells;
using filetest::packed;
using filetest::validRecords;

class ChannelFileTest : public ::testing::Test {
protected:
    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();

    std::string path(const std::string& name) const { return f.dir.file(name); }
    // Writes a channel data file and a custom signalling file beside it.
    std::string writePair(const std::string& name, const std::string& text) const {
        f.dir.write(name + ".vd", text);
        f.dir.write(name + ".ton", packed(customToneData()));
        return path(name + ".vd");
    }
};

TEST_F(ChannelFileTest, SignallingPathReplacesTheLastTwoCharacters) {
    EXPECT_EQ(signallingPathFor("a.vd"), "a.ton");
    EXPECT_EQ(signallingPathFor("/home/u/radio/x.txt"), "/home/u/radio/x.tton");
    EXPECT_EQ(signallingPathFor("dir/MY.VD"), "dir/MY.ton");
    EXPECT_EQ(signallingPathFor("a"), "ton");
}

TEST_F(ChannelFileTest, NewDocumentIsWrittenRecordByRecord) {
    // Model 9 after the start-up reset: no channel in use, call channel and VFO with the
    // model's defaults, the new-document records.
    std::string expected;
    for (int row = 1; row <= 102; ++row) {
        expected += std::to_string(row - 1) +
                    "|Inactive|def|def|def|def|def|def|def|def|def|def|def|def|def|def|def|def|"
                    "def|\r\r\n";
    }
    expected += "C|def|def|5|245.5000|off|wide|off|off|Scan|off|245.5000|off|off|off|off|None|def|"
                "def|"
                "\r\r\n";
    expected += "V|def|def|5|245.5000|off|wide|off|off|Scan|off|245.5000|off|off|off|off|None|def|"
                "def|"
                "\r\r\n";
    expected += "setup|Frequency|VFO|0|3|Hi|----------------|----------------|----------------|"
                "----------------|----------------|----------------|100ms|60ms|60ms|1750Hz|off|"
                "----------------|off|off|Enable|Timer|High|off|Lock|50W|1|0\r\r\n";
    expected += "Ad||||||||||\r\r\n";
    expected += "9|\r\r\n";

    doc.bModify = true;
    const SaveResult result = saveChannelFile(editor, path("new.vd"));
    ASSERT_TRUE(result.saved) << result.error;
    EXPECT_EQ(f.dir.read("new.vd"), expected);

    const std::string ton = f.dir.read("new.ton");
    ASSERT_EQ(ton.size(), 3295U);
    EXPECT_EQ(static_cast<unsigned char>(ton[21]), 3);   // tone A divisor, high byte
    EXPECT_EQ(static_cast<unsigned char>(ton[22]), 153); // tone A divisor, low byte
    EXPECT_EQ(ton.substr(637, 5), "12345");              // own ID
    EXPECT_EQ(static_cast<unsigned char>(ton[642]), 100);
    EXPECT_EQ(ton.substr(695 + 4, 22), std::string(22, ' ')); // first 5-tone code

    EXPECT_FALSE(doc.bModify);
    EXPECT_EQ(editor.fileName(), path("new.vd"));
    // Saving leaves the status bar alone.
    EXPECT_EQ(editor.statusPanel1(), " Current File: Noname.vd");
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST_F(ChannelFileTest, ActiveRowsComeFromTheGridWithDefAndStoredWidthWords) {
    editor.selectModel(2);
    editor.setCell(1, colName, "  ");
    editor.setCell(1, colWideNarrow, editor.words().narrow);
    // The width words are translated in whichever field they stand.
    editor.setCell(1, colShift, editor.words().wide);
    editor.setCell(1, colScanSkip, "Saltar");
    doc.strChData.at(1, colOptMemory) = "";
    doc.strChData.at(1, colPttId) = "";
    ASSERT_TRUE(saveChannelFile(editor, path("a.vd")).saved);
    const std::string first = app::splitFields(f.dir.read("a.vd"), '\r').front();
    EXPECT_EQ(first, "0|Active|def|6.25|155.0000|off|narrow|off|off|Saltar|off|145.0000|off|off|"
                     "off|wide|None|||");
    // The save copied the grid into the channel table first.
    EXPECT_EQ(doc.strChData.at(1, colStatus), "Active");
    EXPECT_EQ(doc.strChData.at(1, colWideNarrow), "narrow");
}

TEST_F(ChannelFileTest, InactiveRowsComeFromTheChannelTable) {
    editor.selectModel(2);
    editor.setCell(1, colName, "REPEAT");
    editor.setCell(1, colWideNarrow, editor.words().narrow);
    editor.ToggleChannelStatus(1); // out of use: the values move into the table
    ASSERT_EQ(editor.cell(1, colName), "---");
    ASSERT_TRUE(saveChannelFile(editor, path("a.vd")).saved);
    const std::string first = app::splitFields(f.dir.read("a.vd"), '\r').front();
    EXPECT_EQ(first, "0|Inactive|REPEAT|6.25|155.0000|off|narrow|off|off|Scan|off|145.0000|off|"
                     "off|off|off|None|0|def|");
}

TEST_F(ChannelFileTest, VfoWithOptionMemoryAndNoPttIdWritesDefAndReadsBackEmpty) {
    editor.setCell(104, colOptSignal, "DTMF");
    doc.strChData.at(104, colOptMemory) = "4";
    doc.strChData.at(104, colPttId) = "";
    ASSERT_TRUE(saveChannelFile(editor, path("vfo.vd")).saved);
    const std::vector<std::string> lines = app::splitFields(f.dir.read("vfo.vd"), '\n');
    EXPECT_EQ(lines.at(103), "V|def|def|5|245.5000|off|wide|off|off|Scan|off|245.5000|off|off|"
                             "off|off|DTMF|4|def|\r\r");

    test::EditorFixture other;
    ASSERT_TRUE(openChannelFile(other.editor, path("vfo.vd")).ok());
    EXPECT_EQ(other.editor.document().strChData.at(104, colOptMemory), "4");
    EXPECT_EQ(other.editor.document().strChData.at(104, colPttId), "");
}

// A rich model-2 document: named channels, shifts, tones, rows taken out of use with
// their values kept, option signals, changed records and signalling.
void buildRichDocument(Editor& editor) {
    Document& doc = editor.document();
    editor.selectModel(2);
    const auto activate = [&](int row) { editor.cellClicked(row, colName); };
    activate(2);
    editor.setCell(2, colName, "RPT-A");
    editor.setCell(2, colRef, "12.5");
    editor.setCell(2, colRxFreq, "145.72500");
    editor.setCell(2, colTxFreq, "145.12500");
    editor.setCell(2, colTxTone, "C:88.5");
    editor.setCell(2, colShift, "on");
    activate(3);
    editor.setCell(3, colName, "DCS");
    editor.setCell(3, colRxTone, "D:023N");
    editor.setCell(3, colTxTone, "D:754I");
    editor.setCell(3, colWideNarrow, editor.words().narrow);
    editor.setCell(3, colScanSkip, editor.words().scanSkip1);
    editor.setCell(3, colPri, "01");
    activate(4);
    editor.setCell(4, colName, "GONE");
    editor.setCell(4, colOptSignal, "5Tone");
    editor.frames().fiveToneMemory = 7;
    editor.frames().fiveTonePttId = 2;
    editor.ToggleChannelStatus(4);
    activate(101);
    editor.setCell(101, colRxFreq, "144.0000");
    editor.setCell(103, colName, "CALL");
    editor.setCell(104, colRxTone, "C:100.0");
    doc.strChData.at(2, colOptMemory) = "5";
    doc.strSetup = "setup|Channel|MR|5|4|Mid|Enable|Disable|Enable|Enable|Disable|Enable|400ms|"
                   "80ms|80ms|1750Hz|3m00sec|5sec|off|on|Enable|Busy|Low|on|Lock|25W|1|0";
    doc.strAutoDial = "Ad|123|*88#||||||||";
    doc.toneData = customToneData();
    doc.bModify = true;
}

TEST_F(ChannelFileTest, SavedFileReopenedReproducesTheDocument) {
    buildRichDocument(editor);
    ASSERT_TRUE(saveChannelFile(editor, path("rich.vd")).saved);

    test::EditorFixture other; // a freshly started editor, model 9
    other.editor.document().bModify = false;
    const OpenResult result = openChannelFile(other.editor, path("rich.vd"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordsRead, 107);
    EXPECT_TRUE(other.prompts.messages.empty());
    const Document& opened = other.editor.document();

    EXPECT_EQ(gridCells(other.editor), gridCells(editor));
    for (int row = 1; row <= tableRows; ++row) {
        for (int column = colName; column <= colPttId; ++column) {
            EXPECT_EQ(opened.strChData.at(row, column), doc.strChData.at(row, column))
                << row << "/" << column;
        }
        if (editor.isRowActive(row)) {
            EXPECT_EQ(opened.strChData.at(row, colStatus), "Active") << row;
        }
        EXPECT_EQ(opened.rowStep(row), doc.rowStep(row)) << row;
    }
    EXPECT_EQ(opened.strSetup, doc.strSetup);
    EXPECT_EQ(opened.strAutoDial, doc.strAutoDial);
    EXPECT_EQ(other.editor.selectedModel(), 2);
    EXPECT_EQ(packed(opened.toneData), packed(customToneData()));
    EXPECT_FALSE(opened.bModify);
    EXPECT_TRUE(opened.BeReadReshow);
    EXPECT_EQ(other.editor.fileName(), path("rich.vd"));
    EXPECT_EQ(other.editor.statusPanel1(), " Current File: " + path("rich.vd"));

    // Saving the opened document again gives the same bytes.
    ASSERT_TRUE(saveChannelFile(other.editor, path("again.vd")).saved);
    EXPECT_EQ(f.dir.read("again.vd"), f.dir.read("rich.vd"));
    EXPECT_EQ(f.dir.read("again.ton"), f.dir.read("rich.ton"));
}

TEST_F(ChannelFileTest, OpenShowsStoredWordsAsTheLanguageWordsAndKeepsOthers) {
    std::vector<std::string> records = validRecords();
    records[1] = "1|Active|def|5|145.0000|off|wide|off|off|Saltar|off|145.0000|off|off|off|"
                 "narrow|None|def|def|";
    const OpenResult result = openChannelFile(editor, writePair("words", fileOf(records)));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(editor.cell(1, colStatus), "Active");
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.cell(1, colWideNarrow), "Narrow");
    EXPECT_EQ(doc.strChData.at(1, colWideNarrow), "narrow");
    EXPECT_EQ(editor.cell(1, colScanSkip), "Skip");
    EXPECT_EQ(editor.cell(2, colName), "");
    EXPECT_EQ(editor.cell(2, colScanSkip), "Saltar"); // another language's word, as written
    EXPECT_EQ(editor.cell(2, colShift), "Narrow");
    EXPECT_EQ(doc.strChData.at(2, colShift), "narrow");
    EXPECT_EQ(doc.strChData.at(2, colOptMemory), "");
    EXPECT_EQ(editor.cell(103, colStatus), "");
    EXPECT_EQ(editor.cell(103, colName), "CALL");
    EXPECT_EQ(editor.cell(104, colName), "");
    EXPECT_EQ(doc.strChData.at(104, colShift), "on");
    EXPECT_EQ(doc.rowStep(1), "12.5");
    EXPECT_EQ(doc.rowStep(104), "6.25");
    EXPECT_EQ(doc.strAutoDial, "Ad|123|||||||||");
}

TEST_F(ChannelFileTest, OnlyTheExactWordActiveMakesARowActive) {
    std::vector<std::string> records = validRecords();
    records[0] = "0|active|LOWER|5|145.0000|off|wide|off|off|Scan|off|145.0000|off|off|off|off|"
                 "None|def|def|";
    records[2] = "2|Aktiv|OTHER|def|def|def|wide|def|def|def|def|def|def|def|def|def|def|3|1|";
    ASSERT_TRUE(openChannelFile(editor, writePair("case", fileOf(records))).ok());
    EXPECT_EQ(editor.cell(1, colStatus), "Inactive");
    EXPECT_EQ(editor.cell(1, colName), "---");
    EXPECT_EQ(doc.strChData.at(1, colName), "LOWER");
    EXPECT_EQ(doc.strChData.at(1, colOptMemory), "");
    EXPECT_EQ(editor.cell(3, colStatus), "Inactive");
    EXPECT_EQ(doc.strChData.at(3, colRef), "");
    EXPECT_EQ(doc.strChData.at(3, colWideNarrow), "wide");
    EXPECT_EQ(doc.strChData.at(3, colPttId), "1");
    // Reactivating shows the stored values (and the default line for the empty ones).
    editor.ToggleChannelStatus(3);
    EXPECT_EQ(editor.cell(3, colName), "OTHER");
    EXPECT_EQ(editor.cell(3, colWideNarrow), "Wide");
}

TEST_F(ChannelFileTest, FileModelIsSelectedWithoutAResetAndOnlyOnce) {
    const OpenResult result = openChannelFile(editor, writePair("m2", fileOf(validRecords())));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_EQ(editor.cell(1, colName), "HOME"); // not reset by the model change
    EXPECT_TRUE(doc.BeReadReshow);
    // The next model change the user makes resets the document again.
    editor.selectModel(3);
    EXPECT_EQ(editor.cell(1, colName), "");
    EXPECT_EQ(editor.cell(1, colRef), "5");
}

TEST_F(ChannelFileTest, SameModelAsSelectedLeavesTheNextChangeResetting) {
    std::vector<std::string> records = validRecords();
    records[106] = "9|";
    ASSERT_TRUE(openChannelFile(editor, writePair("m9", fileOf(records))).ok());
    EXPECT_EQ(editor.selectedModel(), 9);
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_TRUE(doc.BeReadReshow);
    editor.selectModel(4);
    EXPECT_EQ(editor.cell(1, colName), ""); // reset: channel 0 with defaults
}

TEST_F(ChannelFileTest, ModelChangeDuringOpenAsksNoSecondSaveQuestion) {
    doc.bModify = true; // the user chose to open without saving
    ASSERT_TRUE(openChannelFile(editor, writePair("m2", fileOf(validRecords()))).ok());
    EXPECT_TRUE(f.prompts.questions.empty());
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_FALSE(doc.bModify);
}

TEST_F(ChannelFileTest, FileEndingEarlyKeepsWhatItDoesNotReach) {
    doc.strSetup = "setup|kept";
    doc.strAutoDial = "Ad|kept";
    std::vector<std::string> records = validRecords();
    records.resize(104);
    doc.bModify = true;
    const OpenResult result = openChannelFile(editor, writePair("short", fileOf(records)));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.recordsRead, 104);
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.cell(104, colTxFreq), "144.6000");
    EXPECT_EQ(doc.strSetup, "setup|kept");
    EXPECT_EQ(doc.strAutoDial, "Ad|kept");
    EXPECT_EQ(editor.selectedModel(), 9);
    EXPECT_EQ(packed(doc.toneData), packed(customToneData()));
    EXPECT_FALSE(doc.bModify);
    EXPECT_EQ(editor.fileName(), path("short.vd"));
}

TEST_F(ChannelFileTest, AnyLineEndAndBlankLinesAreAccepted) {
    std::string text;
    for (const std::string& record : validRecords()) {
        text += record + "\n\n\r\n";
    }
    ASSERT_TRUE(openChannelFile(editor, writePair("lf", text)).ok());
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(doc.strAutoDial, "Ad|123|||||||||");
}

TEST_F(ChannelFileTest, FileOfExactlyTheLimitIsRead) {
    std::string text = fileOf(validRecords());
    while (text.size() < maxChannelFileSize) {
        text += "\n"; // empty lines are no records
    }
    ASSERT_EQ(text.size(), 30000U);
    const OpenResult result = openChannelFile(editor, writePair("limit", text));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(editor.selectedModel(), 2);
}

} // namespace
} // namespace vn574::files
