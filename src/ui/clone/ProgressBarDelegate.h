#pragma once

#include <QStyledItemDelegate>

namespace vn574::ui::clone {

// Draws a cell as a progress bar: its value from `role` (0..maximum), its text the cell's
// display text. Opens no editor.
class ProgressBarDelegate final : public QStyledItemDelegate {
public:
    ProgressBarDelegate(int role, int maximum, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* /*parent*/, const QStyleOptionViewItem& /*option*/,
                          const QModelIndex& /*index*/) const override {
        return nullptr;
    }

private:
    int m_role;
    int m_maximum;
};

} // namespace vn574::ui::clone
