#pragma once

#include <QDialog>

class QLineEdit;

namespace vn574::ui {

// FrmPassWord: asks for the radio's password (at most 16 characters).
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    [[nodiscard]] QString password() const;

private:
    QLineEdit* m_password;
};

} // namespace vn574::ui
