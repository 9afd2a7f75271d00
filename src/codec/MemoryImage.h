#pragma once

#include "codec/MemoryMap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace vn574::document {
class Editor;
}

namespace vn574::codec {

class ImageCodec;

using MemoryImage = std::array<std::uint8_t, imageSize>;

// Whether a write sends the blocks of channel row 1..100: not when the grid's status
// cell is empty or shows the not-in-use word.
bool isRowWritten(const document::Editor& editor, int row);

// The memory a write of the editor's document leaves in a radio whose memory was all
// zeros: blocks 16..511 from EncodeBlock, the blocks of channels the write leaves out
// still zero, blocks 0..15 zero but for the model code of the selected model (block 0,
// bytes 1..3) and `optionByte` (block 0, byte 14). The caller copies the grid into the
// document first (UpdateAllArray), as a write does. Nothing when EncodeBlock refused a
// block (it has told the user why) or gave digits that are no block.
std::optional<MemoryImage> encodeImage(document::Editor& editor, ImageCodec& codec,
                                       std::uint8_t optionByte);

// What a read of a radio holding `image` leaves in the editor: blocks 0..511 decoded in
// order, the channel blocks of rows whose in-use bit is 0 skipped. The codec must be over
// the same editor and not in a pre-read.
void decodeImage(ImageCodec& codec, std::span<const std::uint8_t, imageSize> image);

} // namespace vn574::codec
