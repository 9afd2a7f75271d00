#pragma once

#include "codec/MemoryImage.h"

#include <map>
#include <optional>
#include <string>

namespace vn574::document {
class Editor;
}

namespace vn574::link {

class TransferCodec;

// The blocks a write sends, block number to its 32 digits, in the order they go out.
using WriteBlocks = std::map<int, std::string>;

// Whether a write of the editor's document leaves out the blocks of this block's channel
// (the grid marks the row not in use).
bool writeSkipsBlock(const document::Editor& editor, int block);

struct EncodedWrite {
    WriteBlocks blocks;
    // The encoder refused a block: it has said why, or `malformed` is set when it gave
    // digits that are no block (the caller says so).
    bool refused = false;
    bool malformed = false;
};

// Every block a write of the editor's document sends, encoded before the first byte goes
// out: block 4 with `newPassword` when the password changes, then 16..511 without the
// channels not in use.
EncodedWrite encodeDocumentWrite(const document::Editor& editor, TransferCodec& codec,
                                 bool passwordModify, const std::string& newPassword);

// The blocks a write of a radio image sends, with the image's own bytes: block 4, then
// 16..511 without the channel blocks its block 18 marks unused.
WriteBlocks imageWriteBlocks(const codec::MemoryImage& image);

} // namespace vn574::link
