#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <optional>
#include <string>
#include <string_view>

namespace vn574::codec {

// The small hexadecimal text helpers shared by the clone frames and the image codec.
// Everything they produce is upper case.

// Value 0..15 of "0".."9", "a".."f", "A".."F"; -1 for any other character. Inline: the
// codec runs it on every digit of every block.
constexpr int ConvertHexChr(char c) {
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

// 16 x (value of high) + (value of low), where only "0".."9" and "A".."F" have digit
// values; every other character, lower-case letters included, counts as 0.
int HexPairValue(char high, char low);

// Four bits of a value 0..15, most significant first (element 0 is bit 3). Values outside
// 0..15 give no bits at all, so a digit that is not hexadecimal never sets a flag.
std::array<int, 4> NibbleBits(int value);

// Hexadecimal text of a value cut to its first two digits, or left-padded to two.
// Negative values are taken as their 32-bit two's complement ("FF" for -1).
std::string Hex2(long long value);

// A 16-bit value as four hexadecimal digits (two's complement, -1 gives "FFFF").
std::string Hex4(int value);

// The text trimmed of surrounding spaces, then cut before its first NUL character.
std::string TrimAtNul(std::string_view text);

// The radio password as block 4 holds it, in the form the password gate compares:
// 0xFF counts as NUL, the text is cut at its first NUL, then a NUL and spaces follow
// up to 16 characters.
std::string radioPasswordOfBlock(std::span<const std::uint8_t> bytes);

// The 16-byte password field: the text's bytes, the first 16 at most, then zeros.
std::array<std::uint8_t, 16> PutPasswordBytes(std::string_view text);

// A password as typed (UTF-8) in the radio's form: one byte per character, the
// character's code (ISO 8859-1, which the radio's Western code page shows alike).
// Nothing when the text has more than 16 characters, a character outside
// U+0001..U+00FF, or is no UTF-8. Every way a password enters the program goes
// through here, so a password set once is matched again.
std::optional<std::string> passwordBytes(std::string_view utf8);

constexpr bool isHexDigit(char c) {
    return ConvertHexChr(c) >= 0;
}

// Bytes as upper-case hexadecimal digits, high digit first.
std::string bytesToHex(std::span<const std::uint8_t> bytes);

// Pairs of hexadecimal digits (either case) into bytes; false when `text` has an odd
// length or a character that is not a hexadecimal digit, or `out` has the wrong size.
bool hexToBytes(std::string_view text, std::span<std::uint8_t> out);

} // namespace vn574::codec
