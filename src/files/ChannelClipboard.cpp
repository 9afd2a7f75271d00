#include "files/ChannelClipboard.h"

#include "app/TextUtil.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"
#include "files/CsvChannels.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace vn574::files {

namespace doc = vn574::document;

namespace {

constexpr int lastRow = doc::tableRows;
constexpr int lastColumn = doc::colOptSignal;
// The refusal lines one message lists before it only counts the rest.
constexpr std::size_t listedRefusals = 20;
// Option memories and PTT IDs are positions in lists of at most 100 entries.
constexpr int positionsWithoutList = 100;

// The grid hides the ANI column, so what a copy of cells takes and what a paste of a
// block fills are the columns the user sees.
int nextShownColumn(int column) {
    ++column;
    return column == doc::colAni ? column + 1 : column;
}

std::vector<int> shownColumns(int first, int last) {
    std::vector<int> columns;
    for (int column = first == doc::colAni ? first + 1 : first; column <= last;
         column = nextShownColumn(column)) {
        columns.push_back(column);
    }
    return columns;
}

std::string replaced(std::string text, std::string_view marker, std::string_view value) {
    if (const auto at = text.find(marker); at != std::string::npos) {
        text.replace(at, marker.size(), value);
    }
    return text;
}

// Lines of pasted text without their line ends; a final line end adds no empty line.
std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines = app::splitFields(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

bool isTone(std::string_view text) {
    if (text == "off") {
        return true;
    }
    if (text.starts_with(doc::ctcssPrefix)) {
        return doc::positionOf(doc::CtcssToneList(), text.substr(doc::ctcssPrefix.size()))
            .has_value();
    }
    return text.starts_with(doc::dcsPrefix) &&
           doc::positionOf(doc::DcsCodeList(), text.substr(doc::dcsPrefix.size())).has_value();
}

// An empty option memory or PTT ID is what a row that never had one holds.
bool isPosition(const std::string& text, doc::TextList list) {
    if (text.empty()) {
        return true;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    const int limit = list.empty() ? positionsWithoutList : static_cast<int>(list.size());
    return ec == std::errc() && ptr == end && value >= 0 && value < limit;
}

} // namespace

struct ChannelClipboard::CellCheck {
    enum Kind { Skip, Take, Refuse } kind = Skip;
    std::string value; // Take: what the cell's rule receives; Refuse: the reason
};

std::string ChannelClipboard::text(std::string_view key) const {
    return m_editor.langText("CLIPBOARD", key);
}

ChannelClipboard::RowValues ChannelClipboard::tableRow(int row) const {
    RowValues values;
    const doc::ChannelTable& table = m_editor.document().strChData;
    const bool inUse = m_editor.isRowActive(row);
    values[doc::colStatus] = std::string(inUse ? doc::storedActive : doc::storedInactive);
    for (int column = doc::colName; column <= doc::tableColumns; ++column) {
        values[static_cast<std::size_t>(column)] =
            inUse && column <= lastColumn ? m_editor.words().storedWidth(m_editor.cell(row, column))
                                          : table.at(row, column);
    }
    return values;
}

std::string ChannelClipboard::shownLine(int row, const std::vector<int>& columns) const {
    std::vector<std::string> shown;
    shown.reserve(columns.size());
    for (const int column : columns) {
        shown.push_back(m_editor.cell(row, column));
    }
    return app::joinFields(shown, '\t') + "\n";
}

ClipboardPayload ChannelClipboard::copyRows(const std::vector<int>& rows) const {
    ClipboardPayload payload;
    payload.rows = std::string(channelRowsHeader) + "\n";
    const std::vector<int> columns = shownColumns(doc::colStatus, lastColumn);
    for (const int row : rows) {
        payload.text += shownLine(row, columns);
        const RowValues values = tableRow(row);
        std::vector<std::string> fields{m_editor.cell(row, 0)};
        fields.insert(fields.end(), values.begin() + 1, values.end());
        payload.rows += app::joinFields(fields, '\t') + "\n";
    }
    payload.csv = exportChannelsCsv(m_editor, rows).text;
    return payload;
}

ClipboardPayload ChannelClipboard::copyCells(const CellBlock& block) const {
    ClipboardPayload payload;
    const std::vector<int> columns = shownColumns(block.firstColumn, block.lastColumn);
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        payload.text += shownLine(row, columns);
    }
    return payload;
}

ChannelClipboard::CellCheck ChannelClipboard::checkCell(int row, int column,
                                                        const std::string& pasted) const {
    const doc::ChannelWords& words = m_editor.words();
    const bool inUse = m_editor.isRowActive(row);
    if (column == doc::colStatus) {
        const bool always = row == doc::rowCallChannel || row == doc::rowVfo;
        if (pasted.empty() || (pasted == words.active && inUse) ||
            (pasted == words.inactive && !inUse)) {
            return {};
        }
        if (pasted == words.active || pasted == words.inactive) {
            return always ? CellCheck{CellCheck::Refuse, text("13007")}
                          : CellCheck{CellCheck::Take, pasted};
        }
        return {CellCheck::Refuse, text("13006")};
    }
    const std::string value = column == doc::colName ? pasted : app::trimmed(pasted);
    // A row not in use shows "---", and a spreadsheet's empty cell means no value; only
    // a name can be empty.
    if (value == doc::notInUseCell || (value.empty() && column != doc::colName) ||
        (inUse && value == m_editor.cell(row, column) && column != doc::colName)) {
        return {};
    }
    const doc::CellEditor kind = doc::editorForCell(row, column);
    if (kind == doc::CellEditor::None) {
        return value == m_editor.document().defaultOf(column)
                   ? CellCheck{}
                   : CellCheck{CellCheck::Refuse, text("13005")};
    }
    const auto listed = [&](bool member) {
        return member ? CellCheck{CellCheck::Take, value}
                      : CellCheck{CellCheck::Refuse, text("13002")};
    };
    switch (kind) {
    case doc::CellEditor::Name: {
        // Plain text is typed in, lower-case letters becoming capitals; the program's own
        // row form carries the radio's lower-case glyphs exactly.
        const std::optional<std::string> name =
            m_exactNames ? doc::nameFromText(value) : doc::nameAsTyped(value);
        if (!name) {
            return {CellCheck::Refuse, text("13003")};
        }
        if (name->size() > doc::maxNameLength) {
            return {CellCheck::Refuse, text("13004")};
        }
        if (inUse && *name == m_editor.cell(row, column)) {
            return {};
        }
        return {CellCheck::Take, *name};
    }
    case doc::CellEditor::RxFrequency:
    case doc::CellEditor::TxFrequency: {
        std::string refusal = kind == doc::CellEditor::RxFrequency
                                  ? m_editor.rxFrequencyRefusal(value)
                                  : m_editor.txFrequencyRefusal(value);
        return refusal.empty() ? CellCheck{CellCheck::Take, value}
                               : CellCheck{CellCheck::Refuse, std::move(refusal)};
    }
    case doc::CellEditor::Step:
        return listed(doc::positionOf(doc::StepList(), value).has_value());
    case doc::CellEditor::RxTone:
    case doc::CellEditor::TxTone:
        return listed(isTone(value));
    case doc::CellEditor::Priority: {
        // The entries the PRI list would offer now, without their frequencies.
        bool member = false;
        for (const std::string& entry : m_fields.priorityEntries()) {
            member = member || entry.substr(0, entry.find(':')) == value;
        }
        return listed(member);
    }
    case doc::CellEditor::OptionSignal: {
        const auto& list = m_editor.optionSignalList();
        return listed(std::find(list.begin(), list.end(), value) != list.end());
    }
    default: {
        // The simple lists; the W/N column also takes the stored words.
        const std::string shown = column == doc::colWideNarrow ? words.shownWidth(value) : value;
        const std::vector<std::string> entries = m_fields.simpleListEntries(kind);
        return std::find(entries.begin(), entries.end(), shown) != entries.end()
                   ? CellCheck{CellCheck::Take, shown}
                   : CellCheck{CellCheck::Refuse, text("13002")};
    }
    }
}

void ChannelClipboard::applyCell(int row, int column, const std::string& value) {
    switch (doc::editorForCell(row, column)) {
    case doc::CellEditor::Name:
        m_fields.nameChanged(row, value);
        break;
    case doc::CellEditor::Step:
        m_fields.stepChosen(row, value);
        m_fields.stepCommit(row, value);
        break;
    case doc::CellEditor::RxFrequency:
        m_editor.putRxFrequency(row, value);
        break;
    case doc::CellEditor::TxFrequency:
        m_editor.putTxFrequency(row, value);
        break;
    case doc::CellEditor::Priority:
        m_fields.priorityCommit(row, value);
        break;
    case doc::CellEditor::OptionSignal:
        m_fields.optionSignalCommit(row, value);
        break;
    case doc::CellEditor::RxTone:
    case doc::CellEditor::TxTone:
        m_editor.setCell(row, column, value);
        break;
    default:
        m_fields.simpleListCommit(row, doc::editorForCell(row, column), value);
        break;
    }
}

void ChannelClipboard::putInUse(int row) {
    if (m_editor.isRowActive(row)) {
        return;
    }
    // A new channel: the document's defaults, not what the row held before it went out
    // of use, so that what was not pasted is what a fresh channel has.
    doc::ChannelTable& table = m_editor.document().strChData;
    for (int column = doc::colName; column <= lastColumn; ++column) {
        table.at(row, column).clear();
    }
    table.at(row, doc::colOptMemory) = "0";
    table.at(row, doc::colPttId) = "0";
    m_editor.setActiveStatus(row);
    m_editor.ReadBuffer(row);
}

void ChannelClipboard::takeOutOfUse(int row) {
    if (row == doc::rowCallChannel || row == doc::rowVfo) {
        m_editor.InitialSingleLine(row);
        doc::ChannelTable& table = m_editor.document().strChData;
        table.at(row, doc::colOptSignal) = std::string(doc::optionSignalNone);
        table.at(row, doc::colOptMemory) = "0";
        table.at(row, doc::colPttId) = "0";
        return;
    }
    if (!m_editor.isRowActive(row)) {
        return;
    }
    // The status toggle takes option memory and PTT ID from the frames, which show the
    // current row only; every other row keeps its own.
    doc::ChannelTable& table = m_editor.document().strChData;
    const std::string memory = table.at(row, doc::colOptMemory);
    const std::string pttId = table.at(row, doc::colPttId);
    m_editor.ToggleChannelStatus(row);
    table.at(row, doc::colOptMemory) = memory;
    table.at(row, doc::colPttId) = pttId;
}

int ChannelClipboard::pasteIntoRow(int row, const std::vector<std::pair<int, std::string>>& cells,
                                   PasteResult& result) {
    const auto refuse = [&](const std::pair<int, std::string>& cell, const CellCheck& check) {
        if (check.kind == CellCheck::Refuse) {
            result.refusals.push_back({row, cell.first, cell.second, check.value});
        }
    };
    bool anyTaken = false;
    bool outOfUse = false;
    for (const auto& cell : cells) {
        const CellCheck check = checkCell(row, cell.first, cell.second);
        anyTaken = anyTaken || check.kind == CellCheck::Take;
        // A status word decides the row first: out of use, nothing else of it is pasted.
        outOfUse = outOfUse || (cell.first == doc::colStatus && check.kind == CellCheck::Take &&
                                check.value == m_editor.words().inactive);
    }
    if (!anyTaken) {
        for (const auto& cell : cells) {
            refuse(cell, checkCell(row, cell.first, cell.second));
        }
        return 0;
    }
    if (outOfUse) {
        takeOutOfUse(row);
        return 1;
    }
    const bool wasInUse = m_editor.isRowActive(row);
    putInUse(row);
    int taken = 0;
    // Each cell is checked against the row as the cells before it left it: a new step
    // snaps the frequencies after it, the receive entry may move the transmit frequency.
    for (const auto& cell : cells) {
        const CellCheck check = checkCell(row, cell.first, cell.second);
        refuse(cell, check);
        if (check.kind == CellCheck::Take) {
            applyCell(row, cell.first, check.value);
            ++taken;
        }
    }
    // A row put in use changed even when every pasted value was its default.
    return wasInUse ? taken : std::max(taken, 1);
}

void ChannelClipboard::pasteRowValues(int row, const RowValues& values, PasteResult& result) {
    const std::string& status = values[doc::colStatus];
    if (status == doc::storedInactive) {
        if (row == doc::rowCallChannel || row == doc::rowVfo) {
            result.refusals.push_back({row, 0, {}, text("13007")});
        } else if (m_editor.isRowActive(row)) {
            takeOutOfUse(row);
            ++result.taken;
        }
        return;
    }
    if (status != doc::storedActive) {
        result.refusals.push_back({row, 0, {}, text("13009")});
        return;
    }
    std::vector<std::pair<int, std::string>> cells;
    for (int column = doc::colName; column <= lastColumn; ++column) {
        cells.emplace_back(column,
                           m_editor.words().shownWidth(values[static_cast<std::size_t>(column)]));
    }
    bool changed = pasteIntoRow(row, cells, result) > 0;
    // Option memory and PTT ID belong to the option signal; they follow it when the row
    // now has the pasted signal.
    const std::string& signal = values[doc::colOptSignal];
    if (m_editor.isRowActive(row) && m_editor.cell(row, doc::colOptSignal) == signal) {
        doc::ChannelTable& table = m_editor.document().strChData;
        for (const int column : {int{doc::colOptMemory}, int{doc::colPttId}}) {
            const std::string& value = values[static_cast<std::size_t>(column)];
            if (value == table.at(row, column)) {
                continue;
            }
            if (isPosition(value, doc::signalPositionList(signal, column == doc::colPttId))) {
                table.at(row, column) = value;
                changed = true;
            } else {
                result.refusals.push_back({row, column, value, text("13010")});
            }
        }
    }
    if (changed) {
        ++result.taken;
    }
}

void ChannelClipboard::finish(const PasteResult& result, std::string_view key) {
    if (result.taken == 0) {
        return;
    }
    // The frames show the option signal of the row last clicked, which may have changed.
    m_editor.frames().hideAll();
    m_editor.notify(doc::GridChanged | doc::FramesChanged);
    m_editor.recordStep(m_editor.stepName(key, std::to_string(result.taken)));
}

PasteResult ChannelClipboard::pasteRows(int firstRow, std::string_view rows) {
    PasteResult result;
    m_exactNames = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_exactNames};
    std::vector<std::string> lines = textLines(rows);
    if (lines.empty() || lines.front() != channelRowsHeader) {
        result.error = text("13012");
        return result;
    }
    lines.erase(lines.begin());
    int row = firstRow;
    for (const std::string& line : lines) {
        if (row > lastRow) {
            break;
        }
        const std::vector<std::string> fields = app::splitFields(line, '\t');
        RowValues values;
        if (fields.size() != values.size()) {
            result.refusals.push_back({row++, 0, {}, text("13009")});
            continue;
        }
        std::copy(fields.begin() + 1, fields.end(), values.begin() + 1);
        pasteRowValues(row++, values, result);
    }
    if (const int beyond = static_cast<int>(lines.size()) - (lastRow - firstRow + 1); beyond > 0) {
        result.refusals.push_back({0, 0, std::to_string(beyond), text("13008")});
    }
    finish(result, "95004");
    return result;
}

PasteResult ChannelClipboard::pasteCsv(int firstRow, std::string_view csv) {
    PasteResult result;
    const CsvImport parsed = parseChannelsCsv(csv, m_editor.selectedModel());
    if (!parsed.error.empty()) {
        result.error = replaced(text("13013"), "%1", parsed.error);
        return result;
    }
    // Each data line goes to the next row, whatever its Location: the lines that came
    // through and the ones refused, in the order of the text.
    std::map<int, int> rowOfLine;
    for (const CsvChannel& channel : parsed.channels) {
        rowOfLine.emplace(channel.line, 0);
    }
    for (const CsvProblem& problem : parsed.problems) {
        rowOfLine.emplace(problem.line, 0);
    }
    int next = firstRow;
    for (auto& entry : rowOfLine) {
        entry.second = next++;
    }
    int beyond = 0;
    for (const CsvProblem& problem : parsed.problems) {
        const int row = rowOfLine[problem.line];
        if (row > lastRow) {
            ++beyond;
        } else {
            result.refusals.push_back({row, 0, {}, problem.reason});
        }
    }
    const doc::Document& document = m_editor.document();
    for (const CsvChannel& channel : parsed.channels) {
        const int row = rowOfLine[channel.line];
        if (row > lastRow) {
            ++beyond;
            continue;
        }
        RowValues values;
        values[doc::colStatus] = std::string(doc::storedActive);
        for (int column = doc::colName; column <= doc::tableColumns; ++column) {
            values[static_cast<std::size_t>(column)] = document.defaultOf(column);
        }
        values[doc::colName] = channel.name;
        values[doc::colRef] = channel.step;
        values[doc::colRxFreq] = channel.rxFrequency;
        values[doc::colTxFreq] = channel.txFrequency;
        values[doc::colRxTone] = channel.rxTone;
        values[doc::colTxTone] = channel.txTone;
        values[doc::colWideNarrow] = channel.narrow ? doc::storedNarrow : doc::storedWide;
        values[doc::colScanSkip] =
            channel.skip ? m_editor.words().scanSkip1 : m_editor.words().scanSkip0;
        pasteRowValues(row, values, result);
    }
    if (beyond > 0) {
        result.refusals.push_back({0, 0, std::to_string(beyond), text("13008")});
    }
    finish(result, "95004");
    return result;
}

PasteResult ChannelClipboard::pasteCells(int firstRow, int firstColumn, std::string_view pasted) {
    PasteResult result;
    const std::vector<std::string> lines = textLines(pasted);
    if (lines.empty()) {
        result.error = text("13012");
        return result;
    }
    int beyond = 0;
    int row = firstRow;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = app::splitFields(line, '\t');
        if (row > lastRow) {
            beyond += static_cast<int>(fields.size());
            continue;
        }
        std::vector<std::pair<int, std::string>> cells;
        int column = firstColumn == doc::colAni ? firstColumn + 1 : firstColumn;
        for (const std::string& field : fields) {
            if (column > lastColumn) {
                ++beyond;
            } else {
                cells.emplace_back(column, field);
            }
            column = nextShownColumn(column);
        }
        result.taken += pasteIntoRow(row++, cells, result);
    }
    if (beyond > 0) {
        result.refusals.push_back({0, 0, std::to_string(beyond), text("13008")});
    }
    finish(result, "95005");
    return result;
}

void ChannelClipboard::takeRowsOutOfUse(const std::vector<int>& rows, std::string_view key) {
    for (const int row : rows) {
        takeOutOfUse(row);
    }
    m_editor.frames().hideAll();
    m_editor.notify(doc::GridChanged | doc::FramesChanged);
    m_editor.recordStep(m_editor.stepName(key, std::to_string(rows.size())));
}

ClipboardPayload ChannelClipboard::cutRows(const std::vector<int>& rows) {
    ClipboardPayload payload = copyRows(rows);
    takeRowsOutOfUse(rows, "95006");
    return payload;
}

void ChannelClipboard::deleteRows(const std::vector<int>& rows) {
    takeRowsOutOfUse(rows, "95008");
}

ClipboardPayload ChannelClipboard::cutCells(const CellBlock& block) {
    ClipboardPayload payload = copyCells(block);
    const doc::Document& document = m_editor.document();
    int cells = 0;
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        if (!m_editor.isRowActive(row)) {
            continue;
        }
        for (const int column : shownColumns(block.firstColumn, block.lastColumn)) {
            if (doc::editorForCell(row, column) == doc::CellEditor::None) {
                continue;
            }
            const std::string value = document.defaultOf(column);
            if (column == doc::colRxFreq || column == doc::colTxFreq) {
                // Set as it is: the receive rule would also move the transmit frequency.
                m_editor.setCell(row, column, value);
            } else {
                applyCell(row, column, value);
            }
            ++cells;
        }
    }
    m_editor.frames().hideAll();
    m_editor.notify(doc::GridChanged | doc::FramesChanged);
    m_editor.recordStep(m_editor.stepName("95007", std::to_string(cells)));
    return payload;
}

std::string ChannelClipboard::refusalMessage(const PasteResult& result) const {
    if (!result.error.empty()) {
        return result.error;
    }
    if (result.refusals.empty()) {
        return {};
    }
    std::string message = text("13000");
    for (std::size_t i = 0; i < result.refusals.size() && i < listedRefusals; ++i) {
        const PasteRefusal& refusal = result.refusals[i];
        std::string line;
        if (refusal.row == 0) {
            line = replaced(text("13011"), "%1", refusal.text) + ": " + refusal.reason;
        } else if (refusal.column == 0) {
            line = replaced(text("13014"), "%1", m_editor.cell(refusal.row, 0)) + ": " +
                   refusal.reason;
        } else {
            const std::string heading =
                refusal.column <= lastColumn
                    ? m_editor.cell(0, refusal.column)
                    : text(refusal.column == doc::colPttId ? "13016" : "13015");
            line = replaced(replaced(text("13001"), "%1", m_editor.cell(refusal.row, 0)), "%2",
                            heading);
            line = replaced(replaced(line, "%3", refusal.text), "%4", refusal.reason);
        }
        message += "\n" + line;
    }
    if (result.refusals.size() > listedRefusals) {
        message += "\n" + replaced(text("13017"), "%1",
                                   std::to_string(result.refusals.size() - listedRefusals));
    }
    return message;
}

} // namespace vn574::files
