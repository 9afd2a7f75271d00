#include "codec/HexText.h"
#include "codec/MemoryMap.h"
#include "document/OptionLists.h"

#include <gtest/gtest.h>

namespace vn574::codec {
namespace {

TEST(HexTextTest, DigitValues) {
    EXPECT_EQ(ConvertHexChr('0'), 0);
    EXPECT_EQ(ConvertHexChr('9'), 9);
    EXPECT_EQ(ConvertHexChr('a'), 10);
    EXPECT_EQ(ConvertHexChr('F'), 15);
    EXPECT_EQ(ConvertHexChr('g'), -1);
    EXPECT_EQ(ConvertHexChr(' '), -1);

    // Lower-case letters and other characters count as 0 in a pair.
    EXPECT_EQ(HexPairValue('1', 'a'), 16);
    EXPECT_EQ(HexPairValue('A', '5'), 165);
    EXPECT_EQ(HexPairValue('Z', 'F'), 15);
}

TEST(HexTextTest, NibbleBitsAreMostSignificantFirst) {
    EXPECT_EQ(NibbleBits(0xA), (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(NibbleBits(0x1), (std::array<int, 4>{0, 0, 0, 1}));
    EXPECT_EQ(NibbleBits(-1), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST(HexTextTest, FixedWidthHexTexts) {
    EXPECT_EQ(Hex2(0x0A), "0A");
    EXPECT_EQ(Hex2(0), "00");
    EXPECT_EQ(Hex2(0xE7), "E7");
    EXPECT_EQ(Hex2(0x12C), "12"); // cut to the first two digits
    EXPECT_EQ(Hex2(-1), "FF");
    EXPECT_EQ(Hex2(0xFF), "FF"); // the last byte, and the first value cut
    EXPECT_EQ(Hex2(0x100), "10");
    EXPECT_EQ(Hex2(-(1LL << 32) + 5), "05"); // 32-bit two's complement of a far negative
    EXPECT_EQ(Hex4(0x1FF0), "1FF0");
    EXPECT_EQ(Hex4(0x12), "0012");
    EXPECT_EQ(Hex4(-1), "FFFF");
    EXPECT_EQ(Hex4(-32768), "8000");
}

TEST(HexTextTest, TrimAtNulAndPasswordBytes) {
    EXPECT_EQ(TrimAtNul(std::string("AB\0CD", 5)), "AB");
    EXPECT_EQ(TrimAtNul("  pass  "), "pass");
    EXPECT_EQ(TrimAtNul(std::string(16, '\0')), "");

    const auto bytes = PutPasswordBytes("abc");
    EXPECT_EQ(bytesToHex(bytes), "61626300000000000000000000000000");
    EXPECT_EQ(bytesToHex(PutPasswordBytes("0123456789ABCDEFGH")),
              "30313233343536373839414243444546");
}

TEST(HexTextTest, BytesAndDigits) {
    std::array<std::uint8_t, 2> out{};
    EXPECT_TRUE(hexToBytes("a5FF", out));
    EXPECT_EQ(out[0], 0xA5);
    EXPECT_EQ(bytesToHex(out), "A5FF");
    EXPECT_FALSE(hexToBytes("A5F", out));
    EXPECT_FALSE(hexToBytes("A5FG", out));
}

TEST(MemoryMapTest, ModelCodes) {
    EXPECT_EQ(modelIndexOfCode("66AA33"), 9);
    EXPECT_EQ(modelIndexOfCode("99AA99"), 31);
    EXPECT_EQ(modelIndexOfCode("335533"), 0);
    EXPECT_EQ(modelIndexOfCode("33AA66"), 3);
    EXPECT_EQ(modelIndexOfCode("CC55CC"), 20);
    EXPECT_FALSE(modelIndexOfCode("123456"));
    EXPECT_FALSE(modelIndexOfCode("66aa33"));
    EXPECT_EQ(modelCodeOf(-1), "000000");
    // Every model has its own code, and its first byte names the band group.
    for (int model = 0; model < 32; ++model) {
        EXPECT_EQ(modelIndexOfCode(modelCodeOf(model)), model);
        EXPECT_EQ(modelCodeOf(model).substr(0, 2), modelCodeOf(model / 8 * 8).substr(0, 2));
    }
}

TEST(MemoryMapTest, ChannelBlocks) {
    EXPECT_EQ(channelOfBlock(32)->row, 1);
    EXPECT_TRUE(channelOfBlock(32)->firstHalf);
    EXPECT_FALSE(channelOfBlock(33)->firstHalf);
    EXPECT_EQ(channelOfBlock(231)->row, 100);
    EXPECT_EQ(channelOfBlock(20)->row, 104);
    EXPECT_EQ(channelOfBlock(23)->row, 103);
    EXPECT_EQ(channelOfBlock(24)->row, 101);
    EXPECT_EQ(channelOfBlock(27)->row, 102);
    EXPECT_FALSE(channelOfBlock(28));
    EXPECT_FALSE(channelOfBlock(232));
    for (int row = 1; row <= 104; ++row) {
        EXPECT_EQ(channelOfBlock(firstBlockOfRow(row))->row, row);
        EXPECT_EQ(channelOfBlock(firstBlockOfRow(row) + 1)->row, row);
    }
}

TEST(MemoryMapTest, OptionCodesFallBackToTheirZeroCode) {
    EXPECT_EQ(wordOfCode(indicationCodes(), 0xA5), "Channel");
    EXPECT_EQ(wordOfCode(indicationCodes(), 0x01), "Frequency");
    EXPECT_EQ(wordOfCode(beepCodes(), -1), "Enable");
    EXPECT_EQ(codeOfWord(securityModeCodes(), "Dly"), 0x5A);
    EXPECT_EQ(codeOfWord(enableDisableCodes(), "----------------"), 0);
}

TEST(OptionListsTest, TimerAndPenaltyPositionsAreTheirCodes) {
    EXPECT_EQ(document::TimeoutTimerList().size(), 16U);
    EXPECT_EQ(document::positionOf(document::TimeoutTimerList(), "0m30sec"), 1);
    EXPECT_EQ(document::positionOf(document::TimeoutTimerList(), "4m00sec"), 8);
    EXPECT_EQ(document::positionOf(document::TimeoutTimerList(), "7m30sec"), 15);
    EXPECT_EQ(document::positionOf(document::TimeoutPenaltyList(), "off"), 0);
    EXPECT_EQ(document::positionOf(document::TimeoutPenaltyList(), "15sec"), 15);
}

} // namespace
} // namespace vn574::codec
