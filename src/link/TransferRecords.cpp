#include "link/TransferRecords.h"

#include "codec/HexText.h"
#include "document/Editor.h"
#include "files/BackupStore.h"
#include "files/Sha256.h"
#include "link/RawTransferCodec.h"

#include <ctime>
#include <span>
#include <string_view>

namespace vn574::link {

void recordTransfer(const document::Editor& editor, const RecordedTransfer& transfer) {
    files::TransferRecord row;
    row.time = std::time(nullptr);
    row.operation = transfer.operation;
    row.port = editor.settings().commPort;
    if (transfer.radio != nullptr) {
        row.model = modelCodeOfImage(*transfer.radio);
        // The backup's file name says "none" for a radio without an own ID; the history
        // leaves the field empty.
        row.selfId = files::identityOfImage(*transfer.radio).tag;
        if (row.selfId == std::string_view("none")) {
            row.selfId.clear();
        }
    }
    if (!transfer.model.empty()) {
        row.model = transfer.model;
    }
    row.file = transfer.file;
    if (!row.file.empty()) {
        (void)files::fileSha256(row.file, row.fileSha256);
    }
    row.backup = transfer.backup;
    row.blocksSent = transfer.blocksSent;
    row.blocksDiffering = transfer.blocksDiffering;
    row.ok = transfer.ok;
    row.message = transfer.message;
    row.seconds = transfer.seconds;
    (void)files::TransferHistory::standard().append(row);
}

codec::MemoryImage imageAfterWrite(const codec::MemoryImage& before,
                                   const std::map<int, std::string>& sentBlocks) {
    codec::MemoryImage image = before;
    for (const auto& [block, digits] : sentBlocks) {
        if (block >= 0 && block < 512) {
            (void)codec::hexToBytes(digits, std::span<std::uint8_t>(image).subspan(
                                                static_cast<std::size_t>(block) * 16, 16));
        }
    }
    return image;
}

} // namespace vn574::link
