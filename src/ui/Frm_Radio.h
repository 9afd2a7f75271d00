#pragma once

#include "app/ProcessSettings.h"
#include "app/RecentFiles.h"
#include "app/UserPrompts.h"
#include "document/Editor.h"
#include "document/FieldEditors.h"
#include "document/RowOperations.h"
#include "document/GridCell.h"
#include "files/FileCommands.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace vn574::ui {

class ChannelGridModel;
class ChannelGridView;
class CheckStatusLabel;
class FindBar;
class CompareWindow;
class OptionSignalPanel;
namespace clone {
class RadioTransfers;
}

// The main window: the model selector, the channel grid with its in-place editors, the
// option-signal frames, menus, toolbar and status bar. Every decision is the editor's
// (document::Editor); the window shows its state and passes on what the user does.
class Frm_Radio : public QMainWindow, private document::EditorListener {
    Q_OBJECT
public:
    Frm_Radio(app::ProcessSettings& settings, app::UserPrompts& prompts, QWidget* parent = nullptr);
    ~Frm_Radio() override;

    document::Editor& editor() { return m_editor; }
    document::FieldEditors& fields() { return m_fields; }
    [[nodiscard]] ChannelGridView* grid() const { return m_grid; }
    [[nodiscard]] ChannelGridModel* gridModel() const { return m_model; }
    [[nodiscard]] OptionSignalPanel* optionSignalPanel() const { return m_frames; }
    // The window of the last "Compare with…", or nullptr.
    [[nodiscard]] CompareWindow* compareWindow() const { return m_compareWindow; }

    // Disables the grid while a file operation runs; Timer1 enables it again 200 ms
    // later, so clicks queued during the operation do not land in the new document.
    void lockGrid();

    // Opens a channel data file given by name (the command line's file) exactly as Open
    // does once its dialog has returned that name: the same messages, the signalling file
    // beside it, the grid locked for the duration.
    files::OpenResult openFile(const std::string& path);
    // Opens a file chosen from Open Recent or dropped on the window: Open's question
    // first when the document is modified, then the file as Open opens it. Nothing when
    // the question was cancelled.
    std::optional<files::OpenResult> openWithQuestion(const std::string& path);

    // Restores the window's size, position and column widths as the user left them, and
    // from now on keeps them and the recently used files in the settings. The desktop
    // program calls it before showing the window; a picture of the window does not, so
    // that it neither depends on nor changes the user's settings.
    void keepSession();
    [[nodiscard]] QMenu* recentMenu() const { return m_recentMenu; }

    // What prints the report; the print dialog and the system printer unless replaced.
    void setReportPrinter(files::ReportPrinter* printer) { m_printer = printer; }

    // The read and write transfers and the port dialog.
    clone::RadioTransfers& transfers() { return *m_transfers; }

    // Grid rows (1..104) of the grid's selection in order; the current row when nothing
    // is selected.
    [[nodiscard]] std::vector<int> selectedGridRows() const;
    // Selects the given grid rows whole, the first one current.
    void selectGridRows(const std::vector<int>& rows);

public slots:
    void Menu_New_Click();
    void Menu_Open_Click();
    void Menu_Save_Click();
    void Menu_Print_Click();
    void Menu_PrintFile_Click();
    void Menu_About_Click();
    void Menu_ImportCsv_Click();
    void Menu_ExportCsv_Click();
    void Menu_UserGuide_Click();
    void Menu_Compare_Click();
    // Makes grid cell (row 1..104, column 1..16) current and scrolls it into view.
    void showGridCell(int gridRow, int gridColumn);
    void Menu_RadioOption_Click();
    void Menu_AutoDiaer_Click();
    void mnuDTMF_Click();
    void mnu2Tone_Click();
    void mnu5Tone_Click();
    void switchLanguage(const QString& file);
    void Menu_ReadCHData_Click();
    void Menu_WriteCHData_Click();
    void Menu_COMPort_Click();
    void ReadBtn_Click();
    void Menu_Undo_Click();
    void Menu_Redo_Click();
    void Menu_InsertChannel_Click();
    void Menu_DeleteChannel_Click();
    void Menu_MoveUp_Click();
    void Menu_MoveDown_Click();
    void Menu_SortChannels_Click();
    void Menu_RepeaterOffset_Click();
    // The grid's clipboard commands (Frm_RadioClipboard.cpp).
    void Menu_Cut_Click();
    void Menu_Copy_Click();
    void Menu_Paste_Click();
    void Menu_SelectAll_Click();
    void Menu_Delete_Click();
    // Find: the Find bar, and the next or previous cell it names from the current cell.
    void Menu_Find_Click();
    void Menu_FindNext_Click();
    void Menu_FindPrevious_Click();
    // The next cell the live checks flag, after the current cell.
    void Menu_NextAttention_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void editorChanged(unsigned changes) override;

    void buildWidgets();
    void buildMenus();
    void applyTexts();
    void showLabels();
    void showModel();
    void showSignallingMenus();
    void onCellClicked(int gridRow, int gridColumn);
    void onModelActivated(int index);
    [[nodiscard]] QString lang(const char* section, const char* key) const;
    // Runs a file operation with the grid disabled, and enables it 200 ms after.
    template <typename Operation> auto withGridLocked(Operation operation);
    void buildTransferMenu();
    void applyTransferTexts();
    void buildEditMenu();
    void applyEditTexts();
    void showHistory();
    // Records what the command just run changed as one undo step.
    void recordStep(const char* key);
    void recordStepNamed(const QString& name);
    void buildRowsMenu();
    void applyRowsTexts();
    void updateRowActions();
    // A value picked or typed in `row` goes to the other rows of `rows` too.
    void bulkEdit(int row, const std::vector<int>& rows, const document::CellEntry& entry);
    void buildClipboardMenu();
    void applyClipboardTexts();
    void copySelection(bool cut);
    void buildFindMenu();
    void applyFindTexts();
    // The live checks follow every change; the count is shown once the change is done.
    void showChecksLater(unsigned changes);
    void showChecks();
    void findCell(bool forward);
    [[nodiscard]] document::GridCell currentGridCell() const;
    // Open Recent, the dropped files, the title and the kept window (Frm_RadioDesktop.cpp).
    void buildRecentMenu();
    void showRecentFiles();
    void showRecentMenuState();
    // After a whole open or a save: the document's file heads the recent files.
    void rememberCurrentFile();
    void showTitle();
    void savePlacement();

    app::ProcessSettings& m_settings;
    document::Editor m_editor;
    document::FieldEditors m_fields;
    document::RowOperations m_rowOps;
    bool m_closeConfirmed = false;
    app::RecentFiles m_recent;
    bool m_keepSession = false;
    std::unique_ptr<files::ReportPrinter> m_systemPrinter;
    files::ReportPrinter* m_printer = nullptr;

    ChannelGridModel* m_model = nullptr;
    ChannelGridView* m_grid = nullptr;
    OptionSignalPanel* m_frames = nullptr;
    QGroupBox* m_infoFrame = nullptr;     // Frame2
    QLabel* m_modelLabel = nullptr;       // Label1
    QComboBox* m_modelSelector = nullptr; // Combo1
    QLabel* m_modelCode = nullptr;        // Label2
    QLabel* m_rangeLabel = nullptr;
    QLabel* m_fileName = nullptr; // filename
    QLabel* m_statusPanel1 = nullptr;
    QLabel* m_statusPanel2 = nullptr;
    QTimer* m_gridTimer = nullptr; // Timer1

    QMenu* m_fileMenu = nullptr;
    QMenu* m_optionMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_new = nullptr;
    QAction* m_open = nullptr;
    QAction* m_save = nullptr;
    QAction* m_print = nullptr;
    QAction* m_printFile = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_radioOption = nullptr;
    QAction* m_autoDialer = nullptr;
    QAction* m_dtmf = nullptr;
    QAction* m_twoTone = nullptr;  // mnu2Tone
    QAction* m_fiveTone = nullptr; // mnu5Tone
    QAction* m_english = nullptr;
    QAction* m_chinese = nullptr;
    QAction* m_about = nullptr;
    QAction* m_importCsv = nullptr;
    QAction* m_exportCsv = nullptr;
    QAction* m_compare = nullptr; // Menu_Compare
    CompareWindow* m_compareWindow = nullptr;
    QAction* m_userGuide = nullptr;
    QMenu* m_recentMenu = nullptr; // Menu_OpenRecent
    QAction* m_newButton = nullptr;
    QAction* m_openButton = nullptr;
    QAction* m_saveButton = nullptr;
    QAction* m_optionButton = nullptr;
    QAction* m_autoDialerButton = nullptr;
    QActionGroup* m_languages = nullptr;

    std::unique_ptr<clone::RadioTransfers> m_transfers;
    QMenu* m_transferMenu = nullptr; // Menu_Transfer
    QAction* m_writeData = nullptr;  // Menu_WriteCHData
    QAction* m_readData = nullptr;   // Menu_ReadCHData
    QAction* m_comPort = nullptr;    // Menu_COMPort
    QAction* m_verifyRadio = nullptr;
    QAction* m_restoreBackup = nullptr;
    QAction* m_transferHistory = nullptr;
    QAction* m_fleet = nullptr;       // Menu_Fleet
    QAction* m_readButton = nullptr;  // ReadBtn
    QAction* m_writeButton = nullptr; // Write

    QMenu* m_editMenu = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_undoButton = nullptr;
    QAction* m_redoButton = nullptr;

    QMenu* m_rowsMenu = nullptr; // Menu_Channels
    QAction* m_insertChannel = nullptr;
    QAction* m_deleteChannel = nullptr;
    QAction* m_moveUp = nullptr;
    QAction* m_moveDown = nullptr;
    QAction* m_sortChannels = nullptr;
    QAction* m_repeaterOffset = nullptr;
    QAction* m_insertButton = nullptr;
    QAction* m_deleteButton = nullptr;
    QAction* m_moveUpButton = nullptr;
    QAction* m_moveDownButton = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_selectAll = nullptr;
    QAction* m_delete = nullptr;

    FindBar* m_findBar = nullptr;
    CheckStatusLabel* m_checkStatus = nullptr;
    QTimer* m_checkTimer = nullptr;
    QAction* m_find = nullptr;          // Menu_Find
    QAction* m_findNext = nullptr;      // Menu_FindNext
    QAction* m_findPrevious = nullptr;  // Menu_FindPrevious
    QAction* m_nextAttention = nullptr; // Menu_NextAttention
    QAction* m_findButton = nullptr;    // FindBtn
};

} // namespace vn574::ui
