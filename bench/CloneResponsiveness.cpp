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
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

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

// What the kernel counts of the calling thread: the nanoseconds it has run on a CPU and
// those it stood ready to run while other work held every CPU; -1 each where the kernel
// does not count them.
class ThreadTimes {
public:
    struct Sample {
        qint64 onCpuNs = -1;
        qint64 waitingNs = -1;
    };

    ThreadTimes() : m_fd(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
    ~ThreadTimes() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    ThreadTimes(const ThreadTimes&) = delete;
    ThreadTimes& operator=(const ThreadTimes&) = delete;

    // The file holds "<on-cpu ns> <waiting ns> <timeslices>".
    [[nodiscard]] Sample now() const {
        char text[96] = {};
        const ssize_t length = m_fd < 0 ? -1 : ::pread(m_fd, text, sizeof text - 1, 0);
        long long onCpu = 0;
        long long waiting = 0;
        if (length <= 0 || std::sscanf(text, "%lld %lld", &onCpu, &waiting) != 2) {
            return {};
        }
        return {onCpu, waiting};
    }

private:
    int m_fd;
};

// How late a 1 ms timer fires: the longest stretch the event loop spent away from its
// queue. Qt fires an overdue timer once and schedules the next from then on, so the
// longest interval minus the period is the longest block.
class LoopWatch {
public:
    LoopWatch() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(periodMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { fired(); });
    }
    void start() {
        m_clock.start();
        m_last = {0, m_threadTimes.now()};
        m_gaps.clear();
        m_gaps.reserve(200000);
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    [[nodiscard]] double longestBlockMs() const { return blockMs(longest(&Gap::wallNs)); }

    // The longest blocks and when they ended, in milliseconds since the start, for a
    // look at where they come from.
    void printLongest(std::FILE* out, std::size_t count) const {
        std::vector<Gap> order = m_gaps;
        count = std::min(count, order.size());
        std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
                          order.end(),
                          [](const Gap& a, const Gap& b) { return a.wallNs > b.wallNs; });
        for (std::size_t i = 0; i < count; ++i) {
            std::fprintf(out,
                         "block of %.1f ms (%.1f ms own, %.1f ms on a CPU) ending at %.0f ms\n",
                         blockMs(order[i].wallNs), blockMs(order[i].ownNs),
                         static_cast<double>(order[i].onCpuNs) / 1e6,
                         static_cast<double>(order[i].endNs) / 1e6);
        }
    }

private:
    struct Gap {
        qint64 wallNs = 0;
        qint64 ownNs = 0;   // wall time less the run-queue wait within it
        qint64 onCpuNs = 0; // what the thread ran meanwhile
        qint64 endNs = 0;
    };
    struct Mark {
        qint64 wallNs = 0;
        ThreadTimes::Sample times;
    };

    void fired() {
        const Mark now{m_clock.nsecsElapsed(), m_threadTimes.now()};
        const qint64 wall = now.wallNs - m_last.wallNs;
        const bool counted = now.times.waitingNs >= 0 && m_last.times.waitingNs >= 0;
        const qint64 waited = counted ? now.times.waitingNs - m_last.times.waitingNs : 0;
        const qint64 ran = counted ? now.times.onCpuNs - m_last.times.onCpuNs : wall;
        m_gaps.push_back({wall, std::max<qint64>(0, wall - waited), ran, now.wallNs});
        m_last = now;
    }
    [[nodiscard]] qint64 longest(qint64 Gap::*field) const {
        qint64 result = 0;
        for (const Gap& gap : m_gaps) {
            result = std::max(result, gap.*field);
        }
        return result;
    }
    static double blockMs(qint64 gapNs) {
        return std::max(0.0, static_cast<double>(gapNs) / 1e6 - periodMs);
    }

    static constexpr int periodMs = 1;
    std::vector<Gap> m_gaps;
    ThreadTimes m_threadTimes;
    QTimer m_timer;
    QElapsedTimer m_clock;
    Mark m_last;
};

// The application, timing every event it hands out at the top level (nested deliveries
// are part of the one around them), so that a long block can be put down to what the
// program did in it.
class TimedApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (m_depth++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            return handled;
        }
        QElapsedTimer clock;
        clock.start();
        const qint64 cpuBefore = threadCpuNs();
        const QByteArray what = QByteArray(receiver->metaObject()->className()) + " " +
                                receiver->objectName().toLatin1() + " event " +
                                QByteArray::number(event->type());
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        note({clock.nsecsElapsed(), threadCpuNs() - cpuBefore, what});
        return handled;
    }
    void clearSlowest() { m_slowest.clear(); }
    // The longest event by the wall clock, and the time on a CPU of the one that took
    // the most of it.
    [[nodiscard]] double slowestMs() const {
        return m_slowest.empty() ? 0.0 : static_cast<double>(m_slowest.front().wallNs) / 1e6;
    }
    [[nodiscard]] double mostCpuMs() const {
        qint64 most = 0;
        for (const Handled& handled : m_slowest) {
            most = std::max(most, handled.cpuNs);
        }
        return static_cast<double>(most) / 1e6;
    }
    void printSlowest(std::FILE* out) const {
        for (const Handled& handled : m_slowest) {
            std::fprintf(out, "  %.1f ms (%.1f ms on a CPU) in %s\n",
                         static_cast<double>(handled.wallNs) / 1e6,
                         static_cast<double>(handled.cpuNs) / 1e6, handled.what.constData());
        }
    }

private:
    struct Handled {
        qint64 wallNs = 0;
        qint64 cpuNs = 0;
        QByteArray what;
    };

    static qint64 threadCpuNs() {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    // Keeps the longest few by the wall clock, and any that ran longer on a CPU than
    // the shortest kept.
    void note(Handled handled) {
        static constexpr std::size_t kept = 8;
        m_slowest.push_back(std::move(handled));
        std::sort(m_slowest.begin(), m_slowest.end(),
                  [](const Handled& a, const Handled& b) { return a.wallNs > b.wallNs; });
        if (m_slowest.size() > kept) {
            const auto mostCpu = std::max_element(
                m_slowest.begin(), m_slowest.end(),
                [](const Handled& a, const Handled& b) { return a.cpuNs < b.cpuNs; });
            if (mostCpu == m_slowest.end() - 1) {
                m_slowest.erase(m_slowest.end() - 2);
            } else {
                m_slowest.pop_back();
            }
        }
    }

    int m_depth = 0;
    std::vector<Handled> m_slowest;
};

std::string ms(double value) {
    return std::to_string(static_cast<int>(value + 0.5));
}

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
