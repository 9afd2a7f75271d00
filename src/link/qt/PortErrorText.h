#pragma once

#include <string>

namespace vn574::link {

// Why a serial port could not be used, as far as the user can act on it.
enum class PortFailure {
    AccessDenied, // the device exists but the user may not open it (EACCES)
    InUse,        // another program holds the port
    NoSuchDevice, // no device of that name (cable not plugged in, wrong name)
    Vanished,     // the device went away while open (USB cable pulled)
    Other,
};

// A message in plain words with what to do about it. `platformText` is the system's
// own description, kept at the end for the cases it adds something to.
std::string portFailureText(PortFailure failure, const std::string& port,
                            const std::string& platformText);

// Tells an access refusal from a port in use: QSerialPort reports both as a permission
// error, but only one of them is fixed by joining the "dialout" group. Asks the file
// system whether the user may read and write the device.
PortFailure classifyPermissionError(const std::string& devicePath);

} // namespace vn574::link
