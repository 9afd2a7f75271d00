#include "files/RadioList.h"

#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vn574::files {
namespace {

TEST(RadioList, ReadsColumnsInAnyOrderAndCaseAndEmptyCellsKeepThePlan) {
    const std::string text = "\xEF\xBB\xBF"
                             "Self_ID, PORT ,Label,DTMF_c2,password,New_Password\r\n"
                             "123,/dev/pts/4,\"Car 1, north\",12a,\" pw \",\r\n"
                             "\n"
                             ",ttyUSB0,,,,n\xC3\xA9w\n";
    const RadioList list = parseRadioList(text, "RADIOS.csv");
    ASSERT_EQ(list.error, "");
    ASSERT_EQ(list.rows.size(), 2U);
    const RadioRow& first = list.rows[0];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.port, "/dev/pts/4");
    EXPECT_EQ(first.label, "Car 1, north");
    EXPECT_EQ(first.identity.selfId, "123");
    EXPECT_EQ(first.identity.dtmf[2], "12a");
    EXPECT_FALSE(first.identity.dtmf[0]);
    EXPECT_EQ(first.password, " pw ");
    EXPECT_FALSE(first.newPassword);
    const RadioRow& second = list.rows[1];
    EXPECT_EQ(second.line, 4);
    EXPECT_EQ(second.port, "ttyUSB0");
    EXPECT_FALSE(second.identity.selfId);
    EXPECT_FALSE(second.identity.dtmf[2]);
    EXPECT_EQ(second.password, "");
    EXPECT_EQ(second.newPassword, "n\xC3\xA9w");

    // The export reads back as the same rows.
    const RadioList again = parseRadioList(radioListText(list.rows), "x.csv");
    ASSERT_EQ(again.error, "");
    ASSERT_EQ(again.rows.size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(again.rows[i].port, list.rows[i].port);
        EXPECT_EQ(again.rows[i].label, list.rows[i].label);
        EXPECT_EQ(again.rows[i].identity, list.rows[i].identity);
        EXPECT_EQ(again.rows[i].password, list.rows[i].password);
        EXPECT_EQ(again.rows[i].newPassword, list.rows[i].newPassword);
    }
}

TEST(RadioList, RefusesTheWholeListNamingLineAndColumn) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"port,colour\nA,red\n",
         "R.csv line 1, column colour: unknown column; the columns are port, label, self_id, "
         "dtmf_C0, dtmf_C1, dtmf_C2, dtmf_C3, dtmf_C4, dtmf_C5, dtmf_C6, password, new_password"},
        {"label,self_id\nx,1\n",
         "R.csv line 1, column port: the header has no port column, which every list needs"},
        {"port,Port\nA,B\n", "R.csv line 1, column Port: the column comes twice"},
        {"port,label\nA,x\n\n , y\n", "R.csv line 4, column port: the port is empty"},
        {"port,self_id\nA,12x\n",
         "R.csv line 2, column self_id: \"12x\" is not 1 to 5 digits 0 to 9"},
        {"port,DTMF_C6\nA,B\n",
         "R.csv line 2, column DTMF_C6: \"B\" is not 0 to 3 of the characters 0 to 9 and A"},
        {"port,password\nA,12345678901234567\n",
         "R.csv line 2, column password: the radio cannot keep this password: it takes at most "
         "16 characters of the Western character set (ISO 8859-1, U+0001..U+00FF)"},
        {"port,new_password\nA,\xE2\x82\xAC\n",
         "R.csv line 2, column new_password: the radio cannot keep this password: it takes at "
         "most 16 characters of the Western character set (ISO 8859-1, U+0001..U+00FF)"},
        {"port,self_id\nA,12\nB,\nC,12000\n",
         "R.csv line 4, column self_id: the own ID \"12000\" is already given on line 2 (both "
         "are 12000 once padded with 0 to 5 digits)"},
        {"port,self_id\nA,5\nB,5\n",
         "R.csv line 3, column self_id: the own ID \"5\" is already given on line 2"},
        {"port\nA,extra\n",
         "R.csv line 2, column 2: the row has a value beyond the columns of the header"},
        {"port,label\n", "R.csv: the list names no radio under its header"},
        {"", "R.csv: the file is empty; a radio list starts with a header line"},
        {"port,label\nA,\"open\n", "R.csv: a quoted field that starts on line 2 is never closed"},
    };
    for (const auto& [text, message] : cases) {
        const RadioList list = parseRadioList(text, "R.csv");
        EXPECT_EQ(list.error, message) << text;
        EXPECT_TRUE(list.rows.empty()) << text;
    }

    const test::TempDir dir;
    dir.write("radios.csv", "port\nttyS0\n");
    EXPECT_EQ(readRadioList(dir.file("radios.csv")).rows.size(), 1U);
    EXPECT_THAT(readRadioList(dir.file("absent.csv")).error, ::testing::HasSubstr("absent.csv"));
}

} // namespace
} // namespace vn574::files
