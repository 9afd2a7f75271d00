#pragma once

#include <functional>
#include <optional>
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

// Windows lists its serial ports in the registry key HKLM\HARDWARE\DEVICEMAP\SERIALCOMM,
// each value naming a device ("\Device\Serial0", "\Device\VCP0") and holding its port
// ("COM3"). A look-up gives the text of one value by its name, nothing when it is absent.
using SerialCommLookup = std::function<std::optional<std::string>(const std::string& value)>;

// The port list: for i = 0..255 the serial device's port ("\Device\Serial<i>", else
// "COM<i>") and then the VCP device's port ("\Device\VCP<i>").
std::vector<std::string> serialCommPorts(const SerialCommLookup& lookup);

// The default port (GetInitComPort on Windows): the port of the first i with one, the VCP
// device's overriding the serial device's; "" when there is none. A value whose text is
// no port name ("COM" and a number above 0) counts as absent.
std::string serialCommDefaultPort(const SerialCommLookup& lookup);

#ifdef _WIN32
// The values of the machine's SERIALCOMM key; a key or value that cannot be read is absent.
std::optional<std::string> readSerialComm(const std::string& value);
#endif

// The default port of this machine among `ports`, the machine's port list: on Windows
// by the registry's rule above, elsewhere initComPort.
std::string machineDefaultPort(const std::vector<std::string>& ports);

} // namespace vn574::app
