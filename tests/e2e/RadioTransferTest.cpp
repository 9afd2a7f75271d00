// vn574-cli read and write against vn574-radio-sim over a real pseudo-terminal: the
// serial adapter, the Qt tick and the engine exactly as a user runs them. Ticks of
// 200 ms leave a busy machine time to answer (these tests run beside others; the one
// that runs alone keeps 100 ms); nothing here measures time. Where the
// pacing is not what a test is about it reads and writes with the fast pacing
// (`fast`), whose tick is only the time-out; one whole read and one whole write keep
// the normal pacing.

#include "ProcessRunner.h"
#include "SampleRadio.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vn574::test {
namespace {

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;
const std::string tick = "200";
const std::string fast = "--fast";

// The English texts the tool prints for its failures.
const std::string noAnswerText =
    "No response from the radio. Please check the cable, the COM port and that the radio "
    "is switched on.";
const std::string otherModelText =
    "The model type of the radio differs from the selected model. Please select the "
    "correct model.";

class RadioTransfer : public ::testing::Test {
public:
    ProcessResult readInto(const std::string& port, const std::string& file) {
        return runProcess({cli, "read", "--port", port, "-o", file, "--tick-ms", tick, "--quiet",
                           fast, "--config-dir", dir.file("config")});
    }

protected:
    ProcessResult read(const std::string& port, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv = {
            cli,   "read",      "--port", port,           "-o",
            out(), "--tick-ms", tick,     "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv);
    }
    ProcessResult write(const std::string& port, const std::string& file,
                        const std::vector<std::string>& extra = {}) {
        std::vector<std::string> argv = {
            cli,         "write", "--port",  port,           file,
            "--tick-ms", tick,    "--quiet", "--config-dir", dir.file("config")};
        argv.insert(argv.end(), extra.begin(), extra.end());
        return runProcess(argv);
    }
    std::string out() const { return dir.file("out.vd"); }

    TempDir dir;
};

// The whole read and write at the normal pacing, at the tick a user's machine keeps
// (it runs alone: the last option given wins).
TEST_F(RadioTransfer, DocumentReadWrittenAndReadAgainIsUnchanged) {
    const std::vector<std::string> alone = {"--tick-ms", "100"};
    const std::string original = sampleRadioImage(60);
    writeFile(dir.file("radio.img"), original);
    {
        SimProcess radio({sim, "--image", dir.file("radio.img")});
        ASSERT_FALSE(radio.device().empty());
        const auto got =
            read(radio.device(), {"--image", dir.file("read.img"), alone[0], alone[1]});
        ASSERT_EQ(got.exitCode, 0) << got.err;
        EXPECT_NE(got.err.find("reading 50% (block "), std::string::npos) << got.err;
        EXPECT_NE(got.err.find("reading 100%"), std::string::npos) << got.err;
        EXPECT_NE(got.err.find("Transfer completed."), std::string::npos);
    }
    // Every block that travelled arrived as the radio holds it; the others are zero
    // here and in the radio alike.
    EXPECT_EQ(readFile(dir.file("read.img")), original);
    std::filesystem::rename(out(), dir.file("first.vd"));
    std::filesystem::rename(dir.file("out.ton"), dir.file("first.ton"));

    SimProcess blank(
        {sim, "--model", "3", "--option-byte", "0xF0", "--save", dir.file("written.img")});
    ASSERT_FALSE(blank.device().empty());
    const auto written = write(blank.device(), dir.file("first.vd"), alone);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto again = read(blank.device(), {"--quiet", fast});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(blank.stop(), 0);

    EXPECT_EQ(readFile(out()), readFile(dir.file("first.vd")));
    EXPECT_EQ(readFile(dir.file("out.ton")), readFile(dir.file("first.ton")));
    // Channels, options and memories went back into the radio as they came.
    const std::string writtenImage = readFile(dir.file("written.img"));
    ASSERT_EQ(writtenImage.size(), 8192U);
    EXPECT_EQ(writtenImage.substr(16 * 16, 16 * 16), original.substr(16 * 16, 16 * 16));
    EXPECT_EQ(writtenImage.substr(32 * 16, 120 * 16), original.substr(32 * 16, 120 * 16));
}

// The fast pacing brings the same document, byte for byte, also from a radio that
// answers late and in pieces; its tick stays long enough to be only the time-out.
TEST_F(RadioTransfer, FastReadGivesTheSameDocumentAsANormalRead) {
    writeFile(dir.file("radio.img"), sampleRadioImage(8));
    {
        SimProcess radio({sim, "--image", dir.file("radio.img")});
        ASSERT_EQ(read(radio.device(), {"--quiet"}).exitCode, 0);
    }
    std::filesystem::rename(out(), dir.file("normal.vd"));
    std::filesystem::rename(dir.file("out.ton"), dir.file("normal.ton"));

    SimProcess radio(
        {sim, "--image", dir.file("radio.img"), "--fault", "split=7", "--fault", "delay=30"});
    const auto fast = runProcess({cli, "read", "--port", radio.device(), "-o", out(), "--fast",
                                  "--quiet", "--config-dir", dir.file("config")});
    ASSERT_EQ(fast.exitCode, 0) << fast.err;
    EXPECT_EQ(readFile(out()), readFile(dir.file("normal.vd")));
    EXPECT_EQ(readFile(dir.file("out.ton")), readFile(dir.file("normal.ton")));
}

TEST_F(RadioTransfer, DocumentWithoutChannelsInUseIsNotWritten) {
    SimProcess radio({sim, "--model", "3", "--save", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());
    ASSERT_EQ(read(radio.device(), {"--quiet", fast}).exitCode, 0);
    const auto written = write(radio.device(), out(), {fast});
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_NE(written.err.find("please active one channel in 0 to 99."), std::string::npos)
        << written.err;
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

    const auto without = read(radio.device(), {"--quiet", fast});
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_NE(without.err.find("give it with --password"), std::string::npos) << without.err;
    EXPECT_FALSE(std::filesystem::exists(out()));

    const auto wrong = read(radio.device(), {"--quiet", fast, "--password", "s3cret"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("is not the radio's password"), std::string::npos) << wrong.err;

    const auto right = read(radio.device(), {"--quiet", fast, "--password", "S3cret"});
    EXPECT_EQ(right.exitCode, 0) << right.err;
    EXPECT_TRUE(std::filesystem::exists(out()));
}

// A channel data file of the sample radio, read from a simulator.
std::string sampleDocument(RadioTransfer& test, TempDir& dir) {
    writeFile(dir.file("sample.img"), sampleRadioImage(8));
    SimProcess radio({sim, "--image", dir.file("sample.img")});
    const auto got = test.readInto(radio.device(), dir.file("sample.vd"));
    EXPECT_EQ(got.exitCode, 0) << got.err;
    return dir.file("sample.vd");
}

TEST_F(RadioTransfer, NewPasswordIsWrittenIntoTheRadio) {
    const std::string sample = sampleDocument(*this, dir);
    SimProcess radio({sim, "--model", "3", "--option-byte", "0xF0"});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample, {fast, "--new-password", "NEWPW"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const auto without = read(radio.device(), {"--quiet", fast});
    EXPECT_EQ(without.exitCode, 1);
    const auto with = read(radio.device(), {"--quiet", fast, "--password", "NEWPW"});
    EXPECT_EQ(with.exitCode, 0) << with.err;
}

TEST_F(RadioTransfer, WriteRefusesARadioOfAnotherModel) {
    const std::string sample = sampleDocument(*this, dir);
    SimProcess radio({sim, "--model", "20", "--save", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample, {fast});
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_NE(written.err.find(otherModelText), std::string::npos) << written.err;
    radio.stop();
    // Nothing but block 0 (the model) is in the radio.
    const std::string image = readFile(dir.file("radio.img"));
    ASSERT_EQ(image.size(), 8192U);
    EXPECT_EQ(image.find_first_not_of('\0', 16), std::string::npos);
}

TEST_F(RadioTransfer, RefusedBlockEndsTheWrite) {
    const std::string sample = sampleDocument(*this, dir);
    SimProcess radio({sim, "--model", "3", "--fault", "write-error=17"});
    ASSERT_FALSE(radio.device().empty());
    const auto written = write(radio.device(), sample);
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_NE(written.err.find("the radio did not confirm the data"), std::string::npos)
        << written.err;
}

TEST_F(RadioTransfer, OptionFlagsOnceStoredStayStored) {
    {
        SimProcess radio({sim, "--model", "9", "--option-byte", "0xF0"});
        ASSERT_EQ(read(radio.device(), {"--quiet", fast}).exitCode, 0);
    }
    EXPECT_EQ(readFile(dir.file("config/Setting.ini")), std::string("\x01\x01\x01\x01", 4));
    {
        SimProcess radio({sim, "--model", "9", "--option-byte", "0x00"});
        ASSERT_EQ(read(radio.device(), {"--quiet", fast}).exitCode, 0);
    }
    EXPECT_EQ(readFile(dir.file("config/Setting.ini")), std::string("\x01\x01\x01\x01", 4));
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
