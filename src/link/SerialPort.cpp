#include "link/SerialPort.h"

#include "app/TextUtil.h"

#include <charconv>

namespace vn574::link {

namespace {

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<LineSettings> LineSettings::parse(std::string_view text) {
    const auto fields = app::splitFields(text, ',');
    if (fields.size() != 4) {
        return std::nullopt;
    }
    LineSettings settings;
    const auto baud = number(app::trimmed(fields[0]));
    const std::string parity = app::trimmed(fields[1]);
    const auto data = number(app::trimmed(fields[2]));
    const auto stop = number(app::trimmed(fields[3]));
    if (!baud || *baud <= 0 || parity.size() != 1 || !data || *data < 5 || *data > 8 || !stop ||
        (*stop != 1 && *stop != 2)) {
        return std::nullopt;
    }
    const char p = static_cast<char>(parity[0] | 0x20);
    if (std::string_view("neoms").find(p) == std::string_view::npos) {
        return std::nullopt;
    }
    settings.baudRate = *baud;
    settings.parity = p;
    settings.dataBits = *data;
    settings.stopBits = *stop;
    return settings;
}

} // namespace vn574::link
