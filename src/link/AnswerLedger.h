#pragma once

#include <deque>
#include <optional>
#include <vector>

namespace vn574::link {

class RxBuffer;

// Which frame each "OK" or "ERROR" answer on the line belongs to. These answers name no
// block, so a position alone cannot tell them apart: the answer to a frame sent again
// after its time-out, or a slow radio's late answer, can stand right behind the echo of
// the next frame, where it would acknowledge a block the radio has not answered yet.
// The radio answers every identification and write frame once, in the order they were
// sent, and only after the frame's line end, whose echo therefore stands in front of
// the answer. So the answers are handed out in turn to the frames still owed one.
class AnswerLedger {
public:
    static constexpr int identification = -1; // the frame number of the identification

    enum class Kind { Ok, Refused };
    struct Answer {
        long long end; // the stream position right behind the answer
        Kind kind;
        std::optional<int> frame; // none: no frame was owed this answer
    };

    // Forgets every frame sent so far; answers ending before `streamPos` are not looked at.
    void restart(long long streamPos);
    // `frame` (a block, or `identification`) goes out now, its echo `echoBytes` long
    // expected from `streamPos` on.
    void frameSent(int frame, long long streamPos, long long echoBytes);

    // The answers completed in the buffer since the last call, each given to the oldest
    // frame still owed one. With `afterEcho`, an answer that stands before the whole
    // echo of that frame has come (answers can fall between the echo's two parts) is
    // given to none: it is a second answer to a frame already answered. Without it the
    // order alone decides, as for a line without echo.
    std::vector<Answer> take(const RxBuffer& rx, bool afterEcho);

    // The frame given the answer that starts at `streamPos`, if one was.
    [[nodiscard]] std::optional<int> frameAnsweredAt(long long streamPos) const;

private:
    struct Owed {
        int frame;
        long long sentAt;
        long long echoBytes;
    };
    struct Given {
        long long start;
        long long end;
        std::optional<int> frame;
    };

    // Whether the echo of `owed` stands complete in front of `answerStart`: the bytes in
    // between, less the answers among them.
    [[nodiscard]] bool echoedBefore(const Owed& owed, long long answerStart) const;

    std::deque<Owed> m_owed;
    std::deque<Given> m_given; // answers still in the buffer, oldest first
    long long m_scanned = 0;
};

} // namespace vn574::link
