#include "app/PortNames.h"

#include <gtest/gtest.h>

namespace vn574::app {
namespace {

using Names = std::vector<std::string>;

TEST(PortNames, NumberIsTheTrailingDigits) {
    EXPECT_EQ(portNumber("ttyUSB12"), 12);
    EXPECT_EQ(portNumber("COM3"), 3);
    EXPECT_EQ(portNumber("/dev/pts/4"), 4);
    EXPECT_EQ(portNumber("ttyS"), -1);
    EXPECT_EQ(portNumber("rfcomm"), -1);
    EXPECT_EQ(portNumber("tty12345678901234"), -1);
}

TEST(PortNames, SerialDeviceComesBeforeTheUsbDeviceOfTheSameNumber) {
    const Names sorted =
        sortPortNames({"ttyUSB1", "ttyACM0", "ttyS10", "ttyS1", "ttyUSB0", "ttyS0", "serial"});
    EXPECT_EQ(sorted,
              (Names{"ttyS0", "ttyACM0", "ttyUSB0", "ttyS1", "ttyUSB1", "ttyS10", "serial"}));
    EXPECT_EQ(sortPortNames({"COM12", "COM3", "COM7"}), (Names{"COM3", "COM7", "COM12"}));
}

TEST(PortNames, DefaultPortPrefersTheUsbDeviceOfTheLowestNumber) {
    EXPECT_EQ(initComPort({"ttyS0", "ttyUSB0"}), "ttyUSB0");
    EXPECT_EQ(initComPort({"ttyS1", "ttyS0", "ttyUSB1"}), "ttyS0");
    EXPECT_EQ(initComPort({"ttyACM2"}), "ttyACM2");
    EXPECT_EQ(initComPort({}), "");
    EXPECT_FALSE(isBuiltInSerial("ttySAC0"));
    EXPECT_TRUE(isBuiltInSerial("/dev/ttyS3"));
}

TEST(PortNames, PortNamedOnTheCommandLineJoinsTheListOnce) {
    EXPECT_EQ(withNamedPort({"ttyS0", "ttyUSB0"}, "/dev/pts/4"),
              (Names{"ttyS0", "ttyUSB0", "/dev/pts/4"}));
    EXPECT_EQ(withNamedPort({"ttyS0", "ttyUSB0"}, "/dev/ttyUSB0"), (Names{"ttyS0", "ttyUSB0"}));
    EXPECT_EQ(withNamedPort({"ttyS0"}, ""), Names{"ttyS0"});
}

} // namespace
} // namespace vn574::app
