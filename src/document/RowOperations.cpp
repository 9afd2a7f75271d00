#include "document/RowOperations.h"

#include "app/TextUtil.h"
#include "document/FieldRules.h"
#include "document/options/RadioOptions.h"
#include "document/ValueTables.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <numeric>
#include <utility>

namespace vn574::document {
namespace {

constexpr int channelCount = lastChannelRow - firstChannelRow + 1;

bool isChannelRow(int row) {
    return row >= firstChannelRow && row <= lastChannelRow;
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// End of the number starting at `from`: digits, and a "." with digits after it.
std::size_t numberEnd(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    if (end + 1 < text.size() && text[end] == '.' && isDigit(text[end + 1])) {
        ++end;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
    }
    return end;
}

double numberAt(std::string_view text, std::size_t from, std::size_t end) {
    double value = 0;
    std::from_chars(text.data() + from, text.data() + end, value);
    return value;
}

// Texts compared with their numbers as numbers, so that "C:67.0" comes before
// "C:100.0", "CH2" before "CH10" and 145.0125 equals 145.01250.
int naturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t endA = numberEnd(a, i);
            const std::size_t endB = numberEnd(b, j);
            const double x = numberAt(a, i, endA);
            const double y = numberAt(b, j, endB);
            if (x != y) {
                return x < y ? -1 : 1;
            }
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const std::size_t restA = a.size() - i;
    const std::size_t restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

// The channel a PRI value "00".."99" refers to, or nothing for "off", "PL", "CAL", ...
std::optional<int> referencedChannel(const std::string& value) {
    if (value.size() != 2 || !isDigit(value[0]) || !isDigit(value[1])) {
        return std::nullopt;
    }
    return ((value[0] - '0') * 10) + (value[1] - '0');
}

// A stored option memory or PTT ID that no longer names an entry of its signal's list is
// reset to "0"; a signal without such a list holds "0" there.
void keepPosition(std::string& value, std::optional<TextList> list) {
    int position = -1;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, position);
    const bool valid = list && ec == std::errc() && ptr == end && position >= 0 &&
                       static_cast<std::size_t>(position) < list->size();
    if (!valid) {
        value = "0";
    }
}

std::string replaced(std::string text, std::string_view marker, std::string_view by) {
    if (const auto at = text.find(marker); at != std::string::npos) {
        text.replace(at, marker.size(), by);
    }
    return text;
}

} // namespace

std::vector<int> RowOperations::channelRows(const std::vector<int>& rows) {
    std::vector<int> channels;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(channels), isChannelRow);
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

bool RowOperations::canMoveUp(const std::vector<int>& rows) {
    const std::vector<int> channels = channelRows(rows);
    return !channels.empty() && channels.front() > firstChannelRow;
}

bool RowOperations::canMoveDown(const std::vector<int>& rows) {
    const std::vector<int> channels = channelRows(rows);
    return !channels.empty() && channels.back() < lastChannelRow;
}

std::vector<int> RowOperations::sortColumns() {
    std::vector<int> columns;
    for (int column = colName; column <= colOptSignal; ++column) {
        if (column != colAni) { // hidden in the grid
            columns.push_back(column);
        }
    }
    return columns;
}

std::optional<int> RowOperations::rearrange(const std::vector<int>& source) {
    Document& doc = m_editor.document();
    ChannelGrid& grid = m_editor.grid();
    struct SavedRow {
        std::array<std::string, tableColumns> table;
        std::array<std::string, gridColumnCount - 1> cells; // grid columns 1..16
        std::string step;
    };
    std::vector<SavedRow> saved(channelCount);
    for (int row = firstChannelRow; row <= lastChannelRow; ++row) {
        SavedRow& keep = saved[static_cast<std::size_t>(row - firstChannelRow)];
        for (int column = 1; column <= tableColumns; ++column) {
            keep.table[static_cast<std::size_t>(column - 1)] =
                std::move(doc.strChData.at(row, column));
        }
        for (int column = 1; column < gridColumnCount; ++column) {
            keep.cells[static_cast<std::size_t>(column - 1)] = grid.cell(row, column);
        }
        keep.step = std::move(doc.rowStep(row));
    }

    // Where each old channel went, as its new PRI reference; "off" once it is gone.
    std::array<std::string, channelCount> newReference;
    newReference.fill("off");
    for (int row = firstChannelRow; row <= lastChannelRow; ++row) {
        const int from = source[static_cast<std::size_t>(row - firstChannelRow)];
        if (from == 0) {
            // A new channel holds what a reset leaves in a row not in use, and the
            // default row's option memory and PTT ID.
            for (int column = 1; column <= tableColumns; ++column) {
                doc.strChData.at(row, column).clear();
            }
            doc.strChData.at(row, colOptMemory) = doc.defaultOf(colOptMemory);
            doc.strChData.at(row, colPttId) = doc.defaultOf(colPttId);
            m_editor.setInactiveStatus(row);
            continue;
        }
        SavedRow& take = saved[static_cast<std::size_t>(from - firstChannelRow)];
        for (int column = 1; column <= tableColumns; ++column) {
            doc.strChData.at(row, column) =
                std::move(take.table[static_cast<std::size_t>(column - 1)]);
        }
        for (int column = 1; column < gridColumnCount; ++column) {
            grid.setCell(row, column, std::move(take.cells[static_cast<std::size_t>(column - 1)]));
        }
        doc.rowStep(row) = std::move(take.step);
        newReference[static_cast<std::size_t>(from - firstChannelRow)] = priReferenceOfRow(row);
    }

    for (int row = 1; row <= tableRows; ++row) {
        if (const auto channel = referencedChannel(grid.cell(row, colPri))) {
            grid.setCell(row, colPri, newReference[static_cast<std::size_t>(*channel)]);
        }
        std::string& stored = doc.strChData.at(row, colPri);
        if (const auto channel = referencedChannel(stored)) {
            stored = newReference[static_cast<std::size_t>(*channel)];
        }
    }
    const std::optional<int> lostMrChannel = followMrChannel(source);
    // The frames show the lists of a row that may have moved away.
    m_editor.frames().hideAll();
    m_editor.notify(GridChanged | FramesChanged);
    return lostMrChannel;
}

std::optional<int> RowOperations::followMrChannel(const std::vector<int>& source) {
    // The radio's MR channel is a radio option, the channel number as text ("0".."99").
    // Another value is no channel of the list and is left as it is.
    std::string& setup = m_editor.document().strSetup;
    std::vector<std::string> fields = app::splitFields(setup, '|');
    const auto mrField = static_cast<std::size_t>(RadioOptions::MrNo);
    if (fields.size() <= mrField) {
        return std::nullopt;
    }
    std::string& mr = fields[mrField];
    int channel = -1;
    const auto [end, error] = std::from_chars(mr.data(), mr.data() + mr.size(), channel);
    if (error != std::errc() || end != mr.data() + mr.size() || channel < 0 ||
        channel >= channelCount || std::to_string(channel) != mr) {
        return std::nullopt;
    }
    const auto moved = std::find(source.begin(), source.end(), channel + firstChannelRow);
    std::optional<int> lost;
    if (moved == source.end()) {
        // Gone with its channel: the radio starts from what a new document holds.
        mr = app::splitFields(newSetupRecord, '|')[mrField];
        lost = channel;
    } else {
        mr = std::to_string(moved - source.begin());
    }
    setup = app::joinFields(fields, '|');
    return lost;
}

void RowOperations::showMrFallback(std::optional<int> lostChannel) {
    if (!lostChannel) {
        return;
    }
    const std::vector<std::string> fields = app::splitFields(m_editor.document().strSetup, '|');
    std::string text =
        replaced(m_editor.langText("ROWS", "14003"), "%1", std::to_string(*lostChannel));
    text = replaced(std::move(text), "%2", fields[static_cast<std::size_t>(RadioOptions::MrNo)]);
    m_editor.prompts().message(text, app::Icon::Information);
}

bool RowOperations::insertChannel(int row) {
    if (!isChannelRow(row)) {
        return false;
    }
    if (m_editor.isRowActive(lastChannelRow)) {
        m_editor.prompts().message(m_editor.langText("ROWS", "14000"), app::Icon::Warning);
        return false;
    }
    std::vector<int> source(channelCount);
    for (int to = firstChannelRow; to <= lastChannelRow; ++to) {
        source[static_cast<std::size_t>(to - 1)] = to < row ? to : (to == row ? 0 : to - 1);
    }
    const std::string label = m_editor.cell(row, 0);
    // Channel 99 is pushed out, so an MR channel there has nowhere to go.
    const std::optional<int> lostMrChannel = rearrange(source);
    m_editor.recordStep(m_editor.stepName("95020", label));
    showMrFallback(lostMrChannel);
    return true;
}

bool RowOperations::deleteChannels(const std::vector<int>& rows) {
    const std::vector<int> deleted = channelRows(rows);
    if (deleted.empty()) {
        return false;
    }
    std::vector<int> source;
    source.reserve(channelCount);
    for (int row = firstChannelRow; row <= lastChannelRow; ++row) {
        if (!std::binary_search(deleted.begin(), deleted.end(), row)) {
            source.push_back(row);
        }
    }
    source.resize(channelCount, 0);
    const std::string name = deleted.size() == 1
                                 ? m_editor.stepName("95021", m_editor.cell(deleted.front(), 0))
                                 : m_editor.stepName("95022", std::to_string(deleted.size()));
    const std::optional<int> lostMrChannel = rearrange(source);
    m_editor.recordStep(name);
    showMrFallback(lostMrChannel);
    return true;
}

std::vector<int> RowOperations::moveUp(const std::vector<int>& rows) {
    if (!canMoveUp(rows)) {
        return {};
    }
    std::vector<int> moved = channelRows(rows);
    std::vector<int> source(channelCount);
    std::iota(source.begin(), source.end(), firstChannelRow);
    for (int& row : moved) {
        std::swap(source[static_cast<std::size_t>(row - 1)],
                  source[static_cast<std::size_t>(row - 2)]);
        --row;
    }
    rearrange(source);
    m_editor.recordStep(m_editor.stepName("95023"));
    return moved;
}

std::vector<int> RowOperations::moveDown(const std::vector<int>& rows) {
    if (!canMoveDown(rows)) {
        return {};
    }
    std::vector<int> moved = channelRows(rows);
    std::vector<int> source(channelCount);
    std::iota(source.begin(), source.end(), firstChannelRow);
    // From the bottom up, so that each row swaps with a neighbour not yet moved.
    for (std::size_t i = moved.size(); i-- > 0;) {
        int& row = moved[i];
        std::swap(source[static_cast<std::size_t>(row - 1)], source[static_cast<std::size_t>(row)]);
        ++row;
    }
    rearrange(source);
    m_editor.recordStep(m_editor.stepName("95024"));
    return moved;
}

std::string RowOperations::sortKey(int row, int column) const {
    if (m_editor.isRowActive(row)) {
        return m_editor.words().storedWidth(m_editor.cell(row, column));
    }
    return m_editor.document().strChData.at(row, column);
}

bool RowOperations::sortChannels(const SortOrder& order) {
    const std::vector<int> columns = sortColumns();
    if (std::find(columns.begin(), columns.end(), order.column) == columns.end()) {
        return false;
    }
    struct Keyed {
        int row;
        bool inUse;
        std::string key;
    };
    std::vector<Keyed> channels;
    channels.reserve(channelCount);
    for (int row = firstChannelRow; row <= lastChannelRow; ++row) {
        channels.push_back({row, m_editor.isRowActive(row), sortKey(row, order.column)});
    }
    std::stable_sort(channels.begin(), channels.end(), [&order](const Keyed& a, const Keyed& b) {
        if (order.inUseFirst && a.inUse != b.inUse) {
            return a.inUse;
        }
        // An empty value sorts last in either direction, as in a spreadsheet.
        if (a.key.empty() || b.key.empty()) {
            return !a.key.empty() && b.key.empty();
        }
        const int compared = naturalCompare(a.key, b.key);
        return order.descending ? compared > 0 : compared < 0;
    });
    std::vector<int> source;
    source.reserve(channelCount);
    for (const Keyed& channel : channels) {
        source.push_back(channel.row);
    }
    rearrange(source);
    m_editor.recordStep(m_editor.stepName("95025"));
    return true;
}

void RowOperations::normaliseSignalMemories(int row) {
    ChannelTable& table = m_editor.document().strChData;
    const std::string& signal = table.at(row, colOptSignal);
    std::optional<TextList> memories;
    std::optional<TextList> pttIds;
    if (signal == "DTMF" || signal == "DTMF-ANI") {
        memories = DtmfMemoryList();
        if (signal == "DTMF-ANI") {
            pttIds = DtmfPttIdList();
        }
    } else if (signal == "2Tone") {
        memories = TwoToneMemoryList();
    } else if (signal == "5Tone") {
        memories = FiveToneMemoryList();
        pttIds = FiveTonePttIdList();
    }
    keepPosition(table.at(row, colOptMemory), memories);
    keepPosition(table.at(row, colPttId), pttIds);
}

std::vector<int> RowOperations::setColumn(int editedRow, const std::vector<int>& rows,
                                          const CellEntry& entry) {
    const CellEditor kind = editorForCell(firstChannelRow, entry.column);
    std::vector<int> refused;
    int changed =
        editedRow >= 1 && editedRow <= tableRows && m_editor.isRowActive(editedRow) ? 1 : 0;
    for (const int row : rows) {
        if (row == editedRow || row < 1 || row > tableRows || !m_editor.isRowActive(row)) {
            continue;
        }
        if (editorForCell(row, entry.column) != kind) {
            refused.push_back(row);
            continue;
        }
        bool accepted = true;
        switch (kind) {
        case CellEditor::Name:
            m_fields.nameChanged(row, entry.text);
            break;
        case CellEditor::Step:
            m_fields.stepChosen(row, entry.text);
            m_fields.stepCommit(row, entry.text);
            break;
        case CellEditor::RxFrequency:
            accepted = m_editor.rxFrequencyRefusal(entry.text).empty();
            if (accepted) {
                m_editor.putRxFrequency(row, entry.text);
            }
            break;
        case CellEditor::TxFrequency:
            accepted = m_editor.txFrequencyRefusal(entry.text).empty();
            if (accepted) {
                m_editor.putTxFrequency(row, entry.text);
            }
            break;
        case CellEditor::RxTone:
        case CellEditor::TxTone:
            m_fields.toneCommit(row, entry.column, entry.toneList, entry.text);
            break;
        case CellEditor::OptionSignal:
            m_fields.optionSignalCommit(row, entry.text);
            normaliseSignalMemories(row);
            break;
        default:
            accepted = FieldEditors::isSimpleList(kind);
            if (accepted) {
                m_fields.simpleListCommit(row, kind, entry.text);
            }
            break;
        }
        if (accepted) {
            ++changed;
        } else {
            refused.push_back(row);
        }
    }
    m_editor.recordStep(replaced(m_editor.stepName("95027", m_editor.cell(0, entry.column)), "%2",
                                 std::to_string(changed)));
    showRefused("14001", refused);
    return refused;
}

std::optional<double> RowOperations::parseOffset(std::string_view text) {
    const std::optional<double> offset = parseNumber(text);
    if (!offset || *offset < 0) {
        return std::nullopt;
    }
    return offset;
}

std::vector<int> RowOperations::setRepeaterOffset(const std::vector<int>& rows,
                                                  OffsetDirection direction, double offsetMHz) {
    const BandLimits band = txBand(m_editor.selectedModel());
    std::vector<int> refused;
    for (const int row : rows) {
        if (row < 1 || row > tableRows || !m_editor.isRowActive(row)) {
            continue;
        }
        const std::optional<double> rx = parseNumber(m_editor.cell(row, colRxFreq));
        double tx = rx.value_or(0);
        if (direction == OffsetDirection::Plus) {
            tx += offsetMHz;
        } else if (direction == OffsetDirection::Minus) {
            tx -= offsetMHz;
        }
        const std::string snapped =
            AdjustRxFreqByStep(formatFixed(tx, 5), m_editor.document().rowStep(row));
        if (!rx || tx <= 0 || !isInBand(band, snapped)) {
            refused.push_back(row);
            continue;
        }
        m_editor.setCell(row, colTxFreq, snapped);
    }
    m_editor.notify(GridChanged);
    m_editor.recordStep(m_editor.stepName("95026"));
    showRefused("14002", refused, band.rangeText);
    return refused;
}

void RowOperations::showRefused(std::string_view key, const std::vector<int>& refused,
                                const std::string& detail) {
    if (refused.empty()) {
        return;
    }
    std::string text = replaced(m_editor.langText("ROWS", key), "%1", detail);
    for (std::size_t i = 0; i < refused.size(); ++i) {
        text += (i == 0 ? " " : ", ") + m_editor.cell(refused[i], 0);
    }
    m_editor.prompts().message(text, app::Icon::Warning);
}

} // namespace vn574::document
