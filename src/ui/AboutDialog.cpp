#include "ui/AboutDialog.h"

#include "app/Language.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vn574::ui {
namespace {

QString lang(const app::Language& language, const char* section, const char* key) {
    return QString::fromStdString(language.text(section, key));
}

// Menu captions carry "&" for their access key; a window title has none.
QString withoutAccessKey(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

AboutDialog::AboutDialog(const app::Language& language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowTitle(withoutAccessKey(lang(language, "Menu", "40004")));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(lang(language, "OTHERS", "70018"), this);
    name->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    name->setFont(bold);

    auto* version = new QLabel(QApplication::applicationVersion(), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(lang(language, "OPTION", "60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

} // namespace vn574::ui
