#include "link/WriteBlocks.h"

#include "link/CloneFrames.h"
#include "link/CloneInterfaces.h"
#include "link/RawTransferCodec.h"

#include <vector>

namespace vn574::link {

namespace {

constexpr int firstChannelBlock = 32;
constexpr int lastChannelBlock = 231;
constexpr int firstWrittenBlock = 16;
constexpr int passwordBlock = 4;

int rowOfChannelBlock(int block) {
    return (block - 30) / 2;
}

bool isChannelBlock(int block) {
    return block >= firstChannelBlock && block <= lastChannelBlock;
}

} // namespace

bool writeSkipsBlock(const document::Editor& editor, int block) {
    // The rows the encoder marks as not in use: an empty status cell or the whole
    // not-in-use word. Cut short by a letter, as the window once read it, the word
    // would never match and every unused channel would be written.
    return isChannelBlock(block) && !codec::isRowWritten(editor, rowOfChannelBlock(block));
}

EncodedWrite encodeDocumentWrite(const document::Editor& editor, TransferCodec& codec,
                                 bool passwordModify, const std::string& newPassword) {
    std::vector<int> order;
    if (passwordModify) {
        order.push_back(passwordBlock);
    }
    for (int block = firstWrittenBlock; block < blockCount; ++block) {
        if (!writeSkipsBlock(editor, block)) {
            order.push_back(block);
        }
    }
    EncodedWrite write;
    for (const int block : order) {
        std::string digits = codec.encodeBlock(block, newPassword);
        if (digits.size() != static_cast<std::size_t>(blockDigits)) {
            // The encoder has said why when it refused; a text of another length it
            // has not explained.
            return {{}, true, digits != "error"};
        }
        write.blocks.emplace(block, std::move(digits));
    }
    return write;
}

WriteBlocks imageWriteBlocks(const codec::MemoryImage& image) {
    WriteBlocks blocks;
    blocks.emplace(passwordBlock, imageBlockDigits(image, passwordBlock));
    for (int block = firstWrittenBlock; block < blockCount; ++block) {
        if (!isChannelBlock(block) || imageRowInUse(image, rowOfChannelBlock(block))) {
            blocks.emplace(block, imageBlockDigits(image, block));
        }
    }
    return blocks;
}

} // namespace vn574::link
