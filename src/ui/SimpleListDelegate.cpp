#include "ui/SimpleListDelegate.h"

#include "document/FieldEditors.h"
#include "ui/ListEditor.h"

namespace vn574::ui {

QWidget* SimpleListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                          const QModelIndex& index) const {
    const document::CellEditor kind = document::editorForCell(gridRow(index), gridColumn(index));
    if (!document::FieldEditors::isSimpleList(kind)) {
        return nullptr;
    }
    auto* list = new ListEditor(parent);
    watch(list, index);
    const int row = gridRow(index);
    list->setEntries(m_fields.simpleListEntries(kind), m_fields.simpleListOpeningIndex(row, kind),
                     m_editor.cell(row, gridColumn(index)));
    return list;
}

CellDelegate::Commit SimpleListDelegate::commitFor(QWidget* editor, int row, int column) const {
    const document::CellEditor kind = document::editorForCell(row, column);
    const std::string shown = static_cast<ListEditor*>(editor)->shownText();
    return [this, row, kind, shown] { m_fields.simpleListCommit(row, kind, shown); };
}

std::optional<document::CellEntry> SimpleListDelegate::entryFor(QWidget* editor, int column) const {
    const auto* list = static_cast<ListEditor*>(editor);
    if (!list->picked()) {
        return std::nullopt;
    }
    return document::CellEntry{column, list->shownText()};
}

} // namespace vn574::ui
