// The main window's Find and live checks: the Find bar and its menu entries, the
// warning cells of the grid and the status bar's count of cells that need attention.
#include "document/ChannelFinder.h"
#include "ui/ChannelGridModel.h"
#include "ui/ChannelGridView.h"
#include "ui/CheckStatusLabel.h"
#include "ui/FindBar.h"
#include "ui/Frm_Radio.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

namespace vn574::ui {
namespace {

// The changes after which a cell may be held differently: its text, the model's bands,
// the option signals the radio offers, the language of the reasons.
constexpr unsigned checkedChanges = document::GridChanged | document::ModelChanged |
                                    document::OptionSignalsChanged | document::LanguageChanged;

// The platform's keys for an action, with `key` among them: F3 finds on everywhere.
QList<QKeySequence> keysWith(QKeySequence::StandardKey standard, const QKeySequence& key) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (!keys.contains(key)) {
        keys.prepend(key);
    }
    return keys;
}

} // namespace

void Frm_Radio::buildFindMenu() {
    m_editMenu->addSeparator();
    m_find = m_editMenu->addAction(QStringLiteral("&Find..."), this, &Frm_Radio::Menu_Find_Click);
    m_find->setObjectName(QStringLiteral("Menu_Find"));
    m_find->setShortcuts(keysWith(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));
    m_findNext =
        m_editMenu->addAction(QStringLiteral("Find &Next"), this, &Frm_Radio::Menu_FindNext_Click);
    m_findNext->setObjectName(QStringLiteral("Menu_FindNext"));
    m_findNext->setShortcuts(keysWith(QKeySequence::FindNext, QKeySequence(Qt::Key_F3)));
    m_findPrevious = m_editMenu->addAction(QStringLiteral("Find &Previous"), this,
                                           &Frm_Radio::Menu_FindPrevious_Click);
    m_findPrevious->setObjectName(QStringLiteral("Menu_FindPrevious"));
    m_findPrevious->setShortcuts(
        keysWith(QKeySequence::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)));
    m_nextAttention = m_editMenu->addAction(QStringLiteral("Next Cell Needing &Attention"), this,
                                            &Frm_Radio::Menu_NextAttention_Click);
    m_nextAttention->setObjectName(QStringLiteral("Menu_NextAttention"));
    m_nextAttention->setShortcut(QKeySequence(Qt::Key_F8));

    m_findButton = m_toolBar->addAction(
        QIcon::fromTheme(QStringLiteral("edit-find"),
                         style()->standardIcon(QStyle::SP_FileDialogContentsView)),
        QStringLiteral("Find"), this, &Frm_Radio::Menu_Find_Click);
    m_findButton->setObjectName(QStringLiteral("FindBtn"));

    m_findBar = new FindBar(centralWidget());
    m_findBar->hide();
    centralWidget()->layout()->addWidget(m_findBar);
    connect(m_findBar, &FindBar::findRequested, this, &Frm_Radio::findCell);
    connect(m_findBar, &FindBar::closed, this, [this] { m_grid->setFocus(); });

    m_checkStatus = new CheckStatusLabel(this);
    m_checkStatus->setClickAction([this] { Menu_NextAttention_Click(); });
    statusBar()->addPermanentWidget(m_checkStatus);

    m_checkTimer = new QTimer(this);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(0);
    connect(m_checkTimer, &QTimer::timeout, this, &Frm_Radio::showChecks);
}

void Frm_Radio::applyFindTexts() {
    m_find->setText(lang("Menu", "51050"));
    m_findNext->setText(lang("Menu", "51051"));
    m_findPrevious->setText(lang("Menu", "51052"));
    m_nextAttention->setText(lang("Menu", "51053"));
    m_findButton->setText(lang("FIND", "15007"));
    m_findButton->setToolTip(lang("FIND", "15006"));
    m_checkStatus->setToolTip(lang("FIND", "15013"));
    m_findBar->applyTexts([this](const char* key) { return lang("FIND", key); });
}

void Frm_Radio::showChecksLater(unsigned changes) {
    if ((changes & checkedChanges) == 0) {
        return;
    }
    // The grid shows the checks when it paints; a model or option change alone does not
    // refresh it, so it is told here.
    if ((changes & document::GridChanged) == 0) {
        m_model->refresh();
    }
    m_checkTimer->start();
}

void Frm_Radio::showChecks() {
    const document::CellChecks& checks = m_model->checks();
    m_checkStatus->setText(QString::fromStdString(checks.summary(m_editor)));
    m_nextAttention->setEnabled(!checks.issues().empty());
}

document::GridCell Frm_Radio::currentGridCell() const {
    // The arrow keys move the view's current cell without a click.
    const QModelIndex current = m_grid->currentIndex();
    if (current.isValid()) {
        return {current.row() + 1, current.column() + 1};
    }
    return {m_editor.currentRow(), m_editor.currentColumn()};
}

void Frm_Radio::Menu_Find_Click() {
    m_findBar->activate();
}

void Frm_Radio::Menu_FindNext_Click() {
    findCell(true);
}

void Frm_Radio::Menu_FindPrevious_Click() {
    findCell(false);
}

void Frm_Radio::findCell(bool forward) {
    const QString query = m_findBar->query();
    const document::ChannelFinder finder(query.toStdString());
    if (finder.empty()) {
        m_findBar->activate();
        return;
    }
    const auto found = finder.next(m_editor, currentGridCell(), forward);
    if (!found) {
        m_findBar->showNoMatch(lang("FIND", "15005").replace(QStringLiteral("%1"), query));
        return;
    }
    m_findBar->clearMessage();
    showGridCell(found->row, found->column);
}

void Frm_Radio::Menu_NextAttention_Click() {
    const auto next = m_model->checks().next(currentGridCell());
    if (!next) {
        return;
    }
    showGridCell(next->row, next->column);
    // Say why at once, without waiting for the mouse to rest on the cell.
    const document::CellIssue* issue = m_model->checks().issueAt(next->row, next->column);
    const QRect cell = m_grid->visualRect(m_model->index(next->row - 1, next->column - 1));
    QToolTip::showText(m_grid->viewport()->mapToGlobal(cell.bottomLeft()),
                       QString::fromStdString(document::CellChecks::reason(m_editor, *issue)),
                       m_grid->viewport());
}

} // namespace vn574::ui
