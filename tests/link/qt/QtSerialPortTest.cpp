#include "link/CloneFrames.h"
#include "link/qt/PortErrorText.h"
#include "link/qt/QtCloneRunner.h"
#include "link/qt/QtSerialPort.h"
#include "rig/CloneRig.h"
#include "sim/PtyHost.h"
#include "sim/RadioModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
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

TEST(QtSerialPort, MissingDeviceIsNamedAsSuch) {
    app();
    QtSerialPort port;
    EXPECT_THAT(port.open("/dev/vn574-no-such-port", LineSettings{}, Handshake::None),
                ::testing::HasSubstr("/dev/vn574-no-such-port does not exist"));
    EXPECT_FALSE(port.isOpen());
    EXPECT_THAT(port.open("vn574-no-such-port", LineSettings{}, Handshake::None),
                ::testing::HasSubstr("vn574-no-such-port does not exist"));
    EXPECT_NE(port.open("", LineSettings{}, Handshake::None), "");
}

TEST(PortErrorText, EachFailureSaysWhatToDo) {
    using ::testing::HasSubstr;
    const std::string denied = portFailureText(PortFailure::AccessDenied, "/dev/ttyUSB0", "x");
    EXPECT_THAT(denied, HasSubstr("/dev/ttyUSB0"));
    EXPECT_THAT(denied, HasSubstr("\"dialout\""));
    EXPECT_THAT(denied, HasSubstr("sudo usermod -aG dialout $USER"));
    EXPECT_THAT(denied, HasSubstr("log out and log in again"));
    EXPECT_THAT(portFailureText(PortFailure::InUse, "ttyS0", ""), HasSubstr("another program"));
    EXPECT_THAT(portFailureText(PortFailure::Vanished, "ttyACM0", ""),
                HasSubstr("ttyACM0 has gone away"));
    // What the platform says is kept where we have nothing better to say.
    EXPECT_EQ(portFailureText(PortFailure::Other, "ttyS0", "Input/output error"),
              "Input/output error");
    EXPECT_EQ(portFailureText(PortFailure::Other, "ttyS0", ""), "Cannot Open Communication Port.");
}

TEST(PortErrorText, PermissionErrorsAreToldApartByTheFileSystem) {
    test::TempDir dir;
    const std::string device = dir.file("ttyFAKE");
    std::ofstream(device) << "";
    EXPECT_EQ(classifyPermissionError(dir.file("absent")), PortFailure::NoSuchDevice);
    // A device the user may read and write yet cannot open is held by someone else.
    EXPECT_EQ(classifyPermissionError(device), PortFailure::InUse);

    namespace fs = std::filesystem;
    fs::permissions(device, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(fs::path(device).parent_path(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    if (::geteuid() != 0) {
        EXPECT_EQ(classifyPermissionError(device), PortFailure::AccessDenied);
        return;
    }
    // Root may open any device, so the refusal is asked as an ordinary user would meet
    // it: in a child process that has given up its privileges.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(!dropped                                                       ? 2
                : classifyPermissionError(device) == PortFailure::AccessDenied ? 0
                                                                               : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(QtCloneRunner, PortThatGoesAwayEndsTheTransferSayingSo) {
    app();
    auto pty = std::make_unique<Pty>();
    test::CloneRig rig(test::sampleRadio(2), {}, false);
    rig.settings.commPort = pty->path;
    CloneRunOptions options;
    // Slow ticks: without the vanished-port report the read would run on to "msgopen".
    options.intervals = {300, 300};
    TransferTrace trace;
    options.trace = &trace;
    // The other end of the line disappears, as a USB adapter does when it is pulled.
    QTimer::singleShot(100, [&pty] { pty.reset(); });
    QElapsedTimer clock;
    clock.start();
    std::string failure;
    EXPECT_EQ(runCloneTransfer(rig.editor, rig.state, rig.codec, options, &failure),
              CloneOutcome::Failed);
    EXPECT_EQ(failure, "port-vanished");
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_FALSE(rig.prompts.messages.empty());
    EXPECT_THAT(rig.prompts.messages.back(), ::testing::HasSubstr("has gone away"));
    EXPECT_THAT(trace.text(), ::testing::HasSubstr("transfer failed (port-vanished)"));
}

TEST(QtCloneRunner, TraceHoldsEveryFrameAndEveryByteOfARead) {
    app();
    sim::RadioModel radio(test::sampleRadio(1));
    sim::PtyHost host(radio, false);
    ASSERT_EQ(host.open(), "");
    std::atomic<bool> stop{false};
    std::thread line([&] { host.run(stop, {}); });

    test::CloneRig rig(radio.memory(), {}, false);
    rig.settings.commPort = host.devicePath();
    rig.state.mode = TransferMode::Read;
    CloneRunOptions options;
    // Ticks long enough for a loaded machine: the trace, not the timing, is tested here.
    options.intervals = {100, 100};
    TransferTrace trace;
    options.trace = &trace;
    std::string failure;
    EXPECT_EQ(runCloneTransfer(rig.editor, rig.state, rig.codec, options, &failure),
              CloneOutcome::Completed)
        << failure;
    stop = true;
    line.join();

    std::string sent;
    std::string received;
    long long last = 0;
    for (const TransferTrace::Entry& entry : trace.entries()) {
        EXPECT_GE(entry.ms, last);
        last = entry.ms;
        if (entry.kind == TransferTrace::Kind::Sent) {
            sent += entry.data;
        } else if (entry.kind == TransferTrace::Kind::Received ||
                   entry.kind == TransferTrace::Kind::Discarded) {
            received += entry.data;
        }
    }
    ASSERT_FALSE(trace.entries().empty());
    EXPECT_EQ(trace.entries().front().kind, TransferTrace::Kind::Open);
    EXPECT_EQ(trace.entries().back().data, "transfer completed");
    // The cable echoes every byte sent, so everything sent comes back within the replies,
    // and every block the codec decoded arrived through the trace.
    EXPECT_GE(received.size(), sent.size() + 32 * rig.codec.decodedBlocks.size());
    const auto frames = std::count_if(
        trace.entries().begin(), trace.entries().end(),
        [](const TransferTrace::Entry& entry) { return entry.kind == TransferTrace::Kind::Sent; });
    EXPECT_GE(static_cast<std::size_t>(frames), rig.codec.decodedBlocks.size());
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
    options.intervals = {100, 100};
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
    options.intervals = {100, 100};
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
