#include "link/qt/QtFleetRunner.h"

#include "link/qt/QtCloneHost.h"
#include "link/qt/QtSerialPort.h"

#include <QEventLoop>

#include <map>
#include <memory>

namespace vn574::link {

namespace {

// One port of the run with what drives it.
struct PortRun {
    QtSerialPort port;
    QtTickTimer timer;
    QtFrameTimer frameTimer;
    std::unique_ptr<FleetPort> fleet;
};

// Passes everything on, and ends the loop once the last port is done.
class EndingListener final : public FleetListener {
public:
    EndingListener(FleetListener& inner, QEventLoop& loop,
                   const std::vector<std::unique_ptr<PortRun>>& runs)
        : m_inner(inner), m_loop(loop), m_runs(runs) {}
    void phaseChanged(const std::string& port, int line, FleetPhase phase) override {
        m_inner.phaseChanged(port, line, phase);
        if (phase == FleetPhase::Done && allDone()) {
            m_loop.quit();
        }
    }
    void progress(const std::string& port, int line, const std::string& text, int value) override {
        m_inner.progress(port, line, text, value);
    }
    void radioFinished(const files::FleetLogRow& row) override { m_inner.radioFinished(row); }
    [[nodiscard]] bool allDone() const {
        for (const auto& run : m_runs) {
            if (run->fleet && !run->fleet->finished()) {
                return false;
            }
        }
        return true;
    }

private:
    FleetListener& m_inner;
    QEventLoop& m_loop;
    const std::vector<std::unique_ptr<PortRun>>& m_runs;
};

} // namespace

void runFleet(const app::ProcessSettings& settings, const FleetSettings& fleet,
              const std::vector<files::RadioRow>& radios, FleetListener& listener,
              std::function<void()>* stop) {
    // The radios of each port, in the order of the list.
    std::vector<std::string> ports;
    std::map<std::string, std::vector<files::RadioRow>> byPort;
    for (const auto& radio : radios) {
        auto& rows = byPort[radio.port];
        if (rows.empty()) {
            ports.push_back(radio.port);
        }
        rows.push_back(radio);
    }
    QEventLoop loop;
    std::vector<std::unique_ptr<PortRun>> runs;
    EndingListener ending(listener, loop, runs);
    for (const auto& name : ports) {
        auto run = std::make_unique<PortRun>();
        PortRun& r = *run;
        r.fleet = std::make_unique<FleetPort>(settings, fleet, byPort[name], r.port, r.timer,
                                              r.frameTimer, ending);
        r.port.setReceiveHandler([&r] { r.fleet->receiveEvent(); });
        // A port that goes away ends its radio as a stop does; the others go on.
        r.port.setVanishedHandler([&r](const std::string& /*message*/) { r.fleet->stop(); });
        r.frameTimer.setHandler([&r] {
            r.port.deliverWaitingBytes();
            r.fleet->frameTimerStep();
        });
        r.timer.setHandler([&r] {
            r.port.deliverWaitingBytes();
            r.fleet->tick();
        });
        runs.push_back(std::move(run));
    }
    if (stop != nullptr) {
        *stop = [&runs] {
            for (const auto& run : runs) {
                run->fleet->stop();
            }
        };
    }
    for (const auto& run : runs) {
        run->fleet->start();
    }
    if (!ending.allDone()) {
        loop.exec();
    }
    if (stop != nullptr) {
        *stop = nullptr;
    }
}

} // namespace vn574::link
