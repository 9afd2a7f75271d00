#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>

namespace vn574::ui::signalling {

// The list that edits a grid cell in place (Combo2 standards and Combo3 tone lengths of
// the 5-tone memories). A choice goes to the editor logic as it is made: choosing a
// standard proposes its tone length at once.
class ListCellDelegate : public QStyledItemDelegate {
public:
    struct Binding {
        QStringList items;
        std::function<int()> position; // the item the logic holds, -1 for none
        std::function<void(int)> chosen;
    };

    ListCellDelegate(Binding binding, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    Binding m_binding;
};

} // namespace vn574::ui::signalling
