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

int indexIn(const std::vector<std::string>& entries, std::string_view text) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text) {
            return static_cast<int>(i);
        }
    }
    return FieldEditors::notAnEntry;
}

int simpleListColumn(CellEditor kind) {
    switch (kind) {
    case CellEditor::WideNarrow:
        return colWideNarrow;
    case CellEditor::PacMode:
        return colPacMode;
    case CellEditor::DcsDet:
        return colDcsDet;
    case CellEditor::ScanSkip:
        return colScanSkip;
    case CellEditor::Bcl:
        return colBcl;
    case CellEditor::Ani:
        return colAni;
    case CellEditor::Shift:
        return colShift;
    default:
        return 0;
    }
}

// The prefix of the tone cells of a tone or code list.
std::string_view tonePrefix(ToneList list) {
    return list == ToneList::Dcs ? dcsPrefix : ctcssPrefix;
}

} // namespace

void FieldEditors::setCell(int row, int column, std::string text) {
    m_editor.setCell(row, column, std::move(text));
    m_editor.notify(GridChanged);
}

void FieldEditors::setCellIfChanged(int row, int column, std::string text) {
    if (m_editor.cell(row, column) != text) {
        setCell(row, column, std::move(text));
    }
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
    if (shown.empty() && m_editor.cell(row, colRef) == notInUseCell) {
        return 0;
    }
    return positionOf(StepList(), shown).value_or(notAnEntry);
}

void FieldEditors::stepChosen(int row, std::string_view step) {
    m_editor.changeStep(row, step);
}

void FieldEditors::stepCommit(int row, std::string_view step) {
    if (!step.empty()) {
        setCellIfChanged(row, colRef, std::string(step));
    }
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

int FieldEditors::toneOpeningIndex(int row, int column, ToneList list) const {
    const std::string& value = m_editor.cell(row, column);
    const std::vector<std::string> entries = toneEntries(list);
    if (list == ToneList::Kind) {
        if (value == "off") {
            return 0;
        }
        if (value.starts_with(ctcssPrefix)) {
            return indexIn(entries, "CTCSS");
        }
        if (value.starts_with(dcsPrefix)) {
            return indexIn(entries, "DCS");
        }
        return notAnEntry;
    }
    const std::string_view prefix = tonePrefix(list);
    if (!value.starts_with(prefix)) {
        return 0;
    }
    return indexIn(entries, std::string_view(value).substr(prefix.size()));
}

std::string FieldEditors::toneShownAsIs(int row, int column, ToneList list) const {
    const std::string& value = m_editor.cell(row, column);
    const std::string_view prefix = tonePrefix(list);
    if (list != ToneList::Kind && value.starts_with(prefix)) {
        return value.substr(prefix.size());
    }
    return value;
}

void FieldEditors::toneCommit(int row, int column, ToneList list, std::string_view shown) {
    switch (list) {
    case ToneList::Kind:
        // Leaving the kind list for the tone or code list writes nothing; only "off"
        // is a complete value on its own.
        if (shown == "off") {
            setCellIfChanged(row, column, "off");
        }
        break;
    case ToneList::Ctcss:
    case ToneList::Dcs:
        if (!shown.empty()) {
            setCellIfChanged(row, column, std::string(tonePrefix(list)) + std::string(shown));
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

int FieldEditors::simpleListOpeningIndex(int row, CellEditor kind) const {
    const int column = simpleListColumn(kind);
    if (column == 0) {
        return notAnEntry;
    }
    return indexIn(simpleListEntries(kind), m_editor.cell(row, column));
}

void FieldEditors::simpleListCommit(int row, CellEditor kind, std::string_view shown) {
    const int column = simpleListColumn(kind);
    // An empty text is a list that shows no entry: there is nothing to store.
    if (column == 0 || shown.empty()) {
        return;
    }
    if (kind == CellEditor::Shift) {
        setCellIfChanged(row, column, shown == "off" ? "off" : "on");
        return;
    }
    setCellIfChanged(row, column, std::string(shown));
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

int FieldEditors::priorityOpeningIndex(int row, const std::vector<std::string>& entries) const {
    const std::string& value = m_editor.cell(row, colPri);
    if (value == "off") {
        return indexIn(entries, "off");
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view entry = entries[i];
        if (const auto colon = entry.find(':');
            colon != std::string_view::npos && entry.substr(0, colon) == value) {
            return static_cast<int>(i);
        }
    }
    return notAnEntry;
}

void FieldEditors::priorityCommit(int row, std::string_view shown) {
    if (shown.empty()) {
        return;
    }
    if (shown == "off") {
        setCellIfChanged(row, colPri, "off");
        return;
    }
    setCellIfChanged(row, colPri, std::string(shown.substr(0, shown.find(':'))));
}

int FieldEditors::optionSignalOpeningIndex(int row) const {
    return indexIn(m_editor.optionSignalList(), m_editor.cell(row, colOptSignal));
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
    setCellIfChanged(row, colOptSignal, std::string(shown));
}

} // namespace vn574::document
