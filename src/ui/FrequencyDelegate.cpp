#include "ui/FrequencyDelegate.h"

#include "document/FieldEditors.h"
#include "document/FieldRules.h"

#include <QLineEdit>

namespace vn574::ui {

QWidget* FrequencyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    watch(edit, index);
    edit->setMaxLength(static_cast<int>(document::maxFrequencyLength));
    edit->setText(
        QString::fromStdString(m_fields.frequencyOpeningText(gridRow(index), gridColumn(index))));
    edit->selectAll();
    watchTyping(edit, edit);
    return edit;
}

CellDelegate::Commit FrequencyDelegate::commitFor(QWidget* editor, int row, int column) const {
    const std::string text = static_cast<QLineEdit*>(editor)->text().toStdString();
    return [this, row, column, text] { m_fields.frequencyCommit(row, column, text); };
}

std::optional<document::CellEntry> FrequencyDelegate::entryFor(QWidget* editor, int column) const {
    if (!wasTyped(editor)) {
        return std::nullopt;
    }
    return document::CellEntry{column, static_cast<QLineEdit*>(editor)->text().toStdString()};
}

} // namespace vn574::ui
