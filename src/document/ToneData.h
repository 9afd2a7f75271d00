#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vn574::document {

// A fixed-width text of the signalling record: exactly N characters, padded with
// spaces on the right; a longer value is cut.
template <std::size_t N> struct FixedText {
    std::array<char, N> chars{};

    FixedText() { chars.fill(' '); }
    FixedText(std::string_view text) { assign(text); } // NOLINT(google-explicit-constructor)
    FixedText(const char* text) { assign(text); }      // NOLINT(google-explicit-constructor)

    void assign(std::string_view text) {
        chars.fill(' ');
        for (std::size_t i = 0; i < N && i < text.size(); ++i) {
            chars[i] = text[i];
        }
    }
    [[nodiscard]] std::string str() const { return std::string(chars.data(), N); }
    bool operator==(const FixedText&) const = default;
};

struct TwoToneRec {
    std::uint8_t div1Hi = 0;
    std::uint8_t div1Lo = 0;
    std::uint8_t div2Hi = 0;
    std::uint8_t div2Lo = 0;
    std::uint8_t frac1 = 0;
    std::uint8_t frac2 = 0;
    bool operator==(const TwoToneRec&) const = default;
};

struct FiveToneRec {
    std::uint8_t spare = 0;
    std::uint8_t std = 0;
    std::uint8_t codeLen = 0;
    std::uint8_t toneTime = 7;
    FixedText<22> code;
    bool operator==(const FiveToneRec&) const = default;
};

// The signalling record: DTMF memories, 2-tone and 5-tone settings and memories.
// Its packed form (3295 bytes, no gaps, 16-bit values little-endian) is what the
// signalling file beside every channel data file holds.
struct ToneData {
    static constexpr std::size_t packedSize = 3295;

    std::array<std::int16_t, 8> dtmfMem{};
    std::array<std::uint8_t, 4> spare0{};
    std::uint8_t twoToneType = 0;
    std::uint8_t toneADivHi = 3;
    std::uint8_t toneADivLo = 153;
    std::uint8_t toneBDivHi = 3;
    std::uint8_t toneBDivLo = 153;
    std::uint8_t toneAFrac = 6;
    std::uint8_t toneBFrac = 6;
    std::uint8_t twoToneSel = 0;
    std::array<std::uint8_t, 4> twoToneSet{5, 5, 10, 10};
    std::array<TwoToneRec, 100> twoToneMem{}; // memories 0..99
    std::uint8_t selfIdSpare = 0;
    std::uint8_t selfIdMode = 0;
    std::uint8_t selfIdStd = 0;
    std::uint8_t selfIdLen = 5;
    std::uint8_t selfIdTime = 7;
    FixedText<5> selfId{"12345"};
    std::uint8_t selfIdDelay = 100;
    FiveToneRec pttIdBot;
    FiveToneRec pttIdEot;
    std::array<FiveToneRec, 100> fiveToneMem{}; // memories 0..99

    // ResetToneData: the new-document state. The fractions of the 2-tone memories keep
    // their values, as they always have.
    void reset();

    [[nodiscard]] std::array<std::uint8_t, packedSize> pack() const;
    static ToneData unpack(std::span<const std::uint8_t, packedSize> bytes);

    bool operator==(const ToneData&) const = default;
};

} // namespace vn574::document
