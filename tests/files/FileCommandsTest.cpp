#include "files/FileCommands.h"

#include "files/FileTestSupport.h"
#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace vn574::files {
namespace {

using namespace document;
using app::Answer;
using app::Buttons;
using filetest::fileOf;
using filetest::validRecords;

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        installFileHandlers(editor);
        f.dir.write("in.vd", fileOf(validRecords()));
        f.dir.write("in.ton", filetest::packed(ToneData{}));
        editor.selectModel(3);
        editor.setCell(1, colName, "UNSAVED");
        doc.bModify = true;
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
};

TEST_F(FileCommandsTest, OpenOfAModifiedDocumentOffersToSaveFirst) {
    f.prompts.answers = {Answer::Yes};
    f.prompts.saveFiles = {f.dir.file("saved.vd")};
    f.prompts.openFiles = {f.dir.file("in.vd")};
    const auto result = openWithDialog(editor);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->ok());

    ASSERT_EQ(f.prompts.questions.size(), 1U);
    EXPECT_EQ(f.prompts.questions[0].text, editor.windowMessage(9001));
    EXPECT_EQ(f.prompts.questions[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(f.prompts.saveFilters,
              std::vector<std::string>{"data files (*.vd)|*.vd|All files (*.*)|*.*"});
    EXPECT_EQ(f.prompts.openFilters,
              std::vector<std::string>{"574 files (*.vd)|*.vd|All files (*.*)|*.*"});
    EXPECT_EQ(f.dir.read("saved.vd").substr(0, 16), "0|Active|UNSAVED");
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_EQ(editor.fileName(), f.dir.file("in.vd"));
}

TEST_F(FileCommandsTest, CancelAtTheSaveQuestionOpensNothingAndNoOpensWithoutSaving) {
    f.prompts.answers = {Answer::Cancel};
    f.prompts.openFiles = {f.dir.file("in.vd")};
    EXPECT_FALSE(openWithDialog(editor).has_value());
    EXPECT_TRUE(f.prompts.openFilters.empty());
    EXPECT_EQ(editor.cell(1, colName), "UNSAVED");
    EXPECT_TRUE(doc.bModify);

    f.prompts.answers = {Answer::No};
    ASSERT_TRUE(openWithDialog(editor).has_value());
    EXPECT_TRUE(f.prompts.saveFilters.empty());
    EXPECT_EQ(editor.cell(1, colName), "HOME");
    EXPECT_FALSE(doc.bModify);
}

TEST_F(FileCommandsTest, SaveBeforeAnOpenMarksTheSavedStateInTheHistory) {
    editor.recordStep("unsaved");
    f.prompts.answers = {Answer::Yes};
    f.prompts.saveFiles = {f.dir.file("saved.vd")};
    f.prompts.openFiles = {std::nullopt}; // the user then changes their mind
    EXPECT_FALSE(openWithDialog(editor).has_value());
    EXPECT_FALSE(doc.bModify);
    // The state before the saved one is not what the file holds, and the saved one is.
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(doc.bModify);
    ASSERT_TRUE(editor.redo());
    EXPECT_FALSE(doc.bModify);
    EXPECT_TRUE(editor.close()); // nothing to ask about
    EXPECT_EQ(f.prompts.questions.size(), 1U);
}

TEST_F(FileCommandsTest, CancelledOpenDialogChangesNothing) {
    for (const std::optional<std::string>& choice :
         {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        f.prompts.answers = {Answer::No};
        f.prompts.openFiles = {choice};
        EXPECT_FALSE(openWithDialog(editor).has_value());
        EXPECT_TRUE(f.prompts.openFiles.empty()); // the dialog was shown
        EXPECT_EQ(editor.cell(1, colName), "UNSAVED");
        EXPECT_EQ(editor.selectedModel(), 3);
        EXPECT_TRUE(doc.bModify);
        EXPECT_TRUE(f.prompts.messages.empty());
    }
}

TEST_F(FileCommandsTest, CancelledSaveDialogWritesNothing) {
    f.prompts.saveFiles = {std::nullopt};
    EXPECT_FALSE(saveWithDialog(editor));
    f.prompts.saveFiles = {""};
    EXPECT_FALSE(saveWithDialog(editor));
    EXPECT_TRUE(doc.bModify);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()),
                            std::filesystem::directory_iterator()),
              2); // in.vd and in.ton only
}

TEST_F(FileCommandsTest, YesAtTheEditorsSaveQuestionSavesWithTheDialog) {
    f.prompts.answers = {Answer::Yes};
    f.prompts.saveFiles = {f.dir.file("before-new.vd")};
    editor.newDocument();
    EXPECT_EQ(f.dir.read("before-new.vd").substr(0, 16), "0|Active|UNSAVED");
    EXPECT_EQ(f.dir.read("before-new.ton").size(), 3295U);
    EXPECT_EQ(editor.cell(1, colName), ""); // then the reset
}

TEST_F(FileCommandsTest, ReportExportUsesTheTextFilter) {
    f.prompts.saveFiles = {f.dir.file("report.txt")};
    EXPECT_TRUE(exportReportWithDialog(editor));
    EXPECT_EQ(f.prompts.saveFilters,
              std::vector<std::string>{"data files (*.txt)|*.txt|All files (*.*)|*.*"});
    EXPECT_EQ(f.dir.read("report.txt").substr(0, 8), "ch    st");

    f.prompts.saveFiles = {std::nullopt};
    EXPECT_FALSE(exportReportWithDialog(editor));
    EXPECT_TRUE(f.prompts.messages.empty());
}

} // namespace
} // namespace vn574::files
