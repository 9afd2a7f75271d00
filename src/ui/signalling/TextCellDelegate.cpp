#include "ui/signalling/TextCellDelegate.h"

#include <QLineEdit>

namespace vn574::ui::signalling {

TextCellDelegate::TextCellDelegate(Binding binding, QObject* parent)
    : QStyledItemDelegate(parent), m_binding(std::move(binding)) {}

QWidget* TextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const {
    if (index.column() == 0) {
        return nullptr;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("CellEditor"));
    edit->setFrame(false);
    edit->setMaxLength(m_binding.maxLength);
    SignallingKeyFilter::install(edit, m_binding.accept);
    connect(edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_binding.edited(text.toStdString()); });
    return edit;
}

void TextCellDelegate::setEditorData(QWidget* editor, const QModelIndex& /*index*/) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    const QString text = QString::fromStdString(m_binding.text());
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void TextCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                                    const QModelIndex& /*index*/) const {
    m_binding.edited(static_cast<QLineEdit*>(editor)->text().toStdString());
}

void TextCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& /*index*/) const {
    editor->setGeometry(option.rect);
}

} // namespace vn574::ui::signalling
