#include "link/qt/QtCloneRunner.h"

#include "link/qt/QtCloneHost.h"
#include "link/qt/QtSerialPort.h"

#include <QEventLoop>

namespace vn574::link {

namespace {

class LoopView final : public CloneView {
public:
    LoopView(QEventLoop& loop, const CloneRunOptions& options) : m_loop(loop), m_options(options) {}
    void showProgress(const std::string& text, int value) override {
        if (m_options.onProgress) {
            m_options.onProgress(text, value);
        }
    }
    void setStartCaption(const std::string& /*caption*/) override {}
    void closeWindow() override {
        m_closed = true;
        m_loop.quit();
    }
    [[nodiscard]] bool closed() const { return m_closed; }

private:
    QEventLoop& m_loop;
    const CloneRunOptions& m_options;
    bool m_closed = false;
};

} // namespace

CloneOutcome runCloneTransfer(document::Editor& editor, TransferState& state, TransferCodec& codec,
                              const CloneRunOptions& options, std::string* failureKey) {
    QEventLoop loop;
    QtSerialPort port;
    QtTickTimer timer;
    QtPause pause;
    LoopView view(loop, options);
    CloneEngine engine(editor, state, port, timer, pause, view, codec, options.intervals);
    port.setReceiveHandler([&engine] { engine.receiveEvent(); });
    bool gaveUp = false;
    timer.setHandler([&] {
        port.deliverWaitingBytes();
        engine.tick();
        if (options.closeOnRefusedFrame && engine.refusedFrames() > 0 &&
            engine.outcome() == CloneOutcome::Open) {
            gaveUp = true;
            engine.closeButton();
        }
    });

    engine.load();
    engine.setPasswordControls(options.passwordModify, options.newPassword);
    if (engine.loadError().empty()) {
        engine.startButton();
    }
    if (!state.bRunning) {
        // The port could not be opened; the window has said why.
        engine.closeButton();
        if (failureKey != nullptr) {
            *failureKey = "port";
        }
        return CloneOutcome::Failed;
    }
    if (!view.closed()) {
        loop.exec();
    }
    if (gaveUp) {
        if (failureKey != nullptr) {
            *failureKey = "msg4";
        }
        return CloneOutcome::Failed;
    }
    if (failureKey != nullptr) {
        *failureKey = engine.failureKey();
    }
    return engine.outcome();
}

} // namespace vn574::link
