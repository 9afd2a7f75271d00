#pragma once

#include "ui/CellDelegate.h"

namespace vn574::ui {

// TxtRxFreq and TxtTxFreq: the frequency boxes of columns 4 and 11. They open with the
// cell's text selected; leaving runs the receive or transmit frequency entry.
class FrequencyDelegate : public CellDelegate {
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
