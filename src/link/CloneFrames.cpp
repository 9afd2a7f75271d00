#include "link/CloneFrames.h"

#include "link/CloneInterfaces.h"
#include "link/SerialPort.h"

namespace vn574::link {

std::string BlockAddress(int block) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    const unsigned address = static_cast<unsigned>(block) * 16U & 0xFFFFU;
    std::string text(4, '0');
    for (int i = 3, shift = 0; i >= 0; --i, shift += 4) {
        text[static_cast<std::size_t>(i)] = digits[(address >> shift) & 0xFU];
    }
    return text;
}

std::string identFrame() {
    return "VN575";
}

std::string readFrame(int block) {
    return "ZT~F" + BlockAddress(block) + "R";
}

std::string writeFrame(int block, std::string_view dataDigits) {
    return "ZT~F" + BlockAddress(block) + "W" + std::string(dataDigits);
}

std::string endFrame() {
    return "ZT~E";
}

void SendFrame(SerialPort& port, Pause& pause, std::string_view text, int pauseMs) {
    port.write(text);
    pause.pause(pauseMs);
    port.write(lineEnd);
    pause.pause(pauseMs);
}

bool IsLink2(std::string_view buffer) {
    return buffer == "VN575\r\n\r\nOK\r\n";
}

} // namespace vn574::link
