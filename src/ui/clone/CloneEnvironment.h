#pragma once

#include "link/CloneEngine.h"
#include "link/SerialPort.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vn574::ui::clone {

// A serial port as the link windows use it: the port itself, its receive event, and a
// way to hand over bytes that have already arrived before the next tick runs.
class TransferPort {
public:
    virtual ~TransferPort() = default;
    virtual link::SerialPort& port() = 0;
    // Runs `handler` from the event loop whenever bytes have arrived.
    virtual void setReceiveHandler(std::function<void()> handler) = 0;
    virtual void deliverWaitingBytes() = 0;
};

// What the link windows need from the machine: a serial port for each window, the
// pauses between frame parts, the timings, and the list of the machine's ports. The
// desktop program uses the system's; tests put a simulated radio behind them and
// shorten the times.
struct CloneEnvironment {
    std::function<std::unique_ptr<TransferPort>()> makePort;
    // Whether the pauses between frame parts really wait; without, they still come from
    // the event loop.
    bool realFramePauses = true;
    std::function<std::vector<std::string>()> discoverPorts;
    link::TickIntervals intervals;
    int linkWaitMs = 300; // the initial setup's wait for the identification reply
    int linkEndMs = 100;  // and its delay before it closes after a good reply

    // QSerialPort, real pauses, QSerialPortInfo.
    static CloneEnvironment system();
};

} // namespace vn574::ui::clone
