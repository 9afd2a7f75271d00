#pragma once

#include "link/AnswerLedger.h"
#include "link/CloneFrames.h"
#include "link/CloneInterfaces.h"
#include "link/RxBuffer.h"
#include "link/SerialPort.h"
#include "link/TransferState.h"
#include "link/WriteBlocks.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vn574::document {
class Editor;
}

namespace vn574::link {

struct TickIntervals {
    int transferMs = 150;  // reading, and a write up to its password gate
    int afterGateMs = 100; // a write after its password gate
};

// How the clone window ended, for hosts that report it (the command-line tool).
enum class CloneOutcome {
    Open,      // the window is still open
    Completed, // every block transferred, "msg3" shown
    Failed,    // a failure message was shown
    Closed,    // closed without a message: the close button, or the password cancelled
};

// The clone window without its widgets: one state machine for reading and writing
// the radio. The window (or the command-line host) forwards its events here: load,
// the start and close buttons, the tick and the port's receive events.
class CloneEngine {
public:
    CloneEngine(document::Editor& editor, TransferState& state, SerialPort& port, TickTimer& timer,
                FrameTimer& frameTimer, CloneView& view, TransferCodec& codec,
                TickIntervals intervals = {});

    // The window loads for the transfer direction in state.mode.
    void load();
    // The "Password modify" check box and the password box of a write window.
    void setPasswordControls(bool checked, std::string newPassword);
    // Fast pacing: the next frame goes out as soon as a reply has been accepted instead
    // of at the next tick; the tick then only asks again for a block left unanswered.
    void setFastPacing(bool on) { m_fastPacing = on; }
    [[nodiscard]] bool fastPacing() const { return m_fastPacing; }

    // --- a transfer inside a chain of transfers on one port (backup, verify, restore) ---
    // Reads blocks 0..4 and passes the password gate as every read does, then reads
    // `blocks` alone, in the order given, instead of every block from 5 on.
    void setReadList(std::vector<int> blocks) { m_readList = std::move(blocks); }
    // A read that ends after the gate with the model message when the codec found the
    // radio to be another model (TransferState::ModelCheck), as a write does.
    void setModelCheckedRead(bool on) { m_modelCheckedRead = on; }
    // A write of these blocks (block 4, then 16 up) instead of the document's encoding.
    void setWriteSource(WriteBlocks blocks) { m_writeSource = std::move(blocks); }
    // Runs at the write's password gate, once the radio's blocks 0..4 are known, and may
    // take blocks out of the write (or put block 4 in). The write then sends exactly
    // the blocks left, in increasing order.
    void setWritePlanner(std::function<void(WriteBlocks&)> planner) {
        m_writePlanner = std::move(planner);
    }
    // The port stays open when the transfer ends (the next transfer of the chain goes
    // on with it) and the window's load does not try it again; with `announce` false a
    // completed transfer shows no message and a read leaves bModify alone.
    void setChainStep(bool keepPortOpen, bool announce) {
        m_keepPortOpen = keepPortOpen;
        m_announceCompletion = announce;
    }
    // The blocks the write sends (or sent), after the planner.
    [[nodiscard]] const WriteBlocks& writeBlocks() const { return m_writeBlocks; }
    // Write frames that went out, and how many of them the radio acknowledged.
    [[nodiscard]] int writeFramesSent() const { return m_writeFramesSent; }
    [[nodiscard]] int blocksAcknowledged() const { return m_blocksAcknowledged; }
    void startButton();
    // A close that comes while a frame goes out takes effect once the frame is out.
    void closeButton();
    void tick();
    // The frame timer has run out: the next part of the frame being sent goes out.
    void frameTimerStep();
    [[nodiscard]] bool sendingFrame() const { return m_frames.busy(); }
    // The port reports that bytes have arrived.
    void receiveEvent();

    [[nodiscard]] const TransferState& state() const { return m_state; }
    [[nodiscard]] const RxBuffer& rxBuffer() const { return m_rx; }
    [[nodiscard]] CloneOutcome outcome() const { return m_outcome; }
    // The "RW" key of the failure message shown, "" when none was.
    [[nodiscard]] const std::string& failureKey() const { return m_failureKey; }
    // Whether the last start of a write was refused because a block of the document
    // could not be encoded: nothing was sent and the window is still open.
    [[nodiscard]] bool writeRefused() const { return m_writeRefused; }
    // Prefix, "  (COMM Port:", the port name, ")".
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    // What went wrong when the window tried the port on loading, "" when nothing did.
    [[nodiscard]] const std::string& loadError() const { return m_loadError; }
    [[nodiscard]] const std::string& startCaption() const { return m_startCaption; }
    [[nodiscard]] const std::string& progressText() const { return m_progressText; }
    [[nodiscard]] int progressValue() const { return m_progressValue; }
    [[nodiscard]] bool passwordModifyChecked() const { return m_passwordModifyChecked; }
    [[nodiscard]] const std::string& passwordBoxText() const { return m_passwordBox; }
    [[nodiscard]] std::string text(const std::string& key) const;

private:
    enum class GateResult { Passed, Ended };
    // What is left to do once the frame being sent is on the line.
    enum class AfterFrame { Nothing, FinishRead, FinishWrite };

    std::string OpenPort();
    std::string PrepareReceiver();
    void ClosePort();
    void closeWindow();
    void fail(const std::string& key);
    void failSilentLine();
    void failWithText(const std::string& text);
    // The message for a port that went away under the transfer.
    [[nodiscard]] std::string lostPortText(const std::string& reason) const;
    void setStartCaption(const std::string& key);
    void showProgress(std::string text, int value);
    void showBlockProgress();

    GateResult passwordGate();
    bool encodeWriteBlocks();
    // Whether the write walks its block map (a chain's write) rather than the blocks
    // the document's in-use rows give.
    [[nodiscard]] bool listedWrite() const { return m_writeSource || m_writePlanner; }
    [[nodiscard]] int nextWriteBlock(int after) const;
    // The block at the listed read's index, blockCount past the end.
    [[nodiscard]] int listedReadBlock() const;
    void skipChannels();
    void sendReadStep();
    void sendWriteStep();
    // An identification or write frame, which the radio owes an answer.
    void sendAnsweredFrame(int frame, const std::string& text, int pauseMs);
    // Whether the buffer held the reply the transfer was waiting for.
    bool handleReadBuffer();
    bool handleWriteBuffer();
    bool takeFastWriteAnswer(const std::vector<AnswerLedger::Answer>& answers, int frame);
    void acknowledgeFrame();
    void stepAfterReply();
    // Forgets what was to follow the frame being sent (a stop, the window closing).
    void forgetFrameSteps();
    void finishTransfer(AfterFrame how);

    document::Editor& m_editor;
    TransferState& m_state;
    SerialPort& m_port;
    TickTimer& m_timer;
    FrameSender m_frames;
    CloneView& m_view;
    TransferCodec& m_codec;
    TickIntervals m_intervals;

    RxBuffer m_rx;
    AnswerLedger m_answers;
    std::map<std::string, std::string> m_texts;
    std::string m_caption;
    std::string m_loadError;
    std::string m_startCaption;
    std::string m_progressText{"0%"};
    int m_progressValue = 0;
    bool m_passwordModifyChecked = false;
    std::string m_passwordBox;
    bool m_inTick = false;
    bool m_writeRefused = false;
    bool m_fastPacing = false;
    AfterFrame m_afterFrame = AfterFrame::Nothing;
    bool m_receiveDue = false;      // bytes arrived while a frame was being sent
    bool m_tickDue = false;         // a tick came while a frame was being sent
    bool m_restartWhenSent = false; // the tick restarts as the time-out of this frame
    int m_startPressesDue = 0;      // start button presses while a frame was being sent
    bool m_closeDue = false;        // the close button pressed while a frame was being sent
    int m_silentTicks = 0;          // ticks since a byte last arrived
    // The data digits of every block the running write sends, encoded before its start.
    WriteBlocks m_writeBlocks;
    std::optional<WriteBlocks> m_writeSource;
    std::function<void(WriteBlocks&)> m_writePlanner;
    std::optional<std::vector<int>> m_readList;
    bool m_modelCheckedRead = false;
    int m_readListIndex = -1; // -1 until the gate, then the index in m_readList
    bool m_keepPortOpen = false;
    bool m_announceCompletion = true;
    int m_writeFramesSent = 0;
    int m_blocksAcknowledged = 0;
    bool m_closed = false;
    CloneOutcome m_outcome = CloneOutcome::Open;
    std::string m_failureKey;
};

} // namespace vn574::link
