#pragma once

#include "document/RowOperations.h"

#include <QStyledItemDelegate>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;

namespace vn574::document {
class Editor;
class FieldEditors;
} // namespace vn574::document

namespace vn574::ui {

// Base of the grid's in-place editors. An editor is filled when it opens and writes its
// value back only when it loses the focus (or Enter/Tab end it), never through the
// model: the model is a view of the editor's grid and has no setData. Escape gives the
// edit up and leaves the document as it was before the editor opened.
//
// The write-back runs after the editor has been closed, because it may show a message
// box (a frequency out of band), and a modal loop must not run under an editor that the
// view is about to release.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(document::Editor& editor, document::FieldEditors& fields,
                 QObject* parent = nullptr);

    // The grid's row (1..104) and column (1..16) of a model index.
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }
    static int gridColumn(const QModelIndex& index) { return index.column() + 1; }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Whether `widget` is a grid editor that is open and not yet ending, and its column.
    static bool isOpenCellEditor(const QWidget* widget);
    static int editorColumn(const QWidget* editor);

    // Ends the edit of `editor` as losing the focus does: closes it, then writes back.
    void finishEditing(QWidget* editor, EndEditHint hint = NoHint);
    // Ends the edit of `editor` without writing anything, undoing what it wrote so far.
    void cancelEditing(QWidget* editor);

    // The rows an edit may go to, taken as the edit ends and before closing the editor
    // moves the current cell (Enter moves on, which would narrow the selection).
    using BulkRows = std::function<std::vector<int>()>;
    // Runs after an edit in which the user picked or typed a value, with the edited row,
    // the rows taken as the edit ended, and that entry, so that the value can go to the
    // other selected rows as well.
    using BulkEdit = std::function<void(int row, const std::vector<int>& rows,
                                        const document::CellEntry& entry)>;
    void setBulkEdit(BulkRows rows, BulkEdit bulk) {
        m_bulkRows = std::move(rows);
        m_bulk = std::move(bulk);
    }

protected:
    using Commit = std::function<void()>;

    // Marks `widget` as the editor of grid cell (row, column) and watches it and the
    // given child widgets for the keys and focus changes that end the edit.
    void watch(QWidget* widget, const QModelIndex& index) const;
    void watchChild(QWidget* child) const;

    // What losing the focus writes back, captured from the editor before it closes.
    virtual Commit commitFor(QWidget* editor, int row, int column) const = 0;
    // What the user picked or typed in `editor`; nothing when it only showed a value, so
    // a click through a cell never writes into other rows.
    virtual std::optional<document::CellEntry> entryFor(QWidget* /*editor*/, int /*column*/) const {
        return std::nullopt;
    }
    // Remembers on `editor` that the user typed into `edit`.
    void watchTyping(QWidget* editor, QLineEdit* edit) const;
    static bool wasTyped(const QWidget* editor);

    bool eventFilter(QObject* object, QEvent* event) override;

    document::Editor& m_editor;
    document::FieldEditors& m_fields;

private:
    static QWidget* editorOf(QObject* object);

    BulkRows m_bulkRows;
    BulkEdit m_bulk;
};

} // namespace vn574::ui
