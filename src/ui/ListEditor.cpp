#include "ui/ListEditor.h"

#include <QSignalBlocker>

namespace vn574::ui {

ListEditor::ListEditor(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setMaxVisibleItems(16);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] { m_picked = true; });
}

void ListEditor::setEntries(const std::vector<std::string>& entries, int shown,
                            const std::string& asIs) {
    const QSignalBlocker blocker(this);
    clear();
    m_picked = false;
    for (const std::string& entry : entries) {
        addItem(QString::fromStdString(entry));
    }
    showEntry(shown, asIs);
}

void ListEditor::showEntry(int shown, const std::string& asIs) {
    const QSignalBlocker blocker(this);
    if (shown >= 0 && shown < count()) {
        setCurrentIndex(shown);
        return;
    }
    // A value that is no entry is shown, not added: it cannot be picked and so never
    // goes to other rows, and leaving the list stores nothing.
    setPlaceholderText(QString::fromStdString(asIs));
    setCurrentIndex(-1);
}

} // namespace vn574::ui
