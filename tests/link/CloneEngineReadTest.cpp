#include "app/OptionFlags.h"
#include "link/CloneFrames.h"
#include "rig/CloneRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace vn574::test {
namespace {

using link::CloneOutcome;

std::vector<int> range(int from, int to) {
    std::vector<int> blocks(static_cast<std::size_t>(to - from + 1));
    std::iota(blocks.begin(), blocks.end(), from);
    return blocks;
}

TEST(CloneRead, LoadResetsTheWindowAndTriesThePortOnce) {
    CloneRig rig(sampleRadio(100));
    EXPECT_EQ(rig.line.opens, 1);
    EXPECT_EQ(rig.line.closes, 1);
    EXPECT_FALSE(rig.line.isOpen());
    EXPECT_EQ(rig.line.inputBufferSize, 1024);
    EXPECT_EQ(rig.line.outputBufferSize, 512);
    EXPECT_EQ(rig.line.openedNames.front(), "ttyUSB0");
    EXPECT_EQ(rig.line.lastHandshake, link::Handshake::None);
    EXPECT_EQ(rig.line.lastSettings, link::LineSettings{});
    EXPECT_EQ(rig.engine().caption(), "Read Data from Radio  (COMM Port:ttyUSB0)");
    EXPECT_EQ(rig.view.startCaption, "Start");
    EXPECT_EQ(rig.engine().progressText(), "0%");
    EXPECT_FALSE(rig.timer.isActive());
    EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST(CloneRead, FullRadioIsReadBlockByBlockAndMarksTheDocumentChanged) {
    CloneRig rig(sampleRadio(100));
    rig.settings.optionFlags = {};
    rig.engine().startButton();
    EXPECT_EQ(rig.view.startCaption, "Stop");
    EXPECT_EQ(rig.timer.interval(), 150);
    ASSERT_TRUE(rig.runUntilClosed());

    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
    EXPECT_EQ(rig.codec.decodedBlocks, range(0, 511));
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
    EXPECT_EQ(rig.framesNamed("ZT~E"), 1);
    EXPECT_EQ(rig.line.writes.back().bytes, "\r\n");
    EXPECT_EQ(rig.line.writes[rig.line.writes.size() - 2].bytes, "ZT~E");
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg3")});
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_TRUE(rig.editor.document().bModify);
    EXPECT_EQ(rig.prompts.passwordRequests, 0);
    EXPECT_EQ(rig.view.closed, 1);
    EXPECT_FALSE(rig.line.isOpen());
    // One block per tick: 512 read ticks and the end frame's.
    EXPECT_EQ(rig.clock.now, 513 * 150 + 20 + 20); // the frame's two pauses, then 20 ms
    EXPECT_EQ(rig.view.progressTexts.back(), "100%");
    EXPECT_EQ(rig.view.progressValues.back(), 512);
    // Setting.ini is written whenever the window closes.
    EXPECT_EQ(test::readFile(rig.settings.paths.settingIni()).size(), 4U);
}

TEST(CloneRead, ProgressIsTheBlockAsAWholePercent) {
    CloneRig rig(sampleRadio(100));
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    const auto& texts = rig.view.progressTexts;
    const auto& values = rig.view.progressValues;
    const auto textAt = [&](int block) {
        const auto at = std::find(values.begin(), values.end(), block);
        return at == values.end() ? std::string("missing")
                                  : texts[static_cast<std::size_t>(at - values.begin())];
    };
    EXPECT_EQ(textAt(0), "0%");
    EXPECT_EQ(textAt(3), "1%");
    EXPECT_EQ(textAt(256), "50%");
    EXPECT_EQ(textAt(511), "100%");
}

TEST(CloneRead, EmptyRadioSkipsEveryChannelBlock) {
    CloneRig rig(sampleRadio(0));
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks().size(), 312U);
    auto expected = range(0, 31);
    const auto tail = range(232, 511);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(rig.readBlocks(), expected);
}

TEST(CloneRead, OnlyChannelsInUseAreRead) {
    sim::Memory memory = sampleRadio(0);
    memory[18 * 16] = 0x41;      // rows 2 and 8
    memory[18 * 16 + 12] = 0x10; // row 100
    CloneRig rig(memory);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    const auto blocks = rig.readBlocks();
    const auto has = [&](int b) { return std::count(blocks.begin(), blocks.end(), b) == 1; };
    EXPECT_TRUE(has(34) && has(35));   // row 2
    EXPECT_TRUE(has(46) && has(47));   // row 8
    EXPECT_TRUE(has(230) && has(231)); // row 100
    EXPECT_FALSE(has(32) || has(36) || has(229));
    EXPECT_EQ(blocks.size(), 312U + 6U);
}

TEST(CloneRead, ReplyInPiecesIsTakenOnceItsFiftySecondByteArrives) {
    sim::Faults faults;
    faults.splitBytes = 5;
    faults.splitGapMs = 3;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().startButton();
    // Run through the first tick until block 0 is decoded.
    ASSERT_TRUE(rig.runUntil([&] { return !rig.codec.decodedBlocks.empty(); }));
    // The echo, then the 41 answer bytes in pieces of 5 from the line end on: the 9th
    // piece completes the reply.
    EXPECT_EQ(rig.clock.now, 150 + 10 + 8 * 3);
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
}

TEST(CloneRead, UnpluggedCableSaysMsgopenAfterElevenTicks) {
    CloneRig rig(sampleRadio(100), {}, /*radioConnected=*/false);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Failed);
    EXPECT_EQ(rig.engine().failureKey(), "msgopen");
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msgopen")});
    EXPECT_EQ(rig.clock.now, 11 * 150); // ten frames sent, the 11th tick fails
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_FALSE(rig.editor.document().bModify);
    EXPECT_EQ(rig.view.closed, 1);
}

TEST(CloneRead, EchoWithoutAnswerGivesUpTheThirdBufferWithMsg1) {
    sim::Faults faults;
    faults.silent = true;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msg1");
    EXPECT_EQ(rig.state.DiscardCount, 3);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg1")});
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    // 11 echo bytes per tick: a buffer is given up at its 24th echo.
    EXPECT_EQ(rig.readBlocks().size(), 3U * 24U);
    EXPECT_TRUE(rig.codec.decodedBlocks.empty());
}

TEST(CloneRead, TwoBuffersGivenUpAreSurvived) {
    sim::Faults faults;
    faults.silent = true;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.state.DiscardCount == 2; }));
    rig.radio = sim::RadioModel(rig.radio.memory(), {});
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
}

TEST(CloneRead, FailureFromBlock256OnSaysMsgversion) {
    sim::Faults faults;
    faults.neverAnswerBlock = 300;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msgversion");
    EXPECT_EQ(rig.state.ReadFault, 2);
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    // Blocks decoded so far stay; the document does not count as changed.
    EXPECT_EQ(rig.codec.decodedBlocks.back(), 299);
    EXPECT_FALSE(rig.editor.document().bModify);
}

TEST(CloneRead, ReplyCutByTheNextFramesEchoNeverReachesTheDecoder) {
    // The first answer comes so late that its second half lands behind the echo of
    // the repeated frame; the head still stands at index 11.
    sim::Faults faults;
    faults.replyDelayMs = 130;
    faults.splitBytes = 15;
    faults.splitGapMs = 10;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.line.writes.size() >= 4; })); // 2nd frame sent
    rig.runFor(20);
    ASSERT_GE(rig.engine().rxBuffer().size(), 52);
    EXPECT_EQ(rig.engine().rxBuffer().FindPattern("\r\n0000:"), 11);
    EXPECT_EQ(rig.state.CurBlock, 0);
    rig.radio = sim::RadioModel(rig.radio.memory(), {});
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_FALSE(rig.codec.sawBadDigits);
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
    EXPECT_EQ(rig.state.DiscardCount, 1);
}

TEST(CloneRead, StopAtFortyPercentAndStartAgainContinuesWithTheBlockDue) {
    CloneRig rig(sampleRadio(100));
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.state.CurBlock >= 205; }));
    rig.engine().startButton(); // stop
    EXPECT_FALSE(rig.timer.isActive());
    EXPECT_EQ(rig.view.startCaption, "Start");
    EXPECT_TRUE(rig.line.isOpen()); // the receiver is armed, the port stays open
    rig.runFor(5000);
    const int due = rig.state.CurBlock;
    const auto framesWhileStopped = rig.line.writes.size();
    rig.runFor(5000);
    EXPECT_EQ(rig.line.writes.size(), framesWhileStopped);

    rig.engine().startButton(); // continue
    ASSERT_TRUE(rig.runUntil([&] { return rig.line.writes.size() > framesWhileStopped; }));
    EXPECT_EQ(rig.line.writes[framesWhileStopped].bytes, link::readFrame(due));
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
    EXPECT_EQ(rig.codec.decodedBlocks, range(0, 511));
}

TEST(CloneRead, CloseButtonStopsTheReadAndKeepsWhatWasDecoded) {
    CloneRig rig(sampleRadio(100));
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.state.CurBlock == 40; }));
    rig.engine().closeButton();
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Closed);
    EXPECT_FALSE(rig.timer.isActive());
    EXPECT_FALSE(rig.line.isOpen());
    EXPECT_EQ(rig.codec.decodedBlocks.size(), 40U);
    EXPECT_FALSE(rig.editor.document().bModify);
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_EQ(test::readFile(rig.settings.paths.settingIni()).size(), 4U);
    const auto sent = rig.line.writes.size();
    rig.engine().tick();
    rig.engine().startButton();
    EXPECT_EQ(rig.line.writes.size(), sent);
}

TEST(CloneRead, PasswordIsAskedAfterBlockFourAndBeforeBlockFive) {
    CloneRig rig(sampleRadio(100, "SECRET"));
    rig.prompts.passwords = {std::string("SECRET")};
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.prompts.passwordRequests == 1; }));
    EXPECT_EQ(rig.readBlocks(), range(0, 4));
    EXPECT_EQ(rig.state.CurBlock, 5);
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 1);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
    EXPECT_EQ(rig.state.strEnteredPassword, "SECRET");
}

TEST(CloneRead, WrongPasswordIsAskedForAgainAndTheTypedOneIsRemembered) {
    CloneRig rig(sampleRadio(100, "Secret"));
    rig.prompts.passwords = {std::string("secret"), std::string("Secret")};
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 2);
    EXPECT_TRUE(rig.timer.isActive() == false);

    // A second read in the same run is not asked again.
    rig.openWindow(link::TransferMode::Read);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 2);
}

TEST(CloneRead, CancelledPasswordClosesTheWindowAtTheNextTickWithoutMessage) {
    CloneRig rig(sampleRadio(100, "PW"));
    rig.prompts.passwords = {std::nullopt};
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.prompts.passwordRequests == 1; }));
    EXPECT_TRUE(rig.timer.isActive()); // the password window switches it on again
    const auto sent = rig.line.writes.size();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Closed);
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_EQ(rig.line.writes.size(), sent);
    EXPECT_EQ(rig.readBlocks(), range(0, 4));
    EXPECT_FALSE(rig.timer.isActive());
}

TEST(CloneRead, PortThatCannotBeOpenedIsReportedAndTheWindowStays) {
    CloneRig rig(sampleRadio(10));
    rig.line.openError = "Permission denied";
    rig.openWindow(link::TransferMode::Read);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"Permission denied"});
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Open);
    rig.engine().startButton();
    EXPECT_FALSE(rig.timer.isActive());
    EXPECT_FALSE(rig.state.bRunning);
    rig.line.openError.clear();
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
}

TEST(CloneRead, OptionFlagsOfTheRadioReachSettingIniOnClose) {
    CloneRig rig(sampleRadio(10));
    rig.settings.optionFlags = app::OptionFlags::fromFeatureByte(0xA0);
    rig.engine().closeButton();
    const std::string stored = test::readFile(rig.settings.paths.settingIni());
    EXPECT_EQ(stored, std::string("\x01\x00\x01\x00", 4));
}

// Fast pacing sends each frame as soon as the reply before it is accepted: a block
// costs only its frame's two pauses here, where the radio answers at once.
TEST(CloneReadFast, EveryBlockOnceAndTheSameImageWithoutWaitingForTicks) {
    CloneRig rig(sampleRadio(100));
    rig.engine().setFastPacing(true);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
    EXPECT_EQ(rig.framesNamed("ZT~E"), 1);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg3")});
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_EQ(rig.view.progressValues.back(), 512);
    EXPECT_EQ(rig.clock.now, 150 + 512 * 20 + 20 + 20);
}

TEST(CloneReadFast, UnansweredBlockIsAskedAgainEachTickAndADeadLineEndsAfterElevenTicks) {
    sim::Faults faults;
    faults.freezeAfterBlock = 40;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().setFastPacing(true);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    std::vector<long long> asked;
    for (const auto& write : rig.line.writes) {
        if (write.bytes == link::readFrame(41)) {
            asked.push_back(write.at);
        }
    }
    // The frame sent at once, then again one whole tick after each sending (the first
    // time-out counts from the end of the frame, behind its two pauses).
    ASSERT_EQ(asked.size(), 11U);
    EXPECT_EQ(asked[1] - asked[0], 150 + 2 * link::shortFramePauseMs);
    for (std::size_t k = 2; k < asked.size(); ++k) {
        EXPECT_EQ(asked[k] - asked[k - 1], 150) << k;
    }
    EXPECT_EQ(rig.engine().failureKey(), "msg1");
    // Eleven silent ticks after the last frame was on the line.
    EXPECT_EQ(rig.clock.now - asked[0], 2 * link::shortFramePauseMs + 11 * 150);
    EXPECT_TRUE(rig.lastMessageEndedCleanly());

    // A line that comes back in time carries on at full speed.
    CloneRig again(sampleRadio(100), faults);
    again.engine().setFastPacing(true);
    again.engine().startButton();
    ASSERT_TRUE(again.runUntil([&] { return again.state.CurBlock == 41; }));
    again.runFor(3 * 150 + 10);
    again.radio = sim::RadioModel(again.radio.memory(), {});
    ASSERT_TRUE(again.runUntilClosed());
    EXPECT_EQ(again.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(again.codec.decodedBlocks, range(0, 511));
    EXPECT_EQ(again.codec.received, again.radio.memory());
}

TEST(CloneReadFast, PasswordGateRunsAfterBlockFourAsAtATick) {
    CloneRig rig(sampleRadio(100, "Secret"));
    rig.prompts.passwords = {std::string("secret"), std::string("Secret")};
    rig.engine().setFastPacing(true);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.prompts.passwordRequests == 1; }));
    EXPECT_EQ(rig.readBlocks(), range(0, 4));
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 2);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
}

TEST(CloneReadFast, ReplyAfterStopSendsNothingAndStartContinuesWithTheBlockDue) {
    sim::Faults faults;
    faults.replyDelayMs = 30;
    CloneRig rig(sampleRadio(100), faults);
    rig.engine().setFastPacing(true);
    rig.engine().startButton();
    // Stop while the frame for block 200 waits for its reply.
    ASSERT_TRUE(
        rig.runUntil([&] { return rig.state.CurBlock == 200 && !rig.engine().sendingFrame(); }));
    rig.engine().startButton();
    const auto sent = rig.line.writes.size();
    rig.runFor(5000);
    EXPECT_EQ(rig.state.CurBlock, 201);
    EXPECT_EQ(rig.line.writes.size(), sent);

    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
}

// A port that goes away under the transfer ends it at the next tick. The port's own
// account, whole sentences, is shown as it stands; a bare system text gets the name.
TEST(CloneRead, PortLostMidTransferSaysSoOnceInWholeSentences) {
    const std::string vanished =
        "The serial port ttyUSB0 has gone away during the transfer: the cable was unplugged.";
    for (const auto& [reason, expected] :
         {std::pair{vanished, "The transfer has stopped. " + vanished},
          std::pair{std::string("No such file or directory"),
                    std::string("The transfer has stopped. The COMM port ttyUSB0 is no longer "
                                "available: No such file or directory.")}}) {
        CloneRig rig(sampleRadio(100));
        rig.engine().startButton();
        ASSERT_TRUE(rig.runUntil([&] { return rig.state.CurBlock == 50; }));
        rig.line.close();
        rig.line.openError = reason;
        ASSERT_TRUE(rig.runUntilClosed());
        EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Failed);
        EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{expected});
        EXPECT_TRUE(rig.lastMessageEndedCleanly());
    }
}

// The line only ever carries whole frames: a stop or close pressed between the two
// parts of a frame takes effect once its line end and the pause behind it are out.
TEST(CloneRead, StopOrCloseMidFrameWaitsForTheWholeFrame) {
    CloneRig rig(sampleRadio(100));
    const auto midFrame = [&] {
        return rig.engine().sendingFrame() && rig.line.writes.back().bytes == link::readFrame(100);
    };
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil(midFrame));
    const long long pressed = rig.clock.now;
    rig.engine().startButton(); // stop
    EXPECT_TRUE(rig.state.bRunning);
    ASSERT_TRUE(rig.runUntil([&] { return !rig.state.bRunning; }));
    EXPECT_EQ(rig.clock.now - pressed, 2 * link::shortFramePauseMs);
    EXPECT_EQ(rig.line.writes.back().bytes, "\r\n");
    EXPECT_EQ(rig.view.startCaption, rig.text("rw003"));
    const auto sent = rig.line.writes.size();
    rig.runFor(1000);
    EXPECT_EQ(rig.line.writes.size(), sent);
    EXPECT_EQ(rig.framesNamed(link::readFrame(100)), 1);
    rig.engine().startButton(); // continue
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks(), range(0, 511));
    EXPECT_EQ(rig.codec.received, rig.radio.memory());
    for (const auto& write : rig.line.writes) {
        ASSERT_TRUE(write.bytes == "\r\n" || write.bytes.starts_with("ZT~")) << write.bytes;
    }

    // A write frame: the window goes once the line end and its pause are out.
    CloneRig closing(*sim::buildMemory("66AA33", 0xF0, ""));
    closing.codec.source = sampleRadio(100);
    setGridRowsInUse(closing.editor, 100);
    closing.openWindow(link::TransferMode::Write);
    closing.engine().startButton();
    ASSERT_TRUE(closing.runUntil([&] {
        return closing.engine().sendingFrame() && closing.line.writes.back().bytes.size() == 41;
    }));
    const long long closePressed = closing.clock.now;
    closing.engine().closeButton();
    EXPECT_EQ(closing.view.closed, 0);
    ASSERT_TRUE(closing.runUntilClosed());
    EXPECT_EQ(closing.clock.now - closePressed, 2 * link::writeFramePauseMs);
    EXPECT_EQ(closing.line.writes.back().bytes, "\r\n");
    EXPECT_EQ(closing.writtenBlocks(), range(16, 16));
    EXPECT_FALSE(closing.line.isOpen());
    EXPECT_EQ(closing.engine().outcome(), CloneOutcome::Closed);
}

} // namespace
} // namespace vn574::test
