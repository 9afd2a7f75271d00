#include "document/Editor.h"

#include "app/TextUtil.h"
#include "document/FieldRules.h"
#include "document/ValueTables.h"

#include <utility>

namespace vn574::document {
namespace {

constexpr int firstFieldColumn = 2; // name
constexpr int lastGridColumn = 16;  // option signal
// The step a row keeps when its Ref. cell holds no step of the list.
constexpr std::string_view stepOfNoStep = "5";

bool isFrequencyColumn(int column) {
    return column == colRxFreq || column == colTxFreq;
}

struct EditorRange {
    CellEditor editor;
    int firstRow;
    int lastRow;
};

// Which editor each grid column opens, and on which rows.
constexpr std::array<EditorRange, gridColumnCount> columnEditors{{
    {CellEditor::None, 0, -1},          // 0: row label
    {CellEditor::None, 0, -1},          // 1: status, toggled by the click itself
    {CellEditor::Name, 1, 100},         // 2 (also row 103, below)
    {CellEditor::Step, 1, 104},         // 3
    {CellEditor::RxFrequency, 1, 104},  // 4
    {CellEditor::RxTone, 1, 104},       // 5
    {CellEditor::WideNarrow, 1, 104},   // 6
    {CellEditor::PacMode, 1, 104},      // 7
    {CellEditor::DcsDet, 1, 104},       // 8
    {CellEditor::ScanSkip, 1, 99},      // 9
    {CellEditor::Priority, 1, 104},     // 10
    {CellEditor::TxFrequency, 1, 104},  // 11
    {CellEditor::TxTone, 1, 104},       // 12
    {CellEditor::Bcl, 1, 104},          // 13
    {CellEditor::Ani, 1, 104},          // 14
    {CellEditor::Shift, 1, 104},        // 15
    {CellEditor::OptionSignal, 1, 104}, // 16
}};

} // namespace

CellEditor editorForCell(int row, int column) {
    if (column < 0 || column >= gridColumnCount) {
        return CellEditor::None;
    }
    const EditorRange& range = columnEditors[static_cast<std::size_t>(column)];
    if (column == colName && row == rowCallChannel) {
        return CellEditor::Name;
    }
    return row >= range.firstRow && row <= range.lastRow ? range.editor : CellEditor::None;
}

void OptionSignalFrames::hideAll() {
    dtmfVisible = twoToneVisible = fiveToneVisible = dtmfPttIdVisible = fiveTonePttIdVisible =
        false;
}

bool OptionSignalFrames::anyVisible() const {
    return dtmfVisible || twoToneVisible || fiveToneVisible || dtmfPttIdVisible ||
           fiveTonePttIdVisible;
}

Editor::Editor(app::ProcessSettings& settings, app::UserPrompts& prompts)
    : m_settings(settings), m_prompts(prompts) {}

std::string Editor::langText(std::string_view section, std::string_view key) const {
    return m_settings.language.text(section, key);
}

void Editor::notify(unsigned changes) {
    if (m_listener != nullptr && changes != 0) {
        m_listener->editorChanged(changes);
    }
}

bool Editor::saveDocument() {
    return m_save ? m_save() : false;
}

const std::string& Editor::windowMessage(int key) const {
    static const std::string none;
    const int index = key - 9001;
    if (index < 0 || index >= static_cast<int>(m_messages.size())) {
        return none;
    }
    return m_messages[static_cast<std::size_t>(index)];
}

void Editor::load() {
    ReShowFunByRadio();
    ResetToneData();

    m_words = ChannelWords::fromLanguage(m_settings.language);
    for (int i = 0; i < static_cast<int>(m_messages.size()); ++i) {
        m_messages[static_cast<std::size_t>(i)] = langText("MSG", std::to_string(9001 + i));
    }
    static constexpr std::array<std::string_view, gridColumnCount> headingKeys{
        "50000", "50001", "50002", "50003", "50004", "50005", "50006", "50007", "50008",
        "50009", "50010", "50011", "50012", "50013", "50014", "50021", "50022"};
    for (int column = 0; column < gridColumnCount; ++column) {
        m_grid.setCell(0, column,
                       langText("Channel", headingKeys[static_cast<std::size_t>(column)]));
    }
    for (int row = 1; row <= tableRows; ++row) {
        m_grid.setCell(row, 0, rowLabel(row));
    }
    m_statusPanel1 = langText("OTHERS", "70007");
    m_statusPanel2 = langText("OTHERS", "70008");

    m_doc.strSetup = std::string(newSetupRecord);
    m_doc.strAutoDial = std::string(newAutoDialRecord);
    m_doc.bModify = false;
    m_doc.BeReadReshow = true;

    fillDefaultLine();
    m_frames.hideAll();

    // The selector is filled anew, so selecting model 9 is always a change and resets
    // the document for it.
    m_doc.selectedModel = -1;
    selectModel(startupModel);
    restartHistory();
    notify(GridChanged | ModelChanged | LabelsChanged | OptionSignalsChanged | FramesChanged |
           LanguageChanged);
}

void Editor::fillDefaultLine() {
    auto& line = m_doc.strDefLine;
    line[0] = "";
    line[1] = "";
    line[4] = "off";
    line[5] = m_words.wide;
    line[6] = "off";
    line[7] = "off";
    line[8] = m_words.scanSkip0;
    line[9] = "off";
    for (const std::size_t i : {11U, 12U, 13U, 14U}) {
        line[i] = "off";
    }
    line[15] = "None";
    line[16] = "0";
    line[17] = "0";
}

void Editor::ClearAll() {
    for (int row = 1; row <= tableRows; ++row) {
        m_doc.rowStep(row) = "5";
    }
    if (const ModelEntry* model = modelByIndex(m_doc.selectedModel)) {
        m_doc.strDefLine[2] = model->defaultStep;
        m_doc.strDefLine[3] = model->defaultRx;
        m_doc.strDefLine[10] = model->defaultTx;
    }

    setActiveStatus(1);
    InitialSingleLine(1);
    m_frames.hideAll();
    ResetToneData();

    const int firstInactive = m_doc.selectedModel == modelWithoutChannelZero ? 1 : 2;
    for (int row = firstInactive; row <= rowUpperScanLimit; ++row) {
        takeRowOutOfUse(row);
    }
    InitialSingleLine(rowCallChannel);
    InitialSingleLine(rowVfo);
    for (const int row : {rowLowerScanLimit, rowUpperScanLimit, rowCallChannel, rowVfo}) {
        m_grid.setCell(row, 0, rowLabel(row));
    }

    m_fileName = "noname.vd";
    m_statusPanel1 = " Current File: Noname.vd";
    m_doc.strSetup = std::string(newSetupRecord);
    m_doc.strAutoDial = std::string(newAutoDialRecord);
    m_doc.bModify = false;
    notify(GridChanged | LabelsChanged | FramesChanged);
}

void Editor::ResetToneData() {
    m_doc.toneData.reset();
}

void Editor::ReShowFunByRadio() {
    const app::OptionFlags& flags = m_settings.optionFlags;
    m_optionSignals.assign(1, std::string(optionSignalNoneText));
    m_dtmfMenu = flags.hasDtmf == 1;
    if (m_dtmfMenu) {
        m_optionSignals.emplace_back("DTMF");
        m_optionSignals.emplace_back("DTMF-ANI");
    }
    m_twoToneMenu = flags.has2Tone == 1;
    if (m_twoToneMenu) {
        m_optionSignals.emplace_back("2Tone");
    }
    m_fiveToneMenu = flags.has5Tone == 1;
    if (m_fiveToneMenu) {
        m_optionSignals.emplace_back("5Tone");
    }
    notify(OptionSignalsChanged);
}

void Editor::InitialSingleLine(int chno) {
    if (chno < 1 || chno > tableRows) {
        return;
    }
    if (chno == 1 && m_doc.selectedModel == modelWithoutChannelZero) {
        return;
    }
    const ModelEntry* model = modelByIndex(m_doc.selectedModel);
    if (model == nullptr) {
        return;
    }
    setCell(chno, colName, "");
    setCell(chno, colRef, std::string(model->defaultStep));
    setCell(chno, colRxFreq, std::string(model->defaultRx));
    setCell(chno, colTxFreq, std::string(model->defaultTx));
    setCell(chno, colRxTone, "off");
    setCell(chno, colTxTone, "off");
    setCell(chno, colWideNarrow, m_words.wide);
    for (const int column : {colPacMode, colDcsDet, colPri, colBcl, colAni, colShift}) {
        setCell(chno, column, "off");
    }
    setCell(chno, colScanSkip, m_words.scanSkip0);
    setCell(chno, colOptSignal, "None");
    notify(GridChanged);
}

std::string Editor::shownTableValue(int row, int column) const {
    const std::string& value = m_doc.strChData.at(row, column);
    if (value.empty()) {
        return m_doc.defaultOf(column);
    }
    if (value == storedWide || value == storedNarrow) {
        return m_words.shownWidth(value);
    }
    if (isFrequencyColumn(column) && value.front() == '0') {
        return value.substr(1);
    }
    return value;
}

void Editor::ReadBuffer(int row) {
    m_frames.hideAll();
    for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
        setCell(row, column, shownTableValue(row, column));
    }
    setCell(row, colOptSignal, "None");
    m_doc.strChData.at(row, colOptSignal) = "None";
    notify(GridChanged | FramesChanged);
}

void Editor::WriteBuffer(int row) {
    for (int column = firstFieldColumn; column < colOptSignal; ++column) {
        m_doc.strChData.at(row, column) = m_words.storedWidth(m_grid.cell(row, column));
    }
    const std::string signal = m_grid.cell(row, colOptSignal);
    m_doc.strChData.at(row, colOptSignal) = signal;
    auto& memory = m_doc.strChData.at(row, colOptMemory);
    auto& pttId = m_doc.strChData.at(row, colPttId);
    if (signal == "None") {
        memory = "0";
    } else if (signal == "DTMF") {
        memory = std::to_string(m_frames.dtmfMemory);
    } else if (signal == "DTMF-ANI") {
        memory = std::to_string(m_frames.dtmfMemory);
        pttId = std::to_string(m_frames.dtmfPttId);
    } else if (signal == "2Tone") {
        memory = std::to_string(m_frames.twoToneMemory);
    } else if (signal == "5Tone") {
        memory = std::to_string(m_frames.fiveToneMemory);
        pttId = std::to_string(m_frames.fiveTonePttId);
    }
    for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
        setCell(row, column, std::string(notInUseCell));
    }
    notify(GridChanged);
}

void Editor::UpdateAllArray() {
    for (int row = 1; row <= tableRows; ++row) {
        const std::string& status = m_grid.cell(row, colStatus);
        if (status != m_words.active && !status.empty()) {
            continue;
        }
        for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
            m_doc.strChData.at(row, column) = m_words.storedWidth(m_grid.cell(row, column));
        }
        m_doc.strChData.at(row, colStatus) = std::string(storedActive);
    }
}

void Editor::clearPriReferencesTo(int row) {
    const std::string reference = priReferenceOfRow(row);
    for (int r = 1; r <= tableRows; ++r) {
        if (m_grid.cell(r, colPri) == reference) {
            setCell(r, colPri, "off");
        }
        if (m_doc.strChData.at(r, colPri) == reference) {
            m_doc.strChData.at(r, colPri) = "off";
        }
    }
}

void Editor::ToggleChannelStatus(int row) {
    if (row < 1 || row > rowUpperScanLimit) {
        return;
    }
    if (!isRowActive(row)) {
        setActiveStatus(row);
        ReadBuffer(row);
        return;
    }
    WriteBuffer(row);
    clearPriReferencesTo(row);
    m_grid.setCell(row, colStatus, m_words.inactive);
    m_doc.bModify = true;
    notify(GridChanged);
}

void Editor::takeRowOutOfUse(int row) {
    for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
        m_doc.strChData.at(row, column).clear();
    }
    setInactiveStatus(row);
}

void Editor::setActiveStatus(int row) {
    m_grid.setCell(row, colStatus, m_words.active);
    notify(GridChanged);
}

void Editor::setInactiveStatus(int row) {
    m_grid.setCell(row, colStatus, m_words.inactive);
    for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
        m_grid.setCell(row, column, std::string(notInUseCell));
    }
    // What setCell keeps for the Ref. cell, whose "---" is no step of the list.
    static_assert(firstFieldColumn <= colRef && colRef <= lastGridColumn);
    if (row >= 1 && row <= tableRows) {
        m_doc.rowStep(row) = std::string(stepOfNoStep);
    }
    notify(GridChanged);
}

bool Editor::isRowActive(int row) const {
    if (row == rowCallChannel || row == rowVfo) {
        return true;
    }
    return m_grid.cell(row, colStatus) == m_words.active;
}

void Editor::setCurrentCell(int row, int column) {
    m_currentRow = row;
    m_currentColumn = column;
}

CellEditor Editor::cellClicked(int row, int column) {
    if (row < 1 || row > tableRows || column < 0 || column >= gridColumnCount) {
        return CellEditor::None;
    }
    setCurrentCell(row, column);
    if (column == colStatus && row <= rowUpperScanLimit) {
        ToggleChannelStatus(row);
    }
    if (isRowActive(row)) {
        m_doc.bModify = true;
        return editorForCell(row, column);
    }
    if (column >= firstFieldColumn) {
        setActiveStatus(row);
        ReadBuffer(row);
        m_doc.bModify = true;
    }
    return CellEditor::None;
}

void Editor::setCell(int row, int column, std::string text) {
    if (column == colRef && row >= 1 && row <= tableRows) {
        m_doc.rowStep(row) = positionOf(StepList(), text) ? text : std::string(stepOfNoStep);
    }
    m_grid.setCell(row, column, std::move(text));
}

void Editor::selectModel(int index) {
    if (index == m_doc.selectedModel || modelByIndex(index) == nullptr) {
        return;
    }
    // Asked while the old model is still selected, so that "Yes" saves the channels with
    // the model they were made for. Cancel, or a save that did not happen, puts the
    // selector back and changes nothing.
    if (!confirmDiscard()) {
        notify(ModelChanged);
        return;
    }
    m_doc.selectedModel = index;
    notify(ModelChanged);
    if (m_doc.BeReadReshow) {
        ClearAll();
    } else {
        m_doc.BeReadReshow = true;
    }
}

void Editor::selectModelUnasked(int index) {
    const bool wasModified = m_doc.bModify;
    m_doc.bModify = false;
    selectModel(index);
    m_doc.bModify = wasModified;
}

bool Editor::confirmDiscard(app::Buttons buttons) {
    if (!m_doc.bModify) {
        return true;
    }
    const app::Answer answer = m_prompts.ask(windowMessage(9001), buttons);
    if (answer == app::Answer::Cancel) {
        return false;
    }
    return answer != app::Answer::Yes || saveDocument();
}

void Editor::newDocument() {
    if (confirmDiscard()) {
        ClearAll();
        restartHistory();
    }
}

bool Editor::close() {
    // Cancel (and Escape) must be a way back to the editor: with Yes and No only, a
    // slip of the Escape key ended the program and lost the edits.
    return confirmDiscard(app::Buttons::YesNoCancel);
}

bool Editor::switchLanguage(std::string_view file) {
    // Switching reloads the window and clears the document; unsaved work is offered
    // for saving first, as New does.
    if (!confirmDiscard()) {
        return false;
    }
    m_settings.chooseLanguage(file);
    load();
    return true;
}

bool Editor::CheckRxFreq(std::string_view frequency) {
    const BandLimits band = rxBand(m_doc.selectedModel);
    m_rxRange = band.rangeText;
    return isInBand(band, frequency);
}

bool Editor::CheckTxFreq(std::string_view frequency) {
    const BandLimits band = txBand(m_doc.selectedModel);
    m_txRange = band.rangeText;
    return isInBand(band, frequency);
}

std::string Editor::AdjustRxFreq(std::string_view frequency) const {
    const int row = (m_currentRow >= 1 && m_currentRow <= tableRows) ? m_currentRow : 1;
    return AdjustRxFreqByStep(frequency, m_doc.rowStep(row));
}

std::string Editor::rxFrequencyRefusal(std::string_view text) {
    if (!isNumber(text)) {
        return windowMessage(9005);
    }
    if (!CheckRxFreq(text)) {
        return windowMessage(9006) + m_rxRange;
    }
    return {};
}

std::string Editor::txFrequencyRefusal(std::string_view text) {
    if (!isNumber(text)) {
        return windowMessage(9005);
    }
    if (!CheckTxFreq(text)) {
        return windowMessage(9009) + m_txRange;
    }
    return {};
}

void Editor::putRxFrequency(int row, std::string_view text) {
    const std::string snapped = AdjustRxFreqByStep(text, m_doc.rowStep(row));
    setCell(row, colRxFreq, snapped);
    if (CheckTxFreq(text)) {
        setCell(row, colTxFreq, snapped);
    }
    notify(GridChanged);
}

void Editor::putTxFrequency(int row, std::string_view text) {
    setCell(row, colTxFreq, AdjustRxFreqByStep(text, m_doc.rowStep(row)));
    notify(GridChanged);
}

bool Editor::enterRxFrequency(int row, std::string_view text) {
    setCurrentCell(row, colRxFreq);
    if (const std::string refusal = rxFrequencyRefusal(text); !refusal.empty()) {
        m_prompts.message(refusal);
        return false;
    }
    putRxFrequency(row, text);
    return true;
}

bool Editor::enterTxFrequency(int row, std::string_view text) {
    setCurrentCell(row, colTxFreq);
    if (const std::string refusal = txFrequencyRefusal(text); !refusal.empty()) {
        m_prompts.message(refusal);
        return false;
    }
    putTxFrequency(row, text);
    return true;
}

void Editor::changeStep(int row, std::string_view step) {
    const std::string newStep = step.empty() ? std::string("5") : std::string(step);
    m_doc.rowStep(row) = newStep;
    for (const int column : {colRxFreq, colTxFreq}) {
        const std::string& value = m_grid.cell(row, column);
        if (!value.empty()) {
            m_grid.setCell(row, column, AdjustRxFreqByStep(value, newStep));
        }
    }
    notify(GridChanged);
}

void Editor::setFileName(std::string name) {
    m_fileName = std::move(name);
    notify(LabelsChanged);
}

void Editor::setStatusPanel1(std::string text) {
    m_statusPanel1 = std::move(text);
    notify(LabelsChanged);
}

void Editor::setStatusPanel2(std::string text) {
    m_statusPanel2 = std::move(text);
    notify(LabelsChanged);
}

void Editor::setModelCodeLabel(std::string text) {
    m_modelCodeLabel = std::move(text);
    notify(LabelsChanged);
}

} // namespace vn574::document
