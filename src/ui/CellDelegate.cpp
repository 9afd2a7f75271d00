#include "ui/CellDelegate.h"

#include "document/Editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace vn574::ui {
namespace {

constexpr const char* rowProperty = "vn574Row";
constexpr const char* columnProperty = "vn574Column";
constexpr const char* finishingProperty = "vn574Finishing";
constexpr const char* typedProperty = "vn574Typed";

bool contains(const QWidget* ancestor, const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

CellDelegate::CellDelegate(document::Editor& editor, document::FieldEditors& fields,
                           QObject* parent)
    : QStyledItemDelegate(parent), m_editor(editor), m_fields(fields) {}

void CellDelegate::setEditorData(QWidget* /*editor*/, const QModelIndex& /*index*/) const {
    // Editors are filled once when they open; a grid refresh while one is open (the name
    // editor writes its cell on every key) must not reset what the user is typing.
}

void CellDelegate::setModelData(QWidget* /*editor*/, QAbstractItemModel* /*model*/,
                                const QModelIndex& /*index*/) const {
    // Written back by finishEditing, straight into the editor's grid.
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& /*index*/) const {
    editor->setGeometry(option.rect);
}

void CellDelegate::watch(QWidget* widget, const QModelIndex& index) const {
    widget->setProperty(rowProperty, gridRow(index));
    widget->setProperty(columnProperty, gridColumn(index));
    widget->setAutoFillBackground(true);
}

void CellDelegate::watchChild(QWidget* child) const {
    child->installEventFilter(const_cast<CellDelegate*>(this));
}

void CellDelegate::watchTyping(QWidget* editor, QLineEdit* edit) const {
    connect(edit, &QLineEdit::textEdited, editor,
            [editor] { editor->setProperty(typedProperty, true); });
}

bool CellDelegate::wasTyped(const QWidget* editor) {
    return editor->property(typedProperty).toBool();
}

bool CellDelegate::isOpenCellEditor(const QWidget* widget) {
    return widget != nullptr && widget->property(rowProperty).isValid() &&
           !widget->property(finishingProperty).toBool();
}

int CellDelegate::editorColumn(const QWidget* editor) {
    return editor->property(columnProperty).toInt();
}

QWidget* CellDelegate::editorOf(QObject* object) {
    for (QWidget* w = qobject_cast<QWidget*>(object); w != nullptr; w = w->parentWidget()) {
        if (w->property(rowProperty).isValid()) {
            return w;
        }
    }
    return nullptr;
}

void CellDelegate::finishEditing(QWidget* editor, EndEditHint hint) {
    if (editor == nullptr || editor->property(finishingProperty).toBool()) {
        return;
    }
    editor->setProperty(finishingProperty, true);
    const int row = editor->property(rowProperty).toInt();
    const int column = editor->property(columnProperty).toInt();
    const Commit commit = commitFor(editor, row, column);
    const std::optional<document::CellEntry> entry =
        m_bulk ? entryFor(editor, column) : std::nullopt;
    const std::vector<int> rows = entry && m_bulkRows ? m_bulkRows() : std::vector<int>();
    emit closeEditor(editor, hint);
    if (commit) {
        commit();
    }
    if (entry) {
        m_bulk(row, rows, *entry);
    }
    // One undo step per edit that changed the cell (or what its rules touched); the
    // name editor has written while the user typed.
    m_editor.recordEdit(m_editor.cellStepName(row, column));
}

void CellDelegate::cancelEditing(QWidget* editor) {
    if (editor == nullptr || editor->property(finishingProperty).toBool()) {
        return;
    }
    editor->setProperty(finishingProperty, true);
    emit closeEditor(editor, NoHint);
    m_editor.cancelEdit();
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    QWidget* editor = editorOf(object);
    if (editor == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter moves on as Tab does.
            finishEditing(editor, EditNextItem);
            return true;
        case Qt::Key_Backtab:
            finishEditing(editor, EditPreviousItem);
            return true;
        case Qt::Key_Escape:
            cancelEditing(editor);
            return true;
        default:
            return false;
        }
    }
    case QEvent::FocusOut: {
        const auto* focus = static_cast<QFocusEvent*>(event);
        // A list's own drop-down and a switch to another application are no leaving.
        if (focus->reason() == Qt::PopupFocusReason ||
            focus->reason() == Qt::ActiveWindowFocusReason) {
            return false;
        }
        if (contains(editor, QApplication::focusWidget())) {
            return false; // focus moved inside the editor (the tone editor's second list)
        }
        finishEditing(editor, NoHint);
        return false;
    }
    default:
        return false;
    }
}

} // namespace vn574::ui
