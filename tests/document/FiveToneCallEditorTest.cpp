#include "app/TextUtil.h"
#include "document/FiveToneCallEditor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

class SpecialCallEditorTest : public ::testing::Test {
protected:
    test::EditorFixture f{"english.ini", app::OptionFlags{1, 1, 1, 0}};
    Document& doc = f.editor.document();
    FiveToneEditor fiveTone{f.editor};
    SpecialCallEditor dialog{fiveTone};

    void SetUp() override { fiveTone.open(); }

    void openFor(SpecialCallTarget target) {
        fiveTone.prepareSpecialCall(target);
        dialog.open();
    }
    std::string code(int m) {
        return app::trimmed(doc.toneDataEdit.fiveToneMem[static_cast<std::size_t>(m)].code.str());
    }
    [[nodiscard]] std::string option(std::string_view key) const {
        return f.editor.langText("OPTION", key);
    }
};

TEST_F(SpecialCallEditorTest, OpensOnTheMemoryOfTheGridsCurrentRow) {
    openFor(SpecialCallTarget::Memory);
    EXPECT_EQ(dialog.memory(), 0);
    EXPECT_EQ(dialog.memoryLabel(), option("60063"));
    EXPECT_TRUE(dialog.memoryListVisible());
    EXPECT_EQ(dialog.kind(), 0);
    EXPECT_EQ(dialog.frame(), SpecialCallEditor::Frame::DataMessage);
    EXPECT_EQ(dialog.id(0), "12345");

    fiveTone.enterCell(43, 3);
    openFor(SpecialCallTarget::Memory);
    EXPECT_EQ(dialog.memory(), 42);

    openFor(SpecialCallTarget::PttIdBegin);
    EXPECT_EQ(dialog.memoryLabel(), "PTTID BEGIN");
    EXPECT_FALSE(dialog.memoryListVisible());
    openFor(SpecialCallTarget::PttIdEnd);
    EXPECT_EQ(dialog.memoryLabel(), "PTTID END");
}

TEST_F(SpecialCallEditorTest, EachKindShowsItsFrame) {
    openFor(SpecialCallTarget::Memory);
    const std::array<SpecialCallEditor::Frame, 6> frames{
        SpecialCallEditor::Frame::DataMessage, SpecialCallEditor::Frame::EmergencyAlarm,
        SpecialCallEditor::Frame::None,        SpecialCallEditor::Frame::Id,
        SpecialCallEditor::Frame::Id,          SpecialCallEditor::Frame::Id};
    for (int kind = 0; kind < 6; ++kind) {
        dialog.chooseKind(kind);
        EXPECT_EQ(dialog.frame(), frames[static_cast<std::size_t>(kind)]) << kind;
    }
    dialog.chooseKind(4);
    EXPECT_EQ(dialog.idFrameCaption(), option("60069"));
    dialog.chooseKind(3);
    EXPECT_EQ(dialog.idFrameCaption(), "ANI");
    EXPECT_EQ(dialog.kindText(5), option("60082"));
}

TEST_F(SpecialCallEditorTest, DataMessageOnAMemory) {
    fiveTone.enterCell(6, 2);
    openFor(SpecialCallTarget::Memory);
    dialog.setId(0, "23456");
    dialog.setMessage("AB");
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(code(5), "E123456E4142");
    EXPECT_EQ(doc.toneDataEdit.fiveToneMem[5].codeLen, 12);
    EXPECT_EQ(fiveTone.cell(6, 1), option("60073"));
    EXPECT_EQ(fiveTone.cell(6, 2), "23456 " + option("60084") + "AB");

    dialog.setMemory(6);
    dialog.setId(0, "12345");
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(code(6), "E1E2345E4142");
    EXPECT_EQ(doc.toneData.fiveToneMem[6].codeLen, 0) << "the document waits for OK";
}

TEST_F(SpecialCallEditorTest, CallsOnThePttIdCodes) {
    openFor(SpecialCallTarget::PttIdBegin);
    dialog.setId(0, "23456");
    dialog.setMessage("AB");
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(fiveTone.pttCode(0), "E123456E4142");

    fiveTone.setSelfIdText("11223");
    openFor(SpecialCallTarget::PttIdEnd);
    dialog.chooseKind(3);
    dialog.setId(1, "54321");
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(fiveTone.pttCode(1), "E354321E1E2E3");

    openFor(SpecialCallTarget::PttIdBegin);
    dialog.chooseKind(1);
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(fiveTone.pttCode(0), "E21E2E3");
    for (int m = 0; m < 100; ++m) {
        ASSERT_EQ(code(m), "") << "a PTT ID call writes no memory";
    }
}

TEST_F(SpecialCallEditorTest, AniOnAMemoryResolvesTheOwnIdWhenTheFiveToneEditorSaves) {
    openFor(SpecialCallTarget::Memory);
    dialog.setMemory(9);
    dialog.chooseKind(3);
    dialog.setId(1, "54321");
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(code(9), "E354321ESelfID");
    EXPECT_EQ(fiveTone.cell(10, 1), "ANI");
    EXPECT_EQ(fiveTone.cell(10, 2), "54321");
    fiveTone.ok();
    EXPECT_EQ(app::trimmed(doc.toneData.fiveToneMem[9].code.str()), "E354321E12345");
    EXPECT_EQ(doc.toneData.fiveToneMem[9].codeLen, 13);
}

TEST_F(SpecialCallEditorTest, EmergencyAlarmSetsTheChannelToSendTheMemory) {
    f.editor.selectModel(2);         // channel 0 in use
    f.editor.ToggleChannelStatus(4); // channel 3 in use
    openFor(SpecialCallTarget::Memory);
    dialog.setMemory(7);
    dialog.chooseKind(1);
    dialog.setChannel(3);
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(code(7), "E2SelfID");
    EXPECT_EQ(fiveTone.cell(8, 1), option("60074"));
    EXPECT_EQ(fiveTone.cell(8, 2), "");
    EXPECT_EQ(doc.strChData.at(4, colOptSignal), "5Tone");
    EXPECT_EQ(doc.strChData.at(4, colOptMemory), "7");
    EXPECT_EQ(f.editor.cell(4, colOptSignal), "5Tone");
    f.editor.UpdateAllArray();
    EXPECT_EQ(doc.strChData.at(4, colOptSignal), "5Tone") << "the grid agrees with the table";

    fiveTone.ok();
    EXPECT_EQ(app::trimmed(doc.toneData.fiveToneMem[7].code.str()), "E212345");
}

TEST_F(SpecialCallEditorTest, EmergencyAlarmOnAChannelNotInUseKeepsItHidden) {
    openFor(SpecialCallTarget::Memory);
    dialog.chooseKind(1);
    dialog.setChannel(20);
    ASSERT_TRUE(dialog.ok());
    EXPECT_EQ(doc.strChData.at(21, colOptSignal), "5Tone");
    EXPECT_EQ(doc.strChData.at(21, colOptMemory), "0");
    EXPECT_EQ(f.editor.cell(21, colOptSignal), "---");
}

TEST_F(SpecialCallEditorTest, AShortIdIsWarnedAboutAndKeepsTheDialogOpen) {
    const std::string warning = f.editor.langText("MSG", "900C");
    ASSERT_FALSE(warning.empty());
    openFor(SpecialCallTarget::Memory);
    dialog.setId(0, "1234");
    EXPECT_FALSE(dialog.leaveId(0));
    EXPECT_FALSE(dialog.ok());
    EXPECT_EQ(f.prompts.messages, (std::vector<std::string>{warning, warning}));
    EXPECT_EQ(code(0), "");

    for (const int kind : {3, 4, 5}) {
        dialog.chooseKind(kind);
        dialog.setId(1, "9A");
        EXPECT_FALSE(dialog.ok()) << kind;
    }
    EXPECT_EQ(f.prompts.messages.size(), 5U);
    dialog.setId(1, "12345");
    EXPECT_TRUE(dialog.leaveId(1));
    dialog.chooseKind(2); // the alarm reset needs no ID
    EXPECT_TRUE(dialog.ok());
    EXPECT_EQ(code(0), "E0AEAEA");
    EXPECT_EQ(f.prompts.messages.size(), 5U);
}

} // namespace
} // namespace vn574::document
