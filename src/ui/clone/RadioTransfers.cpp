#include "ui/clone/RadioTransfers.h"

#include "app/PortNames.h"
#include "codec/MemoryMap.h"
#include "document/CellChecks.h"
#include "document/Editor.h"
#include "files/BackupStore.h"
#include "files/ImageFile.h"
#include "files/TransferHistory.h"
#include "link/TransferRecords.h"
#include "ui/clone/DlgSetting.h"
#include "ui/clone/FleetDialog.h"
#include "ui/clone/RestoreListDialog.h"

#include <filesystem>

#include <QDialog>

namespace vn574::ui::clone {
namespace {

constexpr int firstChannelRow = 1;
constexpr int lastChannelRow = 100;
constexpr unsigned everythingShown = document::GridChanged | document::ModelChanged |
                                     document::LabelsChanged | document::OptionSignalsChanged |
                                     document::FramesChanged;

std::string withArgument(std::string text, const std::string& argument) {
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

std::string withArguments(const std::string& text, const std::string& first,
                          const std::string& second) {
    std::string result = withArgument(text, first);
    if (const auto at = result.find("%2"); at != std::string::npos) {
        result.replace(at, 2, second);
    }
    return result;
}

bool fileOnDisk(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace

RadioTransfers::RadioTransfers(document::Editor& editor, QWidget* window)
    : m_editor(editor), m_window(window), m_environment(CloneEnvironment::system()) {}

bool RadioTransfers::portKnown() {
    const auto& settings = m_editor.settings();
    if (!settings.nt6 && settings.commPort.empty()) {
        m_editor.prompts().message("Please Set Com Port!", app::Icon::Warning);
        return false;
    }
    return true;
}

bool RadioTransfers::readChannelData() {
    if (!portKnown()) {
        return false;
    }
    // A read replaces the document, so unsaved changes are offered for saving first,
    // as the toolbar's read button always did.
    if (!m_editor.confirmDiscard()) {
        return false;
    }
    m_editor.beginRead();
    return read();
}

bool RadioTransfers::readButton() {
    if (!m_editor.confirmDiscard()) {
        return false;
    }
    // The reset belongs to the read: without a read that completes, it is taken back.
    m_editor.beginRead();
    m_editor.ClearAll();
    if (!portKnown()) {
        m_editor.endRead(false);
        return false;
    }
    return read();
}

bool RadioTransfers::read() {
    m_editor.prompts().message(m_editor.windowMessage(9007), app::Icon::Information);
    m_editor.setFileName("noname.vd");
    const link::CloneOutcome outcome = runCloneWindow(link::TransferMode::Read);
    m_editor.endRead(outcome == link::CloneOutcome::Completed);
    return true;
}

bool RadioTransfers::documentReadyForRadio() {
    if (!portKnown()) {
        return false;
    }
    m_editor.prompts().message(m_editor.windowMessage(9007), app::Icon::Information);
    m_editor.UpdateAllArray();
    const std::string inUse = m_editor.langText("Channel", "50015");
    bool anyInUse = false;
    for (int row = firstChannelRow; row <= lastChannelRow && !anyInUse; ++row) {
        anyInUse = m_editor.cell(row, document::colStatus) == inUse;
    }
    if (!anyInUse) {
        m_editor.prompts().message("please active one channel in 0 to 99.", app::Icon::Warning);
        return false;
    }
    return true;
}

bool RadioTransfers::writeChannelData() {
    if (!documentReadyForRadio()) {
        return false;
    }
    runCloneWindow(link::TransferMode::Write);
    return true;
}

bool RadioTransfers::verifyRadio() {
    if (!documentReadyForRadio()) {
        return false;
    }
    CloneTask task;
    task.kind = CloneTask::Kind::Verify;
    runCloneWindow(link::TransferMode::Read, std::move(task));
    return true;
}

bool RadioTransfers::restoreBackup(const std::string& path) {
    if (!portKnown()) {
        return false;
    }
    const std::string question = withArgument(m_editor.langText("RW", "rw050"), path);
    if (m_editor.prompts().ask(question, app::Buttons::YesNo) != app::Answer::Yes) {
        return false;
    }
    m_editor.prompts().message(m_editor.windowMessage(9007), app::Icon::Information);
    return runRestore(path);
}

bool RadioTransfers::runRestore(const std::string& path) {
    codec::MemoryImage image{};
    if (const std::string error = files::readImageFile(path, image); !error.empty()) {
        m_editor.prompts().message(withArguments(m_editor.langText("RW", "rw072"), path, error),
                                   app::Icon::Error);
        return false;
    }
    CloneTask task;
    task.kind = CloneTask::Kind::Restore;
    task.image = image;
    task.file = path;
    runCloneWindow(link::TransferMode::Write, std::move(task));
    return true;
}

void RadioTransfers::offerRestore(const link::ChainResult& result) {
    if (result.ok || !result.radioChanged || result.backupPath.empty()) {
        return;
    }
    // Asked after the chain's own messages, which said what went wrong.
    const std::string question = withArgument(m_editor.langText("RW", "rw049"), result.backupPath);
    if (m_editor.prompts().askAction(question, m_editor.langText("RW", "rw046")) ==
        app::Answer::Yes) {
        runRestore(result.backupPath);
    }
}

void RadioTransfers::restoreFromBackupMenu() {
    const files::BackupStore store = files::BackupStore::standard();
    const files::BackupList backups = store.list();
    if (!backups.error.empty()) {
        m_editor.prompts().message(withArgument(m_editor.langText("RW", "rw073"), backups.error),
                                   app::Icon::Error);
        return;
    }
    if (backups.entries.empty()) {
        m_editor.prompts().message(withArgument(m_editor.langText("RW", "rw051"), store.folder()));
        return;
    }
    const auto dialog = backupListDialog(m_editor, backups.entries, store.folder(), m_window);
    if (dialog->exec() == QDialog::Accepted) {
        restoreBackup(dialog->chosenBackup());
    }
}

bool RadioTransfers::programSeveralRadios() {
    // Every radio gets what a write of the document would send, so the document must be
    // one the radio holds as the grid shows it.
    m_editor.UpdateAllArray();
    document::CellChecks checks;
    checks.run(m_editor);
    const std::size_t count =
        checks.issues().size() + document::CellChecks::recordIssues(m_editor).size();
    if (count > 0) {
        m_editor.prompts().message(withArgument(m_editor.langText("FLEET", "16050"),
                                                document::CellChecks::summary(m_editor, count)),
                                   app::Icon::Warning);
        return false;
    }
    // The radios get the file, and its log rows name it: what the grid shows must be it.
    if (m_editor.document().bModify || !fileOnDisk(m_editor.fileName())) {
        if (m_editor.prompts().ask(m_editor.langText("FLEET", "16051"), app::Buttons::YesNo) !=
                app::Answer::Yes ||
            !m_editor.saveDocument()) {
            return false;
        }
    }
    FleetDialog dialog(m_editor, m_editor.fileName(), m_environment, m_window);
    if (m_fleetHook) {
        m_fleetHook(dialog);
    }
    dialog.exec();
    return true;
}

void RadioTransfers::transferHistoryMenu() {
    const files::TransferHistory history = files::TransferHistory::standard();
    const auto dialog = transferHistoryDialog(m_editor, history.read(), history.path(), m_window);
    if (dialog->exec() == QDialog::Accepted) {
        restoreBackup(dialog->chosenBackup());
    }
}

link::CloneOutcome RadioTransfers::runCloneWindow(link::TransferMode mode, CloneTask task) {
    m_state.mode = mode;
    // Every window carries the restore point on and says whether the radio still needs it.
    task.keptBackup = m_keptBackup;
    link::CloneOutcome outcome = link::CloneOutcome::Open;
    std::optional<link::ChainResult> chain;
    // The main window's status bar tells what the radio is doing while the clone window
    // covers it; a read that did not complete says so afterwards instead of "Ready".
    m_editor.setStatusPanel2(
        m_editor.langText("OTHERS", mode == link::TransferMode::Read ? "70021" : "70022"));
    {
        frmMain window(m_editor, m_state, m_environment, &m_lastTrace, m_window);
        window.setTask(std::move(task));
        if (m_hook) {
            m_hook(window);
        }
        window.exec();
        if (window.transferStarted()) {
            m_lastTrace = window.trace();
        }
        outcome = window.engine().outcome();
        chain = window.lastChain();
        m_keptBackup = window.keptBackup();
        if (window.plainTransferStarted()) {
            recordPlainTransfer(window, mode);
            // A plain write that went through leaves the radio whole.
            if (mode == link::TransferMode::Write && outcome == link::CloneOutcome::Completed) {
                m_keptBackup.clear();
            }
        }
    }
    // The decoder has replaced model, grid, option flags and labels piece by piece;
    // show the whole result once more.
    m_editor.setStatusPanel2(m_editor.langText("OTHERS", "70008"));
    m_editor.notify(everythingShown);
    if (chain) {
        offerRestore(*chain);
    }
    return outcome;
}

void RadioTransfers::recordPlainTransfer(const frmMain& window, link::TransferMode mode) {
    const link::CloneEngine& engine = window.engine();
    link::RecordedTransfer row;
    row.ok = engine.outcome() == link::CloneOutcome::Completed;
    if (!engine.failureKey().empty()) {
        row.message = engine.text(engine.failureKey());
    } else if (!row.ok) {
        row.message = m_editor.langText("RW", "rw010");
    }
    row.seconds = window.secondsSinceStart();
    codec::MemoryImage written{};
    if (mode == link::TransferMode::Read) {
        row.operation = files::TransferOperation::Read;
        row.radio = &window.codec().receivedImage();
    } else {
        row.operation = files::TransferOperation::Write;
        written = link::imageAfterWrite({}, engine.writeBlocks());
        row.radio = &written;
        // Block 0 is never written: the model is the document's.
        row.model = codec::modelCodeOf(m_editor.selectedModel());
        row.blocksSent = engine.blocksAcknowledged();
        if (fileOnDisk(m_editor.fileName())) {
            row.file = m_editor.fileName();
        }
    }
    link::recordTransfer(m_editor, row);
}

void RadioTransfers::comPortMenu() {
    auto& settings = m_editor.settings();
    const std::vector<std::string> ports = m_environment.discoverPorts();
    if (!settings.nt6 && settings.commPort.empty()) {
        settings.commPort = app::machineDefaultPort(ports);
    }
    if (settings.commPort.empty()) {
        m_editor.prompts().message("No Com Port!", app::Icon::Warning);
        return;
    }
    if (m_portDialog != nullptr) {
        m_portDialog->raise();
        m_portDialog->activateWindow();
        return;
    }
    auto* dialog = new dlgSetting(settings, m_editor.prompts(), ports, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_portDialog = dialog;
    dialog->show();
}

} // namespace vn574::ui::clone
