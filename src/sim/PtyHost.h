#pragma once

#include "sim/RadioModel.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace vn574::sim {

// Puts a RadioModel on a pseudo-terminal in raw mode. The other end is an ordinary
// serial device for whoever opens it.
class PtyHost {
public:
    using Clock = std::chrono::steady_clock;

    PtyHost(RadioModel& model, bool baudPace);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Opens the pseudo-terminal; returns "" or what went wrong.
    std::string open();
    // The device path a serial program opens ("/dev/pts/4").
    [[nodiscard]] const std::string& devicePath() const { return m_path; }

    // Serves the line until `stop` turns true. `onEnd` runs after every end frame,
    // `onReceive` after every piece of input taken from the line.
    void run(const std::atomic<bool>& stop, const std::function<void()>& onEnd,
             const std::function<void()>& onReceive = {});

private:
    struct Pending {
        Clock::time_point due;
        std::string bytes;
    };

    void schedule(const std::vector<Emission>& emissions, Clock::time_point now);
    void flushDue(Clock::time_point now);

    RadioModel& m_model;
    bool m_baudPace;
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    std::deque<Pending> m_pending;
    Clock::time_point m_lineFree{};
};

} // namespace vn574::sim
