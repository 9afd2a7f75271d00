#pragma once

#include "document/Editor.h"
#include "document/FiveTone.h"

#include <array>
#include <string>

namespace vn574::document {

// Which code the special-call editor fills.
enum class SpecialCallTarget { Memory = 0, PttIdBegin = 1, PttIdEnd = 2 };

// The in-place editors of the 5-tone memories grid.
enum class FiveToneCellEditor {
    None,
    Code,       // Text3, column 2
    Standard,   // Combo2, column 3
    ToneLength, // Combo3, column 4
};

// Frm5Tone without its widgets: the own-ID controls, the PTT ID codes, the 100-row code
// memory grid with its in-place editors and the info box. Works on the working copy
// ToneDataEdit; only ok() puts it into the document.
class FiveToneEditor {
public:
    static constexpr int gridRows = 101; // heading row 0, memories in rows 1..100
    static constexpr int gridColumns = 5;
    static constexpr int pttIdCount = 2; // begin, end

    explicit FiveToneEditor(Editor& editor);

    // Captions and grid headings, then the controls from a fresh copy of ToneData.
    void open();

    [[nodiscard]] std::string caption(std::string_view key) const;
    [[nodiscard]] Editor& editor() { return m_editor; }
    [[nodiscard]] LanguageLookup optionTexts() const;

    // --- own ID ---
    [[nodiscard]] const std::string& selfIdText() const { return m_selfId; }
    void setSelfIdText(std::string text) { m_selfId = std::move(text); }
    // Text2 losing the focus: pads the ID, saves, rebuilds the codes that carry it and
    // loads the controls again.
    void leaveSelfId();
    [[nodiscard]] int selfIdStandard() const { return m_selfIdStd; }
    void chooseSelfIdStandard(int position); // Combo1(1): info box and proposed length
    [[nodiscard]] int selfIdMode() const { return m_selfIdMode; }
    void setSelfIdMode(int position);
    [[nodiscard]] const std::string& selfIdLength() const { return m_selfIdTime; }
    void setSelfIdLength(std::string text) { m_selfIdTime = std::move(text); }
    [[nodiscard]] int selfIdDelay() const { return m_selfIdDelay; }
    void setSelfIdDelay(int position);

    // --- PTT ID begin (0) and end (1) ---
    [[nodiscard]] const std::string& pttCode(int k) const { return m_pttCode.at(index(k)); }
    void setPttCode(int k, std::string text);
    void leavePttCode(int k); // the box's text in its stored form
    [[nodiscard]] int pttStandard(int k) const { return m_pttStd.at(index(k)); }
    void choosePttStandard(int k, int position); // Combo4(k): proposes the length
    [[nodiscard]] int pttLength(int k) const { return m_pttTime.at(index(k)); }
    void setPttLength(int k, int position); // Combo5(k) position

    [[nodiscard]] const std::string& infoText() const { return m_info; }

    // --- memories grid ---
    [[nodiscard]] const std::string& cell(int row, int column) const;
    // A click on a cell or a move of the grid's current cell; returns the editor shown.
    FiveToneCellEditor enterCell(int row, int column);
    [[nodiscard]] FiveToneCellEditor openEditor() const { return m_openEditor; }
    [[nodiscard]] int currentRow() const { return m_curRow; } // CurTone5Row
    [[nodiscard]] int currentColumn() const { return m_curCol; }
    [[nodiscard]] int gridRow() const { return m_gridRow; } // the grid's current row
    [[nodiscard]] const std::string& codeEditorText() const { return m_codeText; }
    void setCodeEditorText(std::string text) { m_codeText = std::move(text); }
    [[nodiscard]] int standardEditorPosition() const { return m_editorStd; }
    void chooseGridStandard(int position); // Combo2: proposes the row's tone length
    [[nodiscard]] const std::string& lengthEditorText() const { return m_lengthText; }
    void setLengthEditorText(std::string text) { m_lengthText = std::move(text); }
    // Writes the edit of the shown in-place editor; nothing once it has been hidden.
    void commit();
    void scrolled(); // commits and hides the in-place editors, which ends the edit
    // Double click: offers to remove the special call of the row. True when removed.
    bool doubleClickCell(int row, int column);

    // --- the special-call editor ---
    // The "Special" buttons: Command1 (memory) first commits and closes the code editor.
    void prepareSpecialCall(SpecialCallTarget target);
    [[nodiscard]] SpecialCallTarget specialCallTarget() const { return m_target; }
    // A built special call stored in memory `memory` and shown in its row.
    void applySpecialCall(int memory, const std::string& storedCode, std::string kindText,
                          std::string details);

    // OK: commits the open editor, saves the controls and copies ToneDataEdit into the
    // document's ToneData.
    void ok();

    // Saving the controls into ToneDataEdit (OK and own-ID change).
    void saveControls();

private:
    static std::size_t index(int k) { return static_cast<std::size_t>(k); }
    [[nodiscard]] ToneData& edit() { return m_editor.document().toneDataEdit; }
    std::string& cellRef(int row, int column);
    static std::size_t cellIndex(int row, int column) {
        return static_cast<std::size_t>(row) * gridColumns + static_cast<std::size_t>(column);
    }
    void loadControls();
    void showMemory(int memory);
    void closeEditors();

    Editor& m_editor;
    std::array<std::string, static_cast<std::size_t>(gridRows) * gridColumns> m_grid{};

    std::string m_selfId;
    int m_selfIdStd = 0;
    int m_selfIdMode = 0;
    std::string m_selfIdTime;
    int m_selfIdDelay = 0;
    std::array<std::string, pttIdCount> m_pttCode{};
    std::array<int, pttIdCount> m_pttStd{};
    std::array<int, pttIdCount> m_pttTime{};
    std::string m_info;

    int m_curRow = 0;
    int m_curCol = 0;
    int m_gridRow = 0;
    FiveToneCellEditor m_openEditor = FiveToneCellEditor::None;
    std::string m_codeText;
    int m_editorStd = -1;
    std::string m_lengthText;

    SpecialCallTarget m_target = SpecialCallTarget::Memory;
};

} // namespace vn574::document
