#pragma once

#include "link/CloneEngine.h"
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
};

// Runs one transfer as the clone window does when the user presses start and waits:
// the engine on the port named in the settings, its tick on a QTimer and its receive
// events from QSerialPort, inside a local event loop that ends when the window would
// close. Needs a QCoreApplication. The direction is state.mode. A port that goes away
// during the transfer ends it with a message saying so (failure key "port-vanished");
// a write whose document cannot be encoded sends nothing (failure key "encode").
CloneOutcome runCloneTransfer(document::Editor& editor, TransferState& state, TransferCodec& codec,
                              const CloneRunOptions& options, std::string* failureKey = nullptr);

} // namespace vn574::link
