#include "SimulatedRadioPort.h"
#include "TransferRig.h"
#include "../UiHarness.h"

#include "app/OptionFlags.h"
#include "document/Document.h"
#include "files/ChannelFile.h"
#include "support/TempDir.h"
#include "support/TestEnvironment.h"
#include "ui/PasswordDialog.h"
#include "ui/QtPrompts.h"
#include "ui/clone/DlgSetting.h"
#include "ui/clone/FrmMain.h"
#include "ui/clone/RadioTransfers.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

using namespace vn574;
using test::button;
using test::dataDir;
using test::memoryFromFile;
using test::simPort;
using test::TransferRig;
using test::withPassword;

namespace {

QString statusPanel2(const TransferRig& rig) {
    return rig.ui.window().findChild<QLabel*>(QStringLiteral("StatusBar1Panel2"))->text();
}

} // namespace
using ui::clone::frmMain;

class TestCloneWindow : public QObject {
    Q_OBJECT
private slots:
    void readShowsTheRadioInTheMainWindow();
    void readButtonOffersToSaveThenResets();
    void readMenuAsksBeforeDiscardingChanges();
    void readThatDoesNotCompleteKeepsTheDocument();
    void passwordIsAskedUntilRightAndRemembered();
    void passwordWindowHoldsTheTick();
    void cancelledPasswordEndsTheReadSilently();
    void silentRadioShowsItsFailure();
    void stopAndContinueGoesOnWithTheBlockDue();
    void closeButtonEndsTheTransfer();
    void writePutsTheDocumentIntoTheRadio();
    void writeCanGiveTheRadioANewPassword();
    void writeToAnotherModelTypeWritesNothing();
    void writeRefusesADocumentWithoutChannels();
    void comPortMenuOpensThePortDialog();
    void comPortMenuWithoutAnyPort();
    void traceOfTheLastTransferCanBeSaved();
    void fastTransferChoiceIsKept();
};

void TestCloneWindow::readShowsTheRadioInTheMainWindow() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    QString statusDuring;
    rig.beforeStart = [&rig, &statusDuring](ui::clone::frmMain&) {
        statusDuring = statusPanel2(rig);
    };
    rig.trigger("Menu_ReadCHData");

    QCOMPARE(rig.windows, 1);
    QCOMPARE(statusDuring, QStringLiteral("Reading the radio…"));
    QCOMPARE(statusPanel2(rig), QStringLiteral("Ready"));
    QCOMPARE(rig.caption, QStringLiteral("Read Data from Radio  (COMM Port:/dev/pts/sim)"));
    QCOMPARE(rig.startCaption, QString::fromStdString(rig.text("rw003")));
    QCOMPARE(rig.closeCaption, QString::fromStdString(rig.text("rw005")));
    QVERIFY(!rig.passwordControlsShown);
    QCOMPARE(rig.barMaximum, 512);
    QCOMPARE(rig.lastProgress, 512);
    const std::vector<std::string> expected{rig.ui.editor().windowMessage(9007), rig.text("msg3")};
    QCOMPARE(rig.ui.prompts.messages, expected);
    QCOMPARE(rig.log.openPorts, 0);
    QCOMPARE(rig.log.openedNames.front(), std::string(simPort));
    QCOMPARE(rig.framesNamed("ZT~E"), 1);

    // The main window shows what the decoder read: model, its code, the grid, the
    // signalling menus of the radio's options, and the document counts as changed.
    document::Editor& editor = rig.ui.editor();
    QCOMPARE(editor.selectedModel(), 2);
    QCOMPARE(rig.ui.window().findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex(), 2);
    QVERIFY(!editor.modelCodeLabel().empty());
    QCOMPARE(rig.ui.window().findChild<QLabel*>(QStringLiteral("Label2"))->text().toStdString(),
             editor.modelCodeLabel());
    QVERIFY(editor.document().bModify);
    QVERIFY(rig.ui.window().findChild<QAction*>(QStringLiteral("mnu2Tone"))->isVisible());
    QVERIFY(rig.ui.window().findChild<QAction*>(QStringLiteral("mnu5Tone"))->isVisible());
    const std::string saved = rig.ui.dir.file("read.vd");
    QVERIFY(files::saveChannelFile(editor, saved).saved);
    QCOMPARE(test::readFile(saved), test::readFile(dataDir + "/image-2m.decoded.vd"));

    // The clone window stored the radio's options (byte 14 = 0xE0) when it closed.
    const std::string setting = test::readFile(rig.ui.dir.file("Setting.ini"));
    QCOMPARE(setting, std::string("\x01\x01\x01\x00", 4));
}

void TestCloneWindow::readButtonOffersToSaveThenResets() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    rig.ui.editor().document().bModify = true;
    rig.ui.prompts.answers = {app::Answer::Cancel};
    rig.trigger("ReadBtn");
    QCOMPARE(rig.windows, 0);
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(rig.ui.prompts.questions[0].text, rig.ui.editor().windowMessage(9001));

    // "No" lets the read replace the changes: the document is reset before the read
    // starts, but a radio that never answers brings the old one back, still unsaved.
    rig.ui.prompts.answers = {app::Answer::No};
    rig.ui.editor().setCell(103, document::colName, "KEEP");
    rig.ui.editor().document().bModify = true;
    rig.radio = sim::RadioModel(sim::Memory{}, sim::Faults{.silent = true, .noEcho = true});
    rig.trigger("ReadBtn");
    QCOMPARE(rig.windows, 1);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msgopen"));
    QCOMPARE(rig.ui.cell(103, document::colName), std::string("KEEP"));
    QVERIFY(rig.ui.editor().document().bModify);
}

void TestCloneWindow::readThatDoesNotCompleteKeepsTheDocument() {
    // The radio goes silent once it has answered block 46, the first of channel 7.
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"), sim::Faults{.freezeAfterBlock = 46});
    document::Editor& editor = rig.ui.editor();
    editor.selectModel(5);
    editor.restartHistory();
    editor.setCell(103, document::colName, "KEEP");
    editor.recordStep("keep");
    const document::EditorState before = editor.currentState();
    const std::string fileName = editor.fileName();
    auto* selector = rig.ui.window().findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* status = rig.ui.window().findChild<QLabel*>(QStringLiteral("StatusBar1Panel2"));
    const auto keptAsBefore = [&] {
        QVERIFY(editor.currentState().sameContent(before));
        QCOMPARE(editor.fileName(), fileName);
        QVERIFY(editor.document().bModify);
        QCOMPARE(editor.history().undoName(), std::string("keep"));
        QCOMPARE(selector->currentIndex(), 5);
        QCOMPARE(status->text().toStdString(), editor.langText("OTHERS", "70020"));
    };

    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg1"));
    QCOMPARE(rig.framesNamed("ZT~F02E0R"), 1); // channels were read into the document
    keptAsBefore();

    // The read button's window closed without Start: its reset is taken back too.
    rig.beforeStart = [](frmMain& window) {
        button(window, "cmdStart")->setEnabled(false);
        QTimer::singleShot(0, &window, [&window] { button(window, "cmdClose")->click(); });
    };
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("ReadBtn");
    QCOMPARE(rig.windows, 2);
    keptAsBefore();

    // A read that completes replaces the document and starts a fresh history.
    rig.radio = sim::RadioModel(memoryFromFile(dataDir + "/image-2m.img"));
    rig.beforeStart = nullptr;
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QCOMPARE(selector->currentIndex(), 2);
    QVERIFY(!editor.history().canUndo());
    QCOMPARE(status->text().toStdString(), editor.langText("OTHERS", "70008"));
}

void TestCloneWindow::readMenuAsksBeforeDiscardingChanges() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    rig.ui.editor().document().bModify = true;
    rig.ui.prompts.answers = {app::Answer::Cancel};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.windows, 0);
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(rig.ui.prompts.questions[0].text, rig.ui.editor().windowMessage(9001));
    QVERIFY(rig.ui.prompts.messages.empty()); // not even the transfer notice
    QVERIFY(rig.ui.editor().document().bModify);

    // "No" starts the read. The radio is of another model: its block 0 changes the
    // model without asking again under the running tick, and the read completes.
    QVERIFY(rig.ui.editor().selectedModel() != 2);
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.windows, 1);
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{2});
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QCOMPARE(rig.ui.editor().selectedModel(), 2);
    rig.ui.prompts.messages.clear();

    // Without a port nothing is asked: the read cannot start anyway.
    rig.ui.settings.commPort.clear();
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{2});
    QCOMPARE(rig.ui.prompts.messages, std::vector<std::string>{"Please Set Com Port!"});
    rig.trigger("Write");
    QCOMPARE(rig.ui.prompts.messages.back(), std::string("Please Set Com Port!"));
    QCOMPARE(rig.windows, 1);
}

void TestCloneWindow::passwordIsAskedUntilRightAndRemembered() {
    TransferRig rig(withPassword(memoryFromFile(dataDir + "/image-2m.img"), "4321"));
    rig.ui.prompts.passwords = {std::string("1234"), std::string("4321")};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.passwordRequests, 2);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    // Block 5 was asked for only once the password was right.
    const auto& frames = rig.radio.frames();
    QCOMPARE(rig.framesNamed("ZT~F0050R"), 1);
    QVERIFY(std::find(frames.begin(), frames.end(), "ZT~F0050R") > frames.begin() + 4);

    // The typed password is kept for the rest of the run.
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.windows, 2);
    QCOMPARE(rig.ui.prompts.passwordRequests, 2);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
}

void TestCloneWindow::passwordWindowHoldsTheTick() {
    // The program's own prompts: the real password window and message boxes.
    test::TempDir dir;
    app::ProcessSettings settings;
    settings.paths.languageFolder = test::languageFolder();
    settings.paths.settingsFolder = dir.path();
    settings.language = app::Language(test::languageFolder(), "english.ini");
    settings.commPort = simPort;
    ui::QtPrompts prompts;
    document::Editor editor(settings, prompts);
    editor.load();
    sim::RadioModel radio(withPassword(memoryFromFile(dataDir + "/image-2m.img"), "4321"));
    test::LineLog log;
    const auto environment = test::simulatedEnvironment(radio, log);
    link::TransferState state;
    frmMain window(editor, state, environment);
    prompts.setParent(&window);
    window.show();

    bool tickDuringPassword = true;
    QString passwordTitle;
    QString finalMessage;
    auto* poll = new QTimer(&window);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, &window, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<ui::PasswordDialog*>(modal)) {
            tickDuringPassword = window.tickActive();
            passwordTitle = dialog->windowTitle();
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("4321"));
            dialog->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            finalMessage = box->text();
            box->accept();
        }
    });
    poll->start();
    button(window, "cmdStart")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 20000);
    QCOMPARE(passwordTitle, QStringLiteral("PassWord"));
    QVERIFY(!tickDuringPassword);
    QCOMPARE(finalMessage.toStdString(), settings.language.text("RW", "msg3"));
    QCOMPARE(state.strEnteredPassword, std::string("4321"));
    QCOMPARE(radio.endFrames(), 1);
}

void TestCloneWindow::cancelledPasswordEndsTheReadSilently() {
    TransferRig rig(withPassword(memoryFromFile(dataDir + "/image-2m.img"), "4321"));
    rig.ui.prompts.passwords = {std::nullopt};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.passwordRequests, 1);
    QCOMPARE(rig.ui.prompts.messages,
             std::vector<std::string>{rig.ui.editor().windowMessage(9007)});
    const std::vector<std::string> asked{"ZT~F0000R", "ZT~F0010R", "ZT~F0020R", "ZT~F0030R",
                                         "ZT~F0040R"};
    QCOMPARE(rig.radio.frames(), asked);
    QCOMPARE(rig.log.openPorts, 0);
}

void TestCloneWindow::silentRadioShowsItsFailure() {
    // Not a byte back, not even the cable's echo: the cable is not plugged in.
    TransferRig unplugged(memoryFromFile(dataDir + "/image-2m.img"),
                          sim::Faults{.silent = true, .noEcho = true});
    unplugged.trigger("Menu_ReadCHData");
    QCOMPARE(unplugged.ui.prompts.messages.back(), unplugged.text("msgopen"));
    QCOMPARE(unplugged.log.openPorts, 0);
    QVERIFY(!unplugged.ui.editor().document().bModify);
    QCOMPARE(unplugged.framesNamed("ZT~F0000R"), 10); // the 11th tick gives up

    // The echo but no answer: the read gives up after its third buffer.
    TransferRig silent(memoryFromFile(dataDir + "/image-2m.img"), sim::Faults{.silent = true});
    silent.trigger("Menu_ReadCHData");
    QCOMPARE(silent.ui.prompts.messages.back(), silent.text("msg1"));
    QCOMPARE(silent.framesNamed("ZT~F0000R"), static_cast<int>(silent.radio.frames().size()));
    QVERIFY(!silent.ui.editor().document().bModify);
}

void TestCloneWindow::stopAndContinueGoesOnWithTheBlockDue() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    bool stopped = false;
    std::size_t framesAtStop = 0;
    std::size_t framesAtRestart = 0;
    bool tickWhileStopped = true;
    QString captionWhileStopped;
    rig.afterStart = [&](frmMain& window) {
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QObject::connect(bar, &QProgressBar::valueChanged, &window, [&](int value) {
            if (stopped || value < 200) {
                return;
            }
            stopped = true;
            QTimer::singleShot(0, &window, [&] {
                button(window, "cmdStart")->click();
                // The stop takes effect once the frame on its way is out (20 ms at most).
                QTimer::singleShot(30, &window, [&] {
                    framesAtStop = rig.radio.frames().size();
                    tickWhileStopped = window.tickActive();
                    captionWhileStopped = button(window, "cmdStart")->text();
                    QTimer::singleShot(40, &window, [&] {
                        framesAtRestart = rig.radio.frames().size();
                        button(window, "cmdStart")->click();
                    });
                });
            });
        });
    };
    rig.trigger("Menu_ReadCHData");
    QVERIFY(stopped);
    QVERIFY(!tickWhileStopped);
    QCOMPARE(captionWhileStopped, QString::fromStdString(rig.text("rw003")));
    QCOMPARE(framesAtRestart, framesAtStop);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    // Nothing was read twice from the start: the read went on where it stopped.
    QCOMPARE(rig.framesNamed("ZT~F0000R"), 1);
    const auto& frames = rig.radio.frames();
    QVERIFY(std::is_sorted(frames.begin(), frames.end() - 1));
}

void TestCloneWindow::closeButtonEndsTheTransfer() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    rig.afterStart = [&](frmMain& window) {
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QObject::connect(bar, &QProgressBar::valueChanged, &window, [&window](int value) {
            if (value >= 100) {
                QTimer::singleShot(0, &window, [&window] { button(window, "cmdClose")->click(); });
            }
        });
    };
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages,
             std::vector<std::string>{rig.ui.editor().windowMessage(9007)});
    QCOMPARE(rig.log.openPorts, 0);
    QCOMPARE(rig.framesNamed("ZT~E"), 0);
    // Block 0 told the radio's options; closing stored them.
    QCOMPARE(test::readFile(rig.ui.dir.file("Setting.ini")), std::string("\x01\x01\x01\x00", 4));
}

void TestCloneWindow::writePutsTheDocumentIntoTheRadio() {
    const auto blank = sim::buildMemory("335566", 0xE0, "");
    QVERIFY(blank.has_value());
    TransferRig rig(*blank);
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    QVERIFY(!rig.ui.editor().document().bModify);
    QString statusDuring;
    rig.beforeStart = [&rig, &statusDuring](ui::clone::frmMain&) {
        statusDuring = statusPanel2(rig);
    };
    rig.trigger("Write");
    QCOMPARE(statusDuring, QStringLiteral("Writing the radio…"));
    QCOMPARE(statusPanel2(rig), QStringLiteral("Ready"));

    QCOMPARE(rig.caption, QStringLiteral("Write Data to Radio  (COMM Port:/dev/pts/sim)"));
    QVERIFY(rig.passwordControlsShown);
    QVERIFY(rig.height > 0);
    const std::vector<std::string> expected{rig.ui.editor().windowMessage(9007), rig.text("msg3")};
    QCOMPARE(rig.ui.prompts.messages, expected);
    const sim::Memory image = memoryFromFile(dataDir + "/image-2m.img");
    QVERIFY(rig.radio.memory() == image);
    QCOMPARE(rig.radio.writtenBlocks().front(), 16);
    QVERIFY(!rig.ui.editor().document().bModify);
    QCOMPARE(rig.log.openPorts, 0);
}

void TestCloneWindow::writeCanGiveTheRadioANewPassword() {
    const auto locked = sim::buildMemory("335566", 0xE0, "4321");
    QVERIFY(locked.has_value());
    TransferRig rig(*locked);
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    rig.ui.prompts.passwords = {std::string("4321")};
    QLineEdit* boxShownAfterCheck = nullptr;
    rig.beforeStart = [&](frmMain& window) {
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtNewPassword"));
        QVERIFY(box->isHidden());
        window.findChild<QCheckBox*>(QStringLiteral("chkPasswordModify"))->setChecked(true);
        boxShownAfterCheck = box->isHidden() ? nullptr : box;
        box->setText(QStringLiteral("77"));
    };
    rig.trigger("Menu_WriteCHData");
    QVERIFY(boxShownAfterCheck != nullptr);
    QCOMPARE(rig.ui.prompts.passwordRequests, 1);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QCOMPARE(rig.radio.writtenBlocks().at(0), 4);
    QCOMPARE(rig.radio.writtenBlocks().at(1), 16);
    const sim::Memory& memory = rig.radio.memory();
    QCOMPARE(std::string(memory.begin() + 64, memory.begin() + 80),
             std::string("77\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
}

void TestCloneWindow::writeToAnotherModelTypeWritesNothing() {
    const auto other = sim::buildMemory("AA5566", 0xE0, "");
    QVERIFY(other.has_value());
    TransferRig rig(*other);
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    rig.trigger("Write");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msgmodeltypedif"));
    QVERIFY(rig.radio.writtenBlocks().empty());
    QVERIFY(rig.radio.memory() == *other);
}

void TestCloneWindow::writeRefusesADocumentWithoutChannels() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    rig.trigger("Menu_WriteCHData"); // model 9 after a reset: every channel out of use
    QCOMPARE(rig.windows, 0);
    QCOMPARE(rig.ui.prompts.messages.back(), std::string("please active one channel in 0 to 99."));
}

void TestCloneWindow::comPortMenuOpensThePortDialog() {
    TransferRig rig(sim::Memory{});
    rig.ui.settings.commPort.clear();
    rig.trigger("Menu_COMPort");
    // No port known: the default port is looked for first, the USB device of the lowest
    // number before the serial device.
    QCOMPARE(rig.ui.settings.commPort, std::string("ttyUSB0"));
    ui::clone::dlgSetting* dialog = rig.transfers().portDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("COM Port Setting"));
    QCOMPARE(dialog->findChild<QGroupBox*>()->title(), QStringLiteral("Communication Port"));
    QCOMPARE(dialog->findChild<QLabel*>()->text(), QStringLiteral("COM Port:"));
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("ComBoCommList"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentText(), QStringLiteral("ttyUSB0"));

    // An empty text names no port: the dialog stays and says so.
    list->setEditText(QString());
    button(*dialog, "OKButton")->click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(rig.ui.prompts.messages.back(), std::string("Please Set Com Port!"));
    QCOMPARE(rig.ui.settings.commPort, std::string("ttyUSB0"));

    list->setEditText(QStringLiteral(" /dev/pts/9 "));
    button(*dialog, "OKButton")->click();
    QTRY_VERIFY(rig.transfers().portDialog() == nullptr);
    QCOMPARE(rig.ui.settings.commPort, std::string("/dev/pts/9"));
    QCOMPARE(rig.ui.settings.commSettings, std::string("9600,n,8,1"));

    rig.trigger("Menu_COMPort");
    dialog = rig.transfers().portDialog();
    QCOMPARE(dialog->findChild<QComboBox*>()->currentText(), QStringLiteral("/dev/pts/9"));
    dialog->findChild<QComboBox*>()->setEditText(QStringLiteral("ttyS0"));
    button(*dialog, "CancelButton")->click();
    QTRY_VERIFY(rig.transfers().portDialog() == nullptr);
    QCOMPARE(rig.ui.settings.commPort, std::string("/dev/pts/9"));
}

void TestCloneWindow::comPortMenuWithoutAnyPort() {
    TransferRig rig(sim::Memory{});
    rig.ui.settings.commPort.clear();
    rig.transfers().setEnvironment(test::simulatedEnvironment(rig.radio, rig.log, {}));
    rig.trigger("Menu_COMPort");
    QCOMPARE(rig.ui.prompts.messages, std::vector<std::string>{"No Com Port!"});
    QVERIFY(rig.transfers().portDialog() == nullptr);
}

void TestCloneWindow::traceOfTheLastTransferCanBeSaved() {
    // The read fails and its window closes; the user opens the window again to save
    // what went over the line.
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"), sim::Faults{.silent = true});
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg1"));
    const std::string failed = rig.transfers().lastTrace().text();
    QVERIFY(failed.find(simPort) != std::string::npos);
    QVERIFY(failed.find("ZT~F0000R") != std::string::npos);

    test::TempDir dir;
    const std::string saved = dir.path() + "/trace.txt";
    link::TransferState state;
    const auto environment = test::simulatedEnvironment(rig.radio, rig.log);
    {
        frmMain window(rig.ui.editor(), state, environment, &rig.transfers().lastTrace());
        QPushButton* save = button(window, "cmdSaveTrace");
        QCOMPARE(save->text().toStdString(), rig.text("rw007"));
        rig.ui.prompts.saveFiles = {std::nullopt, saved, dir.path() + "/missing/trace.txt"};
        save->click(); // cancelled: nothing written
        QVERIFY(!std::filesystem::exists(saved));
        save->click();
        QCOMPARE(test::readFile(saved), failed);
        const std::size_t messages = rig.ui.prompts.messages.size();
        save->click(); // a folder that is not there
        QCOMPARE(rig.ui.prompts.messages.size(), messages + 1);
        QVERIFY(rig.ui.prompts.messages.back().find("could not be saved") != std::string::npos);
    }

    // A transfer that went well replaces the record; its replies are in it.
    TransferRig good(memoryFromFile(dataDir + "/image-2m.img"));
    good.trigger("Menu_ReadCHData");
    QCOMPARE(good.ui.prompts.messages.back(), good.text("msg3"));
    const std::string read = good.transfers().lastTrace().text();
    QVERIFY(read.find("ZT~F1FF0R") != std::string::npos);
    QVERIFY(read.find(" recv ") != std::string::npos);
}

void TestCloneWindow::fastTransferChoiceIsKept() {
    TransferRig rig(memoryFromFile(dataDir + "/image-2m.img"));
    std::vector<bool> shownChecked;
    rig.beforeStart = [&](frmMain& window) {
        auto* fast = window.findChild<QCheckBox*>(QStringLiteral("chkFast"));
        QCOMPARE(fast->text(), QString::fromStdString(rig.text("rw009")));
        shownChecked.push_back(fast->isChecked());
        fast->setChecked(true);
    };
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QCOMPARE(rig.framesNamed("ZT~F0000R"), 1);
    QVERIFY(rig.ui.settings.fastTransfer()); // kept in mysetup.ini
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(shownChecked, (std::vector<bool>{false, true}));
}

QTEST_MAIN(TestCloneWindow)
#include "tst_clonewindow.moc"
