#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

namespace vn574::app {
struct ProcessSettings;
class UserPrompts;
} // namespace vn574::app

namespace vn574::ui::clone {

// The port dialog of the "COM Port" menu: the machine's ports in an editable list, so
// a device path (the simulator's pseudo-terminal) can be typed as well. OK makes the
// list's text the port of every later transfer; Cancel changes nothing.
class dlgSetting : public QDialog {
    Q_OBJECT
public:
    dlgSetting(app::ProcessSettings& settings, app::UserPrompts& prompts,
               const std::vector<std::string>& ports, QWidget* parent = nullptr);

    void accept() override;

private:
    app::ProcessSettings& m_settings;
    app::UserPrompts& m_prompts;
    QComboBox* m_list = nullptr; // ComBoCommList
};

} // namespace vn574::ui::clone
