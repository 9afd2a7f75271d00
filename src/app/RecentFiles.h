#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vn574::app {

// The channel files opened or saved last, newest first, as File -> Open Recent offers
// them. Kept in mysetup.ini, section "recent", keys File1 (the newest) to File8; a key
// past the last file is written empty, so that a shorter list never shows old names.
class RecentFiles {
public:
    static constexpr std::size_t capacity = 8;

    // Reads the list from the settings file; empty and repeated entries are dropped.
    explicit RecentFiles(std::string settingsFile);

    [[nodiscard]] const std::vector<std::string>& files() const { return m_files; }

    // Puts `path` first (moving it up when it is listed already; one path named two ways
    // counts once) and stores the list. False when the settings file cannot be written.
    bool add(const std::string& path);
    bool clear();

    // Whether a listed file can still be opened: the menu shows a missing one disabled.
    [[nodiscard]] static bool exists(const std::string& path);

private:
    bool store() const;

    std::string m_settingsFile;
    std::vector<std::string> m_files;
};

} // namespace vn574::app
