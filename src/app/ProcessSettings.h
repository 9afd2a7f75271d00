#pragma once

#include "app/Language.h"
#include "app/OptionFlags.h"

#include <memory>
#include <string>

namespace vn574::app {

// Where the program keeps its files: the language files beside the program, the two
// settings files in a folder the user may write.
struct SettingsPaths {
    std::string languageFolder;
    std::string settingsFolder;

    [[nodiscard]] std::string mysetupIni() const { return settingsFolder + "/mysetup.ini"; }
    [[nodiscard]] std::string settingIni() const { return settingsFolder + "/Setting.ini"; }
};

// The write window's safety steps, kept in mysetup.ini. Backup and verify are on until
// the user turns them off: a write is the one transfer that can lose the radio's data.
struct WriteSafety {
    bool backup = true;
    bool verify = true;
    bool onlyChanged = false; // needs the backup to compare with

    bool operator==(const WriteSafety&) const = default;
};

// The process-wide settings, created at start-up and kept until the process ends.
struct ProcessSettings {
    SettingsPaths paths;
    Language language;     // CurrentLanguage is language.currentFile()
    bool firstRun = false; // bFirstRun
    bool nt6 = false;      // bNT6: never true off Windows
    std::string commPort;  // CommPortNo, held by name; "" means no port is known
    std::string commSettings = "9600,n,8,1";
    OptionFlags optionFlags;
    std::string radioPassword;
    std::shared_ptr<SettingFile> settingFile;

    // SaveOptionFlags
    void saveOptionFlags();

    // Stores the user's language choice in mysetup.ini and makes it current.
    void chooseLanguage(std::string_view file);

    // The clone window's "Fast transfer" choice, kept in mysetup.ini; off until the
    // user has chosen it.
    [[nodiscard]] bool fastTransfer() const;
    void setFastTransfer(bool on);

    [[nodiscard]] WriteSafety writeSafety() const;
    void setWriteSafety(const WriteSafety& safety);
};

} // namespace vn574::app
