#pragma once

#include "app/Startup.h"
#include "ui/clone/CloneEnvironment.h"

#include <optional>
#include <string>

namespace vn574::ui {

// Start-up's view of the machine for the desktop program.
class QtStartupPlatform : public app::StartupPlatform {
public:
    // `portOverride` is the port named on the command line; the initial setup offers
    // it for its link test.
    explicit QtStartupPlatform(
        clone::CloneEnvironment environment = clone::CloneEnvironment::system(),
        std::optional<std::string> portOverride = std::nullopt)
        : m_environment(std::move(environment)), m_portOverride(std::move(portOverride)) {}

    std::uint32_t systemLocaleId() override;
    void runInitialSetup(app::ProcessSettings& settings) override;
    std::vector<std::string> serialPorts() override;
    std::string defaultSerialPort() override;

private:
    clone::CloneEnvironment m_environment;
    std::optional<std::string> m_portOverride;
};

} // namespace vn574::ui
