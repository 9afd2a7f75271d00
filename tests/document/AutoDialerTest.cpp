#include "document/options/AutoDialer.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

using Keys = std::vector<std::string_view>;
constexpr std::string_view invalid = AutoDialer::invalidCharacterKey;
constexpr std::string_view tooLong = AutoDialer::tooLongKey;

TEST(AutoDialerTest, EachBadCharacterCostsTheLastCharacterAndAWarning) {
    struct Case {
        std::string_view text;
        std::string_view result;
        Keys warnings;
    };
    const std::vector<Case> cases{
        {"12#x", "12#", {invalid}},
        {"1x2", "1", {invalid, invalid}},
        {"x", "", {invalid}},
        {"*1ab", "*1AB", {}},
        {"-#*0123456789ABCDabcd", "-#*0123456789ABC", {tooLong}},
        {"12345678901234567", "1234567890123456", {tooLong}},
        {"1234567890123456", "1234567890123456", {}},
        // The bad characters go first, and only then the length is checked.
        {"1234567890123456x7", "1234567890123456", {invalid, invalid}},
        {"12345678901234567890x", "1234567890123456", {invalid, tooLong}},
        {"e|1", "", {invalid, invalid, invalid}},
        {"", "", {}},
    };
    for (const auto& c : cases) {
        const auto checked = AutoDialer::check(c.text);
        EXPECT_EQ(checked.text, c.result) << c.text;
        EXPECT_EQ(checked.warnings, c.warnings) << c.text;
    }
}

class AutoDialerEditorTest : public ::testing::Test {
protected:
    test::EditorFixture f;
    Document& doc = f.editor.document();
    AutoDialer dialer{f.editor};

    [[nodiscard]] std::string text(std::string_view key) const {
        return f.editor.langText("OTHERS", key);
    }
};

TEST_F(AutoDialerEditorTest, OkWithEmptyBoxesWritesTheEmptyRecord) {
    doc.strAutoDial = "Ad|1|2|3|4|5|6|7|8|9|";
    for (int box = 0; box < AutoDialer::memoryCount; ++box) {
        dialer.setText(box, "");
    }
    dialer.accept();
    EXPECT_EQ(doc.strAutoDial, "Ad||||||||||");
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_TRUE(doc.bModify);
}

TEST_F(AutoDialerEditorTest, OpeningPutsEachMemoryIntoItsBox) {
    doc.strAutoDial = "Ad|123|*#-|||||||ABCD|";
    dialer.open();
    EXPECT_EQ(dialer.text(0), "123");
    EXPECT_EQ(dialer.text(1), "*#-");
    EXPECT_EQ(dialer.text(8), "ABCD");
    dialer.setText(2, "*1ab");
    dialer.accept();
    EXPECT_EQ(doc.strAutoDial, "Ad|123|*#-|*1AB||||||ABCD|");
}

TEST_F(AutoDialerEditorTest, WarningsAreShownOncePerRepair) {
    dialer.open();
    EXPECT_EQ(dialer.setText(0, "12#x"), "12#");
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0],
              "Invalid character. Only 0-9, A, B, C, D, *, # and - are allowed.");
    EXPECT_EQ(dialer.setText(1, "1x2"), "1");
    EXPECT_EQ(f.prompts.messages.size(), 3U);
    dialer.setText(2, "00000000000000000");
    ASSERT_EQ(f.prompts.messages.size(), 4U);
    EXPECT_EQ(f.prompts.messages[3], text(tooLong));
    dialer.accept();
    EXPECT_EQ(doc.strAutoDial, "Ad|12#|1|0000000000000000|||||||");
}

TEST_F(AutoDialerEditorTest, DamagedRecordsAreRepairedAsTheyOpen) {
    // Short records, long memories and characters no radio key can dial, as a hand-edited
    // data file may hold them: OK always writes the nine memories and the closing "|".
    doc.strAutoDial = "Ad|12x|99999999999999999999";
    dialer.open();
    EXPECT_EQ(f.prompts.messages, (std::vector<std::string>{text(invalid), text(tooLong)}));
    dialer.accept();
    EXPECT_EQ(doc.strAutoDial, "Ad|12|9999999999999999||||||||");

    doc.strAutoDial = "";
    AutoDialer empty(f.editor);
    empty.open();
    empty.accept();
    EXPECT_EQ(doc.strAutoDial, "Ad||||||||||");
}

TEST(AutoDialerKeysTest, DialCharactersAreTypedAsTheyAre) {
    const auto filter = AutoDialer::keyFilter();
    for (const auto* typed : {"0", "9", "A", "d", "*", "#", "-"}) {
        EXPECT_EQ(filter.decide({KeyPress::Kind::Text, typed}).action, KeyDecision::Action::Pass)
            << typed;
    }
    for (const auto* refused : {"E", "e", "x", "|", " ", "+"}) {
        EXPECT_EQ(filter.decide({KeyPress::Kind::Text, refused}).action,
                  KeyDecision::Action::Discard)
            << refused;
    }
}

} // namespace
} // namespace vn574::document
