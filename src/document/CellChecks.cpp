#include "document/CellChecks.h"

#include "document/Editor.h"
#include "app/TextUtil.h"
#include "document/FieldRules.h"
#include "document/RecordRules.h"
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
    std::optional<CellProblem> problem;
    for (const bool pttId : {false, true}) {
        const TextList list = signalPositionList(signal, pttId);
        const std::string& value = table.at(row, pttId ? colPttId : colOptMemory);
        if (list.empty() || shownSignalPosition(value, list)) {
            continue;
        }
        // Refused outright weighs more than written as something else.
        if (isStoredPosition(value) && !byteNumberOf(value)) {
            return CellProblem::SignalPositionTooLarge;
        }
        problem = CellProblem::SignalPositionNotInList;
    }
    return problem;
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

std::optional<CellProblem> switchProblem(std::string_view text) {
    return switchBitOf(text) ? std::nullopt : std::optional(CellProblem::SwitchWord);
}

// Shift and PAC mode are written as one digit: a cell that is neither "on" nor "off"
// loses the other one's setting too.
std::optional<CellProblem> switchPairProblem(std::string_view text, std::string_view other) {
    if (switchPairDigitOf(text, other) || text == "on" || text == "off") {
        return std::nullopt;
    }
    return CellProblem::SwitchPairWord;
}

// The value of a signalling offending the option signal: the memory unless only the PTT
// ID is at fault.
std::string signalPositionText(const Editor& editor, int row) {
    const ChannelTable& table = editor.document().strChData;
    const std::string& signal = editor.cell(row, colOptSignal);
    const std::string& memory = table.at(row, colOptMemory);
    const TextList list = signalPositionList(signal, false);
    return !list.empty() && !shownSignalPosition(memory, list) ? memory : table.at(row, colPttId);
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
        return "15059";
    case CellProblem::StepNotInList:
        return "15067";
    case CellProblem::RxNotStored:
        return "15068";
    case CellProblem::ScanSkipWord:
        return "15069";
    case CellProblem::WidthWord:
        return "15070";
    case CellProblem::SwitchWord:
        return "15071";
    case CellProblem::SwitchPairWord:
        return "15072";
    case CellProblem::SignalPositionNotInList:
        break;
    }
    return "15073";
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
        const auto& cell = [&](int column) -> const std::string& {
            return editor.cell(row, column);
        };
        const ChannelWords& words = editor.words();
        check(colName, nameProblem(cell(colName)));
        check(colRef,
              stepCodeOf(cell(colRef)) ? std::nullopt : std::optional(CellProblem::StepNotInList));
        auto rxProblem = frequencyProblem(cell(colRxFreq), rx, CellProblem::RxOutOfBand);
        if (!rxProblem && !storedRxDigits(cell(colRxFreq))) {
            rxProblem = CellProblem::RxNotStored;
        }
        check(colRxFreq, rxProblem);
        check(colRxTone, tone(colRxTone));
        check(colWideNarrow, narrowBitOf(words.storedWidth(cell(colWideNarrow)))
                                 ? std::nullopt
                                 : std::optional(CellProblem::WidthWord));
        check(colPacMode, switchPairProblem(cell(colPacMode), cell(colShift)));
        check(colDcsDet, switchProblem(cell(colDcsDet)));
        // Only channels 0..99 have a scan-skip bit; the radio keeps none for PL..V.
        if (row <= 100 && !scanSkipBitOf(cell(colScanSkip), words)) {
            add(row, colScanSkip, CellProblem::ScanSkipWord);
        }
        check(colPri, priProblem(editor, cell(colPri)));
        check(colTxFreq, frequencyProblem(cell(colTxFreq), tx, CellProblem::TxOutOfBand));
        check(colTxTone, tone(colTxTone));
        check(colBcl, switchProblem(cell(colBcl)));
        check(colAni, switchProblem(cell(colAni)));
        check(colShift, switchPairProblem(cell(colShift), cell(colPacMode)));
        check(colOptSignal, signalProblem(editor, row, cell(colOptSignal)));
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
    return summary(editor, m_issues.size());
}

std::string CellChecks::summary(const Editor& editor, std::size_t count) {
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
    case CellProblem::ScanSkipWord:
        argument = editor.words().scanSkip0 + " / " + editor.words().scanSkip1;
        break;
    case CellProblem::WidthWord:
        argument = editor.words().wide + " / " + editor.words().narrow;
        break;
    case CellProblem::SignalPositionNotInList:
        argument = signalPositionText(editor, issue.cell.row);
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

std::vector<RecordIssue> CellChecks::recordIssues(const Editor& editor) {
    std::vector<RecordIssue> issues;
    const Document& document = editor.document();
    const auto fields = [](const std::string& record) { return app::splitFields(record, '|'); };
    const std::vector<std::string> setup = fields(document.strSetup);
    if (setup.size() != static_cast<std::size_t>(setupFieldCount)) {
        issues.push_back({DiffSection::Option, "-", std::to_string(setup.size()),
                          RecordProblem::OptionFieldCount});
    } else {
        for (const std::size_t field : {std::size_t{3}, std::size_t{4}}) {
            if (!optionByteOf(setup[field])) {
                issues.push_back({DiffSection::Option, std::to_string(field), setup[field],
                                  RecordProblem::OptionNotByte});
            }
        }
    }
    const std::vector<std::string> autoDial = fields(document.strAutoDial);
    if (autoDial.size() != static_cast<std::size_t>(autoDialFieldCount)) {
        issues.push_back({DiffSection::AutoDial, "-", std::to_string(autoDial.size()),
                          RecordProblem::AutoDialFieldCount});
    } else {
        // Fields 1..9 are the memories a write sends.
        for (std::size_t memory = 1; memory <= 9; ++memory) {
            if (autoDialCodeCount(autoDial[memory]) > autoDialMemoryCodes) {
                issues.push_back({DiffSection::AutoDial, std::to_string(memory), autoDial[memory],
                                  RecordProblem::AutoDialTooLong});
            }
        }
    }

    const ToneData& tone = document.toneData;
    if (!ownIdFits(tone)) {
        issues.push_back({DiffSection::Signalling, "SelfId",
                          std::string(trimmedCode(tone.selfId.str())), RecordProblem::OwnIdDigit});
    }
    const auto fiveTone = [&](const std::string& name, const FiveToneRec& record, bool memory) {
        const auto stored = storedFiveTone(record, tone.selfId.str(), memory);
        if (!stored) {
            issues.push_back({DiffSection::Signalling, name + ".CodeLen",
                              std::to_string(record.codeLen), RecordProblem::FiveToneTooLong});
        } else if (!fiveToneDigits(*stored)) {
            issues.push_back({DiffSection::Signalling, name + ".Code",
                              std::string(trimmedCode(record.code.str())),
                              RecordProblem::FiveToneDigit});
        }
    };
    // In the order a write sends them: memories 0..99, then the PTT ID codes.
    for (std::size_t i = 0; i < tone.fiveToneMem.size(); ++i) {
        fiveTone("FiveToneMem[" + std::to_string(i + 1) + "]", tone.fiveToneMem[i], true);
    }
    fiveTone("PttIdBot", tone.pttIdBot, false);
    fiveTone("PttIdEot", tone.pttIdEot, false);
    return issues;
}

std::string CellChecks::reason(const Editor& editor, const RecordIssue& issue) {
    static constexpr std::array<const char*, 7> keys{"15060", "15061", "15062", "15063",
                                                     "15064", "15065", "15066"};
    return editor.langText("FIND", keys[static_cast<std::size_t>(issue.problem)]);
}

} // namespace vn574::document
