#pragma once

#include "sim/RadioModel.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vn574::sim {

// The clone cable with radios handed to it one after another, as a user programming a
// fleet on one cable does: once a radio's transfers are over (an end frame, then a quiet
// second), the radio is unplugged; for a few seconds the cable only echoes, then the
// next radio is on it and answers with its own memory. Identification frames alone do not
// keep a radio on the cable: a program polls with them to see whether a radio is there.
// Any other frame after the end frame means the chain of transfers goes on, so a chain
// is never cut. Pure: the host gives the time (milliseconds on any steady scale).
class RadioCable {
public:
    static constexpr std::int64_t quietBeforeUnplugMs = 1000;
    static constexpr std::int64_t unpluggedMs = 4000;

    // The first memory's radio is on the cable from the start; the faults are every
    // radio's.
    RadioCable(std::vector<Memory> memories, Faults faults = {});
    // A cable with only `radio` on it, for good; the caller keeps the radio and sees
    // everything done to it.
    explicit RadioCable(RadioModel& radio);
    RadioCable(const RadioCable&) = delete;
    RadioCable& operator=(const RadioCable&) = delete;

    // Bytes from the PC at `nowMs` (after advance to that time); returns what comes back.
    std::vector<Emission> receive(std::string_view bytes, std::int64_t nowMs);
    // Moves the cable on to `nowMs`. True when the radio on the cable changed (unplugged,
    // or the next one plugged in).
    bool advance(std::int64_t nowMs);
    // When advance would next change something; nothing while no change is due.
    [[nodiscard]] std::optional<std::int64_t> nextChangeMs() const;

    [[nodiscard]] bool unplugged() const { return m_unpluggedAt.has_value(); }
    // The radio on the cable, or while unplugged the one that was last; numbered from 1.
    [[nodiscard]] int radioNumber() const { return static_cast<int>(m_index) + 1; }
    [[nodiscard]] int radioCount() const {
        return std::max(1, static_cast<int>(m_memories.size()));
    }
    [[nodiscard]] const RadioModel& radio() const { return *m_radio; }
    // The last radio's memory: as written to it once it has been on, else as given.
    [[nodiscard]] const Memory& lastMemory() const;
    // End frames understood, by every radio so far.
    [[nodiscard]] int endFrames() const { return m_endFramesBefore + m_radio->endFrames(); }

private:
    std::vector<Memory> m_memories; // every radio's, in turn; none for a given radio
    Faults m_faults;
    std::size_t m_index = 0;
    std::optional<RadioModel> m_owned;
    RadioModel* m_radio; // the owned radio, or the one the cable was given
    int m_endFramesBefore = 0;
    std::optional<std::int64_t> m_endAt;       // the end frame the quiet second counts from
    std::optional<std::int64_t> m_unpluggedAt; // set while no radio is on the cable
};

} // namespace vn574::sim
