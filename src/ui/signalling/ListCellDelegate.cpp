#include "ui/signalling/ListCellDelegate.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vn574::ui::signalling {

ListCellDelegate::ListCellDelegate(Binding binding, QObject* parent)
    : QStyledItemDelegate(parent), m_binding(std::move(binding)) {}

QWidget* ListCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const {
    if (index.column() == 0) {
        return nullptr;
    }
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("CellList"));
    combo->addItems(m_binding.items);
    connect(combo, &QComboBox::activated, this,
            [this](int position) { m_binding.chosen(position); });
    return combo;
}

void ListCellDelegate::setEditorData(QWidget* editor, const QModelIndex& /*index*/) const {
    auto* combo = static_cast<QComboBox*>(editor);
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(m_binding.position());
}

void ListCellDelegate::setModelData(QWidget* /*editor*/, QAbstractItemModel* /*model*/,
                                    const QModelIndex& /*index*/) const {
    // Choices reach the logic when they are made; nothing is left to write here.
}

void ListCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& /*index*/) const {
    editor->setGeometry(option.rect);
}

} // namespace vn574::ui::signalling
