#pragma once

#include <string>
#include <vector>

namespace vn574::app {

// Ports are held by their platform name ("ttyUSB0", "COM3", "/dev/pts/4"); "" means
// that no port is known.

// The device number of a port name: its trailing decimal digits, or -1 without any.
int portNumber(const std::string& name);

// Whether the name is a built-in serial device (ttyS<n>, COM<n>) rather than a virtual
// or USB one (ttyUSB<n>, ttyACM<n>, ...).
bool isBuiltInSerial(const std::string& name);

// The order of the port list: by device number, the built-in serial device before the
// virtual or USB device of the same number; names without a number last, by name.
std::vector<std::string> sortPortNames(std::vector<std::string> names);

// The default port (as GetInitComPort chose it): among the ports of the lowest device
// number, the virtual or USB device when there is one, else the serial device; "" when
// there is no port at all.
std::string initComPort(const std::vector<std::string>& names);

// The machine's ports with the port named on the command line added at the end, unless
// it is one of them already ("ttyUSB0" and "/dev/ttyUSB0" are one port). A pseudo
// terminal such as "/dev/pts/4" is never among the machine's serial ports, yet the user
// asked for it and must find it in the lists.
std::vector<std::string> withNamedPort(std::vector<std::string> ports, const std::string& named);

} // namespace vn574::app
