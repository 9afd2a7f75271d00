// The main window's Channels menu: reorganising the memory channels, and a value picked
// or typed in one of several selected rows going to all of them.
#include "ui/CellDelegate.h"
#include "ui/ChannelGridModel.h"
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"
#include "ui/dialogs/RepeaterOffsetDialog.h"
#include "ui/dialogs/SortChannelsDialog.h"

#include <QAction>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace vn574::ui {
namespace {

using document::RowOperations;

QIcon rowsIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            widget->style()->standardIcon(fallback));
}

// A menu caption as a button's text and tooltip: no mnemonic, no trailing ellipsis.
QString buttonText(QString caption) {
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QChar(0x2026))) {
        caption.chop(1);
    }
    return caption;
}

} // namespace

void Frm_Radio::buildRowsMenu() {
    m_rowsMenu = new QMenu(QStringLiteral("&Channels"), this);
    m_rowsMenu->setObjectName(QStringLiteral("Menu_Channels"));
    menuBar()->insertMenu(m_optionMenu->menuAction(), m_rowsMenu);
    const auto add = [this](const char* name, const char* caption, auto slot,
                            const QKeySequence& keys) {
        QAction* action = m_rowsMenu->addAction(QString::fromLatin1(caption), this, slot);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    // Ctrl+Insert is Copy on many desktops, so Insert alone inserts.
    m_insertChannel = add("Menu_InsertChannel", "&Insert Channel",
                          &Frm_Radio::Menu_InsertChannel_Click, QKeySequence(Qt::Key_Insert));
    m_deleteChannel =
        add("Menu_DeleteChannel", "&Delete Channel", &Frm_Radio::Menu_DeleteChannel_Click,
            QKeySequence(Qt::CTRL | Qt::Key_Delete));
    m_rowsMenu->addSeparator();
    m_moveUp = add("Menu_MoveUp", "Move &Up", &Frm_Radio::Menu_MoveUp_Click,
                   QKeySequence(Qt::ALT | Qt::Key_Up));
    m_moveDown = add("Menu_MoveDown", "Move Do&wn", &Frm_Radio::Menu_MoveDown_Click,
                     QKeySequence(Qt::ALT | Qt::Key_Down));
    m_rowsMenu->addSeparator();
    m_sortChannels = add("Menu_SortChannels", "&Sort Channels...",
                         &Frm_Radio::Menu_SortChannels_Click, QKeySequence());
    m_repeaterOffset = add("Menu_RepeaterOffset", "Set Repeater &Offset...",
                           &Frm_Radio::Menu_RepeaterOffset_Click, QKeySequence());

    m_toolBar->addSeparator();
    const auto button = [this](const char* name, const char* theme, QStyle::StandardPixmap icon,
                               auto slot) {
        QAction* action = m_toolBar->addAction(rowsIcon(this, theme, icon), QString(), this, slot);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    m_insertButton = button("InsertChannelBtn", "list-add", QStyle::SP_FileDialogNewFolder,
                            &Frm_Radio::Menu_InsertChannel_Click);
    m_deleteButton = button("DeleteChannelBtn", "list-remove", QStyle::SP_TrashIcon,
                            &Frm_Radio::Menu_DeleteChannel_Click);
    m_moveUpButton = button("MoveUpBtn", "arrow-up", QStyle::SP_TitleBarShadeButton,
                            &Frm_Radio::Menu_MoveUp_Click);
    m_moveDownButton = button("MoveDownBtn", "arrow-down", QStyle::SP_TitleBarUnshadeButton,
                              &Frm_Radio::Menu_MoveDown_Click);

    for (int column = 1; column < document::gridColumnCount; ++column) {
        if (auto* delegate =
                qobject_cast<CellDelegate*>(m_grid->itemDelegateForColumn(column - 1))) {
            delegate->setBulkEdit(
                [this] { return selectedGridRows(); },
                [this](int row, const std::vector<int>& rows, const document::CellEntry& entry) {
                    bulkEdit(row, rows, entry);
                });
        }
    }
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Frm_Radio::updateRowActions);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Frm_Radio::updateRowActions);
    updateRowActions();
}

void Frm_Radio::applyRowsTexts() {
    m_rowsMenu->setTitle(lang("Menu", "5100M"));
    const auto show = [this](QAction* action, QAction* button, const char* key) {
        action->setText(lang("Menu", key));
        if (button != nullptr) {
            button->setText(buttonText(action->text()));
            button->setToolTip(buttonText(action->text()));
        }
    };
    show(m_insertChannel, m_insertButton, "51000");
    show(m_deleteChannel, m_deleteButton, "51001");
    show(m_moveUp, m_moveUpButton, "51002");
    show(m_moveDown, m_moveDownButton, "51003");
    show(m_sortChannels, nullptr, "51004");
    show(m_repeaterOffset, nullptr, "51005");
}

std::vector<int> Frm_Radio::selectedGridRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedIndexes()) {
        rows.push_back(index.row() + 1);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        const QModelIndex current = m_grid->currentIndex();
        rows.push_back(current.isValid() ? current.row() + 1 : m_editor.currentRow());
    }
    return rows;
}

void Frm_Radio::selectGridRows(const std::vector<int>& rows) {
    if (rows.empty()) {
        return;
    }
    QItemSelection selection;
    for (const int row : rows) {
        selection.select(m_model->index(row - 1, 0),
                         m_model->index(row - 1, m_model->columnCount() - 1));
    }
    const int column = std::max(m_grid->currentIndex().column(), 0);
    const QModelIndex current = m_model->index(rows.front() - 1, column);
    m_grid->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_editor.setCurrentCell(rows.front(), column + 1);
    m_grid->scrollTo(current);
}

void Frm_Radio::updateRowActions() {
    const std::vector<int> rows = selectedGridRows();
    const bool channels = !RowOperations::channelRows(rows).empty();
    m_insertChannel->setEnabled(channels);
    m_insertButton->setEnabled(channels);
    m_deleteChannel->setEnabled(channels);
    m_deleteButton->setEnabled(channels);
    const bool up = RowOperations::canMoveUp(rows);
    m_moveUp->setEnabled(up);
    m_moveUpButton->setEnabled(up);
    const bool down = RowOperations::canMoveDown(rows);
    m_moveDown->setEnabled(down);
    m_moveDownButton->setEnabled(down);
}

void Frm_Radio::bulkEdit(int row, const std::vector<int>& rows, const document::CellEntry& entry) {
    if (rows.size() < 2 || !std::binary_search(rows.begin(), rows.end(), row)) {
        return;
    }
    // A frequency the edited row refused has had its message; the others would refuse
    // it for the same reason.
    if ((entry.column == document::colRxFreq && !m_editor.rxFrequencyRefusal(entry.text).empty()) ||
        (entry.column == document::colTxFreq && !m_editor.txFrequencyRefusal(entry.text).empty())) {
        return;
    }
    m_rowOps.setColumn(row, rows, entry);
}

void Frm_Radio::Menu_InsertChannel_Click() {
    m_grid->finishOpenEditor();
    const std::vector<int> channels = RowOperations::channelRows(selectedGridRows());
    const QModelIndex current = m_grid->currentIndex();
    int row = current.isValid() ? current.row() + 1 : 0;
    if (!std::binary_search(channels.begin(), channels.end(), row)) {
        row = channels.empty() ? 0 : channels.front();
    }
    if (m_rowOps.insertChannel(row)) {
        selectGridRows({row});
    }
}

void Frm_Radio::Menu_DeleteChannel_Click() {
    m_grid->finishOpenEditor();
    const std::vector<int> channels = RowOperations::channelRows(selectedGridRows());
    if (m_rowOps.deleteChannels(channels)) {
        selectGridRows({channels.front()});
    }
}

void Frm_Radio::Menu_MoveUp_Click() {
    m_grid->finishOpenEditor();
    selectGridRows(m_rowOps.moveUp(selectedGridRows()));
}

void Frm_Radio::Menu_MoveDown_Click() {
    m_grid->finishOpenEditor();
    selectGridRows(m_rowOps.moveDown(selectedGridRows()));
}

void Frm_Radio::Menu_SortChannels_Click() {
    m_grid->finishOpenEditor();
    SortChannelsDialog dialog(m_editor, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_rowOps.sortChannels(dialog.order());
    }
}

void Frm_Radio::Menu_RepeaterOffset_Click() {
    m_grid->finishOpenEditor();
    const std::vector<int> rows = selectedGridRows();
    // The row the keyboard or a click made current, not only the last cell clicked.
    RepeaterOffsetDialog dialog(m_editor, currentGridCell().row, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_rowOps.setRepeaterOffset(rows, dialog.direction(), dialog.offset());
    }
}

} // namespace vn574::ui
