#include "app/DialogFolder.h"
#include "app/IniFile.h"
#include "app/SettingsLocation.h"
#include "app/Startup.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace vn574::app {
namespace {

class ScriptedPlatform : public StartupPlatform {
public:
    std::uint32_t localeId = 0x0409;
    bool setupSucceeds = true;
    int setupRuns = 0;
    std::vector<std::string> ports{"ttyS0", "ttyUSB0"};

    std::uint32_t systemLocaleId() override { return localeId; }
    void runInitialSetup(ProcessSettings& settings) override {
        ++setupRuns;
        if (setupSucceeds) {
            settings.firstRun = false;
        }
    }
    std::vector<std::string> serialPorts() override { return ports; }
};

class StartupTest : public ::testing::Test {
protected:
    test::TempDir dir;
    ScriptedPlatform platform;
    ProcessSettings settings;

    void SetUp() override {
        settings.paths.languageFolder = dir.path();
        settings.paths.settingsFolder = dir.path();
    }
    std::string mysetup(const char* key) {
        return IniFile::readString(settings.paths.mysetupIni(), "language", key);
    }
};

TEST_F(StartupTest, FirstStartPicksChineseOnlyForThePrcLocale) {
    platform.localeId = 0x0804;
    EXPECT_EQ(runStartup(settings, platform), StartupOutcome::ShowMainWindow);
    EXPECT_EQ(mysetup("CurrentLanguage"), "chinese.ini");
    EXPECT_EQ(settings.language.currentFile(), "chinese.ini");
    EXPECT_EQ(mysetup("IsFirstRun"), "0");

    test::TempDir other;
    ProcessSettings taiwan;
    taiwan.paths = {other.path(), other.path()};
    platform.localeId = localeIdFromName("zh_TW.UTF-8");
    runStartup(taiwan, platform);
    EXPECT_EQ(taiwan.language.currentFile(), "english.ini");
}

TEST_F(StartupTest, LaterStartKeepsTheChosenLanguageAndRunsNoSetup) {
    dir.write("mysetup.ini", "[language]\nIsFirstRun=0\nCurrentLanguage=chinese.ini\n");
    platform.localeId = 0x0409;
    EXPECT_EQ(runStartup(settings, platform), StartupOutcome::ShowMainWindow);
    EXPECT_EQ(platform.setupRuns, 0);
    EXPECT_EQ(settings.language.currentFile(), "chinese.ini");
}

TEST_F(StartupTest, AbandonedSetupExitsAndLeavesTheFirstRunMarker) {
    dir.write("mysetup.ini", "[language]\nIsFirstRun=1\n");
    platform.setupSucceeds = false;
    EXPECT_EQ(runStartup(settings, platform), StartupOutcome::Exit);
    EXPECT_EQ(mysetup("IsFirstRun"), "1");
    EXPECT_EQ(platform.setupRuns, 1);
}

TEST_F(StartupTest, PictureSkipsTheSetupAndWritesNoSettings) {
    platform.localeId = 0x0804;
    EXPECT_EQ(runStartup(settings, platform, std::nullopt, StartupMode::Picture),
              StartupOutcome::ShowMainWindow);
    EXPECT_EQ(platform.setupRuns, 0);
    EXPECT_EQ(settings.language.currentFile(), "chinese.ini");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // A folder that was set up is read as usual.
    dir.write("mysetup.ini", "[language]\nIsFirstRun=0\nCurrentLanguage=english.ini\n");
    dir.write("Setting.ini", std::string("\x01\x00\x01\x00", 4));
    runStartup(settings, platform, std::nullopt, StartupMode::Picture);
    EXPECT_EQ(settings.language.currentFile(), "english.ini");
    EXPECT_EQ(settings.optionFlags, (OptionFlags{1, 0, 1, 0}));
}

TEST_F(StartupTest, MissingOrDamagedFirstRunMarkerRunsTheSetup) {
    EXPECT_TRUE(parseFirstRun(""));
    EXPECT_TRUE(parseFirstRun("yes please"));
    EXPECT_TRUE(parseFirstRun("-1"));
    EXPECT_TRUE(parseFirstRun("True"));
    EXPECT_FALSE(parseFirstRun(" 0 "));
    EXPECT_FALSE(parseFirstRun("false"));
    runStartup(settings, platform);
    EXPECT_EQ(platform.setupRuns, 1);
}

TEST_F(StartupTest, DefaultPortFollowsThePortRuleUnlessOverridden) {
    // The rule of the COM Port menu and the initial setup: of the lowest number, the
    // USB device before the built-in one.
    runStartup(settings, platform);
    EXPECT_EQ(settings.commPort, "ttyUSB0");
    EXPECT_EQ(settings.commSettings, "9600,n,8,1");
    EXPECT_FALSE(settings.nt6);

    platform.ports.clear();
    runStartup(settings, platform);
    EXPECT_EQ(settings.commPort, "");

    runStartup(settings, platform, std::string("/dev/pts/7"));
    EXPECT_EQ(settings.commPort, "/dev/pts/7");
}

TEST_F(StartupTest, WithoutSettingFileNoOptionIsInstalledAndTheFileIsCreated) {
    runStartup(settings, platform);
    EXPECT_EQ(settings.optionFlags, OptionFlags{});
    EXPECT_TRUE(std::filesystem::exists(settings.paths.settingIni()));
}

TEST_F(StartupTest, ShortSettingFileReadsAsZeros) {
    dir.write("Setting.ini", std::string("\x01\x01", 2));
    runStartup(settings, platform);
    EXPECT_EQ(settings.optionFlags, OptionFlags{});
}

TEST_F(StartupTest, StoredOptionFlagsAreStickyWhileMemoryFollowsTheLastRadio) {
    dir.write("Setting.ini", std::string("\x00\x00\x01\x00", 4));
    runStartup(settings, platform);
    EXPECT_EQ(settings.optionFlags.hasDtmf, 1);

    settings.optionFlags = OptionFlags::fromFeatureByte(0x80); // a radio with 5-tone only
    settings.saveOptionFlags();
    EXPECT_EQ(dir.read("Setting.ini"), std::string("\x01\x00\x01\x00", 4));

    settings.optionFlags = OptionFlags::fromFeatureByte(0x40); // then one with 2-tone only
    settings.saveOptionFlags();
    EXPECT_EQ(dir.read("Setting.ini"), std::string("\x01\x01\x01\x00", 4));
    EXPECT_EQ(settings.optionFlags.has5Tone, 0);
}

TEST(OptionFlagsTest, FeatureByteBitsSevenToFour) {
    EXPECT_EQ(OptionFlags::fromFeatureByte(0xA0), (OptionFlags{1, 0, 1, 0}));
    EXPECT_EQ(OptionFlags::fromFeatureByte(0x10), (OptionFlags{0, 0, 0, 1}));
    EXPECT_EQ(OptionFlags::fromFeatureByte(0x0F), OptionFlags{});
}

TEST(SettingsLocationTest, ConfigDirOverridesAndReadOnlyLanguageFolderFallsBackToXdg) {
    test::TempDir dir;
    const std::string config = dir.file("config");
    EXPECT_EQ(chooseSettingsFolder(dir.path(), config), config);
    EXPECT_TRUE(std::filesystem::is_directory(config));

    EXPECT_EQ(chooseSettingsFolder(dir.path(), std::nullopt), dir.path());

    // Root may write anywhere, so the fallback cannot be seen; Windows has its own.
    if (test::permissionsBind()) {
        const std::string readOnly = dir.file("ro");
        std::filesystem::create_directory(readOnly);
        ::chmod(readOnly.c_str(), 0555);
        test::setVariable("XDG_CONFIG_HOME", dir.file("xdg"));
        EXPECT_EQ(chooseSettingsFolder(readOnly, std::nullopt), dir.file("xdg") + "/vn574");
    }
}

// A language folder nobody can write (here: one that is not there) sends the settings
// to the user's own folder, on every platform and for every user.
TEST(SettingsLocationTest, UnwritableLanguageFolderSendsTheSettingsToTheUsersFolder) {
    test::TempDir dir;
#ifdef _WIN32
    const char* variable = "APPDATA";
#else
    const char* variable = "XDG_CONFIG_HOME";
#endif
    test::setVariable(variable, dir.file("user"));
    const std::string folder = chooseSettingsFolder(dir.file("missing"), std::nullopt);
    test::unsetVariable(variable);
    EXPECT_EQ(std::filesystem::path(folder), std::filesystem::path(dir.file("user/vn574")));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(SettingsLocationTest, FindsLanguageFilesInBuildTreeAndInstalledLayout) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("bin/language"));
    using std::filesystem::path;
    EXPECT_EQ(path(findLanguageFolder(dir.file("bin"))), path(dir.file("bin/language")));

    std::filesystem::create_directories(dir.file("usr/bin"));
    std::filesystem::create_directories(dir.file("usr/share/vn574/language"));
    EXPECT_EQ(path(findLanguageFolder(dir.file("usr/bin"))),
              path(dir.file("usr/share/vn574/language")));
}

TEST(DialogFolderTest, FileFolderThenLastUsedThenDocumentsThenHomeOnlyWhenTheyExist) {
    test::TempDir home;
    const std::string documents = home.file("Documents");
    const std::string last = home.file("radios");
    const std::string fileFolder = home.file("fleet");
    const std::string file = fileFolder + "/van.vd";
    EXPECT_EQ(dialogStartFolder("noname.vd", "", documents, home.path()), home.path());
    EXPECT_EQ(dialogStartFolder(file, last, documents, home.path()), home.path());

    std::filesystem::create_directory(documents);
    EXPECT_EQ(dialogStartFolder("noname.vd", "", documents, home.path()), documents);
    // A file of that name is no folder to start in.
    home.write("radios", "");
    EXPECT_EQ(dialogStartFolder("noname.vd", last, documents, home.path()), documents);
    std::filesystem::remove(last);
    std::filesystem::create_directory(last);
    EXPECT_EQ(dialogStartFolder(file, last, documents, home.path()), last);
    std::filesystem::create_directory(fileFolder);
    EXPECT_EQ(dialogStartFolder(file, last, documents, home.path()), fileFolder);
}

TEST(LocaleTest, MapsPosixNamesToWindowsIdentifiers) {
    EXPECT_EQ(localeIdFromName("zh_CN.UTF-8"), 0x0804U);
    EXPECT_EQ(localeIdFromName("zh_CN"), 0x0804U);
    EXPECT_EQ(localeIdFromName("de_DE@euro"), 0x0407U);
    EXPECT_EQ(localeIdFromName("C"), 0x0409U);
}

} // namespace
} // namespace vn574::app
