#include "../UiHarness.h"
#include "SimulatedRadioPort.h"
#include "files/ScopedEnvironment.h"

#include "link/FleetTable.h"
#include "sim/PtyHost.h"
#include "support/TempDir.h"
#include "ui/clone/FleetDialog.h"
#include "ui/clone/FrmMain.h"
#include "ui/clone/LoadFrmLink.h"
#include "ui/clone/RadioTransfers.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

using namespace vn574;

namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

// vn574-radio-sim in a thread: the simulated radio on a real pseudo-terminal.
struct PtyRadio {
    explicit PtyRadio(const sim::Memory& memory, sim::Faults faults = {})
        : model(memory, faults), host(model, false) {
        error = host.open();
        if (error.empty()) {
            thread = std::thread([this] { host.run(stop, [] {}); });
        }
    }
    ~PtyRadio() {
        stop = true;
        if (thread.joinable()) {
            thread.join();
        }
    }
    sim::RadioModel model;
    sim::PtyHost host;
    std::string error;
    std::atomic<bool> stop{false};
    std::thread thread;
};

// The program's own serial port; the port list, the times and the pauses (the simulator
// reads as fast as it is sent to) are the test's.
ui::clone::CloneEnvironment ptyEnvironment(const std::string& path) {
    ui::clone::CloneEnvironment environment = ui::clone::CloneEnvironment::system();
    environment.discoverPorts = [path] { return std::vector<std::string>{path}; };
    environment.realFramePauses = false;
    // Each reply must be in before the next tick, and ten silent ticks end the transfer;
    // on a busy machine the simulator's thread may wait a while for a core.
    environment.intervals = {100, 100};
    return environment;
}

} // namespace

class TestClonePty : public QObject {
    Q_OBJECT
private slots:
    void linkTestPassesAgainstTheSimulator();
    void linkTestFailsAgainstASilentRadio();
    void readThroughTheSerialPort();
    void fleetWindowProgramsTwoRadiosAtOnce();
};

void TestClonePty::linkTestPassesAgainstTheSimulator() {
    PtyRadio radio(sim::Memory{});
    QVERIFY2(radio.error.empty(), radio.error.c_str());
    test::UiHarness ui;
    ui.settings.firstRun = true;
    const auto environment = ptyEnvironment(radio.host.devicePath());
    ui::clone::LoadFrmLink window(ui.settings, ui.prompts, environment);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!ui.settings.firstRun);
    QVERIFY(ui.prompts.messages.empty());
}

void TestClonePty::linkTestFailsAgainstASilentRadio() {
    PtyRadio radio(sim::Memory{}, sim::Faults{.silent = true});
    QVERIFY2(radio.error.empty(), radio.error.c_str());
    test::UiHarness ui;
    ui.settings.firstRun = true;
    ui.settings.commPort = radio.host.devicePath();
    const auto environment = ptyEnvironment(radio.host.devicePath());
    ui::clone::LoadFrmLink window(ui.settings, ui.prompts, environment);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QTRY_COMPARE(ui.prompts.messages, std::vector<std::string>{"Communication Error!"});
    QVERIFY(window.isVisible());
    QVERIFY(ui.settings.firstRun);
}

void TestClonePty::readThroughTheSerialPort() {
    const std::string bytes = test::readFile(dataDir + "/image-2m.img");
    QCOMPARE(bytes.size(), sim::memorySize);
    sim::Memory memory{};
    std::memcpy(memory.data(), bytes.data(), memory.size());
    PtyRadio radio(memory);
    QVERIFY2(radio.error.empty(), radio.error.c_str());
    test::UiHarness ui;
    // The read's row of the transfer history goes to the test's own folder.
    files::filetest::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", ui.dir.file("data"));
    ui.settings.commPort = radio.host.devicePath();
    auto& transfers = ui.window().transfers();
    transfers.setEnvironment(ptyEnvironment(radio.host.devicePath()));
    transfers.setCloneWindowHook([](ui::clone::frmMain& window) {
        QTimer::singleShot(0, &window, [&window] {
            window.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
        });
    });
    ui.window().findChild<QAction*>(QStringLiteral("Menu_ReadCHData"))->trigger();
    QCOMPARE(QString::fromStdString(ui.prompts.messages.back()),
             QString::fromStdString(ui.settings.language.text("RW", "msg3")));
    QCOMPARE(ui.editor().selectedModel(), 2);
    QCOMPARE(ui.cell(1, document::colName), std::string("CALL2M"));
    QCOMPARE(ui.cell(2, document::colName), std::string("RPT-A"));
}

void TestClonePty::fleetWindowProgramsTwoRadiosAtOnce() {
    const std::string bytes = test::readFile(dataDir + "/demo-radio.img");
    QCOMPARE(bytes.size(), sim::memorySize);
    sim::Memory memory{};
    std::memcpy(memory.data(), bytes.data(), memory.size());
    PtyRadio first(memory);
    PtyRadio second(memory);
    QVERIFY2(first.error.empty(), first.error.c_str());
    QVERIFY2(second.error.empty(), second.error.c_str());
    const std::string firstPort = first.host.devicePath();
    const std::string secondPort = second.host.devicePath();
    // The radios' signalling options, so that their programming needs no attention.
    test::UiHarness ui("english.ini", test::allSignallingOptions());
    files::filetest::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", ui.dir.file("data"));
    // The plan is the radios' own programming, saved and unchanged since it was opened.
    ui.dir.write("plan.vd", test::readFile(dataDir + "/demo-radio.vd"));
    ui.dir.write("plan.ton", test::readFile(dataDir + "/demo-radio.ton"));
    QVERIFY(ui.window().openFile(ui.dir.file("plan.vd")).ok());
    auto ports = ptyEnvironment(firstPort);
    ports.discoverPorts = [=] { return std::vector<std::string>{firstPort, secondPort}; };
    auto& transfers = ui.window().transfers();
    transfers.setEnvironment(ports);
    const std::string log = ui.dir.file("fleet.csv");
    std::vector<link::FleetTable::State> states;
    std::vector<std::string> results;
    transfers.setFleetWindowHook([&](ui::clone::FleetDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&] {
            auto* add = dialog.findChild<QPushButton*>(QStringLiteral("AddRadio"));
            add->click();
            add->click();
            QAbstractItemModel* model =
                dialog.findChild<QTableView*>(QStringLiteral("RadioTable"))->model();
            model->setData(model->index(1, link::FleetTable::Port),
                           QString::fromStdString(secondPort));
            model->setData(model->index(0, link::FleetTable::SelfId), QStringLiteral("101"));
            model->setData(model->index(1, link::FleetTable::SelfId), QStringLiteral("102"));
            dialog.findChild<QLineEdit*>(QStringLiteral("LogPath"))
                ->setText(QString::fromStdString(log));
            dialog.findChild<QCheckBox*>(QStringLiteral("FastTransfer"))->setChecked(true);
            // The radios hold the plan already: only their identities' blocks go out, which
            // keeps the run short.
            dialog.findChild<QCheckBox*>(QStringLiteral("OnlyChanged"))->setChecked(true);
            // The run ends before the click returns.
            dialog.findChild<QPushButton*>(QStringLiteral("Start"))->click();
            for (int row = 0; row < dialog.table().rowCount(); ++row) {
                states.push_back(dialog.table().row(row).state);
                results.push_back(dialog.table().row(row).message);
            }
            dialog.findChild<QPushButton*>(QStringLiteral("Close"))->click();
        });
    });
    test::action(ui, "Menu_Fleet")->trigger();
    QVERIFY2(ui.prompts.messages.empty(),
             ui.prompts.messages.empty() ? "" : ui.prompts.messages.front().c_str());
    const std::vector<link::FleetTable::State> ok(2, link::FleetTable::State::Ok);
    const std::string why = results.empty() ? "no run" : results.front() + " / " + results.back();
    QVERIFY2(states == ok, why.c_str());
    const std::string written = test::readFile(log);
    QCOMPARE(std::count(written.begin(), written.end(), '\n'), 3L); // the header and two radios
    QVERIFY(written.find(firstPort + ",,") != std::string::npos);
    QVERIFY(written.find(",10100,") != std::string::npos);
    QVERIFY(written.find(",10200,") != std::string::npos);
}

QTEST_MAIN(TestClonePty)
#include "tst_clonepty.moc"
