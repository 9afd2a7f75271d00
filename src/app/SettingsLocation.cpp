#include "app/SettingsLocation.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace vn574::app {
namespace fs = std::filesystem;

std::string findLanguageFolder(const std::string& executableFolder) {
    const fs::path beside = fs::path(executableFolder) / "language";
    if (fs::is_directory(beside)) {
        return beside.string();
    }
    const fs::path installed = fs::path(executableFolder) / ".." / "share" / "vn574" / "language";
    if (fs::is_directory(installed)) {
        return fs::weakly_canonical(installed).string();
    }
    return beside.string();
}

std::string chooseSettingsFolder(const std::string& languageFolder,
                                 const std::optional<std::string>& configDir) {
    std::error_code ignored;
    if (configDir) {
        fs::create_directories(*configDir, ignored);
        return *configDir;
    }
    if (::access(languageFolder.c_str(), W_OK) == 0) {
        return languageFolder;
    }
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = fs::path(home) / ".config";
    } else {
        base = fs::temp_directory_path();
    }
    const fs::path folder = base / "vn574";
    fs::create_directories(folder, ignored);
    return folder.string();
}

SettingsPaths resolveSettingsPaths(const std::string& executableFolder,
                                   const std::optional<std::string>& configDir) {
    SettingsPaths paths;
    paths.languageFolder = findLanguageFolder(executableFolder);
    paths.settingsFolder = chooseSettingsFolder(paths.languageFolder, configDir);
    return paths;
}

} // namespace vn574::app
