#include "link/qt/QtCloneHost.h"

#include <QThread>

namespace vn574::link {

QtTickTimer::QtTickTimer() {
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTick) {
            m_onTick();
        }
    });
}

void QtPause::pause(int milliseconds) {
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

} // namespace vn574::link
