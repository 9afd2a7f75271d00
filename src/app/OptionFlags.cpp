#include "app/OptionFlags.h"

#include "app/FileSystem.h"

#include <fstream>
#include <utility>

namespace vn574::app {

OptionFlags OptionFlags::fromFeatureByte(std::uint8_t byte) {
    OptionFlags flags;
    flags.has5Tone = static_cast<std::int16_t>((byte >> 7) & 1);
    flags.has2Tone = static_cast<std::int16_t>((byte >> 6) & 1);
    flags.hasDtmf = static_cast<std::int16_t>((byte >> 5) & 1);
    flags.flag4 = static_cast<std::int16_t>((byte >> 4) & 1);
    return flags;
}

SettingFile::SettingFile(std::string path) : m_path(std::move(path)) {}

OptionFlags SettingFile::load() {
    m_stored = {};
    {
        // Opening the record file has always created it when missing.
        std::ofstream create(pathOf(m_path), std::ios::binary | std::ios::app);
    }
    std::ifstream in(pathOf(m_path), std::ios::binary);
    if (!in) {
        return {};
    }
    std::array<char, 4> record{};
    if (!in.read(record.data(), static_cast<std::streamsize>(record.size()))) {
        return {};
    }
    for (std::size_t i = 0; i < record.size(); ++i) {
        m_stored[i] = static_cast<std::uint8_t>(record[i]);
    }
    // The flags are 16-bit values of 0 or 1; any other byte is a damaged file.
    const auto flag = [](std::uint8_t b) { return static_cast<std::int16_t>(b == 1 ? 1 : 0); };
    return OptionFlags{flag(m_stored[0]), flag(m_stored[1]), flag(m_stored[2]), flag(m_stored[3])};
}

void SettingFile::save(const OptionFlags& flags) {
    const std::array<std::int16_t, 4> values{flags.has5Tone, flags.has2Tone, flags.hasDtmf,
                                             flags.flag4};
    for (std::size_t i = 0; i < m_stored.size(); ++i) {
        if (m_stored[i] == 0) {
            m_stored[i] = static_cast<std::uint8_t>(values[i]);
        }
    }
    std::fstream out(pathOf(m_path), std::ios::binary | std::ios::in | std::ios::out);
    if (!out) {
        out.open(m_path, std::ios::binary | std::ios::out);
    }
    if (!out) {
        return;
    }
    out.seekp(0);
    out.write(reinterpret_cast<const char*>(m_stored.data()),
              static_cast<std::streamsize>(m_stored.size()));
}

} // namespace vn574::app
