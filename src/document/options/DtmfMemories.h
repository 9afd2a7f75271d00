#pragma once

#include "document/options/TextBoxKeyFilter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vn574::document {

struct Document;
struct ToneData;

// The DTMF memory editor without its widgets: the texts of the eight boxes C0..C6 and
// CP. A memory's code is its value written in hexadecimal, so "12A" is 0x12A.
class DtmfMemories {
public:
    static constexpr int memoryCount = 8;   // C0..C6, CP
    static constexpr int editableCount = 7; // CP is shown, never written
    static constexpr int codeLength = 3;    // the most a user may type

    // What a box shows for a memory: upper-case hexadecimal without leading zeros. The
    // value is read as the 16 bits the radio stores, so -1 shows "FFFF".
    static std::string codeText(std::int16_t value);
    // The memory a box's text stands for: "" is 0, up to four hexadecimal digits give
    // their 16-bit value; anything else is no code.
    static std::optional<std::int16_t> codeValue(std::string_view text);
    // The key filter of the boxes: only 0..9 and A are typed, "a" counts as "A".
    static TextBoxKeyFilter keyFilter();

    explicit DtmfMemories(const ToneData& toneData);

    [[nodiscard]] const std::string& text(int box) const;
    // Text that reached the box other than by typing (a drop, a middle-click paste) is
    // reduced to what can be read back as a code: hexadecimal digits, upper case, no
    // longer than the box allows. Returns the text the box must show.
    const std::string& setText(int box, std::string_view text);
    // The longest text box `box` holds: three characters, or more when the memory
    // already held a longer code (from the radio or a file) so it is not cut on opening.
    [[nodiscard]] int maxLength(int box) const;

    // OK: C0..C6 are written from the boxes; CP is left as it is.
    void accept(ToneData& toneData) const;
    // OK on the document's signalling record, which then counts as changed if it is.
    void accept(Document& document) const;

private:
    std::array<std::string, memoryCount> m_texts;
    std::array<int, memoryCount> m_maxLengths{};
};

} // namespace vn574::document
