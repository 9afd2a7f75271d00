#include "files/CsvText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vn574::files {
namespace {

using ::testing::ElementsAre;

TEST(CsvTextTest, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    const CsvParse parsed =
        parseCsv("a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",x,\r\nlast,,end");
    ASSERT_TRUE(parsed.error.empty());
    ASSERT_EQ(parsed.records.size(), 3U);
    EXPECT_THAT(parsed.records[0].fields, ElementsAre("a", "b, c", "say \"hi\""));
    EXPECT_THAT(parsed.records[1].fields, ElementsAre("two\nlines", "x", ""));
    EXPECT_THAT(parsed.records[2].fields, ElementsAre("last", "", "end"));
    // A record's line is where it starts, counting the line break inside the quotes.
    EXPECT_EQ(parsed.records[1].line, 2);
    EXPECT_EQ(parsed.records[2].line, 4);
}

TEST(CsvTextTest, ByteOrderMarkBlankLinesAndLoneCarriageReturns) {
    const CsvParse parsed = parseCsv("\xEF\xBB\xBFLocation,Name\r\n\r\n , \r0,HOME\r");
    ASSERT_EQ(parsed.records.size(), 2U);
    EXPECT_EQ(parsed.records[0].fields.front(), "Location");
    EXPECT_THAT(parsed.records[1].fields, ElementsAre("0", "HOME"));
    EXPECT_EQ(parsed.records[1].line, 4);
}

TEST(CsvTextTest, UnterminatedQuoteIsAnErrorNotAHalfFile) {
    const CsvParse parsed = parseCsv("a,b\r\n1,\"open\r\n2,3\r\n");
    EXPECT_THAT(parsed.error, ::testing::HasSubstr("line 2"));
    EXPECT_TRUE(parsed.records.empty());
}

TEST(CsvTextTest, WrittenFieldsReadBackUnchanged) {
    const std::vector<std::string> fields{"plain", "with, comma", "\"quoted\"", " padded ",
                                          "",      "two\r\nlines"};
    const std::string line = csvLine(fields);
    EXPECT_TRUE(line.ends_with("\r\n"));
    EXPECT_EQ(csvField("plain"), "plain");
    const CsvParse parsed = parseCsv(line);
    ASSERT_EQ(parsed.records.size(), 1U);
    EXPECT_EQ(parsed.records[0].fields, fields);
}

} // namespace
} // namespace vn574::files
