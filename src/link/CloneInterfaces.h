#pragma once

#include <string>
#include <string_view>

namespace vn574::link {

struct TransferState;

// The clone window's periodic tick. The host calls CloneEngine::tick() at every
// interval while the timer is on.
class TickTimer {
public:
    virtual ~TickTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    [[nodiscard]] virtual int interval() const = 0;
};

// The short waits between the parts of a frame. The radio reads the line slowly, so
// the line end must come a while after the text part; the window must not stop for it.
// A one-shot timer: the host calls CloneEngine::frameTimerStep() once, `milliseconds`
// after start(); tests only advance their clock.
class FrameTimer {
public:
    virtual ~FrameTimer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
};

// What the clone window shows of a transfer and how it goes away.
class CloneView {
public:
    virtual ~CloneView() = default;
    // The progress text ("50%") and the bar's value, 0..512.
    virtual void showProgress(const std::string& text, int value) = 0;
    virtual void setStartCaption(const std::string& caption) = 0;
    // The transfer is over (or the user closed the window): the window goes away.
    virtual void closeWindow() = 0;
};

// The image codec as a transfer needs it. Decoding may change the pre-read flag, the
// model comparison and the radio password; encoding may change a few document cells.
class TransferCodec {
public:
    virtual ~TransferCodec() = default;

    // DecodeBlock: `rx` holds the reply, the block's 32 digits start at `dataStart`.
    virtual void decodeBlock(std::string_view rx, int dataStart, int block,
                             TransferState& state) = 0;

    // EncodeBlock: the block's 32 digits, or another text ("error") when the document
    // cannot be encoded. `newPassword` goes into block 4.
    virtual std::string encodeBlock(int block, const std::string& newPassword) = 0;

    // ChInUse of channel-table row 1..104 as the last decoded block 18 left it.
    [[nodiscard]] virtual bool channelInUse(int row) const = 0;
};

} // namespace vn574::link
