// vn574-cli read/write --trace against vn574-radio-sim: the saved trace shows what went
// over the line, also when the radio refuses.

#include "ProcessRunner.h"
#include "SampleRadio.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace vn574::test {
namespace {

using ::testing::HasSubstr;

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;

// The lines of a trace that record bytes of one kind ("sent " or "recv ").
std::vector<std::string> linesOf(const std::string& trace, const std::string& kind) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > 15 && line.substr(10, 5) == kind) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(TransferTraceCli, ReadTraceHoldsTheFramesAndRepliesInTimeOrder) {
    TempDir dir;
    SimProcess radio({sim, "--model", "9"});
    ASSERT_FALSE(radio.device().empty());
    const auto got = runProcess({cli, "read", "--port", radio.device(), "-o", dir.file("out.vd"),
                                 "--tick-ms", "100", "--quiet", "--trace", dir.file("trace.txt"),
                                 "--config-dir", dir.file("config")});
    ASSERT_EQ(got.exitCode, 0) << got.err;
    const std::string trace = readFile(dir.file("trace.txt"));
    EXPECT_THAT(trace, HasSubstr(radio.device() + " 9600,n,8,1, no handshake: opened"));
    // The first frame asks for block 0; the cable's echo comes back before the reply.
    const auto sent = linesOf(trace, "sent ");
    const auto received = linesOf(trace, "recv ");
    ASSERT_FALSE(sent.empty());
    ASSERT_FALSE(received.empty());
    EXPECT_THAT(sent.front(), HasSubstr("ZT~F0000R"));
    EXPECT_THAT(trace, HasSubstr("transfer completed"));

    const std::regex timed(R"(^ *(\d+)  (open |close|sent |recv |drop |note ) )");
    long long last = -1;
    std::istringstream in(trace);
    std::string line;
    std::getline(in, line); // heading
    std::getline(in, line);
    int entries = 0;
    while (std::getline(in, line)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(line, match, timed)) << line;
        const long long ms = std::stoll(match[1]);
        EXPECT_GE(ms, last);
        last = ms;
        ++entries;
    }
    // 100 ms ticks over a whole read take a while; the times say so.
    EXPECT_GT(last, 100 * static_cast<long long>(sent.size()) / 2);
    EXPECT_GT(entries, 2 * 8);
}

// A trace may be sent to anyone: it never holds the radio's password, neither when the
// password gate refuses the read, nor after a good read, nor when a write sets a new one.
TEST(TransferTraceCli, TracesNeverHoldThePassword) {
    TempDir dir;
    std::string image = sampleRadioImage(4);
    image.replace(64, 6, "Secret");
    writeFile(dir.file("radio.img"), image);
    SimProcess radio({sim, "--image", dir.file("radio.img")});
    ASSERT_FALSE(radio.device().empty());
    const std::string secret = "536563726574"; // "Secret" as the line carries it
    const std::string masked(32, '*');
    const auto transfer = [&](std::vector<std::string> arguments, const std::string& trace) {
        arguments.insert(arguments.begin(), cli);
        arguments.insert(arguments.end(),
                         {"--port", radio.device(), "--tick-ms", "100", "--fast", "--quiet",
                          "--config-dir", dir.file("config"), "--trace", dir.file(trace)});
        return runProcess(arguments);
    };

    const auto refused =
        transfer({"read", "-o", dir.file("a.vd"), "--image", dir.file("a.img")}, "refused.txt");
    EXPECT_EQ(refused.exitCode, 1) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.vd")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.img")));
    const auto good =
        transfer({"read", "-o", dir.file("b.vd"), "--password", "Secret"}, "good.txt");
    ASSERT_EQ(good.exitCode, 0) << good.err;
    // The new password has an accented letter: one byte on the radio, matched again.
    const std::string fresh = "Fr\xC3\xA9sh";
    const auto euro =
        transfer({"write", dir.file("b.vd"), "--new-password", "\xE2\x82\xAC"}, "euro.txt");
    EXPECT_EQ(euro.exitCode, 2);
    EXPECT_THAT(euro.err, HasSubstr("--new-password takes only characters of the Western"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("euro.txt")));
    const auto changed =
        transfer({"write", dir.file("b.vd"), "--password", "Secret", "--new-password", fresh},
                 "changed.txt");
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    const auto reread = transfer({"read", "-o", dir.file("c.vd"), "--password", fresh}, "c.txt");
    EXPECT_EQ(reread.exitCode, 0) << reread.err;

    for (const char* name : {"refused.txt", "good.txt", "changed.txt", "c.txt"}) {
        SCOPED_TRACE(name);
        const std::string trace = readFile(dir.file(name));
        EXPECT_THAT(trace, HasSubstr("0040:" + masked));
        EXPECT_EQ(trace.find(secret), std::string::npos);
        EXPECT_EQ(trace.find("4672E97368"), std::string::npos); // "Frésh" on the line
    }
    EXPECT_THAT(readFile(dir.file("changed.txt")), HasSubstr("ZT~F0040W" + masked));
}

TEST(TransferTraceCli, FailedWriteStillLeavesItsTrace) {
    TempDir dir;
    // A document with a channel in use, read from one simulated radio.
    writeFile(dir.file("radio.img"), sampleRadioImage(4));
    {
        SimProcess source({sim, "--image", dir.file("radio.img")});
        ASSERT_FALSE(source.device().empty());
        ASSERT_EQ(runProcess({cli, "read", "--port", source.device(), "-o", dir.file("doc.vd"),
                              "--tick-ms", "100", "--fast", "--quiet", "--config-dir",
                              dir.file("config")})
                      .exitCode,
                  0);
    }
    SimProcess radio({sim, "--model", "3", "--fault", "write-error=16"});
    ASSERT_FALSE(radio.device().empty());
    const auto got = runProcess({cli, "write", "--port", radio.device(), dir.file("doc.vd"),
                                 "--tick-ms", "100", "--quiet", "--trace", dir.file("trace.txt"),
                                 "--config-dir", dir.file("config")});
    EXPECT_EQ(got.exitCode, 1) << got.err;
    const std::string trace = readFile(dir.file("trace.txt"));
    EXPECT_THAT(trace, HasSubstr("ERROR"));
    EXPECT_THAT(trace, HasSubstr("transfer failed (msg2)"));

    const auto unwritable = runProcess(
        {cli, "write", "--port", radio.device(), dir.file("doc.vd"), "--tick-ms", "100", "--quiet",
         "--trace", dir.file("no/such/folder/trace.txt"), "--config-dir", dir.file("config")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("the trace could not be written"));
}

} // namespace
} // namespace vn574::test
