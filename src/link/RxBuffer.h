#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

namespace vn574::app {
class UserPrompts;
}

namespace vn574::link {

// RxBuf/RxLen: the bytes received since the buffer was last emptied, in arrival order.
// Replies are recognised by their position behind the cable's echo of the frame sent.
class RxBuffer {
public:
    void append(std::string_view bytes) { m_bytes.append(bytes); }
    void clear() { dropFront(m_bytes.size()); }
    // Forgets the first `count` bytes, keeping what came after them.
    void dropFront(std::size_t count) {
        count = std::min(count, m_bytes.size());
        m_start += static_cast<long long>(count);
        m_bytes.erase(0, count);
    }

    // RxLen
    [[nodiscard]] int size() const { return static_cast<int>(m_bytes.size()); }
    [[nodiscard]] std::string_view bytes() const { return m_bytes; }
    // Where the buffer starts and ends in the stream of every byte received since the
    // window loaded, so that a place in it keeps its meaning when the buffer is emptied.
    [[nodiscard]] long long streamStart() const { return m_start; }
    [[nodiscard]] long long streamEnd() const {
        return m_start + static_cast<long long>(m_bytes.size());
    }

    // FindPattern: the first index where the whole pattern matches, or -1.
    [[nodiscard]] int FindPattern(std::string_view pattern) const;
    // CountPattern: every index where the pattern matches, overlaps included.
    [[nodiscard]] int CountPattern(std::string_view pattern) const;

private:
    std::string m_bytes;
    long long m_start = 0;
};

// What a read reply's data is handed to: the buffer, the index of the first data digit
// and the block number.
using BlockDecoder = std::function<void(std::string_view rx, int dataStart, int block)>;

inline constexpr int identReplyLength = 13;
inline constexpr int readReplyLength = 52;
inline constexpr int writeReplyLength = 49;
inline constexpr int readReplyHeadIndex = 11; // right behind the echo of a read frame
inline constexpr int readReplyDataIndex = 18;
inline constexpr int writeReplyOkIndex = 43; // right behind the echo of a write frame

// The OK line anywhere and no refusal. Callers look only once 13 bytes are in.
bool CheckIdentReply(const RxBuffer& rx);

// The head of block `block` right behind the echo, 52 bytes in, and 32 upper-case
// hexadecimal data digits; the decoder is called with the data before this returns.
// A block outside 0..511 shows "Exceed Length!" and is not accepted.
bool CheckReadReply(const RxBuffer& rx, int block, const BlockDecoder& decode,
                    app::UserPrompts& prompts);

// The OK line first found right behind the echo of the write frame, and no refusal.
bool CheckWriteReply(const RxBuffer& rx);

} // namespace vn574::link
