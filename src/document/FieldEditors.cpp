#include "document/FieldEditors.h"

#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <charconv>
#include <utility>

namespace vn574::document {
namespace {

// Frequency shown for a row whose receive cell is empty in the priority list.
constexpr std::string_view priorityFallbackFrequency = "145.0000";

std::vector<std::string> toStrings(TextList list) {
    return {list.begin(), list.end()};
}

// A stored option memory or PTT ID as a list position; entry 0 when the text is empty
// or names no entry of the list (a damaged file must not select past the list's end).
int storedPosition(const std::string& stored, TextList list) {
    int value = 0;
    const char* end = stored.data() + stored.size();
    const auto [ptr, ec] = std::from_chars(stored.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 ||
        static_cast<std::size_t>(value) >= list.size()) {
        return 0;
    }
    return value;
}

} // namespace

void FieldEditors::setCell(int row, int column, std::string text) {
    m_editor.setCell(row, column, std::move(text));
    m_editor.notify(GridChanged);
}

std::string FieldEditors::nameOpeningText(int row) const {
    return m_editor.cell(row, colName);
}

std::string FieldEditors::nameChanged(int row, std::string_view typed) {
    std::string name = FilterChannelName(typed);
    if (name.size() > maxNameLength) {
        name.resize(maxNameLength);
    }
    setCell(row, colName, name);
    return name;
}

std::string FieldEditors::frequencyOpeningText(int row, int column) {
    m_openedFrequency = OpenedCell{row, column, m_editor.cell(row, column)};
    return m_openedFrequency->text;
}

bool FieldEditors::frequencyCommit(int row, int column, std::string_view text) {
    const std::optional<OpenedCell> opened = std::exchange(m_openedFrequency, std::nullopt);
    // A click through a cell is no entry: the receive rule would copy Rx into Tx and
    // silently drop the channel's repeater offset.
    if (opened && opened->row == row && opened->column == column && opened->text == text) {
        return true;
    }
    return column == colTxFreq ? m_editor.enterTxFrequency(row, text)
                               : m_editor.enterRxFrequency(row, text);
}

std::vector<std::string> FieldEditors::stepEntries() {
    return toStrings(StepList());
}

int FieldEditors::stepOpeningIndex(int row) const {
    std::string shown = m_editor.cell(row, colRef);
    if (shown == notInUseCell) {
        const std::string& stored = m_editor.document().strChData.at(row, colRef);
        shown = (stored.empty() || stored == "def") ? std::string() : stored;
    }
    return positionOf(StepList(), shown).value_or(0);
}

void FieldEditors::stepChosen(int row, std::string_view step) {
    m_editor.changeStep(row, step);
}

void FieldEditors::stepCommit(int row, std::string_view step) {
    setCell(row, colRef, std::string(step));
}

std::vector<std::string> FieldEditors::toneEntries(ToneList list) {
    switch (list) {
    case ToneList::Ctcss:
        return toStrings(CtcssToneList());
    case ToneList::Dcs:
        return toStrings(DcsCodeList());
    case ToneList::Kind:
        break;
    }
    return toStrings(ToneKindList());
}

ToneList FieldEditors::toneKindChosen(std::string_view kind) {
    if (kind == "CTCSS") {
        return ToneList::Ctcss;
    }
    if (kind == "DCS") {
        return ToneList::Dcs;
    }
    return ToneList::Kind;
}

void FieldEditors::toneCommit(int row, int column, ToneList list, std::string_view shown) {
    switch (list) {
    case ToneList::Kind:
        // Leaving the kind list for the tone or code list writes nothing; only "off"
        // is a complete value on its own.
        if (shown == "off") {
            setCell(row, column, "off");
        }
        break;
    case ToneList::Ctcss:
        if (!shown.empty()) {
            setCell(row, column, std::string(ctcssPrefix) + std::string(shown));
        }
        break;
    case ToneList::Dcs:
        if (!shown.empty()) {
            setCell(row, column, std::string(dcsPrefix) + std::string(shown));
        }
        break;
    }
}

bool FieldEditors::isSimpleList(CellEditor kind) {
    switch (kind) {
    case CellEditor::WideNarrow:
    case CellEditor::PacMode:
    case CellEditor::DcsDet:
    case CellEditor::ScanSkip:
    case CellEditor::Bcl:
    case CellEditor::Ani:
    case CellEditor::Shift:
        return true;
    default:
        return false;
    }
}

std::vector<std::string> FieldEditors::simpleListEntries(CellEditor kind) const {
    const ChannelWords& words = m_editor.words();
    switch (kind) {
    case CellEditor::WideNarrow:
        return {words.wide, words.narrow};
    case CellEditor::ScanSkip:
        return {words.scanSkip0, words.scanSkip1};
    case CellEditor::PacMode:
    case CellEditor::DcsDet:
    case CellEditor::Bcl:
    case CellEditor::Ani:
    case CellEditor::Shift:
        return toStrings(TwoStateList());
    default:
        return {};
    }
}

int FieldEditors::simpleListOpeningIndex(CellEditor kind) const {
    return kind == CellEditor::Bcl ? m_bclIndex : 0;
}

void FieldEditors::simpleListCommit(int row, CellEditor kind, std::string_view shown) {
    const int column = [kind] {
        switch (kind) {
        case CellEditor::WideNarrow:
            return int{colWideNarrow};
        case CellEditor::PacMode:
            return int{colPacMode};
        case CellEditor::DcsDet:
            return int{colDcsDet};
        case CellEditor::ScanSkip:
            return int{colScanSkip};
        case CellEditor::Bcl:
            return int{colBcl};
        case CellEditor::Ani:
            return int{colAni};
        case CellEditor::Shift:
            return int{colShift};
        default:
            return 0;
        }
    }();
    if (column == 0) {
        return;
    }
    if (kind == CellEditor::Shift) {
        if (!shown.empty()) {
            setCell(row, column, shown == "off" ? "off" : "on");
        }
        return;
    }
    setCell(row, column, std::string(shown));
    if (kind == CellEditor::Bcl) {
        m_bclIndex = positionOf(TwoStateList(), shown).value_or(0);
    }
}

std::vector<std::string> FieldEditors::priorityEntries() const {
    std::vector<std::string> entries{"off"};
    for (int row = 1; row <= tableRows; ++row) {
        std::string frequency = m_editor.cell(row, colRxFreq);
        if (frequency.empty()) {
            frequency = priorityFallbackFrequency;
        }
        const bool active = m_editor.cell(row, colStatus) == m_editor.words().active;
        if (row <= rowUpperScanLimit) {
            if (active) {
                entries.push_back(priReferenceOfRow(row) + ": " + frequency);
            }
        } else if (row == rowCallChannel) {
            entries.push_back("CAL: " + frequency);
        } else {
            entries.push_back("VFO: " + frequency);
        }
    }
    return entries;
}

void FieldEditors::priorityCommit(int row, std::string_view shown) {
    if (shown.empty()) {
        return;
    }
    if (shown == "off") {
        setCell(row, colPri, "off");
        return;
    }
    setCell(row, colPri, std::string(shown.substr(0, shown.find(':'))));
}

int FieldEditors::optionSignalOpeningIndex(int row) const {
    const std::string& stored = m_editor.document().strChData.at(row, colOptSignal);
    const auto& list = m_editor.optionSignalList();
    if (!stored.empty() && stored != notInUseCell) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == stored) {
                return static_cast<int>(i);
            }
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == optionSignalNone) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

TextList FieldEditors::frameEntries(FrameList list) {
    switch (list) {
    case FrameList::DtmfMemory:
        return DtmfMemoryList();
    case FrameList::TwoToneMemory:
        return TwoToneMemoryList();
    case FrameList::FiveToneMemory:
        return FiveToneMemoryList();
    case FrameList::DtmfPttId:
        return DtmfPttIdList();
    case FrameList::FiveTonePttId:
        break;
    }
    return FiveTonePttIdList();
}

void FieldEditors::optionSignalChosen(int row, std::string_view signal) {
    OptionSignalFrames& frames = m_editor.frames();
    frames.hideAll();
    const std::string& memory = m_editor.document().strChData.at(row, colOptMemory);
    const std::string& pttId = m_editor.document().strChData.at(row, colPttId);
    if (signal == "DTMF" || signal == "DTMF-ANI") {
        frames.dtmfVisible = true;
        frames.dtmfMemory = storedPosition(memory, DtmfMemoryList());
        if (signal == "DTMF-ANI") {
            frames.dtmfPttIdVisible = true;
            frames.dtmfPttId = storedPosition(pttId, DtmfPttIdList());
        }
    } else if (signal == "2Tone") {
        frames.twoToneVisible = true;
        frames.twoToneMemory = storedPosition(memory, TwoToneMemoryList());
    } else if (signal == "5Tone") {
        frames.fiveToneVisible = true;
        frames.fiveToneMemory = storedPosition(memory, FiveToneMemoryList());
        frames.fiveTonePttIdVisible = true;
        frames.fiveTonePttId = storedPosition(pttId, FiveTonePttIdList());
    }
    m_editor.notify(FramesChanged);
}

void FieldEditors::framePicked(FrameList list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= frameEntries(list).size()) {
        return;
    }
    const int row = m_editor.currentRow();
    if (row < 1 || row > tableRows) {
        return;
    }
    OptionSignalFrames& frames = m_editor.frames();
    Document& doc = m_editor.document();
    const std::string text = std::to_string(position);
    switch (list) {
    case FrameList::DtmfMemory:
        frames.dtmfMemory = position;
        doc.strChData.at(row, colOptMemory) = text;
        break;
    case FrameList::TwoToneMemory:
        frames.twoToneMemory = position;
        doc.strChData.at(row, colOptMemory) = text;
        break;
    case FrameList::FiveToneMemory:
        frames.fiveToneMemory = position;
        doc.strChData.at(row, colOptMemory) = text;
        break;
    case FrameList::DtmfPttId:
        frames.dtmfPttId = position;
        doc.strChData.at(row, colPttId) = text;
        break;
    case FrameList::FiveTonePttId:
        frames.fiveTonePttId = position;
        doc.strChData.at(row, colPttId) = text;
        break;
    }
    m_editor.notify(FramesChanged);
}

void FieldEditors::optionSignalCommit(int row, std::string_view shown) {
    if (shown.empty()) {
        return;
    }
    m_editor.document().strChData.at(row, colOptSignal) = std::string(shown);
    setCell(row, colOptSignal, std::string(shown));
}

} // namespace vn574::document
