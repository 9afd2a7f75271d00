// mysetup.ini, Setting.ini and the language files live where users, editors and disks
// can damage them. Whatever state they are in, the program starts and its window
// loads: a first-run marker that cannot be read means the setup runs again, option
// flags that cannot be read are all off, and a language file that cannot be read
// gives empty texts rather than a crash.

#include "app/IniFile.h"
#include "app/Startup.h"
#include "document/Editor.h"
#include "files/ChannelFile.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

namespace vn574::test {
namespace {

class ScriptedPlatform final : public app::StartupPlatform {
public:
    std::uint32_t systemLocaleId() override { return 0x0409; }
    void runInitialSetup(app::ProcessSettings& settings) override {
        ++setupRuns;
        settings.firstRun = false;
    }
    std::vector<std::string> serialPorts() override { return {"ttyUSB0"}; }
    int setupRuns = 0;
};

std::string englishFile() {
    return readFile(languageFolder() + "/english.ini");
}

// UTF-16 little endian with its byte-order mark, as some editors save "Unicode".
std::string utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (const char c : text) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

std::string binaryGarbage() {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        bytes.push_back(static_cast<char>((i * 131 + 7) % 256));
    }
    return bytes;
}

struct Damage {
    const char* name;
    // Writes the damaged file at `path` from what it should hold.
    std::function<void(const std::string& path, const std::string& good)> apply;
};

const std::vector<Damage>& damages() {
    static const std::vector<Damage> list = {
        {"unreadable", [](const std::string& path,
                          const std::string&) { std::filesystem::create_directory(path); }},
        {"empty", [](const std::string& path, const std::string&) { writeFile(path, ""); }},
        {"truncated",
         [](const std::string& path, const std::string& good) {
             writeFile(path, good.substr(0, good.size() / 3 + 1));
         }},
        {"binary",
         [](const std::string& path, const std::string&) { writeFile(path, binaryGarbage()); }},
        {"utf16",
         [](const std::string& path, const std::string& good) { writeFile(path, utf16(good)); }},
        {"latin1",
         [](const std::string& path, const std::string& good) {
             std::string text = good;
             for (char& c : text) {
                 if (static_cast<unsigned char>(c) >= 0x80) {
                     c = '\xE9'; // an "é" of a one-byte code page inside UTF-8 text
                 }
             }
             writeFile(path, text + "\n[language]\nCurrentLanguage=\xE9nglish.ini\n");
         }},
    };
    return list;
}

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedFiles : public ::testing::TestWithParam<Damage> {
protected:
    DamagedFiles() : editor(settings, prompts) {
        std::filesystem::create_directory(dir.file("language"));
        std::filesystem::copy_file(languageFolder() + "/english.ini",
                                   dir.file("language/english.ini"));
        std::filesystem::copy_file(languageFolder() + "/chinese.ini",
                                   dir.file("language/chinese.ini"));
        settings.paths.languageFolder = dir.file("language");
        settings.paths.settingsFolder = dir.path();
        writeFile(settings.paths.mysetupIni(),
                  "[language]\r\nCurrentLanguage=english.ini\r\nIsFirstRun=0\r\n");
        writeFile(settings.paths.settingIni(), std::string("\x01\x00\x01\x00", 4));
    }

    // Start-up and the main window's load; then the window's everyday work: a row
    // taken into use, saved and opened again.
    void startAndWork() {
        ASSERT_EQ(app::runStartup(settings, platform), app::StartupOutcome::ShowMainWindow);
        editor.load();
        editor.cellClicked(3, document::colName);
        editor.setCell(3, document::colName, "WORKS");
        ASSERT_TRUE(files::saveChannelFile(editor, dir.file("doc.vd")).saved);
        EXPECT_EQ(files::openChannelFile(editor, dir.file("doc.vd")).status,
                  files::OpenStatus::Opened);
        EXPECT_EQ(editor.cell(3, document::colName), "WORKS");
    }

    TempDir dir;
    ScriptedPlatform platform;
    app::ProcessSettings settings;
    FakePrompts prompts;
    document::Editor editor;
};

TEST_P(DamagedFiles, MysetupIni) {
    const std::string path = settings.paths.mysetupIni();
    std::filesystem::remove(path);
    GetParam().apply(path, "[language]\r\nCurrentLanguage=chinese.ini\r\nIsFirstRun=0\r\n");
    startAndWork();
    // Either the marker survived or the setup ran again: never neither.
    const bool markerReadable =
        app::IniFile::readString(path, "language", "IsFirstRun") == "0" && platform.setupRuns == 0;
    EXPECT_TRUE(markerReadable || platform.setupRuns == 1);
    EXPECT_FALSE(settings.language.currentFile().empty());
}

TEST_P(DamagedFiles, SettingIni) {
    const std::string path = settings.paths.settingIni();
    std::filesystem::remove(path);
    GetParam().apply(path, std::string("\x01\x00\x01\x00", 4));
    startAndWork();
    // A window closing writes the flags back; a damaged file must not stop that either.
    settings.saveOptionFlags();
    EXPECT_EQ(platform.setupRuns, 0);
}

TEST_P(DamagedFiles, LanguageFile) {
    const std::string path = dir.file("language/english.ini");
    std::filesystem::remove(path);
    GetParam().apply(path, englishFile());
    startAndWork();
    // Switching to the other language, whose file is sound, brings the texts back.
    prompts.answers = {app::Answer::No};
    ASSERT_TRUE(editor.switchLanguage("chinese.ini"));
    EXPECT_FALSE(editor.windowMessage(9001).empty());
    EXPECT_FALSE(editor.words().active.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, DamagedFiles, ::testing::ValuesIn(damages()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vn574::test
