#include "link/qt/PortErrorText.h"

#include <cerrno>
#include <unistd.h>

namespace vn574::link {

std::string portFailureText(PortFailure failure, const std::string& port,
                            const std::string& platformText) {
    switch (failure) {
    case PortFailure::AccessDenied:
        return "You are not allowed to use the serial port " + port +
               " (permission denied).\n\n"
               "On Linux, serial ports belong to the group \"dialout\". Add your user to it "
               "with\n    sudo usermod -aG dialout $USER\n"
               "then log out and log in again (or restart the computer) so that the new "
               "membership takes effect.";
    case PortFailure::InUse:
        return "The serial port " + port +
               " is in use by another program. Close that program (a terminal program, a "
               "modem manager or another copy of this editor) and try again.";
    case PortFailure::NoSuchDevice:
        return "The serial port " + port +
               " does not exist. Check that the programming cable is plugged in, then choose "
               "the port again: USB cables appear as ttyUSB0 or ttyACM0.";
    case PortFailure::Vanished:
        return "The serial port " + port +
               " has gone away during the transfer: the cable was unplugged or the USB "
               "adapter was reset. Plug the cable in again, choose the port again if its "
               "name changed, and repeat the transfer.";
    case PortFailure::Other:
        break;
    }
    return platformText.empty() ? "Cannot Open Communication Port." : platformText;
}

PortFailure classifyPermissionError(const std::string& devicePath) {
    if (::access(devicePath.c_str(), R_OK | W_OK) != 0) {
        return errno == ENOENT ? PortFailure::NoSuchDevice : PortFailure::AccessDenied;
    }
    return PortFailure::InUse;
}

} // namespace vn574::link
