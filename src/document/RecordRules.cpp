#include "document/RecordRules.h"

#include <algorithm>

namespace vn574::document {

namespace {

constexpr std::string_view autoDialExtras = "ABCD#*-";
constexpr int firstAutoDialExtraCode = 0x3A;

} // namespace

std::optional<int> autoDialCharacterCode(char c) {
    if (c >= '0' && c <= '9') {
        return c;
    }
    if (const std::size_t extra = autoDialExtras.find(c); extra != std::string_view::npos) {
        return firstAutoDialExtraCode + static_cast<int>(extra);
    }
    return std::nullopt;
}

std::size_t autoDialCodeCount(std::string_view memory) {
    return static_cast<std::size_t>(std::count_if(
        memory.begin(), memory.end(), [](char c) { return autoDialCharacterCode(c).has_value(); }));
}

bool isToneDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string_view trimmedCode(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<FiveToneRec> storedFiveTone(FiveToneRec record, std::string_view ownId, bool memory) {
    if (record.codeLen > maxFiveToneCodeLength) {
        return std::nullopt;
    }
    std::string code = record.code.str();
    while (trimmedCode(code).size() < record.codeLen) {
        record.code.assign(std::string(trimmedCode(code)) + "E");
        code = record.code.str();
    }
    if (memory && record.codeLen > 2) {
        const std::string_view trimmed = trimmedCode(code);
        const std::string id(trimmedCode(ownId));
        std::optional<std::string> expanded;
        if (trimmed == "E2SelfID") {
            expanded = "E2" + id;
        } else if (trimmed.starts_with("E3") && trimmed.size() == 14 &&
                   trimmed.ends_with("ESelfID")) {
            expanded = std::string(trimmed.substr(0, 7)) + "E" + id;
        }
        if (expanded) {
            record.code.assign(*expanded);
            record.codeLen = static_cast<std::uint8_t>(trimmedCode(record.code.str()).size());
        }
    }
    return record;
}

std::optional<std::string> fiveToneDigits(const FiveToneRec& stored) {
    const std::string code = stored.code.str();
    const std::string digits(trimmedCode(code).substr(0, stored.codeLen));
    if (!std::all_of(digits.begin(), digits.end(), isToneDigit)) {
        return std::nullopt;
    }
    return digits;
}

bool ownIdFits(const ToneData& tone) {
    const std::string id = tone.selfId.str();
    for (std::size_t i = 0; i < id.size() && i < tone.selfIdLen; ++i) {
        if (!isToneDigit(id[i])) {
            return false;
        }
    }
    return true;
}

} // namespace vn574::document
