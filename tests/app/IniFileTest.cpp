#include "app/IniFile.h"
#include "app/Language.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vn574::app {
namespace {

TEST(IniFileLookup, MatchesSectionsAndKeysWithoutCaseAndTrimsValues) {
    const std::string text =
        "[RW]\r\nRW001 =  Start reading  \r\nrw002=Write\r\n[MSG]\r\n9001=Save?\r\n";
    EXPECT_EQ(IniFile::lookup(text, "rw", "rw001"), "Start reading");
    EXPECT_EQ(IniFile::lookup(text, "Rw", "RW002"), "Write");
    EXPECT_EQ(IniFile::lookup(text, "msg", "9001"), "Save?");
}

TEST(IniFileLookup, MissingSectionKeyOrFileGivesEmptyText) {
    const std::string text = "[A]\nkey=value\n";
    EXPECT_EQ(IniFile::lookup(text, "B", "key"), "");
    EXPECT_EQ(IniFile::lookup(text, "A", "other"), "");
    EXPECT_EQ(IniFile::readString("/nonexistent/folder/x.ini", "A", "key"), "");
}

TEST(IniFileLookup, KeyOfAnotherSectionIsNotFound) {
    const std::string text = "[A]\nx=1\n[B]\ny=2\n";
    EXPECT_EQ(IniFile::lookup(text, "A", "y"), "");
    EXPECT_EQ(IniFile::lookup(text, "B", "y"), "2");
}

TEST(IniFileLookup, ToleratesByteOrderMarkCommentsAndValuesWithEquals) {
    const std::string text = "\xEF\xBB\xBF[S]\n; a comment=1\nk=a=b\n";
    EXPECT_EQ(IniFile::lookup(text, "S", "k"), "a=b");
    EXPECT_EQ(IniFile::lookup(text, "S", "; a comment"), "");
}

TEST(IniFileWrite, ReplacesOneKeyAndKeepsEveryOtherLine) {
    const std::string text =
        "[language]\r\nIsFirstRun=1\r\nCurrentLanguage=english.ini\r\n\r\n[other]\r\nx=1\r\n";
    const std::string result = IniFile::withValue(text, "LANGUAGE", "isfirstrun", "0");
    EXPECT_EQ(
        result,
        "[language]\r\nisfirstrun=0\r\nCurrentLanguage=english.ini\r\n\r\n[other]\r\nx=1\r\n");
}

TEST(IniFileWrite, AddsMissingKeyToItsSectionAndMissingSectionAtTheEnd) {
    const std::string text = "[language]\nCurrentLanguage=english.ini\n\n[other]\nx=1\n";
    EXPECT_EQ(IniFile::withValue(text, "language", "IsFirstRun", "0"),
              "[language]\nCurrentLanguage=english.ini\nIsFirstRun=0\n\n[other]\nx=1\n");
    EXPECT_EQ(IniFile::withValue("", "language", "IsFirstRun", "0"), "[language]\nIsFirstRun=0\n");
}

TEST(IniFileWrite, EveryLookupSeesTheFileAsItIsNow) {
    test::TempDir dir;
    const std::string path = dir.file("mysetup.ini");
    ASSERT_TRUE(IniFile::writeString(path, "language", "CurrentLanguage", "chinese.ini"));
    EXPECT_EQ(IniFile::readString(path, "language", "CurrentLanguage"), "chinese.ini");
    dir.write("mysetup.ini", "[language]\nCurrentLanguage=english.ini\n");
    EXPECT_EQ(IniFile::readString(path, "language", "CurrentLanguage"), "english.ini");
}

TEST(IniFileWrite, UnwritableFolderReportsFailure) {
    EXPECT_FALSE(IniFile::writeString("/nonexistent/folder/x.ini", "a", "b", "c"));
}

TEST(LanguageLookup, RemovedLanguageFileGivesEmptyTexts) {
    test::TempDir dir;
    dir.write("english.ini", "[RW]\nrw003=Read\n");
    Language language(dir.path(), "english.ini");
    EXPECT_EQ(language.text("RW", "rw003"), "Read");
    std::remove(dir.file("english.ini").c_str());
    EXPECT_EQ(language.text("RW", "rw003"), "");
    EXPECT_EQ(Language(dir.path(), "").text("RW", "rw003"), "");
}

} // namespace
} // namespace vn574::app
