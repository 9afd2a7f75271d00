#pragma once

#include "codec/ImageCodec.h"
#include "link/CloneEngine.h"
#include "link/CodecTransfer.h"
#include "link/TransferChain.h"
#include "link/TransferTrace.h"
#include "link/qt/QtCloneHost.h"
#include "ui/clone/CloneEnvironment.h"

#include <QDialog>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vn574::document {
class Editor;
}

namespace vn574::ui::clone {

// What a clone window runs besides the read or write of state.mode: the radio checked
// against the document, or a backup written back into it.
struct CloneTask {
    enum class Kind { Transfer, Verify, Restore };
    Kind kind = Kind::Transfer;
    std::optional<codec::MemoryImage> image; // the backup a restore writes
    std::string file;                        // the backup's file, for the history
    // The restore point of an earlier write that changed the radio and did not end well:
    // a new try of the write keeps it rather than backing up the half-written radio.
    std::string keptBackup;
};

// The clone window: reads or writes the radio (the direction is state.mode) while it is
// shown modally. It only hosts the clone engine: the start and close buttons, its tick
// on a QTimer and the port's receive events go to the engine, which answers through the
// window's progress, caption and closing. Every way of closing it ends the transfer.
//
// A write with "Back up the radio first" or "Verify after writing" on, a verify and a
// restore run as a chain of transfers instead; the window then shows the phase beside
// the progress and stays open after a stop, so the write can be started again.
class frmMain : public QDialog, private link::CloneView, private link::ChainView {
    Q_OBJECT
public:
    // `lastTrace` is the record of the transfer before this window's, which the window
    // offers for saving until it starts a transfer of its own.
    frmMain(document::Editor& editor, link::TransferState& state,
            const CloneEnvironment& environment, const link::TransferTrace* lastTrace = nullptr,
            QWidget* parent = nullptr);
    ~frmMain() override;

    [[nodiscard]] const link::CloneEngine& engine() const { return *m_engine; }
    [[nodiscard]] bool tickActive() const { return m_timer.isActive(); }
    [[nodiscard]] int tickInterval() const { return m_timer.interval(); }
    // Every byte this window's port sent and received, from the port's opening on.
    [[nodiscard]] const link::TransferTrace& trace() const { return m_trace; }
    [[nodiscard]] bool transferStarted() const { return m_transferStarted; }

    // Makes the window a verify or a restore window, or gives a write its kept backup.
    // Before the window is shown.
    void setTask(CloneTask task);
    // Whether Start ran the engine's own read or write rather than a chain.
    [[nodiscard]] bool plainTransferStarted() const { return m_plainStarted; }
    // How the last chain this window ran ended; nothing when it ran none.
    [[nodiscard]] const std::optional<link::ChainResult>& lastChain() const { return m_lastChain; }
    // The restore point the next write should keep ("" when the radio is known whole).
    [[nodiscard]] const std::string& keptBackup() const { return m_task.keptBackup; }
    // The read's blocks as received, for the history.
    [[nodiscard]] const link::CodecTransfer& codec() const { return m_codec; }
    // Seconds from the first start to now.
    [[nodiscard]] double secondsSinceStart() const;

    // Ends the transfer through the engine (port closed, option flags stored) before
    // the window goes.
    void done(int result) override;

private:
    void showProgress(const std::string& text, int value) override;
    void setStartCaption(const std::string& caption) override;
    void closeWindow() override;

    void stepStarted(link::ChainStep step) override;
    void showProgress(link::ChainStep step, const std::string& text, int value) override;
    void chainEnded() override;

    [[nodiscard]] bool chainRunning() const;
    [[nodiscard]] bool runsChain() const;
    void startChain();
    void closeRequested();
    void safetyChanged();
    void setChoicesEnabled(bool enabled);

    void onStart();
    void onSaveTrace();
    void passwordControlsChanged();

    document::Editor& m_editor;
    link::TransferState& m_state;
    link::TickIntervals m_intervals;
    CloneTask m_task;
    // Declared before the engine, which uses them until it is destroyed.
    std::unique_ptr<TransferPort> m_port;
    link::TransferTrace m_trace;
    link::TracingSerialPort m_tracingPort;
    const link::TransferTrace* m_lastTrace;
    bool m_transferStarted = false;
    link::QtFrameTimer m_frameTimer;
    link::QtTickTimer m_timer;
    codec::ImageCodec m_imageCodec;
    link::CodecTransfer m_codec;
    std::unique_ptr<link::CloneEngine> m_engine;
    std::unique_ptr<link::TransferChain> m_chain;
    std::optional<link::ChainResult> m_lastChain;
    bool m_plainStarted = false;
    bool m_chainStepStarted = false;
    bool m_stopRequested = false;
    bool m_closeAfterChain = false;
    std::optional<std::chrono::steady_clock::time_point> m_started;

    QLabel* m_progressText = nullptr;
    QLabel* m_progressLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_saveTrace = nullptr;
    QCheckBox* m_fast = nullptr;
    QCheckBox* m_passwordModify = nullptr;
    QLineEdit* m_newPassword = nullptr;
    QCheckBox* m_backup = nullptr;
    QCheckBox* m_verify = nullptr;
    QCheckBox* m_onlyChanged = nullptr;
};

} // namespace vn574::ui::clone
