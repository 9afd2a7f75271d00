#pragma once

#include <string>
#include <string_view>

namespace vn574::app {

// The current language file and the text lookup on it. Every lookup reads the file
// again, so an edited or removed file takes effect at the next window that opens.
class Language {
public:
    static constexpr std::string_view english = "english.ini";
    static constexpr std::string_view chinese = "chinese.ini";

    Language() = default;
    Language(std::string folder, std::string currentFile);

    // GetLangText: the trimmed value, or "" when the file, section or key is missing.
    [[nodiscard]] std::string text(std::string_view section, std::string_view key) const;

    [[nodiscard]] const std::string& folder() const { return m_folder; }
    [[nodiscard]] const std::string& currentFile() const { return m_currentFile; }
    [[nodiscard]] std::string currentPath() const;

    void setFolder(std::string folder) { m_folder = std::move(folder); }
    void setCurrentFile(std::string file) { m_currentFile = std::move(file); }

private:
    std::string m_folder;
    std::string m_currentFile;
};

} // namespace vn574::app
