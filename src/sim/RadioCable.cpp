#include "sim/RadioCable.h"

#include <stdexcept>

namespace vn574::sim {

namespace {

constexpr std::string_view identificationFrame = "VN575";
constexpr std::string_view endFrame = "ZT~E";

const Memory& firstOf(const std::vector<Memory>& memories) {
    if (memories.empty()) {
        throw std::invalid_argument("a cable needs a radio");
    }
    return memories.front();
}

} // namespace

RadioCable::RadioCable(std::vector<Memory> memories, Faults faults)
    : m_memories(std::move(memories)), m_faults(faults),
      m_owned(std::in_place, firstOf(m_memories), faults), m_radio(&*m_owned) {}

RadioCable::RadioCable(RadioModel& radio) : m_faults(radio.faults()), m_radio(&radio) {}

std::vector<Emission> RadioCable::receive(std::string_view bytes, std::int64_t nowMs) {
    advance(nowMs);
    if (unplugged()) {
        std::vector<Emission> echo;
        if (!m_faults.noEcho && !bytes.empty()) {
            echo.push_back({0, std::string(bytes)});
        }
        return echo;
    }
    const std::size_t known = m_radio->frames().size();
    std::vector<Emission> out = m_radio->receive(bytes);
    const bool nextWaiting = m_index + 1 < m_memories.size();
    const auto& frames = m_radio->frames();
    for (std::size_t i = known; i < frames.size() && nextWaiting; ++i) {
        if (frames[i] == endFrame) {
            m_endAt = nowMs;
        } else if (frames[i] != identificationFrame) {
            m_endAt.reset();
        }
    }
    return out;
}

bool RadioCable::advance(std::int64_t nowMs) {
    bool changed = false;
    if (m_endAt && nowMs >= *m_endAt + quietBeforeUnplugMs) {
        m_unpluggedAt = *m_endAt + quietBeforeUnplugMs;
        m_endAt.reset();
        changed = true;
    }
    if (m_unpluggedAt && nowMs >= *m_unpluggedAt + unpluggedMs) {
        m_endFramesBefore += m_radio->endFrames();
        ++m_index;
        m_owned.emplace(m_memories[m_index], m_faults);
        m_unpluggedAt.reset();
        changed = true;
    }
    return changed;
}

std::optional<std::int64_t> RadioCable::nextChangeMs() const {
    if (m_endAt) {
        return *m_endAt + quietBeforeUnplugMs;
    }
    if (m_unpluggedAt) {
        return *m_unpluggedAt + unpluggedMs;
    }
    return std::nullopt;
}

const Memory& RadioCable::lastMemory() const {
    return m_index + 1 >= m_memories.size() ? m_radio->memory() : m_memories.back();
}

} // namespace vn574::sim
