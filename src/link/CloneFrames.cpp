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

void FrameSender::send(std::string_view text, int pauseMs, int waitAfterMs) {
    m_pauseMs = pauseMs;
    m_waitAfterMs = waitAfterMs;
    m_port.write(text);
    m_phase = Phase::TextSent;
    m_timer.start(m_pauseMs);
}

bool FrameSender::step() {
    switch (m_phase) {
    case Phase::Idle:
        return false;
    case Phase::TextSent:
        m_port.write(lineEnd);
        m_phase = Phase::LineEndSent;
        m_timer.start(m_pauseMs);
        return false;
    case Phase::LineEndSent:
        if (m_waitAfterMs > 0) {
            m_phase = Phase::Waiting;
            m_timer.start(m_waitAfterMs);
            return false;
        }
        break;
    case Phase::Waiting:
        break;
    }
    m_phase = Phase::Idle;
    return true;
}

bool IsLink2(std::string_view buffer) {
    return buffer == "VN575\r\n\r\nOK\r\n";
}

} // namespace vn574::link
