#include "files/ComparedDocument.h"

#include "document/DocumentDiff.h"
#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vn574::files {
namespace {

using ::testing::HasSubstr;

std::string data(const std::string& name) {
    return std::string(VN574_TEST_DATA_DIR) + "/" + name;
}

TEST(ComparedDocument, ImageReadsAsTheFileItsDecodingSaved) {
    const test::EditorFixture f;
    ComparedDocument image(f.settings);
    ComparedDocument decoded(f.settings);
    ASSERT_EQ(image.load(data("image-2m.img")), "");
    ASSERT_EQ(decoded.load(data("image-2m.decoded.vd")), "");
    const document::DocumentDiff diff(image.editor(), decoded.editor());
    EXPECT_TRUE(diff.empty()) << diff.summary();
    EXPECT_EQ(image.editor().selectedModel(), 2);
    // The decoder sets the flags of its own copy of the settings only.
    EXPECT_EQ(image.editor().settings().optionFlags.has5Tone, 1);
    EXPECT_EQ(f.settings.optionFlags.has5Tone, 0);
}

TEST(ComparedDocument, FilesThatCannotBeReadWholeAreRefused) {
    const test::EditorFixture f;
    f.dir.write("seven.VD.img", std::string(7, '\0'));
    const std::vector<std::pair<std::string, std::string>> cases{
        {data("image-short.img"), "it has 8191 bytes, an image has 8192"},
        {f.dir.file("seven.VD.img"), "it has 7 bytes"},
        {data("no-ton.vd"), "no-ton.ton\": No such file or directory"},
        {data("short-ton.vd"), "3294 of the 3295 bytes"},
        {data("bad-setup.vd"), "Radio option data format error"},
        {f.dir.file("absent.vd"), "absent.vd\": No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        ComparedDocument document(f.settings);
        EXPECT_THAT(document.load(path), HasSubstr(reason)) << path;
    }
    EXPECT_TRUE(isChannelFileName("A.Vd"));
    EXPECT_FALSE(isChannelFileName("a.vd.img"));
}

TEST(ComparedDocument, CompareWithDialogComparesTheDocumentWithTheChosenFile) {
    test::EditorFixture f;
    f.prompts.openFiles = {std::nullopt, data("image-short.img"), data("image-2m.vd")};
    EXPECT_FALSE(compareWithDialog(f.editor));
    EXPECT_TRUE(f.prompts.messages.empty());
    EXPECT_FALSE(compareWithDialog(f.editor));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0],
                ::testing::StartsWith("The file could not be compared:\n\""));

    const auto comparison = compareWithDialog(f.editor);
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->path, data("image-2m.vd"));
    const auto& first = comparison->diff.differences().front();
    EXPECT_EQ(first.left + ">" + first.right, "9>2"); // the document is on the left
    EXPECT_EQ(comparison->diff.summary(summaryWordsOf(f.editor)),
              comparison->diff.summary()); // the English file holds the built-in words
    EXPECT_FALSE(f.editor.document().bModify);
    EXPECT_EQ(f.editor.selectedModel(), 9);
}

TEST(ComparedDocument, DocumentsThatEncodeAlikeAreTheSameToTheRadio) {
    test::EditorFixture a;
    test::EditorFixture b;
    // The placeholder of an option against the word the radio reads back, and the scan
    // skip of V, which the radio does not keep.
    std::string& setup = b.editor.document().strSetup;
    setup.replace(setup.find("----------------"), 16, "Disable");
    b.editor.setCell(document::rowVfo, document::colScanSkip, b.editor.words().scanSkip1);
    a.editor.UpdateAllArray();
    b.editor.UpdateAllArray();
    const document::DocumentDiff same = compareDocuments(a.editor, b.editor);
    EXPECT_TRUE(same.same());
    EXPECT_EQ(same.summary(), "No differences");
    EXPECT_EQ(same.fileOnlyDifferences().size(), 2U);

    b.editor.setCell(document::rowVfo, document::colName, "VFO");
    b.editor.UpdateAllArray();
    const document::DocumentDiff named = compareDocuments(a.editor, b.editor);
    EXPECT_FALSE(named.same());
    EXPECT_EQ(named.summary(), "1 channel differs");
    ASSERT_EQ(named.radioDifferences().size(), 1U);
    EXPECT_EQ(named.radioDifferences().front().field, "Name");

    // A document a write refuses is compared as it stands; neither editor hears of it.
    b.editor.document().toneData.selfId = "1234G";
    const document::DocumentDiff refused = compareDocuments(a.editor, b.editor);
    EXPECT_FALSE(refused.judgedByImages());
    EXPECT_EQ(refused.differences().size(), 4U);
    EXPECT_TRUE(b.prompts.messages.empty());
}

} // namespace
} // namespace vn574::files
