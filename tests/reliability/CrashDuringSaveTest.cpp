// A process killed while it saves (power cut, crash, kill -9) must leave the files it
// was replacing as they were: the new contents go to temporaries first and are renamed
// over the old files only once complete. The kill comes at the worst moment, after
// both temporaries are written and before the first rename.

#include "app/AtomicFile.h"
#include "files/ChannelFile.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vn574::test {
namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

TEST(CrashDuringSave, KilledBeforeRenamingLeavesThePreviousPairIntact) {
#ifdef _WIN32
    GTEST_SKIP() << "the crash is a forked child killed by a signal, and Windows has no fork";
#else
    TempDir dir;
    const std::string vd = dir.file("radio.vd");
    std::filesystem::copy_file(dataDir + "/sample-2m.vd", vd);
    std::filesystem::copy_file(dataDir + "/sample-2m.ton", dir.file("radio.ton"));
    const std::string oldVd = readFile(vd);
    const std::string oldTon = readFile(dir.file("radio.ton"));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        EditorFixture f;
        if (!files::openChannelFile(f.editor, vd).ok()) {
            ::_exit(10);
        }
        f.editor.setCell(1, document::colName, "CHANGED");
        f.editor.document().toneData.reset();
        app::setBeforeRenameHook([] { ::raise(SIGKILL); });
        files::saveChannelFile(f.editor, vd);
        ::_exit(11); // the hook never returns
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(readFile(vd), oldVd);
    EXPECT_EQ(readFile(dir.file("radio.ton")), oldTon);

    // The old pair still opens as it did, and the next save goes through in spite of
    // the temporaries the killed process left behind.
    EditorFixture f;
    ASSERT_TRUE(files::openChannelFile(f.editor, vd).ok());
    EXPECT_EQ(f.editor.cell(1, document::colName), "CALL2M");
    f.editor.setCell(1, document::colName, "AGAIN");
    ASSERT_TRUE(files::saveChannelFile(f.editor, vd).saved);
    EditorFixture reopened;
    ASSERT_TRUE(files::openChannelFile(reopened.editor, vd).ok());
    EXPECT_EQ(reopened.editor.cell(1, document::colName), "AGAIN");
#endif
}

} // namespace
} // namespace vn574::test
