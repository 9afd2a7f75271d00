#include "app/Startup.h"

#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/PortNames.h"
#include "app/TextUtil.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vn574::app {
namespace {

constexpr std::uint32_t chinesePrc = 0x0804;
constexpr std::uint32_t englishUs = 0x0409;

struct LocaleEntry {
    std::string_view name;
    std::uint32_t id;
};

constexpr std::array<LocaleEntry, 16> localeTable{{
    {"zh_CN", 0x0804},
    {"zh_TW", 0x0404},
    {"zh_HK", 0x0C04},
    {"zh_SG", 0x1004},
    {"zh_MO", 0x1404},
    {"en_US", 0x0409},
    {"en_GB", 0x0809},
    {"en_AU", 0x0C09},
    {"en_CA", 0x1009},
    {"de_DE", 0x0407},
    {"fr_FR", 0x040C},
    {"es_ES", 0x0C0A},
    {"it_IT", 0x0410},
    {"ja_JP", 0x0411},
    {"ko_KR", 0x0412},
    {"ru_RU", 0x0419},
}};

} // namespace

std::uint32_t localeIdFromName(std::string_view posixLocale) {
    // "zh_CN.UTF-8@variant" → "zh_CN"
    const std::size_t cut = posixLocale.find_first_of(".@");
    const std::string_view base = posixLocale.substr(0, cut);
    for (const auto& entry : localeTable) {
        if (entry.name == base) {
            return entry.id;
        }
    }
    return englishUs;
}

std::string environmentLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

std::string StartupPlatform::defaultSerialPort() {
    return initComPort(serialPorts());
}

std::uint32_t systemDefaultLocaleId() {
#ifdef _WIN32
    return ::GetSystemDefaultLCID();
#else
    return localeIdFromName(environmentLocaleName());
#endif
}

bool parseFirstRun(std::string_view value) {
    const std::string_view text = trimBlanks(value);
    if (equalsIgnoringCase(text, "false")) {
        return false;
    }
    if (equalsIgnoringCase(text, "true")) {
        return true;
    }
    long number = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    if (ec != std::errc() || ptr != end) {
        return true;
    }
    return number != 0;
}

StartupOutcome runStartup(ProcessSettings& settings, StartupPlatform& platform,
                          const std::optional<std::string>& portOverride, StartupMode mode) {
    const std::string mysetup = settings.paths.mysetupIni();
    const bool writes = mode == StartupMode::Interactive;
    settings.radioPassword.clear();

    // Numbers are formatted and parsed with "." by the program itself whatever the
    // locale, so there is no decimal symbol of the user's to change and restore.

    settings.firstRun = parseFirstRun(IniFile::readString(mysetup, "language", "IsFirstRun"));
    settings.language.setFolder(settings.paths.languageFolder);
    if (settings.firstRun) {
        const bool chinese = platform.systemLocaleId() == chinesePrc;
        const std::string_view file = chinese ? Language::chinese : Language::english;
        if (writes) {
            IniFile::writeString(mysetup, "language", "CurrentLanguage", file);
        }
        settings.language.setCurrentFile(std::string(file));
    } else {
        settings.language.setCurrentFile(
            IniFile::readString(mysetup, "language", "CurrentLanguage"));
    }

    if (settings.firstRun && writes) {
        platform.runInitialSetup(settings);
        if (settings.firstRun) {
            return StartupOutcome::Exit;
        }
        IniFile::writeString(mysetup, "language", "IsFirstRun", "0");
    }

    settings.nt6 = false;
    settings.commPort = portOverride ? *portOverride : platform.defaultSerialPort();
    settings.commSettings = "9600,n,8,1";

    settings.settingFile = std::make_shared<SettingFile>(settings.paths.settingIni());
    // Loading creates a missing Setting.ini, as it always has; a picture only reads.
    std::error_code unknown;
    if (writes || std::filesystem::exists(pathOf(settings.paths.settingIni()), unknown)) {
        settings.optionFlags = settings.settingFile->load();
    } else {
        settings.optionFlags = {};
    }
    return StartupOutcome::ShowMainWindow;
}

} // namespace vn574::app
