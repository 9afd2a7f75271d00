#pragma once

#include "ui/CellDelegate.h"

#include <QLineEdit>

namespace vn574::ui {

// TxtName: the channel name box. Keys follow the name rules (letters become capitals,
// characters above 127 and the clipboard keys are refused), and every change is
// filtered and written into the cell at once.
class NameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NameEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

class NameDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    Commit commitFor(QWidget* editor, int row, int column) const override;
    std::optional<document::CellEntry> entryFor(QWidget* editor, int column) const override;
};

} // namespace vn574::ui
