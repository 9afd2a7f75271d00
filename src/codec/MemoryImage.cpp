#include "codec/MemoryImage.h"

#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "document/Editor.h"

#include <array>
#include <string_view>

namespace vn574::codec {

bool isRowWritten(const document::Editor& editor, int row) {
    const std::string& status = editor.grid().cell(row, document::colStatus);
    return !status.empty() && status != editor.words().inactive;
}

std::optional<MemoryImage> encodeImage(document::Editor& editor, ImageCodec& codec,
                                       std::uint8_t optionByte) {
    MemoryImage image{};
    std::array<std::uint8_t, 3> code{};
    if (hexToBytes(modelCodeOf(editor.selectedModel()), code)) {
        std::copy(code.begin(), code.end(), image.begin() + 1);
    }
    image[14] = optionByte;

    for (int block = firstWrittenBlock; block < blockCount; ++block) {
        const auto channel = channelOfBlock(block);
        if (channel && channel->row <= 100 && !isRowWritten(editor, channel->row)) {
            continue;
        }
        const std::string digits = codec.EncodeBlock(block);
        const auto target = std::span<std::uint8_t>(image).subspan(
            static_cast<std::size_t>(block) * blockSize, static_cast<std::size_t>(blockSize));
        if (!hexToBytes(digits, target)) {
            return std::nullopt;
        }
    }
    return image;
}

void decodeImage(ImageCodec& codec, std::span<const std::uint8_t, imageSize> image) {
    for (int block = 0; block < blockCount; ++block) {
        const auto channel = channelOfBlock(block);
        if (channel && channel->row <= 100 && codec.chInUse(channel->row) == 0) {
            continue;
        }
        // The digits as a read reply carries them, in a buffer that is not allocated
        // afresh for each block.
        static constexpr auto pairs = [] {
            constexpr std::string_view digits = "0123456789ABCDEF";
            std::array<std::array<char, 2>, 256> table{};
            for (std::size_t byte = 0; byte < table.size(); ++byte) {
                table[byte] = {digits[byte >> 4], digits[byte & 0x0F]};
            }
            return table;
        }();
        std::array<char, static_cast<std::size_t>(blockDigits)> text{};
        const auto bytes = image.subspan(static_cast<std::size_t>(block) * blockSize,
                                         static_cast<std::size_t>(blockSize));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto& pair = pairs[bytes[i]];
            text[2 * i] = pair[0];
            text[2 * i + 1] = pair[1];
        }
        codec.DecodeBlock(std::string_view(text.data(), text.size()), 0, block);
    }
}

} // namespace vn574::codec
