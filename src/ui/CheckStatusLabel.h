#pragma once

#include <QLabel>

#include <functional>

namespace vn574::ui {

// The status bar's count of cells that need attention. A click on it runs the action
// given (the window jumps to the next such cell).
class CheckStatusLabel : public QLabel {
public:
    explicit CheckStatusLabel(QWidget* parent = nullptr);

    void setClickAction(std::function<void()> action) { m_action = std::move(action); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> m_action;
};

} // namespace vn574::ui
