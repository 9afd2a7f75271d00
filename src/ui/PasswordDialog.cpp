#include "ui/PasswordDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vn574::ui {

namespace {
constexpr int maxPasswordLength = 16; // the radio's password field
}

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent), m_password(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FrmPassWord"));
    setWindowTitle(QStringLiteral("PassWord"));
    m_password->setMaxLength(maxPasswordLength);
    m_password->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_password);
    layout->addWidget(buttons);
}

QString PasswordDialog::password() const {
    return m_password->text();
}

} // namespace vn574::ui
