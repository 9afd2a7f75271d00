#include "app/PortNames.h"

#include <gtest/gtest.h>

#include <map>

namespace vn574::app {
namespace {

using Names = std::vector<std::string>;

TEST(PortNames, SerialCommListsSerialThenVcpByIndexAndTheVcpPortIsTheDefault) {
    const std::map<std::string, std::string> values{{"\\Device\\Serial0", "COM3"},
                                                    {"\\Device\\VCP0", "COM7"},
                                                    {"COM2", "COM2"},
                                                    {"\\Device\\Serial2", "COM9"},
                                                    {"\\Device\\VCP1", "COM11"}};
    const SerialCommLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
    // "COM2" is looked at only for an index without a "\Device\Serial" value.
    EXPECT_EQ(serialCommPorts(lookup), (Names{"COM3", "COM7", "COM11", "COM9"}));
    EXPECT_EQ(serialCommDefaultPort(lookup), "COM7");

    const SerialCommLookup none = [](const std::string&) { return std::nullopt; };
    EXPECT_EQ(serialCommPorts(none), Names{});
    EXPECT_EQ(serialCommDefaultPort(none), "");
    const SerialCommLookup noPortName = [](const std::string& name) -> std::optional<std::string> {
        return name == "\\Device\\Serial0" ? std::optional<std::string>("serial") : std::nullopt;
    };
    EXPECT_EQ(serialCommDefaultPort(noPortName), "");
}

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
