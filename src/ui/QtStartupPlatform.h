#pragma once

#include "app/Startup.h"

namespace vn574::ui {

// Start-up's view of the machine for the desktop program.
class QtStartupPlatform : public app::StartupPlatform {
public:
    std::uint32_t systemLocaleId() override;
    void runInitialSetup(app::ProcessSettings& settings) override;
    std::vector<std::string> serialPorts() override;
};

} // namespace vn574::ui
