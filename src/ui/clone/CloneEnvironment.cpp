#include "ui/clone/CloneEnvironment.h"

#include "link/qt/QtCloneHost.h"
#include "link/qt/QtSerialPort.h"

namespace vn574::ui::clone {
namespace {

class QtTransferPort final : public TransferPort {
public:
    link::SerialPort& port() override { return m_port; }
    void setReceiveHandler(std::function<void()> handler) override {
        m_port.setReceiveHandler(std::move(handler));
    }
    void deliverWaitingBytes() override { m_port.deliverWaitingBytes(); }

private:
    link::QtSerialPort m_port;
};

} // namespace

CloneEnvironment CloneEnvironment::system() {
    CloneEnvironment environment;
    environment.makePort = [] { return std::make_unique<QtTransferPort>(); };
    environment.discoverPorts = [] { return link::availablePortNames(); };
    return environment;
}

} // namespace vn574::ui::clone
