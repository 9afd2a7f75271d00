#include "ui/ListEditor.h"

#include <QSignalBlocker>

namespace vn574::ui {

ListEditor::ListEditor(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(16);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] { m_picked = true; });
}

void ListEditor::setEntries(const std::vector<std::string>& entries, int shown) {
    const QSignalBlocker blocker(this);
    clear();
    m_picked = false;
    for (const std::string& entry : entries) {
        addItem(QString::fromStdString(entry));
    }
    if (shown >= 0 && shown < count()) {
        setCurrentIndex(shown);
    }
}

} // namespace vn574::ui
