// Responsiveness of the clone window during a read: the real window on the program's own
// serial port, against vn574-radio-sim on a pseudo-terminal at the real 9600 bit/s, at the
// default ticks and then with the fast pacing, reading a radio with all 100 channels in use. While
// the read runs, a 1 ms precise timer notes how late each of its firings comes; the longest delay
// is the longest time the window could not repaint or take a click.
//
//   vn574_clone_responsiveness [WORK_DIR]
//
// Prints two table rows per pacing; exits non-zero when a read did not complete.

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"
#include "BenchDocument.h"
#include "link/TransferState.h"
#include "ui/clone/CloneEnvironment.h"
#include "ui/clone/FrmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

using namespace vn574;

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

// How late a 1 ms timer fires: the longest stretch the event loop spent away from its
// queue. Qt fires an overdue timer once and schedules the next from then on, so the
// longest interval minus the period is the longest block.
class LoopWatch {
public:
    LoopWatch() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(periodMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestNs = std::max(m_longestNs, now - m_lastNs);
            m_gapsNs.push_back(now - m_lastNs);
            m_endsNs.push_back(now);
            m_lastNs = now;
        });
    }
    void start() {
        m_clock.start();
        m_lastNs = 0;
        m_longestNs = 0;
        m_gapsNs.clear();
        m_gapsNs.reserve(200000);
        m_endsNs.clear();
        m_endsNs.reserve(200000);
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    [[nodiscard]] double longestBlockMs() const {
        return std::max(0.0, static_cast<double>(m_longestNs) / 1e6 - periodMs);
    }
    // The block that only one in a hundred ticks of the transfer exceeds: the tick's
    // own work, without the odd stall of a shared machine.
    [[nodiscard]] double percentileBlockMs(double fraction) const {
        std::vector<qint64> gaps = m_gapsNs;
        std::sort(gaps.begin(), gaps.end());
        const std::size_t blocks = std::min<std::size_t>(gaps.size(), transferTicks);
        if (blocks == 0) {
            return 0;
        }
        // The longest `blocks` gaps are one per tick; take the fraction among those.
        const auto at = gaps.size() - blocks +
                        static_cast<std::size_t>(fraction * static_cast<double>(blocks - 1));
        return std::max(0.0, static_cast<double>(gaps[at]) / 1e6 - periodMs);
    }

    // The longest blocks and when they ended, in milliseconds since the start, for a
    // look at where they come from.
    void printLongest(std::FILE* out, std::size_t count) const {
        std::vector<std::size_t> order(m_gapsNs.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        count = std::min(count, order.size());
        std::partial_sort(
            order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count), order.end(),
            [this](std::size_t a, std::size_t b) { return m_gapsNs[a] > m_gapsNs[b]; });
        for (std::size_t i = 0; i < count; ++i) {
            std::fprintf(out, "block of %.1f ms ending at %.0f ms\n",
                         static_cast<double>(m_gapsNs[order[i]]) / 1e6 - periodMs,
                         static_cast<double>(m_endsNs[order[i]]) / 1e6);
        }
    }

private:
    static constexpr int periodMs = 1;
    std::vector<qint64> m_endsNs;
    static constexpr std::size_t transferTicks = 512; // one frame per block
    std::vector<qint64> m_gapsNs;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
};

// Reads the radio on `device` in a fresh clone window, with the fast pacing or at the
// tick, and prints the rows; false when the read did not complete.
bool measureRead(QApplication& application, const std::filesystem::path& work,
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
        window.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    });
    QApplication::exec();

    const bool completed = !timedOut && window.engine().outcome() == link::CloneOutcome::Completed;
    if (!completed) {
        std::cerr << (timedOut ? "the read did not end in time\n" : "the read failed\n");
        return false;
    }
    watch.printLongest(stderr, 5);
    const auto ms = [](double value) { return std::to_string(static_cast<int>(value + 0.5)); };
    const std::string pacing = fast ? "fast pacing" : "default pacing";
    std::printf("| %-44s | %-22s | %-16s |\n",
                ("longest event-loop block during a read, " + pacing).c_str(),
                (ms(watch.longestBlockMs()) + " ms (" +
                 std::to_string(static_cast<int>(wall.elapsed() / 1000)) + " s read)")
                    .c_str(),
                "< 10 ms");
    std::printf("| %-44s | %-22s | %-16s |\n", "  the same, 99th percentile of the ticks",
                (ms(watch.percentileBlockMs(0.99)) + " ms").c_str(), "(comparison)");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
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
    const bool read = measureRead(application, work, radio.device(), false) &&
                      measureRead(application, work, radio.device(), true);
    return read ? 0 : 1;
}
