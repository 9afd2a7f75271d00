#include "document/FiveTone.h"

#include <charconv>

namespace vn574::document {
namespace {

// clang-format off
constexpr std::array<FiveToneStandard, fiveToneStandardCount> standards{{
    {"ZVEI1", {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200",
               "2800", "810", "970", "885", "2600", "680"}, 70},
    {"ZVEI2", {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200",
               "885", "810", "740", "680", "970", "2600"}, 70},
    {"ZVEI3", {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000",
               "885", "", "", "", "2400", ""}, 70},
    {"PZVEI", {"2400", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000", "2200",
               "970", "810", "2800", "885", "2600", "680"}, 70},
    {"DZVEI", {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000",
               "825/885", "740", "2600", "885", "2400", "680"}, 70},
    {"PDZVEI", {"2200", "970", "1060", "1160", "1270", "1400", "1530", "1670", "1830", "2000",
                "825", "886", "2600", "856", "2400", ""}, 70},
    {"CCIR1", {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860",
               "2400", "930", "2247", "991", "2110", "1055"}, 100},
    {"CCIR2", {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860",
               "2400", "930", "2247", "991", "2110", "1055"}, 70},
    {"PCCIR", {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860",
               "1050", "930", "2400", "991", "2110", ""}, 100},
    {"EEA", {"1981", "1124", "1197", "1275", "1358", "1446", "1540", "1640", "1747", "1860",
             "1055", "930", "2400", "991", "2110", "2247"}, 40},
    {"EURO SIGNAL", {"979.8", "903.1", "832.5", "767.4", "707.4", "652.0", "601.0", "554.0",
                     "510.7", "470.8", "", "", "", "", "1062.9", ""}, 100},
    {"NATEL", {"1633", "631", "697", "770", "852", "941", "1040", "1209", "1336", "1477",
               "1995", "571", "2205", "2437", "1805", "2694"}, 70},
    {"MODAT", {"637.5", "787.5", "937.5", "1087.5", "1237.5", "1387.5", "1537.5", "1687.5",
               "1837.5", "1987.5", "", "", "", "", "487.5", ""}, 40},
}};
// clang-format on

constexpr std::array<std::string_view, 8> toneLengths{"30", "40", "50", "60",
                                                      "70", "80", "90", "100"};

const std::array<std::string, 256>& delayTexts() {
    static const std::array<std::string, 256> texts = [] {
        std::array<std::string, 256> result;
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = std::to_string(i * 10);
        }
        return result;
    }();
    return texts;
}

const std::array<std::string_view, 256>& delayList() {
    static const std::array<std::string_view, 256> list = [] {
        std::array<std::string_view, 256> result;
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = delayTexts()[i];
        }
        return result;
    }();
    return list;
}

constexpr std::string_view toneDigits = "0123456789ABCDEF";
constexpr std::string_view crlf = "\r\n";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A data message as the grid shows it. Only whole pairs of hexadecimal digits count,
// and anything that is no printable character shows as "?" rather than as raw bytes.
std::string messageFromHex(std::string_view hex) {
    std::string message;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        unsigned value = 0;
        const char* first = hex.data() + i;
        const auto [end, error] = std::from_chars(first, first + 2, value, 16);
        if (error != std::errc{} || end != first + 2) {
            message += '?';
        } else {
            message += value >= 0x20 && value < 0x7F ? static_cast<char>(value) : '?';
        }
    }
    return message;
}

} // namespace

std::string Add5ToneE(std::string_view code) {
    if (code.empty()) {
        return {};
    }
    const bool dataMessage = startsWith(code, "E1");
    std::string stored(1, code.front());
    for (std::size_t i = 1; i < code.size(); ++i) {
        const char c = code[i];
        const std::size_t position = i + 1;
        if (dataMessage && position > 8) {
            stored += c;
        } else {
            stored += c == stored.back() ? 'E' : c;
        }
    }
    return stored;
}

std::string Mid5ToneNoE(std::string_view code, int start, int length) {
    std::string result;
    if (start < 1 || length <= 0) {
        return result;
    }
    for (int position = start; position < start + length; ++position) {
        const auto index = static_cast<std::size_t>(position - 1);
        if (index >= code.size()) {
            break;
        }
        char c = code[index];
        if (c == 'E' && index > 0) {
            c = code[index - 1];
        }
        result += c;
    }
    return result;
}

const std::array<FiveToneStandard, fiveToneStandardCount>& FiveToneStandards() {
    return standards;
}

const FiveToneStandard* fiveToneStandard(int position) {
    if (position < 0 || position >= fiveToneStandardCount) {
        return nullptr;
    }
    return &standards[static_cast<std::size_t>(position)];
}

int fiveToneStandardPosition(std::string_view name) {
    for (std::size_t i = 0; i < standards.size(); ++i) {
        if (standards[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TextList FiveToneLengthList() {
    return toneLengths;
}

TextList SelfIdDelayList() {
    return delayList();
}

std::string standardInfoText(int position, const LanguageLookup& option) {
    const FiveToneStandard* standard = fiveToneStandard(position);
    if (standard == nullptr) {
        return {};
    }
    std::string text;
    text.append(standard->name).append(crlf);
    text.append(option("60085")).append("(Hz)").append(crlf);
    for (std::size_t digit = 0; digit < standard->tones.size(); ++digit) {
        text += toneDigits[digit];
        text.append(" ").append(standard->tones[digit]).append(crlf);
    }
    text.append(option("60086")).append("(ms) ").append(std::to_string(standard->lengthMs));
    text.append(crlf);
    text.append(option("60087")).append(" A").append(crlf);
    text.append(option("60088")).append(" E").append(crlf);
    return text;
}

std::string specialCallKindText(SpecialCallKind kind, const LanguageLookup& option) {
    switch (kind) {
    case SpecialCallKind::DataMessage:
        return option("60073");
    case SpecialCallKind::EmergencyAlarm:
        return option("60074");
    case SpecialCallKind::AlarmReset:
        return option("60075");
    case SpecialCallKind::Ani:
        return "ANI";
    case SpecialCallKind::RemoteStun:
        return option("60069");
    case SpecialCallKind::RemoteRevive:
        return option("60082");
    }
    return {};
}

std::string messageToHex(std::string_view message) {
    static constexpr std::string_view hexDigits = "0123456789ABCDEF";
    std::string hex;
    for (const char c : message) {
        const auto value = static_cast<unsigned char>(c);
        hex += hexDigits[value >> 4U];
        hex += hexDigits[value & 0x0FU];
    }
    return hex;
}

std::string specialCallCode(SpecialCallKind kind, bool forPttId, std::string_view id,
                            std::string_view message, std::string_view selfId) {
    const std::string own = forPttId ? std::string(selfId) : std::string(selfIdPlaceholder);
    switch (kind) {
    case SpecialCallKind::DataMessage:
        return "E1" + std::string(id) + "E" + messageToHex(message);
    case SpecialCallKind::EmergencyAlarm:
        return "E2" + own;
    case SpecialCallKind::AlarmReset:
        return "E0AEAEA";
    case SpecialCallKind::Ani:
        return "E3" + std::string(id) + "E" + own;
    case SpecialCallKind::RemoteStun:
        return "E4" + std::string(id);
    case SpecialCallKind::RemoteRevive:
        return "E5" + std::string(id);
    }
    return {};
}

MemoryCodeView showMemoryCode(std::string_view code, const LanguageLookup& option) {
    const auto special = [&](std::string_view prefix, std::size_t minimum) {
        return code.size() > 1 && code.size() >= minimum && startsWith(code, prefix);
    };
    if (special("E1", 8)) {
        return {option("60073"), Mid5ToneNoE(code, 3, 5) + std::string(8, ' ') + option("60084") +
                                     messageFromHex(code.substr(8))};
    }
    if (special("E2", 7)) {
        return {option("60074"), ""};
    }
    if (special("E0", 7) && (startsWith(code, "E0AAAAA") || startsWith(code, "E0AEAEA"))) {
        return {option("60075"), ""};
    }
    if (special("E3", 7)) {
        return {"ANI", Mid5ToneNoE(code, 3, 5)};
    }
    if (special("E4", 7)) {
        return {option("60069"), Mid5ToneNoE(code, 3, 5)};
    }
    if (special("E5", 7)) {
        return {option("60082"), Mid5ToneNoE(code, 3, 5)};
    }
    return {"", std::string(code)};
}

} // namespace vn574::document
