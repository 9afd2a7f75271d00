// The texts, numbers and messages the radio image's encoder and decoder share. Internal
// to the codec: nothing outside src/codec includes this.
#pragma once

#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vn574::codec::detail {

namespace doc = vn574::document;

constexpr std::string_view optionRecordMessage = "Error radio option Data Format , please check!";
constexpr std::string_view autoDialMessage = "Error Auto Dialor Data Format , please check!";

inline std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal text as the radio's own arithmetic sees it: a single-precision value.
inline std::optional<float> singleOf(std::string_view text) {
    text = app::trimBlanks(text);
    if (!doc::isNumber(text)) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

// A single-precision value as text with up to 7 significant digits, the way such a value
// has always been turned into text before it is snapped to the raster.
inline std::string singleText(float value) {
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return {buffer, result.ptr};
}

inline std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return {buffer, result.ptr};
}

using doc::byteNumberOf;

inline bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

inline std::string oneHexDigit(int value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[value & 0x0F]};
}

inline char upperHex(char c) {
    return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The number of '|'-separated fields in a record, as splitFields would give them; every
// block checks both records, and counting allocates nothing.
inline std::size_t fieldCount(std::string_view record) {
    std::size_t count = 1;
    for (std::size_t at = record.find('|'); at != std::string_view::npos;
         at = record.find('|', at + 1)) {
        ++count;
    }
    return count;
}

// positionOf over a fixed list through a hash table: the tone lists are long, and a
// write looks up four tones on each of its channels. Like positionOf it gives the first
// entry that matches.
class ListIndex {
public:
    explicit ListIndex(doc::TextList list) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            m_positions.emplace(list[i], static_cast<int>(i));
        }
    }
    [[nodiscard]] std::optional<int> positionOf(std::string_view text) const {
        const auto found = m_positions.find(text);
        return found == m_positions.end() ? std::nullopt : std::optional<int>(found->second);
    }

private:
    std::unordered_map<std::string_view, int> m_positions;
};

inline std::string channelMessage(int row, std::string_view reason) {
    return "Error channel " + doc::rowLabel(row) + " Data Format (" + std::string(reason) +
           "), please check!";
}

inline std::string fiveToneName(int block) {
    if (block == blockPttIdBot) {
        return "PTT ID BOT";
    }
    if (block == blockPttIdEot) {
        return "PTT ID EOT";
    }
    return "memory " + std::to_string(block - firstFiveToneBlock);
}

inline doc::FiveToneRec& fiveToneRecord(doc::ToneData& tone, int block) {
    if (block == blockPttIdBot) {
        return tone.pttIdBot;
    }
    if (block == blockPttIdEot) {
        return tone.pttIdEot;
    }
    return tone.fiveToneMem[static_cast<std::size_t>(block - firstFiveToneBlock)];
}

} // namespace vn574::codec::detail
