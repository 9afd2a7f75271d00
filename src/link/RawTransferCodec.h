#pragma once

#include "codec/MemoryImage.h"
#include "link/CloneInterfaces.h"

#include <array>
#include <string>

namespace vn574::link {

// A transfer codec that keeps the radio's bytes as they are, for the transfers that
// must not touch the document: the backup before a write, the read-back after it and
// the restore of a backup. What it receives lands in an image (blocks not received stay
// zero); what it writes comes from another image, byte for byte, never decoded and
// encoded again. It does what the engine needs of a decoder: the model comparison of
// block 0, the radio password of block 4 for the password gate (which also ends a
// write's pre-read) and the in-use bits of block 18 for the read's skipping.
class RawTransferCodec final : public TransferCodec {
public:
    // `radioPassword` is where the password gate looks (the process settings).
    explicit RawTransferCodec(std::string& radioPassword) : m_radioPassword(radioPassword) {}

    // Block 0 is compared with this model code ("66AA33"); "" leaves ModelCheck alone.
    void expectModel(std::string code) { m_expectedModel = std::move(code); }
    // The image encodeBlock takes its blocks from.
    void setSource(const codec::MemoryImage& image) { m_source = image; }

    void decodeBlock(std::string_view rx, int dataStart, int block, TransferState& state) override;
    std::string encodeBlock(int block, const std::string& newPassword) override;
    [[nodiscard]] bool channelInUse(int row) const override;

    [[nodiscard]] const codec::MemoryImage& image() const { return m_image; }
    [[nodiscard]] bool received(int block) const;

private:
    std::string& m_radioPassword;
    std::string m_expectedModel;
    codec::MemoryImage m_image{};
    codec::MemoryImage m_source{};
    std::array<bool, 512> m_received{};
};

// The model code of an image: block 0, bytes 1..3, as six upper-case digits.
std::string modelCodeOfImage(const codec::MemoryImage& image);

// ModelCheck of a radio whose code is `radio` against the expected `expected`: 0 the
// same, 1 the same type (first two digits) in another band, 2 another type.
int compareModelCodes(const std::string& radio, const std::string& expected);

// Whether the image's block 18 marks channel row 1..104 in use.
bool imageRowInUse(const codec::MemoryImage& image, int row);

// The 32 digits of one block of an image.
std::string imageBlockDigits(const codec::MemoryImage& image, int block);

} // namespace vn574::link
