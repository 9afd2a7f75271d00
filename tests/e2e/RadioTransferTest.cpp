// vn574-cli read and write against vn574-radio-sim over a real pseudo-terminal: the
// serial adapter, the Qt tick and the engine exactly as a user runs them. Short ticks
// keep this quick; nothing here measures time.

#include "ProcessRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vn574::test {
namespace {

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;
const std::string sample = std::string(VN574_TEST_DATA_DIR) + "/sample-2m.vd";
const std::string tick = "20";

// The English texts the tool prints for its failures.
const std::string noAnswerText =
    "No response from the radio. Please check the cable, the COM port and that the radio "
    "is switched on.";
const std::string otherModelText =
    "The model type of the radio differs from the selected model. Please select the "
    "correct model.";

class RadioTransfer : public ::testing::Test {
protected:
    ProcessResult read(const std::string& port, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv = {cli,        "read", "--port",   port,
                                         "-o",       out(),  "--tick-ms", tick,
                                         "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv);
    }
    ProcessResult write(const std::string& port, const std::string& file,
                        const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv = {cli,      "write",   port.empty() ? "" : "--port",
                                         port,     file,      "--tick-ms",
                                         tick,     "--quiet", "--config-dir",
                                         dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv);
    }
    std::string out() const { return dir.file("out.vd"); }

    TempDir dir;
};

TEST_F(RadioTransfer, WrittenDocumentIsReadBackUnchanged) {
    SimProcess radio({sim, "--model", "2", "--option-byte", "0xF0", "--save", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());

    const auto written = write(radio.device(), sample);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_NE(written.err.find("Transfer completed."), std::string::npos);

    const auto got = read(radio.device(), {"--image", dir.file("read.img")});
    ASSERT_EQ(got.exitCode, 0) << got.err;
    EXPECT_NE(got.err.find("reading 50% (block 256)"), std::string::npos) << got.err;

    EXPECT_EQ(readFile(out()), readFile(sample));
    EXPECT_EQ(readFile(dir.file("out.ton")), readFile(std::string(VN574_TEST_DATA_DIR) +
                                                      "/sample-2m.ton"));
    EXPECT_EQ(radio.stop(), 0);
    // The memory as the radio saved it is what the read brought in: every block that
    // is not read is one no write touched.
    const std::string image = readFile(dir.file("read.img"));
    ASSERT_EQ(image.size(), 8192U);
    EXPECT_EQ(image, readFile(dir.file("radio.img")));
}

TEST_F(RadioTransfer, SilentLineFailsWithTheNoReplyMessage) {
    SimProcess radio({sim, "--model", "9", "--fault", "silent", "--fault", "no-echo"});
    ASSERT_FALSE(radio.device().empty());
    const auto got = read(radio.device());
    EXPECT_EQ(got.exitCode, 1);
    EXPECT_NE(got.err.find(noAnswerText), std::string::npos) << got.err;
    EXPECT_FALSE(std::filesystem::exists(out()));
}

TEST_F(RadioTransfer, PasswordRadioNeedsThePassword) {
    SimProcess radio({sim, "--model", "9", "--password", "S3cret"});
    ASSERT_FALSE(radio.device().empty());

    const auto without = read(radio.device(), {"--quiet"});
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_NE(without.err.find("give it with --password"), std::string::npos) << without.err;
    EXPECT_FALSE(std::filesystem::exists(out()));

    const auto wrong = read(radio.device(), {"--quiet", "--password", "s3cret"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("is not the radio's password"), std::string::npos) << wrong.err;

    const auto right = read(radio.device(), {"--quiet", "--password", "S3cret"});
    EXPECT_EQ(right.exitCode, 0) << right.err;
    EXPECT_TRUE(std::filesystem::exists(out()));
}

TEST_F(RadioTransfer, NewPasswordIsWrittenIntoTheRadio) {
    SimProcess radio({sim, "--model", "2", "--option-byte", "0xF0"});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample, {"--new-password", "NEWPW"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto without = read(radio.device(), {"--quiet"});
    EXPECT_EQ(without.exitCode, 1);
    const auto with = read(radio.device(), {"--quiet", "--password", "NEWPW"});
    EXPECT_EQ(with.exitCode, 0) << with.err;
}

TEST_F(RadioTransfer, WriteRefusesARadioOfAnotherModel) {
    SimProcess radio({sim, "--model", "20", "--save", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample);
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_NE(written.err.find(otherModelText), std::string::npos) << written.err;
    radio.stop();
    // Nothing but block 0 (the model) is in the radio.
    const std::string image = readFile(dir.file("radio.img"));
    ASSERT_EQ(image.size(), 8192U);
    EXPECT_EQ(image.find_first_not_of('\0', 16), std::string::npos);
}

TEST_F(RadioTransfer, RefusedBlockEndsTheWrite) {
    SimProcess radio({sim, "--model", "2", "--fault", "write-error=17"});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample);
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_NE(written.err.find("the radio did not confirm the data"), std::string::npos)
        << written.err;
}

TEST_F(RadioTransfer, MissingPortIsReported) {
    const auto got = read("/dev/vn574-no-such-port", {"--quiet"});
    EXPECT_EQ(got.exitCode, 1);
    EXPECT_FALSE(got.err.empty());
    EXPECT_FALSE(std::filesystem::exists(out()));
}

TEST_F(RadioTransfer, SimulatorSavesAndExitsCleanlyOnSignal) {
    SimProcess radio({sim, "--model", "9", "--password", "PW", "--save", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());
    EXPECT_EQ(radio.stop(), 0);
    const std::string image = readFile(dir.file("radio.img"));
    ASSERT_EQ(image.size(), 8192U);
    EXPECT_EQ(image.substr(1, 3), "\x66\xAA\x33");
    EXPECT_EQ(image.substr(64, 3), std::string("PW\0", 3));
}

} // namespace
} // namespace vn574::test
