#include "app/AtomicFile.h"
#include "app/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vn574::app {
namespace {

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(AtomicFileTest, ReplacesAllFilesAndLeavesNoTemporaries) {
    test::TempDir dir;
    dir.write("a.vd", "old a");
    ASSERT_EQ(writeFilesAtomically({{dir.file("a.vd"), "new a"}, {dir.file("a.ton"), "new t"}}),
              "");
    EXPECT_EQ(dir.read("a.vd"), "new a");
    EXPECT_EQ(dir.read("a.ton"), "new t");
    EXPECT_EQ(entriesIn(dir.path()), 2U);
}

// Names are UTF-8 text; Windows would create them in its ANSI code page unless they
// go through a path made from UTF-8.
TEST(AtomicFileTest, NonAsciiNameIsCreatedReplacedAndReadAsItsUtf8Text) {
    test::TempDir dir;
    const std::string name = "Kan\xC3\xA4le-\xE6\x97\xA5\xE6\x9C\xAC.vd";
    ASSERT_EQ(writeFileAtomically(dir.file(name), "old"), "");
    ASSERT_EQ(writeFileAtomically(dir.file(name), "new"), "");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(pathOf(dir.path()))) {
        names.push_back(nameOf(entry.path().filename()));
    }
    EXPECT_EQ(names, std::vector<std::string>{name});
    std::FILE* file = openFile(dir.file(name), "rb");
    ASSERT_NE(file, nullptr);
    std::array<char, 8> text{};
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), 3U);
    std::fclose(file);
    EXPECT_EQ(std::string(text.data(), 3), "new");
}

#ifdef _WIN32
// Another program holding the file open without sharing it (a scanner, an indexer) makes
// the replacement wait for it a moment, then fail in the usual form.
TEST(AtomicFileTest, FileHeldOpenByAnotherIsReplacedOnceFreedElseReported) {
    test::TempDir dir;
    dir.write("a.vd", "old");
    const auto hold = [&] {
        return ::CreateFileW(pathOf(dir.file("a.vd")).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    };
    HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::CloseHandle(held);
    });
    EXPECT_EQ(writeFileAtomically(dir.file("a.vd"), "new"), "");
    release.join();
    EXPECT_EQ(dir.read("a.vd"), "new");

    held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(writeFileAtomically(dir.file("a.vd"), "newer"),
              "Cannot replace \"" + dir.file("a.vd") + "\": Permission denied");
    ::CloseHandle(held);
    EXPECT_EQ(dir.read("a.vd"), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}
#endif

TEST(AtomicFileTest, FailureOfTheSecondFileKeepsTheFirstUntouched) {
    test::TempDir dir;
    dir.write("a.vd", "old a");
    const std::string failure =
        writeFilesAtomically({{dir.file("a.vd"), "new a"}, {dir.file("missing/a.ton"), "t"}});
    EXPECT_NE(failure, "");
    EXPECT_NE(failure.find("missing/a.ton"), std::string::npos);
    EXPECT_EQ(dir.read("a.vd"), "old a");
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

TEST(AtomicFileTest, FullDiskKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "a full disk is made with fork and a file-size limit, which Windows lacks";
#else
    test::TempDir dir;
    dir.write("a.vd", "old contents");
    const pid_t child = ::fork();
    if (child == 0) {
        // A file-size limit makes the write fail as a full disk would.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string failure =
            writeFileAtomically(dir.file("a.vd"), "much longer new contents");
        ::_exit(failure.empty() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(dir.read("a.vd"), "old contents");
    EXPECT_EQ(entriesIn(dir.path()), 1U);
#endif
}

TEST(AtomicFileTest, CrashBeforeRenamingKeepsThePreviousFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "the crash is a forked child's exit, and Windows has no fork";
#else
    test::TempDir dir;
    dir.write("a.vd", "old a");
    dir.write("a.ton", "old t");
    const pid_t child = ::fork();
    if (child == 0) {
        setBeforeRenameHook([] { ::_exit(3); });
        writeFilesAtomically({{dir.file("a.vd"), "new a"}, {dir.file("a.ton"), "new t"}});
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(dir.read("a.vd"), "old a");
    EXPECT_EQ(dir.read("a.ton"), "old t");
#endif
}

} // namespace
} // namespace vn574::app
