#include "link/CloneFrames.h"
#include "link/CloneInterfaces.h"
#include "link/RxBuffer.h"
#include "link/SerialPort.h"
#include "support/FakePrompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vn574::link {
namespace {

using namespace std::string_literals;

TEST(CloneFrames, BlockAddressIsFourUpperCaseDigitsOfTheByteAddress) {
    EXPECT_EQ(BlockAddress(0), "0000");
    EXPECT_EQ(BlockAddress(15), "00F0");
    EXPECT_EQ(BlockAddress(16), "0100");
    EXPECT_EQ(BlockAddress(18), "0120");
    EXPECT_EQ(BlockAddress(26), "01A0");
    EXPECT_EQ(BlockAddress(255), "0FF0");
    EXPECT_EQ(BlockAddress(256), "1000");
    EXPECT_EQ(BlockAddress(511), "1FF0");
}

TEST(CloneFrames, FramesHaveTheirFixedTextParts) {
    EXPECT_EQ(identFrame(), "VN575");
    EXPECT_EQ(readFrame(26), "ZT~F01A0R");
    EXPECT_EQ(endFrame(), "ZT~E");
    const std::string data(32, 'A');
    EXPECT_EQ(writeFrame(16, data), "ZT~F0100W" + data);
    EXPECT_EQ(writeFrame(16, data).size(), writeFrameTextLength);
    EXPECT_NE(writeFrame(16, "error").size(), writeFrameTextLength);
}

class RecordingPort final : public SerialPort {
public:
    std::string open(const std::string&, const LineSettings&, Handshake) override { return {}; }
    void close() override {}
    [[nodiscard]] bool isOpen() const override { return true; }
    void setBufferSizes(int, int) override {}
    void write(std::string_view bytes) override { log.push_back("write " + std::string(bytes)); }
    void discardInput() override {}
    [[nodiscard]] int bytesWaiting() const override { return 0; }
    std::string readAll() override { return {}; }
    std::vector<std::string> log;
};

class LoggingTimer final : public FrameTimer {
public:
    explicit LoggingTimer(std::vector<std::string>& log) : m_log(log) {}
    void start(int ms) override { m_log.push_back("pause " + std::to_string(ms)); }
    void stop() override { m_log.push_back("stop"); }

private:
    std::vector<std::string>& m_log;
};

TEST(CloneFrames, SendFrameSendsTextAndLineEndInTwoCallsWithPauses) {
    RecordingPort port;
    LoggingTimer timer(port.log);
    FrameSender frames(port, timer);
    frames.send(readFrame(0), shortFramePauseMs);
    EXPECT_FALSE(frames.step());
    EXPECT_TRUE(frames.step());
    EXPECT_FALSE(frames.busy());
    EXPECT_FALSE(frames.step()); // a late timer sends nothing more
    const std::vector<std::string> expected = {"write ZT~F0000R", "pause 10", "write \r\n",
                                               "pause 10"};
    EXPECT_EQ(port.log, expected);
}

TEST(CloneFrames, IsLink2AcceptsOnlyTheExactThirteenBytes) {
    EXPECT_TRUE(IsLink2("VN575\r\n\r\nOK\r\n"));
    EXPECT_FALSE(IsLink2("VN575\r\n\r\nOK\r\n\n"));
    EXPECT_FALSE(IsLink2("VN575\r\n\r\nOK\r"));
    EXPECT_FALSE(IsLink2("VN575\r\n\r\nok\r\n"));
}

RxBuffer bufferOf(std::string_view bytes) {
    RxBuffer rx;
    rx.append(bytes);
    return rx;
}

TEST(RxBuffer, AppendsInArrivalOrderAndCountsBytes) {
    RxBuffer rx;
    rx.append("AB");
    rx.append("\0C"s);
    EXPECT_EQ(rx.size(), 4);
    EXPECT_EQ(rx.bytes(), "AB\0C"s);
    rx.clear();
    EXPECT_EQ(rx.size(), 0);
}

TEST(RxBuffer, FindAndCountPatterns) {
    const RxBuffer rx = bufferOf("xxERRORERRORR");
    EXPECT_EQ(rx.FindPattern("ERROR"), 2);
    EXPECT_EQ(rx.CountPattern("ERROR"), 2);
    EXPECT_EQ(bufferOf("AAAA").CountPattern("AA"), 3); // overlapping matches count
    EXPECT_EQ(rx.FindPattern("OK"), -1);
    EXPECT_EQ(bufferOf("ERR").FindPattern("ERROR"), -1); // longer than the buffer
    EXPECT_EQ(bufferOf("ERR").CountPattern("ERROR"), 0);
    EXPECT_EQ(bufferOf("ABERROR").FindPattern("ERROR"), 2); // at the very end
}

TEST(CheckIdentReply, NeedsTheOkLineAnywhereAndNoRefusal) {
    EXPECT_TRUE(CheckIdentReply(bufferOf("VN575\r\n\r\nOK\r\n")));
    // 20 bytes with the OK line at index 14.
    const std::string twenty = "1234567VN575\r\n\r\nOK\r\n";
    ASSERT_EQ(twenty.size(), 20U);
    ASSERT_EQ(bufferOf(twenty).FindPattern(okLine), 14);
    EXPECT_TRUE(CheckIdentReply(bufferOf(twenty)));
    EXPECT_FALSE(CheckIdentReply(bufferOf("VN575\r\n\r\nOK\r\nERROR")));
    EXPECT_FALSE(CheckIdentReply(bufferOf("VN575\r\n\r\nERROR\r\n")));
    EXPECT_FALSE(CheckIdentReply(bufferOf("VN575\r\n\r\nOK\r")));
}

std::string echo(int block) {
    return readFrame(block) + "\r\n";
}
const std::string someData = "0123456789ABCDEF0123456789ABCDEF";

TEST(CheckReadReply, AcceptsTheHeadBehindTheEchoFromTheFiftySecondByteOn) {
    test::FakePrompts prompts;
    std::vector<std::pair<int, int>> calls;
    const BlockDecoder decode = [&](std::string_view rx, int start, int block) {
        calls.emplace_back(start, block);
        EXPECT_EQ(rx.substr(static_cast<std::size_t>(start), 32), someData);
    };
    const std::string reply = echo(26) + "\r\n01A0:" + someData;
    ASSERT_EQ(reply.size(), 50U);
    EXPECT_FALSE(CheckReadReply(bufferOf(reply + "\r"), 26, decode, prompts));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(CheckReadReply(bufferOf(reply + "\x01\xFF"), 26, decode, prompts));
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0], std::make_pair(18, 26));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(CheckReadReply, RefusesAHeadElsewhereOrAnotherBlockOrLowerCaseAddress) {
    test::FakePrompts prompts;
    int calls = 0;
    const BlockDecoder decode = [&](std::string_view, int, int) { ++calls; };
    EXPECT_FALSE(
        CheckReadReply(bufferOf(echo(26) + "\r\n01a0:" + someData + "\r\n"), 26, decode, prompts));
    EXPECT_FALSE(
        CheckReadReply(bufferOf(echo(26) + "\r\n01B0:" + someData + "\r\n"), 26, decode, prompts));
    // Two echoes in front: the head stands at 22.
    EXPECT_FALSE(CheckReadReply(bufferOf(echo(26) + echo(26) + "\r\n01A0:" + someData + "\r\n"), 26,
                                decode, prompts));
    // The echo bytes themselves are not compared.
    EXPECT_TRUE(
        CheckReadReply(bufferOf("ABCDEFGHIJK\r\n01A0:" + someData + "\r\n"), 26, decode, prompts));
    EXPECT_EQ(calls, 1);
}

TEST(CheckReadReply, RefusesDataThatIsNotUpperCaseDigits) {
    test::FakePrompts prompts;
    int calls = 0;
    const BlockDecoder decode = [&](std::string_view, int, int) { ++calls; };
    std::string lower = someData;
    lower[10] = 'a';
    EXPECT_FALSE(
        CheckReadReply(bufferOf(echo(0) + "\r\n0000:" + lower + "\r\n"), 0, decode, prompts));
    // A reply cut by the echo of the repeated frame: the head is in place, the data not.
    const std::string straddled =
        echo(0) + "\r\n0000:" + someData.substr(0, 13) + echo(0) + someData.substr(13) + "\r\n";
    EXPECT_FALSE(CheckReadReply(bufferOf(straddled), 0, decode, prompts));
    EXPECT_EQ(calls, 0);
}

TEST(CheckReadReply, BlockOutsideTheImageSaysExceedLength) {
    test::FakePrompts prompts;
    const BlockDecoder decode = [](std::string_view, int, int) { FAIL() << "decoded"; };
    const RxBuffer rx = bufferOf(echo(0) + "\r\n2000:" + someData + "\r\n");
    EXPECT_FALSE(CheckReadReply(rx, 512, decode, prompts));
    EXPECT_FALSE(CheckReadReply(rx, -1, decode, prompts));
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Exceed Length!", "Exceed Length!"}));
}

TEST(CheckWriteReply, NeedsTheOkLineRightBehindTheEchoAndNoRefusal) {
    const std::string frameEcho = writeFrame(16, someData) + "\r\n";
    ASSERT_EQ(frameEcho.size(), 43U);
    EXPECT_TRUE(CheckWriteReply(bufferOf(frameEcho + "\r\nOK\r\n")));
    EXPECT_FALSE(CheckWriteReply(bufferOf(frameEcho + "\r\nOK\r\nERROR")));
    EXPECT_FALSE(CheckWriteReply(bufferOf(frameEcho + "X\r\nOK\r\n")));
    EXPECT_FALSE(CheckWriteReply(bufferOf(frameEcho.substr(1) + "\r\nOK\r\n")));
    // The first OK line decides, even when a later one stands at 43.
    EXPECT_FALSE(CheckWriteReply(bufferOf("\r\nOK\r\n" + frameEcho.substr(6) + "\r\nOK\r\n")));
}

TEST(LineSettings, ParsesTheCommSettingsText) {
    const auto settings = LineSettings::parse("9600,n,8,1");
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, LineSettings{});
    const auto other = LineSettings::parse("19200,E,7,2");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->parity, 'e');
    EXPECT_EQ(other->baudRate, 19200);
    EXPECT_FALSE(LineSettings::parse("9600,n,8"));
    EXPECT_FALSE(LineSettings::parse("fast,n,8,1"));
    EXPECT_FALSE(LineSettings::parse("9600,x,8,1"));
    EXPECT_FALSE(LineSettings::parse("9600,n,9,1"));
}

} // namespace
} // namespace vn574::link
