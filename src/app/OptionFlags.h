#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vn574::app {

// Which signalling options the radio read last has installed. Each value is 0 or 1.
struct OptionFlags {
    std::int16_t has5Tone = 0;
    std::int16_t has2Tone = 0;
    std::int16_t hasDtmf = 0;
    std::int16_t flag4 = 0;

    // From the radio's feature byte: bits 7, 6, 5 and 4.
    static OptionFlags fromFeatureByte(std::uint8_t byte);

    bool operator==(const OptionFlags&) const = default;
};

// Setting.ini: one 4-byte binary record of the flags. The stored bytes are sticky:
// once a flag has been stored as 1 it stays 1 in the file, while the flags in memory
// always follow the radio read last.
class SettingFile {
public:
    explicit SettingFile(std::string path);

    // Reads record 1 (creating the file when it is missing). A file without a whole
    // record reads as zeros; any error leaves all flags 0.
    OptionFlags load();

    // SaveOptionFlags: every stored byte that is 0 takes its flag's value, then the
    // record is written. Errors are silent and keep the old file.
    void save(const OptionFlags& flags);

    [[nodiscard]] const std::array<std::uint8_t, 4>& storedBytes() const { return m_stored; }

private:
    std::string m_path;
    std::array<std::uint8_t, 4> m_stored{};
};

} // namespace vn574::app
