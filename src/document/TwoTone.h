#pragma once

#include "document/ValueTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vn574::document {

// The radio derives every 2-tone frequency from this clock. Memory tones are stored as
// clock ÷ f, the decoder's tones as clock ÷ 2f, each with one decimal digit.
inline constexpr std::int64_t twoToneClock = 3686400;

inline constexpr int twoToneMinHz = 280;
inline constexpr int twoToneMaxHz = 3106;
inline constexpr int twoToneDefaultHz = 1000; // decoder tone given for a zero divider
inline constexpr std::string_view twoToneBoxDefault = "2000";

// A divider as the record holds it: high byte, low byte and the tenths digit.
struct ToneDivider {
    std::uint8_t hi = 0;
    std::uint8_t lo = 0;
    std::uint8_t frac = 0;
    bool operator==(const ToneDivider&) const = default;

    // The radio's divider is an unsigned 16-bit count; a high byte of 128 or more is
    // read as such rather than as a negative number, so the frequency shown is the one
    // the radio would really produce.
    [[nodiscard]] unsigned whole() const { return (unsigned{hi} << 8U) | lo; }
    [[nodiscard]] bool isZero() const { return hi == 0 && lo == 0; }
};

enum class TwoToneUse { Memory, Decoder };

// The divider that produces `hertz` (> 0). Computed in whole tenths so that frequencies
// whose divider has an exact tenth (375 Hz gives 9830.4) do not lose it to rounding.
ToneDivider dividerFromFrequency(int hertz, TwoToneUse use);

// The frequency a divider produces, in whole hertz: half up for a memory tone, to the
// nearest (ties to even) for a decoder tone, as the two lists have always shown them.
// 0 for a zero divider.
int frequencyFromDivider(const ToneDivider& divider, TwoToneUse use);

// A typed frequency limited to 280..3106 Hz; nothing when the text is not a number.
std::optional<int> limitedTwoToneFrequency(std::string_view text);

// Leaving a decoder frequency box: "2000" for a non-number, else the limited value.
std::string checkedTwoToneBox(std::string_view text);

// The 15 decoder pair types: which of the boxes A..D (0..3) give the first and the
// second tone; -1 for the Long types, which use one tone.
struct TwoTonePairType {
    std::string_view name;
    int first;
    int second;
};
inline constexpr int twoTonePairTypeCount = 15;
const std::array<TwoTonePairType, twoTonePairTypeCount>& TwoTonePairTypes();

// The timing lists: 0.5 .. 10.0 s for the three tone times (position = stored - 5) and
// 0 .. 2000 ms for the interval (position = stored).
TextList TwoToneTimeList();
TextList TwoToneIntervalList();
inline constexpr int twoToneTimeOffset = 5;
inline constexpr int twoToneDefaultLongTime = 5;  // item 5 (1.0 s)
inline constexpr int twoToneDefaultInterval = 10; // item 10 (1000 ms)

} // namespace vn574::document
