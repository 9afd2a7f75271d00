#pragma once

#include "link/CloneEngine.h"
#include "link/TransferState.h"
#include "link/TransferTrace.h"
#include "ui/clone/CloneEnvironment.h"
#include "ui/clone/DlgSetting.h"
#include "ui/clone/FrmMain.h"

#include <QPointer>

#include <functional>
#include <string>

class QWidget;

namespace vn574::document {
class Editor;
}

namespace vn574::ui::clone {

class FleetDialog;

// The main window's "Transfer" menu and its read and write buttons: the checks and
// notices before a transfer, and the clone window or port dialog they open. The
// transfer state lives here as long as the main window, so a radio password typed once
// is not asked for again.
class RadioTransfers {
public:
    RadioTransfers(document::Editor& editor, QWidget* window);

    void setEnvironment(CloneEnvironment environment) { m_environment = std::move(environment); }
    [[nodiscard]] const CloneEnvironment& environment() const { return m_environment; }
    [[nodiscard]] const link::TransferState& state() const { return m_state; }
    // The record of the last transfer a clone window started.
    [[nodiscard]] const link::TransferTrace& lastTrace() const { return m_lastTrace; }

    // Menu_ReadCHData: reads the radio into the document, after asking to keep unsaved
    // changes. Returns whether the clone window was shown. A read that does not complete
    // leaves the editor as it was before.
    bool readChannelData();
    // ReadBtn: the save prompt, a fresh document, then the read; a read that does not
    // complete takes the fresh document back too.
    bool readButton();
    // Menu_WriteCHData and Write: writes the document into the radio.
    bool writeChannelData();
    // Menu_COMPort: the port dialog, not modal.
    void comPortMenu();

    // Verify Radio: reads back the blocks a write of the document would send and
    // compares them, the document untouched.
    bool verifyRadio();
    // Restore Radio from Backup: the backups, newest first, and the restore of one.
    void restoreFromBackupMenu();
    // Transfer History: every transfer recorded, newest first, with the restore of a
    // row's backup.
    void transferHistoryMenu();
    // Program Several Radios: the open document, checked and saved, is the plan of the
    // fleet window. Returns whether the window was shown.
    bool programSeveralRadios();
    // Writes the backup at `path` into the radio and verifies it, after asking.
    bool restoreBackup(const std::string& path);

    // The backup an earlier write left as the radio's restore point while the radio may
    // be half written; the next write keeps it instead of backing up again.
    [[nodiscard]] const std::string& keptBackup() const { return m_keptBackup; }

    // Runs with every clone window just before it is shown (tests watch it).
    void setCloneWindowHook(std::function<void(frmMain&)> hook) { m_hook = std::move(hook); }
    // Runs with every fleet window just before it is shown (tests drive it).
    void setFleetWindowHook(std::function<void(FleetDialog&)> hook) {
        m_fleetHook = std::move(hook);
    }
    [[nodiscard]] dlgSetting* portDialog() const { return m_portDialog; }

private:
    bool portKnown();
    // The transfer notice and the clone window, inside the editor's beginRead.
    bool read();
    link::CloneOutcome runCloneWindow(link::TransferMode mode, CloneTask task = {});
    // The checks a write and a verify of the document share: the notice, a port, a
    // channel in use.
    bool documentReadyForRadio();
    // The history row of a plain read or write that the window ran.
    void recordPlainTransfer(const frmMain& window, link::TransferMode mode);
    // The restore window for the backup at `path`, without asking.
    bool runRestore(const std::string& path);
    // After a write that changed the radio and did not end well: offers its backup.
    void offerRestore(const link::ChainResult& result);

    document::Editor& m_editor;
    QWidget* m_window;
    CloneEnvironment m_environment;
    link::TransferState m_state;
    link::TransferTrace m_lastTrace;
    std::string m_keptBackup;
    std::function<void(frmMain&)> m_hook;
    std::function<void(FleetDialog&)> m_fleetHook;
    QPointer<dlgSetting> m_portDialog;
};

} // namespace vn574::ui::clone
