#pragma once

#include "codec/ImageCodec.h"
#include "link/CloneEngine.h"
#include "link/CodecTransfer.h"
#include "link/TransferTrace.h"
#include "link/qt/QtCloneHost.h"
#include "ui/clone/CloneEnvironment.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vn574::document {
class Editor;
}

namespace vn574::ui::clone {

// The clone window: reads or writes the radio (the direction is state.mode) while it is
// shown modally. It only hosts the clone engine: the start and close buttons, its tick
// on a QTimer and the port's receive events go to the engine, which answers through the
// window's progress, caption and closing. Every way of closing it ends the transfer.
class frmMain : public QDialog, private link::CloneView {
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

    // Ends the transfer through the engine (port closed, option flags stored) before
    // the window goes.
    void done(int result) override;

private:
    void showProgress(const std::string& text, int value) override;
    void setStartCaption(const std::string& caption) override;
    void closeWindow() override;

    void onStart();
    void onSaveTrace();
    void passwordControlsChanged();

    document::Editor& m_editor;
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

    QLabel* m_progressText = nullptr;
    QLabel* m_progressLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_saveTrace = nullptr;
    QCheckBox* m_fast = nullptr;
    QCheckBox* m_passwordModify = nullptr;
    QLineEdit* m_newPassword = nullptr;
};

} // namespace vn574::ui::clone
