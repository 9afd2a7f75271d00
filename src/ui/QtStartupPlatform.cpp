#include "ui/QtStartupPlatform.h"

#include "app/PortNames.h"

#include "ui/QtPrompts.h"
#include "ui/clone/LoadFrmLink.h"

namespace vn574::ui {

std::uint32_t QtStartupPlatform::systemLocaleId() {
    return app::systemDefaultLocaleId();
}

void QtStartupPlatform::runInitialSetup(app::ProcessSettings& settings) {
    if (m_portOverride) {
        settings.commPort = *m_portOverride;
    }
    QtPrompts prompts;
    clone::LoadFrmLink window(settings, prompts, m_environment);
    prompts.setParent(&window);
    window.exec();
}

std::string QtStartupPlatform::defaultSerialPort() {
    return app::machineDefaultPort(serialPorts());
}

std::vector<std::string> QtStartupPlatform::serialPorts() {
    return m_environment.discoverPorts();
}

} // namespace vn574::ui
