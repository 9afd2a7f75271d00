#include "link/AnswerLedger.h"

#include <algorithm>

#include "link/CloneFrames.h"
#include "link/RxBuffer.h"

namespace vn574::link {

void AnswerLedger::restart(long long streamPos) {
    m_owed.clear();
    m_given.clear();
    m_scanned = streamPos;
}

void AnswerLedger::frameSent(int frame, long long streamPos, long long echoBytes) {
    m_owed.push_back({frame, streamPos, echoBytes});
}

bool AnswerLedger::echoedBefore(const Owed& owed, long long answerStart) const {
    long long answerBytes = 0;
    for (const auto& given : m_given) {
        if (given.start >= owed.sentAt && given.end <= answerStart) {
            answerBytes += given.end - given.start;
        }
    }
    return answerStart - owed.sentAt - answerBytes >= owed.echoBytes;
}

std::vector<AnswerLedger::Answer> AnswerLedger::take(const RxBuffer& rx, bool afterEcho) {
    // Answers are remembered while the buffer holds them or a frame owed one may have
    // them among its echo.
    const long long keepFrom =
        m_owed.empty() ? rx.streamStart() : std::min(rx.streamStart(), m_owed.front().sentAt);
    while (!m_given.empty() && m_given.front().start < keepFrom) {
        m_given.pop_front();
    }
    std::vector<Answer> answers;
    const std::string_view bytes = rx.bytes();
    std::size_t from =
        m_scanned > rx.streamStart() ? static_cast<std::size_t>(m_scanned - rx.streamStart()) : 0;
    while (from < bytes.size()) {
        const std::size_t ok = bytes.find(okLine, from);
        const std::size_t refused = bytes.find(refusal, from);
        if (ok == std::string_view::npos && refused == std::string_view::npos) {
            break;
        }
        const bool isOk = ok < refused;
        const std::size_t at = isOk ? ok : refused;
        const long long start = rx.streamStart() + static_cast<long long>(at);
        Answer answer{start + static_cast<long long>(isOk ? okLine.size() : refusal.size()),
                      isOk ? Kind::Ok : Kind::Refused, std::nullopt};
        if (!m_owed.empty() && (!afterEcho || echoedBefore(m_owed.front(), start))) {
            answer.frame = m_owed.front().frame;
            m_owed.pop_front();
        }
        m_given.push_back({start, answer.end, answer.frame});
        answers.push_back(answer);
        from = static_cast<std::size_t>(answer.end - rx.streamStart());
        m_scanned = answer.end;
    }
    // An answer still arriving is looked at again once it is complete.
    const long long longest = static_cast<long long>(std::max(okLine.size(), refusal.size()));
    m_scanned = std::max(m_scanned, rx.streamEnd() - longest + 1);
    return answers;
}

std::optional<int> AnswerLedger::frameAnsweredAt(long long streamPos) const {
    for (const auto& given : m_given) {
        if (given.start == streamPos) {
            return given.frame;
        }
    }
    return std::nullopt;
}

} // namespace vn574::link
