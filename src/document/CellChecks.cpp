#include "document/CellChecks.h"

#include "document/Editor.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <algorithm>

namespace vn574::document {
namespace {

std::size_t cellIndex(int row, int column) {
    return (static_cast<std::size_t>(row) * gridColumnCount) + static_cast<std::size_t>(column);
}

std::optional<CellProblem> frequencyProblem(std::string_view text, const BandLimits& band,
                                            CellProblem outOfBand) {
    if (!isNumber(text)) {
        return CellProblem::FrequencyNotNumber;
    }
    if (!isInBand(band, text)) {
        return outOfBand;
    }
    return std::nullopt;
}

std::optional<CellProblem> priProblem(const Editor& editor, std::string_view pri) {
    // Empty counts as "off", as the encoder writes it.
    if (pri.empty() || pri == "off") {
        return std::nullopt;
    }
    const auto referred = rowOfPriReference(pri);
    if (!referred) {
        return CellProblem::PriNotChannel;
    }
    if (!editor.isRowActive(*referred)) {
        return CellProblem::PriNotInUse;
    }
    return std::nullopt;
}

std::optional<CellProblem> signalProblem(const Editor& editor, int row, std::string_view signal) {
    // Empty is sent as "None", as the encoder writes it.
    if (signal.empty()) {
        return std::nullopt;
    }
    const auto& offered = editor.optionSignalList();
    if (std::find(offered.begin(), offered.end(), signal) == offered.end()) {
        return CellProblem::SignalNotOffered;
    }
    // The memory and PTT ID of a row in use live in the channel table: the frames under
    // the grid write them there as they are picked.
    const ChannelTable& table = editor.document().strChData;
    const auto tooLarge = [&](int column) {
        const std::string& value = table.at(row, column);
        return isStoredPosition(value) && !byteNumberOf(value);
    };
    if ((optionSignalUsesMemory(signal) && tooLarge(colOptMemory)) ||
        (optionSignalUsesPttId(signal) && tooLarge(colPttId))) {
        return CellProblem::SignalPositionTooLarge;
    }
    return std::nullopt;
}

std::optional<CellProblem> nameProblem(std::string_view name) {
    if (FilterChannelName(name).size() != name.size()) {
        return CellProblem::NameCharacters;
    }
    if (name.size() > maxNameLength) {
        return CellProblem::NameTooLong;
    }
    return std::nullopt;
}

// The language key of each problem's text in section "FIND".
const char* reasonKey(CellProblem problem) {
    switch (problem) {
    case CellProblem::FrequencyNotNumber:
        return "15050";
    case CellProblem::RxOutOfBand:
        return "15051";
    case CellProblem::TxOutOfBand:
        return "15052";
    case CellProblem::UnknownTone:
        return "15053";
    case CellProblem::PriNotChannel:
        return "15054";
    case CellProblem::PriNotInUse:
        return "15055";
    case CellProblem::SignalNotOffered:
        return "15056";
    case CellProblem::SignalPositionTooLarge:
        return "15057";
    case CellProblem::NameCharacters:
        return "15058";
    case CellProblem::NameTooLong:
        break;
    }
    return "15059";
}

} // namespace

CellChecks::CellChecks() {
    m_index.fill(-1);
}

void CellChecks::add(int row, int column, CellProblem problem) {
    m_index[cellIndex(row, column)] = static_cast<std::int16_t>(m_issues.size());
    m_issues.push_back({{row, column}, problem});
    m_cells.push_back({row, column});
}

void CellChecks::run(const Editor& editor) {
    for (const GridCell& cell : m_cells) {
        m_index[cellIndex(cell.row, cell.column)] = -1;
    }
    m_issues.clear();
    m_cells.clear();

    const BandLimits rx = rxBand(editor.selectedModel());
    const BandLimits tx = txBand(editor.selectedModel());
    for (int row = 1; row <= tableRows; ++row) {
        if (!editor.isRowActive(row)) {
            continue;
        }
        // Columns in reading order, so the issues come out sorted.
        const auto check = [&](int column, std::optional<CellProblem> problem) {
            if (problem) {
                add(row, column, *problem);
            }
        };
        const auto tone = [&](int column) -> std::optional<CellProblem> {
            const std::string& text = editor.cell(row, column);
            if (text.empty() || isToneCellText(text)) {
                return std::nullopt;
            }
            return CellProblem::UnknownTone;
        };
        check(colName, nameProblem(editor.cell(row, colName)));
        check(colRxFreq,
              frequencyProblem(editor.cell(row, colRxFreq), rx, CellProblem::RxOutOfBand));
        check(colRxTone, tone(colRxTone));
        check(colPri, priProblem(editor, editor.cell(row, colPri)));
        check(colTxFreq,
              frequencyProblem(editor.cell(row, colTxFreq), tx, CellProblem::TxOutOfBand));
        check(colTxTone, tone(colTxTone));
        check(colOptSignal, signalProblem(editor, row, editor.cell(row, colOptSignal)));
    }
}

const CellIssue* CellChecks::issueAt(int row, int column) const {
    if (row < 0 || row >= gridRowCount || column < 0 || column >= gridColumnCount) {
        return nullptr;
    }
    const std::int16_t at = m_index[cellIndex(row, column)];
    return at < 0 ? nullptr : &m_issues[static_cast<std::size_t>(at)];
}

std::optional<GridCell> CellChecks::next(GridCell from) const {
    return cellAfter(m_cells, from, true);
}

namespace {

std::string withArgument(std::string text, std::string_view argument) {
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

} // namespace

std::string CellChecks::summary(const Editor& editor) const {
    const std::size_t count = m_issues.size();
    if (count == 0) {
        return editor.langText("FIND", "15010");
    }
    return withArgument(editor.langText("FIND", count == 1 ? "15011" : "15012"),
                        std::to_string(count));
}

std::string CellChecks::reason(const Editor& editor, const CellIssue& issue) {
    std::string argument;
    const std::string& text = editor.cell(issue.cell.row, issue.cell.column);
    switch (issue.problem) {
    case CellProblem::RxOutOfBand:
        argument = rxBand(editor.selectedModel()).rangeText;
        break;
    case CellProblem::TxOutOfBand:
        argument = txBand(editor.selectedModel()).rangeText;
        break;
    case CellProblem::PriNotInUse:
        argument = text;
        break;
    case CellProblem::NameCharacters:
        for (const char c : text) {
            if (FilterChannelName(std::string_view(&c, 1)).empty()) {
                argument += c;
            }
        }
        break;
    default:
        break;
    }
    return withArgument(editor.langText("FIND", reasonKey(issue.problem)), argument);
}

} // namespace vn574::document
