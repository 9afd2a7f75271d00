#include "app/DroppedFiles.h"
#include "app/IniFile.h"
#include "app/RecentFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vn574::app {
namespace {

using Files = std::vector<std::string>;

// A file as the list keeps it: with the platform's own separators ("\\" on Windows).
std::string listed(const std::string& path) {
    return std::filesystem::path(path).make_preferred().string();
}

TEST(RecentFilesTest, NewestFirstEightAtMostKeptAcrossRuns) {
    test::TempDir dir;
    const std::string ini = dir.file("mysetup.ini");
    dir.write("mysetup.ini", "[language]\nCurrentLanguage=english.ini\n");
    {
        RecentFiles recent(ini);
        for (int i = 1; i <= 9; ++i) {
            ASSERT_TRUE(recent.add(dir.file("f" + std::to_string(i) + ".vd")));
        }
        // Opening a listed file again moves it up instead of listing it twice; so does
        // the same file named through "..".
        recent.add(dir.file("sub/../f4.vd"));
        EXPECT_EQ(recent.files().size(), RecentFiles::capacity);
    }
    const Files expected{listed(dir.file("f4.vd")), listed(dir.file("f9.vd")),
                         listed(dir.file("f8.vd")), listed(dir.file("f7.vd")),
                         listed(dir.file("f6.vd")), listed(dir.file("f5.vd")),
                         listed(dir.file("f3.vd")), listed(dir.file("f2.vd"))};
    RecentFiles again(ini);
    EXPECT_EQ(again.files(), expected);
    EXPECT_EQ(IniFile::readString(ini, "recent", "File1"), listed(dir.file("f4.vd")));
    EXPECT_EQ(IniFile::readString(ini, "language", "CurrentLanguage"), "english.ini");

    again.clear();
    EXPECT_TRUE(RecentFiles(ini).files().empty());
    EXPECT_EQ(IniFile::readString(ini, "recent", "File8"), "");
}

TEST(RecentFilesTest, SkipsGapsAndRepeatsOfAnEditedFileAndTellsMissingFiles) {
    test::TempDir dir;
    dir.write("here.vd", "");
    dir.write("mysetup.ini", "[recent]\nFile1=" + dir.file("here.vd") + "\nFile2=\nFile3=" +
                                 dir.file("gone.vd") + "\nFile4=" + dir.file("here.vd") + "\n");
    const RecentFiles recent(dir.file("mysetup.ini"));
    EXPECT_EQ(recent.files(), (Files{listed(dir.file("here.vd")), listed(dir.file("gone.vd"))}));
    EXPECT_TRUE(RecentFiles::exists(dir.file("here.vd")));
    EXPECT_FALSE(RecentFiles::exists(dir.file("gone.vd")));
    EXPECT_FALSE(RecentFiles::exists(dir.path())); // a folder is no file to open
}

TEST(DroppedFilesTest, OpensTheFirstChannelFileAndNamesTheRest) {
    EXPECT_TRUE(isChannelFileName("/a/B.VD"));
    EXPECT_FALSE(isChannelFileName("/a/b.vdx"));
    EXPECT_FALSE(isChannelFileName("/a/vd"));

    const DropPlan several = planDrop({"/a/notes.txt", "/a/one.Vd", "/a/two.vd"});
    EXPECT_EQ(several.open, "/a/one.Vd");
    EXPECT_EQ(several.notOpened, (Files{"/a/notes.txt", "/a/two.vd"}));

    const DropPlan none = planDrop({"/a/image.img"});
    EXPECT_EQ(none.open, "");
    EXPECT_EQ(none.notOpened, Files{"/a/image.img"});
}

} // namespace
} // namespace vn574::app
