#include "codec/ImageCodec.h"
#include "link/CloneFrames.h"
#include "link/CodecTransfer.h"
#include "rig/CloneRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace vn574::test {
namespace {

using link::CloneOutcome;
using link::TransferMode;

std::vector<int> range(int from, int to) {
    std::vector<int> blocks(static_cast<std::size_t>(to - from + 1));
    std::iota(blocks.begin(), blocks.end(), from);
    return blocks;
}

// A radio of model 9 with nothing else in it, and a document to write whose blocks
// are all different from what the radio holds.
struct WriteRig : CloneRig {
    explicit WriteRig(int activeRows = 100, sim::Faults faults = {}, std::string_view password = "")
        : CloneRig(*sim::buildMemory("66AA33", 0xF0, password), faults) {
        codec.source = sampleRadio(activeRows);
        setGridRowsInUse(editor, activeRows);
        openWindow(TransferMode::Write);
    }
    [[nodiscard]] bool radioHoldsSourceBlock(int block) const {
        return std::equal(radio.memory().begin() + block * 16,
                          radio.memory().begin() + block * 16 + 16,
                          codec.source.begin() + block * 16);
    }
};

// The identification (-1) and each block, in the order their first frames went out,
// with the times of that frame's text part and of its line end.
struct FirstFrame {
    int frame;
    long long textAt;
    long long lineEndAt;
};

std::vector<FirstFrame> firstFrames(const CloneRig& rig) {
    std::vector<FirstFrame> first;
    const auto& writes = rig.line.writes;
    for (std::size_t k = 0; k + 1 < writes.size(); ++k) {
        const std::string& text = writes[k].bytes;
        const bool ident = text == "VN575";
        if (!ident && !(text.size() == 41 && text[8] == 'W')) {
            continue;
        }
        const int frame = ident ? -1 : std::stoi(text.substr(4, 4), nullptr, 16) / 16;
        if (std::none_of(first.begin(), first.end(),
                         [&](const FirstFrame& f) { return f.frame == frame; })) {
            first.push_back({frame, writes[k].at, writes[k + 1].at});
        }
    }
    return first;
}

// Whether no frame went out before the radio, answering `delayMs` after a line end,
// could have answered the frame before it.
bool eachFrameWaitedForTheAnswerBefore(const CloneRig& rig, int delayMs) {
    const auto first = firstFrames(rig);
    for (std::size_t k = 1; k < first.size(); ++k) {
        if (first[k].textAt < first[k - 1].lineEndAt + delayMs) {
            return false;
        }
    }
    return true;
}

TEST(CloneWrite, WindowOpensForWritingWithPasswordControlsReset) {
    WriteRig rig;
    EXPECT_EQ(rig.engine().caption(), "Write Data to Radio  (COMM Port:ttyUSB0)");
    EXPECT_EQ(rig.state.CurBlock, 16);
    EXPECT_FALSE(rig.engine().passwordModifyChecked());
    EXPECT_EQ(rig.engine().passwordBoxText(), "");
}

TEST(CloneWrite, ReadsFiveBlocksIdentifiesAndWritesEveryBlockFrom16) {
    WriteRig rig;
    const sim::Memory before = rig.radio.memory();
    rig.editor.document().bModify = true; // the write leaves it as it finds it
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());

    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg3")});
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    std::vector<std::string> expected;
    for (int b = 0; b <= 4; ++b) {
        expected.push_back(link::readFrame(b));
    }
    expected.push_back("VN575");
    const auto& frames = rig.radio.frames();
    EXPECT_EQ(std::vector<std::string>(frames.begin(), frames.begin() + 6), expected);
    EXPECT_EQ(rig.writtenBlocks(), range(16, 511));
    EXPECT_EQ(frames.back(), "ZT~E");
    for (int b = 16; b < 512; ++b) {
        ASSERT_TRUE(rig.radioHoldsSourceBlock(b)) << b;
    }
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 256, rig.radio.memory().begin()));
    EXPECT_TRUE(rig.editor.document().bModify);
    EXPECT_EQ(rig.timer.interval(), 100);
    EXPECT_EQ(rig.view.progressTexts.back(), "100%");
    EXPECT_EQ(test::readFile(rig.settings.paths.settingIni()).size(), 4U);
}

TEST(CloneWrite, RowsNotInUseOrWithEmptyStatusAreNotWritten) {
    WriteRig rig(10);
    rig.editor.grid().setCell(5, document::colStatus, "");
    rig.editor.setActiveStatus(60);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    auto expected = range(16, 39); // options, rows 1..4
    for (int b : range(42, 51)) {  // rows 6..10
        expected.push_back(b);
    }
    expected.push_back(150); // row 60
    expected.push_back(151);
    for (int b : range(232, 511)) {
        expected.push_back(b);
    }
    EXPECT_EQ(rig.writtenBlocks(), expected);
}

TEST(CloneWrite, PasswordModifyWritesBlockFourFirst) {
    WriteRig rig(2);
    rig.engine().setPasswordControls(true, "NEWPASS");
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    const auto written = rig.writtenBlocks();
    ASSERT_GE(written.size(), 2U);
    EXPECT_EQ(written[0], 4);
    EXPECT_EQ(written[1], 16);
    EXPECT_EQ(std::count(written.begin(), written.end(), 4), 1);
    const auto& memory = rig.radio.memory();
    EXPECT_EQ(std::string(memory.begin() + 64, memory.begin() + 71), "NEWPASS");
    EXPECT_EQ(memory[71], 0);
}

TEST(CloneWrite, AccentedPasswordIsOneByteBothWaysAndOtherCharactersAreRefused) {
    WriteRig rig(2);
    rig.engine().setPasswordControls(true, "\xE2\x82\xAC"); // the euro sign: no such byte
    rig.engine().startButton();
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("rw008")});
    EXPECT_TRUE(rig.line.writes.empty());
    EXPECT_FALSE(rig.state.bRunning);

    rig.prompts.messages.clear();
    rig.engine().setPasswordControls(true, "caf\xC3\xA9"); // "café" as typed (UTF-8)
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    ASSERT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    const auto& memory = rig.radio.memory();
    EXPECT_EQ(std::string(memory.begin() + 64, memory.begin() + 69), std::string("caf\xE9\0", 5));

    // Read back: the euro sign is refused with the same message, a near miss is asked
    // again, and "café" typed as before opens the radio.
    CloneRig reader(memory);
    reader.prompts.passwords = {std::string("\xE2\x82\xAC"), std::string("caf\xC3\xA8"),
                                std::string("caf\xC3\xA9")};
    reader.engine().startButton();
    ASSERT_TRUE(reader.runUntilClosed());
    EXPECT_EQ(reader.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(reader.prompts.passwordRequests, 3);
    EXPECT_EQ(reader.prompts.messages,
              (std::vector<std::string>{reader.text("rw008"), reader.text("msg3")}));
}

TEST(CloneWrite, OtherModelTypeOrBandStopsBeforeAnythingIsWritten) {
    for (const auto& [code, key] :
         {std::pair{"335533", "msgmodeltypedif"}, std::pair{"665533", "msgbanddif"}}) {
        WriteRig rig;
        rig.codec.selectedModelCode = code;
        rig.engine().startButton();
        ASSERT_TRUE(rig.runUntilClosed());
        EXPECT_EQ(rig.engine().failureKey(), key);
        EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text(key)});
        EXPECT_TRUE(rig.lastMessageEndedCleanly());
        EXPECT_TRUE(rig.writtenBlocks().empty());
        EXPECT_EQ(rig.framesNamed("VN575"), 0);
    }
}

TEST(CloneWrite, RefusedIdentificationEndsWithMsgversionPast512Bytes) {
    sim::Faults faults;
    faults.identError = true;
    WriteRig rig(100, faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msgversion");
    EXPECT_EQ(rig.state.WriteFault, 2);
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_TRUE(rig.writtenBlocks().empty());
    // Each try brings 7 echo and 9 answer bytes: the 33rd passes 512.
    EXPECT_EQ(rig.framesNamed("VN575"), 33);
}

TEST(CloneWrite, RefusedBlockEndsWithMsg2AndKeepsTheBlocksBefore) {
    sim::Faults faults;
    faults.writeErrorBlock = 100;
    WriteRig rig(100, faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msg2");
    EXPECT_EQ(rig.state.WriteFault, 1);
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_TRUE(rig.radioHoldsSourceBlock(99));
    EXPECT_FALSE(rig.radioHoldsSourceBlock(100));
    EXPECT_EQ(rig.framesNamed("ZT~E"), 0);
}

TEST(CloneWrite, UnansweredBlockEndsWithMsg2) {
    sim::Faults faults;
    faults.neverAnswerBlock = 300;
    WriteRig rig(100, faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msg2");
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    EXPECT_EQ(rig.writtenBlocks().back(), 299);
    EXPECT_GT(rig.framesNamed("ZT~F12C0W" + sim::blockDigits(rig.codec.source, 300)), 1);
}

TEST(CloneWrite, AcknowledgementLaterThanOneTickIsNeverTaken) {
    // The OK line of a slow radio lands behind the echo of the repeated frame.
    sim::Faults faults;
    faults.replyDelayMs = 120;
    WriteRig rig(100, faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msg2");
    EXPECT_TRUE(rig.writtenBlocks().size() > 1U);
    EXPECT_EQ(rig.writtenBlocks().front(), 16);
    EXPECT_EQ(rig.writtenBlocks().back(), 16);
}

TEST(CloneWrite, DocumentThatCannotBeEncodedSendsNothingAndLeavesTheWindowOpen) {
    // Channel 50's frequency is no number: the encoder refuses block 130 and says why.
    WriteRig rig(0);
    codec::ImageCodec imageCodec(rig.editor);
    link::CodecTransfer realCodec(imageCodec);
    rig.useCodec(realCodec);
    for (const int row : {1, 2, 51}) {
        rig.editor.ToggleChannelStatus(row); // in use, with the new channel's defaults
    }
    rig.editor.grid().setCell(51, document::colRxFreq, "abc");
    rig.editor.UpdateAllArray();
    const sim::Memory before = rig.radio.memory();
    rig.engine().startButton();
    rig.runFor(5000);
    ASSERT_EQ(rig.prompts.messages.size(), 1U);
    EXPECT_EQ(rig.prompts.messages[0],
              "Error channel 50 Data Format (the Rx frequency is not a number), please check!");
    EXPECT_TRUE(rig.line.writes.empty());
    EXPECT_EQ(rig.radio.memory(), before);
    EXPECT_TRUE(rig.engine().writeRefused());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Open);
    EXPECT_EQ(rig.view.closed, 0);
    EXPECT_FALSE(rig.timer.isActive());

    // A block of the wrong length that the encoder did not explain: "msg4", once.
    WriteRig other(100);
    other.codec.errorBlock = 300;
    other.codec.errorText = std::string(34, '0');
    other.engine().startButton();
    other.runFor(5000);
    EXPECT_EQ(other.prompts.messages, std::vector<std::string>{other.text("msg4")});
    EXPECT_TRUE(other.line.writes.empty());
    EXPECT_EQ(other.engine().outcome(), CloneOutcome::Open);
}

TEST(CloneWrite, StoppedAndStartedAgainBeginsWithThePreReadButNotTheIdentification) {
    WriteRig rig(100);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntil([&] { return rig.state.CurBlock == 40; }));
    rig.engine().startButton();
    rig.runFor(1000);
    const auto before = rig.radio.frames().size();
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    const std::vector<std::string> again(rig.radio.frames().begin() + static_cast<long>(before),
                                         rig.radio.frames().begin() + static_cast<long>(before) +
                                             6);
    EXPECT_EQ(again[0], link::readFrame(0));
    EXPECT_EQ(again[4], link::readFrame(4));
    EXPECT_EQ(again[5], "ZT~F0100W" + sim::blockDigits(rig.codec.source, 16));
    EXPECT_EQ(rig.framesNamed("VN575"), 1);
}

TEST(CloneWrite, PasswordRadioIsWrittenOnceThePasswordIsGiven) {
    WriteRig rig(5, {}, "1234");
    rig.prompts.passwords = {std::string("1234")};
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 1);
}

TEST(CloneWrite, CancelledPasswordEndsTheWriteBeforeAnythingIsWritten) {
    WriteRig rig(5, {}, "1234");
    rig.prompts.passwords = {std::nullopt};
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Closed);
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.writtenBlocks().empty());
    EXPECT_EQ(rig.framesNamed("VN575"), 0);
}

TEST(CloneWrite, NoByteAtAllSaysMsgopen) {
    sim::Faults faults;
    faults.silent = true;
    faults.noEcho = true;
    WriteRig rig(100, faults);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msgopen");
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
}

TEST(CloneWriteFast, PasswordGateIdentificationAndEveryBlockOnceWithoutWaitingForTicks) {
    WriteRig rig(100, {}, "PW");
    rig.prompts.passwords = {std::string("PW")};
    rig.engine().setFastPacing(true);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.prompts.passwordRequests, 1);
    EXPECT_EQ(rig.framesNamed("VN575"), 1);
    EXPECT_EQ(rig.writtenBlocks(), range(16, 511));
    for (int b = 16; b < 512; ++b) {
        ASSERT_TRUE(rig.radioHoldsSourceBlock(b)) << b;
    }
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    // Well under the 496 ticks of 100 ms a write at the tick needs.
    EXPECT_LT(rig.clock.now, 496 * 100 / 2);
}

// Answers name no block, so each counts only for the frame it answers. At the tick the
// buffer rules stay: an answer inside the frame's pauses is taken; the identification
// answered late (and so sent again) leaves a second answer that lands right behind the
// next frame's echo, which must not acknowledge that block; an answer given twice
// stands in front of the next echo unless both came together.
TEST(CloneWrite, EarlyLateAndDoubledAnswersAtTheTickFollowTheBufferRules) {
    struct Case {
        const char* name;
        int delayMs;
        int againMs;
        const char* failureKey;
    };
    for (const auto& c : {Case{"early", 5, -1, ""}, Case{"late", 115, -1, "msg2"},
                          Case{"doubled together", 5, 0, ""}, Case{"doubled", 5, 30, "msg2"}}) {
        SCOPED_TRACE(c.name);
        sim::Faults faults;
        faults.replyDelayMs = c.delayMs;
        faults.answerAgainAfterMs = c.againMs;
        WriteRig rig(100, faults);
        rig.engine().startButton();
        ASSERT_TRUE(rig.runUntilClosed());
        EXPECT_EQ(rig.engine().failureKey(), c.failureKey);
        EXPECT_TRUE(rig.lastMessageEndedCleanly());
        if (*c.failureKey == '\0') {
            EXPECT_EQ(rig.writtenBlocks(), range(16, 511));
        } else {
            ASSERT_FALSE(rig.writtenBlocks().empty());
            EXPECT_EQ(rig.writtenBlocks().back(), 16);
            EXPECT_EQ(rig.framesNamed("ZT~E"), 0);
        }
    }
}

// Fast pacing takes an answer wherever it stands behind the echo, but only the first
// answer to the frame waiting for one: a late answer to a frame sent again, the second
// answer to a frame sent twice and an answer given twice are passed over, so no frame
// goes out before the radio has answered the one before it.
TEST(CloneWriteFast, EarlyLateAndDoubledAnswersAcknowledgeOnlyTheirOwnFrame) {
    struct Case {
        const char* name;
        int delayMs;
        int againMs;
    };
    for (const auto& c : {Case{"early", 5, -1}, Case{"late", 125, -1}, Case{"just late", 115, -1},
                          Case{"doubled", 0, 3}, Case{"slow and doubled", 105, 2}}) {
        SCOPED_TRACE(c.name);
        sim::Faults faults;
        faults.replyDelayMs = c.delayMs;
        faults.answerAgainAfterMs = c.againMs;
        WriteRig rig(100, faults);
        rig.engine().setFastPacing(true);
        rig.engine().startButton();
        ASSERT_TRUE(rig.runUntilClosed());
        EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
        EXPECT_TRUE(rig.lastMessageEndedCleanly());
        EXPECT_TRUE(eachFrameWaitedForTheAnswerBefore(rig, c.delayMs));
        for (int b = 16; b < 512; ++b) {
            ASSERT_TRUE(rig.radioHoldsSourceBlock(b)) << b;
        }
        auto written = rig.writtenBlocks();
        EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
        written.erase(std::unique(written.begin(), written.end()), written.end());
        EXPECT_EQ(written, range(16, 511));
        if (c.delayMs < 100) {
            EXPECT_EQ(rig.framesNamed("VN575"), 1);
            EXPECT_EQ(rig.writtenBlocks().size(), 496U);
        }
    }
}

// A refusal that comes late is still the refusal of its block: the write ends with
// "msg2" and sends nothing after that block, also when it is the last one.
TEST(CloneWriteFast, LateRefusalEndsTheWriteAtItsBlock) {
    for (const int refused : {40, 511}) {
        SCOPED_TRACE(refused);
        sim::Faults faults;
        faults.replyDelayMs = 115;
        faults.writeErrorBlock = refused;
        WriteRig rig(100, faults);
        rig.engine().setFastPacing(true);
        rig.engine().startButton();
        ASSERT_TRUE(rig.runUntilClosed());
        EXPECT_EQ(rig.engine().failureKey(), "msg2");
        EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg2")});
        EXPECT_TRUE(rig.lastMessageEndedCleanly());
        EXPECT_EQ(rig.framesNamed("ZT~E"), 0);
        EXPECT_EQ(firstFrames(rig).back().frame, refused);
        EXPECT_LE(
            std::count(rig.radio.frames().begin(), rig.radio.frames().end(),
                       link::writeFrame(refused, sim::blockDigits(rig.codec.source, refused))),
            2);
    }
}

// The frame's parts go out from the frame timer with the same pauses as ever, and a
// tick shorter than a frame waits for it: no frame starts inside another.
TEST(CloneWrite, FrameHalvesKeepTheirPausesAndATickNeverStartsInsideAFrame) {
    WriteRig rig(3);
    rig.intervals = {15, 15};
    rig.openWindow(TransferMode::Write);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    const auto& writes = rig.line.writes;
    ASSERT_EQ(writes.size() % 2, 0U);
    for (std::size_t k = 0; k + 1 < writes.size(); k += 2) {
        const int pause =
            writes[k].bytes.size() == 41 ? link::writeFramePauseMs : link::shortFramePauseMs;
        ASSERT_EQ(writes[k + 1].bytes, "\r\n") << k;
        EXPECT_EQ(writes[k + 1].at - writes[k].at, pause) << writes[k].bytes;
        if (k + 2 < writes.size()) {
            EXPECT_GE(writes[k + 2].at - writes[k + 1].at, pause) << writes[k].bytes;
        }
    }
    auto expected = range(16, 37);
    const auto tail = range(232, 511);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(rig.writtenBlocks(), expected);
}

} // namespace
} // namespace vn574::test
