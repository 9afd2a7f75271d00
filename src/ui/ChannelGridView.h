#pragma once

#include <QPoint>
#include <QRect>
#include <QTableView>

#include <vector>

namespace vn574::ui {

class ChannelGridModel;

// MFG: the channel grid. Editors open only through a plain click that the editor logic
// accepts; Enter and Tab in an editor end it and move on to the next cell without
// opening another one; scrolling ends the open editor except the Shift and
// option-signal lists. Shift and Ctrl with a click, and the row headings, select cells
// and whole rows for the clipboard without opening anything. Within selected whole rows
// the Left, Right, Home and End keys move the current cell along its row and keep the
// selection, so that a value can be given to all of them from the keyboard.
class ChannelGridView : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGridView(QWidget* parent = nullptr);

    // Column widths and the heading row's height from the window's twips.
    void applyColumnWidths();
    void openEditor(int gridRow, int gridColumn);
    // The in-place editor that is open, if any.
    [[nodiscard]] QWidget* openCellEditor() const;
    // Ends the open editor as losing the focus would, writing its value.
    void finishOpenEditor(bool keepScrollSurvivors = false);

    // The selected grid rows (1..104, ascending) when the selection is whole rows
    // only; empty when it holds single cells or nothing.
    [[nodiscard]] std::vector<int> selectedWholeRows() const;
    // The grid cells (rows 1..104, columns 1..16) of the rectangle holding the
    // selection, or the current cell when nothing is selected.
    [[nodiscard]] QRect selectedBlock() const;
    // The grid cell (x = column 1..16, y = row 1..104) a paste starts at: the top left
    // of the selection when it is one rectangle, else the current cell (a Ctrl+click
    // after a selection: the cell the user pointed at last).
    [[nodiscard]] QPoint pasteCell() const;

    static constexpr int hiddenGridColumn = 14; // ANI

signals:
    // A click on grid cell (row 1..104, column 1..16).
    void cellClicked(int gridRow, int gridColumn);

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    // Left, Right, Home and End inside selected whole rows; false for any other key.
    bool moveAlongSelectedRow(QKeyEvent* event);

    Qt::KeyboardModifiers m_pressModifiers;
};

} // namespace vn574::ui
