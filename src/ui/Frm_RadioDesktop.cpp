// The main window's habits of a desktop program: Open Recent, files dropped on the
// window, the document's file in the title, and the window kept as the user left it.
#include "ui/Frm_Radio.h"

#include "app/DroppedFiles.h"
#include "app/WindowPlacement.h"
#include "ui/ChannelGridView.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStringList>
#include <QUrl>

namespace vn574::ui {
namespace {

constexpr int firstGridColumn = 1;
constexpr int lastGridColumn = 16;

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

QString fileNames(const std::vector<std::string>& paths) {
    QStringList names;
    for (const std::string& path : paths) {
        names << QFileInfo(QString::fromStdString(path)).fileName();
    }
    return names.join(QStringLiteral(", "));
}

app::ScreenRect toScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

void Frm_Radio::buildRecentMenu() {
    m_recentMenu = m_fileMenu->addMenu(QStringLiteral("Open Recent"));
    m_recentMenu->setObjectName(QStringLiteral("Menu_OpenRecent"));
    // Built as it opens, so that a file deleted meanwhile shows disabled.
    connect(m_recentMenu, &QMenu::aboutToShow, this, &Frm_Radio::showRecentFiles);
    showRecentMenuState();
}

void Frm_Radio::showRecentFiles() {
    m_recentMenu->clear();
    int number = 1;
    for (const std::string& path : m_recent.files()) {
        QString shown = QString::fromStdString(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(shown));
        entry->setData(QString::fromStdString(path));
        entry->setEnabled(app::RecentFiles::exists(path));
        connect(entry, &QAction::triggered, this, [this, path] { openWithQuestion(path); });
    }
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(lang("Menu", "10014"), this, [this] {
        m_recent.clear();
        showRecentMenuState();
    });
    clear->setObjectName(QStringLiteral("Menu_ClearRecent"));
    clear->setEnabled(!m_recent.files().empty());
}

void Frm_Radio::showRecentMenuState() {
    m_recentMenu->menuAction()->setEnabled(!m_recent.files().empty());
}

void Frm_Radio::rememberCurrentFile() {
    if (!m_keepSession) {
        return;
    }
    m_recent.add(m_editor.fileName());
    showRecentMenuState();
}

std::optional<files::OpenResult> Frm_Radio::openWithQuestion(const std::string& path) {
    m_grid->finishOpenEditor();
    if (!m_editor.confirmDiscard()) {
        return std::nullopt;
    }
    return openFile(path);
}

void Frm_Radio::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Frm_Radio::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QString& file : localFiles(event->mimeData())) {
        paths.push_back(file.toStdString());
    }
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    const app::DropPlan plan = app::planDrop(paths);
    if (plan.open.empty()) {
        m_editor.prompts().message(
            lang("OTHERS", "70023").arg(fileNames(plan.notOpened)).toStdString(),
            app::Icon::Warning);
        return;
    }
    // Told after the open, and only when it went ahead: after a cancelled question
    // nothing was opened at all.
    if (openWithQuestion(plan.open) && !plan.notOpened.empty()) {
        m_editor.prompts().message(lang("OTHERS", "70024")
                                       .arg(fileNames({plan.open}), fileNames(plan.notOpened))
                                       .toStdString(),
                                   app::Icon::Information);
    }
}

void Frm_Radio::showTitle() {
    const QString file = QFileInfo(QString::fromStdString(m_editor.fileName())).fileName();
    setWindowTitle(lang("OTHERS", "70018") + QStringLiteral(" - ") + file + QStringLiteral("[*]"));
    setWindowModified(m_editor.document().bModify);
}

void Frm_Radio::keepSession() {
    m_keepSession = true;
    const app::WindowPlacement placement =
        app::WindowPlacement::load(m_settings.paths.mysetupIni());
    std::vector<app::ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(toScreenRect(screen->availableGeometry()));
    }
    if (placement.normal && app::reachableOnScreens(*placement.normal, screens)) {
        const app::ScreenRect& rect = *placement.normal;
        setGeometry(rect.x, rect.y, rect.width, rect.height);
    }
    if (placement.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    for (const auto& [column, width] : placement.columnWidths) {
        if (!m_grid->isColumnHidden(column - 1)) {
            m_grid->setColumnWidth(column - 1, width);
        }
    }
}

void Frm_Radio::savePlacement() {
    if (!m_keepSession) {
        return;
    }
    app::WindowPlacement placement;
    placement.maximized = isMaximized();
    placement.normal = toScreenRect(placement.maximized ? normalGeometry() : geometry());
    for (int column = firstGridColumn; column <= lastGridColumn; ++column) {
        if (!m_grid->isColumnHidden(column - 1)) {
            placement.columnWidths[column] = m_grid->columnWidth(column - 1);
        }
    }
    placement.save(m_settings.paths.mysetupIni());
}

} // namespace vn574::ui
