#pragma once

#include "link/FleetPort.h"

#include <functional>

namespace vn574::link {

// Runs a fleet: one FleetPort per port of the radio list, each on its own QSerialPort and
// timers, all on the one event loop, until every port is done. `stop`, when given, is
// set to a function that stops every port (after its current frame). Needs a
// QCoreApplication.
void runFleet(const app::ProcessSettings& settings, const FleetSettings& fleet,
              const std::vector<files::RadioRow>& radios, FleetListener& listener,
              std::function<void()>* stop = nullptr);

} // namespace vn574::link
