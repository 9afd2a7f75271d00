#pragma once

#include "link/CloneEngine.h"
#include "link/TransferChain.h"
#include "link/TransferTrace.h"

#include <functional>
#include <string>

namespace vn574::document {
class Editor;
}

namespace vn574::link {

struct CloneRunOptions {
    TickIntervals intervals;
    bool fast = false;           // fast pacing: the next frame as soon as a reply is accepted
    bool passwordModify = false; // the write window's "Password modify" box
    std::string newPassword;
    // Every progress step of the window: the text ("50%") and the block.
    std::function<void(const std::string& text, int value)> onProgress;
    // When given, receives every byte of the transfer with its time.
    TransferTrace* trace = nullptr;
    // Called with the engine once the transfer is over (what it wrote, its failure).
    std::function<void(const CloneEngine& engine)> onFinished;
};

// Runs one transfer as the clone window does when the user presses start and waits:
// the engine on the port named in the settings, its tick on a QTimer and its receive
// events from QSerialPort, inside a local event loop that ends when the window would
// close. Needs a QCoreApplication. The direction is state.mode. A port that goes away
// during the transfer ends it with a message saying so (failure key "port-vanished");
// a write whose document cannot be encoded sends nothing (failure key "encode").
CloneOutcome runCloneTransfer(document::Editor& editor, TransferState& state, TransferCodec& codec,
                              const CloneRunOptions& options, std::string* failureKey = nullptr);

struct ChainRunOptions {
    // Every progress step of every transfer of the chain, with the step it belongs to.
    std::function<void(ChainStep step, const std::string& text, int value)> onProgress;
    std::function<void(ChainStep step)> onStepStarted;
    std::function<void(const std::string& path)> onBackupSaved;
    TransferTrace* trace = nullptr; // one trace for the whole chain
};

// Runs a chain of transfers (backup, write, verify; verify; restore) on the port named in
// the settings, as runCloneTransfer runs one. A port that goes away ends the chain with
// a message saying so. Needs a QCoreApplication.
ChainResult runTransferChain(document::Editor& editor, TransferState& state, ChainPlan plan,
                             const ChainRunOptions& options);

} // namespace vn574::link
