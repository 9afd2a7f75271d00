#include "ui/clone/ProgressBarDelegate.h"

#include <QApplication>
#include <QStyleOptionProgressBar>

namespace vn574::ui::clone {

ProgressBarDelegate::ProgressBarDelegate(int role, int maximum, QObject* parent)
    : QStyledItemDelegate(parent), m_role(role), m_maximum(maximum) {}

void ProgressBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(1, 1, -1, -1);
    bar.state = option.state | QStyle::State_Horizontal;
    bar.minimum = 0;
    bar.maximum = m_maximum;
    bar.progress = index.data(m_role).toInt();
    bar.text = text;
    bar.textVisible = true;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

} // namespace vn574::ui::clone
