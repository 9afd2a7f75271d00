#include "document/options/DtmfMemories.h"

#include "document/ToneData.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

using Action = KeyDecision::Action;

TEST(DtmfMemoriesTest, CodesShowAsHexadecimalWithoutLeadingZeros) {
    EXPECT_EQ(DtmfMemories::codeText(0), "0");
    EXPECT_EQ(DtmfMemories::codeText(0xA1), "A1");
    EXPECT_EQ(DtmfMemories::codeText(0x12A), "12A");
    EXPECT_EQ(DtmfMemories::codeText(0x100), "100");
    // A memory read from the radio may hold any 16 bits.
    EXPECT_EQ(DtmfMemories::codeText(-1), "FFFF");
    EXPECT_EQ(DtmfMemories::codeText(static_cast<std::int16_t>(0x8000)), "8000");
}

TEST(DtmfMemoriesTest, BoxTextsReadBackAsTheirCode) {
    EXPECT_EQ(DtmfMemories::codeValue("0A1"), 0xA1);
    EXPECT_EQ(DtmfMemories::codeValue(""), 0);
    EXPECT_EQ(DtmfMemories::codeValue("999"), 0x999);
    EXPECT_EQ(DtmfMemories::codeValue("FFFF"), -1);
    EXPECT_EQ(DtmfMemories::codeValue("fff"), 0xFFF);
    EXPECT_EQ(DtmfMemories::codeValue("1G"), std::nullopt);
    EXPECT_EQ(DtmfMemories::codeValue("12345"), std::nullopt);
    EXPECT_EQ(DtmfMemories::codeValue(" 1"), std::nullopt);
}

TEST(DtmfMemoriesTest, OkWritesTheSevenEditableMemoriesOfTheRecordItself) {
    ToneData tone;
    tone.dtmfMem = {0x1, 0x22, 0x333, 0x4, 0x5, 0x6, 0x7, 0x123};
    DtmfMemories memories(tone);
    EXPECT_EQ(memories.text(2), "333");
    EXPECT_EQ(memories.text(7), "123");

    memories.setText(0, "0A1");
    memories.setText(1, "");
    memories.setText(6, "A");
    memories.setText(7, "999"); // CP is never written
    memories.accept(tone);
    EXPECT_EQ(tone.dtmfMem[0], 0xA1);
    EXPECT_EQ(tone.dtmfMem[1], 0);
    EXPECT_EQ(tone.dtmfMem[2], 0x333);
    EXPECT_EQ(tone.dtmfMem[6], 0xA);
    EXPECT_EQ(tone.dtmfMem[7], 0x123);

    const DtmfMemories reopened(tone);
    EXPECT_EQ(reopened.text(0), "A1");
    EXPECT_EQ(reopened.text(1), "0");
}

TEST(DtmfMemoriesTest, UntypedTextIsReducedToACodeThatFitsTheBox) {
    ToneData tone;
    tone.dtmfMem[3] = -1;
    DtmfMemories memories(tone);
    EXPECT_EQ(memories.maxLength(0), 3);
    EXPECT_EQ(memories.maxLength(3), 4); // "FFFF" is not cut on opening
    EXPECT_EQ(memories.setText(0, "1x2b#"), "12B");
    EXPECT_EQ(memories.setText(1, "12345"), "123");
    EXPECT_EQ(memories.text(3), "FFFF");
    memories.accept(tone);
    EXPECT_EQ(tone.dtmfMem[0], 0x12B);
    EXPECT_EQ(tone.dtmfMem[3], -1); // a memory left alone keeps its value
}

TEST(DtmfMemoriesTest, KeysTypeOnlyDigitsAndA) {
    const auto filter = DtmfMemories::keyFilter();
    const auto typed = [&](std::string text) {
        return filter.decide({KeyPress::Kind::Text, std::move(text)});
    };
    EXPECT_EQ(typed("a"), (KeyDecision{Action::Type, "A"}));
    EXPECT_EQ(typed("A").action, Action::Pass);
    EXPECT_EQ(typed("7").action, Action::Pass);
    for (const auto* refused : {"B", "b", "F", "#", "*", " ", "\xc3\xa4"}) {
        EXPECT_EQ(typed(refused).action, Action::Discard) << refused;
    }
}

} // namespace
} // namespace vn574::document
