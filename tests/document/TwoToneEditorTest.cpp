#include "document/TwoToneEditor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

TEST(TwoToneConversionTest, DividersFromFrequenciesKeepTheirTenths) {
    EXPECT_EQ(dividerFromFrequency(1000, TwoToneUse::Memory), (ToneDivider{14, 102, 4}));
    EXPECT_EQ(dividerFromFrequency(2000, TwoToneUse::Decoder), (ToneDivider{3, 153, 6}));
    EXPECT_EQ(dividerFromFrequency(1000, TwoToneUse::Decoder), (ToneDivider{7, 51, 2}));
    // 3 686 400 / 375 is exactly 9830.4; a floating-point difference would store .3.
    EXPECT_EQ(dividerFromFrequency(375, TwoToneUse::Memory), (ToneDivider{38, 102, 4}));
    EXPECT_EQ(dividerFromFrequency(3000, TwoToneUse::Decoder), (ToneDivider{2, 102, 4}));
}

TEST(TwoToneConversionTest, FrequenciesFromDividersRoundAsEachListShowsThem) {
    EXPECT_EQ(frequencyFromDivider({14, 102, 4}, TwoToneUse::Memory), 1000);
    EXPECT_EQ(frequencyFromDivider({7, 51, 0}, TwoToneUse::Decoder), 1000); // 1000.1
    EXPECT_EQ(frequencyFromDivider({3, 153, 6}, TwoToneUse::Decoder), 2000);
    // 6553.6 and 3276.8 both give exactly 562.5 Hz: the memory grid rounds half up, the
    // decoder boxes to the even neighbour.
    EXPECT_EQ(frequencyFromDivider({25, 153, 6}, TwoToneUse::Memory), 563);
    EXPECT_EQ(frequencyFromDivider({12, 204, 8}, TwoToneUse::Decoder), 562);
    EXPECT_EQ(frequencyFromDivider({0, 0, 0}, TwoToneUse::Decoder), 0);
}

TEST(TwoToneConversionTest, HighDividersReadAsUnsignedCounts) {
    // 32768 is a valid count for the radio; read as signed it would give -112 Hz.
    EXPECT_EQ(frequencyFromDivider({0x80, 0x00, 0}, TwoToneUse::Memory), 113);
    EXPECT_EQ(frequencyFromDivider({0xFF, 0xFF, 9}, TwoToneUse::Memory), 56);
}

TEST(TwoToneConversionTest, EveryMemoryFrequencySurvivesTheRoundTrip) {
    for (int hertz = twoToneMinHz; hertz <= twoToneMaxHz; ++hertz) {
        const ToneDivider divider = dividerFromFrequency(hertz, TwoToneUse::Memory);
        ASSERT_EQ(frequencyFromDivider(divider, TwoToneUse::Memory), hertz);
        ASSERT_LE(divider.frac, 9);
    }
}

TEST(TwoToneConversionTest, TypedFrequenciesAreLimited) {
    EXPECT_EQ(limitedTwoToneFrequency("100"), 280);
    EXPECT_EQ(limitedTwoToneFrequency("5000"), 3106);
    EXPECT_EQ(limitedTwoToneFrequency("1234"), 1234);
    EXPECT_EQ(limitedTwoToneFrequency(""), std::nullopt);
    EXPECT_EQ(checkedTwoToneBox(""), "2000");
    EXPECT_EQ(checkedTwoToneBox("99"), "280");
}

TEST(TwoToneConversionTest, ListsHoldTheirItems) {
    ASSERT_EQ(TwoToneTimeList().size(), 96U);
    EXPECT_EQ(TwoToneTimeList()[0], "0.5");
    EXPECT_EQ(TwoToneTimeList()[5], "1.0");
    EXPECT_EQ(TwoToneTimeList()[95], "10.0");
    ASSERT_EQ(TwoToneIntervalList().size(), 21U);
    EXPECT_EQ(TwoToneIntervalList()[10], "1000");
    EXPECT_EQ(TwoTonePairTypes()[13].name, "Long B");
    EXPECT_EQ(TwoTonePairTypes()[11].first, 3);
    EXPECT_EQ(TwoTonePairTypes()[11].second, 2);
}

class TwoToneEditorTest : public ::testing::Test {
protected:
    test::EditorFixture f{"english.ini", app::OptionFlags{1, 1, 1, 0}};
    Document& doc = f.editor.document();
    TwoToneEditor dialog{f.editor};
};

TEST_F(TwoToneEditorTest, OpeningShowsTheStoredMemoriesAndDecoderTones) {
    doc.toneData.twoToneMem[0] = {14, 102, 0, 0, 4, 0};
    doc.toneData.twoToneMem[1] = {14, 102, 7, 51, 4, 2};
    doc.toneData.twoToneMem[2] = {0, 0, 7, 51, 0, 2}; // no first tone: empty
    doc.toneData.twoToneType = 1;                     // A-C
    dialog.open();
    EXPECT_EQ(dialog.cell(0, 1), "1st Tone (Hz)");
    EXPECT_EQ(dialog.cell(100, 0), "99");
    EXPECT_EQ(dialog.cell(1, 1), "1000");
    EXPECT_EQ(dialog.cell(1, 2), "");
    EXPECT_EQ(dialog.cell(2, 2), "2000");
    EXPECT_EQ(dialog.cell(3, 1), "");
    EXPECT_EQ(dialog.cell(3, 2), "");
    EXPECT_EQ(dialog.box(0), "2000");
    EXPECT_EQ(dialog.box(2), "2000");
    EXPECT_EQ(dialog.box(1), "2000"); // design text, not used by A-C
    EXPECT_TRUE(dialog.boxEnabled(0));
    EXPECT_FALSE(dialog.boxEnabled(1));
    EXPECT_TRUE(dialog.boxEnabled(2));
    EXPECT_FALSE(dialog.boxEnabled(3));
    EXPECT_EQ(dialog.timing(0), 0);
    EXPECT_EQ(dialog.timing(2), 5);
    EXPECT_EQ(dialog.timing(3), 10);
}

TEST_F(TwoToneEditorTest, ZeroDecoderDividersOpenAtOneKilohertz) {
    doc.toneData.toneADivHi = 0;
    doc.toneData.toneADivLo = 0;
    doc.toneData.toneBDivHi = 0;
    doc.toneData.toneBDivLo = 0;
    dialog.open();
    EXPECT_EQ(dialog.box(0), "1000");
    EXPECT_EQ(dialog.box(1), "1000");
    EXPECT_EQ(doc.toneDataEdit.toneADivLo, 51);
    EXPECT_EQ(doc.toneDataEdit.toneBFrac, 0);
    EXPECT_EQ(doc.toneData.toneADivLo, 0) << "only the working copy changes before OK";
}

TEST_F(TwoToneEditorTest, StoredValuesOutsideTheirListsSelectTheDefaults) {
    doc.toneData.twoToneType = 15;
    doc.toneData.twoToneSel = 3;
    doc.toneData.twoToneSet = {4, 101, 200, 21};
    dialog.open();
    EXPECT_EQ(dialog.pairType(), 0);
    EXPECT_EQ(dialog.response(), 0);
    EXPECT_EQ(dialog.timing(0), 0);
    EXPECT_EQ(dialog.timing(1), 0);
    EXPECT_EQ(dialog.timing(2), 5);
    EXPECT_EQ(dialog.timing(3), 10);
}

TEST_F(TwoToneEditorTest, CommittedMemoryTonesAreLimitedAndStored) {
    dialog.open();
    dialog.enterCell(1, 1);
    dialog.setEditorText("100");
    dialog.enterCell(2, 1);
    EXPECT_EQ(dialog.cell(1, 1), "280");
    dialog.enterCell(1, 2);
    EXPECT_EQ(dialog.editColumn(), 2);
    dialog.setEditorText("5000");
    dialog.enterCell(2, 1);
    EXPECT_EQ(dialog.cell(1, 2), "3106");
    const TwoToneRec& rec = doc.toneDataEdit.twoToneMem[0];
    EXPECT_EQ((ToneDivider{rec.div1Hi, rec.div1Lo, rec.frac1}),
              dividerFromFrequency(280, TwoToneUse::Memory));
    EXPECT_EQ((ToneDivider{rec.div2Hi, rec.div2Lo, rec.frac2}),
              dividerFromFrequency(3106, TwoToneUse::Memory));
}

TEST_F(TwoToneEditorTest, ClearingTonesEmptiesTheMemoryOrOnlyTheSecondTone) {
    doc.toneData.twoToneMem[4] = {14, 102, 7, 51, 4, 2};
    doc.toneData.twoToneMem[5] = {14, 102, 7, 51, 4, 2};
    dialog.open();
    dialog.enterCell(5, 1);
    dialog.setEditorText("");
    dialog.enterCell(6, 2);
    EXPECT_EQ(doc.toneDataEdit.twoToneMem[4], TwoToneRec{});
    EXPECT_EQ(dialog.cell(5, 1), "");
    EXPECT_EQ(dialog.cell(5, 2), "") << "a cleared memory shows no second tone";

    dialog.setEditorText("");
    dialog.enterCell(7, 1);
    const TwoToneRec& kept = doc.toneDataEdit.twoToneMem[5];
    EXPECT_EQ(kept.div1Lo, 102);
    EXPECT_EQ(kept.div2Hi, 0);
    EXPECT_EQ(kept.div2Lo, 0);
    EXPECT_EQ(dialog.cell(6, 1), "1000");
    EXPECT_EQ(dialog.cell(6, 2), "");
}

TEST_F(TwoToneEditorTest, ASecondToneNeedsAFirstOne) {
    dialog.open();
    EXPECT_TRUE(dialog.enterCell(10, 2));
    EXPECT_EQ(dialog.editRow(), 10);
    EXPECT_EQ(dialog.editColumn(), 1);
    EXPECT_FALSE(dialog.enterCell(10, 0));
    EXPECT_FALSE(dialog.enterCell(0, 1));
}

TEST_F(TwoToneEditorTest, ScrollingCommitsAndHidesTheEditor) {
    dialog.open();
    dialog.enterCell(3, 1);
    dialog.setEditorText("1500");
    dialog.scrolled();
    EXPECT_FALSE(dialog.editorVisible());
    EXPECT_EQ(dialog.cell(3, 1), "1500");
    EXPECT_NE(doc.toneDataEdit.twoToneMem[2].div1Lo, 0);
    // The same cell can be entered again once its editor is hidden.
    EXPECT_TRUE(dialog.enterCell(3, 1));
    EXPECT_TRUE(dialog.editorVisible());
    EXPECT_EQ(dialog.editorText(), "1500");
}

TEST_F(TwoToneEditorTest, LongTypeUsesOneBoxAndStoresNoSecondTone) {
    dialog.open();
    dialog.choosePairType(13); // Long B
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dialog.boxEnabled(k), k == 1) << k;
    }
    dialog.setBoxText(1, "1000");
    dialog.ok();
    EXPECT_EQ(doc.toneData.twoToneType, 13);
    EXPECT_EQ(doc.toneData.toneADivHi, 7);
    EXPECT_EQ(doc.toneData.toneADivLo, 51);
    EXPECT_EQ(doc.toneData.toneAFrac, 2);
    EXPECT_EQ(doc.toneData.toneBDivHi, 0);
    EXPECT_EQ(doc.toneData.toneBDivLo, 0);
    EXPECT_EQ(doc.toneData.toneBFrac, 0);

    TwoToneEditor again(f.editor);
    again.open();
    EXPECT_EQ(again.box(1), "1000") << "the B box shows the stored first tone";
    EXPECT_EQ(again.box(0), "2000");
}

TEST_F(TwoToneEditorTest, OkStoresEverythingAndCommitsTheOpenEditor) {
    dialog.open();
    dialog.choosePairType(9); // D-A
    dialog.setResponse(2);
    dialog.setTiming(0, 95);
    dialog.setTiming(1, 1);
    dialog.setTiming(2, 0);
    dialog.setTiming(3, 20);
    dialog.setBoxText(3, "");      // left empty: 2000 Hz
    dialog.setBoxText(0, "99999"); // limited to 3106 Hz
    dialog.enterCell(50, 1);
    dialog.setEditorText("1000");
    dialog.ok();
    const ToneData& data = doc.toneData;
    EXPECT_EQ(data.twoToneSel, 2);
    EXPECT_EQ(data.twoToneSet, (std::array<std::uint8_t, 4>{100, 6, 5, 20}));
    EXPECT_EQ(dialog.box(3), "2000");
    EXPECT_EQ(dialog.box(0), "3106");
    EXPECT_EQ((ToneDivider{data.toneADivHi, data.toneADivLo, data.toneAFrac}),
              dividerFromFrequency(2000, TwoToneUse::Decoder));
    EXPECT_EQ((ToneDivider{data.toneBDivHi, data.toneBDivLo, data.toneBFrac}),
              dividerFromFrequency(3106, TwoToneUse::Decoder));
    EXPECT_EQ(data.twoToneMem[49], (TwoToneRec{14, 102, 0, 0, 4, 0}));
    EXPECT_EQ(doc.toneDataEdit, doc.toneData);
    EXPECT_TRUE(doc.bModify);
}

TEST_F(TwoToneEditorTest, WithoutOkTheDocumentKeepsItsRecord) {
    const ToneData before = doc.toneData;
    dialog.open();
    dialog.choosePairType(5);
    dialog.enterCell(1, 1);
    dialog.setEditorText("900");
    dialog.enterCell(2, 1);
    dialog.setBoxText(1, "700");
    EXPECT_EQ(doc.toneData, before);
}

} // namespace
} // namespace vn574::document
