#include "codec/ImageCodec.h"

#include "app/TextUtil.h"
#include "codec/HexText.h"
#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace vn574::codec {

using namespace std::string_view_literals;
using document::Column;
namespace doc = vn574::document;

namespace {

constexpr std::string_view optionRecordMessage = "Error radio option Data Format , please check!";
constexpr std::string_view autoDialMessage = "Error Auto Dialor Data Format , please check!";

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal text as the radio's own arithmetic sees it: a single-precision value.
std::optional<float> singleOf(std::string_view text) {
    text = app::trimBlanks(text);
    if (!doc::isNumber(text)) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

// A single-precision value as text with up to 7 significant digits, the way such a value
// has always been turned into text before it is snapped to the raster.
std::string singleText(float value) {
    char buffer[48];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return {buffer, result.ptr};
}

std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return {buffer, result.ptr};
}

// A text that stands for one byte: a whole number 0..255 ("7", "07", " 7", "7.0").
std::optional<int> byteNumberOf(std::string_view text) {
    const auto value = doc::parseNumber(text);
    if (!value || *value < 0 || *value > 255 || std::floor(*value) != *value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string oneHexDigit(int value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[value & 0x0F]};
}

char upperHex(char c) {
    return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The number of '|'-separated fields in a record, as splitFields would give them; every
// block checks both records, and counting allocates nothing.
std::size_t fieldCount(std::string_view record) {
    std::size_t count = 1;
    for (std::size_t at = record.find('|'); at != std::string_view::npos;
         at = record.find('|', at + 1)) {
        ++count;
    }
    return count;
}

// positionOf over a fixed list through a hash table: the tone lists are long, and a
// write looks up four tones on each of its channels. Like positionOf it gives the first
// entry that matches.
class ListIndex {
public:
    explicit ListIndex(doc::TextList list) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            m_positions.emplace(list[i], static_cast<int>(i));
        }
    }
    [[nodiscard]] std::optional<int> positionOf(std::string_view text) const {
        const auto found = m_positions.find(text);
        return found == m_positions.end() ? std::nullopt : std::optional<int>(found->second);
    }

private:
    std::unordered_map<std::string_view, int> m_positions;
};

std::string channelMessage(int row, std::string_view reason) {
    return "Error channel " + doc::rowLabel(row) + " Data Format (" + std::string(reason) +
           "), please check!";
}

std::string fiveToneName(int block) {
    if (block == blockPttIdBot) {
        return "PTT ID BOT";
    }
    if (block == blockPttIdEot) {
        return "PTT ID EOT";
    }
    return "memory " + std::to_string(block - firstFiveToneBlock);
}

doc::FiveToneRec& fiveToneRecord(doc::ToneData& tone, int block) {
    if (block == blockPttIdBot) {
        return tone.pttIdBot;
    }
    if (block == blockPttIdEot) {
        return tone.pttIdEot;
    }
    return tone.fiveToneMem[static_cast<std::size_t>(block - firstFiveToneBlock)];
}

} // namespace

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

ImageCodec::ImageCodec(document::Editor& editor) : m_editor(editor) {
    m_optionFields[0] = "setup";
}

int ImageCodec::chInUse(int row) const {
    return row >= 1 && row <= doc::tableRows ? m_chInUse[static_cast<std::size_t>(row)] : 0;
}

int ImageCodec::chScanSkip(int row) const {
    return row >= 1 && row <= doc::tableRows ? m_chScanSkip[static_cast<std::size_t>(row)] : 0;
}

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
    std::string bytes;
    for (int k = 0; k < blockSize; ++k) {
        const int value = d.number(k);
        bytes += static_cast<char>(value == 255 ? 0 : value);
    }
    std::string password = TrimAtNul(bytes) + '\0';
    password.resize(16, ' ');
    m_editor.settings().radioPassword = password;
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

// ---------------------------------------------------------------------------------------
// Encoder

void ImageCodec::refuse(const std::string& text) {
    m_editor.prompts().message(text);
}

std::string ImageCodec::EncodeBlock(int block) {
    const doc::Document& document = m_editor.document();
    // Both records are checked for every block; a record that passed and has not changed
    // since passes again without being counted.
    if (m_wellFormedSetup != document.strSetup) {
        if (fieldCount(document.strSetup) != static_cast<std::size_t>(doc::setupFieldCount)) {
            refuse(std::string(optionRecordMessage));
            return std::string(errorResult);
        }
        m_wellFormedSetup = document.strSetup;
    }
    if (m_wellFormedAutoDial != document.strAutoDial) {
        if (fieldCount(document.strAutoDial) != static_cast<std::size_t>(doc::autoDialFieldCount)) {
            refuse(std::string(autoDialMessage));
            return std::string(errorResult);
        }
        m_wellFormedAutoDial = document.strAutoDial;
    }

    std::string out;
    bool ok = true;
    if (const auto channel = channelOfBlock(block)) {
        ok = channel->firstHalf ? encodeChannelFirstHalf(channel->row, out)
                                : encodeChannelSecondHalf(channel->row, out);
    } else if (block >= firstAutoDialBlock && block <= lastAutoDialBlock) {
        ok = encodeAutoDial(block - firstAutoDialBlock, out);
    } else if (block >= firstTwoToneBlock && block <= lastTwoToneBlock) {
        out = encodeTwoToneMemories(block - firstTwoToneBlock);
    } else if (block >= firstFiveToneBlock && block <= blockPttIdEot) {
        ok = encodeFiveTone(block, out);
    } else {
        switch (block) {
        case blockPassword:
            out = bytesToHex(PutPasswordBytes(m_newPassword));
            break;
        case blockOptions1:
            ok = encodeOptions1(out);
            break;
        case blockOptions2:
            out = encodeOptions2();
            break;
        case blockInUse:
            out = encodeBits(true);
            break;
        case blockScanSkip:
            out = encodeBits(false);
            break;
        case blockDtmfMemories:
            out = encodeDtmf();
            break;
        case blockTwoToneSettings:
            out = encodeTwoToneSettings();
            break;
        case blockOwnId:
            ok = encodeOwnId(out);
            break;
        default:
            out = std::string(blockDigits, '0');
            break;
        }
    }
    return ok ? out : std::string(errorResult);
}

bool ImageCodec::encodeOptions1(std::string& out) {
    const auto f = app::splitFields(m_editor.document().strSetup, '|');
    const auto code = [](CodeTable table, const std::string& word) {
        return Hex2(codeOfWord(table, word));
    };
    // The squelch level and the memory number go into the radio as they are; a value
    // that is no byte has no code, and writing some other number instead would change
    // the radio's setting behind the user's back.
    const auto number = [&](const std::string& text, std::string& digits) {
        if (text.empty()) {
            digits = "00";
            return true;
        }
        const auto value = byteNumberOf(text);
        if (!value) {
            return false;
        }
        digits = Hex2(*value);
        return true;
    };
    std::string memoryNumber;
    std::string squelch;
    if (!number(f[3], memoryNumber) || !number(f[4], squelch)) {
        refuse(std::string(optionRecordMessage));
        return false;
    }
    out = "A5" + code(indicationCodes(), f[1]) + code(vfoCodes(), f[2]) + memoryNumber + squelch +
          code(txPowerCodes(), f[5]) + "00" + code(burstDelayCodes(), f[12]) +
          code(dtmfDigitCodes(), f[13]) + code(dtmfDigitCodes(), f[14]) +
          code(tbstFreqCodes(), f[15]) +
          Hex2(doc::positionOf(doc::TimeoutTimerList(), f[16]).value_or(0)) +
          Hex2(doc::positionOf(doc::TimeoutPenaltyList(), f[17]).value_or(0)) +
          code(offOnCodes(), f[18]) + code(offOnCodes(), f[19]) + code(beepCodes(), f[20]);
    return true;
}

std::string ImageCodec::encodeOptions2() {
    const auto f = app::splitFields(m_editor.document().strSetup, '|');
    const auto code = [](CodeTable table, const std::string& word) {
        return Hex2(codeOfWord(table, word));
    };
    std::string out = code(scanningModeCodes(), f[21]) + "08" + code(securityModeCodes(), f[23]);
    for (std::size_t field = 6; field <= 11; ++field) {
        out += code(enableDisableCodes(), f[field]);
    }
    out += "00";
    const std::string& scrambler = f[26];
    const std::string& afterSound = f[27];
    if (scrambler == "0"sv && afterSound == "0"sv) {
        out += "00";
    } else if (scrambler == "0"sv && afterSound == "1"sv) {
        out += "04";
    } else if (scrambler == "1"sv && afterSound == "1"sv) {
        out += "05";
    } else {
        out += "01";
    }
    out += "00" + code(lampModeCodes(), f[22]) + "00" + code(powerSelectCodes(), f[25]) +
           code(modelLockCodes(), f[24]);
    return out;
}

std::string ImageCodec::encodeBits(bool inUse) const {
    const doc::Document& document = m_editor.document();
    const doc::ChannelWords& words = m_editor.words();
    const int rows = inUse ? doc::tableRows : 100;
    std::string out;
    for (int first = 1; first <= rows; first += 4) {
        int digit = 0;
        for (int i = 0; i < 4; ++i) {
            const int row = first + i;
            bool set = false;
            if (inUse) {
                const std::string& status = m_editor.grid().cell(row, doc::colStatus);
                set = !(status == words.inactive || status.empty());
            } else {
                const std::string& skip = document.strChData.at(row, doc::colScanSkip);
                set = !(skip == words.scanSkip0 || skip.empty());
            }
            if (set) {
                digit += 8 >> i;
            }
        }
        out += oneHexDigit(digit);
    }
    out.append(static_cast<std::size_t>(blockDigits) - out.size(), '0');
    return out;
}

bool ImageCodec::encodeChannelFirstHalf(int row, std::string& out) {
    const doc::Document& document = m_editor.document();
    const auto& t = document.strChData;
    // Views into the document, which nothing below changes.
    const auto orDefault = [&](int column, std::size_t element) {
        const std::string& value = t.at(row, column);
        return std::string_view(value.empty() ? document.strDefLine[element] : value).substr(0, 8);
    };
    const std::string_view rx = orDefault(doc::colRxFreq, 3);
    const std::string_view tx = orDefault(doc::colTxFreq, 10);
    const auto toneOrOff = [&](int column) {
        const std::string& tone = t.at(row, column);
        return tone.empty() ? "off"sv : std::string_view(tone);
    };
    const std::string_view rxTone = toneOrOff(doc::colRxTone);
    const std::string_view txTone = toneOrOff(doc::colTxTone);

    const std::string& shift = t.at(row, doc::colShift);
    const std::string& pac = t.at(row, doc::colPacMode);
    int switches = 0;
    if (shift == "off"sv && pac == "on"sv) {
        switches = 1;
    } else if (shift == "on"sv && pac == "on"sv) {
        switches = 3;
    } else if (shift == "on"sv && pac == "off"sv) {
        switches = 2;
    }
    const std::string& pri = t.at(row, doc::colPri);
    const int flags = (t.at(row, doc::colWideNarrow) == doc::storedNarrow ? 8 : 0) +
                      (t.at(row, doc::colBcl) == "on"sv ? 4 : 0) +
                      (t.at(row, doc::colAni) == "on"sv ? 2 : 0) +
                      (pri != "off"sv && !pri.empty() ? 1 : 0);

    const auto rxSingle = singleOf(rx);
    const auto txSingle = singleOf(tx);
    if (!rxSingle || !txSingle) {
        refuse(channelMessage(row, !rxSingle ? "the Rx frequency is not a number"
                                             : "the Tx frequency is not a number"));
        return false;
    }
    std::string direction = "00";
    if (*txSingle > *rxSingle) {
        direction = "02";
    } else if (*txSingle < *rxSingle) {
        direction = "01";
    }

    const auto kind = [](std::string_view tone) {
        if (tone.starts_with(doc::ctcssPrefix)) {
            return 'C';
        }
        if (tone.starts_with(doc::dcsPrefix)) {
            return 'D';
        }
        return tone == "off"sv ? 'o' : '?';
    };
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> tonePairs{{
        {"oo", "00"},
        {"oC", "01"},
        {"Co", "02"},
        {"CC", "03"},
        {"oD", "04"},
        {"CD", "06"},
        {"Do", "08"},
        {"DC", "09"},
        {"DD", "0C"},
    }};
    const std::string pair{kind(rxTone), kind(txTone)};
    std::string toneKinds = "00";
    for (const auto& [key, code] : tonePairs) {
        if (key == pair) {
            toneKinds = code;
        }
    }

    const std::string step =
        Hex2(doc::positionOf(doc::StepList(), t.at(row, doc::colRef)).value_or(0));

    std::string frequency = "1450000";
    const std::size_t point = rx.find('.');
    if (point != std::string::npos && point >= 1 && point <= 3 && rx.size() - point - 1 >= 4 &&
        std::all_of(rx.begin(), rx.begin() + static_cast<std::ptrdiff_t>(point), isDecimalDigit) &&
        std::all_of(rx.begin() + static_cast<std::ptrdiff_t>(point) + 1, rx.end(),
                    isDecimalDigit)) {
        frequency = std::string(3 - point, '0');
        frequency += rx.substr(0, point);
        frequency += rx.substr(point + 1, 4);
    }

    const double difference = std::fabs(*doc::parseNumber(tx) - *doc::parseNumber(rx));
    const std::string s = fixedText(difference, 4);
    const std::size_t wholeDigits = s.find('.');
    const std::string fraction = s.substr(s.size() - 4);
    std::string offset;
    if (wholeDigits == 1) {
        offset = (s[0] == '0' ? "00" : "0" + s.substr(0, 1)) + fraction;
    } else if (wholeDigits == 2) {
        offset = s.substr(0, 2) + fraction;
    } else {
        refuse(channelMessage(row, "Tx and Rx are 100 MHz or more apart"));
        return false;
    }

    static const ListIndex ctcssIndex(doc::CtcssToneList());
    static const ListIndex dcsIndex(doc::DcsCodeList());
    const auto tonePosition = [](const ListIndex& index, std::string_view tone, int filler) {
        const std::string_view value = tone.size() > 2 ? tone.substr(2) : std::string_view();
        return Hex2(index.positionOf(value).value_or(filler));
    };
    // Appended in place: the block is built once for every channel of a write.
    out.clear();
    out.reserve(static_cast<std::size_t>(blockDigits));
    out += oneHexDigit(switches);
    out += oneHexDigit(flags);
    out += direction;
    out += toneKinds;
    out += step;
    out += '0';
    out += frequency;
    out += "00";
    out += offset;
    out += tonePosition(ctcssIndex, txTone, ctcssFiller);
    out += tonePosition(ctcssIndex, rxTone, ctcssFiller);
    out += tonePosition(dcsIndex, txTone, dcsFiller);
    out += tonePosition(dcsIndex, rxTone, dcsFiller);
    return true;
}

bool ImageCodec::encodeChannelSecondHalf(int row, std::string& out) {
    auto& t = m_editor.document().strChData;
    const std::string& name = t.at(row, doc::colName);
    out.clear();
    out.reserve(static_cast<std::size_t>(blockDigits));
    for (std::size_t position = 0; position < 7; ++position) {
        if (position >= name.size()) {
            out += "00";
            continue;
        }
        const char c = name[position];
        const std::size_t extra = nameExtraCharacters.find(c);
        if (extra != std::string_view::npos) {
            out += Hex2(firstNameExtraCode + static_cast<int>(extra));
        } else if (isDecimalDigit(c)) {
            out += Hex2(c);
        } else if (c >= 'A' && c <= 'Z') {
            out += Hex2(c - capitalCodeOffset);
        } else {
            out += "00";
        }
    }

    const std::string& pri = t.at(row, doc::colPri);
    if (pri == "CAL"sv) {
        out += Hex2(priCallChannel);
    } else if (pri == "VFO"sv) {
        out += Hex2(priVfo);
    } else if (pri == "PL"sv) {
        out += Hex2(priLowerScanLimit);
    } else if (pri == "PH"sv) {
        out += Hex2(priUpperScanLimit);
    } else if (pri.size() == 2) {
        // A two-character reference names channel 00..99; anything else would send the
        // radio's priority scan to a channel the user never chose.
        if (!isDecimalDigit(pri[0]) || !isDecimalDigit(pri[1])) {
            refuse(channelMessage(row, "the PRI channel is not a channel number"));
            return false;
        }
        out += Hex2(std::stoi(pri));
    } else {
        out += "00";
    }

    out += t.at(row, doc::colDcsDet) == "on"sv ? "01" : "00";

    for (const int column : {doc::colOptMemory, doc::colPttId}) {
        std::string& value = t.at(row, column);
        const auto number = doc::parseNumber(value);
        if (!number || *number < 0 || std::floor(*number) != *number) {
            value = "0";
        }
    }
    const std::string& signal = t.at(row, doc::colOptSignal);
    const auto position = [&](int column, std::string& digits) {
        const auto value = byteNumberOf(t.at(row, column));
        if (!value) {
            return false;
        }
        digits = Hex2(*value);
        return true;
    };
    std::string memory = "00";
    std::string pttId = "00";
    const bool usesMemory =
        signal == "DTMF"sv || signal == "DTMF-ANI"sv || signal == "2Tone"sv || signal == "5Tone"sv;
    const bool usesPttId = signal == "DTMF-ANI"sv || signal == "5Tone"sv;
    if ((usesMemory && !position(doc::colOptMemory, memory)) ||
        (usesPttId && !position(doc::colPttId, pttId))) {
        refuse(channelMessage(row, "the option memory or PTT ID is above 255"));
        return false;
    }
    if (signal == "DTMF"sv) {
        out += "01" + memory + "00000000";
    } else if (signal == "DTMF-ANI"sv) {
        out += "02" + memory + "0000" + pttId + "00";
    } else if (signal == "2Tone"sv) {
        out += "0300" + memory + "000000";
    } else if (signal == "5Tone"sv) {
        out += "040000" + memory + "00" + pttId;
    } else {
        out += "000000000000";
    }
    out += "00";
    return true;
}

bool ImageCodec::encodeAutoDial(int memory, std::string& out) {
    const auto fields = app::splitFields(m_editor.document().strAutoDial, '|');
    out.clear();
    for (const char c : fields[static_cast<std::size_t>(memory) + 1]) {
        const std::size_t extra = autoDialExtraCharacters.find(c);
        if (isDecimalDigit(c)) {
            out += Hex2(c);
        } else if (extra != std::string_view::npos) {
            out += Hex2(firstAutoDialExtraCode + static_cast<int>(extra));
        }
    }
    // A memory of more than 16 characters gives more than 32 digits; the write sends no
    // frame of the wrong length and tells the user.
    while (out.size() < static_cast<std::size_t>(blockDigits)) {
        out += "00";
    }
    return true;
}

std::string ImageCodec::encodeDtmf() const {
    std::string out;
    for (const std::int16_t value : m_editor.document().toneData.dtmfMem) {
        out += Hex4(value);
    }
    return out;
}

std::string ImageCodec::encodeTwoToneSettings() const {
    const doc::ToneData& tone = m_editor.document().toneData;
    std::string out = "00000000";
    for (const std::uint8_t byte :
         {tone.toneADivHi, tone.toneADivLo, tone.toneBDivHi, tone.toneBDivLo, tone.twoToneSel,
          tone.twoToneSet[0], tone.twoToneSet[1], tone.twoToneSet[2], tone.twoToneSet[3],
          tone.toneAFrac, tone.toneBFrac}) {
        out += Hex2(byte);
    }
    return out + "00";
}

bool ImageCodec::encodeOwnId(std::string& out) {
    const doc::ToneData& tone = m_editor.document().toneData;
    out = "00" + Hex2(tone.selfIdMode) + Hex2(tone.selfIdStd) + Hex2(tone.selfIdLen) +
          Hex2(tone.selfIdTime);
    const std::string id = tone.selfId.str();
    for (int i = 1; i <= 5; ++i) {
        if (i > tone.selfIdLen) {
            out += "00";
            continue;
        }
        const char c = id[static_cast<std::size_t>(i - 1)];
        // One tone digit per byte; anything but a hexadecimal digit would put a
        // character into the frame that the radio cannot take as a digit.
        if (!isHexDigit(c)) {
            refuse("Error 5-Tone own ID Data Format , please check!");
            return false;
        }
        out += "0" + std::string(1, upperHex(c));
    }
    out += Hex2(tone.selfIdDelay) + "0000000000";
    return true;
}

std::string ImageCodec::encodeTwoToneMemories(int pair) const {
    const auto& memories = m_editor.document().toneData.twoToneMem;
    std::string out;
    out.reserve(static_cast<std::size_t>(blockDigits));
    for (int half = 0; half < 2; ++half) {
        const doc::TwoToneRec& rec =
            memories[static_cast<std::size_t>(2 * pair) + static_cast<std::size_t>(half)];
        for (const std::uint8_t byte :
             {rec.div1Hi, rec.div1Lo, rec.div2Hi, rec.div2Lo, rec.frac1, rec.frac2}) {
            out += Hex2(byte);
        }
        out += "0000";
    }
    return out;
}

bool ImageCodec::encodeFiveTone(int block, std::string& out) {
    doc::ToneData& tone = m_editor.document().toneData;
    doc::FiveToneRec& rec = fiveToneRecord(tone, block);
    const auto what = [block] { return "Error 5-Tone " + fiveToneName(block) + " Data Format ("; };
    // The block holds 24 digits; a longer code could never be filled up to its length.
    if (rec.codeLen > 22) {
        refuse(what() + "more than 22 digits), please check!");
        return false;
    }
    std::string code = rec.code.str();
    while (trimSpaces(code).size() < rec.codeLen) {
        code = std::string(trimSpaces(code)) + "E";
        rec.code.assign(code);
        code = rec.code.str();
    }
    if (block <= lastFiveToneBlock && rec.codeLen > 2) {
        const std::string_view trimmed = trimSpaces(code);
        const auto ownId = [&tone] { return std::string(trimSpaces(tone.selfId.str())); };
        std::optional<std::string> expanded;
        if (trimmed == "E2SelfID"sv) {
            expanded = "E2" + ownId();
        } else if (trimmed.starts_with("E3") && trimmed.size() == 14 &&
                   trimmed.ends_with("ESelfID")) {
            expanded = std::string(trimmed.substr(0, 7)) + "E" + ownId();
        }
        if (expanded) {
            rec.code.assign(*expanded);
            rec.codeLen = static_cast<std::uint8_t>(trimSpaces(rec.code.str()).size());
            code = rec.code.str();
        }
    }

    out.clear();
    out.reserve(static_cast<std::size_t>(blockDigits));
    out += "00";
    out += Hex2(rec.std);
    out += Hex2(rec.codeLen);
    out += Hex2(rec.toneTime);
    const std::string_view digits = trimSpaces(code).substr(0, rec.codeLen);
    for (const char c : digits) {
        if (!isHexDigit(c)) {
            refuse(what() + "a code digit is not 0..9 or A..F), please check!");
            return false;
        }
        out += upperHex(c);
    }
    if (rec.codeLen % 2 != 0) {
        out += "E";
    }
    for (int position = (rec.codeLen + 1) / 2 + 1; position <= 12; ++position) {
        out += "EE";
    }
    return true;
}

} // namespace vn574::codec
