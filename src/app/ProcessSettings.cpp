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

bool ProcessSettings::fastTransfer() const {
    return IniFile::readString(paths.mysetupIni(), "transfer", "fast") == "1";
}

// Not const although it changes no member: it changes the settings file, which is what
// a caller holding a const ProcessSettings must not be able to do.
void ProcessSettings::setFastTransfer(bool on) { // NOLINT(readability-make-member-function-const)
    IniFile::writeString(paths.mysetupIni(), "transfer", "fast", on ? "1" : "0");
}

} // namespace vn574::app
