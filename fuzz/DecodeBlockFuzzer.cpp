// The blocks of a read come from the radio, or from whatever answers on the port: any
// digits, any block numbers, in any order. Decoding must keep the document sound
// enough that every block of it can still be encoded for a write.
//
// Input: a first byte choosing the form, then
//   0: one block: two bytes block number (may lie outside 0..511), one byte data start,
//      then the buffer;
//   1: a read: entries of two bytes block number and 32 digits, decoded in turn.
#include "FuzzSupport.h"
#include "codec/ImageCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vn574;
    if (size < 4) {
        return 0;
    }
    fuzz::LoadedEditor loaded;
    codec::ImageCodec codec(loaded.editor);
    const int form = data[0] % 2;
    const auto blockAt = [&](std::size_t at) {
        return static_cast<int>(static_cast<std::int16_t>((data[at] << 8) | data[at + 1]));
    };
    if (form == 0) {
        const int block = blockAt(1);
        const std::size_t dataStart = data[3];
        const std::span<const std::uint8_t> buffer(data + 4, size - 4);
        codec.DecodeBlock(buffer, dataStart, block);
        codec.DecodeBlock(
            std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()),
            dataStart, block % 512);
    } else {
        constexpr std::size_t entry = 2 + 32;
        for (std::size_t at = 1; at + entry <= size; at += entry) {
            codec.DecodeBlock(std::span<const std::uint8_t>(data + at + 2, 32), 0,
                              blockAt(at) & 0x3FF);
        }
    }
    loaded.editor.UpdateAllArray();
    for (int block = 16; block < 512; ++block) {
        const std::string digits = codec.EncodeBlock(block);
        if (digits != codec::ImageCodec::errorResult && digits.size() != 32) {
            __builtin_trap();
        }
    }
    return 0;
}
