// Pacing of whole transfers: vn574-cli reads and writes a radio with all 100 channels
// in use, the simulator sending at the real 9600 bit/s and the tick at its default.
// Prints the wall time of each transfer divided by (blocks x tick): 1.0 means one block
// per tick, above that the line or the program loses ticks.
//
//   vn574_transfer_pacing [WORK_DIR]

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
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

    SimProcess radio({VN574_RADIO_SIM, "--image", image, "--baud-pace"});
    if (radio.device().empty()) {
        std::cerr << "the simulator did not start\n";
        return 1;
    }

    const Timed read = timed({VN574_CLI, "read", "--port", radio.device(), "-o", document,
                              "--quiet", "--config-dir", config});
    if (read.result.exitCode != 0) {
        std::cerr << "read failed:\n" << read.result.err;
        return 1;
    }
    const Timed write = timed({VN574_CLI, "write", "--port", radio.device(), document, "--quiet",
                               "--config-dir", config});
    if (write.result.exitCode != 0) {
        std::cerr << "write failed:\n" << write.result.err;
        return 1;
    }

    // A read asks for every block at 150 ms; a write reads 5 blocks and identifies at
    // 150 ms, then writes blocks 16..511 at 100 ms.
    const double readIdeal = 512 * 0.150;
    const double writeIdeal = 6 * 0.150 + 496 * 0.100;
    std::printf("read : %6.2f s for 512 blocks x 150 ms  -> %.3f\n", read.seconds,
                read.seconds / readIdeal);
    std::printf("write: %6.2f s for 496 blocks x 100 ms (+6 x 150 ms) -> %.3f\n", write.seconds,
                write.seconds / writeIdeal);
    return 0;
}
