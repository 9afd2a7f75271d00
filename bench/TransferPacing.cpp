// Pacing of whole transfers: vn574-cli reads and writes a radio with all 100 channels
// in use, the simulator sending at the real 9600 bit/s and the tick at its default.
// Prints, as table rows, the wall time of each transfer divided by (blocks x tick): 1.0
// means one block per tick, above that the line or the program loses ticks. Beside it the
// time the transfer's bytes alone take on the line, and how many blocks were asked twice
// (both from the transfer trace). Then the fast pacing: a read, a write and a read of a
// radio with no channel in use, each against the time its bytes need on the line. Last
// the safe write: backup, write and verify of the whole document in one command, and the
// same with only the blocks of 5 changed channels sent, each against the time the bytes
// the radio sends back need on the PC's receive line.
//
//   vn574_transfer_pacing [WORK_DIR]

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vn574::test::ProcessResult;
using vn574::test::runProcess;
using vn574::test::SimProcess;

struct Timed {
    ProcessResult result;
    double seconds = 0;
};

Timed timed(const std::vector<std::string>& argv) {
    const auto start = std::chrono::steady_clock::now();
    Timed t{runProcess(argv, 600), 0};
    t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return t;
}

// What a transfer trace shows went over the line: the bytes each way, the bytes of the
// PC's receive line alone (the cable's echo and the radio's answers, also those thrown
// away unread), and the read and write frames with how many of them asked for a block
// already asked for in the same transfer (a chain reads some blocks once per step).
struct LineCount {
    long long bytes = 0;
    long long receivedBytes = 0;
    int readFrames = 0;
    int writeFrames = 0;
    int repeated = 0;
};

LineCount countTrace(const std::string& path) {
    LineCount count;
    std::ifstream in(path);
    std::string line;
    std::set<std::string> asked;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string ms;
        std::string kind;
        long long bytes = 0;
        std::string data;
        if (!(fields >> ms >> kind >> bytes)) {
            continue;
        }
        if (kind != "sent" && kind != "recv" && kind != "drop") {
            continue;
        }
        count.bytes += bytes;
        if (kind != "sent") {
            count.receivedBytes += bytes;
        }
        fields >> data;
        if (kind == "sent" && data.starts_with("ZT~E")) {
            asked.clear();
        }
        // A frame's text part: "ZT~F" + the address + "R", or "W" and the data.
        if (kind == "sent" && data.starts_with("ZT~F") && data.size() >= 9) {
            const std::string frame = data.substr(0, 9);
            (frame[8] == 'R' ? count.readFrames : count.writeFrames) += 1;
            if (!asked.insert(frame).second) {
                ++count.repeated;
            }
        }
    }
    return count;
}

void row(const std::string& figure, const std::string& measured, const std::string& target) {
    std::printf("| %-44s | %-22s | %-16s |\n", figure.c_str(), measured.c_str(), target.c_str());
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// 10 bits on the line per byte (start, 8 data, stop) at 9600 bit/s.
double wireSeconds(long long bytes) {
    return static_cast<double>(bytes) * 10.0 / 9600.0;
}

// The three rows of one transfer: its pace against the ticks, the time its bytes take on
// the line, and the blocks it had to ask for again.
void reportTransfer(const std::string& name, const std::string& ticks, double seconds, double ideal,
                    const LineCount& line) {
    row(name + ": wall / (" + ticks + ")",
        format("%.3f", seconds / ideal) + format(" (%.1f s)", seconds), "<= 1.02");
    row(name + ": wire-time floor at 9600 bit/s",
        format("%.1f s", wireSeconds(line.bytes)) +
            format(" (%.0f%% of wall)", 100.0 * wireSeconds(line.bytes) / seconds),
        "(comparison)");
    row(name + ": blocks asked twice", std::to_string(line.repeated), "0");
}

// A transfer with --fast and its trace. Nothing (the reason on stderr) when it failed.
struct TracedRun {
    Timed run;
    LineCount line;
};

std::optional<TracedRun> runFast(const std::filesystem::path& work, const std::string& config,
                                 const std::string& name, std::vector<std::string> argv) {
    const std::string trace = (work / (name + ".trace")).string();
    argv.insert(argv.end(), {"--fast", "--quiet", "--config-dir", config, "--trace", trace});
    TracedRun traced{timed(argv), {}};
    if (traced.run.result.exitCode != 0) {
        std::cerr << name << " failed:\n" << traced.run.result.err;
        return std::nullopt;
    }
    traced.line = countTrace(trace);
    return traced;
}

// A fast transfer against the time its bytes, both ways, need on the line.
void reportFast(const std::string& name, const TracedRun& traced, const std::string& wallTarget) {
    const double floor = wireSeconds(traced.line.bytes);
    row(name + ": wall / wire-time floor",
        format("%.3f", traced.run.seconds / floor) + format(" (%.1f s", traced.run.seconds) +
            format(" / %.1f s)", floor),
        wallTarget);
    row(name + ": blocks asked twice", std::to_string(traced.line.repeated), "0");
}

// A safe write against the time of the PC's receive line: the cable's echo of every frame
// and the radio's answer come in one after the other before the next frame can go, so
// that line is the busier one and its bytes are a floor no pacing gets under.
void reportSafeWrite(const std::string& name, const TracedRun& traced,
                     const std::string& wallTarget) {
    const double floor = wireSeconds(traced.line.receivedBytes);
    row(name + ": wall time", format("%.1f s", traced.run.seconds), wallTarget);
    row(name + ": wire-time floor, receive line",
        format("%.1f s", floor) + " (" + std::to_string(traced.line.readFrames) + " R + " +
            std::to_string(traced.line.writeFrames) + " W)",
        "(comparison)");
    row(name + ": wall / wire-time floor", format("%.3f", traced.run.seconds / floor), "(report)");
    row(name + ": blocks asked twice", std::to_string(traced.line.repeated), "0");
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        return std::nullopt;
    }
    return bytes.str();
}

// Raises a memory channel's receive frequency (8 BCD digits of 100 Hz from the fifth
// byte of its first block) by 12.5 kHz.
void retuneChannel(std::string& image, int channel) {
    constexpr int firstChannelBlock = 32;
    const auto at = static_cast<std::size_t>(firstChannelBlock + 2 * channel) * 16 + 4;
    long value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const auto byte = static_cast<unsigned char>(image[at + k]);
        value = value * 100 + (byte >> 4) * 10 + (byte & 0x0F);
    }
    value += 125;
    for (std::size_t k = 4; k-- > 0; value /= 100) {
        const long pair = value % 100;
        image[at + k] = static_cast<char>(pair / 10 * 16 + pair % 10);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path work =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "vn574-transfer-pacing";
    std::filesystem::create_directories(work);
    // Every transfer adds a row to the transfer history: the bench's rows stay in its own
    // folder, not in the user's history.
    setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
    const std::string image = (work / "full.img").string();
    std::ofstream(image, std::ios::binary) << vn574::test::sampleRadioImage(100);
    const std::string config = (work / "config").string();
    const std::string document = (work / "full.vd").string();
    const std::string readTrace = (work / "read.trace").string();
    const std::string writeTrace = (work / "write.trace").string();

    SimProcess radio({VN574_RADIO_SIM, "--image", image, "--baud-pace"});
    if (radio.device().empty()) {
        std::cerr << "the simulator did not start\n";
        return 1;
    }

    const Timed read = timed({VN574_CLI, "read", "--port", radio.device(), "-o", document,
                              "--quiet", "--config-dir", config, "--trace", readTrace});
    if (read.result.exitCode != 0) {
        std::cerr << "read failed:\n" << read.result.err;
        return 1;
    }
    const Timed write = timed({VN574_CLI, "write", "--port", radio.device(), document, "--quiet",
                               "--config-dir", config, "--trace", writeTrace});
    if (write.result.exitCode != 0) {
        std::cerr << "write failed:\n" << write.result.err;
        return 1;
    }

    // A read asks for every block at 150 ms; a write reads 5 blocks and identifies at
    // 150 ms, then writes blocks 16..511 at 100 ms.
    const LineCount readLine = countTrace(readTrace);
    const LineCount writeLine = countTrace(writeTrace);
    const double readIdeal = readLine.readFrames * 0.150;
    const double writeIdeal = (writeLine.readFrames + 1) * 0.150 + writeLine.writeFrames * 0.100;
    reportTransfer("read", std::to_string(readLine.readFrames) + " blocks x 150 ms", read.seconds,
                   readIdeal, readLine);
    reportTransfer("write",
                   std::to_string(writeLine.writeFrames) + " x 100 ms + " +
                       std::to_string(writeLine.readFrames + 1) + " x 150 ms",
                   write.seconds, writeIdeal, writeLine);

    // The fast pacing: the same transfers, each frame as soon as the one before is
    // answered, measured against the time their bytes need on the line.
    const std::string fastDocument = (work / "fast.vd").string();
    const auto fastRead =
        runFast(work, config, "fast read",
                {VN574_CLI, "read", "--port", radio.device(), "-o", fastDocument});
    if (!fastRead) {
        return 1;
    }
    reportFast("fast read", *fastRead, "<= 1.15, < 40 s");
    const auto fastWrite = runFast(work, config, "fast write",
                                   {VN574_CLI, "write", "--port", radio.device(), document});
    if (!fastWrite) {
        return 1;
    }
    reportFast("fast write", *fastWrite, "(report)");
    // A radio with no channel in use: 312 blocks.
    const std::string emptyImage = (work / "empty.img").string();
    std::ofstream(emptyImage, std::ios::binary) << vn574::test::sampleRadioImage(0);
    SimProcess empty({VN574_RADIO_SIM, "--image", emptyImage, "--baud-pace"});
    if (empty.device().empty()) {
        std::cerr << "the simulator did not start\n";
        return 1;
    }
    const auto emptyRead =
        runFast(work, config, "fast read, no channel in use",
                {VN574_CLI, "read", "--port", empty.device(), "-o", (work / "empty.vd").string()});
    if (!emptyRead) {
        return 1;
    }
    reportFast("fast read, no channel in use", *emptyRead, "< 25 s");

    // The safe write of the whole document into the radio that already holds it: a backup
    // (a full read), the write and a read of every block written.
    const std::string backups = (work / "backups").string();
    const auto safeWrite = runFast(work, config, "safe write",
                                   {VN574_CLI, "write", "--port", radio.device(), document,
                                    "--backup", "--backup-dir", backups, "--verify"});
    if (!safeWrite) {
        return 1;
    }
    reportSafeWrite("safe write", *safeWrite, "(report)");

    // A radio that holds the document but for 5 channels: blocks 0..15 its own, the rest as
    // the write of the document leaves them (every channel is in use, so every block from
    // 16 is written), then 5 channels retuned.
    const std::string encoded = (work / "document.img").string();
    if (runProcess({VN574_CLI, "encode", document, "-o", encoded, "--config-dir", config})
            .exitCode != 0) {
        std::cerr << "encode failed\n";
        return 1;
    }
    const auto written = readFile(encoded);
    if (!written || written->size() != 8192) {
        std::cerr << "encode gave no radio image\n";
        return 1;
    }
    std::string changed = vn574::test::sampleRadioImage(100).substr(0, 256) + written->substr(256);
    for (const int channel : {3, 21, 42, 67, 95}) {
        retuneChannel(changed, channel);
    }
    const std::string changedImage = (work / "five-changed.img").string();
    std::ofstream(changedImage, std::ios::binary) << changed;
    SimProcess changedRadio({VN574_RADIO_SIM, "--image", changedImage, "--baud-pace"});
    if (changedRadio.device().empty()) {
        std::cerr << "the simulator did not start\n";
        return 1;
    }
    const auto onlyChanged =
        runFast(work, config, "only changed",
                {VN574_CLI, "write", "--port", changedRadio.device(), document, "--backup",
                 "--backup-dir", backups, "--verify", "--only-changed"});
    if (!onlyChanged) {
        return 1;
    }
    // The target: no longer than reading the whole radio, plus 5 s.
    reportSafeWrite("only changed", *onlyChanged,
                    format("<= %.1f s", fastRead->run.seconds + 5.0) + " (read+5)");
    row("only changed: blocks written", std::to_string(onlyChanged->line.writeFrames), "5");
    return 0;
}
