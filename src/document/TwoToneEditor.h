#pragma once

#include "document/Editor.h"
#include "document/TwoTone.h"

#include <array>
#include <string>

namespace vn574::document {

// Frm2Tone without its widgets: the 2-tone memories grid with its in-place editor
// Text1, the four timing lists Combo1(0..3), the pair type Combo2(0), the decoder
// response Combo2(1) and the frequency boxes Text2(0..3) of A..D. Works on the working
// copy ToneDataEdit; only ok() puts it into the document.
class TwoToneEditor {
public:
    static constexpr int gridRows = 101; // heading row 0, memories in rows 1..100
    static constexpr int gridColumns = 3;
    static constexpr int boxCount = 4;

    explicit TwoToneEditor(Editor& editor);

    // Captions, lists, grid and the controls loaded from a fresh copy of ToneData.
    void open();

    [[nodiscard]] std::string caption(std::string_view key) const;

    // --- memories tab ---
    [[nodiscard]] const std::string& cell(int row, int column) const;
    // A click on a cell or a move of the grid's current cell. Returns false when the
    // cell opens no editor (heading row or number column).
    bool enterCell(int row, int column);
    [[nodiscard]] int editRow() const { return m_editRow; }
    [[nodiscard]] int editColumn() const { return m_editColumn; }
    [[nodiscard]] bool editorVisible() const { return m_editorVisible; }
    [[nodiscard]] const std::string& editorText() const { return m_editorText; }
    void setEditorText(std::string text) { m_editorText = std::move(text); }
    void commit();
    void scrolled(); // commits and hides the editor

    // Combo1(0..3): list positions.
    [[nodiscard]] int timing(int k) const { return m_timing.at(static_cast<std::size_t>(k)); }
    void setTiming(int k, int position);

    // --- decoder tab ---
    [[nodiscard]] int pairType() const { return m_pairType; }
    void choosePairType(int position);
    [[nodiscard]] int response() const { return m_response; }
    void setResponse(int position);
    [[nodiscard]] const std::string& box(int k) const {
        return m_boxes.at(static_cast<std::size_t>(k));
    }
    [[nodiscard]] bool boxEnabled(int k) const {
        return m_boxEnabled.at(static_cast<std::size_t>(k));
    }
    void setBoxText(int k, std::string text);
    void leaveBox(int k);

    // OK: stores the lists and the decoder pair, commits the grid editor and copies
    // ToneDataEdit into the document's ToneData. Cancel has nothing to undo.
    void ok();

private:
    [[nodiscard]] ToneData& edit() { return m_editor.document().toneDataEdit; }
    std::string& cellRef(int row, int column);
    static std::size_t cellIndex(int row, int column) {
        return static_cast<std::size_t>(row) * gridColumns + static_cast<std::size_t>(column);
    }
    void loadGrid();

    Editor& m_editor;
    std::array<std::string, static_cast<std::size_t>(gridRows) * gridColumns> m_grid{};
    int m_editRow = 0;
    int m_editColumn = 0;
    bool m_editorVisible = false;
    std::string m_editorText;
    std::array<int, 4> m_timing{};
    int m_pairType = 0;
    int m_response = 0;
    std::array<std::string, boxCount> m_boxes{};
    std::array<bool, boxCount> m_boxEnabled{};
};

} // namespace vn574::document
