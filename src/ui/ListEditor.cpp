#include "ui/ListEditor.h"

#include <QSignalBlocker>

namespace vn574::ui {

ListEditor::ListEditor(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(16);
    setFocusPolicy(Qt::StrongFocus);
}

void ListEditor::setEntries(const std::vector<std::string>& entries, int shown) {
    const QSignalBlocker blocker(this);
    clear();
    for (const std::string& entry : entries) {
        addItem(QString::fromStdString(entry));
    }
    if (shown >= 0 && shown < count()) {
        setCurrentIndex(shown);
    }
}

} // namespace vn574::ui
