#include "files/BackupStore.h"
#include "files/ImageFile.h"
#include "files/ScopedEnvironment.h"
#include "files/TransferHistory.h"
#include "link/CloneFrames.h"
#include "link/TransferChain.h"
#include "rig/CloneRig.h"

#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vn574::test {
namespace {

using link::ChainPlan;
using link::ChainStep;

class RecordingChainView final : public link::ChainView {
public:
    void stepStarted(ChainStep step) override { steps.push_back(step); }
    void showProgress(ChainStep /*step*/, const std::string& /*text*/, int /*value*/) override {}
    void setStartCaption(const std::string& /*caption*/) override {}
    void chainEnded() override { ++ended; }

    std::vector<ChainStep> steps;
    int ended = 0;
};

bool isChannelBlockOfUnusedRow(int block, int rowsInUse) {
    return block >= 32 && block <= 231 && (block - 30) / 2 > rowsInUse;
}

// The frames of a read of a radio whose first `rowsInUse` channels are in use.
std::vector<std::string> backupFrames(int rowsInUse) {
    std::vector<std::string> frames;
    for (int block = 0; block < 512; ++block) {
        if (!isChannelBlockOfUnusedRow(block, rowsInUse)) {
            frames.push_back(link::readFrame(block));
        }
    }
    frames.push_back(link::endFrame());
    return frames;
}

std::vector<std::string> preRead() {
    return {link::readFrame(0), link::readFrame(1), link::readFrame(2), link::readFrame(3),
            link::readFrame(4)};
}

std::vector<std::string> writeFrames(const sim::Memory& source, const std::vector<int>& blocks) {
    auto frames = preRead();
    frames.push_back(link::identFrame());
    for (const int block : blocks) {
        frames.push_back(link::writeFrame(block, sim::blockDigits(source, block)));
    }
    frames.push_back(link::endFrame());
    return frames;
}

std::vector<std::string> verifyFrames(const std::vector<int>& blocks) {
    auto frames = preRead();
    for (const int block : blocks) {
        frames.push_back(link::readFrame(block));
    }
    frames.push_back(link::endFrame());
    return frames;
}

std::vector<int> documentBlocks(int rowsInUse) {
    std::vector<int> blocks;
    for (int block = 16; block < 512; ++block) {
        if (!isChannelBlockOfUnusedRow(block, rowsInUse)) {
            blocks.push_back(block);
        }
    }
    return blocks;
}

template <typename... Lists> std::vector<std::string> joined(const Lists&... lists) {
    std::vector<std::string> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

bool sameBlock(const sim::Memory& a, const sim::Memory& b, int block) {
    return std::equal(a.begin() + block * 16, a.begin() + block * 16 + 16, b.begin() + block * 16);
}

// A radio on the simulated line, a document of `documentRows` channels (the rig's
// image-copying codec), and the data folder in the rig's temporary folder.
struct ChainRig : CloneRig {
    ChainRig(const sim::Memory& radioMemory, int documentRows, sim::Faults faults = {})
        : CloneRig(radioMemory, faults) {
        environment.set(test::dataHomeVariable, dir.path() + "/data");
        codec.source = sampleRadio(documentRows);
        setGridRowsInUse(editor, documentRows);
    }

    const link::ChainResult& run(ChainPlan plan) {
        plan.documentCodec = &codec;
        plan.intervals = intervals;
        chain = std::make_unique<link::TransferChain>(editor, state, line, timer, frameTimer,
                                                      chainView, std::move(plan));
        drive(*chain);
        if (chain->start()) {
            runUntil([this] { return chain->result().ended; });
        }
        return chain->result();
    }

    [[nodiscard]] std::vector<files::TransferRecord> history() const {
        return files::TransferHistory::standard().read().records;
    }
    [[nodiscard]] bool anyWriteFrame() const {
        return std::any_of(radio.frames().begin(), radio.frames().end(), [](const auto& frame) {
            return frame == link::identFrame() || (frame.size() > 9 && frame[8] == 'W');
        });
    }

    files::filetest::ScopedEnvironment environment;
    RecordingChainView chainView;
    std::unique_ptr<link::TransferChain> chain;
};

ChainPlan safeWrite(bool onlyChanged = false) {
    ChainPlan plan;
    plan.backup = true;
    plan.verify = true;
    plan.onlyChanged = onlyChanged;
    return plan;
}

TEST(TransferChain, SafeWriteBacksUpWritesAndVerifiesOnOnePort) {
    const sim::Memory before = sampleRadio(3);
    ChainRig rig(before, 5);
    const auto& result = rig.run(safeWrite());

    ASSERT_TRUE(result.ok);
    const auto blocks = documentBlocks(5);
    EXPECT_EQ(rig.radio.frames(),
              joined(backupFrames(3), writeFrames(rig.codec.source, blocks), verifyFrames(blocks)));
    EXPECT_EQ(rig.chainView.steps,
              (std::vector<ChainStep>{ChainStep::Backup, ChainStep::Write, ChainStep::Verify}));
    // The window's and the chain's tries of the port, then one open for all three.
    EXPECT_EQ(rig.line.opens, 3);
    EXPECT_FALSE(rig.line.isOpen());
    // Only the last step says the transfer completed; the document is left alone.
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{rig.text("msg3")});
    EXPECT_FALSE(rig.editor.document().bModify);

    // The backup holds what the radio held, blocks not read as zeros, owner-only.
    codec::MemoryImage image{};
    ASSERT_EQ(files::readImageFile(result.backupPath, image), "");
    for (int block = 0; block < 512; ++block) {
        const bool read = !isChannelBlockOfUnusedRow(block, 3);
        EXPECT_TRUE(sameBlock(image, read ? before : sim::Memory{}, block)) << block;
    }

    const auto rows = rig.history();
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].operation, files::TransferOperation::Backup);
    EXPECT_EQ(rows[1].operation, files::TransferOperation::Write);
    EXPECT_EQ(rows[1].blocksSent, static_cast<int>(blocks.size()));
    EXPECT_EQ(rows[1].backup, result.backupPath);
    EXPECT_EQ(rows[2].operation, files::TransferOperation::Verify);
    EXPECT_TRUE(rows[0].ok && rows[1].ok && rows[2].ok);
    EXPECT_EQ(rows[1].model, "66AA33");
}

TEST(TransferChain, NextTransferStartsOneTickAfterTheEndFrame) {
    ChainRig rig(sampleRadio(1), 1);
    ASSERT_TRUE(rig.run(safeWrite()).ok);
    const auto& writes = rig.line.writes;
    // The end frame's line end, then the next transfer's first frame.
    std::vector<long long> gaps;
    for (std::size_t k = 1; k + 1 < writes.size(); ++k) {
        if (writes[k - 1].bytes == link::endFrame()) {
            gaps.push_back(writes[k + 1].at - writes[k].at);
        }
    }
    ASSERT_EQ(gaps.size(), 2U);
    for (const long long gap : gaps) {
        EXPECT_GE(gap, rig.intervals.transferMs);
        EXPECT_LE(gap, rig.intervals.transferMs + 40);
    }
}

TEST(TransferChain, NothingIsWrittenAfterAFailedBackupOrToAnotherModel) {
    {
        sim::Faults faults;
        faults.freezeAfterBlock = 20;
        ChainRig rig(sampleRadio(3), 3, faults);
        const auto& result = rig.run(safeWrite());
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failedStep, ChainStep::Backup);
        EXPECT_FALSE(rig.anyWriteFrame());
        EXPECT_EQ(rig.prompts.messages.back(), rig.editor.langText("RW", "rw027"));
        EXPECT_TRUE(result.backupPath.empty());
        ASSERT_EQ(rig.history().size(), 1U);
        EXPECT_FALSE(rig.history()[0].ok);
    }
    {
        sim::Memory otherBand = sampleRadio(3);
        otherBand[3] = 0x34; // 66AA34
        ChainRig rig(otherBand, 3);
        const auto& result = rig.run(safeWrite());
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(rig.anyWriteFrame());
        EXPECT_EQ(rig.prompts.messages.back(), rig.text("msgbanddif"));
        EXPECT_FALSE(result.backupPath.empty()); // the wrong radio's memory is kept too
    }
}

TEST(TransferChain, VerifyFindsBlocksTheRadioDidNotStoreOrStoredWrong) {
    sim::Faults faults;
    faults.dropWriteBlock = 20;
    faults.corruptWriteBlock = 40;
    ChainRig rig(sampleRadio(5), 5, faults);
    rig.codec.source[20 * 16] ^= 0x5A; // so that a dropped block 20 differs
    const auto& result = rig.run(safeWrite());

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedStep, ChainStep::Verify);
    EXPECT_TRUE(result.radioChanged);
    ASSERT_EQ(result.differences.size(), 2U);
    EXPECT_EQ(result.differences[0].block, 20);
    EXPECT_EQ(result.differences[1].block, 40);
    EXPECT_EQ(result.differences[0].held, sim::blockDigits(rig.radio.memory(), 20));
    EXPECT_EQ(link::differenceLine(result.differences[1]),
              "block 40 0x0280 sent " + sim::blockDigits(rig.codec.source, 40) + " radio " +
                  sim::blockDigits(rig.radio.memory(), 40));
    EXPECT_NE(rig.prompts.messages.back().find(link::differenceLine(result.differences[0])),
              std::string::npos);
    const auto rows = rig.history();
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_FALSE(rows[2].ok);
    EXPECT_EQ(rows[2].blocksDiffering, 2);
}

TEST(TransferChain, OnlyChangedSendsTheBlocksThatDifferAndThoseTheBackupCouldNotRead) {
    // The radio already holds the document's data, but for channel 2, and channel 4 is
    // not in use in the radio, so the backup never read its blocks.
    sim::Memory before = sampleRadio(5);
    before[34 * 16 + 3] ^= 0x11;                       // channel 2, first block
    before[18 * 16] = static_cast<std::uint8_t>(0xE8); // rows 1, 2, 3 and 5 in use
    ChainRig rig(before, 5);
    rig.codec.source = sampleRadio(5);
    const auto& result = rig.run(safeWrite(true));

    ASSERT_TRUE(result.ok);
    // Block 18 differs too: the document has channel 4 in use.
    const std::vector<int> sent{18, 34, 38, 39};
    EXPECT_EQ(rig.radio.writtenBlocks(), sent);
    // The radio ends as after a full write.
    for (const int block : documentBlocks(5)) {
        EXPECT_TRUE(sameBlock(rig.radio.memory(), rig.codec.source, block)) << block;
    }
    const auto& frames = rig.radio.frames();
    const auto verifyStart = frames.end() - static_cast<std::ptrdiff_t>(verifyFrames(sent).size());
    EXPECT_EQ(std::vector<std::string>(verifyStart, frames.end()), verifyFrames(sent));
}

TEST(TransferChain, RestoreWritesTheBackupsOwnBytesAndRefusesAnotherModel) {
    sim::Memory backup = sampleRadio(2, "old");
    const sim::Memory radioNow = sampleRadio(4, "new");
    {
        ChainRig rig(radioNow, 0);
        rig.prompts.passwords = {std::string("new"), std::string("old")};
        ChainPlan plan;
        plan.goal = ChainPlan::Goal::Restore;
        plan.image = backup;
        plan.file = "backup.img";
        const auto& result = rig.run(plan);
        ASSERT_TRUE(result.ok);
        std::vector<int> blocks{4};
        const auto rest = documentBlocks(2);
        blocks.insert(blocks.end(), rest.begin(), rest.end());
        EXPECT_EQ(rig.radio.writtenBlocks(), blocks);
        for (const int block : blocks) {
            EXPECT_TRUE(sameBlock(rig.radio.memory(), backup, block)) << block;
        }
        // The verify's gate met the password just restored without asking.
        EXPECT_EQ(rig.prompts.passwordRequests, 1);
        EXPECT_EQ(rig.history()[0].operation, files::TransferOperation::Restore);
        EXPECT_EQ(rig.history()[0].backup, "backup.img");
    }
    {
        backup[1] = 0x11; // another type of radio
        ChainRig rig(radioNow, 0);
        rig.prompts.passwords = {std::string("new")};
        ChainPlan plan;
        plan.goal = ChainPlan::Goal::Restore;
        plan.image = backup;
        const auto& result = rig.run(plan);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.radioChanged);
        EXPECT_TRUE(rig.radio.writtenBlocks().empty());
        EXPECT_EQ(rig.prompts.messages.back(), rig.text("msgmodeltypedif"));
    }
}

TEST(TransferChain, AWriteThatFailsAfterItsFirstBlockLeavesTheBackupToRestore) {
    sim::Faults faults;
    faults.writeErrorBlock = 40;
    ChainRig rig(sampleRadio(5), 5, faults);
    const auto& result = rig.run(safeWrite());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedStep, ChainStep::Write);
    EXPECT_TRUE(result.radioChanged);
    EXPECT_FALSE(result.backupPath.empty());
    EXPECT_EQ(rig.prompts.messages.back(), rig.text("msg2"));
    EXPECT_EQ(rig.history().back().operation, files::TransferOperation::Write);
    EXPECT_FALSE(rig.history().back().ok);

    // A second try keeps that backup as the restore point and saves no other.
    ChainRig retry(rig.radio.memory(), 5);
    ChainPlan plan = safeWrite();
    plan.keptBackup = result.backupPath;
    EXPECT_TRUE(retry.run(plan).ok);
    EXPECT_EQ(retry.chain->result().backupPath, result.backupPath);
    EXPECT_TRUE(files::BackupStore::standard().list().entries.empty());
}

TEST(TransferChain, AfterAPasswordChangeLaterGatesUseTheNewPassword) {
    ChainRig rig(sampleRadio(2, "old"), 2);
    rig.prompts.passwords = {std::string("old")};
    ChainPlan plan = safeWrite();
    plan.passwordModify = true;
    plan.newPassword = "new";
    ASSERT_TRUE(rig.run(plan).ok);
    EXPECT_EQ(rig.prompts.passwordRequests, 1);
    EXPECT_EQ(rig.radio.writtenBlocks().front(), 4);
}

} // namespace
} // namespace vn574::test
