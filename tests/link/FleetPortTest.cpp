#include "codec/ImageCodec.h"
#include "codec/MemoryImage.h"
#include "document/RadioIdentity.h"
#include "files/BackupStore.h"
#include "files/ChannelFile.h"
#include "files/RadioList.h"
#include "files/ScopedEnvironment.h"
#include "link/FleetPort.h"
#include "rig/CloneRig.h"
#include "support/TestEnvironment.h"

#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vn574::test {
namespace {

const std::string plan = std::string(VN574_TEST_DATA_DIR) + "/demo-radio.vd";

// The image a write of the plan leaves in a radio: the radios of these tests hold it.
sim::Memory planImage() {
    EditorFixture fixture;
    (void)files::openChannelFile(fixture.editor, plan);
    fixture.editor.UpdateAllArray();
    codec::ImageCodec codec(fixture.editor);
    return *codec::encodeImage(fixture.editor, codec, 0xF0);
}

std::string ownIdIn(const sim::Memory& memory) {
    return files::identityOfImage(memory).tag;
}

class RecordingListener final : public link::FleetListener {
public:
    void phaseChanged(const std::string& port, int /*line*/, link::FleetPhase phase) override {
        phases[port].push_back(phase);
    }
    void progress(const std::string&, int, const std::string&, int) override {}
    void radioFinished(const files::FleetLogRow& row) override { rows.push_back(row); }

    std::map<std::string, std::vector<link::FleetPhase>> phases;
    std::vector<files::FleetLogRow> rows;
};

// Ports with simulated radios in virtual time, each with its own line and timers.
struct FleetRig {
    FleetRig() {
        environment.set(test::dataHomeVariable, fixture.dir.path() + "/data");
        fleet.planPath = plan;
        fleet.fast = true;
        fleet.intervals = {100, 100};
    }

    void addPort(const std::string& name, sim::RadioModel* radio,
                 std::vector<files::RadioRow> radios) {
        for (auto& row : radios) {
            row.port = name;
        }
        auto port = std::make_unique<PortState>(clock, radio);
        port->fleet = std::make_unique<link::FleetPort>(fixture.settings, fleet, radios, port->line,
                                                        port->timer, port->frameTimer, listener);
        ports[name] = std::move(port);
    }

    struct PortState {
        PortState(ManualClock& clock, sim::RadioModel* radio)
            : timer(clock), frameTimer(clock), line(clock, radio) {
            line.timer = &timer;
        }
        FakeTickTimer timer;
        FakeFrameTimer frameTimer;
        SimulatedLine line;
        std::unique_ptr<link::FleetPort> fleet;
    };

    // The next event of all ports, in time order; false when none is left before `limit`.
    bool step(long long limit) {
        PortState* next = nullptr;
        long long at = 0;
        int kind = 0;
        for (auto& [name, port] : ports) {
            const auto consider = [&](std::optional<long long> due, int what) {
                if (due && (next == nullptr || *due < at)) {
                    next = port.get();
                    at = *due;
                    kind = what;
                }
            };
            if (!port->fleet->sendingFrame()) {
                consider(port->line.nextArrival(), 0);
            }
            consider(port->frameTimer.due(), 1);
            consider(port->timer.isActive() ? std::optional(port->timer.nextDue()) : std::nullopt,
                     2);
        }
        if (next == nullptr || at > limit) {
            return false;
        }
        clock.now = std::max(clock.now, at);
        if (kind == 0) {
            if (next->line.isOpen()) {
                next->fleet->receiveEvent();
            } else {
                next->line.readAll();
            }
            next->line.notified();
        } else if (kind == 1) {
            next->frameTimer.fired();
            next->fleet->frameTimerStep();
        } else {
            next->timer.advance();
            next->fleet->tick();
        }
        return true;
    }
    bool runUntil(const std::function<bool()>& done, long long forMs = 3'600'000) {
        const long long limit = clock.now + forMs;
        while (!done()) {
            if (!step(limit)) {
                return done();
            }
        }
        return true;
    }
    void runFor(long long ms) {
        const long long until = clock.now + ms;
        runUntil([] { return false; }, ms);
        clock.now = std::max(clock.now, until);
    }
    bool allFinished() const {
        return std::all_of(ports.begin(), ports.end(),
                           [](const auto& port) { return port.second->fleet->finished(); });
    }
    void start() {
        for (auto& [name, port] : ports) {
            port->fleet->start();
        }
    }

    EditorFixture fixture;
    files::filetest::ScopedEnvironment environment;
    ManualClock clock;
    link::FleetSettings fleet;
    RecordingListener listener;
    std::map<std::string, std::unique_ptr<PortState>> ports;
};

files::RadioRow radioRow(int line, std::string label, std::optional<std::string> selfId) {
    files::RadioRow row;
    row.line = line;
    row.label = std::move(label);
    row.identity.selfId = std::move(selfId);
    return row;
}

TEST(FleetPort, RadiosOnOneCableOneAfterAnotherEachWithItsIdentity) {
    const sim::Memory image = planImage();
    sim::RadioModel first(image);
    sim::RadioModel second(image);
    sim::Faults unplugged;
    unplugged.silent = true; // the cable still echoes
    sim::RadioModel cableAlone(image, unplugged);
    FleetRig rig;
    rig.addPort("ttyUSB0", &first, {radioRow(2, "car 1", "111"), radioRow(3, "", "22222")});
    auto& port = *rig.ports["ttyUSB0"];
    rig.start();

    ASSERT_TRUE(rig.runUntil([&] { return port.fleet->phase() == link::FleetPhase::Waiting; }));
    ASSERT_EQ(rig.listener.rows.size(), 1U);
    EXPECT_TRUE(rig.listener.rows[0].ok) << rig.listener.rows[0].message;
    EXPECT_EQ(rig.listener.rows[0].verify, "ok");
    // Padded as the 5-tone dialog pads a typed own ID.
    EXPECT_EQ(rig.listener.rows[0].selfIdAfter, "11100");
    EXPECT_EQ(ownIdIn(first.memory()), "11100");
    EXPECT_NE(rig.listener.rows[0].backup.find("-car_1.img"), std::string::npos);

    // The radio is still there for a while: it answers, and nothing starts again.
    rig.runFor(2500);
    EXPECT_EQ(first.endFrames(), 3);
    port.line.setRadio(&cableAlone);
    rig.runFor(4000);
    EXPECT_EQ(port.fleet->phase(), link::FleetPhase::Waiting);
    EXPECT_GE(cableAlone.frames().size(), 3U);
    port.line.setRadio(&second);
    ASSERT_TRUE(rig.runUntil([&] { return port.fleet->finished(); }));

    ASSERT_EQ(rig.listener.rows.size(), 2U);
    EXPECT_TRUE(rig.listener.rows[1].ok) << rig.listener.rows[1].message;
    EXPECT_EQ(ownIdIn(second.memory()), "22222");
    EXPECT_NE(rig.listener.rows[1].backup.find("-3.img"), std::string::npos);
    // Two answered identifications, then the radio's own transfers.
    EXPECT_EQ(std::count(second.frames().begin(), second.frames().end(), "VN575"), 2 + 1);
}

TEST(FleetPort, OneRadioFailingLeavesTheOthersAndKeepModeKeepsEachRadiosOwnId) {
    const sim::Memory image = planImage();
    sim::Memory otherModel = image;
    otherModel[1] = 0x11;
    sim::Memory ownId = image;
    {
        EditorFixture fixture;
        (void)files::openChannelFile(fixture.editor, plan);
        document::RadioIdentity identity;
        identity.selfId = "54321";
        ASSERT_EQ(document::applyIdentity(fixture.editor, identity), "");
        fixture.editor.UpdateAllArray();
        codec::ImageCodec codec(fixture.editor);
        ownId = *codec::encodeImage(fixture.editor, codec, 0xF0);
    }
    sim::RadioModel wrong(otherModel);
    sim::RadioModel keeps(ownId);
    sim::RadioModel given(ownId);
    FleetRig rig;
    rig.fleet.keepIdentity = true;
    rig.addPort("ttyUSB0", &wrong, {radioRow(2, "wrong", std::nullopt)});
    rig.addPort("ttyUSB1", &keeps, {radioRow(3, "keeps", std::nullopt)});
    rig.addPort("ttyUSB2", &given, {radioRow(4, "given", "777")});
    rig.start();
    ASSERT_TRUE(rig.runUntil([&] { return rig.allFinished(); }));

    ASSERT_EQ(rig.listener.rows.size(), 3U);
    std::map<std::string, files::FleetLogRow> byLabel;
    for (const auto& row : rig.listener.rows) {
        byLabel[row.label] = row;
    }
    EXPECT_FALSE(byLabel["wrong"].ok);
    EXPECT_EQ(byLabel["wrong"].blocksWritten, 0);
    EXPECT_EQ(byLabel["wrong"].verify, "");
    EXPECT_TRUE(wrong.writtenBlocks().empty());
    EXPECT_TRUE(byLabel["keeps"].ok) << byLabel["keeps"].message;
    EXPECT_EQ(byLabel["keeps"].selfIdBefore, "54321");
    EXPECT_EQ(ownIdIn(keeps.memory()), "54321");
    EXPECT_TRUE(byLabel["given"].ok) << byLabel["given"].message;
    EXPECT_EQ(ownIdIn(given.memory()), "77700");
}

TEST(FleetPort, PlanThatCannotBeWrittenIsRefusedBeforeAnyRadio) {
    EditorFixture fixture;
    EXPECT_NE(link::checkFleet(fixture.settings, fixture.dir.file("missing.vd"), {}, "r.csv")
                  .find("missing.vd: the plan cannot be opened"),
              std::string::npos);
    EXPECT_EQ(link::checkFleet(fixture.settings, plan, {radioRow(2, "a", "123")}, "r.csv"), "");
}

} // namespace
} // namespace vn574::test
