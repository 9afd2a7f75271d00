#pragma once

#include "link/CloneInterfaces.h"

#include <array>
#include <cstdint>

namespace vn574::codec {
class ImageCodec;
}

namespace vn574::link {

// The image codec as the transfers use it. The codec keeps the pre-read flag and the
// model comparison itself; they travel between it and the transfer state around every
// decoded block. The blocks also land, as received, in an image of the radio memory.
class CodecTransfer final : public TransferCodec {
public:
    explicit CodecTransfer(codec::ImageCodec& codec) : m_codec(codec) {}

    void decodeBlock(std::string_view rx, int dataStart, int block, TransferState& state) override;
    std::string encodeBlock(int block, const std::string& newPassword) override;
    [[nodiscard]] bool channelInUse(int row) const override;

    // The 8192 bytes of every block decoded so far; blocks not received are zero.
    [[nodiscard]] const std::array<std::uint8_t, 8192>& receivedImage() const { return m_received; }

private:
    codec::ImageCodec& m_codec;
    std::array<std::uint8_t, 8192> m_received{};
};

} // namespace vn574::link
