// A fleet on several cables against one radio alone: vn574-cli fleet with the fast pacing
// writes one plan (all 100 channels in use) into one radio, then into three radios on
// three cables at once, each a simulator at the real 9600 bit/s; every radio gets the
// whole safe write (backup, write, verify) and its own ID from the radio list. The ports
// share one event loop, so three cables should take barely longer than one: prints the
// wall time of each run and their ratio as table rows.
//
//   vn574_fleet_pacing [WORK_DIR]

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vn574::test::runProcess;
using vn574::test::SimProcess;

void row(const std::string& figure, const std::string& measured, const std::string& target) {
    std::printf("| %-44s | %-22s | %-16s |\n", figure.c_str(), measured.c_str(), target.c_str());
}

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// What one fleet run took, and its slowest radio by the log's `seconds`.
struct FleetRun {
    double seconds = 0;
    double slowestRadio = 0;
};

// The last field of a log row: the radio's own time. The rows end with CR LF.
double radioSeconds(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    return std::atof(line.substr(line.rfind(',') + 1).c_str());
}

// Runs the fleet of `devices` (one radio each, own IDs 10001, 10002, ...); nothing (the
// reason on stderr) unless every radio was written and verified.
std::optional<FleetRun> runFleet(const std::filesystem::path& work, const std::string& name,
                                 const std::string& plan, const std::vector<std::string>& devices) {
    const std::string radios = (work / (name + "-radios.csv")).string();
    {
        std::ofstream list(radios, std::ios::binary);
        list << "port,label,self_id\r\n";
        for (std::size_t i = 0; i < devices.size(); ++i) {
            list << devices[i] << ",radio" << i + 1 << "," << 10001 + i << "\r\n";
        }
    }
    const auto start = std::chrono::steady_clock::now();
    const auto result = runProcess({VN574_CLI, "fleet", plan, "--radios", radios, "--log",
                                    (work / (name + "-log.csv")).string(), "--backup-dir",
                                    (work / "backups").string(), "--fast", "--quiet",
                                    "--config-dir", (work / "config").string()},
                                   900);
    FleetRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (result.exitCode != 0) {
        std::cerr << name << " failed (exit " << result.exitCode << "):\n"
                  << result.out << result.err;
        return std::nullopt;
    }
    std::istringstream rows(result.out);
    std::string line;
    std::size_t count = 0;
    while (std::getline(rows, line)) {
        if (!line.empty() && line != "\r") {
            ++count;
            run.slowestRadio = std::max(run.slowestRadio, radioSeconds(line));
        }
    }
    if (count != devices.size()) {
        std::cerr << name << ": " << count << " log rows for " << devices.size() << " radios\n";
        return std::nullopt;
    }
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path work =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "vn574-fleet-pacing";
    std::filesystem::create_directories(work);
    // The transfers' history rows stay in the bench's own folder.
    setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
    const std::string image = (work / "full.img").string();
    std::ofstream(image, std::ios::binary) << vn574::test::sampleRadioImage(100);
    const std::string plan = (work / "plan.vd").string();
    if (runProcess(
            {VN574_CLI, "decode", image, "-o", plan, "--config-dir", (work / "config").string()})
            .exitCode != 0) {
        std::cerr << "the plan could not be made from the image\n";
        return 1;
    }

    std::vector<std::unique_ptr<SimProcess>> radios;
    std::vector<std::string> devices;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(std::make_unique<SimProcess>(
            std::vector<std::string>{VN574_RADIO_SIM, "--image", image, "--baud-pace"}));
        if (radios.back()->device().empty()) {
            std::cerr << "the simulator did not start\n";
            return 1;
        }
        devices.push_back(radios.back()->device());
    }

    const auto one = runFleet(work, "one", plan, {devices.front()});
    if (!one) {
        return 1;
    }
    const auto three = runFleet(work, "three", plan, devices);
    if (!three) {
        return 1;
    }
    row("fleet, one radio: wall time", format("%.1f s", one->seconds), "(comparison)");
    row("fleet, 3 radios on 3 cables: wall time",
        format("%.1f s", three->seconds) + format(" (slowest %.1f s)", three->slowestRadio),
        "(comparison)");
    row("fleet: 3 cables / one radio", format("%.3f", three->seconds / one->seconds), "<= 1.3");
    return 0;
}
