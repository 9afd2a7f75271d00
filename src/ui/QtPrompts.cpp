#include "ui/QtPrompts.h"

#include "app/DialogFolder.h"
#include "ui/PasswordDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

namespace vn574::ui {
namespace {

QMessageBox::Icon boxIcon(app::Icon icon) {
    switch (icon) {
    case app::Icon::Warning:
        return QMessageBox::Warning;
    case app::Icon::Error:
        return QMessageBox::Critical;
    case app::Icon::Question:
        return QMessageBox::Question;
    case app::Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QLatin1String("*.*")) {
            patterns = QStringLiteral("*");
        }
        // Qt reads the patterns from the parentheses of the name.
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            name = name.left(open).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

QString defaultSuffix(const std::string& filter) {
    const QString first = QString::fromStdString(filter).section(QLatin1Char('|'), 1, 1);
    const QString pattern = first.section(QLatin1Char(';'), 0, 0).trimmed();
    if (!pattern.startsWith(QLatin1String("*."))) {
        return {};
    }
    const QString suffix = pattern.mid(2);
    if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ||
        suffix.contains(QLatin1Char('?'))) {
        return {};
    }
    return suffix;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() ||
        QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

QString QtPrompts::title() const {
    if (m_parent != nullptr && !m_parent->window()->windowTitle().isEmpty()) {
        // The main window's title carries the mark of unsaved changes; a box does not.
        return m_parent->window()->windowTitle().remove(QStringLiteral("[*]"));
    }
    return QApplication::applicationDisplayName();
}

void QtPrompts::message(const std::string& text, app::Icon icon) {
    QMessageBox box(boxIcon(icon), title(), QString::fromStdString(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

app::Answer QtPrompts::ask(const std::string& text, app::Buttons buttons) {
    QMessageBox::StandardButtons shown;
    switch (buttons) {
    case app::Buttons::Ok:
        shown = QMessageBox::Ok;
        break;
    case app::Buttons::OkCancel:
        shown = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case app::Buttons::YesNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        break;
    case app::Buttons::YesNoCancel:
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    const QMessageBox::Icon icon =
        buttons == app::Buttons::Ok ? QMessageBox::Information : QMessageBox::Question;
    QMessageBox box(icon, title(), QString::fromStdString(text), shown, m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return app::Answer::Ok;
    case QMessageBox::Yes:
        return app::Answer::Yes;
    case QMessageBox::No:
        return app::Answer::No;
    default:
        // Closing the box counts as its way out: Cancel, or No where there is none.
        return buttons == app::Buttons::YesNo ? app::Answer::No : app::Answer::Cancel;
    }
}

app::Answer QtPrompts::askAction(const std::string& text, const std::string& action) {
    QMessageBox box(QMessageBox::Question, title(), QString::fromStdString(text),
                    QMessageBox::Close, m_parent);
    QPushButton* const act = box.addButton(QString::fromStdString(action), QMessageBox::AcceptRole);
    box.setDefaultButton(act);
    box.exec();
    return box.clickedButton() == act ? app::Answer::Yes : app::Answer::No;
}

QString QtPrompts::startFolder() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::string currentFile = m_currentFile ? m_currentFile() : std::string();
    return QString::fromStdString(app::dialogStartFolder(currentFile, m_lastFolder.toStdString(),
                                                         documents.toStdString(),
                                                         QDir::homePath().toStdString()));
}

std::optional<std::string> QtPrompts::chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    m_lastFolder = QFileInfo(path).absolutePath();
    return QDir::toNativeSeparators(path).toStdString();
}

std::optional<std::string> QtPrompts::chooseSaveFile(const std::string& filter,
                                                     const std::string& suggestedFile) {
    // A full path makes the dialog open its folder with its name filled in.
    const QString start =
        suggestedFile.empty() ? startFolder() : QString::fromStdString(suggestedFile);
    QFileDialog dialog(m_parent, QString(), start, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Given to the dialog so that its overwrite question is about the file written.
    const QString suffix = defaultSuffix(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // Again here, for a platform dialog that does not apply it.
    return chosen(withDefaultSuffix(dialog.selectedFiles().constFirst(), suffix));
}

std::optional<std::string> QtPrompts::chooseOpenFile(const std::string& filter) {
    return chosen(
        QFileDialog::getOpenFileName(m_parent, QString(), startFolder(), qtFileFilter(filter)));
}

std::optional<std::string> QtPrompts::askPassword() {
    PasswordDialog dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.password().toStdString();
}

} // namespace vn574::ui
