#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

// One radio model of the family. The position in ModelTable is the model index used
// everywhere: selector position, last line of a data file, translated radio code.
struct ModelEntry {
    int index;
    std::string_view code;    // letters after the product word
    std::string_view display; // exactly what the model selector shows
    std::string_view defaultRx;
    std::string_view defaultTx;
    std::string_view defaultStep;
};

inline constexpr int modelCount = 32;
inline constexpr int startupModel = 9;
// Under this model a reset leaves channel 0 out of use and without defaults.
inline constexpr int modelWithoutChannelZero = 9;

const std::array<ModelEntry, modelCount>& ModelTable();
const ModelEntry* modelByIndex(int index);

using TextList = std::span<const std::string_view>;

TextList StepList();
TextList CtcssToneList();
TextList DcsCodeList();
TextList ToneKindList();       // "off", "CTCSS", "DCS"
TextList TwoStateList();       // "off", "on"
TextList DtmfMemoryList();     // "C0".."C6", "CP"
TextList TwoToneMemoryList();  // "0".."99"
TextList FiveToneMemoryList(); // "0".."99"
TextList DtmfPttIdList();      // "OFF", "ON"
TextList FiveTonePttIdList();  // "OFF", "BOT", "EOT", "BOTH"

// Position of `text` in `list`, compared exactly; nothing when it is not an entry.
std::optional<int> positionOf(TextList list, std::string_view text);
// Entry at `position`, or "" when the position lies outside the list.
std::string_view entryAt(TextList list, int position);

// The option signals in their radio order: type 1..4 of a channel record.
inline constexpr std::string_view optionSignalNone = "None";
inline constexpr std::array<std::string_view, 5> optionSignalTypes{"None", "DTMF", "DTMF-ANI",
                                                                   "2Tone", "5Tone"};

// Tone cell prefixes.
inline constexpr std::string_view ctcssPrefix = "C:";
inline constexpr std::string_view dcsPrefix = "D:";

// Labels of grid rows 1..104: "0".."99", "PL", "PH", "C", "V".
std::string rowLabel(int row);

// The PRI reference of a row 1..102: "00".."09", "10".."99", "PL", "PH".
std::string priReferenceOfRow(int row);
// The row a PRI cell refers to: "00".."99" rows 1..100, "PL", "PH", "CAL", "VFO" rows
// 101..104; nothing for "off" and for any text the radio has no priority code for.
std::optional<int> rowOfPriReference(std::string_view reference);

// A tone cell the radio has a code for: "off", "C:" with an entry of the CTCSS list or
// "D:" with an entry of the DCS list.
bool isToneCellText(std::string_view cell);

// Which option signals send a memory (option memory column) and a PTT ID.
bool optionSignalUsesMemory(std::string_view signal);
bool optionSignalUsesPttId(std::string_view signal);

} // namespace vn574::document
