#include "link/RawTransferCodec.h"

#include "codec/HexText.h"
#include "link/CloneFrames.h"
#include "link/TransferState.h"

#include <span>

namespace vn574::link {

namespace {

constexpr int blockBytes = 16;
constexpr int inUseBlock = 18;

std::span<const std::uint8_t> blockOf(const codec::MemoryImage& image, int block) {
    return std::span<const std::uint8_t>(image).subspan(
        static_cast<std::size_t>(block) * blockBytes, blockBytes);
}

} // namespace

std::string modelCodeOfImage(const codec::MemoryImage& image) {
    return codec::bytesToHex(std::span<const std::uint8_t>(image).subspan(1, 3));
}

int compareModelCodes(const std::string& radio, const std::string& expected) {
    if (radio == expected) {
        return 0;
    }
    return radio.compare(0, 2, expected, 0, 2) == 0 ? 1 : 2;
}

bool imageRowInUse(const codec::MemoryImage& image, int row) {
    if (row < 1 || row > 104) {
        return false;
    }
    const auto byte = image[static_cast<std::size_t>(inUseBlock * blockBytes) +
                            static_cast<std::size_t>((row - 1) / 8)];
    return ((byte >> (7 - (row - 1) % 8)) & 1) != 0;
}

std::string imageBlockDigits(const codec::MemoryImage& image, int block) {
    return codec::bytesToHex(blockOf(image, block));
}

void RawTransferCodec::decodeBlock(std::string_view rx, int dataStart, int block,
                                   TransferState& state) {
    const auto start = static_cast<std::size_t>(dataStart);
    if (block < 0 || block >= blockCount || start + blockDigits > rx.size()) {
        return;
    }
    const std::span<std::uint8_t> bytes(
        m_image.data() + static_cast<std::ptrdiff_t>(block) * blockBytes, blockBytes);
    if (!codec::hexToBytes(rx.substr(start, blockDigits), bytes)) {
        std::fill(bytes.begin(), bytes.end(), 0);
    }
    m_received[static_cast<std::size_t>(block)] = true;
    if (block == 0 && !m_expectedModel.empty()) {
        state.ModelCheck = static_cast<std::int16_t>(
            compareModelCodes(modelCodeOfImage(m_image), m_expectedModel));
    }
    if (block == 4) {
        m_radioPassword = codec::radioPasswordOfBlock(bytes);
        state.bPreRead = false;
    }
}

std::string RawTransferCodec::encodeBlock(int block, const std::string& /*newPassword*/) {
    return block >= 0 && block < blockCount ? imageBlockDigits(m_source, block) : "error";
}

bool RawTransferCodec::channelInUse(int row) const {
    return imageRowInUse(m_image, row);
}

bool RawTransferCodec::received(int block) const {
    return block >= 0 && block < blockCount && m_received[static_cast<std::size_t>(block)];
}

} // namespace vn574::link
