#pragma once

#include "link/CloneInterfaces.h"

#include <QTimer>

#include <functional>

namespace vn574::link {

// The clone window's tick on a QTimer: the handler runs from the event loop.
class QtTickTimer final : public TickTimer {
public:
    QtTickTimer();

    void setHandler(std::function<void()> handler) { m_onTick = std::move(handler); }

    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    [[nodiscard]] bool isActive() const override { return m_timer.isActive(); }
    void setInterval(int milliseconds) override { m_timer.setInterval(milliseconds); }
    [[nodiscard]] int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
};

// The pauses between frame parts on a single-shot QTimer: the event loop goes on
// meanwhile. Without real waits (tests against a simulator that reads as fast as it is
// sent to) every step still comes from the event loop, at once.
class QtFrameTimer final : public FrameTimer {
public:
    explicit QtFrameTimer(bool realWaits = true);

    void setHandler(std::function<void()> handler) { m_onTimeout = std::move(handler); }

    void start(int milliseconds) override { m_timer.start(m_realWaits ? milliseconds : 0); }
    void stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
    bool m_realWaits;
    std::function<void()> m_onTimeout;
};

} // namespace vn574::link
