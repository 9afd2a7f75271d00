#include "files/TransferHistory.h"

#include "ScopedEnvironment.h"
#include "support/TempDir.h"

#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vn574::files {
namespace {

namespace fs = std::filesystem;

constexpr std::time_t mayFirstNoon = 1714564800; // 2024-05-01 12:00:00 UTC
const std::string header = std::string(historyHeader) + "\r\n";

TransferRecord writeRecord() {
    TransferRecord record;
    record.time = mayFirstNoon;
    record.operation = TransferOperation::Write;
    record.port = "/dev/ttyUSB0";
    record.model = "66AA33";
    record.selfId = "12345";
    record.file = "/home/a/radios/truck, 7.vd";
    record.fileSha256 = std::string(64, 'a');
    record.backup = "/home/a/.local/share/vn574/backups/20240501-120000-66AA33-12345.img";
    record.blocksSent = 398;
    record.blocksDiffering = 2;
    record.ok = false;
    record.message = "Block 16 differs:\nsent \"A\"";
    record.seconds = 51.26;
    return record;
}

class TransferHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { env.set("TZ", "UTC0"); }

    filetest::ScopedEnvironment env;
    test::TempDir dir;
};

TEST_F(TransferHistoryTest, AppendsQuotedRowsUnderTheHeaderAndReadsThemBack) {
    const TransferHistory history(dir.file("data/vn574/history.csv"));
    EXPECT_TRUE(history.read().records.empty());
    const TransferRecord first = writeRecord();
    ASSERT_EQ(history.append(first), "");
    const std::string firstRow = "2024-05-01T12:00:00Z,write,/dev/ttyUSB0,66AA33,12345,"
                                 "\"/home/a/radios/truck, 7.vd\"," +
                                 std::string(64, 'a') + "," + first.backup +
                                 ",398,2,failed,\"Block 16 differs:\nsent \"\"A\"\"\",51.3\r\n";
    EXPECT_EQ(dir.read("data/vn574/history.csv"), header + firstRow);

    TransferRecord second;
    second.time = mayFirstNoon + 61;
    second.operation = TransferOperation::Backup;
    second.ok = true;
    second.blocksSent = 512;
    second.seconds = 29.04;
    ASSERT_EQ(history.append(second), "");
    const std::string secondRow = "2024-05-01T12:01:01Z,backup,,,,,,,512,0,ok,,29.0\r\n";
    EXPECT_EQ(dir.read("data/vn574/history.csv"), header + firstRow + secondRow);

    // A row cut short and a row edited by hand: the next row still starts on its own line.
    test::writeFile(history.path(), header + firstRow + secondRow + "garbage");
    second.operation = TransferOperation::Restore;
    ASSERT_EQ(history.append(second), "");
    const HistoryRead read = history.read();
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.skipped, 1);
    ASSERT_EQ(read.records.size(), 3U);
    TransferRecord expected = first;
    expected.seconds = 51.3;
    EXPECT_EQ(read.records[0], expected);
    second.seconds = 29.0;
    EXPECT_EQ(read.records[2], second);
}

TEST_F(TransferHistoryTest, AFileWithAnotherHeaderIsKeptAsideAndANewOneStarted) {
    const TransferHistory history(dir.file("history.csv"));
    dir.write("history.csv", "when,what\r\n1,2\r\n");
    dir.write("history-20240501-120000.bad.csv", "older");
    ASSERT_EQ(history.append(writeRecord()), "");
    EXPECT_EQ(dir.read("history-20240501-120000-2.bad.csv"), "when,what\r\n1,2\r\n");
    EXPECT_EQ(dir.read("history-20240501-120000.bad.csv"), "older");
    EXPECT_EQ(dir.read("history.csv"), header + historyRow(writeRecord()));
}

TEST_F(TransferHistoryTest, AHistoryThatCannotBeWrittenIsReportedNotThrown) {
    dir.write("file", "not a folder");
    const std::string error = TransferHistory(dir.file("file/history.csv")).append(writeRecord());
    EXPECT_NE(error.find(dir.file("file")), std::string::npos) << error;

    fs::create_directory(dir.file("history.csv"));
    EXPECT_NE(TransferHistory(dir.file("history.csv")).append(writeRecord()), "");
    EXPECT_NE(TransferHistory(dir.file("history.csv")).read().error, "");

    env.set(test::dataHomeVariable, std::nullopt);
    env.set("HOME", std::nullopt);
    EXPECT_NE(TransferHistory::standard().append(writeRecord()), "");
    env.set(test::dataHomeVariable, dir.path());
    EXPECT_EQ(fs::path(TransferHistory::standard().path()),
              fs::path(dir.file("vn574/history.csv")));
}

} // namespace
} // namespace vn574::files
