#include "document/DocumentDiff.h"

#include "document/Editor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

class DocumentDiffTest : public ::testing::Test {
protected:
    test::EditorFixture a;
    test::EditorFixture b;

    // section|item|field|left|right, one per difference, as scripts will read them.
    std::vector<std::string> lines() {
        a.editor.UpdateAllArray();
        b.editor.UpdateAllArray();
        const DocumentDiff diff(a.editor, b.editor);
        std::vector<std::string> lines;
        for (const Difference& d : diff.differences()) {
            lines.push_back(std::string(sectionName(d.section)) + "|" + d.item + "|" + d.field +
                            "|" + d.left + "|" + d.right);
        }
        return lines;
    }
};

TEST_F(DocumentDiffTest, EqualDocumentsHaveNoDifferenceAndFrequenciesCompareAsNumbers) {
    a.editor.setCell(rowCallChannel, colRxFreq, "145.5");
    b.editor.setCell(rowCallChannel, colRxFreq, "145.50000");
    // What the grid shows of a row not in use carries nothing the radio holds.
    a.editor.document().strChData.at(7, colName) = "OLD";
    EXPECT_TRUE(lines().empty());
    const DocumentDiff diff(a.editor, b.editor);
    EXPECT_TRUE(diff.empty());
    EXPECT_FALSE(diff.counts().any());
    EXPECT_EQ(diff.summary(), "No differences");
}

TEST_F(DocumentDiffTest, EverySectionInOrderWithItsNamesAndStoredValues) {
    b.editor.document().selectedModel = 3;
    a.editor.ToggleChannelStatus(5); // channel 4 in use in A only
    b.editor.setCell(rowCallChannel, colName, "CALL");
    b.editor.setCell(rowVfo, colWideNarrow, b.editor.words().narrow);
    b.editor.document().strChData.at(rowVfo, colOptMemory) = "5";
    b.editor.document().strSetup =
        "setup|Frequency|VFO|0|3|Low|----------------|----------------|----------------|"
        "----------------|----------------|----------------|100ms|60ms|60ms|1750Hz|off|"
        "----------------|off|off|Enable|Timer|High|off|Lock|50W|1|1";
    b.editor.document().strAutoDial = "Ad|||||||||123|";
    ToneData& tones = b.editor.document().toneData;
    tones.dtmfMem[3] = -2;
    tones.twoToneMem[11].div1Hi = 14;
    tones.pttIdBot.std = 4;
    tones.fiveToneMem[6].code = "12E45";

    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "model|-|Model|9|3",
                           "channel|4|Status|Active|Inactive",
                           "channel|C|Name||CALL",
                           "channel|V|WN|wide|narrow",
                           "channel|V|OptionMemory||5",
                           "option|5|TX POWER|Hi|Low",
                           "option|27|Aftersound Elimination|0|1",
                           "autodial|9|Number||123",
                           "signalling|DtmfMem[3]|Value|0|-2",
                           "signalling|TwoToneMem[12].Div1Hi|Value|0|14",
                           "signalling|PttIdBot.Std|Value|0|4",
                           "signalling|FiveToneMem[7].Code|Value|" + std::string(22, ' ') +
                               "|12E45" + std::string(17, ' '),
                       }));

    const DocumentDiff diff(a.editor, b.editor);
    // The option memory is not in the grid; its difference points at the option signal.
    EXPECT_EQ(diff.differences()[4].row, rowVfo);
    EXPECT_EQ(diff.differences()[4].column, colOptSignal);
    EXPECT_EQ(diff.differences()[1].column, colStatus);
    EXPECT_EQ(diff.summary(), "The model, 3 channels, 2 options, 1 auto-dialer memory and 4 "
                              "signalling values differ");
}

TEST_F(DocumentDiffTest, SummaryCountsRowsAndTakesTheWordsGiven) {
    b.editor.setCell(rowVfo, colName, "VFO");
    b.editor.setCell(rowVfo, colRxFreq, "146.0000");
    a.editor.UpdateAllArray();
    b.editor.UpdateAllArray();
    const DocumentDiff diff(a.editor, b.editor);
    EXPECT_EQ(diff.differences().size(), 2U);
    EXPECT_EQ(diff.summary(), "1 channel differs");

    SummaryWords words;
    words.channels = {"%1 个信道", "%1 个信道"};
    words.verbOne = words.verbMany = "%1不同";
    EXPECT_EQ(diff.summary(words), "1 个信道不同");
}

TEST_F(DocumentDiffTest, JudgedByImagesOnlyWhatTheRadioGetsCounts) {
    b.editor.setCell(rowCallChannel, colScanSkip, b.editor.words().scanSkip1);
    b.editor.setCell(rowCallChannel, colName, "CALL");
    a.editor.setCell(rowVfo, colRxFreq, "145.5");
    b.editor.setCell(rowVfo, colRxFreq, "145.50000");
    a.editor.UpdateAllArray();
    b.editor.UpdateAllArray();
    // As the image map judges them: the scan skip of C has no place in the image, and
    // "145.5" is written as 145.0000.
    ImageVerdict verdict{false, [](const Difference& d) { return d.field != "ScanSkip"; }};
    const DocumentDiff diff(a.editor, b.editor, verdict);
    ASSERT_EQ(diff.differences().size(), 3U);
    EXPECT_FALSE(diff.same());
    EXPECT_EQ(diff.radioDifferences().size(), 2U);
    ASSERT_EQ(diff.fileOnlyDifferences().size(), 1U);
    EXPECT_EQ(diff.fileOnlyDifferences().front().field, "ScanSkip");
    EXPECT_EQ(diff.summary(), "2 channels differ");

    verdict.sameImage = true;
    const DocumentDiff same(a.editor, b.editor, verdict);
    EXPECT_TRUE(same.same());
    EXPECT_EQ(same.fileOnlyDifferences().size(), 2U); // equal frequencies are no difference
    EXPECT_EQ(same.summary(), "No differences");
    EXPECT_FALSE(DocumentDiff(a.editor, b.editor).same()); // compared as they stand
}

TEST(EscapedValue, KeepsEveryValueOnOneTableLine) {
    EXPECT_EQ(escapedValue("A\tB\\C\nD\r\x01\xE9 z\x7F"), "A\\tB\\\\C\\nD\\r\\x01\\xE9 z\\x7F");
    EXPECT_EQ(escapedValue("扫描\xE6\x89"), "扫描\\xE6\\x89");
}

} // namespace
} // namespace vn574::document
