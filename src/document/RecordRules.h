#pragma once

#include "document/ToneData.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vn574::document {

// What a write stores of the records outside the grid, and what it refuses. The encoder
// writes by these rules and the checks report by them.

// The radio's code of one auto-dialer character: a digit its character code, "A", "B",
// "C", "D", "#", "*", "-" 0x3A..0x40; nothing for a character the write leaves out.
std::optional<int> autoDialCharacterCode(char c);
// An auto-dialer memory fills one block: at most this many characters with a code.
inline constexpr std::size_t autoDialMemoryCodes = 16;
std::size_t autoDialCodeCount(std::string_view memory);

// The 5-tone code field has room for 22 digits; a longer code length can never be filled.
inline constexpr std::uint8_t maxFiveToneCodeLength = 22;

// A 5-tone record as a write stores it: the code filled with "E" up to its length, and
// for a memory (`memory`) of more than two digits the own-ID placeholders "E2SelfID" and
// "E3xxxxESelfID" replaced by the own ID `ownId`, with the length following. Nothing when
// the code length does not fit the block.
std::optional<FiveToneRec> storedFiveTone(FiveToneRec record, std::string_view ownId, bool memory);
// The code digits a write sends of a stored record: its first CodeLen characters; nothing
// when one of them is no tone digit (0..9, A..F).
std::optional<std::string> fiveToneDigits(const FiveToneRec& stored);

// Whether the own ID's first SelfIdLen characters (up to five) are all tone digits.
bool ownIdFits(const ToneData& tone);

// A tone digit: 0..9, A..F in either case.
bool isToneDigit(char c);
// The text without the spaces at either end, as the fixed-width fields pad them.
std::string_view trimmedCode(std::string_view text);

} // namespace vn574::document
