#pragma once

#include "ui/signalling/SignallingKeys.h"

#include <QStyledItemDelegate>

#include <functional>
#include <string>

namespace vn574::ui::signalling {

// The text box that edits a grid cell in place (Text3 of the 5-tone codes, Text1 of
// the 2-tone frequencies). What is typed goes to the editor logic at once, so the logic
// always commits the text on screen, whichever way the cell is left.
class TextCellDelegate : public QStyledItemDelegate {
public:
    struct Binding {
        SignallingKeyFilter::Accept accept;
        int maxLength;
        std::function<std::string()> text; // the editor's text as the logic holds it
        std::function<void(const std::string&)> edited;
    };

    TextCellDelegate(Binding binding, QObject* parent);

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
