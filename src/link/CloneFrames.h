#pragma once

#include <functional>
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
    // Stops the frame where it is: none of its remaining parts goes out.
    void abandon();
    [[nodiscard]] bool busy() const { return m_phase != Phase::Idle; }
    // A text part was abandoned without its line end, so the radio holds an unfinished
    // line in front of whatever comes next. The next send() first spoils that line
    // (see lineReset) and, a pause later, calls `onLineReset` so that the owner throws
    // away what the radio said to it, before the frame's text part goes out.
    [[nodiscard]] bool lineOpen() const { return m_lineOpen; }
    void setLineResetHandler(std::function<void()> handler) { m_onLineReset = std::move(handler); }

private:
    enum class Phase { Idle, Resetting, TextSent, LineEndSent, Waiting };

    void sendText();

    SerialPort& m_port;
    FrameTimer& m_timer;
    std::function<void()> m_onLineReset;
    Phase m_phase = Phase::Idle;
    std::string m_text;
    int m_pauseMs = 0;
    int m_waitAfterMs = 0;
    bool m_lineOpen = false;
};

// Ends an unfinished line so that it is no frame: the radio takes a line only with CR LF,
// and a byte no frame has makes the unfinished text one it does not understand. Only a
// line end alone would have completed the abandoned frame.
inline constexpr std::string_view lineReset = "?\r\n";

// IsLink2: the link test's check of the identification reply, byte for byte.
bool IsLink2(std::string_view buffer);

} // namespace vn574::link
