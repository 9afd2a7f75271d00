// Responsiveness of the clone window during a read: the real window on the program's own
// serial port, against vn574-radio-sim on a pseudo-terminal at the real 9600 bit/s, at the
// default ticks and then with the fast pacing, reading a radio with all 100 channels in use. While
// the read runs, a 1 ms precise timer notes how late each of its firings comes; the longest delay
// is the longest time the window could not repaint or take a click. Every event the program
// handles is timed as well: the longest of them is the program's own part of that delay.
//
// The machine is a shared virtual one: its host stops the whole guest now and then, which
// shows as a late firing with none of the program's work in it. To tell those apart, an idle
// event loop is watched first for the same kind of figure, and each of the longest delays is
// printed with what the kernel counted of the thread meanwhile (time on a CPU, time waiting
// for one). bench/run starts this program at a real-time priority where the system allows
// it, so that other work inside the guest does not count.
//
//   vn574_clone_responsiveness [WORK_DIR]
//
// Prints a row for the idle loop and two rows per pacing; exits non-zero when a read did not
// complete.

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"
#include "BenchDocument.h"
#include "EventLoopWatch.h"
#include "link/TransferState.h"
#include "ui/clone/CloneEnvironment.h"
#include "ui/clone/FrmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace vn574;
using bench::LoopWatch;
using bench::ms;
using bench::TimedApplication;

// An editor as the program has it at start: nothing loaded but the settings.
struct FreshEditor {
    explicit FreshEditor(const std::filesystem::path& settingsFolder) : editor(settings, prompts) {
        settings.paths.languageFolder = VN574_LANGUAGE_DIR;
        settings.paths.settingsFolder = settingsFolder.string();
        settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
        editor.load();
    }
    app::ProcessSettings settings;
    bench::SilentPrompts prompts;
    document::Editor editor;
};

// The same watch on an event loop with nothing to do: what the host alone costs.
void measureIdleLoop(QApplication& application) {
    static constexpr int idleMs = 30000;
    LoopWatch watch;
    QTimer::singleShot(0, &application, [&] { watch.start(); });
    QTimer::singleShot(idleMs, &application, [&] {
        watch.stop();
        application.quit();
    });
    QApplication::exec();
    std::fputs("idle event loop:\n", stderr);
    watch.printLongest(stderr, 5);
    std::printf("| %-44s | %-22s | %-16s |\n", "longest block of an idle event loop, 30 s",
                (ms(watch.longestBlockMs()) + " ms").c_str(), "(comparison)");
}

// Reads the radio on `device` in a fresh clone window, with the fast pacing or at the
// tick, and prints the rows; false when the read did not complete.
bool measureRead(TimedApplication& application, const std::filesystem::path& work,
                 const std::string& device, bool fast) {
    FreshEditor fresh(work);
    fresh.settings.commPort = device;
    link::TransferState state;
    state.mode = link::TransferMode::Read;
    const ui::clone::CloneEnvironment environment = ui::clone::CloneEnvironment::system();
    ui::clone::frmMain window(fresh.editor, state, environment);
    window.findChild<QCheckBox*>(QStringLiteral("chkFast"))->setChecked(fast);
    window.show();

    LoopWatch watch;
    QElapsedTimer wall;
    bool timedOut = false;
    // A read at the default tick takes about 80 s; far beyond that something hangs.
    QTimer::singleShot(240000, &window, [&] {
        timedOut = true;
        window.done(QDialog::Rejected);
    });
    QObject::connect(&window, &QDialog::finished, &application, [&] {
        watch.stop();
        application.quit();
    });
    QTimer::singleShot(0, &window, [&] {
        wall.start();
        watch.start();
        application.clearSlowest();
        window.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    });
    QApplication::exec();

    const bool completed = !timedOut && window.engine().outcome() == link::CloneOutcome::Completed;
    if (!completed) {
        std::cerr << (timedOut ? "the read did not end in time\n" : "the read failed\n");
        return false;
    }
    std::fprintf(stderr, "read, %s:\n", fast ? "fast pacing" : "default pacing");
    watch.printLongest(stderr, 5);
    std::fputs("the slowest events:\n", stderr);
    application.printSlowest(stderr);
    const std::string pacing = fast ? "fast pacing" : "default pacing";
    std::printf("| %-44s | %-22s | %-16s |\n",
                ("longest event-loop block during a read, " + pacing).c_str(),
                (ms(watch.longestBlockMs()) + " ms (" +
                 std::to_string(static_cast<int>(wall.elapsed() / 1000)) + " s read)")
                    .c_str(),
                "< 10 ms");
    std::printf(
        "| %-44s | %-22s | %-16s |\n", "  longest event handled: wall, on a CPU",
        (ms(application.slowestMs()) + " ms, " + ms(application.mostCpuMs()) + " ms").c_str(),
        "< 10 ms");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    TimedApplication application(argc, argv);
    const std::filesystem::path work =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "vn574-clone-responsiveness";
    std::filesystem::create_directories(work);
    const std::string image = (work / "full.img").string();
    std::ofstream(image, std::ios::binary) << test::sampleRadioImage(100);

    test::SimProcess radio({VN574_RADIO_SIM, "--image", image, "--baud-pace"});
    if (radio.device().empty()) {
        std::cerr << "the simulator did not start\n";
        return 1;
    }
    measureIdleLoop(application);
    const bool read = measureRead(application, work, radio.device(), false) &&
                      measureRead(application, work, radio.device(), true);
    return read ? 0 : 1;
}
