#include "app/RecentFiles.h"

#include "app/FileSystem.h"
#include "app/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace vn574::app {
namespace {

constexpr const char* section = "recent";

std::string key(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

// The form a path is compared and kept in: absolute, without "." and "..".
std::string normalised(const std::string& path) {
    std::error_code unknown;
    const std::filesystem::path absolute = std::filesystem::absolute(pathOf(path), unknown);
    return nameOf((unknown ? pathOf(path) : absolute).lexically_normal());
}

} // namespace

RecentFiles::RecentFiles(std::string settingsFile) : m_settingsFile(std::move(settingsFile)) {
    for (std::size_t i = 0; i < capacity; ++i) {
        const std::string path = IniFile::readString(m_settingsFile, section, key(i));
        if (!path.empty() &&
            std::find(m_files.begin(), m_files.end(), normalised(path)) == m_files.end()) {
            m_files.push_back(normalised(path));
        }
    }
}

bool RecentFiles::add(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    const std::string entry = normalised(path);
    std::erase(m_files, entry);
    m_files.insert(m_files.begin(), entry);
    if (m_files.size() > capacity) {
        m_files.resize(capacity);
    }
    return store();
}

bool RecentFiles::clear() {
    m_files.clear();
    return store();
}

bool RecentFiles::exists(const std::string& path) {
    std::error_code unknown;
    return std::filesystem::is_regular_file(pathOf(path), unknown);
}

bool RecentFiles::store() const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < capacity; ++i) {
        entries.emplace_back(key(i), i < m_files.size() ? m_files[i] : std::string());
    }
    return IniFile::writeStrings(m_settingsFile, section, entries);
}

} // namespace vn574::app
