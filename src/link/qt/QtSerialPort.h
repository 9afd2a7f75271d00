#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

#include <functional>
#include <string>
#include <vector>

namespace vn574::link {

// The transfer's serial port on QSerialPort. Receive events reach the handler from the
// event loop, one at a time, like every other event of the program.
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    void setReceiveHandler(std::function<void()> handler) { m_onReceive = std::move(handler); }
    // Called once, with a message for the user, when the open port goes away (a USB
    // cable pulled); the port is closed by then.
    void setVanishedHandler(std::function<void(const std::string&)> handler) {
        m_onVanished = std::move(handler);
    }

    // Raises the receive event now for bytes the system already holds. The tick calls
    // this first: a receive event always goes before a tick that is due at the same
    // time, and a short tick that keeps the loop busy must not starve the port.
    void deliverWaitingBytes();

    // After the device went away under an open port (a pulled USB adapter, the other
    // end of a pseudo-terminal closed), the next open reports that loss instead of
    // trying again, so a running transfer ends at its next tick; the open after that
    // tries the device afresh.
    std::string open(const std::string& name, const LineSettings& settings,
                     Handshake handshake) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    void setBufferSizes(int inputBytes, int outputBytes) override;
    void write(std::string_view bytes) override;
    void discardInput() override;
    [[nodiscard]] int bytesWaiting() const override;
    std::string readAll() override;

private:
    QSerialPort m_port;
    std::function<void()> m_onReceive;
    std::function<void(const std::string&)> m_onVanished;
    std::string m_name;
    std::string m_lost; // why the open port was lost, until that has been reported
};

// The machine's serial ports in the order of the port list.
std::vector<std::string> availablePortNames();

} // namespace vn574::link
