#include "document/FieldRules.h"

#include "document/ChannelWords.h"
#include "document/Document.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace vn574::document {
namespace {

// The radio's name glyphs beyond digits and capitals, in the order of their codes from
// 0x54 on; the lower-case letters are its own small symbols.
constexpr std::string_view nameExtras = " *#+-/\\=()$_gdexziylpuftsbwvaoj";
constexpr int firstNameExtraCode = 0x54;
constexpr int capitalCodeOffset = 7; // "A".."Z" are 0x3A..0x53

// A number split exactly as written, so that a remainder lying exactly halfway between
// two raster points is recognised as such and not lost to binary rounding.
// The digits are views into the text parsed, which the caller keeps.
struct Decimal {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<Decimal> parseDecimal(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    Decimal number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t point = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && point == std::string_view::npos) {
            point = i;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // Digits only on either side of the one point: both parts are plain slices.
    number.whole = text.substr(0, point);
    number.fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (number.whole.empty() && number.fraction.empty()) {
        return std::nullopt;
    }
    return number;
}

double valueOf(const Decimal& number) {
    double value = 0;
    for (const char c : number.whole) {
        value = value * 10 + (c - '0');
    }
    double scale = 0.1;
    for (const char c : number.fraction) {
        value += (c - '0') * scale;
        scale /= 10;
    }
    return number.negative ? -value : value;
}

// Whole megahertz and the remainder in units of 10 Hz (0 <= R < 100000).
struct Split {
    double whole = 0;
    double remainder = 0;
};

Split splitFrequency(std::string_view text) {
    const auto number = parseDecimal(text);
    if (!number) {
        return {};
    }
    if (number->negative || number->whole.size() > 15) {
        const double f = valueOf(*number);
        const double whole = std::trunc(f);
        return {whole, f * 100000 - whole * 100000};
    }
    Split split;
    for (const char c : number->whole) {
        split.whole = split.whole * 10 + (c - '0');
    }
    // The first five decimals are whole units; further ones are a fraction of a unit.
    const std::string_view units = std::string_view(number->fraction).substr(0, 5);
    for (std::size_t i = 0; i < 5; ++i) {
        split.remainder = split.remainder * 10 + (i < units.size() ? units[i] - '0' : 0);
    }
    double scale = 0.1;
    for (std::size_t i = 5; i < number->fraction.size(); ++i) {
        split.remainder += (number->fraction[i] - '0') * scale;
        scale /= 10;
    }
    return split;
}

// Step in units of 10 Hz; 0 for the 8.33 kHz raster, which has its own rule.
std::int64_t stepUnits(std::string_view step) {
    if (step == "8.33") {
        return 0;
    }
    const auto value = parseNumber(step);
    if (!value || *value <= 0 || *value > 100000) {
        return 500;
    }
    return std::llround(*value * 100);
}

std::int64_t snapToStep(double remainder, std::int64_t step) {
    const auto below =
        static_cast<std::int64_t>(std::floor(remainder / static_cast<double>(step))) * step;
    const std::int64_t above = below + step;
    // Exactly halfway goes to the upper raster point.
    return std::fabs(static_cast<double>(above) - remainder) >
                   std::fabs(static_cast<double>(below) - remainder)
               ? below
               : above;
}

// 25 kHz split into thirds: 0, 833, 1666, 2500, ... The largest point not above R.
std::int64_t snapDownTo833(double remainder) {
    std::int64_t previous = 0;
    std::int64_t point = 0;
    while (true) {
        previous = point;
        point += 833;
        if ((point + 1) % 250 == 0) {
            point += 1;
        }
        if (static_cast<double>(point) > remainder) {
            return previous;
        }
    }
}

BandLimits bandFromDisplay(int modelIndex, int occurrence) {
    BandLimits band;
    const ModelEntry* model = modelByIndex(modelIndex);
    if (model == nullptr) {
        return band;
    }
    const std::string_view display = model->display;
    const bool shortLimits = modelIndex == 0 || modelIndex == 1;
    std::size_t open = display.find('(');
    std::size_t dash = display.find('-');
    for (int i = 1; i < occurrence && open != std::string_view::npos; ++i) {
        open = display.find('(', open + 1);
        dash = display.find('-', dash + 1);
    }
    if (open == std::string_view::npos || dash == std::string_view::npos) {
        return band;
    }
    const std::string_view low = display.substr(open + 1, shortLimits ? 2 : 3);
    const std::string_view high = display.substr(dash + 1, shortLimits ? 7 : 8);
    band.low = parseNumber(low).value_or(0);
    band.high = parseNumber(high).value_or(0);
    band.rangeText = "\"" + std::string(low) + " - " + std::string(high) + "\"";
    return band;
}

} // namespace

bool isNumber(std::string_view text) {
    return parseDecimal(text).has_value();
}

std::optional<double> parseNumber(std::string_view text) {
    const auto number = parseDecimal(text);
    if (!number) {
        return std::nullopt;
    }
    return valueOf(*number);
}

std::optional<int> byteNumberOf(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value || *value < 0 || *value > 255 || std::floor(*value) != *value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool isStoredPosition(std::string_view text) {
    const auto value = parseNumber(text);
    return value && *value >= 0 && std::floor(*value) == *value;
}

std::string formatFixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

BandLimits rxBand(int modelIndex) {
    return bandFromDisplay(modelIndex, 1);
}
BandLimits txBand(int modelIndex) {
    return bandFromDisplay(modelIndex, 2);
}

bool isInBand(const BandLimits& band, std::string_view frequency) {
    const auto value = parseNumber(frequency);
    return value && band.low <= *value && *value <= band.high;
}

std::string AdjustRxFreqByStep(std::string_view frequency, std::string_view step) {
    const Split split = splitFrequency(frequency);
    const std::int64_t units = stepUnits(step);
    const std::int64_t snapped =
        units == 0 ? snapDownTo833(split.remainder) : snapToStep(split.remainder, units);
    if (split.whole >= 0 && split.whole < 1e12) {
        // Integer formatting keeps the five decimals exact; 100000 carries into the
        // next megahertz.
        const auto total = static_cast<std::int64_t>(split.whole) * 100000 + snapped;
        if (total >= 0) {
            // Every channel of a read comes through here: no formatted printing.
            char buffer[40];
            char* end = std::to_chars(buffer, buffer + 32, total / 100000).ptr;
            *end++ = '.';
            std::int64_t decimals = total % 100000;
            for (int i = 4; i >= 0; --i) {
                end[i] = static_cast<char>('0' + decimals % 10);
                decimals /= 10;
            }
            return {buffer, end + 5};
        }
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%lld.%05lld", static_cast<long long>(total / 100000),
                      static_cast<long long>(total % 100000));
        return buffer;
    }
    return formatFixed(split.whole + static_cast<double>(snapped) / 100000, 5);
}

std::optional<int> nameCharacterCode(char c) {
    if (const std::size_t extra = nameExtras.find(c); extra != std::string_view::npos) {
        return firstNameExtraCode + static_cast<int>(extra);
    }
    if (c >= '0' && c <= '9') {
        return c;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - capitalCodeOffset;
    }
    return std::nullopt;
}

std::string FilterChannelName(std::string_view text) {
    std::string name;
    for (const char c : text) {
        if (nameCharacterCode(c)) {
            name += c;
        }
    }
    return name;
}

std::optional<std::string> nameAsTyped(std::string_view text) {
    std::string name(text);
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (FilterChannelName(name) != name) {
        return std::nullopt;
    }
    return name;
}

std::optional<std::string> nameFromText(std::string_view text) {
    std::string name(text);
    if (FilterChannelName(name) == name) {
        return name;
    }
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (FilterChannelName(name) == name) {
        return name;
    }
    return std::nullopt;
}

std::optional<std::string> storedRxDigits(std::string_view rx) {
    rx = rx.substr(0, 8);
    const std::size_t point = rx.find('.');
    if (point == std::string_view::npos || point < 1 || point > 3 || rx.size() - point - 1 < 4) {
        return std::nullopt;
    }
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(rx.substr(0, point)) || !digits(rx.substr(point + 1))) {
        return std::nullopt;
    }
    std::string stored(3 - point, '0');
    stored += rx.substr(0, point);
    stored += rx.substr(point + 1, 4);
    return stored;
}

std::optional<int> stepCodeOf(std::string_view step) {
    return step.empty() ? std::optional<int>(0) : positionOf(StepList(), step);
}

std::optional<bool> narrowBitOf(std::string_view stored) {
    if (stored == storedNarrow) {
        return true;
    }
    if (stored == storedWide || stored.empty()) {
        return false;
    }
    return std::nullopt;
}

std::optional<bool> switchBitOf(std::string_view text) {
    if (text == "on") {
        return true;
    }
    if (text == "off" || text.empty()) {
        return false;
    }
    return std::nullopt;
}

std::optional<int> switchPairDigitOf(std::string_view shift, std::string_view pac) {
    const auto isSwitch = [](std::string_view text) { return text == "off" || text == "on"; };
    if (!isSwitch(shift) || !isSwitch(pac)) {
        return std::nullopt;
    }
    return (shift == "on" ? 2 : 0) + (pac == "on" ? 1 : 0);
}

std::optional<bool> scanSkipBitOf(std::string_view text, const ChannelWords& words) {
    if (text.empty() || text == words.scanSkip0) {
        return false;
    }
    if (text == words.scanSkip1) {
        return true;
    }
    return std::nullopt;
}

TextList signalPositionList(std::string_view signal, bool pttId) {
    if (signal == "DTMF" || signal == "DTMF-ANI") {
        return pttId ? (signal == "DTMF-ANI" ? DtmfPttIdList() : TextList()) : DtmfMemoryList();
    }
    if (signal == "2Tone") {
        return pttId ? TextList() : TwoToneMemoryList();
    }
    if (signal == "5Tone") {
        return pttId ? FiveTonePttIdList() : FiveToneMemoryList();
    }
    return {};
}

std::optional<int> shownSignalPosition(std::string_view text, TextList list) {
    if (text.empty()) {
        return 0;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 ||
        static_cast<std::size_t>(value) >= list.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> optionByteOf(std::string_view text) {
    return text.empty() ? std::optional<int>(0) : byteNumberOf(text);
}

std::optional<char> nameKeyResult(int key) {
    if (key == 3 || key == 22 || key == 24 || key == 13 || key > 127 || key < 0) {
        return std::nullopt;
    }
    if (key >= 'a' && key <= 'z') {
        return static_cast<char>(key - 'a' + 'A');
    }
    return static_cast<char>(key);
}

} // namespace vn574::document
