// The main window's Edit menu: undo and redo of the editor's history; the clipboard
// commands are in Frm_RadioClipboard.cpp.
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace vn574::ui {
namespace {

QIcon editIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            widget->style()->standardIcon(fallback));
}

} // namespace

void Frm_Radio::buildEditMenu() {
    m_editMenu = new QMenu(QStringLiteral("&Edit"), this);
    m_editMenu->setObjectName(QStringLiteral("Menu_Edit"));
    menuBar()->insertMenu(m_optionMenu->menuAction(), m_editMenu);
    m_undo = m_editMenu->addAction(QStringLiteral("&Undo"), this, &Frm_Radio::Menu_Undo_Click);
    m_undo->setObjectName(QStringLiteral("Menu_Undo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = m_editMenu->addAction(QStringLiteral("&Redo"), this, &Frm_Radio::Menu_Redo_Click);
    m_redo->setObjectName(QStringLiteral("Menu_Redo"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    buildClipboardMenu();

    m_toolBar->addSeparator();
    m_undoButton = m_toolBar->addAction(editIcon(this, "edit-undo", QStyle::SP_ArrowBack),
                                        QStringLiteral("Undo"), this, &Frm_Radio::Menu_Undo_Click);
    m_undoButton->setObjectName(QStringLiteral("UndoBtn"));
    m_redoButton = m_toolBar->addAction(editIcon(this, "edit-redo", QStyle::SP_ArrowForward),
                                        QStringLiteral("Redo"), this, &Frm_Radio::Menu_Redo_Click);
    m_redoButton->setObjectName(QStringLiteral("RedoBtn"));
    showHistory();
}

void Frm_Radio::applyEditTexts() {
    m_editMenu->setTitle(lang("Menu", "5000M"));
    applyClipboardTexts();
    showHistory();
}

void Frm_Radio::showHistory() {
    const document::History& history = m_editor.history();
    const auto show = [this](QAction* action, QAction* button, bool possible,
                             const std::string& step, const char* plainKey, const char* namedKey,
                             const char* buttonKey) {
        QString text = lang("Menu", plainKey);
        QString tip = lang("Toolbar", buttonKey);
        if (possible) {
            const QString name = QString::fromStdString(step);
            text = lang("Menu", namedKey).replace(QStringLiteral("%1"), name);
            tip = tip + QStringLiteral(": ") + name;
        }
        action->setText(text);
        action->setEnabled(possible);
        button->setText(lang("Toolbar", buttonKey));
        button->setToolTip(tip);
        button->setEnabled(possible);
    };
    show(m_undo, m_undoButton, history.canUndo(), history.undoName(), "50100", "50106", "8007");
    show(m_redo, m_redoButton, history.canRedo(), history.redoName(), "50101", "50107", "8008");
}

void Frm_Radio::recordStep(const char* key) {
    m_editor.recordStep(m_editor.stepName(key));
}

void Frm_Radio::recordStepNamed(const QString& name) {
    m_editor.recordStep(name.toStdString());
}

void Frm_Radio::Menu_Undo_Click() {
    m_grid->finishOpenEditor();
    m_editor.undo();
}

void Frm_Radio::Menu_Redo_Click() {
    m_grid->finishOpenEditor();
    m_editor.redo();
}

} // namespace vn574::ui
