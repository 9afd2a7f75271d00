#include "ui/clone/FleetPortDelegate.h"

#include <QComboBox>

namespace vn574::ui::clone {

FleetPortDelegate::FleetPortDelegate(std::vector<std::string> ports, QObject* parent)
    : QStyledItemDelegate(parent), m_ports(std::move(ports)) {}

QWidget* FleetPortDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& /*index*/) const {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& port : m_ports) {
        combo->addItem(QString::fromStdString(port));
    }
    return combo;
}

void FleetPortDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    combo->setCurrentText(index.data(Qt::EditRole).toString());
}

void FleetPortDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    const auto* combo = static_cast<QComboBox*>(editor);
    model->setData(index, combo->currentText().trimmed(), Qt::EditRole);
}

} // namespace vn574::ui::clone
