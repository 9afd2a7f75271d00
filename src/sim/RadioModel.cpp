#include "sim/RadioModel.h"

#include <algorithm>

namespace vn574::sim {

namespace {

constexpr std::string_view crlf = "\r\n";
constexpr std::string_view okAnswer = "\r\nOK\r\n";
constexpr std::string_view errorAnswer = "\r\nERROR\r\n";
// A line longer than any frame is noise; the radio forgets it rather than grow.
constexpr std::size_t longestLine = 128;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Four or more upper-case digits as a number; -1 when any is not a digit.
int upperHexNumber(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        const int v = hexValue(c);
        if (v < 0) {
            return -1;
        }
        value = value * 16 + v;
    }
    return value;
}

// The block of a four-digit address, or -1 unless it is a block start inside memory.
int blockOfAddress(std::string_view address) {
    const int value = upperHexNumber(address);
    if (value < 0 || value % 16 != 0 || value >= static_cast<int>(memorySize)) {
        return -1;
    }
    return value / 16;
}

} // namespace

RadioModel::RadioModel(const Memory& memory, Faults faults) : m_memory(memory), m_faults(faults) {}

std::vector<Emission> RadioModel::receive(std::string_view bytes) {
    std::vector<Emission> out;
    if (m_frozen) {
        return out;
    }
    if (!m_faults.noEcho && !bytes.empty()) {
        out.push_back({0, std::string(bytes)});
    }
    for (const char c : bytes) {
        m_line.push_back(c);
        if (m_line.size() >= 2 && m_line.compare(m_line.size() - 2, 2, crlf) == 0) {
            const std::string line = m_line.substr(0, m_line.size() - 2);
            m_line.clear();
            std::string reply = answer(line);
            if (!reply.empty() && !m_faults.silent) {
                const bool again =
                    m_faults.answerAgainAfterMs >= 0 && (reply == okAnswer || reply == errorAnswer);
                emitAnswer(reply, m_faults.replyDelayMs, out);
                if (again) {
                    emitAnswer(std::move(reply),
                               m_faults.replyDelayMs + m_faults.answerAgainAfterMs, out);
                }
            }
        } else if (m_line.size() > longestLine) {
            m_line.clear();
        }
    }
    return out;
}

void RadioModel::emitAnswer(std::string bytes, int delayMs, std::vector<Emission>& out) const {
    if (m_faults.garbageBytes > 0) {
        std::string noise;
        for (int i = 0; i < m_faults.garbageBytes; ++i) {
            noise.push_back(static_cast<char>("\x00\xFF#?Zq\x7F"[i % 7]));
        }
        bytes.insert(0, noise);
    }
    const int piece =
        m_faults.splitBytes > 0 ? m_faults.splitBytes : static_cast<int>(bytes.size());
    int delay = delayMs;
    for (std::size_t at = 0; at < bytes.size(); at += static_cast<std::size_t>(piece)) {
        out.push_back({delay, bytes.substr(at, static_cast<std::size_t>(piece))});
        delay += m_faults.splitGapMs;
    }
}

std::string RadioModel::answer(const std::string& line) {
    const std::string_view text = line;
    if (text == "VN575") {
        m_frames.push_back(line);
        if (m_faults.identError) {
            return std::string(errorAnswer);
        }
        m_identified = true;
        return std::string(okAnswer);
    }
    if (text == "ZT~E") {
        m_frames.push_back(line);
        ++m_endFrames;
        m_identified = false;
        return {};
    }
    if (text.size() == 9 && text.starts_with("ZT~F") && text[8] == 'R') {
        const int block = blockOfAddress(text.substr(4, 4));
        if (block < 0) {
            return std::string(errorAnswer);
        }
        m_frames.push_back(line);
        if (block == m_faults.neverAnswerBlock) {
            return {};
        }
        m_frozen = block == m_faults.freezeAfterBlock;
        return std::string(crlf) + std::string(text.substr(4, 4)) + ":" +
               blockDigits(m_memory, block) + std::string(crlf);
    }
    if (text.size() == 41 && text.starts_with("ZT~F") && text[8] == 'W') {
        const int block = blockOfAddress(text.substr(4, 4));
        const std::string_view data = text.substr(9, 32);
        if (block < 0 ||
            !std::all_of(data.begin(), data.end(), [](char c) { return hexValue(c) >= 0; })) {
            return std::string(errorAnswer);
        }
        m_frames.push_back(line);
        if (block == m_faults.neverAnswerBlock) {
            return {};
        }
        // Like the radio, take data only after the identification.
        if (!m_identified || block == m_faults.writeErrorBlock) {
            return std::string(errorAnswer);
        }
        m_frozen = block == m_faults.freezeAfterBlock;
        // Both acknowledge as usual: only reading the block back shows what went wrong.
        if (block == m_faults.dropWriteBlock) {
            return std::string(okAnswer);
        }
        m_written.push_back(block);
        const std::size_t start = static_cast<std::size_t>(block) * 16;
        for (std::size_t k = 0; k < 16; ++k) {
            m_memory[start + k] =
                static_cast<std::uint8_t>(hexValue(data[2 * k]) * 16 + hexValue(data[2 * k + 1]));
        }
        if (block == m_faults.corruptWriteBlock) {
            m_memory[start] ^= 0x01;
        }
        return std::string(okAnswer);
    }
    return {};
}

std::optional<Memory> buildMemory(std::string_view modelCode, std::uint8_t optionByte,
                                  std::string_view password) {
    if (modelCode.size() != 6 || password.size() > 16) {
        return std::nullopt;
    }
    Memory memory{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto upper = [](char c) {
            return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c;
        };
        const int high = hexValue(upper(modelCode[2 * k]));
        const int low = hexValue(upper(modelCode[2 * k + 1]));
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        memory[1 + k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    memory[14] = optionByte;
    putPassword(memory, password);
    return memory;
}

bool putPassword(Memory& memory, std::string_view password) {
    constexpr std::size_t field = 64; // block 4
    constexpr std::size_t fieldBytes = 16;
    if (password.size() > fieldBytes) {
        return false;
    }
    std::fill(memory.begin() + field, memory.begin() + field + fieldBytes, 0);
    std::copy(password.begin(), password.end(), memory.begin() + field);
    return true;
}

std::string blockDigits(const Memory& memory, int block) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    text.reserve(32);
    for (std::size_t k = 0; k < 16; ++k) {
        const std::uint8_t byte = memory[static_cast<std::size_t>(block) * 16 + k];
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xF]);
    }
    return text;
}

} // namespace vn574::sim
