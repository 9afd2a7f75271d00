#include "document/TwoTone.h"

#include "document/FieldRules.h"

#include <algorithm>
#include <cmath>

namespace vn574::document {
namespace {

constexpr std::array<TwoTonePairType, twoTonePairTypeCount> pairTypes{{
    {"A-B", 0, 1},
    {"A-C", 0, 2},
    {"A-D", 0, 3},
    {"B-A", 1, 0},
    {"B-C", 1, 2},
    {"B-D", 1, 3},
    {"C-A", 2, 0},
    {"C-B", 2, 1},
    {"C-D", 2, 3},
    {"D-A", 3, 0},
    {"D-B", 3, 1},
    {"D-C", 3, 2},
    {"Long A", 0, -1},
    {"Long B", 1, -1},
    {"Long C", 2, -1},
}};

constexpr std::array<std::string_view, 96> toneTimes{
    "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.1", "1.2", "1.3", "1.4", "1.5", "1.6",
    "1.7", "1.8", "1.9", "2.0", "2.1", "2.2", "2.3", "2.4", "2.5", "2.6", "2.7", "2.8",
    "2.9", "3.0", "3.1", "3.2", "3.3", "3.4", "3.5", "3.6", "3.7", "3.8", "3.9", "4.0",
    "4.1", "4.2", "4.3", "4.4", "4.5", "4.6", "4.7", "4.8", "4.9", "5.0", "5.1", "5.2",
    "5.3", "5.4", "5.5", "5.6", "5.7", "5.8", "5.9", "6.0", "6.1", "6.2", "6.3", "6.4",
    "6.5", "6.6", "6.7", "6.8", "6.9", "7.0", "7.1", "7.2", "7.3", "7.4", "7.5", "7.6",
    "7.7", "7.8", "7.9", "8.0", "8.1", "8.2", "8.3", "8.4", "8.5", "8.6", "8.7", "8.8",
    "8.9", "9.0", "9.1", "9.2", "9.3", "9.4", "9.5", "9.6", "9.7", "9.8", "9.9", "10.0"};

constexpr std::array<std::string_view, 21> intervals{
    "0",    "100",  "200",  "300",  "400",  "500",  "600",  "700",  "800",  "900", "1000",
    "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000"};

std::int64_t clockFor(TwoToneUse use) {
    return use == TwoToneUse::Memory ? twoToneClock : twoToneClock / 2;
}

} // namespace

ToneDivider dividerFromFrequency(int hertz, TwoToneUse use) {
    if (hertz <= 0) {
        return {};
    }
    const std::int64_t tenths = clockFor(use) * 10 / hertz;
    const std::int64_t whole = std::min<std::int64_t>(tenths / 10, 0xFFFF);
    return {static_cast<std::uint8_t>(whole / 256), static_cast<std::uint8_t>(whole % 256),
            static_cast<std::uint8_t>(tenths % 10)};
}

int frequencyFromDivider(const ToneDivider& divider, TwoToneUse use) {
    const std::int64_t tenths = std::int64_t{divider.whole()} * 10 + divider.frac;
    if (tenths == 0) {
        return 0;
    }
    const std::int64_t numerator = clockFor(use) * 10;
    const std::int64_t quotient = numerator / tenths;
    const std::int64_t twiceRemainder = 2 * (numerator % tenths);
    if (use == TwoToneUse::Memory) {
        return static_cast<int>(twiceRemainder >= tenths ? quotient + 1 : quotient);
    }
    if (twiceRemainder > tenths || (twiceRemainder == tenths && quotient % 2 == 1)) {
        return static_cast<int>(quotient + 1);
    }
    return static_cast<int>(quotient);
}

std::optional<int> limitedTwoToneFrequency(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value) {
        return std::nullopt;
    }
    const double limited =
        std::clamp(*value, static_cast<double>(twoToneMinHz), static_cast<double>(twoToneMaxHz));
    return static_cast<int>(std::lround(limited));
}

std::string checkedTwoToneBox(std::string_view text) {
    const auto value = limitedTwoToneFrequency(text);
    return value ? std::to_string(*value) : std::string(twoToneBoxDefault);
}

const std::array<TwoTonePairType, twoTonePairTypeCount>& TwoTonePairTypes() {
    return pairTypes;
}

TextList TwoToneTimeList() {
    return toneTimes;
}
TextList TwoToneIntervalList() {
    return intervals;
}

} // namespace vn574::document
