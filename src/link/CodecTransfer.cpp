#include "link/CodecTransfer.h"

#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "link/CloneFrames.h"
#include "link/TransferState.h"

#include <span>

namespace vn574::link {

void CodecTransfer::decodeBlock(std::string_view rx, int dataStart, int block,
                                TransferState& state) {
    const auto start = static_cast<std::size_t>(dataStart);
    if (block >= 0 && block < blockCount && start + blockDigits <= rx.size()) {
        const std::span<std::uint8_t> bytes(
            m_received.data() + static_cast<std::ptrdiff_t>(block) * 16, 16);
        if (!codec::hexToBytes(rx.substr(start, blockDigits), bytes)) {
            std::fill(bytes.begin(), bytes.end(), 0);
        }
    }
    const bool preRead = state.bPreRead;
    m_codec.setPreRead(preRead);
    m_codec.DecodeBlock(rx, start, block);
    state.bPreRead = m_codec.preRead();
    if (preRead && block == 0) {
        state.ModelCheck = static_cast<std::int16_t>(m_codec.modelCheck());
    }
}

std::string CodecTransfer::encodeBlock(int block, const std::string& newPassword) {
    m_codec.setNewPassword(newPassword);
    return m_codec.EncodeBlock(block);
}

bool CodecTransfer::channelInUse(int row) const {
    return m_codec.chInUse(row) != 0;
}

} // namespace vn574::link
