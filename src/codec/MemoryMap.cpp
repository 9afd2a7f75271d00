#include "codec/MemoryMap.h"

#include "document/Document.h"
#include "document/ValueTables.h"

namespace vn574::codec {
namespace {

// Blocks 20..27 carry the rows the radio keeps apart from its 100 channels.
constexpr std::array<int, 4> specialRows{document::rowVfo, document::rowCallChannel,
                                         document::rowLowerScanLimit, document::rowUpperScanLimit};

// Model position 8a + 2c + b from code bytes a (byte 1), b (byte 2), c (byte 3).
constexpr std::array<std::string_view, 4> bandDigits{"33", "66", "CC", "99"};
constexpr std::array<std::string_view, 2> variantDigits{"55", "AA"};

constexpr std::array<CodedWord, 2> indication{{{0x00, "Frequency"}, {0xA5, "Channel"}}};
constexpr std::array<CodedWord, 3> vfo{{{0x00, "VFO"}, {0x01, "MR"}, {0x02, "CALL"}}};
constexpr std::array<CodedWord, 3> txPower{{{0x00, "Hi"}, {0x01, "Mid"}, {0x02, "Low"}}};
constexpr std::array<CodedWord, 2> enableDisable{{{0x00, "Disable"}, {0xA5, "Enable"}}};
constexpr std::array<CodedWord, 4> burstDelay{
    {{0x00, "100ms"}, {0x01, "400ms"}, {0x02, "700ms"}, {0x03, "1s"}}};
constexpr std::array<CodedWord, 4> dtmfDigit{
    {{0x00, "60ms"}, {0x01, "80ms"}, {0x02, "160ms"}, {0x03, "200ms"}}};
constexpr std::array<CodedWord, 4> tbstFreq{
    {{0x00, "1750Hz"}, {0x01, "2100Hz"}, {0x02, "1000Hz"}, {0x03, "1450Hz"}}};
constexpr std::array<CodedWord, 2> offOn{{{0x00, "off"}, {0xA5, "on"}}};
constexpr std::array<CodedWord, 2> beep{{{0x00, "Enable"}, {0xA5, "Disable"}}};
constexpr std::array<CodedWord, 2> scanningMode{{{0x00, "Timer"}, {0xA5, "Busy"}}};
constexpr std::array<CodedWord, 2> lampMode{{{0x00, "High"}, {0xA5, "Low"}}};
constexpr std::array<CodedWord, 3> securityMode{{{0x00, "off"}, {0xA5, "on"}, {0x5A, "Dly"}}};
constexpr std::array<CodedWord, 2> modelLock{{{0x00, "Lock"}, {0x01, "Unlock"}}};
constexpr std::array<CodedWord, 2> powerSelect{{{0x00, "50W"}, {0x01, "25W"}}};

} // namespace

std::optional<ChannelBlock> channelOfBlock(int block) {
    if (block >= firstChannelBlock && block <= lastChannelBlock) {
        return ChannelBlock{(block - 30) / 2, block % 2 == 0};
    }
    if (block >= firstSpecialRowBlock && block <= lastSpecialRowBlock) {
        const auto index = static_cast<std::size_t>((block - firstSpecialRowBlock) / 2);
        return ChannelBlock{specialRows[index], block % 2 == 0};
    }
    return std::nullopt;
}

int firstBlockOfRow(int row) {
    if (row >= 1 && row <= 100) {
        return 30 + 2 * row;
    }
    for (std::size_t i = 0; i < specialRows.size(); ++i) {
        if (specialRows[i] == row) {
            return firstSpecialRowBlock + 2 * static_cast<int>(i);
        }
    }
    return -1;
}

std::string modelCodeOf(int modelIndex) {
    if (modelIndex < 0 || modelIndex >= document::modelCount) {
        return "000000";
    }
    const auto a = static_cast<std::size_t>(modelIndex / 8);
    const auto c = static_cast<std::size_t>((modelIndex % 8) / 2);
    const auto b = static_cast<std::size_t>(modelIndex % 2);
    return std::string(bandDigits[a]) + std::string(variantDigits[b]) + std::string(bandDigits[c]);
}

std::optional<int> modelIndexOfCode(std::string_view code) {
    for (int index = 0; index < document::modelCount; ++index) {
        if (modelCodeOf(index) == code) {
            return index;
        }
    }
    return std::nullopt;
}

CodeTable indicationCodes() {
    return indication;
}
CodeTable vfoCodes() {
    return vfo;
}
CodeTable txPowerCodes() {
    return txPower;
}
CodeTable enableDisableCodes() {
    return enableDisable;
}
CodeTable burstDelayCodes() {
    return burstDelay;
}
CodeTable dtmfDigitCodes() {
    return dtmfDigit;
}
CodeTable tbstFreqCodes() {
    return tbstFreq;
}
CodeTable offOnCodes() {
    return offOn;
}
CodeTable beepCodes() {
    return beep;
}
CodeTable scanningModeCodes() {
    return scanningMode;
}
CodeTable lampModeCodes() {
    return lampMode;
}
CodeTable securityModeCodes() {
    return securityMode;
}
CodeTable modelLockCodes() {
    return modelLock;
}
CodeTable powerSelectCodes() {
    return powerSelect;
}

std::string_view wordOfCode(CodeTable table, int code) {
    std::string_view fallback;
    for (const CodedWord& entry : table) {
        if (entry.code == code) {
            return entry.word;
        }
        if (entry.code == 0) {
            fallback = entry.word;
        }
    }
    return fallback;
}

int codeOfWord(CodeTable table, std::string_view word) {
    for (const CodedWord& entry : table) {
        if (entry.word == word) {
            return entry.code;
        }
    }
    return 0;
}

} // namespace vn574::codec
