#include "files/FileCommands.h"
#include "files/Report.h"

#include "support/TestEnvironment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vn574::files {
namespace {

using namespace document;
using ::testing::HasSubstr;

const std::string S = "    "; // the report's separator

class ReportTest : public ::testing::Test {
protected:
    ReportTest() { editor.selectModel(2); } // channel 0 in use with model 2's defaults

    [[nodiscard]] std::vector<std::string> texts(ReportTarget target) const {
        std::vector<std::string> lines;
        for (const ReportLine& line : buildReport(editor, target).lines) {
            lines.push_back(line.text);
        }
        return lines;
    }

    test::EditorFixture f;
    Editor& editor = f.editor;
    Document& doc = f.editor.document();
};

TEST_F(ReportTest, ChannelLinesOfAResetDocument) {
    const std::vector<std::string> lines = texts(ReportTarget::TextFile);
    ASSERT_EQ(lines.size(), 1U + 104U + 1U + 11U + 1U + 1U + 9U);
    EXPECT_EQ(lines[0], "ch    status    Name    Ref.    Rx Freq.    CTCSS/DCS    W/N    "
                        "PAC MODE    DCS DET    PRI    Tx Freq.    CTCSS/DCS    BCL    ANI");
    // Channel 0 in use: fifteen values from the grid, the empty name from the default line.
    EXPECT_EQ(lines[1], "0    Active        6.25    155.0000    off    Wide    off    off    Scan"
                        "    off    145.0000    off    off    off    ");
    // Channels not in use: sixteen values, the empty stored ones from the default line.
    EXPECT_EQ(lines[2], "1    Inactive        6.25    155.0000    off    Wide    off    off    "
                        "Scan    off    145.0000    off    off    off    off    ");
    EXPECT_EQ(lines[102], "101    Inactive        6.25    155.0000    off    Wide    off    off    "
                          "Scan    off    145.0000    off    off    off    off    ");
    EXPECT_EQ(lines[103], "102            6.25    155.0000    off    Wide    off    off    Scan    "
                          "off    145.0000    off    off    off    off    ");
    EXPECT_EQ(lines[104].substr(0, 19), "103" + S + S + S + "6.25");
}

TEST_F(ReportTest, RowsNotInUseAndFixedRowsAreReportedAsStored) {
    editor.setCell(1, colName, "  "); // blank: the default line's (empty) name
    editor.setCell(1, colRxTone, "C:88.5");
    doc.strChData.at(5, colName) = "KEPT";
    doc.strChData.at(5, colWideNarrow) = "narrow";
    doc.strChData.at(5, colShift) = "on";
    // The grid's call channel is not copied into the table before a report.
    editor.setCell(103, colName, "EDITED");
    doc.strChData.at(103, colName) = "STORED";
    const std::vector<std::string> lines = texts(ReportTarget::TextFile);
    EXPECT_EQ(lines[1], "0    Active        6.25    155.0000    C:88.5    Wide    off    off    "
                        "Scan    off    145.0000    off    off    off    ");
    EXPECT_EQ(lines[5], "4    Inactive    KEPT    6.25    155.0000    off    narrow    off    off"
                        "    Scan    off    145.0000    off    off    off    on    ");
    EXPECT_THAT(lines[103], HasSubstr("    STORED    "));
    EXPECT_EQ(lines[103].find("EDITED"), std::string::npos);
}

TEST_F(ReportTest, RecordLinesAndTheTwoSecurityVariants) {
    doc.strAutoDial = "Ad|123||||||||#9*|";
    const std::vector<std::string> lines = texts(ReportTarget::TextFile);
    EXPECT_EQ(lines[105], "Radio Option");
    EXPECT_EQ(lines[106],
              "Indication: Frequency" + std::string(25, ' ') + "DTMF burst delay: 100ms");
    EXPECT_EQ(lines[111], "Scan start: ----------------" + std::string(25, ' ') +
                              "Time out Penalty: ----------------");
    EXPECT_EQ(lines[116],
              "TBST Output: ----------------" + std::string(25, ' ') + "LAMP Mode: High");
    EXPECT_EQ(lines[117], "Security Mode: off");
    EXPECT_EQ(lines[118], "AutoDialor Option");
    EXPECT_EQ(lines[119], "M1:  " + S + "123");
    EXPECT_EQ(lines[126], "M8:  " + S);
    EXPECT_EQ(lines[127], "M9:  " + S + "#9*");

    const std::vector<std::string> printed = texts(ReportTarget::Printer);
    EXPECT_EQ(printed[117], "Security Mode: off" + std::string(25, ' ') + "Power Select:50W");
    EXPECT_EQ(printed.size(), lines.size());
}

TEST_F(ReportTest, TextFileEndsEveryLineButTheDialerLinesWithAnEmptyLine) {
    const std::string text = formatTextReport(buildReport(editor, ReportTarget::TextFile));
    EXPECT_EQ(text.substr(0, 24), "ch    status    Name    ");
    const std::string tail = "Security Mode: off\r\n\r\nAutoDialor Option\r\n\r\nM1:      \r\n"
                             "M2:      \r\nM3:      \r\nM4:      \r\nM5:      \r\nM6:      \r\n"
                             "M7:      \r\nM8:      \r\nM9:      \r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_NE(text.find("    off    \r\n\r\n1    Inactive"), std::string::npos);
}

TEST_F(ReportTest, WrongRecordsStopTheReportAfterTheChannelLines) {
    doc.strSetup = "setup|too|few";
    doc.strAutoDial = "Ad|1"; // the option record is checked first
    Report report = buildReport(editor, ReportTarget::TextFile);
    EXPECT_EQ(report.failedMessageKey, 9004);
    EXPECT_EQ(report.lines.size(), 105U);

    doc.strSetup = std::string(newSetupRecord);
    report = buildReport(editor, ReportTarget::TextFile);
    EXPECT_EQ(report.failedMessageKey, 9003);
    EXPECT_EQ(report.lines.size(), 105U);

    const std::string path = f.dir.file("partial.txt");
    EXPECT_FALSE(exportReport(editor, path));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_EQ(f.prompts.messages[0], editor.windowMessage(9003));
    const std::string text = f.dir.read("partial.txt");
    EXPECT_EQ(text.substr(text.size() - 8), "    \r\n\r\n");
    EXPECT_EQ(text.find("Radio Option"), std::string::npos);
}

TEST_F(ReportTest, ExportReportsAWriteErrorAndKeepsTheOldFile) {
    EXPECT_FALSE(exportReport(editor, f.dir.file("missing/r.txt")));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("No such file or directory"));
}

TEST_F(ReportTest, ChineseWordsShowWhereTheGridShowsThem) {
    test::EditorFixture chinese("chinese.ini");
    chinese.editor.selectModel(2);
    const Report report = buildReport(chinese.editor, ReportTarget::TextFile);
    EXPECT_EQ(report.lines[1].text,
              "0    启用        6.25    155.0000    off    宽    off    off    "
              "扫描    off    145.0000    off    off    off    ");
    EXPECT_EQ(report.lines[2].text.substr(0, 17), "1    Inactive    ");
}

class FakePrinter : public ReportPrinter {
public:
    std::string failure;
    std::vector<std::vector<ReportLine>> jobs;
    std::string print(const std::vector<ReportLine>& lines) override {
        jobs.push_back(lines);
        return failure;
    }
};

TEST_F(ReportTest, PrintAsksFirstAndUsesThePrinterVariant) {
    FakePrinter printer;
    f.prompts.answers = {app::Answer::Cancel};
    EXPECT_FALSE(printWithPrompt(editor, printer));
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(f.prompts.questions.size(), 1U);
    EXPECT_EQ(f.prompts.questions[0].text, "Print the channel data on the default printer?");
    EXPECT_EQ(f.prompts.questions[0].buttons, app::Buttons::OkCancel);

    f.prompts.answers = {app::Answer::Ok};
    EXPECT_TRUE(printWithPrompt(editor, printer));
    ASSERT_EQ(printer.jobs.size(), 1U);
    EXPECT_THAT(printer.jobs[0][117].text, HasSubstr("Power Select:50W"));
    EXPECT_TRUE(printer.jobs[0][117].blankLineAfter);
    EXPECT_FALSE(printer.jobs[0][119].blankLineAfter);

    printer.failure = "out of paper";
    f.prompts.answers = {app::Answer::Ok};
    EXPECT_FALSE(printWithPrompt(editor, printer));
    ASSERT_EQ(f.prompts.messages.size(), 1U);
    EXPECT_THAT(f.prompts.messages[0], HasSubstr("out of paper"));
}

} // namespace
} // namespace vn574::files
