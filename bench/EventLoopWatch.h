#pragma once

// How long an event loop cannot take a click or repaint, and what the program did
// meanwhile: shared by the responsiveness benchmarks.
#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vn574::bench {

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

inline std::string ms(double value) {
    return std::to_string(static_cast<int>(value + 0.5));
}

} // namespace vn574::bench
