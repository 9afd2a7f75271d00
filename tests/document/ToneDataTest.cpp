#include "document/ToneData.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

TEST(ToneDataTest, PackedLayoutHasItsFixedOffsets) {
    ToneData data;
    data.dtmfMem[0] = 0x0A1;
    data.dtmfMem[7] = -1;
    data.twoToneMem[0].div1Hi = 0x11;
    data.twoToneMem[99].frac2 = 0x22;
    data.selfId = "98765";
    data.selfIdDelay = 0x33;
    data.pttIdBot.code = "E2SelfID";
    data.fiveToneMem[0].std = 4;
    data.fiveToneMem[99].code = "1234567890123456789012345";
    const auto bytes = data.pack();
    ASSERT_EQ(bytes.size(), 3295U);
    EXPECT_EQ(bytes[0], 0xA1);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[14], 0xFF);
    EXPECT_EQ(bytes[15], 0xFF);
    EXPECT_EQ(bytes[21], 3);   // ToneADivHi
    EXPECT_EQ(bytes[22], 153); // ToneADivLo
    EXPECT_EQ(bytes[25], 6);   // ToneAFrac
    EXPECT_EQ(bytes[28], 5);   // TwoToneSet[0]
    EXPECT_EQ(bytes[31], 10);  // TwoToneSet[3]
    EXPECT_EQ(bytes[32], 0x11);
    EXPECT_EQ(bytes[32 + 99 * 6 + 5], 0x22);
    EXPECT_EQ(bytes[635], 5); // SelfIdLen
    EXPECT_EQ(bytes[636], 7); // SelfIdTime
    EXPECT_EQ(std::string(bytes.begin() + 637, bytes.begin() + 642), "98765");
    EXPECT_EQ(bytes[642], 0x33);
    EXPECT_EQ(bytes[643 + 3], 7); // PttIdBot.ToneTime
    EXPECT_EQ(std::string(bytes.begin() + 647, bytes.begin() + 669), "E2SelfID              ");
    EXPECT_EQ(bytes[695 + 1], 4);
    EXPECT_EQ(std::string(bytes.begin() + 695 + 99 * 26 + 4, bytes.end()),
              "1234567890123456789012");
}

TEST(ToneDataTest, UnpackReproducesEveryField) {
    ToneData data;
    data.dtmfMem = {1, 2, 3, -4, 5, 6, 7, 8};
    data.twoToneType = 14;
    data.twoToneSet = {1, 2, 3, 4};
    data.twoToneMem[42] = {1, 2, 3, 4, 5, 6};
    data.selfIdMode = 2;
    data.pttIdEot = {9, 12, 22, 10, "ABCDEF"};
    data.fiveToneMem[57] = {0, 3, 5, 4, "11E22"};
    const auto bytes = data.pack();
    EXPECT_EQ(ToneData::unpack(bytes), data);
}

TEST(ToneDataTest, ResetGivesNewDocumentStateButKeepsTwoToneFractions) {
    ToneData data;
    data.dtmfMem[3] = 99;
    data.twoToneMem[5] = {1, 2, 3, 4, 7, 8};
    data.fiveToneMem[1].codeLen = 4;
    data.fiveToneMem[1].code = "1234";
    data.selfId = "00000";
    data.reset();
    EXPECT_EQ(data.dtmfMem[3], 0);
    EXPECT_EQ(data.twoToneMem[5], (TwoToneRec{0, 0, 0, 0, 7, 8}));
    EXPECT_EQ(data.fiveToneMem[1].codeLen, 0);
    EXPECT_EQ(data.fiveToneMem[1].toneTime, 7);
    EXPECT_EQ(data.fiveToneMem[1].code.str(), std::string(22, ' '));
    EXPECT_EQ(data.selfId.str(), "12345");
    EXPECT_EQ(data.selfIdLen, 5);
    // Both 2-tone setting tones read 2000 Hz: 3686400 / (2 * (921 + 0.6)).
    const double divisor = 256.0 * data.toneADivHi + data.toneADivLo + data.toneAFrac / 10.0;
    EXPECT_DOUBLE_EQ(3686400.0 / (2 * divisor), 2000.0);
}

} // namespace
} // namespace vn574::document
