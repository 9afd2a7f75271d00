#include "link/CloneEngine.h"

#include "codec/HexText.h"
#include "codec/MemoryImage.h"
#include "document/Editor.h"
#include "link/CloneFrames.h"
#include "link/WriteBlocks.h"

#include <array>
#include <utility>
#include <vector>

namespace vn574::link {

namespace {

constexpr int portInputBufferBytes = 1024;
constexpr int portOutputBufferBytes = 512;
constexpr int readDiscardLimit = 256;  // a read buffer past this is given up
constexpr int readDiscardsAllowed = 3; // the third one ends the read
constexpr int writeBufferLimit = 512;  // a write buffer past this ends the write
constexpr int noReplyTicks = 10;       // counted ticks without a byte before "msgopen"
constexpr int firstChannelBlock = 32;
constexpr int lastChannelBlock = 231;
constexpr int firstWrittenBlock = 16;
constexpr int passwordBlock = 4;
constexpr int readGateBlock = 5;
constexpr int highBlocks = 256; // read faults from here on report "msgversion"
constexpr int endFramePauseMs = 20;

constexpr std::array<const char*, 17> windowKeys = {
    "msg1",       "msg2",  "msg3",  "msg4",  "msgopen", "msgversion", "msgmodeltypedif",
    "msgbanddif", "rw006", "rw003", "rw004", "rw005",   "RW001",      "rw002",
    "rw008",      "rw010", "rw011"};

std::string replaced(std::string text, std::string_view placeholder, const std::string& value) {
    if (const auto at = text.find(placeholder); at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

} // namespace

CloneEngine::CloneEngine(document::Editor& editor, TransferState& state, SerialPort& port,
                         TickTimer& timer, FrameTimer& frameTimer, CloneView& view,
                         TransferCodec& codec, TickIntervals intervals)
    : m_editor(editor), m_state(state), m_port(port), m_timer(timer), m_frames(port, frameTimer),
      m_view(view), m_codec(codec), m_intervals(intervals) {}

std::string CloneEngine::text(const std::string& key) const {
    const auto found = m_texts.find(key);
    return found == m_texts.end() ? std::string() : found->second;
}

void CloneEngine::load() {
    TransferState& s = m_state;
    s.bPasswordGiven = true;
    m_passwordModifyChecked = false;
    m_passwordBox.clear();

    m_texts.clear();
    for (const char* key : windowKeys) {
        m_texts[key] = m_editor.langText("RW", key);
    }
    setStartCaption("rw003");

    s.CurBlock = s.writing() ? firstWrittenBlock : 0;
    s.TickCount = 0;
    s.RxEventCount = 0;
    s.DiscardCount = 0;
    s.ReadFault = 0;
    s.WriteFault = 0;
    s.bIdentified = false;
    s.bRunning = false;
    s.bReceiving = false;
    m_rx.clear();
    m_timer.stop();
    m_timer.setInterval(m_intervals.transferMs);

    // A later transfer of a chain goes on with the port its first one opened.
    if (!(m_keepPortOpen && m_port.isOpen())) {
        m_port.setBufferSizes(portInputBufferBytes, portOutputBufferBytes);
        m_loadError = OpenPort();
        ClosePort();
    }

    m_caption = text(s.writing() ? "rw002" : "RW001") +
                "  (COMM Port:" + m_editor.settings().commPort + ")";
    // The window stays open after this: the user may fix the cable and press start.
    if (!m_loadError.empty()) {
        m_editor.prompts().message(m_loadError, app::Icon::Error);
    }
}

void CloneEngine::setPasswordControls(bool checked, std::string newPassword) {
    m_passwordModifyChecked = checked;
    m_passwordBox = std::move(newPassword);
}

void CloneEngine::startButton() {
    if (m_closed) {
        return;
    }
    if (m_frames.busy()) {
        // The line carries whole frames only: the press counts once this one is out.
        ++m_startPressesDue;
        return;
    }
    TransferState& s = m_state;
    const bool passwordModify = s.writing() && m_passwordModifyChecked;
    const auto newPassword = codec::passwordBytes(m_passwordBox);
    if (!s.bRunning && passwordModify && !newPassword) {
        // A password the radio cannot keep byte for byte could never be matched again.
        m_editor.prompts().message(text("rw008"), app::Icon::Warning);
        return;
    }
    s.bPasswordGiven = true;
    s.bPasswordChecked = false;
    s.bPreRead = false;
    s.ModelCheck = 0;
    s.bPasswordModify = m_passwordModifyChecked;
    if (passwordModify && newPassword) {
        s.strNewPassword = *newPassword;
    }

    if (s.bRunning) {
        m_timer.stop();
        forgetFrameSteps();
        if (!s.bReceiving && !m_keepPortOpen) {
            ClosePort();
        }
        setStartCaption("rw003");
    } else {
        if (s.writing() && !encodeWriteBlocks()) {
            return;
        }
        // A port that fails here has already been reported when the window loaded; say
        // it again and stay stopped rather than tick against a closed port.
        const std::string error = OpenPort();
        if (!error.empty()) {
            m_editor.prompts().message(error, app::Icon::Error);
            return;
        }
        if (s.writing()) {
            s.CurBlock = 0;
            s.bPreRead = true;
        }
        m_readListIndex = -1;
        m_writeFramesSent = 0;
        m_blocksAcknowledged = 0;
        m_silentTicks = 0;
        m_timer.setInterval(m_intervals.transferMs);
        m_timer.start();
        setStartCaption("rw004");
    }
    s.bRunning = !s.bRunning;
}

void CloneEngine::tick() {
    // A modal message or password window inside a tick must not let the next one in.
    if (m_inTick || m_closed || !m_state.bRunning) {
        return;
    }
    if (m_frames.busy()) {
        // It runs as soon as the frame is on the line, as it would have behind a
        // frame that held up the event loop.
        m_tickDue = true;
        return;
    }
    m_inTick = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_inTick};

    TransferState& s = m_state;
    // The gate ticks are not counted towards the no-reply limit; a pre-read's are.
    const bool writeGate = s.writing() && !s.bPreRead && s.CurBlock < firstWrittenBlock;
    const bool readGate = !s.writing() && s.CurBlock == readGateBlock && !s.bPasswordChecked;
    if (writeGate) {
        if (passwordGate() == GateResult::Ended) {
            return;
        }
        if (listedWrite()) {
            if (m_writePlanner) {
                m_writePlanner(m_writeBlocks);
            }
            s.CurBlock = nextWriteBlock(-1);
        } else {
            s.CurBlock = s.bPasswordModify ? passwordBlock : firstWrittenBlock;
        }
        m_timer.setInterval(m_intervals.afterGateMs);
        // What the radio said to a write stopped before this start is no answer here.
        m_answers.restart(m_rx.streamEnd());
    } else if (readGate) {
        if (passwordGate() == GateResult::Ended) {
            return;
        }
        s.bPasswordChecked = true;
        if (m_modelCheckedRead && s.ModelCheck != 0) {
            fail(s.ModelCheck == 2 ? "msgmodeltypedif" : "msgbanddif");
            return;
        }
        if (m_readList) {
            m_readListIndex = 0;
            s.CurBlock = listedReadBlock();
        }
    } else {
        ++s.TickCount;
    }

    if (s.writing() && !s.bPreRead) {
        if (s.ModelCheck == 2) {
            fail("msgmodeltypedif");
            return;
        }
        if (s.ModelCheck == 1) {
            fail("msgbanddif");
            return;
        }
    }

    if (s.ReadFault == 1 || s.ReadFault == 2) {
        fail(s.ReadFault == 1 ? "msg1" : "msgversion");
        return;
    }
    if (s.WriteFault == 1 || s.WriteFault == 2) {
        fail(s.WriteFault == 1 ? "msg2" : "msgversion");
        return;
    }

    if (s.TickCount > noReplyTicks && s.RxEventCount == 0) {
        fail("msgopen");
        return;
    }
    // A line that once answered and then went dead (cable pulled, radio switched off)
    // brings no byte at all, not even the echo, so no buffer limit would ever fire.
    ++m_silentTicks;
    if (s.RxEventCount > 0 && m_silentTicks > noReplyTicks) {
        failSilentLine();
        return;
    }

    skipChannels();

    const std::string error = PrepareReceiver();
    if (!error.empty()) {
        // The port went away under a running transfer (a pulled USB adapter). The
        // system's text alone ("No such file or directory") would not say which.
        failWithText(lostPortText(error));
        return;
    }

    if (!s.writing() || s.bPreRead) {
        sendReadStep();
    } else {
        sendWriteStep();
    }
}

CloneEngine::GateResult CloneEngine::passwordGate() {
    TransferState& s = m_state;
    const std::string password = codec::TrimAtNul(m_editor.settings().radioPassword);
    if (password.empty()) {
        return GateResult::Passed;
    }
    if (!s.bPasswordGiven) {
        closeWindow();
        return GateResult::Ended;
    }
    if (s.strEnteredPassword != password) {
        s.bPasswordGiven = false;
        m_timer.stop();
        s.strEnteredPassword.clear();
        const auto entered = m_editor.prompts().askPassword();
        if (entered) {
            // An entry the radio could not hold matches nothing; it is asked for again.
            const auto bytes = codec::passwordBytes(*entered);
            if (!bytes) {
                m_editor.prompts().message(text("rw008"), app::Icon::Warning);
            }
            s.strEnteredPassword = bytes.value_or(std::string());
            s.bPasswordGiven = true;
        }
        if (!m_closed) {
            m_timer.start();
        }
        return GateResult::Ended;
    }
    return GateResult::Passed;
}

int CloneEngine::nextWriteBlock(int after) const {
    const auto next = m_writeBlocks.upper_bound(after);
    return next == m_writeBlocks.end() ? blockCount : next->first;
}

int CloneEngine::listedReadBlock() const {
    // The index moves on rather than the block number: the list may ask for block 4
    // again behind the gate.
    const auto index = static_cast<std::size_t>(m_readListIndex);
    return m_readListIndex >= 0 && index < m_readList->size() ? (*m_readList)[index] : blockCount;
}

bool CloneEngine::encodeWriteBlocks() {
    // Every block is encoded before the first byte goes out: a refusal met half way
    // would leave the radio with some blocks new and the rest old, and block 18 could
    // then mark channels in use whose data were never written.
    m_writeRefused = false;
    if (m_writeSource) {
        m_writeBlocks = *m_writeSource;
        return true;
    }
    auto encoded =
        encodeDocumentWrite(m_editor, m_codec, m_state.bPasswordModify, m_state.strNewPassword);
    if (encoded.refused) {
        if (encoded.malformed) {
            m_editor.prompts().message(text("msg4"));
        }
        m_writeBlocks.clear();
        m_writeRefused = true;
        return false;
    }
    m_writeBlocks = std::move(encoded.blocks);
    return true;
}

void CloneEngine::skipChannels() {
    TransferState& s = m_state;
    const bool writeSkipping = s.writing() && !s.bPreRead;
    // A listed read or write asks for exactly the blocks in its list.
    if ((writeSkipping && listedWrite()) || (!s.writing() && m_readListIndex >= 0)) {
        return;
    }
    while (s.CurBlock >= firstChannelBlock && s.CurBlock <= lastChannelBlock) {
        const bool skip = writeSkipping ? writeSkipsBlock(m_editor, s.CurBlock)
                                        : !m_codec.channelInUse((s.CurBlock - 30) / 2);
        if (!skip) {
            break;
        }
        s.CurBlock += 2;
    }
}

void CloneEngine::sendReadStep() {
    TransferState& s = m_state;
    if (s.CurBlock < blockCount) {
        m_frames.send(readFrame(s.CurBlock), shortFramePauseMs);
        showBlockProgress();
        return;
    }
    if (s.writing()) {
        return; // a pre-read never gets this far: block 4 ends it
    }
    // Nothing is sent after the end frame: the tick goes off now, the message comes
    // once the frame and the wait behind it are over.
    m_timer.stop();
    m_frames.send(endFrame(), shortFramePauseMs, endFramePauseMs);
    m_afterFrame = AfterFrame::FinishRead;
    showProgress("100%", blockCount);
}

void CloneEngine::sendWriteStep() {
    TransferState& s = m_state;
    if (!s.bIdentified) {
        sendAnsweredFrame(AnswerLedger::identification, identFrame(), shortFramePauseMs);
        return;
    }
    if (s.CurBlock >= blockCount) {
        m_timer.stop();
        m_frames.send(endFrame(), shortFramePauseMs);
        m_afterFrame = AfterFrame::FinishWrite;
        showProgress("100%", blockCount);
        return;
    }
    const auto digits = m_writeBlocks.find(s.CurBlock);
    const std::string frame =
        digits == m_writeBlocks.end() ? std::string() : writeFrame(s.CurBlock, digits->second);
    if (frame.size() != writeFrameTextLength) {
        // Only the blocks checked before the start are ever sent.
        fail("msg4");
        return;
    }
    ++m_writeFramesSent;
    sendAnsweredFrame(s.CurBlock, frame, writeFramePauseMs);
    showBlockProgress();
}

void CloneEngine::sendAnsweredFrame(int frame, const std::string& text, int pauseMs) {
    // The port's waiting input has just been thrown away, so the echo comes next.
    m_answers.frameSent(frame, m_rx.streamEnd(),
                        static_cast<long long>(text.size()) +
                            static_cast<long long>(lineEnd.size()));
    m_frames.send(text, pauseMs);
}

void CloneEngine::frameTimerStep() {
    if (m_closed || !m_frames.step()) {
        return;
    }
    const AfterFrame after = std::exchange(m_afterFrame, AfterFrame::Nothing);
    if (after != AfterFrame::Nothing) {
        finishTransfer(after);
        return;
    }
    // A close or stop pressed while the frame went out takes effect now that its line
    // end and pause are out, as the window's buttons did behind a frame that held up
    // the event loop.
    if (std::exchange(m_closeDue, false)) {
        closeWindow();
        return;
    }
    for (int presses = std::exchange(m_startPressesDue, 0); presses > 0; --presses) {
        startButton();
    }
    if (std::exchange(m_restartWhenSent, false)) {
        // The tick is the time-out of the frame just sent: one whole interval for its
        // reply before it is sent again. A tick that fell due while the frame went out
        // would send it again at once, and two answers would then be on their way.
        m_tickDue = false;
        if (m_timer.isActive()) {
            m_timer.stop();
            m_timer.start();
        }
    }
    // What arrived meanwhile goes first, as it would have behind a blocking frame.
    if (std::exchange(m_receiveDue, false) || (m_port.isOpen() && m_port.bytesWaiting() > 0)) {
        receiveEvent();
    }
    if (std::exchange(m_tickDue, false)) {
        tick();
    }
}

void CloneEngine::finishTransfer(AfterFrame how) {
    m_timer.stop();
    m_outcome = CloneOutcome::Completed;
    if (!m_announceCompletion) {
        closeWindow();
        return;
    }
    m_editor.prompts().message(text("msg3"));
    if (how == AfterFrame::FinishRead) {
        m_editor.document().bModify = true;
        m_editor.notify(document::LabelsChanged);
    }
    closeWindow();
}

void CloneEngine::closeButton() {
    if (m_frames.busy()) {
        m_closeDue = true;
        return;
    }
    closeWindow();
}

void CloneEngine::forgetFrameSteps() {
    m_afterFrame = AfterFrame::Nothing;
    m_tickDue = false;
    m_restartWhenSent = false;
    m_receiveDue = false;
}

void CloneEngine::receiveEvent() {
    TransferState& s = m_state;
    if (m_closed || !s.bReceiving) {
        return;
    }
    if (m_frames.busy()) {
        // Taken once the frame is on the line, all at once, as behind a frame that held
        // up the event loop: the echo of a text part alone could otherwise be given up
        // with a full buffer while its line end's echo starts the next one.
        m_receiveDue = true;
        return;
    }
    m_receiveDue = false;
    if (!OpenPort().empty()) {
        return;
    }
    const std::string bytes = m_port.readAll();
    m_rx.append(bytes);
    const int faultBefore = s.WriteFault;
    const bool accepted = !s.writing() || s.bPreRead ? handleReadBuffer() : handleWriteBuffer();
    if (!bytes.empty()) {
        ++s.RxEventCount;
        m_silentTicks = 0;
    }
    // A refusal found in fast pacing ends the write at once rather than at the tick.
    if (m_fastPacing && (accepted || s.WriteFault != faultBefore)) {
        stepAfterReply();
    }
}

void CloneEngine::stepAfterReply() {
    // Only a running tick is brought forward: a stopped transfer, a password window or
    // a message still open keep the next frame waiting as they would at a tick.
    if (m_inTick || !m_timer.isActive()) {
        return;
    }
    tick();
    // The step was caused by a byte that has just arrived: it is no silent tick. A tick
    // that fell due during the frame before is spent by it.
    m_silentTicks = 0;
    m_tickDue = false;
    // From the end of the frame it sent on, the tick is that frame's time-out.
    m_restartWhenSent = m_frames.busy();
}

bool CloneEngine::handleReadBuffer() {
    TransferState& s = m_state;
    if (m_rx.size() < readReplyLength) {
        return false;
    }
    const BlockDecoder decode = [this](std::string_view rx, int dataStart, int block) {
        m_codec.decodeBlock(rx, dataStart, block, m_state);
    };
    if (CheckReadReply(m_rx, s.CurBlock, decode, m_editor.prompts())) {
        if (m_readListIndex >= 0) {
            ++m_readListIndex;
            s.CurBlock = listedReadBlock();
        } else if (s.CurBlock < blockCount) {
            ++s.CurBlock;
        }
        m_rx.clear();
        return true;
    }
    if (m_rx.size() > readDiscardLimit) {
        ++s.DiscardCount;
        m_rx.clear();
        PrepareReceiver();
    }
    if (s.DiscardCount >= readDiscardsAllowed) {
        s.ReadFault = s.CurBlock < highBlocks ? 1 : 2;
        m_rx.clear();
    }
    return false;
}

bool CloneEngine::handleWriteBuffer() {
    TransferState& s = m_state;
    const int frame = s.bIdentified ? s.CurBlock : AnswerLedger::identification;
    const auto answers = m_answers.take(m_rx, m_fastPacing);
    if (m_fastPacing) {
        return takeFastWriteAnswer(answers, frame);
    }
    // Where the acknowledgement must stand is the buffer's rule; the ledger adds that it
    // answers this frame, not one sent before it.
    const auto answersThisFrame = [&](int index) {
        return index >= 0 && m_answers.frameAnsweredAt(m_rx.streamStart() + index) == frame;
    };
    if (!s.bIdentified) {
        if (m_rx.size() >= identReplyLength && CheckIdentReply(m_rx) &&
            answersThisFrame(m_rx.FindPattern(okLine))) {
            acknowledgeFrame();
            m_rx.clear();
            return true;
        }
        if (m_rx.size() > writeBufferLimit) {
            s.WriteFault = 2;
            m_rx.clear();
        }
        return false;
    }
    if (m_rx.size() >= writeReplyLength && CheckWriteReply(m_rx) &&
        answersThisFrame(writeReplyOkIndex)) {
        acknowledgeFrame();
        m_rx.clear();
        return true;
    }
    if (m_rx.size() > writeBufferLimit) {
        s.WriteFault = 1;
        m_rx.clear();
    }
    return false;
}

bool CloneEngine::takeFastWriteAnswer(const std::vector<AnswerLedger::Answer>& answers, int frame) {
    // Fast pacing sends the next frame the moment an answer is taken, so an answer is
    // taken wherever it stands behind the echo, but only the first answer to this frame:
    // the answers owed to frames sent before it, and a second answer to a frame sent
    // twice, are passed over.
    TransferState& s = m_state;
    const int fault = s.bIdentified ? 1 : 2;
    for (const auto& answer : answers) {
        if (answer.frame != frame) {
            continue;
        }
        if (answer.kind == AnswerLedger::Kind::Refused) {
            s.WriteFault = fault;
            m_rx.clear();
            return false;
        }
        acknowledgeFrame();
        m_rx.dropFront(static_cast<std::size_t>(answer.end - m_rx.streamStart()));
        return true;
    }
    if (m_rx.size() > writeBufferLimit) {
        s.WriteFault = fault;
        m_rx.clear();
    }
    return false;
}

void CloneEngine::acknowledgeFrame() {
    TransferState& s = m_state;
    if (!s.bIdentified) {
        s.bIdentified = true;
        return;
    }
    ++m_blocksAcknowledged;
    if (listedWrite()) {
        s.CurBlock = nextWriteBlock(s.CurBlock);
        return;
    }
    if (s.CurBlock < blockCount) {
        ++s.CurBlock;
    }
    if (s.CurBlock == passwordBlock + 1) {
        s.CurBlock = firstWrittenBlock;
    }
}

std::string CloneEngine::OpenPort() {
    if (m_port.isOpen()) {
        return {};
    }
    const auto& settings = m_editor.settings();
    const auto line = LineSettings::parse(settings.commSettings);
    if (!line) {
        return "Invalid port settings: " + settings.commSettings;
    }
    return m_port.open(settings.commPort, *line, Handshake::None);
}

std::string CloneEngine::PrepareReceiver() {
    std::string error = OpenPort();
    if (!error.empty()) {
        return error;
    }
    m_port.discardInput();
    m_state.bReceiving = true;
    return {};
}

void CloneEngine::ClosePort() {
    if (m_port.isOpen()) {
        m_port.close();
    }
}

void CloneEngine::closeWindow() {
    if (m_closed) {
        return;
    }
    m_timer.stop();
    forgetFrameSteps();
    if (!m_keepPortOpen) {
        ClosePort();
    }
    m_editor.settings().saveOptionFlags();
    m_state.bRunning = false;
    m_state.bReceiving = false;
    m_closed = true;
    if (m_outcome == CloneOutcome::Open) {
        m_outcome = CloneOutcome::Closed;
    }
    m_view.closeWindow();
}

void CloneEngine::failSilentLine() {
    TransferState& s = m_state;
    if (s.writing() && !s.bPreRead) {
        s.WriteFault = 1;
        fail("msg2");
        return;
    }
    s.ReadFault = s.CurBlock < highBlocks ? 1 : 2;
    fail(s.ReadFault == 1 ? "msg1" : "msgversion");
}

std::string CloneEngine::lostPortText(const std::string& reason) const {
    // The port's own account of a lost port is whole sentences that name the port (an
    // unplugged adapter); a bare system text ("No such file or directory") is not.
    const bool sentences =
        !reason.empty() && std::string_view(".!?").find(reason.back()) != std::string_view::npos;
    const std::string why =
        sentences
            ? reason
            : replaced(replaced(text("rw011"), "%1", m_editor.settings().commPort), "%2", reason);
    return text("rw010") + " " + why;
}

void CloneEngine::fail(const std::string& key) {
    m_failureKey = key;
    failWithText(text(key));
}

void CloneEngine::failWithText(const std::string& text) {
    m_timer.stop();
    m_outcome = CloneOutcome::Failed;
    m_editor.prompts().message(text);
    closeWindow();
}

void CloneEngine::setStartCaption(const std::string& key) {
    m_startCaption = text(key);
    m_view.setStartCaption(m_startCaption);
}

void CloneEngine::showProgress(std::string progressText, int value) {
    m_progressText = std::move(progressText);
    m_progressValue = value;
    m_view.showProgress(m_progressText, m_progressValue);
}

void CloneEngine::showBlockProgress() {
    // Whole percent, halves rounded up: block 64 is 13%.
    const int percent = (m_state.CurBlock * 100 + blockCount / 2) / blockCount;
    showProgress(std::to_string(percent) + "%", m_state.CurBlock);
}

} // namespace vn574::link
