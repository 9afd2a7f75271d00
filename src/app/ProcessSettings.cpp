#include "app/ProcessSettings.h"

#include "app/IniFile.h"

namespace vn574::app {

void ProcessSettings::saveOptionFlags() {
    if (!settingFile) {
        settingFile = std::make_shared<SettingFile>(paths.settingIni());
    }
    settingFile->save(optionFlags);
}

void ProcessSettings::chooseLanguage(std::string_view file) {
    IniFile::writeString(paths.mysetupIni(), "language", "CurrentLanguage", file);
    language.setCurrentFile(std::string(file));
}

} // namespace vn574::app
