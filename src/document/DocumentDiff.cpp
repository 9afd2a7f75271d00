#include "document/DocumentDiff.h"

#include "app/TextUtil.h"
#include "document/Editor.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <utility>

namespace vn574::document {
namespace {

// Names of table columns 2..18.
constexpr std::array<std::string_view, tableColumns - 1> channelFieldNames{
    "Name",   "Ref",      "RxFreq",       "RxTone",       "WN",     "PacMode",
    "DcsDet", "ScanSkip", "PRI",          "TxFreq",       "TxTone", "BCL",
    "ANI",    "Shift",    "OptionSignal", "OptionMemory", "PttId"};

// Options 1..27 of strSetup by the English labels of the option dialog.
constexpr std::array<std::string_view, setupFieldCount - 1> optionNames{
    // clang-format off
    "Indication Mode", "VFO/MR/CALL", "MR No", "SQL No", "TX POWER", "SCAN Start",
    "Tx Power Change", "Key Lock Change", "Moni Key", "Ctcss/Dcs Change", "TBST Output",
    "DTMF burst delay", "DTMF 1st digit", "DTMF TX interval", "TBST Freq", "Time out timer",
    "Time out penalty", "Key Lock", "APO", "Beep sound", "Scanning Mode", "LAMP Mode",
    "Security Mode", "Model Lock", "Power Select", "Scrambler", "Aftersound Elimination",
    // clang-format on
};

constexpr int autoDialMemories = 9;

// A cell as the channel data file stores it: a blank cell is written as "def", which
// reads back as "".
std::string storedCell(const std::string& cell) {
    return app::trimBlanks(cell).empty() ? std::string() : cell;
}

std::optional<double> frequencyOf(std::string_view text) {
    text = app::trimBlanks(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool sameValue(int column, const std::string& left, const std::string& right) {
    if (column == colRxFreq || column == colTxFreq) {
        const auto a = frequencyOf(left);
        const auto b = frequencyOf(right);
        if (a && b) {
            return *a == *b; // "145.5" and "145.50000" are the same frequency
        }
    }
    return left == right;
}

int gridColumnOf(int column) {
    return column <= colOptSignal ? column : colOptSignal;
}

// The difference of one channel cell between two documents, none when both store it alike.
std::optional<Difference> cellDifference(const Editor& left, const Editor& right, int row,
                                         int column) {
    std::string a = storedCell(left.document().strChData.at(row, column));
    std::string b = storedCell(right.document().strChData.at(row, column));
    if (a == b) {
        return std::nullopt;
    }
    return Difference{DiffSection::Channel,
                      rowLabel(row),
                      std::string(channelFieldNames[static_cast<std::size_t>(column - colName)]),
                      std::move(a),
                      std::move(b),
                      row,
                      gridColumnOf(column)};
}

std::string field(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

using Values = std::vector<std::pair<std::string, std::string>>;

void add(Values& values, std::string name, int value) {
    values.emplace_back(std::move(name), std::to_string(value));
}

template <typename Array>
void addArray(Values& values, const std::string& name, const Array& array) {
    for (std::size_t i = 0; i < array.size(); ++i) {
        add(values, name + "[" + std::to_string(i) + "]", array[i]);
    }
}

void addFiveTone(Values& values, const std::string& name, const FiveToneRec& record) {
    add(values, name + ".Spare", record.spare);
    add(values, name + ".Std", record.std);
    add(values, name + ".CodeLen", record.codeLen);
    add(values, name + ".ToneTime", record.toneTime);
    values.emplace_back(name + ".Code", record.code.str());
}

// Every member of the signalling record in declaration order, by its own name. The memory
// arrays are numbered from 1 as the record declares them: TwoToneMem[1] is memory 0.
Values signallingValues(const ToneData& data) {
    Values values;
    addArray(values, "DtmfMem", data.dtmfMem);
    addArray(values, "Spare0", data.spare0);
    add(values, "TwoToneType", data.twoToneType);
    add(values, "ToneADivHi", data.toneADivHi);
    add(values, "ToneADivLo", data.toneADivLo);
    add(values, "ToneBDivHi", data.toneBDivHi);
    add(values, "ToneBDivLo", data.toneBDivLo);
    add(values, "ToneAFrac", data.toneAFrac);
    add(values, "ToneBFrac", data.toneBFrac);
    add(values, "TwoToneSel", data.twoToneSel);
    addArray(values, "TwoToneSet", data.twoToneSet);
    for (std::size_t i = 0; i < data.twoToneMem.size(); ++i) {
        const TwoToneRec& memory = data.twoToneMem[i];
        const std::string name = "TwoToneMem[" + std::to_string(i + 1) + "].";
        add(values, name + "Div1Hi", memory.div1Hi);
        add(values, name + "Div1Lo", memory.div1Lo);
        add(values, name + "Div2Hi", memory.div2Hi);
        add(values, name + "Div2Lo", memory.div2Lo);
        add(values, name + "Frac1", memory.frac1);
        add(values, name + "Frac2", memory.frac2);
    }
    add(values, "SelfIdSpare", data.selfIdSpare);
    add(values, "SelfIdMode", data.selfIdMode);
    add(values, "SelfIdStd", data.selfIdStd);
    add(values, "SelfIdLen", data.selfIdLen);
    add(values, "SelfIdTime", data.selfIdTime);
    values.emplace_back("SelfId", data.selfId.str());
    add(values, "SelfIdDelay", data.selfIdDelay);
    addFiveTone(values, "PttIdBot", data.pttIdBot);
    addFiveTone(values, "PttIdEot", data.pttIdEot);
    for (std::size_t i = 0; i < data.fiveToneMem.size(); ++i) {
        addFiveTone(values, "FiveToneMem[" + std::to_string(i + 1) + "]", data.fiveToneMem[i]);
    }
    return values;
}

// The pattern with "%1" and "%2" replaced in one pass, so that a value holding "%2"
// stays as it is.
std::string filled(std::string_view pattern, std::string_view first, std::string_view second = {}) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// The length of the UTF-8 sequence that starts `text` (2..4), or 0 when none does.
std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string_view sectionName(DiffSection section) {
    switch (section) {
    case DiffSection::Model:
        return "model";
    case DiffSection::Channel:
        return "channel";
    case DiffSection::Option:
        return "option";
    case DiffSection::AutoDial:
        return "autodial";
    case DiffSection::Signalling:
        return "signalling";
    }
    return {};
}

DocumentDiff::DocumentDiff(const Editor& left, const Editor& right) {
    compare(left, right);
}

DocumentDiff::DocumentDiff(const Editor& left, const Editor& right, const ImageVerdict& verdict)
    : m_verdict(&verdict), m_judged(true), m_sameImage(verdict.sameImage) {
    compare(left, right);
    m_verdict = nullptr;
    if (!m_sameImage && !std::any_of(m_differences.begin(), m_differences.end(),
                                     [](const Difference& d) { return !d.fileOnly; })) {
        // The images differ, so something listed reaches the radio even where the map of
        // the image cannot tell which: better all than a verdict with nothing behind it.
        for (Difference& difference : m_differences) {
            difference.fileOnly = false;
        }
    }
}

void DocumentDiff::add(Difference difference) {
    if (m_verdict != nullptr) {
        difference.fileOnly = m_sameImage || !m_verdict->reachesRadio(difference);
    }
    m_differences.push_back(std::move(difference));
}

void DocumentDiff::compare(const Editor& left, const Editor& right) {
    if (left.selectedModel() != right.selectedModel()) {
        add({DiffSection::Model, "-", "Model", std::to_string(left.selectedModel()),
             std::to_string(right.selectedModel())});
    }
    compareChannels(left, right);
    compareRecord(DiffSection::Option, left.document().strSetup, right.document().strSetup);
    compareRecord(DiffSection::AutoDial, left.document().strAutoDial, right.document().strAutoDial);
    compareSignalling(left, right);
}

void DocumentDiff::compareChannels(const Editor& left, const Editor& right) {
    for (int row = 1; row <= tableRows; ++row) {
        const bool leftInUse = left.isRowActive(row);
        const bool rightInUse = right.isRowActive(row);
        if (!leftInUse && !rightInUse) {
            // The radio holds next to nothing of either row: a channel's scan-skip bit is
            // written in or out of use, and PL and PH always. Only what the images hold
            // differently is told, and only when they differ at all.
            if (m_verdict != nullptr && !m_sameImage) {
                compareUnusedRow(left, right, row);
            }
            continue;
        }
        if (leftInUse != rightInUse) {
            const auto status = [](bool inUse) {
                return std::string(inUse ? storedActive : storedInactive);
            };
            add({DiffSection::Channel, rowLabel(row), "Status", status(leftInUse),
                 status(rightInUse), row, colStatus});
            continue;
        }
        for (int column = colName; column <= colPttId; ++column) {
            auto difference = cellDifference(left, right, row, column);
            // "145.5" and "145.50000" are the same frequency; only the radio may tell them
            // apart ("145.5" is no frequency it can store).
            if (!difference ||
                (sameValue(column, difference->left, difference->right) &&
                 (m_verdict == nullptr || m_sameImage || !m_verdict->reachesRadio(*difference)))) {
                continue;
            }
            add(std::move(*difference));
        }
    }
}

void DocumentDiff::compareUnusedRow(const Editor& left, const Editor& right, int row) {
    for (int column = colName; column <= colPttId; ++column) {
        auto difference = cellDifference(left, right, row, column);
        if (difference && m_verdict->reachesRadio(*difference)) {
            m_differences.push_back(std::move(*difference));
        }
    }
}

void DocumentDiff::compareRecord(DiffSection section, std::string_view left,
                                 std::string_view right) {
    const std::vector<std::string> a = app::splitFields(left, '|');
    const std::vector<std::string> b = app::splitFields(right, '|');
    const bool options = section == DiffSection::Option;
    const std::size_t last = options ? optionNames.size() : autoDialMemories;
    for (std::size_t index = 1; index <= last; ++index) {
        std::string leftValue = field(a, index);
        std::string rightValue = field(b, index);
        if (leftValue != rightValue) {
            add({section, std::to_string(index),
                 options ? std::string(optionNames[index - 1]) : std::string("Number"),
                 std::move(leftValue), std::move(rightValue)});
        }
    }
}

void DocumentDiff::compareSignalling(const Editor& left, const Editor& right) {
    const Values a = signallingValues(left.document().toneData);
    const Values b = signallingValues(right.document().toneData);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].second != b[i].second) {
            add({DiffSection::Signalling, a[i].first, "Value", a[i].second, b[i].second});
        }
    }
}

bool DocumentDiff::same() const {
    return m_judged ? m_sameImage : m_differences.empty();
}

std::vector<Difference> DocumentDiff::radioDifferences() const {
    std::vector<Difference> list;
    std::copy_if(m_differences.begin(), m_differences.end(), std::back_inserter(list),
                 [](const Difference& d) { return !d.fileOnly; });
    return list;
}

std::vector<Difference> DocumentDiff::fileOnlyDifferences() const {
    std::vector<Difference> list;
    std::copy_if(m_differences.begin(), m_differences.end(), std::back_inserter(list),
                 [](const Difference& d) { return d.fileOnly; });
    return list;
}

DiffCounts DocumentDiff::counts() const {
    DiffCounts counts;
    int lastRow = 0;
    for (const Difference& difference : m_differences) {
        if (difference.fileOnly) {
            continue;
        }
        switch (difference.section) {
        case DiffSection::Model:
            counts.model = true;
            break;
        case DiffSection::Channel:
            // A row's differences are adjacent: rows are compared one after the other.
            counts.channels += difference.row != lastRow ? 1 : 0;
            lastRow = difference.row;
            break;
        case DiffSection::Option:
            ++counts.options;
            break;
        case DiffSection::AutoDial:
            ++counts.autoDials;
            break;
        case DiffSection::Signalling:
            ++counts.signalling;
            break;
        }
    }
    return counts;
}

std::string DocumentDiff::summary(const SummaryWords& words) const {
    const DiffCounts c = counts();
    std::vector<std::string> parts;
    int things = 0;
    if (c.model) {
        parts.push_back(words.model);
        ++things;
    }
    const auto addCount = [&](const std::array<std::string, 2>& patterns, int count) {
        if (count > 0) {
            parts.push_back(filled(patterns[count == 1 ? 0 : 1], std::to_string(count)));
            things += count;
        }
    };
    addCount(words.channels, c.channels);
    addCount(words.options, c.options);
    addCount(words.autoDials, c.autoDials);
    addCount(words.signalling, c.signalling);
    if (parts.empty()) {
        return words.none;
    }
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        text = filled(i + 1 == parts.size() ? words.joinLast : words.join, text, parts[i]);
    }
    text = filled(things == 1 ? words.verbOne : words.verbMany, text);
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z') {
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    }
    return text;
}

std::string escapedValue(std::string_view value) {
    static constexpr std::string_view hex = "0123456789ABCDEF";
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '\t' || c == '\n' || c == '\r') {
            text += '\\';
            text += c == '\\' ? '\\' : c == '\t' ? 't' : c == '\n' ? 'n' : 'r';
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else if (const std::size_t length = utf8Length(value.substr(i)); length > 0) {
            // Words of the language file (a Chinese scan-skip word) stay readable.
            text += value.substr(i, length);
            i += length - 1;
        } else {
            text += "\\x";
            text += hex[byte >> 4];
            text += hex[byte & 0x0F];
        }
    }
    return text;
}

} // namespace vn574::document
