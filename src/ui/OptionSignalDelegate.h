#pragma once

#include "ui/CellDelegate.h"

namespace vn574::ui {

// ComboOptSignal: the option signal of column 16. A choice shows the option-signal frames the
// signal needs under the grid; leaving writes the signal into the cell and the row's stored option
// signal.
class OptionSignalDelegate : public CellDelegate {
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
