#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vn574::document {
namespace {

TEST(BandTest, LimitsOfAllModelsAreReadFromTheDisplayString) {
    // Expected limits as the display strings print them.
    const std::vector<std::tuple<int, double, double, double, double, std::string, std::string>>
        bands{
            {0, 26, 45.995, 26, 45.995, "\"26 - 45.9950\"", "\"26 - 45.9950\""},
            {1, 27, 42.995, 27, 42.995, "\"27 - 42.9950\"", "\"27 - 42.9950\""},
            {2, 136, 173.995, 144, 145.995, "\"136 - 173.9950\"", "\"144 - 145.9950\""},
            {5, 136, 173.995, 144, 147.995, "\"136 - 173.9950\"", "\"144 - 147.9950\""},
            {8, 245, 245.9875, 245, 245.9875, "\"245 - 245.9875\"", "\"245 - 245.9875\""},
            {14, 216, 279.995, 222, 224.995, "\"216 - 279.9950\"", "\"222 - 224.9950\""},
            {15, 216, 279.995, 220, 259.995, "\"216 - 279.9950\"", "\"220 - 259.9950\""},
            {25, 400, 489.995, 400, 489.995, "\"400 - 489.9950\"", "\"400 - 489.9950\""},
            {31, 400, 429.995, 400, 429.995, "\"400 - 429.9950\"", "\"400 - 429.9950\""},
        };
    for (const auto& [model, rxLow, rxHigh, txLow, txHigh, rxText, txText] : bands) {
        SCOPED_TRACE(model);
        EXPECT_DOUBLE_EQ(rxBand(model).low, rxLow);
        EXPECT_DOUBLE_EQ(rxBand(model).high, rxHigh);
        EXPECT_DOUBLE_EQ(txBand(model).low, txLow);
        EXPECT_DOUBLE_EQ(txBand(model).high, txHigh);
        EXPECT_EQ(rxBand(model).rangeText, rxText);
        EXPECT_EQ(txBand(model).rangeText, txText);
    }
    // Every model: the range text is what the display string says between its brackets.
    for (const auto& entry : ModelTable()) {
        const std::string display(entry.display);
        const auto rx =
            display.substr(display.find('(') + 1, display.find(')') - display.find('(') - 1);
        const auto secondOpen = display.find('(', display.find('(') + 1);
        const auto tx = display.substr(secondOpen + 1, display.rfind(')') - secondOpen - 1);
        const auto dashed = [](std::string s) {
            return "\"" + s.replace(s.find('-'), 1, " - ") + "\"";
        };
        EXPECT_EQ(rxBand(entry.index).rangeText, dashed(rx)) << entry.index;
        EXPECT_EQ(txBand(entry.index).rangeText, dashed(tx)) << entry.index;
    }
}

TEST(BandTest, LimitsAreInclusive) {
    EXPECT_TRUE(isInBand(rxBand(2), "173.9950"));
    EXPECT_FALSE(isInBand(rxBand(2), "173.9951"));
    EXPECT_TRUE(isInBand(rxBand(2), "136"));
    EXPECT_FALSE(isInBand(rxBand(2), "135.99999"));
    EXPECT_FALSE(isInBand(rxBand(2), "abc"));
    EXPECT_FALSE(isInBand(rxBand(-1), "145"));
}

TEST(NumberTest, PlainDecimalNotationWithPointOnly) {
    for (const char* text : {"145", "145.5", " 145.5 ", ".5", "145.", "+145.5", "-1"}) {
        EXPECT_TRUE(isNumber(text)) << text;
    }
    for (const char* text :
         {"", " ", ".", "145,5", "1e3", "145.5.5", "0x10", "1 45", "abc", "---", "+"}) {
        EXPECT_FALSE(isNumber(text)) << text;
    }
    EXPECT_DOUBLE_EQ(*parseNumber("145.0125"), 145.0125);
    EXPECT_DOUBLE_EQ(*parseNumber("-1.5"), -1.5);
}

TEST(SnapTest, NearestRasterPointWithHalfwayGoingUp) {
    EXPECT_EQ(AdjustRxFreqByStep("145.0126", "6.25"), "145.01250");
    EXPECT_EQ(AdjustRxFreqByStep("145.0126", "5"), "145.01500");
    EXPECT_EQ(AdjustRxFreqByStep("155", "6.25"), "155.00000");
    EXPECT_EQ(AdjustRxFreqByStep("145.00625", "12.5"), "145.01250");
    EXPECT_EQ(AdjustRxFreqByStep("145.00624", "12.5"), "145.00000");
    EXPECT_EQ(AdjustRxFreqByStep("145.99", "30"), "145.99000");
    EXPECT_EQ(AdjustRxFreqByStep("145.99", "50"), "146.00000");
    EXPECT_EQ(AdjustRxFreqByStep("145.5000", "12.5"), "145.50000");
    EXPECT_EQ(AdjustRxFreqByStep("027.0000", "5"), "27.00000");
}

TEST(SnapTest, EightPointThreeThreeRasterSnapsDownOntoThirdsOf25kHz) {
    EXPECT_EQ(AdjustRxFreqByStep("118.0249", "8.33"), "118.01666");
    EXPECT_EQ(AdjustRxFreqByStep("118.025", "8.33"), "118.02500");
    EXPECT_EQ(AdjustRxFreqByStep("118.00833", "8.33"), "118.00833");
    EXPECT_EQ(AdjustRxFreqByStep("118.05", "8.33"), "118.05000");
    EXPECT_EQ(AdjustRxFreqByStep("118.99999", "8.33"), "118.99166");
}

TEST(SnapTest, EmptyOrNotInUseCountsAsZeroAndBadStepsAsFive) {
    EXPECT_EQ(AdjustRxFreqByStep("", "5"), "0.00000");
    EXPECT_EQ(AdjustRxFreqByStep("---", "12.5"), "0.00000");
    EXPECT_EQ(AdjustRxFreqByStep("145.0126", ""), "145.01500");
    EXPECT_EQ(AdjustRxFreqByStep("145.0126", "0"), "145.01500");
}

TEST(NameRulesTest, FilterKeepsAllowedCharactersInOrder) {
    EXPECT_EQ(FilterChannelName("kx"), "x");
    EXPECT_EQ(FilterChannelName("CH 1/*#"), "CH 1/*#");
    EXPECT_EQ(FilterChannelName("Ab\xC3\xA9!c"), "Ab");
    EXPECT_EQ(FilterChannelName("gdexziylpuftsbwvaoj"), "gdexziylpuftsbwvaoj");
    EXPECT_EQ(FilterChannelName("\\=()$_+-"), "\\=()$_+-");
}

TEST(NameRulesTest, TypingUpperCasesAndRefusesClipboardAndWideCharacters) {
    EXPECT_EQ(nameKeyResult('a'), 'A');
    EXPECT_EQ(nameKeyResult('b'), 'B');
    EXPECT_EQ(nameKeyResult('5'), '5');
    EXPECT_FALSE(nameKeyResult(3));
    EXPECT_FALSE(nameKeyResult(22));
    EXPECT_FALSE(nameKeyResult(24));
    EXPECT_FALSE(nameKeyResult(13));
    EXPECT_FALSE(nameKeyResult(200));
}

} // namespace
} // namespace vn574::document
