#include "link/qt/QtCloneHost.h"

namespace vn574::link {

QtTickTimer::QtTickTimer() {
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTick) {
            m_onTick();
        }
    });
}

QtFrameTimer::QtFrameTimer(bool realWaits) : m_realWaits(realWaits) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTimeout) {
            m_onTimeout();
        }
    });
}

} // namespace vn574::link
