#pragma once

#include <string>
#include <string_view>

namespace vn574::link {

class SerialPort;
class Pause;

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

// SendFrame: the text part in one output call, a pause, CR LF in a second output call,
// and the pause again.
void SendFrame(SerialPort& port, Pause& pause, std::string_view text, int pauseMs);

// IsLink2: the link test's check of the identification reply, byte for byte.
bool IsLink2(std::string_view buffer);

} // namespace vn574::link
