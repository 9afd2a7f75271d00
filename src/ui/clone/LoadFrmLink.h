#pragma once

#include "ui/clone/CloneEnvironment.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vn574::app {
struct ProcessSettings;
class UserPrompts;
} // namespace vn574::app

namespace vn574::ui::clone {

// The initial setup window of the very first start: how to connect the radio, the port
// to use, and a link test of one identification exchange. Only a passed test clears
// settings.firstRun; the port chosen here is for the test only.
class LoadFrmLink : public QDialog {
    Q_OBJECT
public:
    LoadFrmLink(app::ProcessSettings& settings, app::UserPrompts& prompts,
                const CloneEnvironment& environment, QWidget* parent = nullptr);
    ~LoadFrmLink() override;

    // "9014", an empty line, then "9010" to "9013" of section MSG, one to a line.
    [[nodiscard]] static QString instructionText(const app::ProcessSettings& settings);

    void done(int result) override;

private:
    void onOk();
    // "" when the port is open, else why it could not be opened.
    std::string initComm2();
    void WriteLink2();
    void onReceive();
    void onLinkWait();
    void fillPortList(const std::vector<std::string>& ports);

    app::ProcessSettings& m_settings;
    app::UserPrompts& m_prompts;
    const CloneEnvironment& m_environment;
    std::unique_ptr<TransferPort> m_port; // MSComm1

    QLabel* m_instructions = nullptr;
    QComboBox* m_list = nullptr; // Combo1
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_linkWait = nullptr; // LinkWaitTimer
    QTimer* m_end = nullptr;      // EndTimer
};

} // namespace vn574::ui::clone
