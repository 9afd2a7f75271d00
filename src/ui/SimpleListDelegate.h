#pragma once

#include "ui/CellDelegate.h"

namespace vn574::ui {

// The simple lists (W/N, PAC MODE, DCS DET, scan skip, BCL, ANI, Shift): they open on the cell's
// value, and leaving writes the shown entry when it differs from the cell.
class SimpleListDelegate : public CellDelegate {
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
