// Reads the radio on a COM port with the clone engine and saves its channel data file:
// the transfer as a Windows build of the program makes it, without Qt. A loop stands
// in for the window's event loop: it hands the engine its ticks, its frame pauses and
// the port's arrivals by the wall clock.
//   vn574_com_port_read COMn OUT.vd
// Exit status 0 when the read completed and the file was saved.

#include "app/ProcessSettings.h"
#include "codec/ImageCodec.h"
#include "document/Editor.h"
#include "files/ChannelFile.h"
#include "link/CloneEngine.h"
#include "link/CodecTransfer.h"
#include "link/TransferState.h"
#include "link/Win32SerialPort.h"
#include "support/FakePrompts.h"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>

namespace {

using namespace vn574;
using Clock = std::chrono::steady_clock;

class LoopTimer final : public link::TickTimer {
public:
    void start() override { m_next = Clock::now() + std::chrono::milliseconds(m_interval); }
    void stop() override { m_next.reset(); }
    [[nodiscard]] bool isActive() const override { return m_next.has_value(); }
    void setInterval(int milliseconds) override { m_interval = milliseconds; }
    [[nodiscard]] int interval() const override { return m_interval; }

    // Whether a tick is due; the next one is then an interval later.
    bool due() {
        if (!m_next || Clock::now() < *m_next) {
            return false;
        }
        *m_next += std::chrono::milliseconds(m_interval);
        return true;
    }

private:
    int m_interval = 150;
    std::optional<Clock::time_point> m_next;
};

class LoopFrameTimer final : public link::FrameTimer {
public:
    void start(int milliseconds) override {
        m_due = Clock::now() + std::chrono::milliseconds(milliseconds);
    }
    void stop() override { m_due.reset(); }
    bool due() {
        if (!m_due || Clock::now() < *m_due) {
            return false;
        }
        m_due.reset();
        return true;
    }

private:
    std::optional<Clock::time_point> m_due;
};

class ConsoleView final : public link::CloneView {
public:
    void showProgress(const std::string& /*text*/, int /*value*/) override {}
    void setStartCaption(const std::string& /*caption*/) override {}
    void closeWindow() override { closed = true; }
    bool closed = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vn574_com_port_read COMn OUT.vd\n";
        return 2;
    }
    app::ProcessSettings settings;
    settings.paths.languageFolder = VN574_LANGUAGE_DIR;
    settings.paths.settingsFolder = std::filesystem::temp_directory_path().string();
    settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
    settings.commPort = argv[1];
    settings.commSettings = "9600,n,8,1";
    test::FakePrompts prompts;
    document::Editor editor(settings, prompts);
    editor.load();
    editor.setFileName("noname.vd");

    codec::ImageCodec imageCodec(editor);
    link::CodecTransfer transferCodec(imageCodec);
    link::TransferState state;
    state.mode = link::TransferMode::Read;
    link::Win32SerialPort port;
    LoopTimer timer;
    LoopFrameTimer frameTimer;
    ConsoleView view;
    link::CloneEngine engine(editor, state, port, timer, frameTimer, view, transferCodec);
    engine.setFastPacing(true);
    engine.load();
    engine.startButton();

    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (!view.closed && engine.outcome() == link::CloneOutcome::Open) {
        if (Clock::now() > deadline) {
            std::cerr << "the read did not end within two minutes\n";
            return 1;
        }
        if (port.bytesWaiting() > 0) {
            engine.receiveEvent();
        }
        if (frameTimer.due()) {
            engine.frameTimerStep();
        }
        if (timer.due()) {
            engine.tick();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (engine.outcome() != link::CloneOutcome::Completed) {
        std::cerr << "the read failed: " << engine.failureKey() << " "
                  << (engine.failureKey().empty() ? "" : engine.text(engine.failureKey())) << "\n";
        for (const auto& message : prompts.messages) {
            std::cerr << message << "\n";
        }
        return 1;
    }
    if (!files::saveChannelFile(editor, argv[2]).saved) {
        std::cerr << "cannot save " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
