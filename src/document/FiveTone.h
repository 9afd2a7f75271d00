#pragma once

#include "document/ValueTables.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace vn574::document {

// Add5ToneE: the repeat rule with which every 5-tone code is stored. A tone digit equal
// to the digit stored just before it becomes "E", because the radio cannot send the
// same tone twice in a row. In a data message ("E1" codes) the hexadecimal pairs after
// position 8 are kept as they are: they are characters, not tones.
std::string Add5ToneE(std::string_view code);

// Mid5ToneNoE: `length` characters of `code` from `start` (1-based), each "E" replaced by
// the character just before it in the code; characters beyond the end add nothing.
std::string Mid5ToneNoE(std::string_view code, int start, int length);

struct FiveToneStandard {
    std::string_view name;
    std::array<std::string_view, 16> tones; // digits 0..9, A..F; "" where none
    int lengthMs;
};
inline constexpr int fiveToneStandardCount = 13;
const std::array<FiveToneStandard, fiveToneStandardCount>& FiveToneStandards();
// The standard at `position`, or nothing outside 0..12.
const FiveToneStandard* fiveToneStandard(int position);
// The position of the standard named `name`, or -1.
int fiveToneStandardPosition(std::string_view name);

// "30", "40" .. "100"; a stored tone time is ms ÷ 10, its position is stored - 3.
TextList FiveToneLengthList();
inline constexpr int fiveToneMinTime = 3;
inline constexpr int fiveToneMaxTime = 10;
inline constexpr int fiveToneDefaultTime = 7;
inline constexpr std::string_view fiveToneDefaultLength = "70";

// The own ID's response and delay lists: "0", "10" .. "2550".
TextList SelfIdDelayList();

using LanguageLookup = std::function<std::string(std::string_view key)>;

// The info box: the standard's tone table, one line per entry, each ending in CR LF.
std::string standardInfoText(int position, const LanguageLookup& option);

// The placeholder that stands for the radio's own ID until the 5-tone editor saves.
inline constexpr std::string_view selfIdPlaceholder = "SelfID";

// The six special calls, in the order of the special-call editor's kind list.
enum class SpecialCallKind {
    DataMessage = 0,
    EmergencyAlarm = 1,
    AlarmReset = 2,
    Ani = 3,
    RemoteStun = 4,
    RemoteRevive = 5,
};
inline constexpr int specialCallKindCount = 6;
// The text the kind list and the memory grid show for a kind.
std::string specialCallKindText(SpecialCallKind kind, const LanguageLookup& option);

inline constexpr std::size_t specialIdLength = 5;
inline constexpr std::size_t specialMessageLength = 7;
inline constexpr std::size_t fiveToneCodeLength = 22;

// The data message as the radio takes it: each character as its two hexadecimal digits.
std::string messageToHex(std::string_view message);

// The code a special call sends, before the repeat rule. For a memory the own ID stays a
// placeholder, resolved when the 5-tone editor saves; for a PTT ID it is `selfId` itself.
std::string specialCallCode(SpecialCallKind kind, bool forPttId, std::string_view id,
                            std::string_view message, std::string_view selfId);

// How the memory grid shows a stored code: the special-call kind (column 1, empty for an
// ordinary code) and the code or the call's details (column 2).
struct MemoryCodeView {
    std::string kind;
    std::string details;
};
MemoryCodeView showMemoryCode(std::string_view trimmedCode, const LanguageLookup& option);

} // namespace vn574::document
