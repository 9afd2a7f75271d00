// The safe write from the command line against vn574-radio-sim over a real
// pseudo-terminal: a backup, a write the radio stores wrong and the verify that finds it,
// the restore of the backup, and the history of it all. Fast pacing throughout, with
// 200 ms ticks as the time-out; a small radio keeps it short.

#include "ProcessRunner.h"
#include "SampleRadio.h"
#include "files/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace vn574::test {
namespace {

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;

class SafeWriteCli : public ::testing::Test {
protected:
    SafeWriteCli() { environment.set("XDG_DATA_HOME", dir.file("data")); }

    ProcessResult run(const std::string& command, const std::string& port,
                      std::vector<std::string> extra) {
        std::vector<std::string> argv = {
            cli,   command,  "--port",  port,           "--tick-ms",
            "200", "--fast", "--quiet", "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv);
    }

    TempDir dir;
    files::filetest::ScopedEnvironment environment;
};

TEST_F(SafeWriteCli, BackupVerifyRestoreAndHistory) {
    const std::string radioImage = dir.file("radio.img");
    std::ofstream(radioImage, std::ios::binary) << sampleRadioImage(3);
    const std::string saved = dir.file("saved.img");
    const std::string document = dir.file("plan.vd");
    std::string backup;
    {
        SimProcess radio(
            {sim, "--image", radioImage, "--save", saved, "--fault", "corrupt-write=20"});
        ASSERT_FALSE(radio.device().empty());
        ASSERT_EQ(run("read", radio.device(), {"-o", document}).exitCode, 0);

        const auto write = run("write", radio.device(), {document, "--backup", "--verify"});
        EXPECT_EQ(write.exitCode, 1);
        EXPECT_EQ(write.out, "");
        std::smatch found;
        ASSERT_TRUE(std::regex_search(write.err, found, std::regex("(^|\n)backup: ([^\n]+)\n")))
            << write.err;
        backup = found[2];
        EXPECT_TRUE(std::filesystem::exists(backup));
        EXPECT_NE(write.err.find("block 20 0x0140 sent "), std::string::npos) << write.err;
        EXPECT_NE(write.err.find("vn574-cli: restore with: vn574-cli restore --port " +
                                 radio.device() + " '" + backup + "'\n"),
                  std::string::npos)
            << write.err;
        // Without the new options the write is the plain one: no backup, today's words.
        const auto plain = run("write", radio.device(), {document});
        EXPECT_EQ(plain.exitCode, 0) << plain.err;
        EXPECT_EQ(plain.out + plain.err, "vn574-cli: Transfer completed.\n");
        const auto backups = std::filesystem::path(backup).parent_path();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(backups),
                                std::filesystem::directory_iterator()),
                  1);
        EXPECT_EQ(run("write", radio.device(), {document, "--only-changed"}).exitCode, 2);
        EXPECT_EQ(radio.stop(), 0);
    }

    SimProcess radio({sim, "--image", saved});
    ASSERT_FALSE(radio.device().empty());
    const auto differs = run("verify", radio.device(), {backup});
    EXPECT_EQ(differs.exitCode, 1) << differs.err;
    // The write changed more than block 20: the document's own encoding of what it read.
    EXPECT_TRUE(std::regex_match(
        differs.out,
        std::regex("(block [0-9]+ 0x[0-9A-F]{4} sent [0-9A-F]{32} radio [0-9A-F]{32}\n)+")))
        << differs.out;
    EXPECT_EQ(differs.out.rfind("block 20 0x0140 sent ", 0), 0U);

    const auto restore = run("restore", radio.device(), {backup});
    EXPECT_EQ(restore.exitCode, 0) << restore.err;
    const auto same = run("verify", radio.device(), {backup});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    const auto history = runProcess({cli, "history"});
    EXPECT_EQ(history.exitCode, 0);
    std::vector<std::string> operations;
    std::istringstream lines(history.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("time,operation,port,model,self_id,file,file_sha256,backup,", 0), 0U);
    while (std::getline(lines, line)) {
        const auto first = line.find(',');
        operations.push_back(line.substr(first + 1, line.find(',', first + 1) - first - 1));
    }
    EXPECT_EQ(operations, (std::vector<std::string>{"read", "backup", "write", "verify", "write",
                                                    "verify", "restore", "verify", "verify"}));
}

} // namespace
} // namespace vn574::test
