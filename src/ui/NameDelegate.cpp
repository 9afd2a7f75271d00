#include "ui/NameDelegate.h"

#include "document/FieldEditors.h"
#include "document/FieldRules.h"

#include <QKeyEvent>

namespace vn574::ui {
namespace {

constexpr int keyCopy = 3;
constexpr int keyPaste = 22;
constexpr int keyCut = 24;

} // namespace

NameEdit::NameEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(static_cast<int>(document::maxNameLength));
    // The clipboard is refused in this box; its menu would offer it again.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void NameEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() != 1) {
        QLineEdit::keyPressEvent(event); // editing and cursor keys
        return;
    }
    const int code = text.at(0).unicode();
    if (code == keyCopy || code == keyPaste || code == keyCut) {
        event->accept();
        return;
    }
    if (code < 32 || code == 127) {
        QLineEdit::keyPressEvent(event); // backspace, delete
        return;
    }
    const std::optional<char> accepted = document::nameKeyResult(code);
    if (!accepted) {
        event->accept();
        return;
    }
    const QString typed(QChar::fromLatin1(*accepted));
    if (typed == text) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Typed in lower case: insert the capital as if it had been typed.
    QKeyEvent upper(event->type(), event->key(), event->modifiers(), typed, event->isAutoRepeat(),
                    static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&upper);
    event->setAccepted(upper.isAccepted());
}

void NameEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Typing goes on at the end of the name; nothing is selected to be replaced.
    deselect();
    setCursorPosition(static_cast<int>(text().size()));
}

QWidget* NameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
    auto* edit = new NameEdit(parent);
    watch(edit, index);
    const int row = gridRow(index);
    edit->setText(QString::fromStdString(m_fields.nameOpeningText(row)));
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    watchTyping(edit, edit);
    // Only user changes are filtered: a name that came from a file with characters
    // outside the set stays as it is until it is edited.
    connect(edit, &QLineEdit::textEdited, edit, [this, edit, row](const QString& typed) {
        const std::string filtered = m_fields.nameChanged(row, typed.toStdString());
        const QString shown = QString::fromStdString(filtered);
        if (shown != edit->text()) {
            edit->setText(shown);
        }
        edit->setCursorPosition(static_cast<int>(shown.size()));
    });
    return edit;
}

CellDelegate::Commit NameDelegate::commitFor(QWidget* /*editor*/, int /*row*/,
                                             int /*column*/) const {
    return {}; // every change is in the cell already
}

std::optional<document::CellEntry> NameDelegate::entryFor(QWidget* editor, int column) const {
    if (!wasTyped(editor)) {
        return std::nullopt;
    }
    return document::CellEntry{column, static_cast<NameEdit*>(editor)->text().toStdString()};
}

} // namespace vn574::ui
