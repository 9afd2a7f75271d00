#pragma once

#include "link/SerialPort.h"
#include "sim/RadioModel.h"
#include "ui/clone/CloneEnvironment.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace vn574::test {

// What the ports of one test saw, over every window that opened one.
struct LineLog {
    std::vector<std::string> openedNames;
    std::vector<link::Handshake> handshakes;
    int openPorts = 0;
    std::string openError; // what open() reports while set
};

// A serial port with the simulated radio on the other end of the cable. What the window
// writes reaches the radio at once; the echo and the answers come back as receive
// events from the event loop, after the radio's delays, as a real port delivers them.
class SimulatedRadioPort final : public QObject,
                                 public ui::clone::TransferPort,
                                 public link::SerialPort {
public:
    SimulatedRadioPort(sim::RadioModel& radio, LineLog& log) : m_radio(radio), m_log(log) {}
    ~SimulatedRadioPort() override { SimulatedRadioPort::close(); }

    link::SerialPort& port() override { return *this; }
    void setReceiveHandler(std::function<void()> handler) override {
        m_onReceive = std::move(handler);
    }
    void deliverWaitingBytes() override {}

    std::string open(const std::string& name, const link::LineSettings& settings,
                     link::Handshake handshake) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    void setBufferSizes(int /*inputBytes*/, int /*outputBytes*/) override {}
    void write(std::string_view bytes) override;
    void discardInput() override { m_input.clear(); }
    [[nodiscard]] int bytesWaiting() const override { return static_cast<int>(m_input.size()); }
    std::string readAll() override { return std::exchange(m_input, {}); }

private:
    sim::RadioModel& m_radio;
    LineLog& m_log;
    bool m_open = false;
    int m_generation = 0; // bytes on their way to a port closed since are lost
    std::string m_input;
    std::function<void()> m_onReceive;
};

// Link windows on `radio`, with `ports` as the machine's port list and short times.
ui::clone::CloneEnvironment simulatedEnvironment(sim::RadioModel& radio, LineLog& log,
                                                 std::vector<std::string> ports = {});

} // namespace vn574::test
