#include "ui/OptionSignalDelegate.h"

#include "document/FieldEditors.h"
#include "ui/ListEditor.h"

namespace vn574::ui {

QWidget* OptionSignalDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                            const QModelIndex& index) const {
    auto* list = new ListEditor(parent);
    watch(list, index);
    const int row = gridRow(index);
    list->setEntries(m_editor.optionSignalList(), m_fields.optionSignalOpeningIndex(row),
                     m_editor.cell(row, document::colOptSignal));
    connect(list, &QComboBox::activated, list,
            [this, list, row](int) { m_fields.optionSignalChosen(row, list->shownText()); });
    return list;
}

CellDelegate::Commit OptionSignalDelegate::commitFor(QWidget* editor, int row,
                                                     int /*column*/) const {
    const std::string shown = static_cast<ListEditor*>(editor)->shownText();
    return [this, row, shown] { m_fields.optionSignalCommit(row, shown); };
}

std::optional<document::CellEntry> OptionSignalDelegate::entryFor(QWidget* editor,
                                                                  int column) const {
    const auto* list = static_cast<ListEditor*>(editor);
    if (!list->picked()) {
        return std::nullopt;
    }
    return document::CellEntry{column, list->shownText()};
}

} // namespace vn574::ui
