#pragma once

#include "app/ProcessSettings.h"

#include <optional>
#include <string>

namespace vn574::app {

// The language folder of the program whose executable lies in `executableFolder`:
// "language" beside it (build tree), else "../share/vn574/language" (installed).
std::string findLanguageFolder(const std::string& executableFolder);

// The settings folder: `configDir` when given; else the language folder when the user
// may write it; else $XDG_CONFIG_HOME/vn574 (~/.config/vn574), on Windows
// %APPDATA%\vn574, created when missing.
std::string chooseSettingsFolder(const std::string& languageFolder,
                                 const std::optional<std::string>& configDir);

SettingsPaths resolveSettingsPaths(const std::string& executableFolder,
                                   const std::optional<std::string>& configDir);

} // namespace vn574::app
