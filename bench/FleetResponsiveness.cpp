// Responsiveness of the program's event loop while a fleet runs: link::runFleet on the
// GUI thread, as the window runs it, with the program's own serial ports against
// vn574-radio-sim at the real 9600 bit/s, first one port, then three ports at once. Each
// radio gets the safe write of a plan with all 100 channels in use, at the fast pacing.
// The same 1 ms precise timer as for the clone window notes how late each firing comes
// (the longest time a window on this loop could not repaint or take a click), and every
// event handled is timed. Three ports put three times the frames through the one loop;
// the longest block should stay within twice the one-port figure.
//
//   vn574_fleet_responsiveness [WORK_DIR]
//
// Prints two rows per run and their ratio; exits non-zero when a radio failed.

#include "../tests/e2e/ProcessRunner.h"
#include "../tests/e2e/SampleRadio.h"
#include "EventLoopWatch.h"
#include "app/ProcessSettings.h"
#include "app/OptionFlags.h"
#include "files/RadioList.h"
#include "files/Sha256.h"
#include "link/qt/QtFleetRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace vn574;
using bench::LoopWatch;
using bench::ms;
using bench::TimedApplication;

// Counts the radios that were written and verified.
class CountingListener final : public link::FleetListener {
public:
    void phaseChanged(const std::string& /*port*/, int /*line*/,
                      link::FleetPhase /*phase*/) override {}
    void progress(const std::string& /*port*/, int /*line*/, const std::string& /*text*/,
                  int /*value*/) override {}
    void radioFinished(const files::FleetLogRow& row) override {
        ++finished;
        if (row.ok) {
            ++ok;
        } else {
            std::cerr << row.port << ": " << row.message << '\n';
        }
    }
    int finished = 0;
    int ok = 0;
};

void printRow(const std::string& figure, const std::string& measured, const std::string& target) {
    std::printf("| %-44s | %-22s | %-16s |\n", figure.c_str(), measured.c_str(), target.c_str());
}

// The fleet of `devices`, one radio each; the longest block in milliseconds, or nothing
// when a radio failed or the run did not end in time.
std::optional<double> measureFleet(TimedApplication& application, const std::filesystem::path& work,
                                   const std::string& plan,
                                   const std::vector<std::string>& devices) {
    app::ProcessSettings settings;
    settings.paths.languageFolder = VN574_LANGUAGE_DIR;
    settings.paths.settingsFolder = (work / "config").string();
    settings.language = app::Language(VN574_LANGUAGE_DIR, "english.ini");
    settings.settingFile = std::make_shared<app::SettingFile>(settings.paths.settingIni());

    std::string list = "port,label,self_id\n";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        list +=
            devices[i] + ",radio" + std::to_string(i + 1) + "," + std::to_string(10001 + i) + "\n";
    }
    const files::RadioList radios = files::parseRadioList(list, "radios.csv");
    link::FleetSettings fleet;
    fleet.planPath = plan;
    fleet.fast = true;
    fleet.backupFolder = (work / "backups").string();
    std::string refusal = radios.error;
    if (refusal.empty()) {
        refusal = link::checkFleet(settings, plan, radios.rows, "radios.csv");
    }
    if (refusal.empty()) {
        refusal = files::fileSha256(plan, fleet.planSha256);
    }
    if (!refusal.empty()) {
        std::cerr << refusal << '\n';
        return std::nullopt;
    }

    CountingListener listener;
    std::function<void()> stop;
    bool timedOut = false;
    // One safe write at the fast pacing takes about 80 s; far beyond that something hangs.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        timedOut = true;
        if (stop) {
            stop();
        }
    });
    deadline.start(400000);

    // runFleet's own loop is the outermost one here, so that each event it hands out is
    // timed on its own.
    LoopWatch watch;
    QElapsedTimer wall;
    application.clearSlowest();
    wall.start();
    watch.start();
    link::runFleet(settings, fleet, radios.rows, listener, &stop);
    watch.stop();
    deadline.stop();

    const std::string name =
        devices.size() == 1 ? std::string("one port") : std::to_string(devices.size()) + " ports";
    if (timedOut || listener.ok != static_cast<int>(devices.size())) {
        std::cerr << "fleet of " << name << ": "
                  << (timedOut ? "did not end in time" : "a radio failed") << '\n';
        return std::nullopt;
    }
    std::fprintf(stderr, "fleet of %s:\n", name.c_str());
    watch.printLongest(stderr, 5);
    std::fputs("the slowest events:\n", stderr);
    application.printSlowest(stderr);
    const double longest = watch.longestBlockMs();
    printRow("longest event-loop block, fleet of " + name,
             ms(longest) + " ms (" + std::to_string(static_cast<int>(wall.elapsed() / 1000)) +
                 " s run)",
             "(comparison)");
    printRow("  longest event handled: wall, on a CPU",
             ms(application.slowestMs()) + " ms, " + ms(application.mostCpuMs()) + " ms",
             "(comparison)");
    return longest;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    TimedApplication application(argc, argv);
    const std::filesystem::path work =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "vn574-fleet-responsiveness";
    std::filesystem::create_directories(work);
    // The backups' history rows stay in the bench's own folder.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((work / "data").string()));
    const std::string image = (work / "full.img").string();
    std::ofstream(image, std::ios::binary) << test::sampleRadioImage(100);
    const std::string plan = (work / "plan.vd").string();
    if (test::runProcess(
            {VN574_CLI, "decode", image, "-o", plan, "--config-dir", (work / "config").string()})
            .exitCode != 0) {
        std::cerr << "the plan could not be made from the image\n";
        return 1;
    }

    std::vector<std::unique_ptr<test::SimProcess>> radios;
    std::vector<std::string> devices;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(std::make_unique<test::SimProcess>(
            std::vector<std::string>{VN574_RADIO_SIM, "--image", image, "--baud-pace"}));
        if (radios.back()->device().empty()) {
            std::cerr << "the simulator did not start\n";
            return 1;
        }
        devices.push_back(radios.back()->device());
    }

    const auto one = measureFleet(application, work, plan, {devices.front()});
    if (!one) {
        return 1;
    }
    const auto three = measureFleet(application, work, plan, devices);
    if (!three) {
        return 1;
    }
    char ratio[32];
    std::snprintf(ratio, sizeof ratio, "%.2f", *one > 0 ? *three / *one : 0.0);
    printRow("fleet's longest block: 3 ports / one port",
             std::string(ratio) + " (" + ms(*three) + " / " + ms(*one) + " ms)", "<= 2");
    return 0;
}
