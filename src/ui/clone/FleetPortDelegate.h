#pragma once

#include <QStyledItemDelegate>

#include <string>
#include <vector>

namespace vn574::ui::clone {

// The fleet table's port cells: the machine's ports to pick from, editable so that a
// path (the simulator's pty) can be typed.
class FleetPortDelegate final : public QStyledItemDelegate {
public:
    FleetPortDelegate(std::vector<std::string> ports, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    std::vector<std::string> m_ports;
};

} // namespace vn574::ui::clone
