#pragma once

#include <QDialog>

namespace vn574::app {
class Language;
}

namespace vn574::ui {

// Menu_About's window: the program's name and version in the current language.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const app::Language& language, QWidget* parent = nullptr);
};

} // namespace vn574::ui
