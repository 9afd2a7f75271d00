#include "link/qt/QtCloneRunner.h"

#include "link/qt/QtCloneHost.h"
#include "link/qt/QtSerialPort.h"

#include "document/Editor.h"

#include <QEventLoop>

#include <optional>

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
    QtFrameTimer frameTimer;
    LoopView view(loop, options);
    std::optional<TracingSerialPort> tracing;
    if (options.trace != nullptr) {
        tracing.emplace(port, *options.trace);
    }
    SerialPort& enginePort = tracing ? static_cast<SerialPort&>(*tracing) : port;
    CloneEngine engine(editor, state, enginePort, timer, frameTimer, view, codec,
                       options.intervals);
    port.setReceiveHandler([&engine] { engine.receiveEvent(); });
    std::string vanished;
    port.setVanishedHandler([&](const std::string& message) {
        if (engine.outcome() != CloneOutcome::Open) {
            return;
        }
        vanished = message;
        if (options.trace != nullptr) {
            options.trace->add(TransferTrace::Kind::Note, "the port went away");
        }
        engine.closeButton();
    });
    // Bytes the system already holds are taken before the frame's next part, as before
    // a tick: the reply to a frame just sent must not be missed by the step behind it.
    frameTimer.setHandler([&] {
        port.deliverWaitingBytes();
        engine.frameTimerStep();
    });
    timer.setHandler([&] {
        port.deliverWaitingBytes();
        engine.tick();
    });

    // The outcome, with the failure's key, closes the trace so that a saved trace says
    // how the transfer ended.
    const auto finish = [&](CloneOutcome outcome, const std::string& key) {
        if (failureKey != nullptr) {
            *failureKey = key;
        }
        if (options.trace != nullptr) {
            static constexpr const char* names[] = {"still open", "completed", "failed", "closed"};
            options.trace->add(TransferTrace::Kind::Note,
                               std::string("transfer ") + names[static_cast<int>(outcome)] +
                                   (key.empty() ? std::string() : " (" + key + ")"));
        }
        return outcome;
    };

    engine.load();
    engine.setPasswordControls(options.passwordModify, options.newPassword);
    engine.setFastPacing(options.fast);
    if (engine.loadError().empty()) {
        engine.startButton();
    }
    if (!state.bRunning) {
        // The port could not be opened, or the document not encoded; the window has
        // said why.
        const bool refused = engine.writeRefused();
        engine.closeButton();
        return finish(CloneOutcome::Failed, refused ? "encode" : "port");
    }
    if (!view.closed()) {
        loop.exec();
    }
    if (options.onFinished) {
        options.onFinished(engine);
    }
    if (!vanished.empty()) {
        editor.prompts().message(vanished, app::Icon::Error);
        return finish(CloneOutcome::Failed, "port-vanished");
    }
    return finish(engine.outcome(), engine.failureKey());
}

namespace {

class LoopChainView final : public ChainView {
public:
    LoopChainView(QEventLoop& loop, const ChainRunOptions& options)
        : m_loop(loop), m_options(options) {}
    void stepStarted(ChainStep step) override {
        if (m_options.onStepStarted) {
            m_options.onStepStarted(step);
        }
    }
    void showProgress(ChainStep step, const std::string& text, int value) override {
        if (m_options.onProgress) {
            m_options.onProgress(step, text, value);
        }
    }
    void setStartCaption(const std::string& /*caption*/) override {}
    void backupSaved(const std::string& path) override {
        if (m_options.onBackupSaved) {
            m_options.onBackupSaved(path);
        }
    }
    void chainEnded() override {
        m_ended = true;
        m_loop.quit();
    }
    [[nodiscard]] bool ended() const { return m_ended; }

private:
    QEventLoop& m_loop;
    const ChainRunOptions& m_options;
    bool m_ended = false;
};

} // namespace

ChainResult runTransferChain(document::Editor& editor, TransferState& state, ChainPlan plan,
                             const ChainRunOptions& options) {
    QEventLoop loop;
    QtSerialPort port;
    QtTickTimer timer;
    QtFrameTimer frameTimer;
    LoopChainView view(loop, options);
    std::optional<TracingSerialPort> tracing;
    if (options.trace != nullptr) {
        tracing.emplace(port, *options.trace);
    }
    SerialPort& chainPort = tracing ? static_cast<SerialPort&>(*tracing) : port;
    TransferChain chain(editor, state, chainPort, timer, frameTimer, view, std::move(plan));
    port.setReceiveHandler([&chain] { chain.receiveEvent(); });
    std::string vanished;
    port.setVanishedHandler([&](const std::string& message) {
        if (chain.result().ended) {
            return;
        }
        vanished = message;
        if (options.trace != nullptr) {
            options.trace->add(TransferTrace::Kind::Note, "the port went away");
        }
        chain.stop();
    });
    frameTimer.setHandler([&] {
        port.deliverWaitingBytes();
        chain.frameTimerStep();
    });
    timer.setHandler([&] {
        port.deliverWaitingBytes();
        chain.tick();
    });
    chain.start();
    if (!view.ended()) {
        loop.exec();
    }
    if (!vanished.empty()) {
        editor.prompts().message(vanished, app::Icon::Error);
    }
    if (options.trace != nullptr) {
        const auto& result = chain.result();
        options.trace->add(TransferTrace::Kind::Note, result.ok ? std::string("chain completed")
                                                                : std::string("chain failed"));
    }
    return chain.result();
}

} // namespace vn574::link
