#include "files/CsvChannels.h"

#include "app/TextUtil.h"
#include "document/ValueTables.h"
#include "files/ChannelFile.h"
#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vn574::files {
namespace {

using namespace document;
using ::testing::HasSubstr;

constexpr int model2 = 2; // Rx 136-173.9950, Tx 144-145.9950

std::string dataFile(const std::string& name) {
    std::string text;
    EXPECT_TRUE(app::readWholeFile(std::string(VN574_TEST_DATA_DIR) + "/csv/" + name, text));
    return text;
}

const CsvChannel* channelOf(const CsvImport& imported, int number) {
    for (const CsvChannel& channel : imported.channels) {
        if (channel.channel == number) {
            return &channel;
        }
    }
    return nullptr;
}

struct Expected {
    int channel;
    const char* name;
    const char* step;
    const char* rx;
    const char* tx;
    const char* rxTone;
    const char* txTone;
    bool narrow;
    bool skip;
};

void expectChannel(const CsvImport& imported, const Expected& e) {
    SCOPED_TRACE("channel " + std::to_string(e.channel));
    const CsvChannel* c = channelOf(imported, e.channel);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->name, e.name);
    EXPECT_EQ(c->step, e.step);
    EXPECT_EQ(c->rxFrequency, e.rx);
    EXPECT_EQ(c->txFrequency, e.tx);
    EXPECT_EQ(c->rxTone, e.rxTone);
    EXPECT_EQ(c->txTone, e.txTone);
    EXPECT_EQ(c->narrow, e.narrow);
    EXPECT_EQ(c->skip, e.skip);
}

TEST(CsvChannelsImportTest, CommonLayoutWithEveryToneModeAndDuplex) {
    const CsvImport imported = parseChannelsCsv(dataFile("common.csv"), model2);
    ASSERT_TRUE(imported.error.empty()) << imported.error;
    EXPECT_TRUE(imported.problems.empty()) << describeCsvProblems(imported.problems, 50);
    ASSERT_EQ(imported.channels.size(), 8U);
    expectChannel(imported, {0, "HOME", "5", "145.5000", "145.5000", "off", "off", false, false});
    // Duplex "-" subtracts the offset; the quoted comment with a comma and doubled
    // quotes does not shift the columns after it.
    expectChannel(imported,
                  {1, "RPT1", "12.5", "145.6500", "145.0500", "off", "C:123.0", true, true});
    expectChannel(imported,
                  {5, "TSQ", "6.25", "144.8000", "144.8000", "C:100.0", "C:100.0", false, false});
    // DtcsPolarity: first letter transmit, second receive; R is the radio's inverted code.
    expectChannel(imported,
                  {7, "DCS", "5", "145.2000", "145.8000", "D:754I", "D:754N", false, false});
    expectChannel(imported,
                  {9, "XBAND", "25", "155.0000", "145.0000", "D:131N", "D:023I", false, false});
    // Letters the radio has no lower-case symbol for become capitals.
    expectChannel(imported,
                  {10, "CROSS", "5", "146.0000", "145.5000", "D:031N", "C:77.0", false, false});
    expectChannel(imported,
                  {11, "RXONLY", "5", "150.0000", "145.0000", "C:94.8", "off", false, false});
    // A frequency that needs the fifth decimal keeps it.
    expectChannel(imported,
                  {12, "", "6.25", "145.00625", "145.00625", "off", "D:165N", false, false});
}

TEST(CsvChannelsImportTest, OlderFileWithByteOrderMarkAndFewerColumns) {
    const CsvImport imported = parseChannelsCsv(dataFile("old-bom.csv"), model2);
    ASSERT_TRUE(imported.error.empty()) << imported.error;
    EXPECT_TRUE(imported.problems.empty()) << describeCsvProblems(imported.problems, 50);
    ASSERT_EQ(imported.channels.size(), 3U);
    expectChannel(imported,
                  {3, "SIMPLEX", "12.5", "145.5250", "145.5250", "off", "off", false, false});
    expectChannel(imported,
                  {4, "DCS", "5", "145.3000", "144.7000", "D:071I", "D:071I", true, true});
    expectChannel(imported,
                  {20, "WX", "25", "162.5500", "145.0000", "C:162.2", "C:162.2", false, false});
}

TEST(CsvChannelsImportTest, RowsTheModelCannotTakeAreListedWithLineAndReason) {
    const CsvImport imported = parseChannelsCsv(dataFile("bad-rows.csv"), model2);
    ASSERT_TRUE(imported.error.empty());
    ASSERT_EQ(imported.channels.size(), 2U);
    EXPECT_EQ(imported.channels[0].name, "GOOD");
    EXPECT_EQ(imported.channels[1].name, "SECOND");

    const std::vector<std::pair<int, std::string>> expected{
        {3, "outside the receive band \"136 - 173.9950\""},
        {4, "outside the transmit band \"144 - 145.9950\""},
        {5, "rToneFreq \"69.4\" is not a CTCSS tone"},
        {6, "DtcsCode \"024\" is not a DCS code"},
        {7, "Mode \"AM\""},
        {8, "Location \"100\""},
        {9, "channel 0 already came on line 2"},
        {10, "longer than 7 characters"},
        {11, "Duplex \"off\""},
        {12, "TStep \"2.50\""},
        {13, "finer than the 10 Hz"},
        {14, "Name \"A,B\" holds characters"},
    };
    ASSERT_EQ(imported.problems.size(), expected.size())
        << describeCsvProblems(imported.problems, 50);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(imported.problems[i].line, expected[i].first);
        EXPECT_THAT(imported.problems[i].reason, HasSubstr(expected[i].second));
    }
    const std::string listed = describeCsvProblems(imported.problems, 3);
    EXPECT_THAT(listed, HasSubstr("line 3 (channel 3): Frequency 120.000000 MHz"));
    EXPECT_THAT(listed, HasSubstr("... and 9 more"));
}

TEST(CsvChannelsImportTest, FilesThatAreNoChannelListAreRefusedWhole) {
    EXPECT_THAT(parseChannelsCsv("", model2).error, HasSubstr("empty"));
    EXPECT_THAT(parseChannelsCsv("Name,Frequency\r\nA,145.5\r\n", model2).error,
                HasSubstr("Location"));
    const CsvImport open = parseChannelsCsv("Location,Frequency\r\n0,\"145.5\r\n", model2);
    EXPECT_FALSE(open.error.empty());
    EXPECT_TRUE(open.channels.empty());
    // Columns are found by name, in any order and case; missing ones take defaults.
    const CsvImport reordered = parseChannelsCsv("frequency , LOCATION\r\n145.5,2\r\n", model2);
    ASSERT_EQ(reordered.channels.size(), 1U);
    EXPECT_EQ(reordered.channels[0].channel, 2);
    EXPECT_EQ(reordered.channels[0].step, "6.25"); // model 2's default step
    EXPECT_EQ(reordered.channels[0].rxTone, "off");
}

TEST(CsvChannelsImportTest, DuplexAndOffsetMustLeaveATransmitFrequency) {
    const CsvImport imported = parseChannelsCsv("Location,Frequency,Duplex,Offset\r\n"
                                                "1,145.5,-,145.6\r\n"
                                                "2,145.5,split,\r\n"
                                                "3,145.5,split,0\r\n"
                                                "4,145.5,+,x\r\n"
                                                "5,145.5,+,\r\n",
                                                model2);
    ASSERT_EQ(imported.problems.size(), 4U) << describeCsvProblems(imported.problems, 9);
    EXPECT_THAT(imported.problems[0].reason, HasSubstr("\"-\" with Offset 145.6 MHz leaves no"));
    EXPECT_THAT(imported.problems[1].reason, HasSubstr("needs the transmit frequency"));
    EXPECT_THAT(imported.problems[2].reason, HasSubstr("leaves no transmit frequency"));
    EXPECT_THAT(imported.problems[3].reason, HasSubstr("Offset \"x\" is not a frequency"));
    // A shift without its Offset is no shift.
    ASSERT_EQ(imported.channels.size(), 1U);
    EXPECT_EQ(imported.channels[0].txFrequency, "145.5000");
}

class CsvChannelsEditorTest : public ::testing::Test {
protected:
    CsvChannelsEditorTest() {
        editor.selectModel(model2);
        for (int row = 1; row <= 100; ++row) {
            editor.takeRowOutOfUse(row);
        }
    }

    // A channel in use with the given cells and every other field at its default.
    void putChannel(int channel, const std::string& name, const std::string& step,
                    const std::string& rx, const std::string& tx, const std::string& rxTone,
                    const std::string& txTone, bool narrow, bool skip) {
        const int row = channel + 1;
        editor.setActiveStatus(row);
        editor.InitialSingleLine(row);
        editor.setCell(row, colName, name);
        editor.setCell(row, colRef, step);
        editor.setCell(row, colRxFreq, rx);
        editor.setCell(row, colTxFreq, tx);
        editor.setCell(row, colRxTone, rxTone);
        editor.setCell(row, colTxTone, txTone);
        editor.setCell(row, colWideNarrow, narrow ? editor.words().narrow : editor.words().wide);
        editor.setCell(row, colScanSkip,
                       skip ? editor.words().scanSkip1 : editor.words().scanSkip0);
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
};

TEST_F(CsvChannelsEditorTest, ExportThenImportReproducesEveryRepresentableField) {
    const std::vector<std::string> tones{"off", "C:67.0", "C:254.1", "D:017N", "D:765I", "D:023I"};
    int channel = 0;
    for (const std::string& rxTone : tones) {
        for (const std::string& txTone : tones) {
            const bool odd = channel % 2 == 1;
            const std::string step(entryAt(StepList(), channel % 10));
            putChannel(channel, odd ? "a*#+-/\\" : "CH" + std::to_string(channel), step,
                       odd ? "136.00625" : "173.9950", channel % 3 == 0 ? "145.9950" : "144.00625",
                       rxTone, txTone, channel % 4 == 0, channel % 5 == 0);
            ++channel;
        }
    }
    putChannel(99, "LAST  ", "8.33", "145.01666", "145.01666", "off", "off", false, true);
    const CsvExport exported = exportChannelsCsv(editor);
    EXPECT_TRUE(exported.problems.empty());
    EXPECT_EQ(exported.channels, channel + 1);
    EXPECT_TRUE(exported.text.starts_with(std::string(csvChannelHeader) + "\r\n"));

    test::EditorFixture other;
    other.editor.selectModel(model2);
    const CsvImport imported = parseChannelsCsv(exported.text, model2);
    ASSERT_TRUE(imported.problems.empty()) << describeCsvProblems(imported.problems, 50);
    applyChannelsCsv(other.editor, imported.channels);
    for (int row = 1; row <= 100; ++row) {
        for (int column = colStatus; column <= colOptSignal; ++column) {
            EXPECT_EQ(other.editor.cell(row, column), editor.cell(row, column))
                << "row " << row << " column " << column;
        }
    }
    EXPECT_TRUE(other.editor.document().bModify);
}

TEST_F(CsvChannelsEditorTest, ExportedLinesUseTheCommonForms) {
    putChannel(3, "RPT", "12.5", "145.6500", "145.0500", "off", "C:123.0", true, true);
    putChannel(4, "X", "8.33", "155.0000", "145.0000", "D:131N", "D:023I", false, false);
    const std::string text = exportChannelsCsv(editor).text;
    EXPECT_THAT(text, HasSubstr("\r\n3,RPT,145.650000,-,0.600000,Tone,123.0,88.5,023,NN,023,"
                                "Tone->Tone,NFM,12.50,S,,,,,,\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\n4,X,155.000000,split,145.000000,Cross,88.5,88.5,023,RN,131,"
                                "DTCS->DTCS,FM,8.33,,,,,,,\r\n"));
}

TEST_F(CsvChannelsEditorTest, ImportedChannelsTakeDefaultsWhereTheFileHasNoColumn) {
    putChannel(1, "OLD", "5", "145.0000", "145.0000", "off", "off", false, false);
    putChannel(2, "KEEP", "5", "145.1000", "145.1000", "off", "off", false, false);
    for (const int column : {colPacMode, colDcsDet, colBcl, colAni, colShift}) {
        editor.setCell(2, column, "on");
    }
    editor.setCell(2, colPri, "01");
    editor.setCell(2, colOptSignal, "DTMF");
    editor.document().strChData.at(2, colOptMemory) = "5";
    editor.setCell(3, colBcl, "on");
    editor.document().strChData.at(3, colOptMemory) = "5";

    const CsvImport imported =
        parseChannelsCsv("Location,Name,Frequency\r\n1,NEW,145.2\r\n5,FRESH,145.3\r\n", model2);
    ASSERT_EQ(imported.channels.size(), 2U);
    applyChannelsCsv(editor, imported.channels);

    const int replaced = 2; // channel 1
    EXPECT_EQ(editor.cell(replaced, colName), "NEW");
    EXPECT_EQ(editor.cell(replaced, colRxFreq), "145.2000");
    for (const int column : {colPacMode, colDcsDet, colPri, colBcl, colAni, colShift}) {
        EXPECT_EQ(editor.cell(replaced, column), "off") << column;
    }
    EXPECT_EQ(editor.cell(replaced, colOptSignal), "None");
    EXPECT_EQ(editor.document().strChData.at(replaced, colOptMemory), "0");
    EXPECT_EQ(editor.cell(6, colStatus), editor.words().active);
    EXPECT_EQ(editor.cell(6, colName), "FRESH");
    EXPECT_EQ(editor.cell(3, colName), "KEEP"); // channel 2 is not in the file
    EXPECT_EQ(editor.cell(3, colBcl), "on");
    EXPECT_EQ(editor.cell(7, colStatus), editor.words().inactive);
}

TEST_F(CsvChannelsEditorTest, ImportDialogLeavesTheDocumentAloneWhenRefusedOrCancelled) {
    putChannel(0, "MINE", "5", "145.0000", "145.0000", "off", "off", false, false);
    editor.document().bModify = false;
    f.dir.write("bad.csv", dataFile("bad-rows.csv"));
    f.prompts.openFiles = {f.dir.file("bad.csv")};
    f.prompts.answers = {app::Answer::Cancel};
    EXPECT_FALSE(importCsvWithDialog(editor));
    ASSERT_EQ(f.prompts.questions.size(), 1U);
    EXPECT_THAT(f.prompts.questions[0].text, HasSubstr("line 4 (channel 4)"));
    EXPECT_THAT(f.prompts.questions[0].text, HasSubstr("Import the other 2 channels?"));
    EXPECT_EQ(editor.cell(1, colName), "MINE");
    EXPECT_FALSE(editor.document().bModify);

    f.prompts.openFiles = {f.dir.file("bad.csv")};
    f.prompts.answers = {app::Answer::Ok};
    EXPECT_TRUE(importCsvWithDialog(editor));
    EXPECT_EQ(editor.cell(1, colName), "GOOD");
    EXPECT_EQ(editor.cell(20, colName), "SECOND");
    EXPECT_EQ(editor.cell(4, colStatus), editor.words().inactive);

    f.dir.write("none.csv", "Location,Frequency\r\n0,99.5\r\n");
    f.prompts.openFiles = {f.dir.file("none.csv")};
    EXPECT_FALSE(importCsvWithDialog(editor));
    EXPECT_THAT(f.prompts.messages.back(), HasSubstr("no channel this model can take"));
    EXPECT_EQ(editor.cell(1, colName), "GOOD");
}

TEST_F(CsvChannelsEditorTest, ExportDialogWritesTheFileAndNamesChannelsLeftOut) {
    putChannel(0, "A", "5", "145.0000", "145.0000", "off", "off", false, false);
    putChannel(1, "B", "5", "145.0000", "145.0000", "C:1.0", "off", false, false);
    f.prompts.saveFiles = {f.dir.file("out.csv")};
    EXPECT_TRUE(exportCsvWithDialog(editor));
    std::string written;
    ASSERT_TRUE(app::readWholeFile(f.dir.file("out.csv"), written));
    EXPECT_THAT(written, HasSubstr("\r\n0,A,145.000000,"));
    EXPECT_THAT(written, ::testing::Not(HasSubstr("\r\n1,B")));
    ASSERT_FALSE(f.prompts.messages.empty());
    EXPECT_THAT(f.prompts.messages.back(), HasSubstr("channel 1: a tone"));
}

} // namespace
} // namespace vn574::files
