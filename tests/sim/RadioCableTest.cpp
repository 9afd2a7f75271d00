#include "sim/RadioCable.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace vn574::sim {
namespace {

constexpr std::string_view ok = "\r\nOK\r\n";

std::string joined(const std::vector<Emission>& emissions) {
    std::string bytes;
    for (const auto& e : emissions) {
        bytes += e.bytes;
    }
    return bytes;
}

Memory filled(std::uint8_t value) {
    Memory memory{};
    memory.fill(value);
    return memory;
}

// What comes back for one frame sent at `ms`, without the echo of the frame itself.
std::string answer(RadioCable& cable, std::string_view frame, std::int64_t ms) {
    const std::string sent = std::string(frame) + "\r\n";
    const std::string back = joined(cable.receive(sent, ms));
    EXPECT_TRUE(back.starts_with(sent)) << frame << " at " << ms;
    return back.substr(std::min(sent.size(), back.size()));
}

TEST(RadioCable, HandsTheCableToTheNextRadioAfterAQuietSecondAndAnEchoOnlyGap) {
    RadioCable cable({filled(0x11), filled(0x22)});
    const std::string readFrame = "ZT~F0000R";
    EXPECT_EQ(answer(cable, readFrame, 0), "\r\n0000:" + std::string(32, '1') + "\r\n");
    EXPECT_EQ(answer(cable, "ZT~E", 100), "");
    // A chain goes on within the second: the radio stays, however long the chain takes.
    EXPECT_EQ(answer(cable, "VN575", 900), ok);
    EXPECT_EQ(answer(cable, readFrame, 1050).size(), 41U);
    EXPECT_FALSE(cable.advance(5000));
    EXPECT_EQ(answer(cable, "ZT~E", 5000), "");
    EXPECT_EQ(cable.nextChangeMs(), 6000);
    // Polls with the identification frame do not keep it on the cable.
    EXPECT_EQ(answer(cable, "VN575", 5999), ok);
    EXPECT_EQ(answer(cable, "VN575", 6000), "");
    EXPECT_TRUE(cable.unplugged());
    EXPECT_EQ(cable.nextChangeMs(), 10000);
    EXPECT_EQ(answer(cable, readFrame, 9999), "");
    EXPECT_EQ(cable.radioNumber(), 1);

    EXPECT_TRUE(cable.advance(10000));
    EXPECT_EQ(cable.radioNumber(), 2);
    EXPECT_EQ(answer(cable, "VN575", 10000), ok);
    EXPECT_EQ(answer(cable, readFrame, 10100), "\r\n0000:" + std::string(32, '2') + "\r\n");
    EXPECT_EQ(answer(cable, "ZT~F0100W" + std::string(32, '3'), 10200), ok);
    EXPECT_EQ(answer(cable, "ZT~E", 10300), "");
    EXPECT_EQ(cable.endFrames(), 3);
    EXPECT_EQ(cable.lastMemory()[256], 0x33);
    // The last radio stays on for good.
    EXPECT_FALSE(cable.nextChangeMs());
    EXPECT_EQ(answer(cable, "VN575", 60000), ok);
}

TEST(RadioCable, ACableWhoseLastRadioIsNotYetOnSavesThatRadioAsGiven) {
    RadioCable cable({filled(0x11), filled(0x22)});
    EXPECT_EQ(answer(cable, "VN575", 0), ok);
    EXPECT_EQ(answer(cable, "ZT~F0100W" + std::string(32, '3'), 10), ok);
    EXPECT_EQ(cable.lastMemory()[256], 0x22);

    std::string error;
    const auto options =
        parseSimOptions({"--model", "9", "--next-image", "a.img", "--next-image", "b.img"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->nextImages, (std::vector<std::string>{"a.img", "b.img"}));
}

} // namespace
} // namespace vn574::sim
