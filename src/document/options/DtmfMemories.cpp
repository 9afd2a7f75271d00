#include "document/options/DtmfMemories.h"

#include "document/Document.h"

#include <algorithm>
#include <stdexcept>

namespace vn574::document {

namespace {

std::size_t indexOf(int box) {
    if (box < 0 || box >= DtmfMemories::memoryCount) {
        throw std::out_of_range("DTMF memory box out of range");
    }
    return static_cast<std::size_t>(box);
}

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    return std::nullopt;
}

constexpr int widestCode = 4; // a 16-bit memory never needs more digits

} // namespace

std::string DtmfMemories::codeText(std::int16_t value) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    auto bits = static_cast<std::uint16_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), digits[bits & 0xFU]);
        bits = static_cast<std::uint16_t>(bits >> 4U);
    } while (bits != 0);
    return text;
}

std::optional<std::int16_t> DtmfMemories::codeValue(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(widestCode)) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : text) {
        const auto digit = hexDigit(c);
        if (!digit) {
            return std::nullopt;
        }
        value = (value << 4U) | *digit;
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

TextBoxKeyFilter DtmfMemories::keyFilter() {
    return TextBoxKeyFilter("0123456789A", TextBoxKeyFilter::Case::Upper);
}

DtmfMemories::DtmfMemories(const ToneData& toneData) {
    for (std::size_t k = 0; k < m_texts.size(); ++k) {
        m_texts[k] = codeText(toneData.dtmfMem[k]);
        m_maxLengths[k] = std::max(codeLength, static_cast<int>(m_texts[k].size()));
    }
}

const std::string& DtmfMemories::text(int box) const {
    return m_texts[indexOf(box)];
}

int DtmfMemories::maxLength(int box) const {
    return m_maxLengths[indexOf(box)];
}

const std::string& DtmfMemories::setText(int box, std::string_view text) {
    const auto k = indexOf(box);
    std::string kept;
    for (const char c : text) {
        if (hexDigit(c) && kept.size() < static_cast<std::size_t>(m_maxLengths[k])) {
            kept.push_back(c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c);
        }
    }
    m_texts[k] = std::move(kept);
    return m_texts[k];
}

void DtmfMemories::accept(Document& document) const {
    ToneData written = document.toneData;
    accept(written);
    document.writeBack(document.toneData, written);
}

void DtmfMemories::accept(ToneData& toneData) const {
    for (std::size_t k = 0; k < static_cast<std::size_t>(editableCount); ++k) {
        // Every text setText leaves reads back; the check only guards the invariant.
        if (const auto value = codeValue(m_texts[k])) {
            toneData.dtmfMem[k] = *value;
        }
    }
}

} // namespace vn574::document
