// The fault matrix on the clone window's engine in virtual time: the path the main
// window's clone window drives, with the tick and the port under the test's control.
// For every fault: the transfer ends within a bounded time, with the right message
// (exactly one), shown with the tick already stopped and nothing sent after it; the
// port is closed, the window gone, and the document left as a failed transfer leaves
// it (not marked changed). Timing faults sit on either side of the last moment a reply is still
// taken within its tick.

#include "link/CloneFrames.h"
#include "rig/CloneRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <ostream>

namespace vn574::test {
namespace {

using link::CloneOutcome;
using link::TransferMode;

constexpr int readTick = 150;  // TickIntervals::transferMs
constexpr int writeTick = 100; // TickIntervals::afterGateMs
// The radio answers once the frame's line end is sent: the first pause into the tick.
// An answer delayed by more than the rest of the tick arrives after the next tick has
// emptied the port.
constexpr int readReplyBudget = readTick - link::shortFramePauseMs;
constexpr int writeReplyBudget = writeTick - link::writeFramePauseMs;

struct FaultRow {
    const char* name;
    TransferMode mode;
    sim::Faults faults;
    std::string expectedKey; // "" for a completed transfer
    long long limitMs;       // the transfer must have ended by then
};

sim::Faults with(const std::function<void(sim::Faults&)>& set) {
    sim::Faults faults;
    set(faults);
    return faults;
}

std::vector<FaultRow> rows() {
    const auto R = TransferMode::Read;
    const auto W = TransferMode::Write;
    return {
        {"ReadSilentRadio", R, with([](auto& f) { f.silent = true; }), "msg1", 80 * readTick},
        {"ReadNoEcho", R, with([](auto& f) { f.noEcho = true; }), "msg1", 200 * readTick},
        {"ReadUnplugged", R, with([](auto& f) { f.silent = f.noEcho = true; }), "msgopen",
         12 * readTick},
        {"ReadGarbage", R, with([](auto& f) { f.garbageBytes = 5; }), "msg1", 200 * readTick},
        {"ReadSplitReplies", R, with([](auto& f) { f.splitBytes = 3; }), "", 520 * readTick},
        {"ReadReplyJustInsideATick", R, with([](auto& f) { f.replyDelayMs = readReplyBudget; }), "",
         520 * readTick},
        {"ReadReplyJustOutsideATick", R,
         with([](auto& f) { f.replyDelayMs = readReplyBudget + 1; }), "msg1", 200 * readTick},
        {"ReadLowBlockNeverAnswered", R, with([](auto& f) { f.neverAnswerBlock = 20; }), "msg1",
         300 * readTick},
        {"ReadHighBlockNeverAnswered", R, with([](auto& f) { f.neverAnswerBlock = 300; }),
         "msgversion", 600 * readTick},
        {"WriteIdentificationRefused", W, with([](auto& f) { f.identError = true; }), "msgversion",
         100 * readTick},
        {"WriteBlockRefused", W, with([](auto& f) { f.writeErrorBlock = 40; }), "msg2",
         100 * readTick},
        {"WriteBlockNeverAnswered", W, with([](auto& f) { f.neverAnswerBlock = 40; }), "msg2",
         100 * readTick},
        {"WriteSplitReplies", W, with([](auto& f) { f.splitBytes = 4; }), "",
         20 * readTick + 520 * writeTick},
        {"WriteReplyJustInsideATick", W, with([](auto& f) { f.replyDelayMs = writeReplyBudget; }),
         "", 20 * readTick + 520 * writeTick},
        {"WriteReplyJustOutsideATick", W,
         with([](auto& f) { f.replyDelayMs = writeReplyBudget + 1; }), "msg2", 100 * readTick},
    };
}

// A rig for either direction: reads a full model 9 radio; writes 100 channels into a
// blank model 9 radio.
std::unique_ptr<CloneRig> rigFor(TransferMode mode, const sim::Faults& faults) {
    if (mode == TransferMode::Read) {
        return std::make_unique<CloneRig>(sampleRadio(100), faults);
    }
    auto rig = std::make_unique<CloneRig>(*sim::buildMemory("66AA33", 0xF0, ""), faults);
    rig->codec.source = sampleRadio(100);
    setGridRowsInUse(rig->editor, 100);
    rig->openWindow(TransferMode::Write);
    return rig;
}

void expectEndedCleanly(CloneRig& rig, const std::string& key) {
    EXPECT_FALSE(rig.timer.isActive());
    EXPECT_FALSE(rig.line.isOpen());
    EXPECT_EQ(rig.view.closed, 1);
    EXPECT_TRUE(rig.lastMessageEndedCleanly());
    if (key.empty()) {
        EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
        EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg3")});
    } else {
        EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Failed);
        EXPECT_EQ(rig.engine().failureKey(), key);
        EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text(key)});
    }
    // A tick or a start that comes late changes nothing.
    const auto sent = rig.line.writes.size();
    rig.engine().tick();
    rig.engine().startButton();
    EXPECT_EQ(rig.line.writes.size(), sent);
}

void PrintTo(const FaultRow& row, std::ostream* out) {
    *out << row.name;
}

class CloneFaultMatrix : public ::testing::TestWithParam<FaultRow> {};

TEST_P(CloneFaultMatrix, EndsInTimeWithTheRightMessageAndNothingAfter) {
    const FaultRow& row = GetParam();
    auto rig = rigFor(row.mode, row.faults);
    rig->engine().startButton();
    ASSERT_TRUE(rig->runUntilClosed(row.limitMs)) << "still running at " << rig->clock.now;
    expectEndedCleanly(*rig, row.expectedKey);
    if (row.mode == TransferMode::Read) {
        // Only a completed read marks the document as changed.
        EXPECT_EQ(rig->editor.document().bModify, row.expectedKey.empty());
    } else {
        EXPECT_FALSE(rig->editor.document().bModify);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFault, CloneFaultMatrix, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return std::string(info.param.name); });

// The cable pulled (or the radio switched off) after block 18: not a byte arrives any
// more, not even the echo. The frame due is sent at ten more ticks; the eleventh ends
// the transfer at that block.
TEST(CloneFaultMatrixDeadLine, LineDeadAfterBlock18EndsElevenTicksAfterTheLastByte) {
    for (const auto& [mode, key, frame] :
         {std::tuple{TransferMode::Read, "msg1", link::readFrame(19)},
          std::tuple{TransferMode::Write, "msg2",
                     link::writeFrame(19, sim::blockDigits(sampleRadio(100), 19))}}) {
        SCOPED_TRACE(key);
        sim::Faults faults;
        faults.freezeAfterBlock = 18;
        auto rig = rigFor(mode, faults);
        rig->engine().startButton();
        ASSERT_TRUE(rig->runUntilClosed(rig->clock.now + 60 * readTick));
        expectEndedCleanly(*rig, key);
        EXPECT_EQ(rig->state.CurBlock, 19);
        EXPECT_EQ(std::count_if(rig->line.writes.begin(), rig->line.writes.end(),
                                [&](const auto& w) { return w.bytes == frame; }),
                  10);
    }
}

// The radio reports another model (type or band): nothing but the pre-read is sent.
TEST(CloneFaultMatrixModel, OtherTypeOrBandGetsOnlyThePreRead) {
    for (const auto& [code, key] :
         {std::pair{"335533", "msgmodeltypedif"}, std::pair{"665533", "msgbanddif"}}) {
        SCOPED_TRACE(key);
        auto rig = rigFor(TransferMode::Write, {});
        rig->codec.selectedModelCode = code;
        rig->engine().startButton();
        ASSERT_TRUE(rig->runUntilClosed(20 * readTick));
        expectEndedCleanly(*rig, key);
        EXPECT_TRUE(rig->writtenBlocks().empty());
        EXPECT_EQ(rig->framesNamed("VN575"), 0);
    }
}

// A password radio: the wrong password is asked for again, the right one lets the
// transfer through; cancelling the password window ends it without a message.
TEST(CloneFaultMatrixPassword, WrongThenRightPasswordAndCancel) {
    for (const TransferMode mode : {TransferMode::Read, TransferMode::Write}) {
        SCOPED_TRACE(mode == TransferMode::Read ? "read" : "write");
        auto rig = mode == TransferMode::Read
                       ? std::make_unique<CloneRig>(sampleRadio(100, "Secret"))
                       : nullptr;
        if (!rig) {
            rig = std::make_unique<CloneRig>(*sim::buildMemory("66AA33", 0xF0, "Secret"));
            rig->codec.source = sampleRadio(100);
            setGridRowsInUse(rig->editor, 100);
            rig->openWindow(TransferMode::Write);
        }
        rig->prompts.passwords = {std::string("secret"), std::string("Secret")};
        rig->engine().startButton();
        ASSERT_TRUE(rig->runUntilClosed());
        EXPECT_EQ(rig->prompts.passwordRequests, 2);
        expectEndedCleanly(*rig, "");
    }
    auto rig = std::make_unique<CloneRig>(sampleRadio(100, "Secret"));
    rig->prompts.passwords = {std::nullopt};
    rig->engine().startButton();
    ASSERT_TRUE(rig->runUntilClosed(20 * readTick));
    EXPECT_EQ(rig->engine().outcome(), CloneOutcome::Closed);
    EXPECT_TRUE(rig->prompts.messages.empty());
    EXPECT_EQ(rig->readBlocks().size(), 5U);
    EXPECT_FALSE(rig->timer.isActive());
}

// The USB adapter pulled out in the middle of a transfer: the port closes under the
// engine and cannot be opened again. The failure names the port, the window goes,
// and the editor keeps working on the document.
TEST(CloneFaultMatrixPort, PortVanishingMidTransferIsReportedAndTheEditorStaysUsable) {
    for (const TransferMode mode : {TransferMode::Read, TransferMode::Write}) {
        SCOPED_TRACE(mode == TransferMode::Read ? "read" : "write");
        auto rig = rigFor(mode, {});
        rig->engine().startButton();
        ASSERT_TRUE(rig->runUntil([&] { return rig->state.CurBlock >= 60; }));
        rig->line.openError = "No such file or directory";
        rig->line.close();
        ASSERT_TRUE(rig->runUntilClosed(rig->clock.now + 5 * readTick));
        EXPECT_EQ(rig->engine().outcome(), CloneOutcome::Failed);
        ASSERT_EQ(rig->prompts.messages.size(), 1U);
        EXPECT_NE(rig->prompts.messages[0].find("ttyUSB0"), std::string::npos)
            << rig->prompts.messages[0];
        EXPECT_NE(rig->prompts.messages[0].find("No such file or directory"), std::string::npos);
        EXPECT_TRUE(rig->lastMessageEndedCleanly());
        EXPECT_FALSE(rig->timer.isActive());

        rig->editor.cellClicked(7, document::colName);
        rig->editor.setCell(7, document::colName, "AFTER");
        EXPECT_EQ(rig->editor.cell(7, document::colName), "AFTER");
        EXPECT_TRUE(rig->editor.document().bModify);
    }
}

} // namespace
} // namespace vn574::test
