#include "app/TextUtil.h"
#include "document/FiveToneEditor.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace vn574::document {
namespace {

class FiveToneEditorTest : public ::testing::Test {
protected:
    test::EditorFixture f{"english.ini", app::OptionFlags{1, 1, 1, 0}};
    Document& doc = f.editor.document();
    FiveToneEditor dialog{f.editor};

    static std::string code(const FiveToneRec& rec) { return app::trimmed(rec.code.str()); }
    FiveToneRec& memory(int m) { return doc.toneDataEdit.fiveToneMem[static_cast<std::size_t>(m)]; }
    void setCode(FiveToneRec& rec, std::string_view text) {
        rec.code.assign(text);
        rec.codeLen = static_cast<std::uint8_t>(text.size());
    }
    // Types into the code cell of memory m and leaves it for another cell.
    void typeCode(int m, const std::string& text) {
        dialog.enterCell(m + 1, 2);
        dialog.setCodeEditorText(text);
        dialog.enterCell(m + 1, 0);
    }
    [[nodiscard]] std::string option(std::string_view key) const {
        return f.editor.langText("OPTION", key);
    }
};

TEST_F(FiveToneEditorTest, OpeningLoadsTheControlsFromTheDocument) {
    doc.toneData.selfId = "98";
    doc.toneData.selfIdStd = 9; // EEA proposes 40, but the stored length wins
    doc.toneData.selfIdTime = 0;
    doc.toneData.selfIdMode = 2;
    doc.toneData.selfIdDelay = 255;
    doc.toneData.fiveToneMem[0].std = 6;
    doc.toneData.fiveToneMem[0].toneTime = 11;
    doc.toneData.fiveToneMem[1].toneTime = 3;
    setCode(doc.toneData.fiveToneMem[2], "E0AEAEA");
    setCode(doc.toneData.fiveToneMem[3], "1E2E3");
    setCode(doc.toneData.pttIdEot, "E41E2E3");
    doc.toneData.pttIdEot.std = 6;
    doc.toneData.pttIdEot.toneTime = 2;
    dialog.open();

    EXPECT_EQ(dialog.cell(0, 2), option("60079"));
    EXPECT_EQ(dialog.cell(1, 0), "0");
    EXPECT_EQ(dialog.selfIdText(), "98");
    EXPECT_EQ(dialog.selfIdStandard(), 9);
    EXPECT_EQ(dialog.selfIdLength(), "70") << "a stored 0 opens as 70 ms";
    EXPECT_EQ(doc.toneDataEdit.selfIdTime, 7);
    EXPECT_EQ(dialog.selfIdMode(), 2);
    EXPECT_EQ(dialog.selfIdDelay(), 255);
    EXPECT_NE(dialog.infoText().find("EEA\r\n"), std::string::npos);
    EXPECT_EQ(dialog.cell(1, 3), "CCIR1");
    EXPECT_EQ(dialog.cell(1, 4), "70") << "a tone time outside 3..10 shows 70";
    EXPECT_EQ(dialog.cell(2, 4), "30");
    EXPECT_EQ(dialog.cell(3, 1), option("60075"));
    EXPECT_EQ(dialog.cell(3, 2), "");
    EXPECT_EQ(dialog.cell(4, 1), "");
    EXPECT_EQ(dialog.cell(4, 2), "1E2E3");
    EXPECT_EQ(dialog.pttCode(1), "E41E2E3");
    EXPECT_EQ(dialog.pttStandard(1), 6);
    EXPECT_EQ(dialog.pttLength(1), 4) << "70 ms";
    EXPECT_EQ(dialog.pttLength(0), 4);
}

TEST_F(FiveToneEditorTest, CodesTypedInPlaceAreStoredWithTheRepeatRule) {
    dialog.open();
    typeCode(0, "11223");
    EXPECT_EQ(code(memory(0)), "1E2E3");
    EXPECT_EQ(memory(0).codeLen, 5);
    EXPECT_EQ(dialog.cell(1, 2), "1E2E3");
    typeCode(1, "1E2E3");
    EXPECT_EQ(code(memory(1)), "1E2E3");
    typeCode(2, "1234567890123456789012345");
    EXPECT_EQ(code(memory(2)).size(), 22U);
    EXPECT_EQ(memory(2).codeLen, 22);
}

TEST_F(FiveToneEditorTest, ChoosingAStandardInTheGridProposesItsLength) {
    dialog.open();
    EXPECT_EQ(dialog.enterCell(5, 3), FiveToneCellEditor::Standard);
    EXPECT_EQ(dialog.standardEditorPosition(), 0);
    for (const auto& [name, length] : std::vector<std::pair<std::string, std::string>>{
             {"EEA", "40"}, {"CCIR1", "100"}, {"ZVEI2", "70"}}) {
        dialog.chooseGridStandard(fiveToneStandardPosition(name));
        EXPECT_EQ(dialog.cell(5, 4), length) << name;
        EXPECT_EQ(memory(4).toneTime, std::stoi(length) / 10) << name;
        EXPECT_EQ(dialog.infoText().substr(0, name.size()), name);
    }
    dialog.chooseGridStandard(9);
    dialog.enterCell(5, 4); // commits the standard
    EXPECT_EQ(memory(4).std, 9);
    EXPECT_EQ(dialog.cell(5, 3), "EEA");
    dialog.setLengthEditorText("90");
    dialog.enterCell(6, 4);
    EXPECT_EQ(memory(4).toneTime, 9);
    EXPECT_EQ(dialog.cell(5, 4), "90");
}

TEST_F(FiveToneEditorTest, SpecialCodesAreNotEditedInPlaceButResetByDoubleClick) {
    setCode(doc.toneData.fiveToneMem[7], "E0AEAEA");
    dialog.open();
    dialog.enterCell(1, 2);
    dialog.setCodeEditorText("12");
    EXPECT_EQ(dialog.enterCell(8, 2), FiveToneCellEditor::Code) << "nothing happens";
    EXPECT_EQ(dialog.currentRow(), 1);
    EXPECT_EQ(dialog.gridRow(), 8);

    f.prompts.answers.push_back(app::Answer::Cancel);
    EXPECT_FALSE(dialog.doubleClickCell(8, 2));
    EXPECT_EQ(code(memory(7)), "E0AEAEA");
    ASSERT_EQ(f.prompts.questions.size(), 1U);
    EXPECT_EQ(f.prompts.questions[0].text, "Reset Special Call of this channel,OK or Not?");
    EXPECT_EQ(f.prompts.questions[0].buttons, app::Buttons::OkCancel);

    f.prompts.answers.push_back(app::Answer::Ok);
    EXPECT_TRUE(dialog.doubleClickCell(8, 2));
    EXPECT_EQ(code(memory(7)), "");
    EXPECT_EQ(memory(7).codeLen, 0);
    EXPECT_EQ(dialog.cell(8, 1), "");
    EXPECT_EQ(dialog.openEditor(), FiveToneCellEditor::Code);
    EXPECT_EQ(dialog.currentRow(), 8);
    EXPECT_EQ(code(memory(0)), "12") << "the open editor was committed first";

    EXPECT_FALSE(dialog.doubleClickCell(2, 2)) << "an ordinary code asks nothing";
    EXPECT_EQ(f.prompts.questions.size(), 2U);
}

TEST_F(FiveToneEditorTest, OwnIdIsPaddedWhenLeft) {
    dialog.open();
    dialog.setSelfIdText("123");
    dialog.leaveSelfId();
    EXPECT_EQ(dialog.selfIdText(), "12300");
    EXPECT_EQ(doc.toneDataEdit.selfId.str(), "12300");
    dialog.setSelfIdText("");
    dialog.leaveSelfId();
    EXPECT_EQ(dialog.selfIdText(), "00000");
    EXPECT_EQ(doc.toneDataEdit.selfIdLen, 5);
}

TEST_F(FiveToneEditorTest, ChangingTheOwnIdRebuildsTheCodesThatCarryIt) {
    setCode(doc.toneData.fiveToneMem[0], "E212345");
    setCode(doc.toneData.fiveToneMem[1], "E312345E12345");
    setCode(doc.toneData.fiveToneMem[2], "E2SelfID");
    setCode(doc.toneData.fiveToneMem[3], "12345");
    setCode(doc.toneData.pttIdBot, "E212345");
    setCode(doc.toneData.pttIdEot, "E377777E12345");
    dialog.open();
    dialog.enterCell(5, 2);
    dialog.setCodeEditorText("33");
    dialog.setSelfIdText("54321");
    dialog.leaveSelfId();
    EXPECT_EQ(code(memory(0)), "E254321");
    EXPECT_EQ(code(memory(1)), "E312345E54321");
    EXPECT_EQ(code(memory(2)), "E254321");
    EXPECT_EQ(code(memory(3)), "12345");
    EXPECT_EQ(code(memory(4)), "3E") << "the open code editor was committed";
    EXPECT_EQ(dialog.currentRow(), 0);
    EXPECT_EQ(dialog.openEditor(), FiveToneCellEditor::None);
    EXPECT_EQ(dialog.pttCode(0), "E254321");
    EXPECT_EQ(dialog.pttCode(1), "E37E7E7E54321");
    EXPECT_EQ(dialog.cell(2, 2), "12345") << "the ANI row still shows the called ID";
}

TEST_F(FiveToneEditorTest, OkSavesTheControlsIntoTheDocument) {
    setCode(doc.toneData.fiveToneMem[10], "E2SelfID");
    setCode(doc.toneData.fiveToneMem[11], "E311223ESelfID");
    setCode(doc.toneData.fiveToneMem[12], "11223"); // loaded from elsewhere unrepeated
    doc.toneData.selfIdTime = 15;                   // not in the list: kept
    dialog.open();
    EXPECT_EQ(dialog.selfIdLength(), "150");
    dialog.setSelfIdText("22334");
    dialog.leaveSelfId();
    dialog.chooseSelfIdStandard(10);
    EXPECT_EQ(dialog.selfIdLength(), "100");
    dialog.setSelfIdLength("150");
    dialog.setSelfIdMode(1);
    dialog.setSelfIdDelay(3);
    dialog.setPttCode(0, "5566");
    dialog.leavePttCode(0);
    EXPECT_EQ(dialog.pttCode(0), "5E6E");
    dialog.choosePttStandard(1, 9);
    EXPECT_EQ(dialog.pttLength(1), 1) << "EEA proposes 40 ms";
    dialog.setPttCode(1, "99");
    dialog.enterCell(30, 2);
    dialog.setCodeEditorText("4455");
    dialog.ok();

    const ToneData& data = doc.toneData;
    EXPECT_EQ(data.selfId.str(), "22334");
    EXPECT_EQ(data.selfIdLen, 5);
    EXPECT_EQ(data.selfIdStd, 10);
    EXPECT_EQ(data.selfIdMode, 1);
    EXPECT_EQ(data.selfIdDelay, 3);
    EXPECT_EQ(data.selfIdTime, 15);
    EXPECT_EQ(code(data.pttIdBot), "5E6E");
    EXPECT_EQ(data.pttIdBot.codeLen, 4);
    EXPECT_EQ(code(data.pttIdEot), "9E");
    EXPECT_EQ(data.pttIdEot.std, 9);
    EXPECT_EQ(data.pttIdEot.toneTime, 4);
    EXPECT_EQ(code(data.fiveToneMem[10]), "E2E23E4");
    EXPECT_EQ(data.fiveToneMem[10].codeLen, 7);
    EXPECT_EQ(code(data.fiveToneMem[11]), "E31E2E3E2E3E4");
    EXPECT_EQ(code(data.fiveToneMem[12]), "1E2E3");
    EXPECT_EQ(code(data.fiveToneMem[29]), "4E5E");
    EXPECT_EQ(doc.toneDataEdit, doc.toneData);
    EXPECT_TRUE(doc.bModify);
}

TEST_F(FiveToneEditorTest, WithoutOkTheDocumentKeepsItsRecord) {
    const ToneData before = doc.toneData;
    dialog.open();
    dialog.setSelfIdText("777");
    dialog.leaveSelfId();
    typeCode(0, "123");
    dialog.setPttCode(0, "11");
    EXPECT_EQ(doc.toneData, before);
    EXPECT_EQ(doc.toneData.selfId.str(), "12345");
}

TEST_F(FiveToneEditorTest, ScrollingCommitsAndClosesTheEditors) {
    dialog.open();
    dialog.enterCell(3, 2);
    dialog.setCodeEditorText("98");
    dialog.scrolled();
    EXPECT_EQ(dialog.openEditor(), FiveToneCellEditor::None);
    EXPECT_EQ(code(memory(2)), "98");
    EXPECT_EQ(dialog.enterCell(3, 2), FiveToneCellEditor::Code) << "reopened after scrolling";
    EXPECT_EQ(dialog.codeEditorText(), "98");
    EXPECT_EQ(dialog.enterCell(3, 1), FiveToneCellEditor::None);
}

} // namespace
} // namespace vn574::document
