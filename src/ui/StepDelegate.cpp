#include "ui/StepDelegate.h"

#include "document/FieldEditors.h"
#include "ui/ListEditor.h"

namespace vn574::ui {

QWidget* StepDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
    auto* list = new ListEditor(parent);
    watch(list, index);
    const int row = gridRow(index);
    list->setEntries(document::FieldEditors::stepEntries(), m_fields.stepOpeningIndex(row),
                     m_editor.cell(row, document::colRef));
    connect(list, &QComboBox::activated, list,
            [this, list, row](int) { m_fields.stepChosen(row, list->shownText()); });
    return list;
}

CellDelegate::Commit StepDelegate::commitFor(QWidget* editor, int row, int /*column*/) const {
    const std::string step = static_cast<ListEditor*>(editor)->shownText();
    return [this, row, step] { m_fields.stepCommit(row, step); };
}

std::optional<document::CellEntry> StepDelegate::entryFor(QWidget* editor, int column) const {
    const auto* list = static_cast<ListEditor*>(editor);
    if (!list->picked()) {
        return std::nullopt;
    }
    return document::CellEntry{column, list->shownText()};
}

} // namespace vn574::ui
