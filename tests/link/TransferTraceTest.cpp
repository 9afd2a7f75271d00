#include "link/TransferTrace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

namespace vn574::link {
namespace {

using ::testing::HasSubstr;

// A port whose incoming bytes the test queues; it records what is written.
class ScriptedPort final : public SerialPort {
public:
    std::string open(const std::string& name, const LineSettings&, Handshake) override {
        if (name == "busy") {
            return "in use";
        }
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    [[nodiscard]] bool isOpen() const override { return m_open; }
    void setBufferSizes(int, int) override {}
    void write(std::string_view bytes) override { written += bytes; }
    void discardInput() override { incoming.clear(); }
    [[nodiscard]] int bytesWaiting() const override { return static_cast<int>(incoming.size()); }
    std::string readAll() override { return std::exchange(incoming, std::string()); }

    std::string incoming;
    std::string written;

private:
    bool m_open = false;
};

struct TraceTest : ::testing::Test {
    long long now = 5000;
    TransferTrace trace{[this] { return now; }};
    ScriptedPort inner;
    TracingSerialPort port{inner, trace};
};

TEST_F(TraceTest, RecordsEveryByteBothWaysWithTimesFromTheFirstEvent) {
    ASSERT_EQ(port.open("ttyUSB0", LineSettings{}, Handshake::None), "");
    now += 10;
    port.write("R0010\r");
    now += 150;
    inner.incoming = std::string("R0010\r\n0123\x00\xFF", 13);
    EXPECT_EQ(port.readAll(), std::string("R0010\r\n0123\x00\xFF", 13));
    EXPECT_EQ(port.readAll(), ""); // nothing waiting: no entry
    now += 40;
    inner.incoming = "late echo";
    port.discardInput();
    EXPECT_EQ(inner.incoming, "");
    port.close();
    port.close(); // already closed: no second entry

    // Everything passed through unchanged.
    EXPECT_EQ(inner.written, "R0010\r");
    const auto& entries = trace.entries();
    ASSERT_EQ(entries.size(), 5U);
    EXPECT_EQ(entries[0].ms, 0);
    EXPECT_EQ(entries[1].ms, 10);
    EXPECT_EQ(entries[2].ms, 160);
    EXPECT_EQ(entries[3].kind, TransferTrace::Kind::Discarded);
    EXPECT_EQ(entries[3].data, "late echo");
    EXPECT_EQ(entries[4].kind, TransferTrace::Kind::Close);

    const std::string text = trace.text();
    EXPECT_THAT(text, HasSubstr("       0  open          ttyUSB0 9600,n,8,1, no handshake: "
                                "opened\n"));
    EXPECT_THAT(text, HasSubstr("      10  sent       6  R0010\\r\n"));
    EXPECT_THAT(text, HasSubstr("     160  recv      13  R0010\\r\\n0123\\x00\\xFF\n"));
    EXPECT_THAT(text, HasSubstr("     200  drop       9  late echo\n"));
}

TEST_F(TraceTest, FailedOpenAndNotesAreKeptAndClearStartsAgain) {
    EXPECT_EQ(port.open("busy", LineSettings{}, Handshake::RtsCts), "in use");
    trace.add(TransferTrace::Kind::Note, "transfer failed (port)");
    EXPECT_THAT(trace.text(), HasSubstr("busy 9600,n,8,1, RTS/CTS handshake: failed: in use"));
    EXPECT_THAT(trace.text(), HasSubstr("note          transfer failed (port)"));

    trace.clear();
    EXPECT_TRUE(trace.empty());
    now += 1000;
    port.write("x");
    EXPECT_EQ(trace.entries().front().ms, 0);
}

TEST_F(TraceTest, BlockFourDataIsMaskedEvenWhenItArrivesInPieces) {
    const std::string password(32, 'A');
    const std::string other = "0123456789ABCDEF0123456789ABCDEF";
    const std::string stars(32, '*');
    ASSERT_EQ(port.open("ttyUSB0", LineSettings{}, Handshake::None), "");
    port.write("ZT~F0040W" + password);
    port.write("ZT~F0050W" + other);
    inner.incoming = "ZT~F0040W" + password.substr(0, 5);
    port.readAll();
    inner.incoming = password.substr(5) + "\r\n\r\nOK\r\nZT~F0040R\r\n\r\n00";
    port.readAll();
    inner.incoming = "40:" + password + "\r\n\r\n0050:" + other + "\r\n";
    port.discardInput();
    EXPECT_EQ(inner.written, "ZT~F0040W" + password + "ZT~F0050W" + other);

    const auto& e = trace.entries();
    ASSERT_EQ(e.size(), 6U);
    EXPECT_EQ(e[1].data, "ZT~F0040W" + stars);
    EXPECT_EQ(e[2].data, "ZT~F0050W" + other);
    EXPECT_EQ(e[3].data, "ZT~F0040W*****");
    EXPECT_EQ(e[4].data, stars.substr(5) + "\r\n\r\nOK\r\nZT~F0040R\r\n\r\n00");
    EXPECT_EQ(e[5].data, "40:" + stars + "\r\n\r\n0050:" + other + "\r\n");
    EXPECT_THAT(trace.text(), HasSubstr("block 4, the radio password, is masked"));
}

TEST(TransferTraceText, EscapesWhatAUserCouldNotReadOrCopy) {
    EXPECT_EQ(TransferTrace::escaped(std::string("A\\\t\x7F\x1B ~", 7)), "A\\\\\\x09\\x7F\\x1B ~");
}

} // namespace
} // namespace vn574::link
