#include "SimulatedRadioPort.h"

#include "app/IniFile.h"
#include "app/ProcessSettings.h"
#include "app/Startup.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "support/TestEnvironment.h"
#include "ui/QtStartupPlatform.h"
#include "ui/clone/LoadFrmLink.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vn574;
using ui::clone::LoadFrmLink;

namespace {

QPushButton* button(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

struct SetupRig {
    explicit SetupRig(sim::Faults faults = {}, std::vector<std::string> ports = {"sim0"})
        : radio(sim::Memory{}, faults), environment(test::simulatedEnvironment(radio, log, ports)) {
        settings.paths.languageFolder = test::languageFolder();
        settings.paths.settingsFolder = dir.path();
        settings.language = app::Language(test::languageFolder(), "english.ini");
        settings.firstRun = true;
    }

    test::TempDir dir;
    app::ProcessSettings settings;
    test::FakePrompts prompts;
    sim::RadioModel radio;
    test::LineLog log;
    ui::clone::CloneEnvironment environment;
};

// Runs the whole start-up of a first start, with `act` on the shown setup window.
app::StartupOutcome firstStart(SetupRig& rig, const std::function<void(LoadFrmLink&)>& act,
                               std::optional<std::string> port = std::nullopt) {
    ui::QtStartupPlatform platform(rig.environment, port);
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<LoadFrmLink*>(QApplication::activeModalWidget());
        if (window != nullptr) {
            act(*window);
        }
    });
    return app::runStartup(rig.settings, platform, port);
}

// Runs `act` once on the first modal widget of type T, as soon as one is shown; start-up
// shows its windows and messages with exec(), so the test acts from the event loop.
template <typename T> void whenModal(const std::function<void(T&)>& act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        if (widget == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        act(*widget);
    });
    poll->start();
}

std::string isFirstRun(const SetupRig& rig) {
    return app::IniFile::readString(rig.settings.paths.mysetupIni(), "language", "IsFirstRun");
}

} // namespace

class TestInitialSetup : public QObject {
    Q_OBJECT
private slots:
    void showsTheComposedInstructions();
    void passedLinkTestClosesTheWindow();
    void silentRadioIsACommunicationError();
    void portThatCannotBeOpened();
    void firstStartPassesAndRecordsIt();
    void cancelledFirstStartExits();
};

void TestInitialSetup::showsTheComposedInstructions() {
    SetupRig rig;
    LoadFrmLink window(rig.settings, rig.prompts, rig.environment);
    QCOMPARE(window.windowTitle(), QStringLiteral("Initial Setup"));
    const auto msg = [&rig](const char* key) { return rig.settings.language.text("MSG", key); };
    const std::string expected = msg("9014") + "\r\n\r\n" + msg("9010") + "\r\n" + msg("9011") +
                                 "\r\n" + msg("9012") + "\r\n" + msg("9013");
    QVERIFY(!msg("9014").empty());
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString(), expected);
    QCOMPARE(button(window, "cmdOK")->text(), QStringLiteral("&OK"));
    QCOMPARE(button(window, "cmdCancel")->text(), QStringLiteral("&Cancel"));
    // At the first start no port is known, so none is chosen yet.
    auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentText(), QString());
}

void TestInitialSetup::passedLinkTestClosesTheWindow() {
    SetupRig rig;
    LoadFrmLink window(rig.settings, rig.prompts, rig.environment);
    window.show();
    // No port chosen: OK looks for the machine's ports and tests the first.
    button(window, "cmdOK")->click();
    QCOMPARE(rig.log.openedNames, std::vector<std::string>{"sim0"});
    QCOMPARE(rig.log.handshakes, std::vector<link::Handshake>{link::Handshake::RtsCts});
    QCOMPARE(window.findChild<QComboBox*>()->currentText(), QStringLiteral("sim0"));
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(!rig.settings.firstRun);
    QVERIFY(rig.prompts.messages.empty());
    QCOMPARE(rig.radio.frames(), std::vector<std::string>{"VN575"});
    QCOMPARE(rig.log.openPorts, 0);
}

void TestInitialSetup::silentRadioIsACommunicationError() {
    SetupRig rig(sim::Faults{.silent = true});
    rig.settings.commPort = "sim0";
    LoadFrmLink window(rig.settings, rig.prompts, rig.environment);
    window.show();
    button(window, "cmdOK")->click();
    QTRY_COMPARE(rig.prompts.messages, std::vector<std::string>{"Communication Error!"});
    QVERIFY(window.isVisible());
    QVERIFY(rig.settings.firstRun);

    // The radio switched on: OK again opens the port again and passes.
    rig.radio = sim::RadioModel(sim::Memory{});
    button(window, "cmdOK")->click();
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!rig.settings.firstRun);
    QCOMPARE(rig.log.openedNames.size(), std::size_t{2});

    // A reply with anything more than the 13 bytes is no pass either.
    SetupRig noisy(sim::Faults{.garbageBytes = 2});
    noisy.settings.commPort = "sim0";
    LoadFrmLink second(noisy.settings, noisy.prompts, noisy.environment);
    second.show();
    button(second, "cmdOK")->click();
    QTRY_COMPARE(noisy.prompts.messages, std::vector<std::string>{"Communication Error!"});
    QVERIFY(noisy.settings.firstRun);
}

void TestInitialSetup::portThatCannotBeOpened() {
    SetupRig rig;
    rig.settings.commPort = "/dev/missing";
    rig.log.openError = "No such file or directory";
    LoadFrmLink window(rig.settings, rig.prompts, rig.environment);
    window.show();
    QCOMPARE(window.findChild<QComboBox*>()->currentText(), QStringLiteral("/dev/missing"));
    button(window, "cmdOK")->click();
    // The window's own message first, then the port's reason.
    QCOMPARE(
        rig.prompts.messages,
        std::vector<std::string>{"Cannot Open Communication Port.\n\nNo such file or directory"});
    QCOMPARE(rig.prompts.icons, std::vector<app::Icon>{app::Icon::Error});
    QVERIFY(window.isVisible());

    // On the program's own serial port a device that is not there is named as missing,
    // as the clone window names it.
    SetupRig real;
    real.environment.makePort = ui::clone::CloneEnvironment::system().makePort;
    real.settings.commPort = real.dir.file("ttyUSB9");
    LoadFrmLink missing(real.settings, real.prompts, real.environment);
    missing.show();
    button(missing, "cmdOK")->click();
    QCOMPARE(real.prompts.messages.size(), std::size_t{1});
    const std::string& shown = real.prompts.messages.front();
    QVERIFY2(shown.starts_with("Cannot Open Communication Port.\n\nThe serial port " +
                               real.dir.file("ttyUSB9") + " does not exist."),
             shown.c_str());

    // A machine without any port: said so, then the port cannot be opened.
    SetupRig bare({}, {});
    LoadFrmLink empty(bare.settings, bare.prompts, bare.environment);
    empty.show();
    button(empty, "cmdOK")->click();
    const std::vector<std::string> expected{"No Com Port!", "Cannot Open Communication Port."};
    QCOMPARE(bare.prompts.messages, expected);
    QVERIFY(bare.log.openedNames.empty());
}

void TestInitialSetup::firstStartPassesAndRecordsIt() {
    SetupRig rig({}, {"ttyS0"});
    // The port named on the command line is the one offered for the test.
    QString offered;
    const auto outcome = firstStart(
        rig,
        [&offered](LoadFrmLink& window) {
            offered = window.findChild<QComboBox*>()->currentText();
            button(window, "cmdOK")->click();
        },
        std::string("/dev/pts/sim"));
    QCOMPARE(outcome, app::StartupOutcome::ShowMainWindow);
    QCOMPARE(offered, QStringLiteral("/dev/pts/sim"));
    QCOMPARE(rig.log.openedNames, std::vector<std::string>{"/dev/pts/sim"});
    QCOMPARE(isFirstRun(rig), std::string("0"));
    QCOMPARE(rig.settings.commPort, std::string("/dev/pts/sim"));

    // Without a port on the command line, the test's port does not stay: start-up
    // chooses the default port afterwards.
    SetupRig other({}, {"ttyS0"});
    const auto second = firstStart(other, [](LoadFrmLink& window) {
        window.findChild<QComboBox*>()->setEditText(QStringLiteral("/dev/pts/typed"));
        button(window, "cmdOK")->click();
    });
    QCOMPARE(second, app::StartupOutcome::ShowMainWindow);
    QCOMPARE(other.log.openedNames, std::vector<std::string>{"/dev/pts/typed"});
    QCOMPARE(other.settings.commPort, std::string("ttyS0"));
}

void TestInitialSetup::cancelledFirstStartExits() {
    SetupRig rig(sim::Faults{.silent = true});
    QString shown;
    const auto outcome = firstStart(rig, [&shown](LoadFrmLink& window) {
        // After the failed test the user gives up.
        whenModal<QMessageBox>([&window, &shown](QMessageBox& box) {
            shown = box.text();
            box.accept();
            QTimer::singleShot(0, &window, [&window] { button(window, "cmdCancel")->click(); });
        });
        button(window, "cmdOK")->click();
    });
    QCOMPARE(outcome, app::StartupOutcome::Exit);
    QCOMPARE(shown, QStringLiteral("Communication Error!"));
    QVERIFY(rig.settings.firstRun);
    QCOMPARE(isFirstRun(rig), std::string());
    QCOMPARE(rig.log.openPorts, 0);
}

QTEST_MAIN(TestInitialSetup)
#include "tst_initialsetup.moc"
