#include "link/FleetTable.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vn574::test {
namespace {

using State = link::FleetTable::State;

TEST(FleetTableTest, ListFileRoundTripAndRefusalsNameTheRowsLine) {
    TempDir dir;
    dir.write("in.csv", "LABEL,Port,self_id,dtmf_C2,new_password\r\n"
                        "car 1,/dev/pts/7,12,A1,\r\n"
                        "\"car, 2\",ttyUSB0,,,secret\r\n");
    link::FleetTable table;
    ASSERT_EQ(table.importFile(dir.file("in.csv")), "");
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.row(1).cells[link::FleetTable::Label], "car, 2");
    EXPECT_EQ(table.row(0).cells[link::FleetTable::DtmfC0 + 2], "A1");
    EXPECT_EQ(table.row(1).cells[link::FleetTable::NewPassword], "secret");

    // What is exported reads back as the same radios.
    ASSERT_EQ(table.exportFile(dir.file("out.csv")), "");
    const files::RadioList again = files::readRadioList(dir.file("out.csv"));
    ASSERT_EQ(again.error, "");
    EXPECT_EQ(again.rows.at(0).identity.selfId, "12");
    EXPECT_EQ(again.rows.at(1).newPassword, "secret");

    // A bad file changes nothing; a bad cell refuses the run, naming its line.
    dir.write("bad.csv", "port,colour\r\nttyS0,red\r\n");
    EXPECT_NE(table.importFile(dir.file("bad.csv")), "");
    EXPECT_EQ(table.rowCount(), 2);
    table.setCell(1, link::FleetTable::SelfId, "12\n");
    EXPECT_EQ(table.row(1).cells[link::FleetTable::SelfId], "12 ");
    EXPECT_EQ(table.startRun("Radios", dir.file("log.csv")).error,
              "Radios line 3, column self_id: the own ID \"12\" is already given on line 2");
}

TEST(FleetTableTest, RunEventsReachTheirRowsAndTheLog) {
    TempDir dir;
    link::FleetTable table;
    table.addRow("A");
    table.addRow("B");
    table.addRow(" A ");
    std::vector<int> changedRows;
    table.setChangeHandler([&](int row) { changedRows.push_back(row); });
    const files::RadioList list = table.startRun("Radios", dir.file("log.csv"));
    ASSERT_EQ(list.error, "");
    ASSERT_EQ(list.rows.size(), 3U);

    table.phaseChanged("A", 2, link::FleetPhase::Backup);
    table.phaseChanged("B", 3, link::FleetPhase::Write);
    table.progress("B", 3, "50%", 256);
    EXPECT_EQ(table.row(0).state, State::Backup);
    EXPECT_EQ(table.row(1).progress, 256);
    EXPECT_EQ(table.row(1).progressText, "50%");

    files::FleetLogRow failed;
    failed.port = "B";
    failed.message = "Communication Error!";
    table.radioFinished(failed);
    files::FleetLogRow done;
    done.port = "A";
    done.ok = true;
    table.radioFinished(done);
    // Port A waits for the radio of its next row, the third.
    table.phaseChanged("A", 0, link::FleetPhase::Waiting);
    EXPECT_EQ(table.row(0).state, State::Ok);
    EXPECT_EQ(table.row(1).state, State::Failed);
    EXPECT_EQ(table.row(1).message, "Communication Error!");
    EXPECT_EQ(table.row(2).state, State::Waiting);
    EXPECT_EQ(changedRows.back(), 2);

    const std::string log = readFile(dir.file("log.csv"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3); // the header and two radios
    EXPECT_EQ(table.finished().size(), 2U);
    EXPECT_EQ(table.logError(), "");
}

} // namespace
} // namespace vn574::test
