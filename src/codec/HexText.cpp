#include "codec/HexText.h"

#include <algorithm>
#include <cstdio>

namespace vn574::codec {

int HexPairValue(char high, char low) {
    const auto value = [](char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return 0;
    };
    return 16 * value(high) + value(low);
}

std::array<int, 4> NibbleBits(int value) {
    if (value < 0 || value > 15) {
        return {0, 0, 0, 0};
    }
    return {(value >> 3) & 1, (value >> 2) & 1, (value >> 1) & 1, value & 1};
}

namespace {
constexpr char upperDigits[] = "0123456789ABCDEF";
}

std::string Hex2(long long value) {
    // A byte, by far the most frequent case, needs no formatting.
    if (value >= 0 && value <= 0xFF) {
        return {upperDigits[value >> 4], upperDigits[value & 0x0F]};
    }
    char buffer[32];
    if (value < 0) {
        std::snprintf(buffer, sizeof buffer, "%X",
                      static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    } else {
        std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    }
    const std::string text(buffer);
    if (text.size() > 2) {
        return text.substr(0, 2);
    }
    return std::string(2 - text.size(), '0') + text;
}

std::string Hex4(int value) {
    const auto bits = static_cast<std::uint16_t>(value);
    return {upperDigits[(bits >> 12) & 0x0F], upperDigits[(bits >> 8) & 0x0F],
            upperDigits[(bits >> 4) & 0x0F], upperDigits[bits & 0x0F]};
}

std::string TrimAtNul(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    const std::size_t nul = text.find('\0');
    return std::string(nul == std::string_view::npos ? text : text.substr(0, nul));
}

std::string radioPasswordOfBlock(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes.first(std::min<std::size_t>(bytes.size(), 16))) {
        text += static_cast<char>(byte == 255 ? 0 : byte);
    }
    std::string password = TrimAtNul(text) + '\0';
    password.resize(16, ' ');
    return password;
}

std::array<std::uint8_t, 16> PutPasswordBytes(std::string_view text) {
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < text.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(text[i]);
    }
    return bytes;
}

std::optional<std::string> passwordBytes(std::string_view utf8) {
    constexpr std::size_t longestPassword = 16;
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        unsigned code = lead;
        if (lead >= 0x80) {
            // Only U+0080..U+00FF may follow: a two-byte sequence led by C2 or C3.
            if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= utf8.size()) {
                return std::nullopt;
            }
            const auto next = static_cast<unsigned char>(utf8[++i]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            code = ((lead & 0x1FU) << 6) | (next & 0x3FU);
        }
        if (code == 0 || bytes.size() == longestPassword) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(code));
    }
    return bytes;
}

std::string bytesToHex(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

bool hexToBytes(std::string_view text, std::span<std::uint8_t> out) {
    if (text.size() != out.size() * 2) {
        return false;
    }
    // ConvertHexChr of every character, looked up: a write turns every block through here.
    static constexpr auto values = [] {
        std::array<std::int8_t, 256> table{};
        for (int c = 0; c < 256; ++c) {
            table[static_cast<std::size_t>(c)] =
                static_cast<std::int8_t>(ConvertHexChr(static_cast<char>(c)));
        }
        return table;
    }();
    const auto valueOf = [](char c) {
        return static_cast<int>(values[static_cast<unsigned char>(c)]);
    };
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int high = valueOf(text[2 * i]);
        const int low = valueOf(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

} // namespace vn574::codec
