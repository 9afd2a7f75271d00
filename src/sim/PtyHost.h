#pragma once

#include "sim/RadioCable.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace vn574::sim {

// Puts a cable with its radios on a pseudo-terminal in raw mode. The other end is an ordinary
// serial device for whoever opens it.
class PtyHost {
public:
    using Clock = std::chrono::steady_clock;

    PtyHost(RadioCable& cable, bool baudPace);
    // One radio on the cable for good; the caller keeps it and sees what is written.
    PtyHost(RadioModel& model, bool baudPace);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Opens the pseudo-terminal; returns "" or what went wrong.
    std::string open();
    // The device path a serial program opens ("/dev/pts/4").
    [[nodiscard]] const std::string& devicePath() const { return m_path; }

    // Serves the line until `stop` turns true. `onEnd` runs after every end frame,
    // `onReceive` after every piece of input taken from the line, `onCableChange` when a
    // radio is unplugged or the next one is on the cable.
    void run(const std::atomic<bool>& stop, const std::function<void()>& onEnd,
             const std::function<void()>& onReceive = {},
             const std::function<void()>& onCableChange = {});

private:
    struct Pending {
        Clock::time_point due;
        std::string bytes;
    };

    void schedule(const std::vector<Emission>& emissions, Clock::time_point now);
    void flushDue(Clock::time_point now);

    [[nodiscard]] std::int64_t elapsedMs(Clock::time_point now) const;

    std::unique_ptr<RadioCable> m_ownCable;
    RadioCable& m_cable;
    bool m_baudPace;
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    std::deque<Pending> m_pending;
    Clock::time_point m_lineFree{};
    Clock::time_point m_start = Clock::now();
};

} // namespace vn574::sim
