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
                                 "--tick-ms", "20", "--quiet", "--trace", dir.file("trace.txt"),
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
    // Twenty-millisecond ticks over a whole read take a while; the times say so.
    EXPECT_GT(last, 20 * static_cast<long long>(sent.size()) / 2);
    EXPECT_GT(entries, 2 * 8);
}

TEST(TransferTraceCli, FailedWriteStillLeavesItsTrace) {
    TempDir dir;
    // A document with a channel in use, read from one simulated radio.
    writeFile(dir.file("radio.img"), sampleRadioImage(4));
    {
        SimProcess source({sim, "--image", dir.file("radio.img")});
        ASSERT_FALSE(source.device().empty());
        ASSERT_EQ(runProcess({cli, "read", "--port", source.device(), "-o", dir.file("doc.vd"),
                              "--tick-ms", "20", "--quiet", "--config-dir", dir.file("config")})
                      .exitCode,
                  0);
    }
    SimProcess radio({sim, "--model", "3", "--fault", "write-error=16"});
    ASSERT_FALSE(radio.device().empty());
    const auto got = runProcess({cli, "write", "--port", radio.device(), dir.file("doc.vd"),
                                 "--tick-ms", "20", "--quiet", "--trace", dir.file("trace.txt"),
                                 "--config-dir", dir.file("config")});
    EXPECT_EQ(got.exitCode, 1) << got.err;
    const std::string trace = readFile(dir.file("trace.txt"));
    EXPECT_THAT(trace, HasSubstr("ERROR"));
    EXPECT_THAT(trace, HasSubstr("transfer failed (msg2)"));

    const auto unwritable = runProcess(
        {cli, "write", "--port", radio.device(), dir.file("doc.vd"), "--tick-ms", "20", "--quiet",
         "--trace", dir.file("no/such/folder/trace.txt"), "--config-dir", dir.file("config")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("the trace could not be written"));
}

} // namespace
} // namespace vn574::test
