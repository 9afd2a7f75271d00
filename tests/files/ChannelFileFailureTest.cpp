#include "files/ChannelFile.h"

#include "app/TextUtil.h"
#include "files/FileTestSupport.h"
#include "support/TestEnvironment.h"
#include "support/TestPlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vn574::files {
namespace {

using namespace document;
using filetest::customToneData;
using filetest::fileOf;
using filetest::gridCells;
using filetest::packed;
using filetest::validRecords;
using ::testing::HasSubstr;

bool runningAsRoot() {
    return !test::permissionsBind();
}

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class OpenFailureTest : public ::testing::Test {
protected:
    OpenFailureTest() {
        // A document of the user's own before the failing open.
        editor.selectModel(2);
        editor.setCell(1, colName, "MINE");
        doc.strSetup = "setup|before";
        doc.strAutoDial = "Ad|before";
        doc.toneData.selfId = "99999";
        doc.bModify = true;
    }

    std::string writePair(const std::string& name, const std::string& text) const {
        f.dir.write(name + ".vd", text);
        f.dir.write(name + ".ton", packed(customToneData()));
        return f.dir.file(name + ".vd");
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
};

TEST_F(OpenFailureTest, TooLargeFileKeepsTheChannelDataButReadsTheSignalling) {
    const auto gridBefore = gridCells(editor);
    const OpenResult result = openChannelFile(editor, writePair("big", std::string(30001, '\n')));
    EXPECT_EQ(result.status, OpenStatus::TooLarge);
    EXPECT_EQ(result.signalling, SignallingStatus::Loaded);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.windowMessage(9002));
    EXPECT_EQ(gridCells(editor), gridBefore);
    EXPECT_EQ(doc.strSetup, "setup|before");
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_EQ(packed(doc.toneData), packed(customToneData()));
    EXPECT_FALSE(doc.bModify);
    EXPECT_EQ(editor.fileName(), "noname.vd");
}

TEST_F(OpenFailureTest, WrongFieldCountInTheOptionRecordResetsTheDocument) {
    std::vector<std::string> records = validRecords();
    records[104] += "|extra"; // 29 fields
    const OpenResult result = openChannelFile(editor, writePair("setup", fileOf(records)));
    EXPECT_EQ(result.status, OpenStatus::SetupRecordInvalid);
    EXPECT_EQ(result.signalling, SignallingStatus::NotRead);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.windowMessage(9004));

    test::EditorFixture reference;
    reference.editor.selectModel(2); // the reset state of the selected model
    EXPECT_EQ(gridCells(editor), gridCells(reference.editor));
    EXPECT_EQ(doc.strSetup, reference.editor.document().strSetup);
    EXPECT_EQ(doc.strAutoDial, "Ad||||||||||");
    EXPECT_EQ(packed(doc.toneData), packed(reference.editor.document().toneData));
    EXPECT_FALSE(doc.bModify);
    EXPECT_EQ(editor.fileName(), "noname.vd");
}

TEST_F(OpenFailureTest, WrongFieldCountInTheAutoDialRecordResetsTheDocument) {
    std::vector<std::string> records = validRecords();
    records[105] = "Ad|1|2|3";
    const OpenResult result = openChannelFile(editor, writePair("dial", fileOf(records)));
    EXPECT_EQ(result.status, OpenStatus::AutoDialRecordInvalid);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.windowMessage(9003));
    EXPECT_EQ(editor.cell(1, colName), ""); // reset, not the file's "HOME"
    EXPECT_EQ(doc.strSetup.substr(0, 16), "setup|Frequency|");
    EXPECT_EQ(doc.toneData.selfId.str(), "12345");
}

TEST_F(OpenFailureTest, ShortChannelRecordKeepsTheRecordsAlreadyRead) {
    std::vector<std::string> records = validRecords();
    records[1] = "1|Active|TWO|5|145.0000|off|wide|off|off|Scan|off|145.0000|off|off|off|off|None|"
                 "0|0|";
    records[2] = "2|Active|THREE|5|145.0000|off|wide|off|off|Scan|off|145.0000|off|off|off|off|"
                 "None|0"; // 18 fields
    const OpenResult result = openChannelFile(editor, writePair("shortrec", fileOf(records)));
    EXPECT_EQ(result.status, OpenStatus::ReadError);
    EXPECT_EQ(result.signalling, SignallingStatus::NotRead);
    EXPECT_EQ(result.recordsRead, 2);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("record 3"));
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("18 fields"));
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.cell(2, colName), "TWO");
    EXPECT_EQ(editor.cell(3, colStatus), "Inactive"); // as before the open
    EXPECT_EQ(doc.strSetup, "setup|before");
    EXPECT_EQ(doc.toneData.selfId.str(), "99999");
    EXPECT_TRUE(doc.bModify);
    EXPECT_EQ(editor.fileName(), "noname.vd");
}

TEST_F(OpenFailureTest, AnOpenThatFailedPartWayIsOneUndoStep) {
    editor.recordStep("mine");
    const EditorState mine = editor.currentState();
    std::vector<std::string> records = validRecords();
    records[2] = "2|Active|THREE"; // damaged after two good records

    EXPECT_EQ(openChannelFile(editor, writePair("damaged", fileOf(records))).status,
              OpenStatus::ReadError);
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.history().undoName(), "Incomplete open of damaged.vd");
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(editor.currentState().sameContent(mine));
    EXPECT_TRUE(doc.bModify);
    ASSERT_TRUE(editor.redo());

    // A file that cannot be read at all changes nothing and records nothing.
    const std::size_t steps = editor.history().stepCount();
    EXPECT_EQ(openChannelFile(editor, f.dir.file("missing.vd")).status, OpenStatus::ReadError);
    EXPECT_EQ(editor.history().stepCount(), steps);

    // Only a whole file starts a fresh history.
    EXPECT_TRUE(openChannelFile(editor, writePair("whole", fileOf(validRecords()))).ok());
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_FALSE(doc.bModify);
}

TEST_F(OpenFailureTest, ShortCallChannelRecordIsAChannelRecordToo) {
    std::vector<std::string> records = validRecords();
    records[102] = "C|def|CALL";
    const OpenResult result = openChannelFile(editor, writePair("shortcall", fileOf(records)));
    EXPECT_EQ(result.status, OpenStatus::ReadError);
    EXPECT_EQ(result.recordsRead, 102);
    EXPECT_EQ(editor.cell(103, colName), "");
}

TEST_F(OpenFailureTest, MoreThan107RecordsKeepsAllThatWereRead) {
    std::vector<std::string> records = validRecords();
    records.push_back("surplus");
    const OpenResult result = openChannelFile(editor, writePair("long", fileOf(records)));
    EXPECT_EQ(result.status, OpenStatus::ReadError);
    EXPECT_EQ(result.recordsRead, 107);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("more than 107 records"));
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_EQ(doc.strAutoDial, "Ad|123|||||||||");
    EXPECT_EQ(doc.toneData.selfId.str(), "99999"); // signalling not read
    EXPECT_TRUE(doc.BeReadReshow);
}

TEST_F(OpenFailureTest, ModelRecordWithoutAModelNumberIsAReadError) {
    for (const char* model : {"32|", "x|", "|", "-1|"}) {
        std::vector<std::string> records = validRecords();
        records[106] = model;
        f.prompts.messages.clear();
        const OpenResult result = openChannelFile(editor, writePair("model", fileOf(records)));
        EXPECT_EQ(result.status, OpenStatus::ReadError) << model;
        EXPECT_EQ(result.recordsRead, 106) << model;
        ASSERT_EQ(f.prompts.messages.size(), 1U) << model;
        EXPECT_THAT(f.prompts.messages[0], HasSubstr("model number")) << model;
        EXPECT_EQ(editor.selectedModel(), 2) << model;
        EXPECT_TRUE(doc.BeReadReshow) << model;
    }
}

TEST_F(OpenFailureTest, MissingFileChangesNothing) {
    const auto gridBefore = gridCells(editor);
    const OpenResult result = openChannelFile(editor, f.dir.file("absent.vd"));
    EXPECT_EQ(result.status, OpenStatus::ReadError);
    EXPECT_EQ(result.recordsRead, 0);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("No such file or directory"));
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("absent.vd"));
    EXPECT_EQ(gridCells(editor), gridBefore);
    EXPECT_TRUE(doc.bModify);
}

TEST_F(OpenFailureTest, MissingOrShortSignallingFileLoadsTheChannelsAndResetsTheSignalling) {
    const std::string vd = writePair("pair", fileOf(validRecords()));
    std::filesystem::remove(f.dir.file("pair.ton"));
    OpenResult result = openChannelFile(editor, vd);
    EXPECT_EQ(result.status, OpenStatus::Opened);
    EXPECT_EQ(result.signalling, SignallingStatus::Unreadable);
    EXPECT_FALSE(result.ok());
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("pair.ton"));
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("reset to their defaults"));
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.fileName(), vd);
    EXPECT_EQ(doc.toneData.selfId.str(), "12345"); // the previous document's is gone
    EXPECT_FALSE(doc.bModify);

    // One byte short: the record is not taken in part.
    f.dir.write("pair.ton", packed(customToneData()).substr(0, 3294));
    doc.toneData.selfId = "99999";
    f.prompts.messages.clear();
    result = openChannelFile(editor, vd);
    EXPECT_EQ(result.signalling, SignallingStatus::TooShort);
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("3294 of the 3295 bytes"));
    EXPECT_EQ(packed(doc.toneData), packed(ToneData{}));

    // Bytes beyond the record are ignored.
    f.dir.write("pair.ton", packed(customToneData()) + "trailing");
    EXPECT_TRUE(openChannelFile(editor, vd).ok());
    EXPECT_EQ(packed(doc.toneData), packed(customToneData()));
}

class SaveFailureTest : public ::testing::Test {
protected:
    SaveFailureTest() {
        editor.selectModel(2);
        editor.setCell(1, colName, "NEW");
        doc.bModify = true;
        f.dir.write("old.vd", "old channel data");
        f.dir.write("old.ton", "old signalling");
    }

    void expectOldFilesIntact() const {
        EXPECT_EQ(f.dir.read("old.vd"), "old channel data");
        EXPECT_EQ(f.dir.read("old.ton"), "old signalling");
        EXPECT_EQ(entriesIn(f.dir.path()), 2U); // no temporaries left behind
    }

    void expectFailureReported(const SaveResult& result, const std::string& reason) const {
        EXPECT_FALSE(result.saved);
        EXPECT_THAT(result.error, HasSubstr(reason));
        ASSERT_EQ(f.prompts.messages.size(), 1U);
        EXPECT_THAT(f.prompts.messages[0], HasSubstr(reason));
        EXPECT_EQ(f.prompts.icons[0], app::Icon::Error);
        EXPECT_TRUE(doc.bModify);
        EXPECT_EQ(editor.fileName(), "noname.vd");
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
};

TEST_F(SaveFailureTest, MissingFolderIsReported) {
    const SaveResult result = saveChannelFile(editor, f.dir.file("no/such/folder/a.vd"));
    expectFailureReported(result, "No such file or directory");
    expectOldFilesIntact();
}

TEST_F(SaveFailureTest, SignallingPathTakenByAFolderKeepsBothOldFiles) {
    std::filesystem::remove(f.dir.file("old.ton"));
    std::filesystem::create_directory(f.dir.file("old.ton"));
    const SaveResult result = saveChannelFile(editor, f.dir.file("old.vd"));
    expectFailureReported(result, "Is a directory");
    EXPECT_EQ(f.dir.read("old.vd"), "old channel data");
    EXPECT_TRUE(std::filesystem::is_directory(f.dir.file("old.ton")));
    EXPECT_EQ(entriesIn(f.dir.path()), 2U);
}

TEST_F(SaveFailureTest, ReadOnlySignallingFileIsNotReplaced) {
    if (runningAsRoot()) {
        GTEST_SKIP() << "permissions do not bind the superuser, nor a Windows program";
    }
    ::chmod(f.dir.file("old.ton").c_str(), 0444);
    const SaveResult result = saveChannelFile(editor, f.dir.file("old.vd"));
    expectFailureReported(result, "Permission denied");
    expectOldFilesIntact();
}

TEST_F(SaveFailureTest, ReadOnlyFolderIsReported) {
    if (runningAsRoot()) {
        GTEST_SKIP() << "permissions do not bind the superuser, nor a Windows program";
    }
    ::chmod(f.dir.path().c_str(), 0555);
    const SaveResult result = saveChannelFile(editor, f.dir.file("old.vd"));
    ::chmod(f.dir.path().c_str(), 0755);
    expectFailureReported(result, "Permission denied");
    expectOldFilesIntact();
}

TEST_F(SaveFailureTest, FullDiskKeepsTheOldFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "a full disk is made with fork and a file-size limit, which Windows lacks";
#else
    // The file-size limit of a child process makes every write beyond it fail as a full
    // disk would, without touching the machine's disks.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const SaveResult result = saveChannelFile(editor, f.dir.file("old.vd"));
        const bool reported = !result.saved && f.prompts.messages.size() == 1 &&
                              f.prompts.messages[0].find("File too large") != std::string::npos;
        ::_exit(reported && doc.bModify ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expectOldFilesIntact();
#endif
}

} // namespace
} // namespace vn574::files
