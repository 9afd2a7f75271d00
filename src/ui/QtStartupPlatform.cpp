#include "ui/QtStartupPlatform.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <charconv>
#include <tuple>

namespace vn574::ui {
namespace {

// Orders ports by their device number, the serial device (ttyS<n>, COM<n>) before a
// USB or virtual device (ttyUSB<n>, ttyACM<n>) of the same number.
std::tuple<int, int, std::string> portOrder(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') {
        --digits;
    }
    const std::string prefix = name.substr(0, digits);
    int number = -1;
    std::from_chars(name.data() + digits, name.data() + name.size(), number);
    const int kind = (prefix == "ttyS" || prefix == "COM") ? 0 : 1;
    return {number, kind, name};
}

} // namespace

std::uint32_t QtStartupPlatform::systemLocaleId() {
    return app::localeIdFromName(app::environmentLocaleName());
}

void QtStartupPlatform::runInitialSetup(app::ProcessSettings& settings) {
    // The first-run window with its link test replaces this: until it exists the first
    // start goes straight on to the main window, and start-up records the setup as done.
    settings.firstRun = false;
}

std::vector<std::string> QtStartupPlatform::serialPorts() {
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back(info.portName().toStdString());
    }
    std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
        return portOrder(a) < portOrder(b);
    });
    return ports;
}

} // namespace vn574::ui
