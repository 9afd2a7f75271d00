// The program itself, started with damaged files beside it: a language file of binary
// garbage, the other in UTF-16, a Setting.ini of the wrong size and a mysetup.ini
// whose language entry names nothing. It must come up and show its window (taken as
// a screenshot on the offscreen platform) instead of crashing or hanging.

#include "ProcessRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vn574::test {
namespace {

namespace fs = std::filesystem;

TEST(DamagedStart, WindowComesUpWithDamagedLanguageAndSettingFiles) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TempDir dir;
    // A copy of the program finds its language folder beside itself.
    fs::create_directories(dir.file("bin/language"));
    fs::copy_file(VN574_GUI, dir.file("bin/vn574"));
    fs::permissions(dir.file("bin/vn574"), fs::perms::owner_all);
    std::string garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage.push_back(static_cast<char>((i * 97 + 13) % 256));
    }
    writeFile(dir.file("bin/language/english.ini"), garbage);
    writeFile(dir.file("bin/language/chinese.ini"),
              std::string("\xFF\xFE[\0M\0S\0G\0]\0\r\0\n\0", 16));

    const std::vector<std::pair<std::string, std::string>> mysetups = {
        {"names nothing", "[language]\r\nCurrentLanguage=\xE9\x01.ini\r\nIsFirstRun=0\r\n"},
        {"garbage language", "[language]\r\nCurrentLanguage=english.ini\r\nIsFirstRun=0\r\n"},
        {"utf16 language", "[language]\r\nCurrentLanguage=chinese.ini\r\nIsFirstRun=0\r\n"},
    };
    int run = 0;
    for (const auto& [name, mysetup] : mysetups) {
        SCOPED_TRACE(name);
        const std::string config = dir.file("config-" + std::to_string(++run));
        fs::create_directories(config);
        writeFile(config + "/mysetup.ini", mysetup);
        writeFile(config + "/Setting.ini", garbage.substr(0, 3));
        const std::string shot = config + "/shot.png";
        const auto got =
            runProcess({dir.file("bin/vn574"), "--config-dir", config, "--screenshot", shot}, 120);
        EXPECT_EQ(got.exitCode, 0) << got.err;
        ASSERT_TRUE(fs::exists(shot)) << got.err;
        EXPECT_GT(fs::file_size(shot), 1000U);
    }
}

} // namespace
} // namespace vn574::test
