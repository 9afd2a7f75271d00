#include "files/BackupStore.h"

#include "ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace vn574::files {
namespace {

namespace fs = std::filesystem;

// 2024-05-01 12:00:00 UTC; the tests run with local time set to UTC.
constexpr std::time_t mayFirstNoon = 1714564800;

codec::MemoryImage imageOf(std::uint8_t a, std::uint8_t b, std::uint8_t c,
                           std::vector<std::uint8_t> ownId) {
    codec::MemoryImage image{};
    image[1] = a;
    image[2] = b;
    image[3] = c;
    const std::size_t own = static_cast<std::size_t>(codec::blockOwnId) * codec::blockSize;
    image[own + 3] = static_cast<std::uint8_t>(ownId.size());
    for (std::size_t i = 0; i < ownId.size(); ++i) {
        image[own + 5 + i] = ownId[i];
    }
    image[4 * codec::blockSize] = 'P'; // the password block, so the bytes are not all zero
    return image;
}

[[maybe_unused]] mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}

class BackupStoreTest : public ::testing::Test {
protected:
    void SetUp() override { env.set("TZ", "UTC0"); }

    filetest::ScopedEnvironment env;
    test::TempDir dir;
};

TEST_F(BackupStoreTest, DataFolderComesFromXdgDataHomeThenHome) {
#ifdef _WIN32
    // Windows: the roaming application data, and nothing when that is relative or unset.
    env.set("APPDATA", dir.file("roaming"));
    EXPECT_EQ(fs::path(dataFolder()), fs::path(dir.file("roaming/vn574")));
    EXPECT_EQ(fs::path(BackupStore::standard().folder()),
              fs::path(dir.file("roaming/vn574/backups")));
    env.set("APPDATA", "relative\\data");
    EXPECT_EQ(dataFolder(), "");
    env.set("APPDATA", std::nullopt);
    EXPECT_EQ(dataFolder(), "");
#else
    env.set("HOME", dir.file("home"));
    env.set("XDG_DATA_HOME", dir.file("xdg"));
    EXPECT_EQ(dataFolder(), dir.file("xdg/vn574"));
    EXPECT_EQ(BackupStore::standard().folder(), dir.file("xdg/vn574/backups"));
    env.set("XDG_DATA_HOME", "relative/data"); // would depend on where the program started
    EXPECT_EQ(dataFolder(), dir.file("home/.local/share/vn574"));
    env.set("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(dataFolder(), dir.file("home/.local/share/vn574"));
    env.set("HOME", std::nullopt);
    EXPECT_EQ(dataFolder(), "");
#endif
    const SavedBackup saved = BackupStore::standard().save(codec::MemoryImage{}, mayFirstNoon);
    EXPECT_EQ(saved.path, "");
    EXPECT_NE(saved.error, "");
}

TEST_F(BackupStoreTest, NameCarriesLocalTimeModelCodeAndOwnId) {
    const auto identity = identityOfImage(imageOf(0x66, 0xAA, 0x33, {0x01, 0x02, 0x0A}));
    EXPECT_EQ(identity.modelCode, "66AA33");
    EXPECT_EQ(identity.tag, "12A");
    EXPECT_EQ(backupFileName(mayFirstNoon, identity), "20240501-120000-66AA33-12A.img");
    env.set("TZ", "CET-1");
    EXPECT_EQ(backupFileName(mayFirstNoon, identity), "20240501-130000-66AA33-12A.img");

    // No own ID, and one longer than the five digits the radio holds.
    EXPECT_EQ(identityOfImage(codec::MemoryImage{}).tag, "none");
    EXPECT_EQ(identityOfImage(codec::MemoryImage{}).modelCode, "000000");
    codec::MemoryImage tooLong = imageOf(0x66, 0xAA, 0x33, {1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(identityOfImage(tooLong).tag, "12345");

    EXPECT_EQ(safeBackupLabel("Fire Dept. #3/B"), "Fire_Dept_3_B");
    EXPECT_EQ(safeBackupLabel("../"), "none");
    EXPECT_EQ(safeBackupLabel(""), "none");
    EXPECT_EQ(safeBackupLabel("Löschzug-7"), "L_schzug_7");
    EXPECT_EQ(safeBackupLabel(std::string(40, 'x')), std::string(32, 'x'));
}

TEST_F(BackupStoreTest, SavesOwnerOnlyAndNeverOverwrites) {
    const std::string folder = dir.file("data/vn574/backups");
    const BackupStore store(folder);
    const auto image = imageOf(0x66, 0xAA, 0x33, {0x01, 0x02, 0x0A});

    const SavedBackup first = store.save(image, mayFirstNoon);
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(first.path, folder + "/20240501-120000-66AA33-12A.img");
    EXPECT_EQ(test::readFile(first.path),
              std::string(reinterpret_cast<const char*>(image.data()), image.size()));
#ifndef _WIN32 // Windows has no owner-only mode; the user's profile folder protects it
    EXPECT_EQ(modeOf(first.path), 0600U);
    EXPECT_EQ(modeOf(folder), 0700U);
    EXPECT_EQ(modeOf(dir.file("data")), 0700U);
#endif

    // The same second again, and a name that someone else's file already holds.
    const std::string other = folder + "/20240501-120000-66AA33-12A-2.img";
    test::writeFile(other, "keep");
    const SavedBackup second = store.save(image, mayFirstNoon);
    ASSERT_EQ(second.error, "");
    EXPECT_EQ(second.path, folder + "/20240501-120000-66AA33-12A-3.img");
    EXPECT_EQ(test::readFile(other), "keep");
    EXPECT_EQ(fs::file_size(first.path), static_cast<std::uintmax_t>(codec::imageSize));

    const SavedBackup labelled = store.save(image, mayFirstNoon, {"66AA33", "Truck_7"});
    EXPECT_EQ(labelled.path, folder + "/20240501-120000-66AA33-Truck_7.img");
}

TEST_F(BackupStoreTest, ListsBackupsNewestFirstAndSkipsOtherFiles) {
    const BackupStore store(dir.file("backups"));
    EXPECT_TRUE(store.list().entries.empty());
    EXPECT_EQ(store.list().error, "");

    const auto image = imageOf(0x66, 0xAA, 0x33, {0x01, 0x02, 0x0A});
    ASSERT_EQ(store.save(image, mayFirstNoon).error, "");
    ASSERT_EQ(store.save(image, mayFirstNoon + 3600).error, "");
    ASSERT_EQ(store.save(image, mayFirstNoon + 3600).error, "");
    ASSERT_EQ(store.save(codec::MemoryImage{}, mayFirstNoon - 86400).error, "");
    for (const char* stray :
         {"notes.txt", "20240501-120000-66AA33-12A.img.tmp-Ab12Cd", "20240631-120000-66AA33-1.img",
          "20240501-120000-66AA33-1-01.img", "20240501-120000-66aa33-1.img",
          "20240501-1200-66AA33-1.img", "20240501-120000-66AA33-.img"}) {
        test::writeFile(dir.file("backups/") + stray, "x");
    }
    fs::create_directory(dir.file("backups/20240502-120000-66AA33-9.img"));

    const BackupList list = store.list();
    EXPECT_EQ(list.error, "");
    std::vector<std::string> names;
    for (const BackupEntry& entry : list.entries) {
        names.push_back(entry.fileName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "20240501-130000-66AA33-12A-2.img", "20240501-130000-66AA33-12A.img",
                         "20240501-120000-66AA33-12A.img", "20240430-120000-000000-none.img"}));
    ASSERT_EQ(list.entries.size(), 4U);
    const BackupEntry& newest = list.entries.front();
    EXPECT_EQ(newest.path, dir.file("backups/20240501-130000-66AA33-12A-2.img"));
    EXPECT_EQ(newest.time, mayFirstNoon + 3600);
    EXPECT_EQ(newest.modelCode, "66AA33");
    EXPECT_EQ(newest.tag, "12A");
    EXPECT_EQ(list.entries.back().tag, "none");
}

TEST_F(BackupStoreTest, AFolderThatCannotBeMadeIsReported) {
    dir.write("file", "not a folder");
    const SavedBackup saved =
        BackupStore(dir.file("file/backups")).save(codec::MemoryImage{}, mayFirstNoon);
    EXPECT_EQ(saved.path, "");
    EXPECT_NE(saved.error.find(dir.file("file")), std::string::npos) << saved.error;

    if (test::permissionsBind()) { // root writes into any folder, Windows ignores the mode
        fs::create_directory(dir.file("locked"));
        fs::permissions(dir.file("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        const SavedBackup refused =
            BackupStore(dir.file("locked")).save(codec::MemoryImage{}, mayFirstNoon);
        EXPECT_EQ(refused.path, "");
        EXPECT_NE(refused.error, "");
        EXPECT_TRUE(fs::is_empty(dir.file("locked")));
    }
}

} // namespace
} // namespace vn574::files
