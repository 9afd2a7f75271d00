#pragma once

#include "ui/CellDelegate.h"

namespace vn574::ui {

// ComboPRI: built anew from the rows in use every time it opens, opening on "off"; leaving writes
// the reference of the shown entry.
class PriorityDelegate : public CellDelegate {
    Q_OBJECT
public:
    using CellDelegate::CellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    Commit commitFor(QWidget* editor, int row, int column) const override;
};

} // namespace vn574::ui
