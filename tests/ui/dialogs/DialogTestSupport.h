#pragma once

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vn574::test {

// Shows `dialog` modally and runs `steps` once its event loop is up, as a user at the
// keyboard would act on it. A dialog that a failed step left open is closed, so a
// failing test never hangs.
inline int runModal(QDialog& dialog, const std::function<void()>& steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps] {
        steps();
        if (dialog.isVisible()) {
            dialog.done(-1);
        }
    });
    return dialog.exec();
}

// Picks `index` of a closed list with the keyboard, which is what the user's own
// selection does (and what reports it as chosen).
inline void chooseWithKeys(QComboBox* list, int index) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

inline void clearBox(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
}

// What the box's context menu "Paste" does.
inline void pasteInto(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    box->paste();
}

} // namespace vn574::test
