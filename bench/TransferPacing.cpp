// Pacing of whole transfers: vn574-cli reads and writes a radio with all 100 channels
// in use, the simulator sending at the real 9600 bit/s and the tick at its default.
// Prints, as table rows, the wall time of each transfer divided by (blocks x tick): 1.0
// means one block per tick, above that the line or the program loses ticks. Beside it the
// time the transfer's bytes alone take on the line, and how many blocks were asked twice
// (both from the transfer trace). Then the fast pacing: a read, a write and a read of a
// radio with no channel in use, each against the time its bytes need on the line.
//
//   vn574_transfer_pacing [WORK_DIR]

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
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

// What a transfer trace shows went over the line: the bytes each way, and the read and
// write frames with how many of them asked for a block already asked for.
struct LineCount {
    long long bytes = 0;
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
        fields >> data;
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

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path work =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "vn574-transfer-pacing";
    std::filesystem::create_directories(work);
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
    const auto fast = [&](const std::string& name, std::vector<std::string> argv,
                          const std::string& wallTarget) {
        const std::string trace = (work / (name + ".trace")).string();
        argv.insert(argv.end(), {"--fast", "--quiet", "--config-dir", config, "--trace", trace});
        const Timed run = timed(argv);
        if (run.result.exitCode != 0) {
            std::cerr << name << " failed:\n" << run.result.err;
            return false;
        }
        const LineCount line = countTrace(trace);
        row(name + ": wall / wire-time floor",
            format("%.3f", run.seconds / wireSeconds(line.bytes)) +
                format(" (%.1f s", run.seconds) + format(" / %.1f s)", wireSeconds(line.bytes)),
            wallTarget);
        row(name + ": blocks asked twice", std::to_string(line.repeated), "0");
        return true;
    };
    const std::string fastDocument = (work / "fast.vd").string();
    if (!fast("fast read", {VN574_CLI, "read", "--port", radio.device(), "-o", fastDocument},
              "<= 1.15, < 40 s") ||
        !fast("fast write", {VN574_CLI, "write", "--port", radio.device(), document}, "(report)")) {
        return 1;
    }
    // A radio with no channel in use: 312 blocks.
    const std::string emptyImage = (work / "empty.img").string();
    std::ofstream(emptyImage, std::ios::binary) << vn574::test::sampleRadioImage(0);
    SimProcess empty({VN574_RADIO_SIM, "--image", emptyImage, "--baud-pace"});
    if (empty.device().empty() ||
        !fast("fast read, no channel in use",
              {VN574_CLI, "read", "--port", empty.device(), "-o", (work / "empty.vd").string()},
              "< 25 s")) {
        return 1;
    }
    return 0;
}
