#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::sim {

inline constexpr std::size_t memorySize = 8192;
using Memory = std::array<std::uint8_t, memorySize>;

// Ways the simulated radio or its cable can misbehave.
struct Faults {
    bool silent = false;        // the cable echoes, the radio never answers
    bool noEcho = false;        // the cable does not echo
    bool identError = false;    // "ERROR" to the identification
    int writeErrorBlock = -1;   // "ERROR" to the write of this block
    int dropWriteBlock = -1;    // "OK" to the write of this block, but nothing stored
    int corruptWriteBlock = -1; // "OK" to the write of this block, stored with a byte changed
    int neverAnswerBlock = -1;  // no answer to a read or write of this block
    int garbageBytes = 0;       // noise in front of every answer
    int splitBytes = 0;         // answers in pieces of this many bytes (0: whole)
    int splitGapMs = 2;         // time between two pieces
    int replyDelayMs = 0;       // the radio thinks this long before answering
    // Once the radio has answered the read or the write of this block, the line goes
    // dead (cable pulled, radio switched off): no echo, no answer, nothing ever again.
    int freezeAfterBlock = -1;
    // The "OK" or "ERROR" to an identification or a write comes a second time, this
    // many milliseconds after the first (-1: once, as it should).
    int answerAgainAfterMs = -1;
};

// Bytes the radio side puts on the line, `delayMs` after the input that caused them.
struct Emission {
    int delayMs = 0;
    std::string bytes;
};

// A radio of the family as the clone cable presents it: an 8192-byte memory, the echo
// of every byte sent to it, and the answers to the identification, read, write and end
// frames. Pure: time and the line are the host's business.
class RadioModel {
public:
    explicit RadioModel(const Memory& memory, Faults faults = {});

    // Bytes from the PC; returns what comes back, in order of their delays.
    std::vector<Emission> receive(std::string_view bytes);

    [[nodiscard]] const Memory& memory() const { return m_memory; }
    [[nodiscard]] const Faults& faults() const { return m_faults; }
    // Every frame understood, as its text part ("ZT~F0100R", "VN575", ...).
    [[nodiscard]] const std::vector<std::string>& frames() const { return m_frames; }
    [[nodiscard]] int endFrames() const { return m_endFrames; }
    [[nodiscard]] bool identified() const { return m_identified; }
    // The blocks taken into memory, in order (a block written twice appears twice); a
    // dropped write is not among them, a corrupted one is.
    [[nodiscard]] const std::vector<int>& writtenBlocks() const { return m_written; }
    [[nodiscard]] bool frozen() const { return m_frozen; }

private:
    std::string answer(const std::string& line);
    void emitAnswer(std::string bytes, int delayMs, std::vector<Emission>& out) const;

    Memory m_memory;
    Faults m_faults;
    std::string m_line;
    std::vector<std::string> m_frames;
    std::vector<int> m_written;
    int m_endFrames = 0;
    bool m_identified = false;
    bool m_frozen = false;
};

// A memory holding only what identifies a radio: block 0 with the six-digit model code
// (bytes 1..3) and the option byte (byte 14), block 4 with the password's bytes. Every
// other byte is 0. Nothing when the code is not six hexadecimal digits or the
// password is longer than 16 characters.
std::optional<Memory> buildMemory(std::string_view modelCode, std::uint8_t optionByte,
                                  std::string_view password);

// Puts a password (one byte per character, at most 16) into the password field of
// block 4, the rest of the field 0. False when it is longer.
bool putPassword(Memory& memory, std::string_view password);

// The memory as 32 upper-case digits per block, for blocks `block`.
std::string blockDigits(const Memory& memory, int block);

} // namespace vn574::sim
