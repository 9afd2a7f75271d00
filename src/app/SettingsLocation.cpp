#include "app/SettingsLocation.h"

#include "app/FileSystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vn574::app {
namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// Windows' access() only looks at the read-only attribute, which folders do not honour;
// whether the user may write a folder (Program Files: not without elevation) shows only
// by writing into it.
bool mayWrite(const std::string& folder) {
    const std::string probe =
        folder + "\\vn574-write-test-" + std::to_string(::GetCurrentProcessId());
    const int fd = openDescriptor(probe, O_WRONLY | O_CREAT | O_EXCL, 1);
    if (fd < 0) {
        return false;
    }
    closeDescriptor(fd);
    removeFile(probe);
    return true;
}

// %APPDATA%\vn574, where every Windows program keeps its user's settings.
fs::path userSettingsBase() {
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != '\0') {
        return pathOf(appData);
    }
    return fs::temp_directory_path();
}

#else

bool mayWrite(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

fs::path userSettingsBase() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return fs::path(home) / ".config";
    }
    return fs::temp_directory_path();
}

#endif

} // namespace

std::string findLanguageFolder(const std::string& executableFolder) {
    const fs::path beside = pathOf(executableFolder) / "language";
    if (fs::is_directory(beside)) {
        return nameOf(beside);
    }
    const fs::path installed = pathOf(executableFolder) / ".." / "share" / "vn574" / "language";
    if (fs::is_directory(installed)) {
        return nameOf(fs::weakly_canonical(installed));
    }
    return nameOf(beside);
}

std::string chooseSettingsFolder(const std::string& languageFolder,
                                 const std::optional<std::string>& configDir) {
    std::error_code ignored;
    if (configDir) {
        fs::create_directories(pathOf(*configDir), ignored);
        return *configDir;
    }
    if (mayWrite(languageFolder)) {
        return languageFolder;
    }
    const fs::path folder = userSettingsBase() / "vn574";
    fs::create_directories(folder, ignored);
    return nameOf(folder);
}

SettingsPaths resolveSettingsPaths(const std::string& executableFolder,
                                   const std::optional<std::string>& configDir) {
    SettingsPaths paths;
    paths.languageFolder = findLanguageFolder(executableFolder);
    paths.settingsFolder = chooseSettingsFolder(paths.languageFolder, configDir);
    return paths;
}

} // namespace vn574::app
