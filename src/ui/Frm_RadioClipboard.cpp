// The Edit menu's clipboard commands on the channel grid. What is copied and what a
// paste may change is files::ChannelClipboard's; this only moves the texts between it,
// the grid's selection and the system clipboard.
#include "files/ChannelClipboard.h"
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>

namespace vn574::ui {
namespace {

// Whole rows with every table column, for pastes within the program.
const QString rowsMimeType = QStringLiteral("application/x-vn574-channel-rows");
const QString csvMimeType = QStringLiteral("text/csv");

files::CellBlock cellBlock(const QRect& block) {
    return {block.top(), block.bottom(), block.left(), block.right()};
}

} // namespace

void Frm_Radio::buildClipboardMenu() {
    m_editMenu->addSeparator();
    const auto add = [this](const char* name, const char* text, auto slot,
                            QKeySequence::StandardKey key) {
        QAction* action = m_editMenu->addAction(QString::fromLatin1(text), this, slot);
        action->setObjectName(QString::fromLatin1(name));
        // An open line editor takes these standard keys for its own text first.
        action->setShortcut(key);
        return action;
    };
    m_cut = add("Menu_Cut", "Cu&t", &Frm_Radio::Menu_Cut_Click, QKeySequence::Cut);
    m_copy = add("Menu_Copy", "&Copy", &Frm_Radio::Menu_Copy_Click, QKeySequence::Copy);
    m_paste = add("Menu_Paste", "&Paste", &Frm_Radio::Menu_Paste_Click, QKeySequence::Paste);
    m_delete = add("Menu_Delete", "&Delete", &Frm_Radio::Menu_Delete_Click, QKeySequence::Delete);
    m_selectAll = add("Menu_SelectAll", "Select &All", &Frm_Radio::Menu_SelectAll_Click,
                      QKeySequence::SelectAll);
    // Delete takes whole rows out of use; single cells it leaves alone.
    m_delete->setEnabled(false);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_delete->setEnabled(!m_grid->selectedWholeRows().empty()); });
}

void Frm_Radio::applyClipboardTexts() {
    m_cut->setText(lang("Menu", "50102"));
    m_copy->setText(lang("Menu", "50103"));
    m_paste->setText(lang("Menu", "50104"));
    m_selectAll->setText(lang("Menu", "50105"));
    m_delete->setText(lang("Menu", "50108"));
}

void Frm_Radio::copySelection(bool cut) {
    if (!m_grid->isEnabled()) {
        return;
    }
    m_grid->finishOpenEditor();
    files::ChannelClipboard clipboard(m_editor);
    const std::vector<int> rows = m_grid->selectedWholeRows();
    const files::CellBlock block = cellBlock(m_grid->selectedBlock());
    files::ClipboardPayload payload;
    if (!rows.empty()) {
        payload = cut ? clipboard.cutRows(rows) : clipboard.copyRows(rows);
    } else {
        payload = cut ? clipboard.cutCells(block) : clipboard.copyCells(block);
    }
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(payload.text));
    if (!payload.rows.empty()) {
        data->setData(csvMimeType, QByteArray::fromStdString(payload.csv));
        data->setData(rowsMimeType, QByteArray::fromStdString(payload.rows));
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

void Frm_Radio::Menu_Cut_Click() {
    copySelection(true);
}

void Frm_Radio::Menu_Copy_Click() {
    copySelection(false);
}

void Frm_Radio::Menu_Paste_Click() {
    if (!m_grid->isEnabled()) {
        return;
    }
    m_grid->finishOpenEditor();
    files::ChannelClipboard clipboard(m_editor);
    const QPoint target = m_grid->pasteCell();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    files::PasteResult result;
    if (data != nullptr && data->hasFormat(rowsMimeType)) {
        result = clipboard.pasteRows(target.y(), data->data(rowsMimeType).toStdString());
    } else if (data != nullptr && data->hasFormat(csvMimeType)) {
        result = clipboard.pasteCsv(target.y(), data->data(csvMimeType).toStdString());
    } else {
        const QString text = data != nullptr ? data->text() : QString();
        result = clipboard.pasteCells(target.y(), target.x(), text.toStdString());
    }
    if (const std::string message = clipboard.refusalMessage(result); !message.empty()) {
        m_editor.prompts().message(message, app::Icon::Warning);
    }
}

void Frm_Radio::Menu_SelectAll_Click() {
    m_grid->finishOpenEditor();
    m_grid->selectAll();
}

void Frm_Radio::Menu_Delete_Click() {
    if (!m_grid->isEnabled()) {
        return;
    }
    m_grid->finishOpenEditor();
    if (const std::vector<int> rows = m_grid->selectedWholeRows(); !rows.empty()) {
        files::ChannelClipboard(m_editor).deleteRows(rows);
    }
}

} // namespace vn574::ui
