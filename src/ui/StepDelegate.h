#pragma once

#include "ui/CellDelegate.h"

namespace vn574::ui {

// ComboRef: the step list of column 3. A choice snaps the row's frequencies to the new step at
// once; leaving writes the step into the cell and the row's step.
class StepDelegate : public CellDelegate {
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
