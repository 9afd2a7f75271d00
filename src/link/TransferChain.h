#pragma once

#include "codec/MemoryImage.h"
#include "link/CloneEngine.h"
#include "link/CloneInterfaces.h"
#include "link/RawTransferCodec.h"
#include "link/TransferState.h"
#include "link/WriteBlocks.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vn574::codec {
class ImageCodec;
}
namespace vn574::files {
struct TransferRecord;
}

namespace vn574::link {

class CodecTransfer;

// The transfers of a chain. Backup and verify are reads of our own, restore a write of a
// backup's bytes; the write is the document's.
enum class ChainStep { Backup, Write, Verify, Restore };

// A block the radio holds otherwise than it was sent.
struct BlockDifference {
    int block = 0;
    std::string sent; // 32 digits
    std::string held; // 32 digits
};

// "block 16 0x0100 sent <32 digits> radio <32 digits>"
std::string differenceLine(const BlockDifference& difference);

struct ChainPlan {
    enum class Goal {
        Write,   // the document, with the steps below
        Verify,  // the radio against the document, or against `image` when given
        Restore, // `image` into the radio, then verified
    };
    Goal goal = Goal::Write;
    bool backup = false;      // a write backs the radio up first
    bool verify = false;      // a write reads back what it sent
    bool onlyChanged = false; // a write sends only the blocks that differ from the backup
    bool fastWrite = false;   // the write's own pacing; backup and verify are always fast
    bool passwordModify = false;
    std::string newPassword; // the radio's bytes, as codec::passwordBytes gives them
    std::optional<codec::MemoryImage> image;
    std::string file;         // the document or image file the history names
    std::string backupFolder; // "" for the standard backups folder
    // A backup of an earlier try of this write that failed after changing the radio: it
    // stays the radio's restore point, and the backup read saves no new file.
    std::string keptBackup;
    TickIntervals intervals;
    // The codec of the document's write; null for the chain's own over the editor.
    TransferCodec* documentCodec = nullptr;
    // Names the backup file in place of the radio's own ID (a fleet's row label).
    std::string backupLabel;
    // Runs once the backup is read, before the document is encoded for the write: it may
    // change the document after what the radio held (a fleet radio keeping its own
    // identity). "" or why the write cannot go on (shown as the chain's failure).
    std::function<std::string(const codec::MemoryImage& backup)> prepareWrite;
};

struct ChainResult {
    bool ended = false;
    bool ok = false;
    ChainStep failedStep = ChainStep::Write;
    bool transferFailed = false; // a step ended without completing (not a verify difference)
    // How the failed step's transfer ended: Closed when no message said why (the password
    // window cancelled, the stop button).
    CloneOutcome stepOutcome = CloneOutcome::Open;
    std::string backupPath; // the restore point: the backup taken or kept
    // The write or restore sent a block and the chain did not end well: the radio may
    // hold part of the new data.
    bool radioChanged = false;
    int blocksWritten = 0;
    std::vector<BlockDifference> differences;
};

// What a host shows of a chain.
class ChainView {
public:
    virtual ~ChainView() = default;
    virtual void stepStarted(ChainStep step) = 0;
    virtual void showProgress(ChainStep step, const std::string& text, int value) = 0;
    virtual void setStartCaption(const std::string& caption) = 0;
    // The backup before a write is on disk (or an earlier one is kept): its path.
    virtual void backupSaved(const std::string& /*path*/) {}
    // The last step is over; result() says how it went.
    virtual void chainEnded() = 0;
};

// Transfers one after another on one port: backup → write → verify, a verify alone, or
// restore → verify. Each is a transfer of the clone engine with the frames it always
// sends; the chain keeps the port open between them, starts the next one a tick after
// the end frame of the one before, keeps what a backup and a verify read away from the
// document, stores the backup and adds a row to the transfer history for every step.
// Only the last step tells the user that the transfer completed.
class TransferChain {
public:
    TransferChain(document::Editor& editor, TransferState& state, SerialPort& port,
                  TickTimer& timer, FrameTimer& frameTimer, ChainView& view, ChainPlan plan);
    ~TransferChain();
    TransferChain(const TransferChain&) = delete;
    TransferChain& operator=(const TransferChain&) = delete;

    // Starts the first step. False when nothing could start (no port, a document that
    // cannot be encoded, a bad new password); the user has been told and the chain has
    // ended.
    bool start();
    // The stop or close button: the step ends once the frame on the line is out.
    void stop();

    void tick();
    void frameTimerStep();
    void receiveEvent();
    [[nodiscard]] bool sendingFrame() const;

    [[nodiscard]] ChainStep step() const { return m_steps[m_stepIndex]; }
    [[nodiscard]] const ChainResult& result() const { return m_result; }
    [[nodiscard]] const CloneEngine* engine() const { return m_engine.get(); }
    // The radio's image as the backup read it (zero before).
    [[nodiscard]] const codec::MemoryImage& backupImage() const { return m_backupImage; }

private:
    class StepView;

    // Encodes the document's write; false (the user told) when the encoder refused.
    bool encodeDocument();
    void startStep();
    void stepClosed();
    bool finishBackup();
    void finishWrite();
    bool finishVerify();
    void failStep(const std::string& extraMessage);
    void endChain(bool ok);
    void record(ChainStep recorded, bool ok, const std::string& message, int blocksSent,
                int blocksDiffering);
    [[nodiscard]] std::string text(const std::string& key) const;
    [[nodiscard]] std::string expectedModelCode() const;
    void planOnlyChanged(WriteBlocks& blocks) const;

    document::Editor& m_editor;
    TransferState& m_state;
    SerialPort& m_port;
    TickTimer& m_timer;
    FrameTimer& m_frameTimer;
    ChainView& m_view;
    ChainPlan m_plan;
    std::unique_ptr<StepView> m_stepView;

    std::vector<ChainStep> m_steps;
    std::size_t m_stepIndex = 0;
    std::unique_ptr<codec::ImageCodec> m_imageCodec;
    std::unique_ptr<CodecTransfer> m_documentCodec;
    std::unique_ptr<RawTransferCodec> m_rawCodec;
    std::unique_ptr<CloneEngine> m_engine;
    // Engines whose transfer is over; one may still be on the call stack that ended it.
    std::vector<std::unique_ptr<CloneEngine>> m_spentEngines;
    std::vector<std::unique_ptr<RawTransferCodec>> m_spentCodecs;
    std::chrono::steady_clock::time_point m_stepStart;

    WriteBlocks m_documentBlocks; // the document's write, encoded before anything is sent
    WriteBlocks m_sentBlocks;     // what the write or restore sent
    codec::MemoryImage m_backupImage{};
    std::array<bool, 512> m_backupRead{};
    bool m_haveBackup = false;
    ChainResult m_result;
};

} // namespace vn574::link
