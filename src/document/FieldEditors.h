#pragma once

#include "document/Editor.h"
#include "document/ValueTables.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

// Which list of the two-step tone editor is showing.
enum class ToneList {
    Kind,  // ComboCTCSSDCS: "off", "CTCSS", "DCS"
    Ctcss, // ComboCTCSS
    Dcs,   // ComboDCS
};

// The lists of the option-signal frames under the grid.
enum class FrameList {
    DtmfMemory,
    TwoToneMemory,
    FiveToneMemory,
    DtmfPttId,
    FiveTonePttId,
};

// What the in-place editors of the grid do when they open, when the user picks an
// entry and when they lose the focus. The editor widgets only show the texts and pass
// on what the user did, so every write-back rule is here and testable without widgets.
//
// A "choice" is an entry the user picked; when the program itself sets the shown entry
// (opening, going back to entry 0) no choice method may be called.
//
// Every list opens on the value its cell holds, so a click that only passes through a
// cell changes nothing. A cell value that is none of the list's entries (a tone from a
// file, a word of the other language) opens as `notAnEntry`: the list then shows the
// cell's text as it is and leaving it stores nothing. The commits store only a value
// that differs from the cell.
class FieldEditors {
public:
    explicit FieldEditors(Editor& editor) : m_editor(editor) {}

    static constexpr int notAnEntry = -1;

    // --- TxtName ---
    [[nodiscard]] std::string nameOpeningText(int row) const;
    // The box's text after the user changed it: filtered, at most seven characters,
    // and written into the cell at once. Returns what the box must show.
    std::string nameChanged(int row, std::string_view typed);

    // --- TxtRxFreq / TxtTxFreq ---
    // The box's text as it opens, remembered until the box closes.
    std::string frequencyOpeningText(int row, int column);
    // The entry rules when the box closes; false when a message was shown. A box left
    // with the text it opened with changes nothing.
    bool frequencyCommit(int row, int column, std::string_view text);

    // --- ComboRef ---
    [[nodiscard]] static std::vector<std::string> stepEntries();
    // The cell's step; on a row not in use, the stored step (entry 0 when none).
    [[nodiscard]] int stepOpeningIndex(int row) const;
    void stepChosen(int row, std::string_view step);
    void stepCommit(int row, std::string_view step);

    // --- ComboCTCSSDCS, then ComboCTCSS / ComboDCS ---
    [[nodiscard]] static std::vector<std::string> toneEntries(ToneList list);
    // The list that takes over after a choice in the kind list; Kind means none does.
    [[nodiscard]] static ToneList toneKindChosen(std::string_view kind);
    // Where `list` opens for the tone cell (row, column): the kind list on the cell's
    // kind; a tone or code list on the cell's tone when the cell is of its kind, else on
    // entry 0 (choosing "CTCSS" for a channel without a tone offers 67.0).
    [[nodiscard]] int toneOpeningIndex(int row, int column, ToneList list) const;
    // What `list` shows when the cell's value is none of its entries.
    [[nodiscard]] std::string toneShownAsIs(int row, int column, ToneList list) const;
    // The list `list` loses the focus showing `shown`.
    void toneCommit(int row, int column, ToneList list, std::string_view shown);

    // --- the simple lists: ComboWN, ComboPACMOD, ComboDCSDET, ComboSCNSkp, ComboBCL,
    //     ComboANI, ComboShift ---
    [[nodiscard]] static bool isSimpleList(CellEditor kind);
    [[nodiscard]] std::vector<std::string> simpleListEntries(CellEditor kind) const;
    [[nodiscard]] int simpleListOpeningIndex(int row, CellEditor kind) const;
    void simpleListCommit(int row, CellEditor kind, std::string_view shown);

    // --- ComboPRI, built anew on every opening ---
    [[nodiscard]] std::vector<std::string> priorityEntries() const;
    // The entry of `entries` that names the channel the cell refers to.
    [[nodiscard]] int priorityOpeningIndex(int row, const std::vector<std::string>& entries) const;
    void priorityCommit(int row, std::string_view shown);

    // --- ComboOptSignal and its frames ---
    // Position in Editor::optionSignalList() of the cell's signal.
    [[nodiscard]] int optionSignalOpeningIndex(int row) const;
    // The user picked `signal` for `row`: the frames it needs are shown, each on the
    // row's stored memory and PTT ID.
    void optionSignalChosen(int row, std::string_view signal);
    // A pick in a frame's list goes to the current row's option memory or PTT ID.
    void framePicked(FrameList list, int position);
    void optionSignalCommit(int row, std::string_view shown);
    [[nodiscard]] static TextList frameEntries(FrameList list);

private:
    void setCell(int row, int column, std::string text);

    struct OpenedCell {
        int row = 0;
        int column = 0;
        std::string text;
    };

    // Writes `text` into the cell unless the cell holds it already.
    void setCellIfChanged(int row, int column, std::string text);

    Editor& m_editor;
    std::optional<OpenedCell> m_openedFrequency;
};

} // namespace vn574::document
