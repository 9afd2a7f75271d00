// vn574-cli fleet against simulated radios on real pseudo-terminals: two radios one after
// another on one cable, a radio of another model on a second cable at the same time, and
// a radio list refused before anything is sent. Fast pacing, 200 ms ticks, small radios.

#include "ProcessRunner.h"
#include "SampleRadio.h"
#include "files/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vn574::test {
namespace {

const std::string cli = VN574_CLI;
const std::string sim = VN574_RADIO_SIM;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        all.push_back(line);
    }
    return all;
}

TEST(FleetCli, OneCableAfterAnotherAndAFailingRadioBesideIt) {
    TempDir dir;
    files::filetest::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", dir.file("data"));
    const std::string config = dir.file("config");
    const std::string image = dir.file("radio.img");
    std::ofstream(image, std::ios::binary) << sampleRadioImage(3);
    std::string other = sampleRadioImage(3);
    other[1] = '\x11';
    const std::string otherImage = dir.file("other.img");
    std::ofstream(otherImage, std::ios::binary) << other;
    const std::string plan = dir.file("plan.vd");

    SimProcess cable({sim, "--image", image, "--next-image", image});
    SimProcess wrongModel({sim, "--image", otherImage});
    ASSERT_FALSE(cable.device().empty());
    ASSERT_FALSE(wrongModel.device().empty());
    ASSERT_EQ(runProcess({cli, "read", "--port", cable.device(), "-o", plan, "--fast", "--quiet",
                          "--config-dir", config})
                  .exitCode,
              0);

    const std::string badList = dir.file("bad.csv");
    std::ofstream(badList) << "port,colour\n" << cable.device() << ",red\n";
    const auto refused =
        runProcess({cli, "fleet", plan, "--radios", badList, "--config-dir", config});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("bad.csv line 1, column colour: unknown column"), std::string::npos)
        << refused.err;

    const std::string list = dir.file("radios.csv");
    std::ofstream(list) << "Label,PORT,self_id\nfirst," << cable.device() << ",111\nsecond,"
                        << cable.device() << ",22222\nwrong," << wrongModel.device() << ",333\n";
    const std::string log = dir.file("log.csv");
    const auto fleet = runProcess({cli, "fleet", plan, "--radios", list, "--log", log, "--fast",
                                   "--tick-ms", "200", "--quiet", "--config-dir", config},
                                  600);
    EXPECT_EQ(fleet.exitCode, 1) << fleet.err;
    const auto rows = lines(fleet.out);
    ASSERT_EQ(rows.size(), 3U) << fleet.out << fleet.err;
    EXPECT_NE(fleet.err.find("Connect the next radio to " + cable.device()), std::string::npos);
    int ok = 0;
    for (const auto& row : rows) {
        const bool good = row.find(",ok,ok,") != std::string::npos;
        ok += good ? 1 : 0;
        EXPECT_EQ(good, row.find(",wrong,") == std::string::npos) << row;
    }
    EXPECT_EQ(ok, 2);
    EXPECT_NE(fleet.out.find(",first,33AA66,"), std::string::npos) << fleet.out;
    EXPECT_NE(fleet.out.find(",11100,"), std::string::npos);
    EXPECT_NE(fleet.out.find(",22222,"), std::string::npos);

    std::ifstream logFile(log, std::ios::binary);
    const std::string logText((std::istreambuf_iterator<char>(logFile)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(logText, "time,port,label,model,self_id_before,self_id_after,plan,plan_sha256,backup,"
                       "blocks_written,verify,result,message,seconds\r\n" +
                           fleet.out);
}

} // namespace
} // namespace vn574::test
