#pragma once

#include "document/Editor.h"
#include "document/FieldEditors.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// First line of the program's own clipboard format for whole rows: then one line per
// row, the row label and the table columns 1..18, separated by tabs. No value the table
// holds contains a tab or a line break, so no quoting is needed.
inline constexpr std::string_view channelRowsHeader = "VN574 channel rows 1";

// What a copy puts on the clipboard. `csv` and `rows` stay empty for a block of cells.
struct ClipboardPayload {
    std::string text; // the shown cell texts, tab-separated, one line per row
    std::string csv;  // the memory channels in use among the rows, as the CSV export
    std::string rows; // every table column of the rows, exactly
};

// A rectangle of grid cells: rows 1..104 and columns 1..16, both ends inclusive.
struct CellBlock {
    int firstRow = 1;
    int lastRow = 1;
    int firstColumn = 1;
    int lastColumn = 1;
};

// A pasted cell a rule refused (column 0: a whole pasted row; row 0: what lay beyond the
// table). What it would have changed is left as it was.
struct PasteRefusal {
    int row = 0;
    int column = 0;
    std::string text;
    std::string reason;
};

struct PasteResult {
    int taken = 0; // cells or rows the paste changed
    std::vector<PasteRefusal> refusals;
    std::string error; // nothing on the clipboard could be read as what it claims to be
};

// Copy, cut, paste and delete on the channel grid. Every pasted cell goes through the
// rule its in-place editor applies, so a paste can put nothing into the table that
// typing could not; each command that changes the table is one undo step.
class ChannelClipboard {
public:
    explicit ChannelClipboard(document::Editor& editor) : m_editor(editor), m_fields(editor) {}

    // `rows` ascending, each 1..104.
    [[nodiscard]] ClipboardPayload copyRows(const std::vector<int>& rows) const;
    [[nodiscard]] ClipboardPayload copyCells(const CellBlock& block) const;

    // Pastes whole rows into `firstRow` and the rows after it.
    PasteResult pasteRows(int firstRow, std::string_view rows);
    PasteResult pasteCsv(int firstRow, std::string_view csv);
    // Pastes a tab-separated block into the cells from (firstRow, firstColumn) on.
    PasteResult pasteCells(int firstRow, int firstColumn, std::string_view pasted);

    // Copy, then the rows go out of use (C and V, always in use, go back to their
    // defaults); or the cells go back to their row's defaults.
    ClipboardPayload cutRows(const std::vector<int>& rows);
    ClipboardPayload cutCells(const CellBlock& block);
    void deleteRows(const std::vector<int>& rows);

    // The one message that lists what a paste left unchanged; "" when it left nothing.
    [[nodiscard]] std::string refusalMessage(const PasteResult& result) const;

private:
    // A table row as pasted: element c is column c (1..18); element 0 is unused.
    using RowValues = std::array<std::string, document::tableColumns + 1>;
    struct CellCheck;

    [[nodiscard]] RowValues tableRow(int row) const;
    // The shown texts of `columns` of `row`, tab-separated, with the line end.
    [[nodiscard]] std::string shownLine(int row, const std::vector<int>& columns) const;
    [[nodiscard]] CellCheck checkCell(int row, int column, const std::string& pasted) const;
    void applyCell(int row, int column, const std::string& value);
    // Pastes (column, text) pairs into one row; returns the cells taken.
    int pasteIntoRow(int row, const std::vector<std::pair<int, std::string>>& cells,
                     PasteResult& result);
    void pasteRowValues(int row, const RowValues& values, PasteResult& result);
    void putInUse(int row);
    void takeOutOfUse(int row);
    void takeRowsOutOfUse(const std::vector<int>& rows, std::string_view key);
    // Records the paste as one step named by `key`, when it changed anything.
    void finish(const PasteResult& result, std::string_view key);
    [[nodiscard]] std::string text(std::string_view key) const;

    document::Editor& m_editor;
    document::FieldEditors m_fields;
    bool m_exactNames = false; // while the program's own row form is pasted
};

} // namespace vn574::files
