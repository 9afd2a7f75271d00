#include "files/CsvChannels.h"

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"
#include "files/CsvText.h"
#include "files/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>

namespace vn574::files {

namespace doc = vn574::document;

namespace {

constexpr int memoryChannels = 100;
constexpr std::int64_t hzPerMhz = 1'000'000;
// Repeater shifts stay well below this; a larger distance is written as a split so that
// a reader sees the transmit frequency itself.
constexpr std::int64_t largestShiftHz = 10 * hzPerMhz;
// A CSV file of 100 channels is a few kilobytes; anything far larger was picked by
// mistake and is not read whole.
constexpr std::size_t maxCsvFileSize = 1'000'000;

// A frequency in MHz as exact hertz: digits, at most one ".", at most six decimals that
// matter (further decimals must be zeros). Floating point would turn 145.0125 into
// 145.012499.. and lose the last hertz on the way back.
std::optional<std::int64_t> parseMhz(std::string_view text) {
    text = app::trimBlanks(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || whole.size() > 6) {
        return std::nullopt;
    }
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(whole) || !digits(fraction)) {
        return std::nullopt;
    }
    std::int64_t hz = 0;
    for (const char c : whole) {
        hz = hz * 10 + (c - '0');
    }
    hz *= hzPerMhz;
    std::int64_t unit = hzPerMhz / 10;
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        if (i < 6) {
            hz += (fraction[i] - '0') * unit;
            unit /= 10;
        } else if (fraction[i] != '0') {
            return std::nullopt;
        }
    }
    return hz;
}

std::string formatHz(std::int64_t hz, int decimals) {
    std::string fraction = std::to_string(hz % hzPerMhz);
    fraction.insert(0, 6 - fraction.size(), '0');
    return std::to_string(hz / hzPerMhz) + "." +
           fraction.substr(0, static_cast<std::size_t>(decimals));
}

// The document's form: four decimals as the radio gives them, five where the value
// needs them (as the grid's own snapping writes).
std::optional<std::string> documentFrequency(std::int64_t hz) {
    if (hz % 100 == 0) {
        return formatHz(hz, 4);
    }
    if (hz % 10 == 0) {
        return formatHz(hz, 5);
    }
    return std::nullopt;
}

std::string formatStep(std::string_view step) {
    const auto value = doc::parseNumber(step);
    return value ? doc::formatFixed(*value, 2) : std::string(step);
}

// A tone cell split into its kind ('o' off, 'C' CTCSS, 'D' DCS) and its list entry.
struct Tone {
    char kind = 'o';
    std::string value;   // "88.5" or "023" (code without polarity)
    char polarity = 'N'; // 'N' normal, 'R' reversed (stored as "I")
};

std::optional<Tone> splitTone(const std::string& cell) {
    if (cell == "off") {
        return Tone{};
    }
    const std::string_view value =
        std::string_view(cell).substr(std::min<std::size_t>(2, cell.size()));
    if (cell.starts_with(doc::ctcssPrefix) && doc::positionOf(doc::CtcssToneList(), value)) {
        return Tone{'C', std::string(value), 'N'};
    }
    if (cell.starts_with(doc::dcsPrefix) && doc::positionOf(doc::DcsCodeList(), value)) {
        return Tone{'D', std::string(value.substr(0, 3)), value.back() == 'I' ? 'R' : 'N'};
    }
    return std::nullopt;
}

// The tone columns of one channel: Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity,
// RxDtcsCode, CrossMode. Unused columns keep the values other tools write for them.
std::vector<std::string> toneColumns(const Tone& tx, const Tone& rx) {
    std::string mode;
    std::string rTone = "88.5";
    std::string cTone = "88.5";
    std::string dtcs = "023";
    std::string rxDtcs = "023";
    std::string polarity = {tx.kind == 'D' ? tx.polarity : 'N', rx.kind == 'D' ? rx.polarity : 'N'};
    std::string cross = "Tone->Tone";
    const std::string pair{tx.kind, rx.kind};
    if (pair == "oo") {
    } else if (pair == "Co") {
        mode = "Tone";
        rTone = tx.value;
    } else if (pair == "CC" && tx.value == rx.value) {
        mode = "TSQL";
        rTone = cTone = tx.value;
    } else if (pair == "DD" && tx.value == rx.value) {
        mode = "DTCS";
        dtcs = rxDtcs = tx.value;
    } else {
        mode = "Cross";
        const auto side = [](char kind) {
            return kind == 'C'   ? std::string("Tone")
                   : kind == 'D' ? std::string("DTCS")
                                 : std::string();
        };
        cross = side(tx.kind) + "->" + side(rx.kind);
        if (tx.kind == 'C') {
            rTone = tx.value;
        } else if (tx.kind == 'D') {
            dtcs = tx.value;
        }
        if (rx.kind == 'C') {
            cTone = rx.value;
        } else if (rx.kind == 'D') {
            rxDtcs = rx.value;
        }
    }
    return {mode, rTone, cTone, dtcs, polarity, rxDtcs, cross};
}

// The header's columns by name, without regard to case or surrounding blanks.
class Columns {
public:
    explicit Columns(const std::vector<std::string>& header) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            std::string name = app::trimmed(header[i]);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            m_index.emplace(std::move(name), i);
        }
    }
    [[nodiscard]] bool has(const std::string& lowerName) const {
        return m_index.contains(lowerName);
    }
    // The row's field, trimmed; "" when the file has no such column or the row is short.
    [[nodiscard]] std::string get(const CsvRecord& row, const std::string& lowerName,
                                  bool trim = true) const {
        const auto found = m_index.find(lowerName);
        if (found == m_index.end() || found->second >= row.fields.size()) {
            return {};
        }
        const std::string& value = row.fields[found->second];
        return trim ? app::trimmed(value) : value;
    }

private:
    std::map<std::string, std::size_t> m_index;
};

// Reasons are thrown as text inside one row's check and caught per row.
struct RowRefused {
    std::string reason;
};

std::string ctcssEntry(const std::string& text, const char* column) {
    const auto value = doc::parseNumber(text);
    const std::string entry = value ? doc::formatFixed(*value, 1) : text;
    if (!value || !doc::positionOf(doc::CtcssToneList(), entry)) {
        throw RowRefused{std::string(column) + " \"" + text +
                         "\" is not a CTCSS tone of the radio's list"};
    }
    return std::string(doc::ctcssPrefix) + entry;
}

std::string dcsEntry(const std::string& text, char polarity, const char* column) {
    const bool digits =
        !text.empty() && text.size() <= 3 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '7'; });
    std::string code = text;
    code.insert(0, digits ? 3 - text.size() : 0, '0');
    code += polarity == 'R' ? 'I' : 'N';
    if (!digits || !doc::positionOf(doc::DcsCodeList(), code)) {
        throw RowRefused{std::string(column) + " \"" + text +
                         "\" is not a DCS code of the radio's list"};
    }
    return std::string(doc::dcsPrefix) + code;
}

void readTones(const Columns& columns, const CsvRecord& row, CsvChannel& channel) {
    const std::string mode = columns.get(row, "tone");
    std::string polarity = columns.get(row, "dtcspolarity");
    if (polarity.empty()) {
        polarity = "NN";
    }
    const bool dcsUsed =
        mode == "DTCS" ||
        (mode == "Cross" && columns.get(row, "crossmode").find("DTCS") != std::string::npos);
    if (dcsUsed && (polarity.size() != 2 || (polarity[0] != 'N' && polarity[0] != 'R') ||
                    (polarity[1] != 'N' && polarity[1] != 'R'))) {
        throw RowRefused{"DtcsPolarity \"" + polarity + "\" is none of NN, NR, RN, RR"};
    }
    channel.txTone = channel.rxTone = "off";
    if (mode.empty()) {
        return;
    }
    if (mode == "Tone") {
        channel.txTone = ctcssEntry(columns.get(row, "rtonefreq"), "rToneFreq");
    } else if (mode == "TSQL") {
        channel.txTone = channel.rxTone = ctcssEntry(columns.get(row, "ctonefreq"), "cToneFreq");
    } else if (mode == "DTCS") {
        const std::string code = columns.get(row, "dtcscode");
        channel.txTone = dcsEntry(code, polarity[0], "DtcsCode");
        channel.rxTone = dcsEntry(code, polarity[1], "DtcsCode");
    } else if (mode == "Cross") {
        std::string cross = columns.get(row, "crossmode");
        if (cross.empty()) {
            cross = "Tone->Tone";
        }
        const std::size_t arrow = cross.find("->");
        const std::string tx = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
        const std::string rx = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
        const auto known = [](const std::string& side) {
            return side.empty() || side == "Tone" || side == "DTCS";
        };
        if (!known(tx) || !known(rx) || (tx.empty() && rx.empty())) {
            throw RowRefused{"CrossMode \"" + cross + "\" is not available on this radio"};
        }
        if (tx == "Tone") {
            channel.txTone = ctcssEntry(columns.get(row, "rtonefreq"), "rToneFreq");
        } else if (tx == "DTCS") {
            channel.txTone = dcsEntry(columns.get(row, "dtcscode"), polarity[0], "DtcsCode");
        }
        if (rx == "Tone") {
            channel.rxTone = ctcssEntry(columns.get(row, "ctonefreq"), "cToneFreq");
        } else if (rx == "DTCS") {
            channel.rxTone = dcsEntry(columns.get(row, "rxdtcscode"), polarity[1], "RxDtcsCode");
        }
    } else {
        throw RowRefused{"tone mode \"" + mode + "\" is not available on this radio"};
    }
}

void readFrequencies(const Columns& columns, const CsvRecord& row, int modelIndex,
                     CsvChannel& channel) {
    const std::string rxText = columns.get(row, "frequency");
    const auto rx = parseMhz(rxText);
    if (!rx) {
        throw RowRefused{"Frequency \"" + rxText + "\" is not a frequency in MHz"};
    }
    const std::string duplex = columns.get(row, "duplex");
    const std::string offsetText = columns.get(row, "offset");
    std::optional<std::int64_t> offset =
        offsetText.empty() ? std::optional<std::int64_t>(0) : parseMhz(offsetText);
    if (!offset && !duplex.empty()) {
        throw RowRefused{"Offset \"" + offsetText + "\" is not a frequency in MHz"};
    }
    std::int64_t tx = *rx;
    if (duplex == "+") {
        tx = *rx + *offset;
    } else if (duplex == "-") {
        tx = *rx - *offset;
    } else if (duplex == "split") {
        if (offsetText.empty()) {
            throw RowRefused{"Duplex \"split\" needs the transmit frequency in Offset"};
        }
        tx = *offset;
    } else if (duplex == "off") {
        throw RowRefused{"this radio cannot switch off the transmitter of a channel (Duplex "
                         "\"off\")"};
    } else if (!duplex.empty()) {
        throw RowRefused{"Duplex \"" + duplex + R"(" is none of "", "+", "-", "split")"};
    }
    if (tx <= 0) {
        throw RowRefused{"Duplex \"" + duplex + "\" with Offset " + offsetText +
                         " MHz leaves no transmit frequency"};
    }
    const auto rxStored = documentFrequency(*rx);
    const auto txStored = documentFrequency(tx);
    if (!rxStored) {
        throw RowRefused{"Frequency " + formatHz(*rx, 6) +
                         " MHz is finer than the 10 Hz the radio can hold"};
    }
    if (!txStored) {
        throw RowRefused{"the transmit frequency " + formatHz(tx, 6) +
                         " MHz is finer than the 10 Hz the radio can hold"};
    }
    const doc::BandLimits rxBand = doc::rxBand(modelIndex);
    if (!doc::isInBand(rxBand, *rxStored)) {
        throw RowRefused{"Frequency " + formatHz(*rx, 6) + " MHz is outside the receive band " +
                         rxBand.rangeText + " of this model"};
    }
    const doc::BandLimits txBand = doc::txBand(modelIndex);
    if (!doc::isInBand(txBand, *txStored)) {
        throw RowRefused{"the transmit frequency " + formatHz(tx, 6) +
                         " MHz is outside the transmit band " + txBand.rangeText +
                         " of this model"};
    }
    channel.rxFrequency = *rxStored;
    channel.txFrequency = *txStored;
}

CsvChannel readChannel(const Columns& columns, const CsvRecord& row, int modelIndex) {
    CsvChannel channel;
    channel.line = row.line;
    const std::string location = columns.get(row, "location");
    const bool number =
        !location.empty() && location.size() <= 3 &&
        std::all_of(location.begin(), location.end(), [](char c) { return c >= '0' && c <= '9'; });
    channel.channel = number ? std::stoi(location) : -1;
    if (channel.channel < 0 || channel.channel >= memoryChannels) {
        throw RowRefused{"Location \"" + location + "\" is no memory channel (0 to 99)"};
    }

    // Names keep the radio's own lower-case symbols; other lower-case letters become
    // capitals, as typing them in the grid does.
    channel.name = columns.get(row, "name", false);
    const std::optional<std::string> name = doc::nameFromText(channel.name);
    if (!name) {
        throw RowRefused{"Name \"" + channel.name + "\" holds characters the radio cannot show"};
    }
    channel.name = *name;
    if (channel.name.size() > doc::maxNameLength) {
        throw RowRefused{"Name \"" + channel.name + "\" is longer than 7 characters"};
    }

    readFrequencies(columns, row, modelIndex, channel);
    readTones(columns, row, channel);

    const std::string mode = columns.get(row, "mode");
    if (mode == "NFM") {
        channel.narrow = true;
    } else if (!mode.empty() && mode != "FM") {
        throw RowRefused{"Mode \"" + mode + "\" is not available on this radio (FM or NFM)"};
    }

    const std::string step = columns.get(row, "tstep");
    if (step.empty()) {
        channel.step = std::string(doc::modelByIndex(modelIndex)->defaultStep);
    } else {
        const auto value = doc::parseNumber(step);
        for (const std::string_view entry : doc::StepList()) {
            // 8.33 kHz is written 8.33 or 8.333 by different tools.
            if (value && std::fabs(*doc::parseNumber(entry) - *value) < 0.005) {
                channel.step = std::string(entry);
            }
        }
        if (channel.step.empty()) {
            throw RowRefused{"TStep \"" + step + "\" kHz is not a step of the radio's list"};
        }
    }

    const std::string skip = columns.get(row, "skip");
    if (skip == "S") {
        channel.skip = true;
    } else if (!skip.empty()) {
        throw RowRefused{"Skip \"" + skip + "\" is not available on this radio (empty or S)"};
    }
    return channel;
}

} // namespace

CsvExport exportChannelsCsv(const document::Editor& editor) {
    std::vector<int> rows(memoryChannels);
    for (int row = 1; row <= memoryChannels; ++row) {
        rows[static_cast<std::size_t>(row - 1)] = row;
    }
    return exportChannelsCsv(editor, rows);
}

CsvExport exportChannelsCsv(const document::Editor& editor, const std::vector<int>& rows) {
    CsvExport result;
    result.text = std::string(csvChannelHeader) + "\r\n";
    const doc::ChannelWords& words = editor.words();
    for (const int row : rows) {
        if (row < 1 || row > memoryChannels || !editor.isRowActive(row)) {
            continue;
        }
        const int channel = row - 1;
        const auto refuse = [&](const std::string& reason) {
            result.problems.push_back({0, channel, reason});
        };
        const auto rx = parseMhz(editor.cell(row, doc::colRxFreq));
        const auto tx = parseMhz(editor.cell(row, doc::colTxFreq));
        if (!rx || !tx) {
            refuse("a frequency is not a number");
            continue;
        }
        const auto rxTone = splitTone(editor.cell(row, doc::colRxTone));
        const auto txTone = splitTone(editor.cell(row, doc::colTxTone));
        if (!rxTone || !txTone) {
            refuse("a tone is none of the radio's CTCSS tones and DCS codes");
            continue;
        }
        const std::string& step = editor.cell(row, doc::colRef);
        if (!doc::positionOf(doc::StepList(), step)) {
            refuse("the step \"" + step + "\" is not in the radio's list");
            continue;
        }
        std::string duplex;
        std::int64_t offset = 0;
        if (*tx != *rx) {
            const std::int64_t distance = *tx > *rx ? *tx - *rx : *rx - *tx;
            if (distance >= largestShiftHz) {
                duplex = "split";
                offset = *tx;
            } else {
                duplex = *tx > *rx ? "+" : "-";
                offset = distance;
            }
        }
        std::vector<std::string> fields{std::to_string(channel), editor.cell(row, doc::colName),
                                        formatHz(*rx, 6), duplex, formatHz(offset, 6)};
        for (std::string& tone : toneColumns(*txTone, *rxTone)) {
            fields.push_back(std::move(tone));
        }
        fields.emplace_back(editor.cell(row, doc::colWideNarrow) == words.narrow ? "NFM" : "FM");
        fields.push_back(formatStep(step));
        fields.emplace_back(editor.cell(row, doc::colScanSkip) == words.scanSkip1 ? "S" : "");
        fields.insert(fields.end(), 6, std::string()); // Power .. DVCODE
        result.text += csvLine(fields);
        ++result.channels;
    }
    return result;
}

CsvImport parseChannelsCsv(std::string_view text, int modelIndex) {
    CsvImport result;
    if (doc::modelByIndex(modelIndex) == nullptr) {
        result.error = "no radio model is selected";
        return result;
    }
    CsvParse parsed = parseCsv(text);
    if (!parsed.error.empty()) {
        result.error = parsed.error;
        return result;
    }
    if (parsed.records.empty()) {
        result.error = "the file is empty";
        return result;
    }
    const Columns columns(parsed.records.front().fields);
    if (!columns.has("location") || !columns.has("frequency")) {
        result.error = "the first line is no channel list header: it needs at least the "
                       "columns Location and Frequency";
        return result;
    }
    std::map<int, int> lineOfChannel;
    for (std::size_t i = 1; i < parsed.records.size(); ++i) {
        const CsvRecord& row = parsed.records[i];
        try {
            CsvChannel channel = readChannel(columns, row, modelIndex);
            const auto [earlier, added] = lineOfChannel.emplace(channel.channel, row.line);
            if (!added) {
                throw RowRefused{"channel " + std::to_string(channel.channel) +
                                 " already came on line " + std::to_string(earlier->second)};
            }
            result.channels.push_back(std::move(channel));
        } catch (const RowRefused& refused) {
            const std::string location = columns.get(row, "location");
            int channel = -1;
            if (!location.empty() && location.size() <= 2 &&
                std::all_of(location.begin(), location.end(),
                            [](char c) { return c >= '0' && c <= '9'; })) {
                channel = std::stoi(location);
            }
            result.problems.push_back({row.line, channel, refused.reason});
        }
    }
    return result;
}

void applyChannelsCsv(document::Editor& editor, const std::vector<CsvChannel>& channels) {
    const doc::ChannelWords& words = editor.words();
    auto& table = editor.document().strChData;
    for (const CsvChannel& channel : channels) {
        const int row = channel.channel + 1;
        editor.setActiveStatus(row);
        editor.setCell(row, doc::colName, channel.name);
        editor.setCell(row, doc::colRef, channel.step);
        editor.setCell(row, doc::colRxFreq, channel.rxFrequency);
        editor.setCell(row, doc::colTxFreq, channel.txFrequency);
        editor.setCell(row, doc::colRxTone, channel.rxTone);
        editor.setCell(row, doc::colTxTone, channel.txTone);
        editor.setCell(row, doc::colWideNarrow, channel.narrow ? words.narrow : words.wide);
        editor.setCell(row, doc::colScanSkip, channel.skip ? words.scanSkip1 : words.scanSkip0);
        for (const int column : {doc::colPacMode, doc::colDcsDet, doc::colPri, doc::colBcl,
                                 doc::colAni, doc::colShift}) {
            editor.setCell(row, column, "off");
        }
        editor.setCell(row, doc::colOptSignal, std::string(doc::optionSignalNone));
        table.at(row, doc::colOptSignal) = std::string(doc::optionSignalNone);
        table.at(row, doc::colOptMemory) = "0";
        table.at(row, doc::colPttId) = "0";
    }
    if (!channels.empty()) {
        // The frames show the option signal of the row last clicked, which may have
        // been replaced.
        editor.frames().hideAll();
        editor.document().bModify = true;
        editor.notify(doc::GridChanged | doc::FramesChanged);
    }
}

std::string describeCsvProblems(const std::vector<CsvProblem>& problems, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < limit; ++i) {
        const CsvProblem& problem = problems[i];
        if (problem.line > 0) {
            text += "line " + std::to_string(problem.line);
            if (problem.channel >= 0) {
                text += " (channel " + std::to_string(problem.channel) + ")";
            }
        } else {
            text += "channel " + std::to_string(problem.channel);
        }
        text += ": " + problem.reason + "\n";
    }
    if (problems.size() > limit) {
        text += "... and " + std::to_string(problems.size() - limit) + " more\n";
    }
    return text;
}

bool exportCsvWithDialog(document::Editor& editor) {
    const auto path = editor.prompts().chooseSaveFile(std::string(csvFileFilter), "");
    if (!path || path->empty()) {
        return false;
    }
    const CsvExport exported = exportChannelsCsv(editor);
    const std::string error = app::writeFileAtomically(*path, exported.text);
    if (!error.empty()) {
        editor.prompts().message("The CSV file could not be written: " + error, app::Icon::Error);
        return false;
    }
    if (!exported.problems.empty()) {
        editor.prompts().message("These channels were left out of the CSV file:\n" +
                                     describeCsvProblems(exported.problems, 20),
                                 app::Icon::Warning);
    }
    return true;
}

bool importCsvWithDialog(document::Editor& editor) {
    const auto path = editor.prompts().chooseOpenFile(std::string(csvFileFilter));
    if (!path || path->empty()) {
        return false;
    }
    std::string text;
    std::string error = readFileHead(*path, maxCsvFileSize + 1, text);
    if (error.empty() && text.size() > maxCsvFileSize) {
        error = "the file is larger than a channel list can be";
    }
    CsvImport imported;
    if (error.empty()) {
        imported = parseChannelsCsv(text, editor.selectedModel());
        error = imported.error;
    }
    if (!error.empty()) {
        editor.prompts().message("The CSV file cannot be imported: " + error + ".",
                                 app::Icon::Error);
        return false;
    }
    if (imported.channels.empty()) {
        editor.prompts().message("The CSV file holds no channel this model can take.\n" +
                                     describeCsvProblems(imported.problems, 20),
                                 app::Icon::Warning);
        return false;
    }
    if (!imported.problems.empty()) {
        const std::string question =
            "These rows cannot be imported for this model and will be left out:\n" +
            describeCsvProblems(imported.problems, 20) + "\nImport the other " +
            std::to_string(imported.channels.size()) + " channels?";
        if (editor.prompts().ask(question, app::Buttons::OkCancel) != app::Answer::Ok) {
            return false;
        }
    }
    applyChannelsCsv(editor, imported.channels);
    return true;
}

} // namespace vn574::files
