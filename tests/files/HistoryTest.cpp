#include "document/Editor.h"
#include "document/ValueTables.h"
#include "files/ChannelClipboard.h"
#include "files/ChannelFile.h"
#include "files/CsvChannels.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vn574::document {
namespace {

class HistoryTest : public ::testing::Test {
protected:
    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();

    // What a save writes: the channel file and the signalling records.
    [[nodiscard]] std::pair<std::string, ToneData> saved() {
        editor.UpdateAllArray();
        return {files::formatChannelFile(editor), doc.toneData};
    }
};

TEST_F(HistoryTest, EveryKindOfStepUndoesAndRedoesToTheExactBytes) {
    struct Step {
        const char* name;
        std::function<void()> apply;
    };
    // Row 3 is put in use first, then edited.
    const std::vector<Step> steps{
        {"status", [&] { editor.ToggleChannelStatus(3); }},
        {"rx", [&] { editor.enterRxFrequency(3, "245.1300"); }},
        {"step", [&] { editor.changeStep(3, "12.5"); }},
        {"name", [&] { editor.setCell(3, colName, "RPT"); }},
        // The clipboard commands record their own steps, under these names.
        {"Paste 1 cells", [&] { files::ChannelClipboard(editor).pasteCells(3, colName, "CLIP"); }},
        {"Cut 1 cells",
         [&] {
             files::ChannelClipboard(editor).cutCells({3, 3, colName, colName});
         }},
        {"Paste 1 channels",
         [&] {
             files::ChannelClipboard clipboard(editor);
             clipboard.pasteRows(10, clipboard.copyRows({3}).rows);
         }},
        {"Delete 1 channels", [&] { files::ChannelClipboard(editor).deleteRows({10}); }},
        {"setup", [&] { doc.writeBack(doc.strSetup, doc.strSetup + "x"); }},
        {"autodial", [&] { doc.writeBack(doc.strAutoDial, std::string("Ad|1|||||||||")); }},
        {"tone",
         [&] {
             ToneData tones = doc.toneData;
             tones.selfIdDelay = 50;
             doc.writeBack(doc.toneData, tones);
         }},
        {"csv",
         [&] {
             const auto parsed = files::parseChannelsCsv(
                 "Location,Name,Frequency\r\n5,CSV,245.5200\r\n", editor.selectedModel());
             ASSERT_EQ(parsed.channels.size(), 1U) << parsed.error;
             files::applyChannelsCsv(editor, parsed.channels);
         }},
        {"model",
         [&] {
             f.prompts.answers.push_back(app::Answer::No);
             editor.selectModel(editor.selectedModel() == 0 ? 1 : 0);
             editor.recordStep("model", true);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const auto before = saved();
        step.apply();
        editor.recordStep(step.name);
        const auto after = saved();
        ASSERT_FALSE(before == after);
        ASSERT_EQ(editor.history().undoName(), step.name);
        ASSERT_TRUE(editor.undo());
        EXPECT_EQ(saved(), before);
        ASSERT_TRUE(editor.redo());
        EXPECT_EQ(saved(), after);
    }
}

TEST_F(HistoryTest, KeepsTheLastTwoHundredStepsAndDropsWhatCouldBeRedone) {
    for (int i = 0; i < 205; ++i) {
        editor.setCell(1, colName, "N" + std::to_string(i));
        editor.recordStep("edit " + std::to_string(i));
    }
    int undone = 0;
    while (editor.undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(editor.cell(1, colName), "N4");
    editor.redo();
    editor.setCell(1, colName, "other");
    editor.recordStep("branch");
    EXPECT_FALSE(editor.history().canRedo());
    // A command that changed nothing is no step.
    editor.recordStep("nothing");
    EXPECT_EQ(editor.history().undoName(), "branch");
}

TEST_F(HistoryTest, ModifiedFlagFollowsTheSavedState) {
    EXPECT_FALSE(doc.bModify);
    editor.setCell(1, colName, "A");
    editor.recordStep("a");
    EXPECT_TRUE(doc.bModify);
    editor.undo();
    EXPECT_FALSE(doc.bModify);
    editor.redo();
    editor.markSaved();
    EXPECT_FALSE(doc.bModify);
    editor.undo(); // the opened state is no longer what the file holds
    EXPECT_TRUE(doc.bModify);
    editor.redo();
    EXPECT_FALSE(doc.bModify);
    editor.newDocument();
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_FALSE(doc.bModify);

    // A model change that reset the document leaves nothing to ask about.
    editor.setCell(1, colName, "B");
    editor.recordStep("b");
    f.prompts.answers.push_back(app::Answer::No);
    editor.selectModel(0);
    editor.recordStep("model", true);
    EXPECT_FALSE(doc.bModify);
    editor.undo();
    EXPECT_TRUE(doc.bModify);
}

} // namespace
} // namespace vn574::document
