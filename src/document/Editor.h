#pragma once

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"
#include "document/ChannelGrid.h"
#include "document/ChannelWords.h"
#include "document/Document.h"
#include "document/History.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

// The in-place editors a grid click can open.
enum class CellEditor {
    None,
    Name,         // TxtName
    Step,         // ComboRef
    RxFrequency,  // TxtRxFreq
    RxTone,       // ComboCTCSSDCS on column 5
    WideNarrow,   // ComboWN
    PacMode,      // ComboPACMOD
    DcsDet,       // ComboDCSDET
    ScanSkip,     // ComboSCNSkp
    Priority,     // ComboPRI
    TxFrequency,  // TxtTxFreq
    TxTone,       // ComboCTCSSDCS on column 12
    Bcl,          // ComboBCL
    Ani,          // ComboANI
    Shift,        // ComboShift
    OptionSignal, // ComboOptSignal
};

// The editor (if any) that column `column` of grid row `row` opens.
CellEditor editorForCell(int row, int column);

// The five option-signal frames under the grid: which are shown and the position each
// list shows. Deactivating a row takes its option memory and PTT ID from here.
struct OptionSignalFrames {
    bool dtmfVisible = false;
    bool twoToneVisible = false;
    bool fiveToneVisible = false;
    bool dtmfPttIdVisible = false;
    bool fiveTonePttIdVisible = false;
    int dtmfMemory = 0;
    int twoToneMemory = 0;
    int fiveToneMemory = 0;
    int dtmfPttId = 0;
    int fiveTonePttId = 0;

    void hideAll();
    [[nodiscard]] bool anyVisible() const;
};

// What changed, so the views can refresh only what they show of it.
enum EditorChange : unsigned {
    GridChanged = 1U << 0,
    ModelChanged = 1U << 1,
    LabelsChanged = 1U << 2,        // file name, status bar, model code label
    OptionSignalsChanged = 1U << 3, // option-signal list and signalling menus
    FramesChanged = 1U << 4,
    LanguageChanged = 1U << 5,
    HistoryChanged = 1U << 6, // what undo and redo would do
};

class EditorListener {
public:
    virtual ~EditorListener() = default;
    virtual void editorChanged(unsigned changes) = 0;
};

// The main window without its widgets: the document, the grid it shows, the model
// selector, and every operation of the window on them. Talks to the user only through
// UserPrompts, so each decision can be tested with scripted answers.
class Editor {
public:
    Editor(app::ProcessSettings& settings, app::UserPrompts& prompts);

    Document& document() { return m_doc; }
    [[nodiscard]] const Document& document() const { return m_doc; }
    ChannelGrid& grid() { return m_grid; }
    [[nodiscard]] const ChannelGrid& grid() const { return m_grid; }
    [[nodiscard]] const ChannelWords& words() const { return m_words; }
    app::ProcessSettings& settings() { return m_settings; }
    [[nodiscard]] const app::ProcessSettings& settings() const { return m_settings; }
    app::UserPrompts& prompts() { return m_prompts; }
    [[nodiscard]] std::string langText(std::string_view section, std::string_view key) const;

    void setListener(EditorListener* listener) { m_listener = listener; }
    // Runs a save with its dialog when a prompt is answered "Yes"; set by whoever can
    // save (the file layer). Returns whether the document was saved.
    void setSaveHandler(std::function<bool()> save) { m_save = std::move(save); }
    bool saveDocument();

    // The window's load step: lists, words, default row, defaults of the records, and
    // the selection of model 9, which resets the document. Also run after a language
    // switch.
    void load();

    // --- document operations ---
    void ClearAll();
    void ResetToneData();
    void ReShowFunByRadio();
    void InitialSingleLine(int chno);
    void ReadBuffer(int row);
    void WriteBuffer(int row);
    void UpdateAllArray();
    void ToggleChannelStatus(int row);

    // --- model selector Combo1 ---
    [[nodiscard]] int selectedModel() const { return m_doc.selectedModel; }
    // Selecting another model runs the model change: the save prompt while the old model
    // is still selected, then the reset (or, once after an open, keeping the grid). When
    // the prompt is cancelled the old model stays selected and the views are told to
    // show it again.
    void selectModel(int index);
    // The model change a read's block 0 brings: the user has answered the save question
    // before the read began, and nothing may ask while the transfer runs.
    void selectModelUnasked(int index);

    // --- commands ---
    void newDocument(); // New
    // Asks MSG 9001 when the document is modified. Returns false when the user
    // cancelled, or asked to save first and the save did not happen (the save window
    // cancelled, the disk refused): the document must then not be thrown away.
    // `buttons` is YesNoCancel or YesNo.
    bool confirmDiscard(app::Buttons buttons = app::Buttons::YesNoCancel);
    // Exit or the close box: asks with Yes, No and Cancel when the document is modified;
    // false when the program must stay open (Cancel, or a save asked for did not happen).
    bool close();
    // Language switch; asks first when there are unsaved changes. False when cancelled.
    bool switchLanguage(std::string_view file);

    // --- grid ---
    [[nodiscard]] bool isRowActive(int row) const;
    // A click on a grid cell; returns the editor to open.
    CellEditor cellClicked(int row, int column);
    [[nodiscard]] int currentRow() const { return m_currentRow; }
    [[nodiscard]] int currentColumn() const { return m_currentColumn; }
    void setCurrentCell(int row, int column);

    // Sets a grid cell; keeps strRowStep equal to the row's Ref. cell.
    void setCell(int row, int column, std::string text);
    [[nodiscard]] const std::string& cell(int row, int column) const {
        return m_grid.cell(row, column);
    }
    void setActiveStatus(int row);   // status cell shows the active word
    void setInactiveStatus(int row); // status word, and "---" in columns 2..16
    // As a reset does for rows not in use: inactive, and table columns 2..16 emptied.
    void takeRowOutOfUse(int row);

    // --- field rules on the window state ---
    bool CheckRxFreq(std::string_view frequency);
    bool CheckTxFreq(std::string_view frequency);
    [[nodiscard]] std::string AdjustRxFreq(std::string_view frequency) const;
    [[nodiscard]] const std::string& rxRangeText() const { return m_rxRange; }
    [[nodiscard]] const std::string& txRangeText() const { return m_txRange; }
    // Receive/transmit frequency entry when the editor of `row` closes; false when a
    // message was shown and the cells kept their values.
    bool enterRxFrequency(int row, std::string_view text);
    bool enterTxFrequency(int row, std::string_view text);
    // The checks of those entries without a message: the message they would show, or ""
    // when the text passes. The put functions then make the entry's change, snapped with
    // the row's own step (a paste changes rows that are not the current one).
    std::string rxFrequencyRefusal(std::string_view text);
    std::string txFrequencyRefusal(std::string_view text);
    void putRxFrequency(int row, std::string_view text);
    void putTxFrequency(int row, std::string_view text);
    // A step picked in the row's Ref. editor: new row step, frequencies snapped again.
    void changeStep(int row, std::string_view step);

    // --- window state the views show ---
    [[nodiscard]] const std::vector<std::string>& optionSignalList() const {
        return m_optionSignals;
    }
    [[nodiscard]] bool dtmfMenuVisible() const { return m_dtmfMenu; }
    [[nodiscard]] bool twoToneMenuVisible() const { return m_twoToneMenu; }
    [[nodiscard]] bool fiveToneMenuVisible() const { return m_fiveToneMenu; }
    OptionSignalFrames& frames() { return m_frames; }
    [[nodiscard]] const OptionSignalFrames& frames() const { return m_frames; }
    [[nodiscard]] const std::string& fileName() const { return m_fileName; }
    void setFileName(std::string name);
    [[nodiscard]] const std::string& statusPanel1() const { return m_statusPanel1; }
    [[nodiscard]] const std::string& statusPanel2() const { return m_statusPanel2; }
    void setStatusPanel1(std::string text);
    void setStatusPanel2(std::string text);
    [[nodiscard]] const std::string& modelCodeLabel() const { return m_modelCodeLabel; }
    void setModelCodeLabel(std::string text);
    // MSG 9001..9009 as read when the window loaded.
    [[nodiscard]] const std::string& windowMessage(int key) const;

    void notify(unsigned changes);

    // --- undo history ---
    // Records what the last command changed as one step named `name` (nothing when it
    // changed nothing); bModify then follows the history. A command that may reset the
    // document (the model change) passes `mayReset`: when it left bModify clear, the
    // new state holds nothing worth saving and counts as clean.
    void recordStep(std::string name, bool mayReset = false);
    // The document shown now is the base of a fresh history (New, Open, a read).
    void restartHistory();
    // The document shown now is what the file holds.
    void markSaved();
    bool undo();
    bool redo();
    // Ends the edit of a grid cell: what it changed is one step named `name`. An edit
    // that changed nothing (left as it opened, or refused by a rule) leaves bModify as
    // the history has it, whatever the click that opened the editor set.
    void recordEdit(std::string name);
    // Gives up the edit of a grid cell (Escape): what it changed so far (the name typed,
    // the frequencies a step choice snapped) is put back as the last step left it.
    void cancelEdit();
    [[nodiscard]] const History& history() const { return m_history; }

    // --- a read from the radio ---
    // A read decodes into the document as the blocks arrive, and its first block resets
    // it. The editor keeps everything it shows from beginRead on: a read that completes
    // starts a fresh history; one that does not (a silent radio, Stop and Close, the
    // password cancelled, the port lost, the window closed without Start) puts the
    // document, grid, labels, bModify and history back as they were, and the status bar
    // says so.
    void beginRead();
    void endRead(bool completed);
    [[nodiscard]] EditorState currentState() const;
    // "Edit Rx Freq. of channel 12": the step name of an edit of grid cell (row, column).
    [[nodiscard]] std::string cellStepName(int row, int column) const;
    // A step name from the language file, with %1 replaced by `argument`.
    [[nodiscard]] std::string stepName(std::string_view key, std::string_view argument = {}) const;

private:
    // What a read may replace, kept until it ends.
    struct BeforeRead {
        EditorState state;
        std::string fileName;
        std::string statusPanel1;
        OptionSignalFrames frames;
    };

    void restoreState(const EditorState& state);

    void fillDefaultLine();
    void clearPriReferencesTo(int row);
    [[nodiscard]] std::string shownTableValue(int row, int column) const;

    app::ProcessSettings& m_settings;
    app::UserPrompts& m_prompts;
    EditorListener* m_listener = nullptr;
    std::function<bool()> m_save;

    Document m_doc;
    ChannelGrid m_grid;
    ChannelWords m_words;
    std::vector<std::string> m_optionSignals{std::string(optionSignalNoneText)};
    bool m_dtmfMenu = false;
    bool m_twoToneMenu = false;
    bool m_fiveToneMenu = false;
    OptionSignalFrames m_frames;
    std::string m_fileName{"noname.vd"};
    std::string m_statusPanel1;
    std::string m_statusPanel2;
    std::string m_modelCodeLabel;
    std::array<std::string, 9> m_messages{};
    std::string m_rxRange;
    std::string m_txRange;
    int m_currentRow = 1;
    int m_currentColumn = 1;
    History m_history;
    std::optional<BeforeRead> m_beforeRead;

    static constexpr std::string_view optionSignalNoneText = "None";
};

} // namespace vn574::document
