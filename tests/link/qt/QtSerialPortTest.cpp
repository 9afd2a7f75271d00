#include "link/CloneFrames.h"
#include "link/qt/QtCloneRunner.h"
#include "link/qt/QtSerialPort.h"
#include "rig/CloneRig.h"
#include "sim/PtyHost.h"
#include "sim/RadioModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace vn574::link {
namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "vn574_link_qt_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

// A pseudo-terminal whose master end the test holds; the port opens the slave's path.
struct Pty {
    Pty() {
        char name[256] = {};
        EXPECT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        termios tio{};
        ::tcgetattr(slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        path = name;
    }
    ~Pty() {
        ::close(master);
        ::close(slave);
    }
    std::string readMaster() {
        std::string bytes;
        char buffer[256];
        ssize_t got = 0;
        while ((got = ::read(master, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }
    void writeMaster(std::string_view bytes) const {
        EXPECT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    int master = -1;
    int slave = -1;
    std::string path;
};

bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        app().processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

TEST(QtSerialPort, OpensAPtyWritesAndReceivesBytesAsTheyAre) {
    app();
    Pty pty;
    QtSerialPort port;
    int events = 0;
    port.setReceiveHandler([&] { ++events; });
    port.setBufferSizes(1024, 512);
    ASSERT_EQ(port.open(pty.path, LineSettings{}, Handshake::None), "");
    EXPECT_TRUE(port.isOpen());

    port.write(std::string("ZT~F0000R\r\n\0\xFF", 13));
    EXPECT_EQ(pty.readMaster(), std::string("ZT~F0000R\r\n\0\xFF", 13));

    pty.writeMaster(std::string("\r\n\x80OK\0", 6));
    ASSERT_TRUE(spinUntil([&] { return port.bytesWaiting() == 6; }));
    EXPECT_GE(events, 1);
    EXPECT_EQ(port.readAll(), std::string("\r\n\x80OK\0", 6));

    pty.writeMaster("stale");
    ASSERT_TRUE(spinUntil([&] { return port.bytesWaiting() == 5; }));
    port.discardInput();
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.readAll(), "");
    // Bytes that arrive after the discard are received as ever.
    pty.writeMaster("fresh");
    ASSERT_TRUE(spinUntil([&] { return port.bytesWaiting() == 5; }));
    EXPECT_EQ(port.readAll(), "fresh");

    port.close();
    EXPECT_FALSE(port.isOpen());
    // Opening again works: the transfer opens and closes the port more than once.
    EXPECT_EQ(port.open(pty.path, LineSettings{}, Handshake::None), "");
    pty.writeMaster("again");
    ASSERT_TRUE(spinUntil([&] { return port.bytesWaiting() == 5; }));
    EXPECT_EQ(port.readAll(), "again");
}

TEST(QtSerialPort, MissingDeviceGivesThePlatformsDescription) {
    app();
    QtSerialPort port;
    EXPECT_NE(port.open("/dev/vn574-no-such-port", LineSettings{}, Handshake::None), "");
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.open("", LineSettings{}, Handshake::None), "");
}

TEST(QtCloneRunner, ReadsARadioOverAPseudoTerminal) {
    app();
    sim::RadioModel radio(test::sampleRadio(2));
    sim::PtyHost host(radio, false);
    ASSERT_EQ(host.open(), "");
    std::atomic<bool> stop{false};
    std::thread line([&] { host.run(stop, {}); });

    test::CloneRig rig(radio.memory(), {}, false);
    rig.settings.commPort = host.devicePath();
    rig.state.mode = TransferMode::Read;
    CloneRunOptions options;
    options.intervals = {20, 20};
    int lastValue = -1;
    options.onProgress = [&](const std::string&, int value) { lastValue = value; };
    std::string failure;
    const auto outcome = runCloneTransfer(rig.editor, rig.state, rig.codec, options, &failure);
    EXPECT_EQ(outcome, CloneOutcome::Completed) << failure;
    EXPECT_EQ(lastValue, 512);
    EXPECT_EQ(rig.codec.decodedBlocks.size(), 312U + 4U);
    EXPECT_TRUE(rig.editor.document().bModify);
    QThread::msleep(100);
    stop = true;
    line.join();
    EXPECT_EQ(radio.endFrames(), 1);
}

TEST(QtCloneRunner, PortWithoutAnswerFailsWithMsgopen) {
    app();
    Pty pty;
    test::CloneRig rig(test::sampleRadio(2), {}, false);
    rig.settings.commPort = pty.path;
    CloneRunOptions options;
    options.intervals = {20, 20};
    std::string failure;
    EXPECT_EQ(runCloneTransfer(rig.editor, rig.state, rig.codec, options, &failure),
              CloneOutcome::Failed);
    EXPECT_EQ(failure, "msgopen");
    EXPECT_EQ(rig.prompts.messages.back(), rig.text("msgopen"));
    EXPECT_EQ(pty.readMaster().size(), 10U * 11U); // ten read frames went out
}

TEST(QtCloneRunner, PortThatCannotBeOpenedFailsWithOneMessage) {
    app();
    test::CloneRig rig(test::sampleRadio(2), {}, false);
    rig.settings.commPort = "/dev/vn574-no-such-port";
    CloneRunOptions options;
    std::string failure;
    EXPECT_EQ(runCloneTransfer(rig.editor, rig.state, rig.codec, options, &failure),
              CloneOutcome::Failed);
    EXPECT_EQ(failure, "port");
    // The rig's own window tried the port too; the runner's window says it once.
    EXPECT_EQ(rig.prompts.messages.size(), 1U);
}

} // namespace
} // namespace vn574::link
