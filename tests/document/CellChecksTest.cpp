#include "document/CellChecks.h"
#include "document/Editor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

// Model 2: Rx 136 - 173.9950, Tx 144 - 145.9950. Channels 4 and 5 (rows 5, 6) in use.
class CellChecksTest : public ::testing::Test {
protected:
    CellChecksTest() {
        editor.selectModel(2);
        for (const int row : {5, 6}) {
            editor.setActiveStatus(row);
            editor.InitialSingleLine(row);
        }
    }

    // The problem the checks find in one cell after `text` was put there.
    std::optional<CellProblem> problemWith(int row, int column, const std::string& text) {
        editor.setCell(row, column, text);
        checks.run(editor);
        const CellIssue* issue = checks.issueAt(row, column);
        return issue == nullptr ? std::nullopt : std::optional(issue->problem);
    }
    std::string reasonAt(int row, int column) const {
        const CellIssue* issue = checks.issueAt(row, column);
        return issue == nullptr ? std::string() : CellChecks::reason(editor, *issue);
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
    CellChecks checks;
};

TEST_F(CellChecksTest, AFreshDocumentNeedsNoAttention) {
    checks.run(editor);
    EXPECT_TRUE(checks.issues().empty());
    editor.selectModel(9); // defaults of another band
    checks.run(editor);
    EXPECT_TRUE(checks.issues().empty());
}

TEST_F(CellChecksTest, FrequenciesMustBeNumbersInsideTheModelsBands) {
    EXPECT_EQ(problemWith(5, colRxFreq, "145.0x"), CellProblem::FrequencyNotNumber);
    EXPECT_EQ(problemWith(5, colRxFreq, ""), CellProblem::FrequencyNotNumber);
    EXPECT_EQ(problemWith(5, colRxFreq, "173.9950"), std::nullopt); // limits are inclusive
    EXPECT_EQ(problemWith(5, colRxFreq, "173.9951"), CellProblem::RxOutOfBand);
    EXPECT_NE(reasonAt(5, colRxFreq).find("\"136 - 173.9950\""), std::string::npos);
    // 155 lies in the receive band but not in the transmit band.
    EXPECT_EQ(problemWith(5, colTxFreq, "155.0000"), CellProblem::TxOutOfBand);
    EXPECT_NE(reasonAt(5, colTxFreq).find("\"144 - 145.9950\""), std::string::npos);
    EXPECT_EQ(problemWith(5, colTxFreq, "145.99500"), std::nullopt);
}

TEST_F(CellChecksTest, TonesMustBeEntriesOfTheLists) {
    EXPECT_EQ(problemWith(5, colRxTone, "C:88.5"), std::nullopt);
    EXPECT_EQ(problemWith(5, colTxTone, "D:765I"), std::nullopt);
    EXPECT_EQ(problemWith(5, colRxTone, "C:88.4"), CellProblem::UnknownTone);
    EXPECT_EQ(problemWith(5, colTxTone, "D:88.5"), CellProblem::UnknownTone);
    EXPECT_EQ(problemWith(5, colTxTone, "Off"), CellProblem::UnknownTone);
}

TEST_F(CellChecksTest, PriMustReferToARowInUse) {
    EXPECT_EQ(problemWith(5, colPri, "03"), CellProblem::PriNotInUse); // channel 3, row 4
    EXPECT_EQ(problemWith(5, colPri, "05"), std::nullopt);             // channel 5, row 6
    EXPECT_EQ(problemWith(5, colPri, "07"), CellProblem::PriNotInUse);
    EXPECT_NE(reasonAt(5, colPri).find("07"), std::string::npos);
    EXPECT_EQ(problemWith(5, colPri, "PL"), CellProblem::PriNotInUse);
    editor.setActiveStatus(101);
    EXPECT_EQ(problemWith(5, colPri, "PL"), std::nullopt);
    EXPECT_EQ(problemWith(5, colPri, "CAL"), std::nullopt); // always in use
    EXPECT_EQ(problemWith(5, colPri, "VFO"), std::nullopt);
    // No priority code: the encoder refuses two characters that are not digits, and
    // anything else would silently point the radio at channel 0.
    EXPECT_EQ(problemWith(5, colPri, "0A"), CellProblem::PriNotChannel);
    EXPECT_EQ(problemWith(5, colPri, "7"), CellProblem::PriNotChannel);
}

TEST_F(CellChecksTest, OptionSignalMustBeOfferedAndItsMemoryAnEntryOfItsList) {
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), CellProblem::SignalNotOffered);
    f.settings.optionFlags.has5Tone = 1;
    f.settings.optionFlags.hasDtmf = 1;
    editor.ReShowFunByRadio();
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), std::nullopt);
    ChannelTable& table = editor.document().strChData;
    table.at(5, colPttId) = "256";
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), CellProblem::SignalPositionTooLarge);
    // Written as 0 ("C3") or as 50, where the DTMF list below the grid has 8 entries.
    table.at(5, colPttId) = "0";
    for (const char* memory : {"C3", "50"}) {
        table.at(5, colOptMemory) = memory;
        EXPECT_EQ(problemWith(5, colOptSignal, "DTMF"), CellProblem::SignalPositionNotInList);
        EXPECT_NE(reasonAt(5, colOptSignal).find(memory), std::string::npos);
    }
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), std::nullopt); // 50 of 100 memories
    EXPECT_EQ(problemWith(5, colOptSignal, "None"), std::nullopt);
}

TEST_F(CellChecksTest, CellsTheEncoderWouldWriteAsSomethingElseAreMarked) {
    EXPECT_EQ(problemWith(5, colRef, "7"), CellProblem::StepNotInList); // written as 5 kHz
    EXPECT_EQ(problemWith(5, colRef, "6.25"), std::nullopt);
    // Inside the band, but written as 145.0000 without four decimals.
    EXPECT_EQ(problemWith(5, colRxFreq, "145.5"), CellProblem::RxNotStored);
    EXPECT_EQ(problemWith(5, colRxFreq, "145.50000"), std::nullopt);
    EXPECT_EQ(problemWith(5, colTxFreq, "145.5"), std::nullopt); // kept as an offset
    // The other language's scan-skip word sets the skip bit.
    EXPECT_EQ(problemWith(5, colScanSkip, "跳过"), CellProblem::ScanSkipWord);
    EXPECT_NE(reasonAt(5, colScanSkip).find("Scan / Skip"), std::string::npos);
    EXPECT_EQ(problemWith(5, colScanSkip, editor.words().scanSkip1), std::nullopt);
    EXPECT_EQ(problemWith(rowVfo, colScanSkip, "跳过"), std::nullopt); // V has no skip bit
    EXPECT_EQ(problemWith(5, colWideNarrow, "medium"), CellProblem::WidthWord);
    EXPECT_EQ(problemWith(5, colBcl, "yes"), CellProblem::SwitchWord);
    // Shift and PAC mode share a digit: an empty Shift loses the PAC mode too.
    editor.setCell(5, colPacMode, "on");
    EXPECT_EQ(problemWith(5, colShift, ""), CellProblem::SwitchPairWord);
    EXPECT_EQ(checks.issueAt(5, colPacMode), nullptr);
    EXPECT_EQ(problemWith(5, colShift, "on"), std::nullopt);
}

TEST_F(CellChecksTest, RecordIssuesAreWhatAWriteRefusesOutsideTheGrid) {
    EXPECT_TRUE(CellChecks::recordIssues(editor).empty());
    Document& document = editor.document();
    document.strSetup.replace(document.strSetup.find("|0|"), 3, "|x|"); // MR No
    document.strAutoDial = "|12345678901234567|||||||||";
    document.toneData.selfId = "12G45";
    document.toneData.fiveToneMem[2].codeLen = 23;
    // The own-ID placeholder is filled in for memories only.
    document.toneData.pttIdBot.code = "E2SelfID";
    document.toneData.pttIdBot.codeLen = 8;
    std::vector<std::string> lines;
    for (const RecordIssue& issue : CellChecks::recordIssues(editor)) {
        lines.push_back(std::string(sectionName(issue.section)) + "|" + issue.item + "|" +
                        issue.value);
        EXPECT_NE(CellChecks::reason(editor, issue).find("a write refuses it"), std::string::npos);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"option|3|x", "autodial|1|12345678901234567",
                                               "signalling|SelfId|12G45",
                                               "signalling|FiveToneMem[3].CodeLen|23",
                                               "signalling|PttIdBot.Code|E2SelfID"}));
    document.strSetup += "|";
    EXPECT_EQ(CellChecks::recordIssues(editor).front().item, "-");
}

TEST_F(CellChecksTest, NamesHoldOnlyTheNameSetAndSevenCharacters) {
    EXPECT_EQ(problemWith(5, colName, "xA-1"), std::nullopt); // lower-case x is in the set
    EXPECT_EQ(problemWith(5, colName, "AB?k"), CellProblem::NameCharacters);
    EXPECT_NE(reasonAt(5, colName).find(": ?k"), std::string::npos);
    EXPECT_EQ(problemWith(5, colName, "ABCDEFGH"), CellProblem::NameTooLong);
}

TEST_F(CellChecksTest, OnlyRowsInUseCountAndNextGoesRoundInReadingOrder) {
    editor.setCell(6, colTxTone, "bad");
    editor.setCell(5, colName, "?");
    editor.setCell(104, colRxFreq, "1");
    editor.document().strChData.at(8, colRxFreq) = "bad"; // row 8 is not in use
    checks.run(editor);
    ASSERT_EQ(checks.issues().size(), 3U);
    EXPECT_EQ(checks.issues()[0].cell, (GridCell{5, colName}));
    EXPECT_EQ(checks.next({5, colName}), (GridCell{6, colTxTone}));
    EXPECT_EQ(checks.next({6, colTxTone}), (GridCell{104, colRxFreq}));
    EXPECT_EQ(checks.next({104, colRxFreq}), (GridCell{5, colName}));
    EXPECT_EQ(checks.next({1, 1}), (GridCell{5, colName}));

    editor.ToggleChannelStatus(6); // out of use: its cells show "---"
    editor.setCell(5, colName, "OK");
    checks.run(editor);
    ASSERT_EQ(checks.issues().size(), 1U);
    EXPECT_EQ(checks.issueAt(5, colName), nullptr);
    EXPECT_EQ(checks.next({104, colRxFreq}), (GridCell{104, colRxFreq}));
}

} // namespace
} // namespace vn574::document
