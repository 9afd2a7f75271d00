#include "codec/HexText.h"

#include <cstdio>

namespace vn574::codec {

int ConvertHexChr(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

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

std::string Hex2(long long value) {
    char buffer[32];
    if (value < 0) {
        std::snprintf(buffer, sizeof buffer, "%X",
                      static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    } else {
        std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    }
    std::string text(buffer);
    if (text.size() > 2) {
        return text.substr(0, 2);
    }
    return std::string(2 - text.size(), '0') + text;
}

std::string Hex4(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X",
                  static_cast<unsigned>(static_cast<std::uint16_t>(value)));
    return buffer;
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

std::array<std::uint8_t, 16> PutPasswordBytes(std::string_view text) {
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < text.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(text[i]);
    }
    return bytes;
}

bool isHexDigit(char c) {
    return ConvertHexChr(c) >= 0;
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
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int high = ConvertHexChr(text[2 * i]);
        const int low = ConvertHexChr(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

} // namespace vn574::codec
