#include "codec/ImageCodec.h"

#include "app/TextUtil.h"
#include "codec/HexText.h"
#include "codec/ImageCodecShared.h"
#include "codec/MemoryMap.h"
#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/OptionLists.h"
#include "document/RecordRules.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace vn574::codec {

using namespace std::string_view_literals;
using namespace detail;
using document::Column;

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
        const auto value = doc::optionByteOf(text);
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
                // A word of another language has no code: it skips the channel.
                set = doc::scanSkipBitOf(document.strChData.at(row, doc::colScanSkip), words)
                          .value_or(true);
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
    const int switches = doc::switchPairDigitOf(shift, pac).value_or(0);
    const std::string& pri = t.at(row, doc::colPri);
    const auto bit = [](std::optional<bool> value) { return value.value_or(false) ? 1 : 0; };
    const int flags = (8 * bit(doc::narrowBitOf(t.at(row, doc::colWideNarrow)))) +
                      (4 * bit(doc::switchBitOf(t.at(row, doc::colBcl)))) +
                      (2 * bit(doc::switchBitOf(t.at(row, doc::colAni)))) +
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

    // A step or a receive frequency without a code is written as the filler (5 kHz,
    // 145.0000 MHz), as it always has been; the live checks mark such cells.
    const std::string step = Hex2(doc::stepCodeOf(t.at(row, doc::colRef)).value_or(0));
    const std::string frequency = doc::storedRxDigits(rx).value_or("1450000");

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
        out += Hex2(doc::nameCharacterCode(name[position]).value_or(0));
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
        const auto referred = doc::rowOfPriReference(pri);
        if (!referred) {
            refuse(channelMessage(row, "the PRI channel is not a channel number"));
            return false;
        }
        out += Hex2(*referred - 1);
    } else {
        out += "00";
    }

    out += doc::switchBitOf(t.at(row, doc::colDcsDet)).value_or(false) ? "01" : "00";

    for (const int column : {doc::colOptMemory, doc::colPttId}) {
        std::string& value = t.at(row, column);
        if (!doc::isStoredPosition(value)) {
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
    const bool usesMemory = doc::optionSignalUsesMemory(signal);
    const bool usesPttId = doc::optionSignalUsesPttId(signal);
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
        if (const auto code = doc::autoDialCharacterCode(c)) {
            out += Hex2(*code);
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
    // One tone digit per byte; anything but a hexadecimal digit would put a character
    // into the frame that the radio cannot take as a digit.
    if (!doc::ownIdFits(tone)) {
        refuse("Error 5-Tone own ID Data Format , please check!");
        return false;
    }
    const std::string id = tone.selfId.str();
    for (int i = 1; i <= 5; ++i) {
        if (i > tone.selfIdLen) {
            out += "00";
            continue;
        }
        out += "0" + std::string(1, upperHex(id[static_cast<std::size_t>(i - 1)]));
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
    const auto stored = doc::storedFiveTone(rec, tone.selfId.str(), block <= lastFiveToneBlock);
    if (!stored) {
        refuse(what() + "more than 22 digits), please check!");
        return false;
    }
    // The filling and the expanded own ID are kept in the record, as they always were.
    rec = *stored;
    const auto digits = doc::fiveToneDigits(rec);
    if (!digits) {
        refuse(what() + "a code digit is not 0..9 or A..F), please check!");
        return false;
    }

    out.clear();
    out.reserve(static_cast<std::size_t>(blockDigits));
    out += "00";
    out += Hex2(rec.std);
    out += Hex2(rec.codeLen);
    out += Hex2(rec.toneTime);
    for (const char c : *digits) {
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
