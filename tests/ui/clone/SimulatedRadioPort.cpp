#include "SimulatedRadioPort.h"

#include <QTimer>

namespace vn574::test {

std::string SimulatedRadioPort::open(const std::string& name,
                                     const link::LineSettings& /*settings*/,
                                     link::Handshake handshake) {
    if (!m_log.openError.empty()) {
        return m_log.openError;
    }
    if (!m_open) {
        m_open = true;
        ++m_log.openPorts;
        m_log.openedNames.push_back(name);
        m_log.handshakes.push_back(handshake);
    }
    return {};
}

void SimulatedRadioPort::close() {
    if (m_open) {
        m_open = false;
        --m_log.openPorts;
        ++m_generation;
        m_input.clear();
    }
}

void SimulatedRadioPort::write(std::string_view bytes) {
    if (!m_open) {
        return;
    }
    for (const sim::Emission& emission : m_radio.receive(bytes)) {
        QTimer::singleShot(emission.delayMs, this,
                           [this, generation = m_generation, data = emission.bytes] {
                               if (!m_open || generation != m_generation) {
                                   return;
                               }
                               m_input += data;
                               if (m_onReceive) {
                                   m_onReceive();
                               }
                           });
    }
}

ui::clone::CloneEnvironment simulatedEnvironment(sim::RadioModel& radio, LineLog& log,
                                                 std::vector<std::string> ports) {
    ui::clone::CloneEnvironment environment;
    environment.makePort = [&radio, &log] {
        return std::make_unique<SimulatedRadioPort>(radio, log);
    };
    environment.realFramePauses = false;
    environment.discoverPorts = [ports = std::move(ports)] { return ports; };
    environment.intervals = {2, 2};
    environment.linkWaitMs = 60;
    environment.linkEndMs = 10;
    return environment;
}

} // namespace vn574::test
