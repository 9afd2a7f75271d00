#include "ui/CheckStatusLabel.h"

#include <QMouseEvent>

namespace vn574::ui {

CheckStatusLabel::CheckStatusLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("CheckStatus"));
    setCursor(Qt::PointingHandCursor);
}

void CheckStatusLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        m_action) {
        m_action();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace vn574::ui
