#include "app/Language.h"

#include "app/IniFile.h"

#include <utility>

namespace vn574::app {

Language::Language(std::string folder, std::string currentFile)
    : m_folder(std::move(folder)), m_currentFile(std::move(currentFile)) {}

std::string Language::currentPath() const {
    if (m_currentFile.empty()) {
        return {};
    }
    return m_folder + "/" + m_currentFile;
}

std::string Language::text(std::string_view section, std::string_view key) const {
    const std::string path = currentPath();
    if (path.empty()) {
        return {};
    }
    return IniFile::readString(path, section, key);
}

} // namespace vn574::app
