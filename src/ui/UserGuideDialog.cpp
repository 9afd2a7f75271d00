#include "ui/UserGuideDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vn574::ui {

QStringList userGuideCandidates(const QString& applicationDir) {
    return {QDir::cleanPath(applicationDir + QStringLiteral("/../share/doc/vn574/user-guide.md")),
            QStringLiteral(VN574_SOURCE_DOCS_DIR "/user-guide.md")};
}

QString findUserGuide(const QString& applicationDir) {
    for (const QString& candidate : userGuideCandidates(applicationDir)) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

void showUserGuide(const QString& title, QWidget* parent) {
    const QString applicationDir = QApplication::applicationDirPath();
    const QString path = findUserGuide(applicationDir);
    if (path.isEmpty()) {
        QMessageBox::warning(parent, title,
                             QStringLiteral("The user guide was not found. It is looked for "
                                            "in:\n") +
                                 userGuideCandidates(applicationDir).join(QLatin1Char('\n')));
        return;
    }
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("UserGuide"));
    dialog.setWindowTitle(title);
    auto* browser = new QTextBrowser(&dialog);
    browser->setObjectName(QStringLiteral("UserGuideText"));
    browser->setOpenExternalLinks(true);
    // Markdown from a file: the pictures beside it are found relative to it.
    browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    dialog.resize(860, 680);
    dialog.exec();
}

} // namespace vn574::ui
