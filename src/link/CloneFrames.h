#pragma once

#include <string>
#include <string_view>

namespace vn574::link {

class SerialPort;
class FrameTimer;

inline constexpr int blockCount = 512; // 8192 bytes in blocks of 16
inline constexpr int blockDigits = 32; // one block on the line
inline constexpr int imageSize = 8192;

inline constexpr std::string_view lineEnd = "\r\n";
inline constexpr std::string_view okLine = "\r\nOK\r\n";
inline constexpr std::string_view refusal = "ERROR";

// The pauses between the two parts of a frame. The radio needs a moment after the
// text part, and longer after a write frame, before the line end reaches it.
inline constexpr int shortFramePauseMs = 10;
inline constexpr int writeFramePauseMs = 20;

// BlockAddress: four upper-case hexadecimal digits of 16 * block.
std::string BlockAddress(int block);

// The text parts of the four frames; SendFrame adds the line end.
std::string identFrame();
std::string readFrame(int block);
std::string writeFrame(int block, std::string_view dataDigits);
std::string endFrame();

// The text part of a write frame has exactly this length; anything else is not sent.
inline constexpr std::size_t writeFrameTextLength = 41;

// SendFrame as a sequence of timer steps, so that nothing sleeps: the text part in one
// output call; when the pause has run out, CR LF in a second output call; when it has
// run out again (and an extra wait after it, if asked for), the frame counts as sent.
// The owner calls step() whenever the frame timer runs out.
class FrameSender {
public:
    FrameSender(SerialPort& port, FrameTimer& timer) : m_port(port), m_timer(timer) {}

    void send(std::string_view text, int pauseMs, int waitAfterMs = 0);
    // Returns true when the frame has just become sent.
    bool step();
    // A frame is never cut short: the radio would take its text part and whatever comes
    // next as one line.
    [[nodiscard]] bool busy() const { return m_phase != Phase::Idle; }

private:
    enum class Phase { Idle, TextSent, LineEndSent, Waiting };

    SerialPort& m_port;
    FrameTimer& m_timer;
    Phase m_phase = Phase::Idle;
    int m_pauseMs = 0;
    int m_waitAfterMs = 0;
};

// IsLink2: the link test's check of the identification reply, byte for byte.
bool IsLink2(std::string_view buffer);

} // namespace vn574::link
