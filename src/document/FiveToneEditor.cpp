#include "document/FiveToneEditor.h"

#include "app/TextUtil.h"

#include <algorithm>

namespace vn574::document {
namespace {

constexpr std::size_t ownIdLength = 5;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A tone length as typed or listed, in the record's units of 10 ms. The number is read
// up to the first character that is no digit, as lists have always read their text;
// nothing readable counts as 0.
std::uint8_t toneTimeOf(std::string_view text) {
    const std::string_view trimmedText = app::trimBlanks(text);
    long value = 0;
    for (const char c : trimmedText) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min(value * 10 + (c - '0'), 100000L);
    }
    return static_cast<std::uint8_t>(std::clamp((value + 5) / 10, 0L, 255L));
}

std::string lengthTextOf(std::uint8_t toneTime) {
    if (toneTime < fiveToneMinTime || toneTime > fiveToneMaxTime) {
        return std::string(fiveToneDefaultLength);
    }
    return std::to_string(toneTime * 10);
}

int lengthPositionOf(std::uint8_t toneTime) {
    if (toneTime < fiveToneMinTime || toneTime > fiveToneMaxTime) {
        return fiveToneDefaultTime - fiveToneMinTime;
    }
    return toneTime - fiveToneMinTime;
}

// Stores `code` into a record: the fixed text cuts it at 22 characters, and the length
// follows what was really stored.
void storeCode(FiveToneRec& rec, std::string_view code) {
    rec.code.assign(code);
    rec.codeLen = static_cast<std::uint8_t>(std::min(code.size(), fiveToneCodeLength));
}

std::string trimmedCode(const FiveToneRec& rec) {
    return app::trimmed(rec.code.str());
}

} // namespace

FiveToneEditor::FiveToneEditor(Editor& editor) : m_editor(editor) {}

std::string FiveToneEditor::caption(std::string_view key) const {
    return m_editor.langText("OPTION", key);
}

LanguageLookup FiveToneEditor::optionTexts() const {
    return [this](std::string_view key) { return caption(key); };
}

std::string& FiveToneEditor::cellRef(int row, int column) {
    return m_grid.at(cellIndex(row, column));
}

const std::string& FiveToneEditor::cell(int row, int column) const {
    static const std::string none;
    if (row < 0 || row >= gridRows || column < 0 || column >= gridColumns) {
        return none;
    }
    return m_grid[cellIndex(row, column)];
}

void FiveToneEditor::open() {
    m_curRow = 0;
    m_curCol = 0;
    m_gridRow = 0;
    closeEditors();
    static constexpr std::array<std::string_view, gridColumns> headings{"60053", "60062", "60079",
                                                                        "60061", "60080"};
    for (int column = 0; column < gridColumns; ++column) {
        cellRef(0, column) = caption(headings[static_cast<std::size_t>(column)]);
    }
    for (int row = 1; row < gridRows; ++row) {
        cellRef(row, 0) = std::to_string(row - 1);
    }
    m_editor.document().toneDataEdit = m_editor.document().toneData;
    loadControls();
}

void FiveToneEditor::loadControls() {
    ToneData& data = edit();
    m_selfId = app::trimmed(data.selfId.str());
    // A standard or setting outside its list (a damaged file) selects the first item
    // rather than nothing, so that saving writes a value the radio knows.
    chooseSelfIdStandard(data.selfIdStd < fiveToneStandardCount ? data.selfIdStd : 0);
    m_selfIdMode = data.selfIdMode <= 2 ? data.selfIdMode : 0;
    if (data.selfIdTime == 0) {
        data.selfIdTime = fiveToneDefaultTime;
    }
    m_selfIdTime = std::to_string(data.selfIdTime * 10);
    m_selfIdDelay = data.selfIdDelay;

    for (int memory = 0; memory < 100; ++memory) {
        showMemory(memory);
    }

    for (int k = 0; k < pttIdCount; ++k) {
        const FiveToneRec& rec = k == 0 ? data.pttIdBot : data.pttIdEot;
        m_pttCode[index(k)] = trimmedCode(rec);
        choosePttStandard(k, rec.std < fiveToneStandardCount ? rec.std : 0);
        m_pttTime[index(k)] = lengthPositionOf(rec.toneTime);
    }
}

void FiveToneEditor::showMemory(int memory) {
    const FiveToneRec& rec = edit().fiveToneMem[static_cast<std::size_t>(memory)];
    const int row = memory + 1;
    const MemoryCodeView view = showMemoryCode(trimmedCode(rec), optionTexts());
    cellRef(row, 1) = view.kind;
    cellRef(row, 2) = view.details;
    const FiveToneStandard* standard = fiveToneStandard(rec.std);
    cellRef(row, 3) = standard != nullptr ? std::string(standard->name) : std::string();
    cellRef(row, 4) = lengthTextOf(rec.toneTime);
}

void FiveToneEditor::chooseSelfIdStandard(int position) {
    const FiveToneStandard* standard = fiveToneStandard(position);
    if (standard == nullptr) {
        return;
    }
    m_selfIdStd = position;
    m_info = standardInfoText(position, optionTexts());
    m_selfIdTime = std::to_string(standard->lengthMs);
}

void FiveToneEditor::setSelfIdMode(int position) {
    if (position >= 0 && position <= 2) {
        m_selfIdMode = position;
    }
}

void FiveToneEditor::setSelfIdDelay(int position) {
    if (position >= 0 && position <= 255) {
        m_selfIdDelay = position;
    }
}

void FiveToneEditor::setPttCode(int k, std::string text) {
    m_pttCode.at(index(k)) = std::move(text);
}

void FiveToneEditor::leavePttCode(int k) {
    auto& code = m_pttCode.at(index(k));
    code = Add5ToneE(code);
}

void FiveToneEditor::choosePttStandard(int k, int position) {
    const FiveToneStandard* standard = fiveToneStandard(position);
    if (standard == nullptr) {
        return;
    }
    m_pttStd.at(index(k)) = position;
    m_pttTime.at(index(k)) = standard->lengthMs / 10 - fiveToneMinTime;
}

void FiveToneEditor::setPttLength(int k, int position) {
    if (position >= 0 && static_cast<std::size_t>(position) < FiveToneLengthList().size()) {
        m_pttTime.at(index(k)) = position;
    }
}

void FiveToneEditor::leaveSelfId() {
    while (m_selfId.size() < ownIdLength) {
        m_selfId += '0';
    }
    edit().selfId.assign(m_selfId);
    if (m_openEditor == FiveToneCellEditor::Code) {
        commit();
        closeEditors();
        m_curRow = 0;
    }
    saveControls();

    ToneData& data = edit();
    const auto rebuild = [this](FiveToneRec& rec) {
        const std::string code = trimmedCode(rec);
        if (startsWith(code, "E2")) {
            storeCode(rec, "E2" + m_selfId);
        } else if (startsWith(code, "E3") && code.size() >= 13) {
            storeCode(rec, code.substr(0, 8) + m_selfId);
        }
    };
    for (FiveToneRec& rec : data.fiveToneMem) {
        rebuild(rec);
    }
    rebuild(data.pttIdBot);
    rebuild(data.pttIdEot);
    loadControls();
}

void FiveToneEditor::saveControls() {
    ToneData& data = edit();
    data.selfId.assign(m_selfId);
    data.selfIdLen = static_cast<std::uint8_t>(std::min(m_selfId.size(), ownIdLength));
    data.selfIdStd = static_cast<std::uint8_t>(m_selfIdStd);
    data.selfIdMode = static_cast<std::uint8_t>(m_selfIdMode);
    data.selfIdDelay = static_cast<std::uint8_t>(m_selfIdDelay);
    data.selfIdTime = toneTimeOf(m_selfIdTime);

    for (int k = 0; k < pttIdCount; ++k) {
        FiveToneRec& rec = k == 0 ? data.pttIdBot : data.pttIdEot;
        storeCode(rec, Add5ToneE(m_pttCode[index(k)]));
        rec.std = static_cast<std::uint8_t>(m_pttStd[index(k)]);
        rec.toneTime = static_cast<std::uint8_t>(m_pttTime[index(k)] + fiveToneMinTime);
    }

    for (FiveToneRec& rec : data.fiveToneMem) {
        std::string code = trimmedCode(rec);
        if (startsWith(code, "E2")) {
            code = "E2" + m_selfId;
        } else if (startsWith(code, "E3")) {
            code = code.substr(0, 8) + m_selfId;
        }
        rec.code.assign(Add5ToneE(code));
        rec.codeLen = static_cast<std::uint8_t>(trimmedCode(rec).size());
    }
}

FiveToneCellEditor FiveToneEditor::enterCell(int row, int column) {
    if (row < 1 || row >= gridRows || column < 0 || column >= gridColumns) {
        return m_openEditor;
    }
    m_gridRow = row;
    if (row == m_curRow && column == m_curCol &&
        (m_openEditor != FiveToneCellEditor::None || column < 2)) {
        return m_openEditor;
    }
    // Special codes are built by the special-call editor, never typed over.
    if (column == 2 && !cell(row, 1).empty()) {
        return m_openEditor;
    }
    commit();
    m_curRow = row;
    m_curCol = column;
    closeEditors();
    switch (column) {
    case 2:
        m_codeText = cell(row, column);
        m_openEditor = FiveToneCellEditor::Code;
        break;
    case 3:
        m_editorStd = fiveToneStandardPosition(cell(row, column));
        m_openEditor = FiveToneCellEditor::Standard;
        break;
    case 4:
        m_lengthText = cell(row, column);
        m_openEditor = FiveToneCellEditor::ToneLength;
        break;
    default:
        break;
    }
    return m_openEditor;
}

void FiveToneEditor::chooseGridStandard(int position) {
    const FiveToneStandard* standard = fiveToneStandard(position);
    if (standard == nullptr) {
        return;
    }
    m_editorStd = position;
    m_info = standardInfoText(position, optionTexts());
    if (m_curRow < 1) {
        return;
    }
    cellRef(m_curRow, 4) = std::to_string(standard->lengthMs);
    edit().fiveToneMem[static_cast<std::size_t>(m_curRow - 1)].toneTime =
        static_cast<std::uint8_t>(standard->lengthMs / 10);
}

void FiveToneEditor::commit() {
    // Only an edit whose editor is still shown is written. Hiding the editor (a scroll,
    // a Special button) ended the edit; the cell may since hold a special call that an
    // old typed code must not overwrite.
    if (m_openEditor == FiveToneCellEditor::None || m_curRow < 1 || m_curCol < 2) {
        return;
    }
    FiveToneRec& rec = edit().fiveToneMem[static_cast<std::size_t>(m_curRow - 1)];
    switch (m_curCol) {
    case 2:
        storeCode(rec, Add5ToneE(m_codeText));
        cellRef(m_curRow, 2) = trimmedCode(rec);
        break;
    case 3:
        // No standard picked (the row held one outside the list): nothing to store.
        if (const FiveToneStandard* standard = fiveToneStandard(m_editorStd)) {
            rec.std = static_cast<std::uint8_t>(m_editorStd);
            rec.toneTime = toneTimeOf(cell(m_curRow, 4));
            cellRef(m_curRow, 3) = std::string(standard->name);
        }
        break;
    case 4:
        rec.toneTime = toneTimeOf(m_lengthText);
        cellRef(m_curRow, 4) = m_lengthText;
        break;
    default:
        break;
    }
}

void FiveToneEditor::closeEditors() {
    m_openEditor = FiveToneCellEditor::None;
}

void FiveToneEditor::scrolled() {
    commit();
    closeEditors();
}

bool FiveToneEditor::doubleClickCell(int row, int column) {
    if (row < 1 || row >= gridRows || column != 2 || cell(row, 1).empty()) {
        return false;
    }
    if (m_editor.prompts().ask("Reset Special Call of this channel,OK or Not?",
                               app::Buttons::OkCancel) != app::Answer::Ok) {
        return false;
    }
    FiveToneRec& rec = edit().fiveToneMem[static_cast<std::size_t>(row - 1)];
    rec.code.assign("");
    rec.codeLen = 0;
    cellRef(row, 1).clear();
    cellRef(row, 2).clear();
    enterCell(row, column);
    return true;
}

void FiveToneEditor::prepareSpecialCall(SpecialCallTarget target) {
    if (target == SpecialCallTarget::Memory && m_openEditor == FiveToneCellEditor::Code) {
        commit();
        closeEditors();
        m_curRow = 0;
    }
    m_target = target;
}

void FiveToneEditor::applySpecialCall(int memory, const std::string& storedCode,
                                      std::string kindText, std::string details) {
    if (memory < 0 || memory >= 100) {
        return;
    }
    storeCode(edit().fiveToneMem[static_cast<std::size_t>(memory)], storedCode);
    cellRef(memory + 1, 1) = std::move(kindText);
    cellRef(memory + 1, 2) = std::move(details);
}

void FiveToneEditor::ok() {
    commit();
    saveControls();
    m_editor.document().writeBack(m_editor.document().toneData, edit());
}

} // namespace vn574::document
