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

// The pauses of SendFrame really wait: the radio needs the time between frame parts.
class QtPause final : public Pause {
public:
    void pause(int milliseconds) override;
};

} // namespace vn574::link
