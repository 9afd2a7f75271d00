// Every way of throwing a modified document away asks first, and the document goes
// only when the user has let it go: "Cancel" keeps it, "No" drops it, "Yes" saves it
// first - and when that save does not happen (the save window cancelled, the disk
// refusing), the document stays as if the user had cancelled.

#include "files/ChannelFile.h"
#include "files/FileCommands.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <functional>
#include <ostream>

namespace vn574::test {
namespace {

using app::Answer;
using document::colName;
using document::colStatus;

struct DiscardPath {
    const char* name;
    Answer save;      // the answer that saves first
    bool cancellable; // whether the question has a Cancel that keeps the document
    // Runs the path; true when it went ahead (the document was let go).
    std::function<bool(document::Editor&, FakePrompts&)> run;
};

const std::vector<DiscardPath>& discardPaths() {
    static const std::vector<DiscardPath> paths = {
        {"New", Answer::Yes, true,
         [](document::Editor& e, FakePrompts&) {
             e.newDocument();
             return !e.document().bModify;
         }},
        {"Open", Answer::Yes, true,
         [](document::Editor& e, FakePrompts& p) {
             p.openFiles.push_back(std::string(VN574_TEST_DATA_DIR) + "/sample-2m.vd");
             const bool opened = files::openWithDialog(e).has_value();
             if (!opened) {
                 p.openFiles.clear();
             }
             return opened;
         }},
        {"model change", Answer::Yes, true,
         [](document::Editor& e, FakePrompts&) {
             e.selectModel(e.selectedModel() == 3 ? 4 : 3);
             return !e.document().bModify;
         }},
        {"language switch", Answer::Yes, true,
         [](document::Editor& e, FakePrompts&) { return e.switchLanguage("chinese.ini"); }},
        {"Exit / close box", Answer::Yes, false,
         [](document::Editor& e, FakePrompts&) { return e.close(); }},
    };
    return paths;
}

void PrintTo(const DiscardPath& path, std::ostream* out) {
    *out << path.name;
}

class NothingLost : public ::testing::TestWithParam<DiscardPath> {
protected:
    void SetUp() override {
        files::installFileHandlers(f.editor);
        f.editor.cellClicked(5, colName); // takes row 5 into use
        f.editor.setCell(5, colName, "KEEPME");
        ASSERT_TRUE(f.editor.document().bModify);
    }
    void expectKept() const {
        EXPECT_TRUE(f.editor.document().bModify);
        EXPECT_EQ(f.editor.cell(5, colName), "KEEPME");
        EXPECT_EQ(f.editor.cell(5, colStatus), f.editor.words().active);
        EXPECT_EQ(f.settings.language.currentFile(), "english.ini");
    }

    EditorFixture f;
};

TEST_P(NothingLost, AsksWithMessage9001BeforeAnythingElse) {
    const DiscardPath& path = GetParam();
    f.prompts.answers = {path.cancellable ? Answer::Cancel : path.save};
    f.prompts.saveFiles = {std::nullopt};
    path.run(f.editor, f.prompts);
    ASSERT_EQ(f.prompts.questions.size(), 1U);
    EXPECT_EQ(f.prompts.questions[0].text, f.editor.windowMessage(9001));
    expectKept();
}

TEST_P(NothingLost, SaveWindowCancelledKeepsTheDocument) {
    const DiscardPath& path = GetParam();
    f.prompts.answers = {path.save};
    f.prompts.saveFiles = {std::nullopt};
    EXPECT_FALSE(path.run(f.editor, f.prompts));
    EXPECT_EQ(f.prompts.saveFilters.size(), 1U);
    EXPECT_TRUE(f.prompts.openFilters.empty()); // Open asks for no file to replace it
    expectKept();
}

TEST_P(NothingLost, SaveRefusedByTheDiskKeepsTheDocumentAndSaysWhy) {
    const DiscardPath& path = GetParam();
    f.prompts.answers = {path.save};
    f.prompts.saveFiles = {f.dir.file("no-such-folder/kept.vd")};
    EXPECT_FALSE(path.run(f.editor, f.prompts));
    EXPECT_FALSE(f.prompts.messages.empty());
    expectKept();
}

TEST_P(NothingLost, SavedFirstTheChangesAreInTheFile) {
    const DiscardPath& path = GetParam();
    f.prompts.answers = {path.save};
    f.prompts.saveFiles = {f.dir.file("kept.vd")};
    EXPECT_TRUE(path.run(f.editor, f.prompts));

    EditorFixture reopened;
    ASSERT_TRUE(files::openChannelFile(reopened.editor, f.dir.file("kept.vd")).ok());
    EXPECT_EQ(reopened.editor.cell(5, colName), "KEEPME");
}

TEST_P(NothingLost, UnmodifiedDocumentGoesWithoutAQuestion) {
    const DiscardPath& path = GetParam();
    f.editor.document().bModify = false;
    path.run(f.editor, f.prompts);
    EXPECT_TRUE(f.prompts.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryPath, NothingLost, ::testing::ValuesIn(discardPaths()),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) {
                                 if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
                                     name.push_back(c);
                                 }
                             }
                             return name;
                         });

} // namespace
} // namespace vn574::test
