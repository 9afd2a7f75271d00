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

TEST_F(CellChecksTest, OptionSignalMustBeOfferedAndItsMemoryFitAByte) {
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), CellProblem::SignalNotOffered);
    f.settings.optionFlags.has5Tone = 1;
    editor.ReShowFunByRadio();
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), std::nullopt);
    editor.document().strChData.at(5, colPttId) = "256";
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), CellProblem::SignalPositionTooLarge);
    // A text that is no position is written as 0, which the radio holds.
    editor.document().strChData.at(5, colPttId) = "abc";
    EXPECT_EQ(problemWith(5, colOptSignal, "5Tone"), std::nullopt);
    EXPECT_EQ(problemWith(5, colOptSignal, "None"), std::nullopt);
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
