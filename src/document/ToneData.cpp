#include "document/ToneData.h"

namespace vn574::document {
namespace {

class Writer {
public:
    explicit Writer(std::array<std::uint8_t, ToneData::packedSize>& bytes) : m_bytes(bytes) {}

    void byte(std::uint8_t value) { m_bytes[m_pos++] = value; }
    void int16(std::int16_t value) {
        const auto bits = static_cast<std::uint16_t>(value);
        byte(static_cast<std::uint8_t>(bits & 0xFF));
        byte(static_cast<std::uint8_t>(bits >> 8));
    }
    template <std::size_t N> void text(const FixedText<N>& value) {
        for (const char c : value.chars) {
            byte(static_cast<std::uint8_t>(c));
        }
    }
    void fiveTone(const FiveToneRec& rec) {
        byte(rec.spare);
        byte(rec.std);
        byte(rec.codeLen);
        byte(rec.toneTime);
        text(rec.code);
    }

private:
    std::array<std::uint8_t, ToneData::packedSize>& m_bytes;
    std::size_t m_pos = 0;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t, ToneData::packedSize> bytes) : m_bytes(bytes) {}

    std::uint8_t byte() { return m_bytes[m_pos++]; }
    std::int16_t int16() {
        const std::uint16_t low = byte();
        const std::uint16_t high = byte();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }
    template <std::size_t N> void text(FixedText<N>& value) {
        for (char& c : value.chars) {
            c = static_cast<char>(byte());
        }
    }
    void fiveTone(FiveToneRec& rec) {
        rec.spare = byte();
        rec.std = byte();
        rec.codeLen = byte();
        rec.toneTime = byte();
        text(rec.code);
    }

private:
    std::span<const std::uint8_t, ToneData::packedSize> m_bytes;
    std::size_t m_pos = 0;
};

} // namespace

void ToneData::reset() {
    std::array<std::uint8_t, 100> frac1{};
    std::array<std::uint8_t, 100> frac2{};
    for (std::size_t i = 0; i < twoToneMem.size(); ++i) {
        frac1[i] = twoToneMem[i].frac1;
        frac2[i] = twoToneMem[i].frac2;
    }
    *this = ToneData{};
    for (std::size_t i = 0; i < twoToneMem.size(); ++i) {
        twoToneMem[i].frac1 = frac1[i];
        twoToneMem[i].frac2 = frac2[i];
    }
}

std::array<std::uint8_t, ToneData::packedSize> ToneData::pack() const {
    std::array<std::uint8_t, packedSize> bytes{};
    Writer out(bytes);
    for (const auto value : dtmfMem) {
        out.int16(value);
    }
    for (const auto value : spare0) {
        out.byte(value);
    }
    for (const auto value : {twoToneType, toneADivHi, toneADivLo, toneBDivHi, toneBDivLo, toneAFrac,
                             toneBFrac, twoToneSel}) {
        out.byte(value);
    }
    for (const auto value : twoToneSet) {
        out.byte(value);
    }
    for (const auto& rec : twoToneMem) {
        for (const auto value :
             {rec.div1Hi, rec.div1Lo, rec.div2Hi, rec.div2Lo, rec.frac1, rec.frac2}) {
            out.byte(value);
        }
    }
    for (const auto value : {selfIdSpare, selfIdMode, selfIdStd, selfIdLen, selfIdTime}) {
        out.byte(value);
    }
    out.text(selfId);
    out.byte(selfIdDelay);
    out.fiveTone(pttIdBot);
    out.fiveTone(pttIdEot);
    for (const auto& rec : fiveToneMem) {
        out.fiveTone(rec);
    }
    return bytes;
}

ToneData ToneData::unpack(std::span<const std::uint8_t, packedSize> bytes) {
    ToneData data;
    Reader in(bytes);
    for (auto& value : data.dtmfMem) {
        value = in.int16();
    }
    for (auto& value : data.spare0) {
        value = in.byte();
    }
    for (auto* value : {&data.twoToneType, &data.toneADivHi, &data.toneADivLo, &data.toneBDivHi,
                        &data.toneBDivLo, &data.toneAFrac, &data.toneBFrac, &data.twoToneSel}) {
        *value = in.byte();
    }
    for (auto& value : data.twoToneSet) {
        value = in.byte();
    }
    for (auto& rec : data.twoToneMem) {
        for (auto* value :
             {&rec.div1Hi, &rec.div1Lo, &rec.div2Hi, &rec.div2Lo, &rec.frac1, &rec.frac2}) {
            *value = in.byte();
        }
    }
    for (auto* value : {&data.selfIdSpare, &data.selfIdMode, &data.selfIdStd, &data.selfIdLen,
                        &data.selfIdTime}) {
        *value = in.byte();
    }
    in.text(data.selfId);
    data.selfIdDelay = in.byte();
    in.fiveTone(data.pttIdBot);
    in.fiveTone(data.pttIdEot);
    for (auto& rec : data.fiveToneMem) {
        in.fiveTone(rec);
    }
    return data;
}

} // namespace vn574::document
