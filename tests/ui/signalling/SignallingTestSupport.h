#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vn574::test {

// The named control of a dialog; a test that expects one which is not there stops.
template <typename T> T* child(QWidget* parent, const char* name) {
    auto* widget = parent->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

// Runs `drive` inside the modal loop of the next dialog of type T to come up. A driver
// stopped by a failed check leaves the dialog open; it is closed so the test ends.
template <typename T> void whenModal(std::function<void(T*)> drive) {
    QTimer::singleShot(0, [drive] {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            whenModal<T>(drive);
            return;
        }
        drive(dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

inline void clickCell(QTableView* grid, int row, int column) {
    const QRect rect = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

inline void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->clear();
    QTest::keyClicks(edit, text);
}

inline void click(QWidget* dialog, const char* button) {
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

} // namespace vn574::test
