#include "document/Editor.h"
#include "document/ValueTables.h"
#include "files/ChannelClipboard.h"
#include "files/ChannelFile.h"
#include "files/CsvChannels.h"
#include "files/ImageFile.h"
#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
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

TEST_F(HistoryTest, AReadThatDoesNotCompleteLeavesTheEditorAsItWas) {
    const std::string data = VN574_TEST_DATA_DIR;
    ASSERT_TRUE(files::openChannelFile(editor, data + "/sample-2m.vd").ok());
    editor.setCell(1, colName, "EDIT");
    editor.recordStep("edit");
    const EditorState before = editor.currentState();
    const std::string file = editor.fileName();
    const std::string panel = editor.statusPanel1();
    codec::MemoryImage image{};
    ASSERT_EQ(files::readImageFile(data + "/image-2m.img", image), "");

    // As the clone window reads: a new file name, block 0 resets the document, and the
    // radio goes silent at block 40.
    editor.beginRead();
    editor.setFileName("noname.vd");
    codec::ImageCodec partial(editor);
    for (int block = 0; block < 40; ++block) {
        const auto bytes = std::span(image).subspan(static_cast<std::size_t>(block) * 16, 16);
        partial.DecodeBlock(codec::bytesToHex(bytes), 0, block);
    }
    ASSERT_NE(editor.cell(1, colName), "EDIT");
    editor.endRead(false);
    EXPECT_TRUE(editor.currentState().sameContent(before));
    EXPECT_EQ(editor.fileName(), file);
    EXPECT_EQ(editor.statusPanel1(), panel);
    EXPECT_TRUE(doc.bModify);
    EXPECT_EQ(editor.history().undoName(), "edit");
    EXPECT_EQ(editor.statusPanel2(), editor.langText("OTHERS", "70020"));

    // A read that completes is the base of a fresh history.
    editor.beginRead();
    EXPECT_EQ(editor.statusPanel2(), editor.langText("OTHERS", "70008"));
    codec::ImageCodec whole(editor);
    codec::decodeImage(whole, image);
    doc.bModify = true;
    editor.endRead(true);
    EXPECT_EQ(editor.selectedModel(), 2);
    EXPECT_NE(editor.cell(1, colName), "EDIT");
    EXPECT_FALSE(editor.history().canUndo());
}

} // namespace
} // namespace vn574::document
