#pragma once

#include "link/FleetTable.h"
#include "ui/clone/CloneEnvironment.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vn574::document {
class Editor;
}

namespace vn574::ui::clone {

class FleetTableModel;

// Program Several Radios: the saved plan (the open document's file) into every radio of
// a table of radios, each with its own identity, the radios on different ports at the
// same time. The run is the core's fleet; this window edits its radio list and shows
// each radio's phase, progress and result. While it runs, only Stop ends it.
class FleetDialog final : public QDialog {
    Q_OBJECT
public:
    FleetDialog(document::Editor& editor, std::string planPath, CloneEnvironment environment,
                QWidget* parent = nullptr);
    ~FleetDialog() override;

    [[nodiscard]] link::FleetTable& table() { return m_table; }
    [[nodiscard]] bool running() const { return m_running; }

    // Start: the radio list and the plan checked, then the fleet run to its end.
    void start();
    void stop();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addRadio();
    void removeRadio();
    void importList();
    void exportList();
    void chooseLog();
    void openBackupsFolder();
    void setRunning(bool running);
    void showSummary();
    void message(const std::string& text);
    [[nodiscard]] QString text(const char* key) const;

    document::Editor& m_editor;
    std::string m_planPath;
    CloneEnvironment m_environment;
    std::vector<std::string> m_ports;
    link::FleetTable m_table;
    FleetTableModel* m_model = nullptr;
    bool m_running = false;
    std::function<void()> m_stop;

    QTableView* m_view = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QCheckBox* m_fast = nullptr;
    QCheckBox* m_keepIdentity = nullptr;
    QCheckBox* m_onlyChanged = nullptr;
    QLineEdit* m_logPath = nullptr;
    QPushButton* m_chooseLog = nullptr;
    QPushButton* m_backups = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace vn574::ui::clone
