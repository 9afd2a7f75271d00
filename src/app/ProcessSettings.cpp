#include "app/ProcessSettings.h"

#include "app/IniFile.h"

namespace vn574::app {
namespace {

// A key the user has never set keeps its default; anything but "0" or "1" too.
bool readChoice(const std::string& file, const char* key, bool fallback) {
    const std::string value = IniFile::readString(file, "transfer", key);
    return value == "1" || (value != "0" && fallback);
}

} // namespace

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

WriteSafety ProcessSettings::writeSafety() const {
    const std::string file = paths.mysetupIni();
    const WriteSafety defaults;
    return {readChoice(file, "Backup", defaults.backup),
            readChoice(file, "Verify", defaults.verify),
            readChoice(file, "OnlyChanged", defaults.onlyChanged)};
}

// Not const for the same reason as setFastTransfer.
void ProcessSettings::setWriteSafety( // NOLINT(readability-make-member-function-const)
    const WriteSafety& safety) {
    const std::string file = paths.mysetupIni();
    IniFile::writeString(file, "transfer", "Backup", safety.backup ? "1" : "0");
    IniFile::writeString(file, "transfer", "Verify", safety.verify ? "1" : "0");
    IniFile::writeString(file, "transfer", "OnlyChanged", safety.onlyChanged ? "1" : "0");
}

} // namespace vn574::app
