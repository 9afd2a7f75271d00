#include "codec/ImageCodec.h"

#include "app/TextUtil.h"
#include "codec/HexText.h"
#include "codec/ImageCodecShared.h"
#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace vn574::codec {

using namespace std::string_view_literals;
using namespace detail;
using document::Column;

// The 32 data digits of one block. Fields that are compared with fixed texts use code()
// (upper-case digits only, as the radio sends them); fields taken as numbers use
// number(). A byte whose digits are not hexadecimal reads as 0x00, and a digit copied
// into a text that is not hexadecimal is copied as "0": the read goes on, and nothing
// that is not a digit reaches the document's texts.
class ImageCodec::BlockDigits {
public:
    explicit BlockDigits(std::string_view digits) : m_digits(digits) {}

    [[nodiscard]] char digit(int j) const { return m_digits[static_cast<std::size_t>(j)]; }

    [[nodiscard]] int code(int k) const {
        const int high = upperValue(digit(2 * k));
        const int low = upperValue(digit(2 * k + 1));
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    }

    [[nodiscard]] int number(int k) const {
        const int high = ConvertHexChr(digit(2 * k));
        const int low = ConvertHexChr(digit(2 * k + 1));
        return high < 0 || low < 0 ? 0 : high * 16 + low;
    }

    [[nodiscard]] char copied(int j) const {
        const char c = digit(j);
        return isHexDigit(c) ? c : '0';
    }

    [[nodiscard]] std::string copiedText(int first, int count) const {
        std::string text;
        for (int j = first; j < first + count; ++j) {
            text += copied(j);
        }
        return text;
    }

private:
    static int upperValue(char c) { return (c >= 'a' && c <= 'f') ? -1 : ConvertHexChr(c); }
    std::string_view m_digits;
};

// ---------------------------------------------------------------------------------------
// Decoder

void ImageCodec::DecodeBlock(std::span<const std::uint8_t> buffer, std::size_t dataStart,
                             int block) {
    DecodeBlock(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()),
                dataStart, block);
}

void ImageCodec::DecodeBlock(std::string_view buffer, std::size_t dataStart, int block) {
    if (block < 0 || block >= blockCount || dataStart > buffer.size() ||
        buffer.size() - dataStart < static_cast<std::size_t>(blockDigits)) {
        return;
    }
    const BlockDigits d(buffer.substr(dataStart, blockDigits));

    if (m_preRead) {
        if (block == blockIdentification) {
            decodeIdentification(d);
        } else if (block == blockPassword) {
            decodePassword(d);
        }
        return;
    }

    if (const auto channel = channelOfBlock(block)) {
        if (channel->firstHalf) {
            decodeChannelFirstHalf(d);
        } else {
            decodeChannelSecondHalf(d, channel->row);
        }
        return;
    }
    if (block >= firstAutoDialBlock && block <= lastAutoDialBlock) {
        decodeAutoDial(d, block - firstAutoDialBlock);
        return;
    }
    if (block >= firstTwoToneBlock && block <= lastTwoToneBlock) {
        decodeTwoToneMemories(d, block - firstTwoToneBlock);
        return;
    }
    if (block >= firstFiveToneBlock && block <= blockPttIdEot) {
        decodeFiveTone(d, block);
        return;
    }
    switch (block) {
    case blockIdentification:
        decodeIdentification(d);
        break;
    case blockPassword:
        decodePassword(d);
        break;
    case blockOptions1:
        decodeOptions1(d);
        break;
    case blockOptions2:
        decodeOptions2(d);
        break;
    case blockInUse:
        decodeBits(d, m_chInUse);
        takeUnusedRowsOutOfUse();
        break;
    case blockScanSkip:
        decodeBits(d, m_chScanSkip);
        break;
    case blockDtmfMemories:
        decodeDtmf(d);
        break;
    case blockTwoToneSettings:
        decodeTwoToneSettings(d);
        break;
    case blockOwnId:
        decodeOwnId(d);
        break;
    default:
        break;
    }
}

void ImageCodec::decodeIdentification(const BlockDigits& d) {
    m_modelCode = d.copiedText(2, 6);
    for (int j = 2; j < 8; ++j) {
        // The code is compared as text; a digit that did not arrive as one must not match.
        if (!isHexDigit(d.digit(j))) {
            m_modelCode[static_cast<std::size_t>(j - 2)] = '?';
        }
    }
    m_editor.settings().optionFlags =
        app::OptionFlags::fromFeatureByte(static_cast<std::uint8_t>(d.number(14)));
    m_editor.ReShowFunByRadio();

    if (m_preRead) {
        const std::string expected = modelCodeOf(m_editor.selectedModel());
        if (m_modelCode == expected) {
            m_modelCheck = 0;
        } else if (m_modelCode.compare(0, 2, expected, 0, 2) == 0) {
            m_modelCheck = 1;
        } else {
            m_modelCheck = 2;
        }
        return;
    }

    if (const auto model = modelIndexOfCode(m_modelCode)) {
        m_editor.selectModelUnasked(*model);
    }
    m_editor.setModelCodeLabel(m_modelCode);
    m_editor.ClearAll();
    m_adMem = {};
}

void ImageCodec::decodePassword(const BlockDigits& d) {
    std::array<std::uint8_t, blockSize> bytes{};
    for (int k = 0; k < blockSize; ++k) {
        bytes[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(d.number(k));
    }
    m_editor.settings().radioPassword = radioPasswordOfBlock(bytes);
    m_preRead = false;
}

void ImageCodec::decodeOptions1(const BlockDigits& d) {
    auto& f = m_optionFields;
    f[0] = "setup";
    f[1] = wordOfCode(indicationCodes(), d.code(1));
    f[2] = wordOfCode(vfoCodes(), d.code(2));
    f[3] = std::to_string(d.number(3));
    f[4] = std::to_string(d.number(4));
    f[5] = wordOfCode(txPowerCodes(), d.code(5));
    f[12] = wordOfCode(burstDelayCodes(), d.code(7));
    f[13] = wordOfCode(dtmfDigitCodes(), d.code(8));
    f[14] = wordOfCode(dtmfDigitCodes(), d.code(9));
    f[15] = wordOfCode(tbstFreqCodes(), d.code(10));
    const int timer = d.code(11);
    f[16] = timer >= 1 && timer <= 15 ? doc::entryAt(doc::TimeoutTimerList(), timer) : "off";
    const int penalty = d.code(12);
    f[17] =
        penalty >= 1 && penalty <= 15 ? doc::entryAt(doc::TimeoutPenaltyList(), penalty) : "off";
    f[18] = wordOfCode(offOnCodes(), d.code(13));
    f[19] = wordOfCode(offOnCodes(), d.code(14));
    f[20] = wordOfCode(beepCodes(), d.code(15));
}

void ImageCodec::decodeOptions2(const BlockDigits& d) {
    auto& f = m_optionFields;
    f[21] = wordOfCode(scanningModeCodes(), d.code(0));
    f[23] = wordOfCode(securityModeCodes(), d.code(2));
    for (int field = 6; field <= 11; ++field) {
        f[static_cast<std::size_t>(field)] = wordOfCode(enableDisableCodes(), d.code(field - 3));
    }
    const int switches = ConvertHexChr(d.digit(21));
    if (switches >= 0) {
        f[26] = (switches & 1) != 0 ? "1" : "0";
        f[27] = (switches & 4) != 0 ? "1" : "0";
    } else {
        f[26] = "1";
        f[27] = "0";
    }
    f[22] = wordOfCode(lampModeCodes(), d.code(12));
    f[25] = wordOfCode(powerSelectCodes(), d.code(14));
    f[24] = wordOfCode(modelLockCodes(), d.code(15));
    m_editor.document().strSetup =
        app::joinFields(std::vector<std::string>(f.begin(), f.end()), '|');
}

void ImageCodec::decodeBits(const BlockDigits& d, std::array<int, 105>& bits) {
    for (int j = 0; j < 26; ++j) {
        const auto nibble = NibbleBits(ConvertHexChr(d.digit(j)));
        for (int m = 0; m < 4; ++m) {
            bits[static_cast<std::size_t>(4 * j) + static_cast<std::size_t>(m) + 1] =
                nibble[static_cast<std::size_t>(m)];
        }
    }
}

// The reset before a read leaves channel 0 in use with defaults (for every model but
// one), and the read skips the blocks of channels the radio does not use; without this
// the editor would show, save and write back a channel 0 the radio does not have.
void ImageCodec::takeUnusedRowsOutOfUse() {
    for (int row = 1; row <= doc::rowUpperScanLimit; ++row) {
        if (m_chInUse[static_cast<std::size_t>(row)] == 0) {
            m_editor.takeRowOutOfUse(row);
        }
    }
    m_editor.notify(doc::GridChanged);
}

void ImageCodec::decodeChannelFirstHalf(const BlockDigits& d) {
    auto& line = m_chLine;
    const char switches = d.digit(0);
    if (switches >= '0' && switches <= '3') {
        line[5] = std::string(1, switches);
    }
    int flags = ConvertHexChr(d.digit(1));
    if (flags < 0) {
        flags = 0;
    }
    line[4] = (flags & 8) != 0 ? doc::storedNarrow : doc::storedWide;
    line[11] = (flags & 4) != 0 ? "on" : "off";
    line[12] = (flags & 2) != 0 ? "on" : "off";
    m_rowValues.priFlag = flags & 1;

    const int direction = d.code(1);
    m_rowValues.direction = direction == 1 || direction == 2 ? direction : 0;

    int rxKind = 0;
    int txKind = 0;
    switch (d.code(2)) {
    case 0x01:
        txKind = 1;
        break;
    case 0x02:
        rxKind = 1;
        break;
    case 0x03:
        rxKind = txKind = 1;
        break;
    case 0x04:
        txKind = 2;
        break;
    case 0x06:
        rxKind = 1;
        txKind = 2;
        break;
    case 0x08:
        rxKind = 2;
        break;
    case 0x09:
        rxKind = 2;
        txKind = 1;
        break;
    case 0x0C:
        rxKind = txKind = 2;
        break;
    default:
        break;
    }
    m_rowValues.rxKind = rxKind;
    m_rowValues.txKind = txKind;

    const int step = d.code(3);
    line[1] = step >= 0 && step <= 9 ? doc::entryAt(doc::StepList(), step) : "5";

    line[2] = d.copiedText(9, 3) + "." + d.copiedText(12, 4);
    const std::string offset = d.copiedText(18, 2) + "." + d.copiedText(20, 4);
    line[9] = line[2];
    if (m_rowValues.direction != 0) {
        // The radio's BCD may hold digits above 9; such a frequency is no number, and the
        // transmit frequency then stays on the receive frequency.
        const auto rx = singleOf(line[2]);
        const auto shift = singleOf(offset);
        if (rx && shift) {
            const float tx = m_rowValues.direction == 1 ? *rx - *shift : *rx + *shift;
            line[9] = doc::AdjustRxFreqByStep(singleText(tx), line[1]);
        }
    }

    const auto tone = [&](doc::TextList list, std::string_view prefix, int position) {
        return std::string(prefix) + std::string(doc::entryAt(list, position));
    };
    if (txKind == 1) {
        line[10] = tone(doc::CtcssToneList(), doc::ctcssPrefix, d.number(12));
    } else if (txKind == 0) {
        line[10] = "off";
    }
    if (rxKind == 1) {
        line[3] = tone(doc::CtcssToneList(), doc::ctcssPrefix, d.number(13));
    } else if (rxKind == 0) {
        line[3] = "off";
    }
    if (txKind == 2) {
        line[10] = tone(doc::DcsCodeList(), doc::dcsPrefix, d.number(14));
    }
    if (rxKind == 2) {
        line[3] = tone(doc::DcsCodeList(), doc::dcsPrefix, d.number(15));
    }
}

void ImageCodec::decodeChannelSecondHalf(const BlockDigits& d, int row) {
    auto& line = m_chLine;
    doc::Document& document = m_editor.document();
    const doc::ChannelWords& words = m_editor.words();

    std::string name;
    for (int k = 0; k < 7; ++k) {
        const int v = HexPairValue(d.digit(2 * k), d.digit(2 * k + 1));
        if (v == 0) {
            continue;
        }
        if (v >= 0x3A && v <= 0x53) {
            name += static_cast<char>(v + capitalCodeOffset);
        } else if (v >= firstNameExtraCode &&
                   v < firstNameExtraCode + static_cast<int>(nameExtraCharacters.size())) {
            name += nameExtraCharacters[static_cast<std::size_t>(v - firstNameExtraCode)];
        } else if (v >= 0x20 && v <= 0x7E && v != '|') {
            // Other printable codes are kept as they are. Control codes, codes above 127
            // and the field separator are dropped: they would break the lines and fields
            // of the channel data file.
            name += static_cast<char>(v);
        }
    }
    line[0] = name;

    if (m_rowValues.priFlag == 0) {
        line[8] = "off";
    } else {
        const int c = 16 * ConvertHexChr(d.digit(14)) + ConvertHexChr(d.digit(15));
        if (c >= 0 && c <= 9) {
            line[8] = "0" + std::to_string(c);
        } else if (c >= 10 && c <= 99) {
            line[8] = std::to_string(c);
        } else if (c == priLowerScanLimit) {
            line[8] = "PL";
        } else if (c == priUpperScanLimit) {
            line[8] = "PH";
        } else {
            line[8] = d.digit(14) == 'A' && d.digit(15) == '0' ? "CAL" : "VFO";
        }
    }

    line[6] = d.code(8) == 1 ? "on" : "off";

    const bool limitedRow = row <= doc::rowUpperScanLimit;
    const bool inUse = !limitedRow || m_chInUse[static_cast<std::size_t>(row)] != 0;
    if (row <= 100) {
        line[7] =
            m_chScanSkip[static_cast<std::size_t>(row)] != 0 ? words.scanSkip1 : words.scanSkip0;
    }

    const std::string switches = line[5];
    // The row is complete; its texts move on (m_chLine is emptied below).
    std::array<std::string, 14> stored = std::move(line);
    if (switches == "1"sv || switches == "3"sv) {
        stored[5] = "on";
    } else if (switches == "0"sv || switches == "2"sv) {
        stored[5] = "off";
    }
    if (switches == "2"sv || switches == "3"sv) {
        stored[13] = "on";
    } else if (switches == "0"sv || switches == "1"sv) {
        stored[13] = "off";
    }
    for (int i = 0; i < 14; ++i) {
        document.strChData.at(row, i + 2) = stored[static_cast<std::size_t>(i)];
    }

    if (inUse) {
        if (limitedRow) {
            document.strChData.at(row, doc::colStatus) = std::string(doc::storedActive);
            m_editor.setActiveStatus(row);
        }
        for (int i = 0; i < 14; ++i) {
            std::string& text = stored[static_cast<std::size_t>(i)];
            m_editor.setCell(
                row, i + 2, i + 2 == doc::colWideNarrow ? words.shownWidth(text) : std::move(text));
        }
    } else {
        m_editor.setInactiveStatus(row);
    }

    int type = d.number(9);
    if (type > 4) {
        type = 0;
    }
    const auto& signals = m_editor.optionSignalList();
    std::string signal = signals.front();
    if (type != 0) {
        const std::string_view word = doc::optionSignalTypes[static_cast<std::size_t>(type)];
        if (std::find(signals.begin(), signals.end(), word) != signals.end()) {
            signal = std::string(word);
        }
    }
    // The option signal is shown also for a row not in use (the scan limits are read
    // whatever their in-use bit); only columns 2..15 of such a row show "---".
    document.strChData.at(row, doc::colOptSignal) = signal;
    m_editor.setCell(row, doc::colOptSignal, signal);

    const auto limited = [&](int byte, int highest) {
        const int value = d.number(byte);
        return std::to_string(value > highest ? 0 : value);
    };
    auto& memory = document.strChData.at(row, doc::colOptMemory);
    auto& pttId = document.strChData.at(row, doc::colPttId);
    switch (type) {
    case 0:
        memory = "0";
        pttId = "0";
        break;
    case 1:
        memory = limited(10, 7);
        break;
    case 2:
        memory = limited(10, 7);
        pttId = limited(13, 1);
        break;
    case 3:
        memory = limited(11, 99);
        break;
    case 4:
        memory = limited(12, 99);
        pttId = limited(14, 3);
        break;
    default:
        break;
    }

    for (std::string& text : m_chLine) {
        text.clear(); // keeps the strings' room for the next row
    }
    m_rowValues = {};
    m_editor.notify(doc::GridChanged);
}

void ImageCodec::decodeAutoDial(const BlockDigits& d, int memory) {
    std::string& text = m_adMem[static_cast<std::size_t>(memory)];
    for (int k = 0; k < blockSize; ++k) {
        const int v = d.number(k);
        if (v >= '0' && v <= '9') {
            text += static_cast<char>(v);
        } else if (v >= firstAutoDialExtraCode &&
                   v < firstAutoDialExtraCode + static_cast<int>(autoDialExtraCharacters.size())) {
            text += autoDialExtraCharacters[static_cast<std::size_t>(v - firstAutoDialExtraCode)];
        }
    }
    if (firstAutoDialBlock + memory == lastAutoDialBlock) {
        std::string record = "Ad|";
        for (const std::string& stored : m_adMem) {
            record += stored.substr(0, autoDialMemoryLength) + "|";
        }
        m_editor.document().strAutoDial = record;
    }
}

void ImageCodec::decodeDtmf(const BlockDigits& d) {
    auto& memories = m_editor.document().toneData.dtmfMem;
    for (int j = 0; j < 8; ++j) {
        int value = 0;
        bool valid = true;
        for (int i = 0; i < 4; ++i) {
            const int nibble = ConvertHexChr(d.digit(4 * j + i));
            valid = valid && nibble >= 0;
            value = value * 16 + std::max(nibble, 0);
        }
        memories[static_cast<std::size_t>(j)] =
            valid ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value)) : 0;
    }
}

void ImageCodec::decodeTwoToneSettings(const BlockDigits& d) {
    doc::ToneData& tone = m_editor.document().toneData;
    const auto byte = [&](int k) { return static_cast<std::uint8_t>(d.number(k)); };
    tone.toneADivHi = byte(4);
    tone.toneADivLo = byte(5);
    tone.toneBDivHi = byte(6);
    tone.toneBDivLo = byte(7);
    tone.twoToneSel = byte(8);
    for (int i = 0; i < 4; ++i) {
        tone.twoToneSet[static_cast<std::size_t>(i)] = byte(9 + i);
    }
    tone.toneAFrac = byte(13);
    tone.toneBFrac = byte(14);
}

void ImageCodec::decodeOwnId(const BlockDigits& d) {
    doc::ToneData& tone = m_editor.document().toneData;
    tone.selfIdMode = static_cast<std::uint8_t>(d.number(1));
    tone.selfIdStd = static_cast<std::uint8_t>(d.number(2));
    tone.selfIdLen = static_cast<std::uint8_t>(d.number(3));
    tone.selfIdTime = static_cast<std::uint8_t>(d.number(4));
    std::string id;
    for (int i = 0; i < std::min<int>(tone.selfIdLen, 5); ++i) {
        id += d.copied(11 + 2 * i);
    }
    tone.selfId.assign(id);
    tone.selfIdDelay = static_cast<std::uint8_t>(d.number(10));
}

void ImageCodec::decodeTwoToneMemories(const BlockDigits& d, int pair) {
    auto& memories = m_editor.document().toneData.twoToneMem;
    for (int half = 0; half < 2; ++half) {
        doc::TwoToneRec& rec =
            memories[static_cast<std::size_t>(2 * pair) + static_cast<std::size_t>(half)];
        const int base = 8 * half;
        const auto byte = [&](int k) { return static_cast<std::uint8_t>(d.number(base + k)); };
        rec.div1Hi = byte(0);
        rec.div1Lo = byte(1);
        rec.div2Hi = byte(2);
        rec.div2Lo = byte(3);
        rec.frac1 = byte(4);
        rec.frac2 = byte(5);
    }
}

void ImageCodec::decodeFiveTone(const BlockDigits& d, int block) {
    doc::FiveToneRec& rec = fiveToneRecord(m_editor.document().toneData, block);
    rec.std = static_cast<std::uint8_t>(d.number(1));
    const int length = d.number(2);
    rec.codeLen = static_cast<std::uint8_t>(length > 22 ? 0 : length);
    const int time = d.number(3);
    rec.toneTime = static_cast<std::uint8_t>(time >= 3 && time <= 10 ? time : 7);
    rec.code.assign(d.copiedText(8, rec.codeLen));
}

} // namespace vn574::codec
