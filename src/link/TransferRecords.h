#pragma once

#include "codec/MemoryImage.h"
#include "files/TransferHistory.h"

#include <map>
#include <string>

namespace vn574::document {
class Editor;
}

namespace vn574::link {

// What every history row of a transfer shares, filled in from the radio's image as the
// transfer knows it: its model code and own ID.
struct RecordedTransfer {
    files::TransferOperation operation = files::TransferOperation::Read;
    const codec::MemoryImage* radio = nullptr; // the image read or left in the radio
    std::string model;                         // "" takes the model code of `radio`
    std::string file;                          // "" when none; its digest is taken here
    std::string backup;
    int blocksSent = 0;
    int blocksDiffering = 0;
    bool ok = false;
    std::string message;
    double seconds = 0;
};

// Adds the row to the transfer history in the data folder, the port from the settings.
// A history that cannot be written never changes how a transfer went, so nothing is
// returned.
void recordTransfer(const document::Editor& editor, const RecordedTransfer& transfer);

// The image a write leaves in the radio as far as the program knows it: `before` (what
// the radio held, zeros when unknown) with every sent block laid over it.
codec::MemoryImage imageAfterWrite(const codec::MemoryImage& before,
                                   const std::map<int, std::string>& sentBlocks);

} // namespace vn574::link
