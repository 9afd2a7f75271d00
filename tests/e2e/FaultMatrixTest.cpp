// The faults a cable, a radio or a port can show, end to end: vn574-cli against
// vn574-radio-sim --fault over a pseudo-terminal. For every fault the tool must end
// (no hang: runProcess kills it after the timeout and reports -1), say the right thing,
// leave no half-read document behind, and send nothing once it has given up: the
// simulator's frame log ends where the failure happened.
//
// Ticks are 200 ms (a frame's own pauses take 20 ms reading, 40 ms writing; the
// rest is what the tool has to take the reply in, on a machine that may be busy:
// these tests run beside others) and the checks never measure time; where a fault is about timing
// (slow replies) the delay lies well inside or well outside a tick, since the machine running this
// may be busy. The exact one-tick boundary is checked in virtual time (tests/link).

#include "ProcessRunner.h"
#include "SampleRadio.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace vn574::test {
namespace {

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;
constexpr int timeoutSeconds = 120;
const std::string tick = "200";

const std::string msg1 =
    "Reading from the radio failed. Please check the cable and the radio, then try again.";
const std::string msg2 = "Writing to the radio failed: the radio did not confirm the data.";
const std::string msgopen = "No response from the radio. Please check the cable, the COM port";
const std::string msgversion = "Communication with the radio failed. The radio version may not";
const std::string msgmodeltypedif = "The model type of the radio differs from the selected model.";
const std::string msgbanddif = "The frequency band of the radio differs from the selected model.";
const std::string completed = "Transfer completed.";

// One frame the simulator understood: its kind and block.
struct Frame {
    char kind = '?'; // 'R' read, 'W' write, 'I' identification, 'E' end
    int block = -1;
};

std::vector<Frame> readLog(const std::string& path) {
    std::ifstream in(path);
    std::vector<Frame> frames;
    std::string line;
    while (std::getline(in, line)) {
        if (line == "VN575") {
            frames.push_back({'I', -1});
        } else if (line == "ZT~E") {
            frames.push_back({'E', -1});
        } else if (line.size() >= 9 && line.starts_with("ZT~F")) {
            frames.push_back({line[8], std::stoi(line.substr(4, 4), nullptr, 16) / 16});
        }
    }
    return frames;
}

class FaultMatrix : public ::testing::Test {
protected:
    // The simulator with its frame log; `image` (if given) is its memory.
    std::unique_ptr<SimProcess> radio(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {sim, "--log", log()});
        auto process = std::make_unique<SimProcess>(arguments);
        EXPECT_FALSE(process->device().empty());
        return process;
    }
    ProcessResult read(const std::string& port, const std::vector<std::string>& extra = {},
                       const std::string& tickMs = tick) {
        std::vector<std::string> argv = {cli,       "read",         "--port",          port,
                                         "-o",      out(),          "--tick-ms",       tickMs,
                                         "--quiet", "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv, timeoutSeconds);
    }
    ProcessResult write(const std::string& port, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv = {
            cli,         "write", "--port",  port,           document(),
            "--tick-ms", tick,    "--quiet", "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv, timeoutSeconds);
    }
    // A channel data file of the model 3 sample radio, as reading it gives (decode
    // does what a read does, without the line).
    std::string document() {
        const std::string path = dir.file("sample.vd");
        if (!std::filesystem::exists(path)) {
            writeFile(dir.file("sample.img"), sampleRadioImage(8));
            const auto got = runProcess({cli, "decode", dir.file("sample.img"), "-o", path,
                                         "--config-dir", dir.file("config")},
                                        timeoutSeconds);
            EXPECT_EQ(got.exitCode, 0) << got.err;
        }
        return path;
    }
    std::string out() const { return dir.file("out.vd"); }
    std::string log() const { return dir.file("frames.log"); }

    // A failed read: exit 1 with `message`, no document written, and the frames all
    // reads of blocks up to `lastBlock`, the last one `lastBlock`, no end frame.
    // A write that gave up with msg2: the last frame the radio saw is the block it failed at
    // (it may have gone out more than once), nothing after it.
    void expectWriteFailedAt(const ProcessResult& got, int lastBlock) {
        EXPECT_EQ(got.exitCode, 1);
        EXPECT_NE(got.err.find(msg2), std::string::npos) << got.err;
        const auto frames = readLog(log());
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames.back().kind, 'W');
        EXPECT_EQ(frames.back().block, lastBlock);
    }

    void expectReadFailed(const ProcessResult& got, const std::string& message, int lastBlock) {
        EXPECT_EQ(got.exitCode, 1) << got.err;
        EXPECT_NE(got.err.find(message), std::string::npos) << got.err;
        EXPECT_EQ(got.err.find(completed), std::string::npos) << got.err;
        EXPECT_FALSE(std::filesystem::exists(out()));
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.ton")));
        const auto frames = readLog(log());
        ASSERT_FALSE(frames.empty());
        for (const Frame& frame : frames) {
            EXPECT_EQ(frame.kind, 'R');
            EXPECT_LE(frame.block, lastBlock);
        }
        EXPECT_EQ(frames.back().block, lastBlock);
    }

    TempDir dir;
};

// --- read ---------------------------------------------------------------------------

TEST_F(FaultMatrix, ReadFromSilentRadioGivesUpOnBlockZeroWithMsg1) {
    // The cable echoes every frame, nothing else comes: the buffer fills with echoes
    // and is given up three times.
    auto sim = radio({"--model", "9", "--fault", "silent"});
    const auto got = read(sim->device());
    expectReadFailed(got, msg1, 0);
    // Three buffers of 24 echoes each, then the failure at the next tick.
    EXPECT_LE(readLog(log()).size(), 3U * 24U + 1U);
}

TEST_F(FaultMatrix, ReadWithoutEchoFindsNoReplyWhereItBelongsAndSaysMsg1) {
    auto sim = radio({"--model", "9", "--fault", "no-echo"});
    expectReadFailed(read(sim->device()), msg1, 0);
}

TEST_F(FaultMatrix, ReadOfAnUnpluggedCableSaysMsgopen) {
    auto sim = radio({"--model", "9", "--fault", "silent", "--fault", "no-echo"});
    const auto got = read(sim->device());
    expectReadFailed(got, msgopen, 0);
    // One frame a tick until the no-reply limit.
    EXPECT_LE(readLog(log()).size(), 13U);
}

TEST_F(FaultMatrix, NoiseInFrontOfEveryReplySaysMsg1) {
    auto sim = radio({"--model", "9", "--fault", "garbage=5"});
    expectReadFailed(read(sim->device()), msg1, 0);
}

TEST_F(FaultMatrix, RepliesInPiecesAreReadCompletely) {
    writeFile(dir.file("radio.img"), sampleRadioImage(20));
    auto sim = radio({"--image", dir.file("radio.img"), "--fault", "split=8"});
    const auto got = read(sim->device(), {"--image", dir.file("read.img")});
    ASSERT_EQ(got.exitCode, 0) << got.err;
    EXPECT_NE(got.err.find(completed), std::string::npos);
    EXPECT_EQ(readFile(dir.file("read.img")), readFile(dir.file("radio.img")));
    ASSERT_FALSE(readLog(log()).empty());
    EXPECT_EQ(readLog(log()).back().kind, 'E');
}

TEST_F(FaultMatrix, ReplyWellInsideOneTickIsTaken) {
    auto sim = radio({"--model", "9", "--fault", "delay=30"});
    const auto got = read(sim->device());
    ASSERT_EQ(got.exitCode, 0) << got.err;
    EXPECT_TRUE(std::filesystem::exists(out()));
}

TEST_F(FaultMatrix, ReplyLaterThanOneTickNeverCorruptsTheRead) {
    // Every tick empties the port before its frame, so an answer four ticks late is
    // lost - unless it lands right behind the echo of a later frame asking for the
    // same block, which on a real line depends on scheduling. Either the read fails
    // with msg1 and leaves no file, or it completes with every block as the radio
    // holds it: a late answer is never taken for another block.
    writeFile(dir.file("radio.img"), sampleRadioImage(8));
    auto sim = radio({"--image", dir.file("radio.img"), "--fault", "delay=150"});
    const auto got = read(sim->device(), {"--image", dir.file("read.img")}, "40");
    if (got.exitCode == 0) {
        EXPECT_EQ(readFile(dir.file("read.img")), readFile(dir.file("radio.img")));
    } else {
        EXPECT_EQ(got.exitCode, 1) << got.err;
        EXPECT_NE(got.err.find(msg1), std::string::npos) << got.err;
        EXPECT_FALSE(std::filesystem::exists(out()));
    }
}

TEST_F(FaultMatrix, UnansweredLowBlockSaysMsg1AndHighBlockMsgversion) {
    {
        auto sim = radio({"--model", "9", "--fault", "never-answer=18"});
        expectReadFailed(read(sim->device()), msg1, 18);
    }
    writeFile(dir.file("radio.img"), sampleRadioImage(8));
    auto sim = radio({"--image", dir.file("radio.img"), "--fault", "never-answer=300"});
    expectReadFailed(read(sim->device()), msgversion, 300);
}

TEST_F(FaultMatrix, PasswordRadioIsReadOnlyWithTheRightPassword) {
    auto sim = radio({"--model", "9", "--password", "PW1234"});
    const auto wrong = read(sim->device(), {"--password", "PW123"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("is not the radio's password"), std::string::npos) << wrong.err;
    EXPECT_FALSE(std::filesystem::exists(out()));
    // The gate sits between blocks 4 and 5: nothing past the password was asked for.
    for (const Frame& frame : readLog(log())) {
        EXPECT_LE(frame.block, 4);
    }
    const auto right = read(sim->device(), {"--password", "PW1234"});
    EXPECT_EQ(right.exitCode, 0) << right.err;
    EXPECT_TRUE(std::filesystem::exists(out()));
}

// --- write --------------------------------------------------------------------------

TEST_F(FaultMatrix, RefusedIdentificationSaysMsgversionAndWritesNothing) {
    document();
    auto sim = radio({"--model", "3", "--fault", "ident-error"});
    const auto got = write(sim->device());
    EXPECT_EQ(got.exitCode, 1);
    EXPECT_NE(got.err.find(msgversion), std::string::npos) << got.err;
    const auto frames = readLog(log());
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().kind, 'I');
    for (const Frame& frame : frames) {
        EXPECT_NE(frame.kind, 'W');
    }
}

TEST_F(FaultMatrix, RefusedBlockIsTheLastThingSent) {
    document();
    auto sim = radio({"--model", "3", "--fault", "write-error=40"});
    expectWriteFailedAt(write(sim->device()), 40);
}

TEST_F(FaultMatrix, UnansweredWriteSaysMsg2) {
    document();
    auto sim = radio({"--model", "3", "--fault", "never-answer=33"});
    expectWriteFailedAt(write(sim->device()), 33);
}

TEST_F(FaultMatrix, RadioOfAnotherTypeOrBandGetsOnlyThePreRead) {
    document(); // model 3, code 33AA66
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"20", msgmodeltypedif}, // another type
        {"2", msgbanddif},       // same type, another band
    };
    for (const auto& [model, message] : cases) {
        SCOPED_TRACE("radio model " + model);
        auto sim = radio({"--model", model});
        const auto got = write(sim->device());
        EXPECT_EQ(got.exitCode, 1);
        EXPECT_NE(got.err.find(message), std::string::npos) << got.err;
        for (const Frame& frame : readLog(log())) {
            EXPECT_EQ(frame.kind, 'R');
            EXPECT_LE(frame.block, 4);
        }
    }
}

TEST_F(FaultMatrix, PasswordRadioIsWrittenOnlyWithTheRightPassword) {
    document();
    auto sim = radio({"--model", "3", "--password", "PW1234"});
    const auto wrong = write(sim->device(), {"--password", "pw1234"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("is not the radio's password"), std::string::npos) << wrong.err;
    for (const Frame& frame : readLog(log())) {
        EXPECT_EQ(frame.kind, 'R');
    }
    const auto right = write(sim->device(), {"--password", "PW1234"});
    EXPECT_EQ(right.exitCode, 0) << right.err;
    ASSERT_FALSE(readLog(log()).empty());
    EXPECT_EQ(readLog(log()).back().kind, 'E');
}

TEST_F(FaultMatrix, DocumentThatCannotBeEncodedIsNotWrittenAtAll) {
    // Channel 50 in use with a receive frequency that is no number: its blocks come
    // long after the first write frame, yet nothing may reach the radio.
    std::ifstream in(document());
    std::ostringstream text;
    for (std::string line; std::getline(in, line);) {
        text << (line.starts_with("50|")
                     ? "50|Active|BAD|12.5|abc|off|wide|off|off|Scan|off|145.5000|off|off|off|"
                       "off|None|0|0|"
                     : line)
             << '\n';
    }
    in.close();
    writeFile(document(), text.str());
    auto sim = radio({"--model", "3"});
    const auto got = write(sim->device());
    EXPECT_EQ(got.exitCode, 1);
    EXPECT_NE(got.err.find("Error channel 50 Data Format (the Rx frequency is not a number)"),
              std::string::npos)
        << got.err;
    EXPECT_TRUE(readLog(log()).empty());
}

TEST_F(FaultMatrix, LineThatGoesDeadMidTransferEndsIt) {
    {
        auto sim = radio({"--model", "9", "--fault", "freeze-after=18"});
        expectReadFailed(read(sim->device()), msg1, 18);
    }
    document();
    auto sim = radio({"--model", "3", "--fault", "freeze-after=18"});
    expectWriteFailedAt(write(sim->device()), 18);
}

// --- the line goes away -------------------------------------------------------------

// Runs `transfer` while a watcher kills the simulator once a frame of block
// `killAtBlock` or later has reached it.
ProcessResult killedDuring(SimProcess& sim, const std::string& logPath, int killAtBlock,
                           const std::function<ProcessResult()>& transfer) {
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            const auto frames = readLog(logPath);
            if (!frames.empty() && frames.back().block >= killAtBlock) {
                sim.kill();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    ProcessResult result = transfer();
    done = true;
    watcher.join();
    return result;
}

TEST_F(FaultMatrix, RadioGoneInTheMiddleOfAReadIsReported) {
    writeFile(dir.file("radio.img"), sampleRadioImage(60));
    auto sim = radio({"--image", dir.file("radio.img")});
    const auto got = killedDuring(*sim, log(), 100, [&] { return read(sim->device()); });
    EXPECT_EQ(got.exitCode, 1) << got.err;
    EXPECT_EQ(got.err.find(completed), std::string::npos) << got.err;
    // Reported as a lost port, not as a radio that stopped answering.
    EXPECT_NE(got.err.find(" has gone away during the transfer"), std::string::npos) << got.err;
    EXPECT_FALSE(std::filesystem::exists(out()));
}

TEST_F(FaultMatrix, RadioGoneInTheMiddleOfAWriteIsReported) {
    document();
    auto sim = radio({"--model", "3"});
    const auto got = killedDuring(*sim, log(), 60, [&] { return write(sim->device()); });
    EXPECT_EQ(got.exitCode, 1) << got.err;
    EXPECT_EQ(got.err.find(completed), std::string::npos) << got.err;
    // Reported as a lost port, not as a radio that stopped answering.
    EXPECT_NE(got.err.find(" has gone away during the transfer"), std::string::npos) << got.err;
}

} // namespace
} // namespace vn574::test
