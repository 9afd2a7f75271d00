#include "sim/PtyHost.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace vn574::sim {

namespace {

// 10 bits on the line per byte (start, 8 data, stop) at 9600 bit/s.
constexpr auto byteTime = std::chrono::microseconds(1000000 * 10 / 9600);

} // namespace

PtyHost::PtyHost(RadioCable& cable, bool baudPace) : m_cable(cable), m_baudPace(baudPace) {}

PtyHost::PtyHost(RadioModel& model, bool baudPace)
    : m_ownCable(std::make_unique<RadioCable>(model)), m_cable(*m_ownCable), m_baudPace(baudPace) {}

std::int64_t PtyHost::elapsedMs(Clock::time_point now) const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start).count();
}

PtyHost::~PtyHost() {
    if (m_master >= 0) {
        ::close(m_master);
    }
    if (m_slave >= 0) {
        ::close(m_slave);
    }
}

std::string PtyHost::open() {
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        return std::string("openpty: ") + std::strerror(errno);
    }
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    // The slave stays open here as well, so the line survives the program on the other
    // end closing and opening its port between transfers.
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    m_path = name;
    return {};
}

void PtyHost::schedule(const std::vector<Emission>& emissions, Clock::time_point now) {
    for (const auto& emission : emissions) {
        Pending pending{now + std::chrono::milliseconds(emission.delayMs), emission.bytes};
        // Later emissions never overtake earlier ones that are due no later.
        const auto at =
            std::upper_bound(m_pending.begin(), m_pending.end(), pending.due,
                             [](Clock::time_point due, const Pending& p) { return due < p.due; });
        m_pending.insert(at, std::move(pending));
    }
}

void PtyHost::flushDue(Clock::time_point now) {
    while (!m_pending.empty() && m_pending.front().due <= now) {
        Pending& front = m_pending.front();
        std::size_t count = front.bytes.size();
        if (m_baudPace) {
            // One byte at a time, each when the line is free again.
            if (m_lineFree > now) {
                return;
            }
            m_lineFree = std::max(m_lineFree, front.due) + byteTime;
            count = 1;
        }
        const ssize_t written = ::write(m_master, front.bytes.data(), count);
        if (written <= 0) {
            return; // the terminal's buffer is full; try again at the next turn
        }
        front.bytes.erase(0, static_cast<std::size_t>(written));
        if (front.bytes.empty()) {
            m_pending.pop_front();
        }
    }
}

void PtyHost::run(const std::atomic<bool>& stop, const std::function<void()>& onEnd,
                  const std::function<void()>& onReceive,
                  const std::function<void()>& onCableChange) {
    char buffer[512];
    while (!stop) {
        auto now = Clock::now();
        if (m_cable.advance(elapsedMs(now)) && onCableChange) {
            onCableChange();
        }
        flushDue(now);
        int timeout = 200;
        if (const auto change = m_cable.nextChangeMs()) {
            timeout = static_cast<int>(std::clamp<std::int64_t>(*change - elapsedMs(now), 0, 200));
        }
        if (!m_pending.empty()) {
            auto next = m_pending.front().due;
            if (m_baudPace) {
                next = std::max(next, m_lineFree);
            }
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - now);
            timeout =
                std::min(timeout, static_cast<int>(std::clamp<long long>(wait.count(), 0, 200)));
        }
        pollfd pfd{m_master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeout);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (ready > 0 && (pfd.revents & POLLIN) != 0) {
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got > 0) {
                now = Clock::now();
                const int radioBefore = m_cable.radioNumber();
                const bool unpluggedBefore = m_cable.unplugged();
                const int endsBefore = m_cable.endFrames();
                schedule(m_cable.receive(std::string_view(buffer, static_cast<std::size_t>(got)),
                                         elapsedMs(now)),
                         now);
                if ((m_cable.radioNumber() != radioBefore ||
                     m_cable.unplugged() != unpluggedBefore) &&
                    onCableChange) {
                    onCableChange();
                }
                if (m_cable.endFrames() != endsBefore && onEnd) {
                    onEnd();
                }
                if (onReceive) {
                    onReceive();
                }
            }
        } else if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR)) != 0) {
            // Nobody has the other end open; the slave held here makes this rare.
            ::usleep(10000);
        }
    }
}

} // namespace vn574::sim
