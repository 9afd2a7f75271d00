#include "ui/ChannelGridView.h"

#include "document/Document.h"
#include "ui/CellDelegate.h"
#include "ui/ChannelGridModel.h"
#include "ui/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include <algorithm>
#include <array>

namespace vn574::ui {
namespace {

// Widths of grid columns 0..15 in twips; column 16 takes the rest of the row.
constexpr std::array<int, 16> columnTwips{300, 800, 960,  800,  1200, 1040, 800, 720,
                                          800, 800, 1200, 1200, 1040, 800,  0,   720};

constexpr int rowTwips = 285;
constexpr double gridFontPoints = 8.0;

bool survivesScrolling(int gridColumn) {
    return gridColumn == document::colShift || gridColumn == document::colOptSignal;
}

} // namespace

ChannelGridView::ChannelGridView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("MFG"));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectItems);
    setAlternatingRowColors(true);
    setWordWrap(false);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) |
                                            Qt::Alignment(Qt::TextWordWrap));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(true);
    verticalHeader()->setSectionsClickable(true); // selects whole rows
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setCornerButtonEnabled(false);
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        corner->installEventFilter(this);
    }

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        // A click that extends or toggles the selection acts on no cell.
        if ((m_pressModifiers & (Qt::ShiftModifier | Qt::ControlModifier)) == 0) {
            emit cellClicked(index.row() + 1, index.column() + 1);
        }
    });
    const auto scrolled = [this] { finishOpenEditor(true); };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
}

void ChannelGridView::applyColumnWidths() {
    const int dpi = logicalDpiX();
    // The column widths were chosen for a small grid font; a larger one would cut the
    // status words and frequencies.
    QFont small = font();
    small.setPointSizeF(gridFontPoints);
    setFont(small);
    horizontalHeader()->setFont(small);
    verticalHeader()->setFont(small);
    verticalHeader()->setDefaultSectionSize(
        std::max(twipsToPixels(rowTwips, dpi), fontMetrics().height() + 6));
    verticalHeader()->setFixedWidth(twipsToPixels(columnTwips[0], dpi) +
                                    2 * style()->pixelMetric(QStyle::PM_HeaderMargin));
    for (int column = 1; column < static_cast<int>(columnTwips.size()); ++column) {
        setColumnWidth(column - 1,
                       twipsToPixels(columnTwips[static_cast<std::size_t>(column)], dpi));
    }
    setColumnHidden(hiddenGridColumn - 1, true);
    // Headings such as "PAC MODE" are wider than their columns: two lines.
    const int line = horizontalHeader()->fontMetrics().lineSpacing();
    horizontalHeader()->setFixedHeight(2 * line +
                                       2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 4);
}

void ChannelGridView::openEditor(int gridRow, int gridColumn) {
    const QModelIndex index = model()->index(gridRow - 1, gridColumn - 1);
    if (!index.isValid()) {
        return;
    }
    // Inside a selection the editor opens without narrowing it: its value may go to
    // every selected row.
    if (selectionModel()->isSelected(index)) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else {
        setCurrentIndex(index);
    }
    scrollTo(index);
    edit(index);
}

QWidget* ChannelGridView::openCellEditor() const {
    for (QWidget* child : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (CellDelegate::isOpenCellEditor(child)) {
            return child;
        }
    }
    return nullptr;
}

void ChannelGridView::finishOpenEditor(bool keepScrollSurvivors) {
    QWidget* editor = openCellEditor();
    if (editor == nullptr) {
        return;
    }
    const int column = CellDelegate::editorColumn(editor);
    if (keepScrollSurvivors && survivesScrolling(column)) {
        return;
    }
    if (auto* delegate = qobject_cast<CellDelegate*>(itemDelegateForColumn(column - 1))) {
        delegate->finishEditing(editor);
    }
}

void ChannelGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    // Enter and Tab end the edit and move on to the next cell; opening the next editor
    // is still the click's decision. Inside a selection they move within it, so that
    // the next column of the same rows can be set.
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem) {
        const QModelIndex next = moveCursor(
            hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
        if (next.isValid() && selectionModel()->isSelected(next)) {
            selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
        } else if (next.isValid()) {
            setCurrentIndex(next);
        }
        setFocus(Qt::TabFocusReason);
    }
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
    // Space acts on the current cell as a click does, so the grid works from the keyboard.
    if (event->key() == Qt::Key_Space && currentIndex().isValid() && state() != EditingState) {
        emit cellClicked(currentIndex().row() + 1, currentIndex().column() + 1);
        return;
    }
    if (moveAlongSelectedRow(event)) {
        return;
    }
    QTableView::keyPressEvent(event);
}

bool ChannelGridView::moveAlongSelectedRow(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier || state() == EditingState) {
        return false;
    }
    CursorAction action{};
    switch (event->key()) {
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_Home:
        action = MoveHome;
        break;
    case Qt::Key_End:
        action = MoveEnd;
        break;
    default:
        return false;
    }
    const QModelIndex current = currentIndex();
    const std::vector<int> rows = selectedWholeRows();
    if (!current.isValid() || !std::binary_search(rows.begin(), rows.end(), current.row() + 1)) {
        return false;
    }
    const QModelIndex next = moveCursor(action, event->modifiers());
    if (next.isValid() && next.row() == current.row()) {
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
        scrollTo(next);
    }
    event->accept();
    return true;
}

void ChannelGridView::mousePressEvent(QMouseEvent* event) {
    m_pressModifiers = event->modifiers();
    QTableView::mousePressEvent(event);
}

std::vector<int> ChannelGridView::selectedWholeRows() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    std::vector<int> rows;
    for (const QModelIndex& index : selected) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int& row : rows) {
        for (int column = 0; column < model()->columnCount(); ++column) {
            if (!isColumnHidden(column) &&
                !selectionModel()->isSelected(model()->index(row, column))) {
                return {};
            }
        }
        ++row;
    }
    return rows;
}

QRect ChannelGridView::selectedBlock() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        const QModelIndex current = currentIndex();
        return current.isValid() ? QRect(current.column() + 1, current.row() + 1, 1, 1)
                                 : QRect(1, 1, 1, 1);
    }
    QRect block;
    for (const QModelIndex& index : selected) {
        block |= QRect(index.column() + 1, index.row() + 1, 1, 1);
    }
    return block;
}

QPoint ChannelGridView::pasteCell() const {
    const QRect block = selectedBlock();
    const QModelIndex current = currentIndex();
    if (selectionModel()->hasSelection() && current.isValid()) {
        for (int row = block.top(); row <= block.bottom(); ++row) {
            for (int column = block.left(); column <= block.right(); ++column) {
                if (!isColumnHidden(column - 1) &&
                    !selectionModel()->isSelected(model()->index(row - 1, column - 1))) {
                    return {current.column() + 1, current.row() + 1};
                }
            }
        }
    }
    return block.topLeft();
}

bool ChannelGridView::eventFilter(QObject* object, QEvent* event) {
    auto* corner = qobject_cast<QAbstractButton*>(object);
    if (corner != nullptr && event->type() == QEvent::Paint && model() != nullptr) {
        // The corner holds the heading of the label column.
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.textAlignment = Qt::AlignCenter;
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        if (const auto* grid = qobject_cast<const ChannelGridModel*>(model())) {
            option.text = grid->cornerText();
        }
        QPainter painter(corner);
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, nullptr);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

} // namespace vn574::ui
