#include "document/FiveTone.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

std::string keyText(std::string_view key) {
    return "<" + std::string(key) + ">";
}

TEST(FiveToneCodeTest, RepeatRuleStoresEqualNeighboursAsE) {
    EXPECT_EQ(Add5ToneE("11223"), "1E2E3");
    EXPECT_EQ(Add5ToneE("1E2E3"), "1E2E3");
    EXPECT_EQ(Add5ToneE("111"), "1E1");
    EXPECT_EQ(Add5ToneE("11111"), "1E1E1");
    EXPECT_EQ(Add5ToneE("7"), "7");
    EXPECT_EQ(Add5ToneE(""), "");
}

TEST(FiveToneCodeTest, DataMessagePairsAreNeverRepeatCoded) {
    EXPECT_EQ(Add5ToneE("E123456E4142"), "E123456E4142");
    EXPECT_EQ(Add5ToneE("E112345E4142"), "E1E2345E4142");
    EXPECT_EQ(Add5ToneE("E112345E4444"), "E1E2345E4444");
    // Only data messages keep their tail: any other code is repeat-coded throughout.
    EXPECT_EQ(Add5ToneE("E312345E4444"), "E312345E4E4E");
    EXPECT_EQ(Add5ToneE(Add5ToneE("E112345E4142")), "E1E2345E4142");
}

TEST(FiveToneCodeTest, MidWithoutRepeatsRestoresTheDigits) {
    EXPECT_EQ(Mid5ToneNoE("E1E2345E4142", 3, 5), "12345");
    EXPECT_EQ(Mid5ToneNoE("E31E1E1ESelfID", 3, 5), "11111");
    EXPECT_EQ(Mid5ToneNoE("E4123", 3, 5), "123");
    EXPECT_EQ(Mid5ToneNoE("E4", 3, 5), "");
    EXPECT_EQ(Mid5ToneNoE("E234", 1, 2), "E2");
}

TEST(FiveToneStandardTest, TableHoldsTheThirteenStandardsInOrder) {
    const std::array<std::string_view, 13> names{"ZVEI1",       "ZVEI2", "ZVEI3", "PZVEI", "DZVEI",
                                                 "PDZVEI",      "CCIR1", "CCIR2", "PCCIR", "EEA",
                                                 "EURO SIGNAL", "NATEL", "MODAT"};
    const std::array<int, 13> lengths{70, 70, 70, 70, 70, 70, 100, 70, 100, 40, 100, 70, 40};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(FiveToneStandards()[i].name, names[i]);
        EXPECT_EQ(FiveToneStandards()[i].lengthMs, lengths[i]) << names[i];
        EXPECT_EQ(fiveToneStandardPosition(names[i]), static_cast<int>(i));
    }
    EXPECT_EQ(fiveToneStandard(13), nullptr);
    EXPECT_EQ(fiveToneStandard(-1), nullptr);
    EXPECT_EQ(fiveToneStandardPosition("CCIR"), -1);
    EXPECT_EQ(FiveToneStandards()[4].tones[10], "825/885");
    EXPECT_EQ(FiveToneStandards()[5].tones[11], "886");
    EXPECT_EQ(FiveToneStandards()[10].tones[0], "979.8");
    EXPECT_EQ(FiveToneStandards()[10].tones[5], "652.0");
    EXPECT_EQ(FiveToneStandards()[12].tones[14], "487.5");
    EXPECT_EQ(FiveToneStandards()[8].tones[15], "");
    EXPECT_EQ(FiveToneStandards()[11].tones[1], "631");
}

TEST(FiveToneStandardTest, InfoTextListsTheToneTable) {
    EXPECT_EQ(standardInfoText(2, keyText),
              "ZVEI3\r\n<60085>(Hz)\r\n0 2200\r\n1 970\r\n2 1060\r\n3 1160\r\n4 1270\r\n"
              "5 1400\r\n6 1530\r\n7 1670\r\n8 1830\r\n9 2000\r\nA 885\r\nB \r\nC \r\nD \r\n"
              "E 2400\r\nF \r\n<60086>(ms) 70\r\n<60087> A\r\n<60088> E\r\n");
    EXPECT_EQ(standardInfoText(13, keyText), "");
}

TEST(FiveToneStandardTest, LengthAndDelayLists) {
    ASSERT_EQ(FiveToneLengthList().size(), 8U);
    EXPECT_EQ(FiveToneLengthList()[0], "30");
    EXPECT_EQ(FiveToneLengthList()[7], "100");
    ASSERT_EQ(SelfIdDelayList().size(), 256U);
    EXPECT_EQ(SelfIdDelayList()[1], "10");
    EXPECT_EQ(SelfIdDelayList()[255], "2550");
}

TEST(SpecialCallCodeTest, CodesForMemoriesKeepTheOwnIdPlaceholder) {
    EXPECT_EQ(specialCallCode(SpecialCallKind::DataMessage, false, "23456", "AB", "99999"),
              "E123456E4142");
    EXPECT_EQ(specialCallCode(SpecialCallKind::EmergencyAlarm, false, "", "", "99999"), "E2SelfID");
    EXPECT_EQ(specialCallCode(SpecialCallKind::EmergencyAlarm, true, "", "", "99999"), "E299999");
    EXPECT_EQ(specialCallCode(SpecialCallKind::AlarmReset, true, "", "", "99999"), "E0AEAEA");
    EXPECT_EQ(specialCallCode(SpecialCallKind::Ani, false, "54321", "", "99999"), "E354321ESelfID");
    EXPECT_EQ(specialCallCode(SpecialCallKind::Ani, true, "54321", "", "99999"), "E354321E99999");
    EXPECT_EQ(specialCallCode(SpecialCallKind::RemoteStun, false, "1A2A3", "", ""), "E41A2A3");
    EXPECT_EQ(specialCallCode(SpecialCallKind::RemoteRevive, true, "12345", "", ""), "E512345");
    // A full message fills the 22 characters of a code exactly.
    EXPECT_EQ(specialCallCode(SpecialCallKind::DataMessage, false, "12345", "HELLO79", "").size(),
              22U);
}

TEST(SpecialCallCodeTest, MemoryGridRecognisesSpecialCodes) {
    auto view = showMemoryCode("E1E2345E4142", keyText);
    EXPECT_EQ(view.kind, "<60073>");
    EXPECT_EQ(view.details, "12345        <60084>AB");
    view = showMemoryCode("E123456E41", keyText);
    EXPECT_EQ(view.details, "23456        <60084>A");
    // Broken pairs are no characters: shown as "?", and a lone digit is dropped.
    EXPECT_EQ(showMemoryCode("E123456E0G415", keyText).details, "23456        <60084>?A");

    EXPECT_EQ(showMemoryCode("E212345", keyText).kind, "<60074>");
    EXPECT_EQ(showMemoryCode("E212345", keyText).details, "");
    EXPECT_EQ(showMemoryCode("E2SelfID", keyText).kind, "<60074>");
    EXPECT_EQ(showMemoryCode("E0AEAEA", keyText).kind, "<60075>");
    EXPECT_EQ(showMemoryCode("E0AAAAA", keyText).kind, "<60075>");
    EXPECT_EQ(showMemoryCode("E354321E12345", keyText).kind, "ANI");
    EXPECT_EQ(showMemoryCode("E354321E12345", keyText).details, "54321");
    // "E442345" stored: the repeat after the prefix digit is part of the ID.
    EXPECT_EQ(showMemoryCode("E4E2345", keyText).details, "42345");
    EXPECT_EQ(showMemoryCode("E4E2345", keyText).kind, "<60069>");
    EXPECT_EQ(showMemoryCode("E512345", keyText).kind, "<60082>");

    // Too short, or not one of the patterns: an ordinary code.
    for (const std::string_view code : {"E21234", "E123456", "E0AEAEB", "E6123456", "E", ""}) {
        view = showMemoryCode(code, keyText);
        EXPECT_EQ(view.kind, "") << code;
        EXPECT_EQ(view.details, code);
    }
}

} // namespace
} // namespace vn574::document
