#include "ui/clone/FleetDialog.h"

#include "document/Editor.h"
#include "files/BackupStore.h"
#include "files/CsvChannels.h"
#include "files/FleetLog.h"
#include "files/Sha256.h"
#include "link/CloneFrames.h"
#include "link/qt/QtFleetRunner.h"
#include "ui/clone/FleetPortDelegate.h"
#include "ui/clone/FleetTableModel.h"
#include "ui/clone/ProgressBarDelegate.h"

#include <ctime>
#include <filesystem>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace vn574::ui::clone {
namespace {

constexpr int windowWidth = 1280;
constexpr int windowHeight = 480;
// The identity's cells hold a few characters; the phase holds "Connect the next radio
// to PORT", so that the whole row fits the window.
constexpr int cellWidth = 64;
constexpr int portWidth = 150;
constexpr int labelWidth = 100;
constexpr int phaseWidth = 200;
constexpr int progressWidth = 110;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* button(const QString& name, QWidget* parent) {
    auto* result = new QPushButton(parent);
    result->setObjectName(name);
    result->setAutoDefault(false);
    return result;
}

} // namespace

FleetDialog::FleetDialog(document::Editor& editor, std::string planPath,
                         CloneEnvironment environment, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_planPath(std::move(planPath)),
      m_environment(std::move(environment)), m_ports(m_environment.discoverPorts()) {
    setObjectName(QStringLiteral("FleetDialog"));
    setWindowTitle(text("16000"));
    resize(windowWidth, windowHeight);

    auto* plan = new QLabel(text("16001").arg(qt(m_planPath)), this);
    plan->setObjectName(QStringLiteral("PlanLabel"));

    m_model = new FleetTableModel(m_table, m_editor.settings().language, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("RadioTable"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setItemDelegateForColumn(link::FleetTable::Port,
                                     new FleetPortDelegate(m_ports, m_view));
    m_view->setItemDelegateForColumn(
        FleetTableModel::progressColumn,
        new ProgressBarDelegate(FleetTableModel::progressRole, link::blockCount, m_view));
    QHeaderView* header = m_view->horizontalHeader();
    header->setDefaultSectionSize(cellWidth);
    header->resizeSection(link::FleetTable::Port, portWidth);
    header->resizeSection(link::FleetTable::Label, labelWidth);
    header->resizeSection(FleetTableModel::phaseColumn, phaseWidth);
    header->resizeSection(FleetTableModel::progressColumn, progressWidth);
    header->setStretchLastSection(true);

    m_add = button(QStringLiteral("AddRadio"), this);
    m_remove = button(QStringLiteral("RemoveRadio"), this);
    m_import = button(QStringLiteral("ImportList"), this);
    m_export = button(QStringLiteral("ExportList"), this);
    connect(m_add, &QPushButton::clicked, this, &FleetDialog::addRadio);
    connect(m_remove, &QPushButton::clicked, this, &FleetDialog::removeRadio);
    connect(m_import, &QPushButton::clicked, this, &FleetDialog::importList);
    connect(m_export, &QPushButton::clicked, this, &FleetDialog::exportList);
    auto* listButtons = new QHBoxLayout;
    for (auto* each : {m_add, m_remove, m_import, m_export}) {
        listButtons->addWidget(each);
    }
    listButtons->addStretch();

    m_fast = new QCheckBox(this);
    m_fast->setObjectName(QStringLiteral("FastTransfer"));
    m_keepIdentity = new QCheckBox(this);
    m_keepIdentity->setObjectName(QStringLiteral("KeepIdentity"));
    m_onlyChanged = new QCheckBox(this);
    m_onlyChanged->setObjectName(QStringLiteral("OnlyChanged"));
    auto* options = new QHBoxLayout;
    for (auto* each : {m_fast, m_keepIdentity, m_onlyChanged}) {
        options->addWidget(each);
    }
    options->addStretch();

    auto* logLabel = new QLabel(text("16012"), this);
    m_logPath = new QLineEdit(qt(files::defaultFleetLogPath(std::time(nullptr))), this);
    m_logPath->setObjectName(QStringLiteral("LogPath"));
    logLabel->setBuddy(m_logPath);
    m_chooseLog = button(QStringLiteral("ChooseLog"), this);
    m_backups = button(QStringLiteral("OpenBackups"), this);
    connect(m_chooseLog, &QPushButton::clicked, this, &FleetDialog::chooseLog);
    connect(m_backups, &QPushButton::clicked, this, &FleetDialog::openBackupsFolder);
    auto* logRow = new QHBoxLayout;
    logRow->addWidget(logLabel);
    logRow->addWidget(m_logPath, 1);
    logRow->addWidget(m_chooseLog);
    logRow->addWidget(m_backups);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_start = button(QStringLiteral("Start"), this);
    m_stopButton = button(QStringLiteral("Stop"), this);
    m_close = button(QStringLiteral("Close"), this);
    connect(m_start, &QPushButton::clicked, this, &FleetDialog::start);
    connect(m_stopButton, &QPushButton::clicked, this, &FleetDialog::stop);
    connect(m_close, &QPushButton::clicked, this, &FleetDialog::reject);
    auto* runButtons = new QHBoxLayout;
    runButtons->addWidget(m_summary, 1);
    for (auto* each : {m_start, m_stopButton, m_close}) {
        runButtons->addWidget(each);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plan);
    layout->addWidget(m_view, 1);
    layout->addLayout(listButtons);
    layout->addLayout(options);
    layout->addLayout(logRow);
    layout->addLayout(runButtons);

    m_add->setText(text("16002"));
    m_remove->setText(text("16003"));
    m_import->setText(text("16004"));
    m_export->setText(text("16005"));
    m_fast->setText(text("16006"));
    m_keepIdentity->setText(text("16007"));
    m_onlyChanged->setText(text("16008"));
    m_chooseLog->setText(text("16013"));
    m_backups->setText(text("16014"));
    m_start->setText(text("16009"));
    m_stopButton->setText(text("16010"));
    m_close->setText(text("16011"));
    setRunning(false);
}

FleetDialog::~FleetDialog() = default;

QString FleetDialog::text(const char* key) const {
    return qt(m_editor.langText("FLEET", key));
}

void FleetDialog::message(const std::string& text) {
    m_editor.prompts().message(text, app::Icon::Warning);
}

void FleetDialog::setRunning(bool running) {
    m_running = running;
    m_model->setEditable(!running);
    for (QWidget* each : std::initializer_list<QWidget*>{
             m_add, m_remove, m_import, m_export, m_fast, m_keepIdentity, m_onlyChanged, m_logPath,
             m_chooseLog, m_start, m_close}) {
        each->setEnabled(!running);
    }
    m_stopButton->setEnabled(running);
}

void FleetDialog::addRadio() {
    // A new radio is most likely on the port the editor uses, else the first one known.
    std::string port = m_editor.settings().commPort;
    if (port.empty() && !m_ports.empty()) {
        port = m_ports.front();
    }
    m_model->addRow(port);
    m_view->setCurrentIndex(m_model->index(m_table.rowCount() - 1, link::FleetTable::Port));
}

void FleetDialog::removeRadio() {
    m_model->removeRow(m_view->currentIndex().row());
}

void FleetDialog::importList() {
    const auto path = m_editor.prompts().chooseOpenFile(std::string(files::csvFileFilter));
    if (!path || path->empty()) {
        return;
    }
    if (const std::string error = m_table.importFile(*path); !error.empty()) {
        message(error);
        return;
    }
    m_model->reload();
}

void FleetDialog::exportList() {
    const auto path = m_editor.prompts().chooseSaveFile(std::string(files::csvFileFilter), "");
    if (!path || path->empty()) {
        return;
    }
    if (const std::string error = m_table.exportFile(*path); !error.empty()) {
        message(text("16043").arg(qt(error)).toStdString());
    }
}

void FleetDialog::chooseLog() {
    const auto path = m_editor.prompts().chooseSaveFile(std::string(files::csvFileFilter),
                                                        m_logPath->text().toStdString());
    if (path && !path->empty()) {
        m_logPath->setText(qt(*path));
    }
}

void FleetDialog::openBackupsFolder() {
    const std::string folder = files::BackupStore::standard().folder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        message(text("16044").arg(qt(folder), qt(error.message())).toStdString());
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(qt(folder)));
}

void FleetDialog::start() {
    if (m_running) {
        return;
    }
    // A cell still open in its editor belongs to the list.
    m_view->setFocus();
    const std::string logPath = m_logPath->text().trimmed().toStdString();
    if (logPath.empty()) {
        message(text("16042").toStdString());
        return;
    }
    const std::string listName = text("16040").toStdString();
    const files::RadioList list = m_table.startRun(listName, logPath);
    if (!list.error.empty()) {
        message(list.error);
        return;
    }
    auto& settings = m_editor.settings();
    if (const std::string error = link::checkFleet(settings, m_planPath, list.rows, listName);
        !error.empty()) {
        message(error);
        return;
    }
    link::FleetSettings fleet;
    fleet.planPath = m_planPath;
    if (const std::string error = files::fileSha256(m_planPath, fleet.planSha256); !error.empty()) {
        message(error);
        return;
    }
    fleet.fast = m_fast->isChecked();
    fleet.keepIdentity = m_keepIdentity->isChecked();
    fleet.onlyChanged = m_onlyChanged->isChecked();
    fleet.intervals = m_environment.intervals;
    m_summary->clear();
    setRunning(true);
    link::runFleet(settings, fleet, list.rows, m_table, &m_stop);
    setRunning(false);
    showSummary();
    if (!m_table.logError().empty()) {
        message(text("16041").arg(qt(m_table.logError())).toStdString());
    }
}

void FleetDialog::stop() {
    if (m_stop) {
        m_stop();
    }
}

void FleetDialog::showSummary() {
    int ok = 0;
    for (const auto& row : m_table.finished()) {
        ok += row.ok ? 1 : 0;
    }
    const auto done = static_cast<int>(m_table.finished().size());
    m_summary->setText(text("16015").arg(ok).arg(done - ok).arg(m_logPath->text()));
}

void FleetDialog::reject() {
    if (!m_running) {
        QDialog::reject();
    }
}

void FleetDialog::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vn574::ui::clone
