#include "ui/PriorityDelegate.h"

#include "document/FieldEditors.h"
#include "ui/ListEditor.h"

namespace vn574::ui {

QWidget* PriorityDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const {
    auto* list = new ListEditor(parent);
    watch(list, index);
    const int row = gridRow(index);
    const std::vector<std::string> entries = m_fields.priorityEntries();
    list->setEntries(entries, m_fields.priorityOpeningIndex(row, entries),
                     m_editor.cell(row, document::colPri));
    return list;
}

CellDelegate::Commit PriorityDelegate::commitFor(QWidget* editor, int row, int /*column*/) const {
    const std::string shown = static_cast<ListEditor*>(editor)->shownText();
    return [this, row, shown] { m_fields.priorityCommit(row, shown); };
}

} // namespace vn574::ui
