#pragma once

#include "document/ValueTables.h"

#include <optional>
#include <string>
#include <string_view>

namespace vn574::document {

struct ChannelWords;

// A decimal number as typed or stored: optional surrounding blanks, an optional sign,
// digits with at most one "." (".5" and "145." count), nothing else. No exponent, no
// thousands separator, no "," as decimal separator: "." is the separator whatever the
// locale, and anything looser would let a typo reach the radio as a frequency.
bool isNumber(std::string_view text);
std::optional<double> parseNumber(std::string_view text);

// A text that stands for one byte: a whole number 0..255 ("7", "07", " 7", "7.0").
std::optional<int> byteNumberOf(std::string_view text);
// An option memory or PTT ID as the radio image keeps it: a whole number, not negative.
// The encoder writes any other text as "0"; a kept one above 255 it cannot write.
bool isStoredPosition(std::string_view text);

// A number formatted with "." and exactly `decimals` decimals, independent of locale.
std::string formatFixed(double value, int decimals);

struct BandLimits {
    double low = 0;
    double high = 0;
    std::string rangeText; // "\"136 - 173.9950\"", limits exactly as written
};

// The Rx and Tx bands, read out of the model's display string by position.
BandLimits rxBand(int modelIndex);
BandLimits txBand(int modelIndex);

// CheckRxFreq / CheckTxFreq without the window state: is the number inside the band?
bool isInBand(const BandLimits& band, std::string_view frequency);

// AdjustRxFreqByStep: the frequency snapped onto the raster of `step` (kHz), formatted
// with five decimals. "", "---" and other non-numbers count as 0; a step that is no
// positive number counts as "5".
std::string AdjustRxFreqByStep(std::string_view frequency, std::string_view step);

// FilterChannelName: the text with every character a channel name may not hold removed.
std::string FilterChannelName(std::string_view text);

// A name that arrives whole (a file, the clipboard) rather than typed: kept as it is when
// the radio can show it, so the radio's own lower-case symbols survive; otherwise with
// its lower-case letters as capitals, as typing them gives. Nothing when characters
// remain that a name may not hold: dropping them silently would change the name.
std::optional<std::string> nameFromText(std::string_view text);

inline constexpr std::size_t maxNameLength = 7;
inline constexpr std::size_t maxFrequencyLength = 9;

// A name pasted as plain text: what typing it would give (lower-case letters as
// capitals), or nothing when characters remain that a name may not hold.
std::optional<std::string> nameAsTyped(std::string_view text);

// The radio's code of one name character; nothing for a character it has no glyph for.
std::optional<int> nameCharacterCode(char c);

// What a write stores of a channel's cells. The encoder writes by these rules and the
// live checks hold the grid to them, so the two cannot disagree: nothing means the radio
// would get something other than the cell shows. An empty cell counts as the value the
// encoder writes for it.

// The receive frequency's seven digits (three whole, four decimal) from its first eight
// characters: one to three digits, ".", at least four digits.
std::optional<std::string> storedRxDigits(std::string_view rx);
// The step's code, its position in the step list; empty is "5", as an empty step pick.
std::optional<int> stepCodeOf(std::string_view step);
// The W/N bit from the stored word: "narrow" 1, "wide" or empty 0.
std::optional<bool> narrowBitOf(std::string_view stored);
// DCS DET, BCL and ANI: "on" 1, "off" or empty 0.
std::optional<bool> switchBitOf(std::string_view text);
// Shift and PAC mode share one digit, which has codes only for pairs of "off"/"on".
std::optional<int> switchPairDigitOf(std::string_view shift, std::string_view pac);
// The scan-skip bit from the words of the language shown: entry 0 or empty 0, entry 1 1.
std::optional<bool> scanSkipBitOf(std::string_view text, const ChannelWords& words);
// The list an option memory (or PTT ID) of `signal` picks from; empty when the signal
// sends none.
TextList signalPositionList(std::string_view signal, bool pttId);
// The entry of `list` that an option memory or PTT ID shows below the grid: empty is
// entry 0; otherwise a plain whole number inside the list.
std::optional<int> shownSignalPosition(std::string_view text, TextList list);
// Options 3 and 4 (MR No, SQL No): one byte each; empty is 0.
std::optional<int> optionByteOf(std::string_view text);

// What typing `key` (a character code) into the name editor does: the character to
// insert (a-z become capitals) or nothing when the key is refused.
std::optional<char> nameKeyResult(int key);

} // namespace vn574::document
