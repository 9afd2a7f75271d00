#include "link/RxBuffer.h"

#include "app/UserPrompts.h"
#include "link/CloneFrames.h"

namespace vn574::link {

int RxBuffer::FindPattern(std::string_view pattern) const {
    const std::string_view data = m_bytes;
    if (pattern.empty() || pattern.size() > data.size()) {
        return -1;
    }
    const std::size_t found = data.find(pattern);
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int RxBuffer::CountPattern(std::string_view pattern) const {
    const std::string_view data = m_bytes;
    if (pattern.empty() || pattern.size() > data.size()) {
        return 0;
    }
    int count = 0;
    for (std::size_t i = 0; i + pattern.size() <= data.size(); ++i) {
        if (data.substr(i, pattern.size()) == pattern) {
            ++count;
        }
    }
    return count;
}

namespace {

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

} // namespace

bool CheckIdentReply(const RxBuffer& rx) {
    return rx.FindPattern(okLine) != -1 && rx.CountPattern(refusal) == 0;
}

bool CheckReadReply(const RxBuffer& rx, int block, const BlockDecoder& decode,
                    app::UserPrompts& prompts) {
    if (block < 0 || block >= blockCount) {
        prompts.message("Exceed Length!");
        return false;
    }
    const std::string head = std::string(lineEnd) + BlockAddress(block) + ":";
    if (rx.FindPattern(head) != readReplyHeadIndex || rx.size() < readReplyLength) {
        return false;
    }
    // When a reply straddles a tick, the echo of the repeated frame lands inside it
    // while its head still stands at the right place. Such data must never reach the
    // decoder, so a block counts only when every data digit is a real digit.
    const std::string_view data = rx.bytes().substr(readReplyDataIndex, blockDigits);
    for (const char c : data) {
        if (!isUpperHexDigit(c)) {
            return false;
        }
    }
    decode(rx.bytes(), readReplyDataIndex, block);
    return true;
}

bool CheckWriteReply(const RxBuffer& rx) {
    return rx.FindPattern(okLine) == writeReplyOkIndex && rx.CountPattern(refusal) == 0;
}

} // namespace vn574::link
