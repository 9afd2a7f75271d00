#include "codec/ImageCodec.h"
#include "link/CodecTransfer.h"
#include "rig/CloneRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vn574::test {
namespace {

using link::CloneOutcome;
using link::TransferMode;

// The clone engine with the real image codec between it and the document.
struct CodecRig : CloneRig {
    explicit CodecRig(const sim::Memory& memory) : CloneRig(memory), transfer(imageCodec) {
        useCodec(transfer);
    }
    codec::ImageCodec imageCodec{editor};
    link::CodecTransfer transfer;
};

sim::Memory radioWithChannels() {
    sim::Memory memory = *sim::buildMemory("66AA33", 0xF0, "");
    // Rows 1 and 3 in use: 245.5000 MHz, 5 kHz step, names "A" and "C".
    memory[18 * 16] = 0xA0;
    for (const int row : {1, 3}) {
        const std::size_t at = static_cast<std::size_t>(0x200 + 32 * (row - 1));
        memory[at + 4] = 0x02;
        memory[at + 5] = 0x45;
        memory[at + 6] = 0x50;
        memory[at + 16] = static_cast<std::uint8_t>('A' + row - 1 - 7);
    }
    return memory;
}

TEST(CodecTransfer, ReadFillsTheDocumentAndTheImageAsReceived) {
    CodecRig rig(radioWithChannels());
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    ASSERT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_EQ(rig.readBlocks().size(), 312U + 4U);
    EXPECT_EQ(rig.editor.grid().cell(1, document::colName), "A");
    EXPECT_EQ(rig.editor.grid().cell(3, document::colRxFreq), "245.5000");
    EXPECT_EQ(rig.editor.grid().cell(2, document::colStatus), rig.editor.words().inactive);
    EXPECT_EQ(rig.transfer.receivedImage(), rig.radio.memory());
}

TEST(CodecTransfer, ReadOfAModifiedDocumentFromAnotherModelAsksNothingAndCompletes) {
    // The save question was answered ("No") before the read; the model change that
    // block 0 brings must not ask it again under the running tick.
    CodecRig rig(*sim::buildMemory("665533", 0, "")); // model 8; the window has model 9
    rig.editor.document().bModify = true;
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().outcome(), CloneOutcome::Completed);
    EXPECT_TRUE(rig.prompts.questions.empty());
    EXPECT_EQ(rig.editor.selectedModel(), 8);
    EXPECT_TRUE(rig.editor.document().bModify);
}

TEST(CodecTransfer, WriteOfTheReadDocumentPutsTheSameChannelsIntoABlankRadio) {
    CodecRig reader(radioWithChannels());
    reader.engine().startButton();
    ASSERT_TRUE(reader.runUntilClosed());

    CodecRig writer(*sim::buildMemory("66AA33", 0xF0, ""));
    writer.editor.document() = reader.editor.document();
    writer.editor.grid() = reader.editor.grid();
    writer.openWindow(TransferMode::Write);
    writer.engine().startButton();
    ASSERT_TRUE(writer.runUntilClosed());
    ASSERT_EQ(writer.engine().outcome(), CloneOutcome::Completed) << writer.prompts.messages[0];
    const auto& written = writer.radio.memory();
    const auto& original = reader.radio.memory();
    EXPECT_TRUE(
        std::equal(written.begin() + 0x120, written.begin() + 0x130, original.begin() + 0x120));
    for (const std::size_t record : {0x200U, 0x240U}) { // rows 1 and 3
        EXPECT_TRUE(std::equal(written.begin() + static_cast<long>(record) + 4,
                               written.begin() + static_cast<long>(record) + 8,
                               original.begin() + static_cast<long>(record) + 4));
        EXPECT_EQ(written[record + 16], original[record + 16]);
    }
    // Row 2 is not in use: its blocks were left alone.
    EXPECT_TRUE(std::all_of(written.begin() + 0x220, written.begin() + 0x240,
                            [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(writer.framesNamed("ZT~F0220W" + sim::blockDigits(written, 34)), 0);
}

TEST(CodecTransfer, PreReadComparesTheRadiosModelWithTheSelectedOne) {
    CodecRig rig(*sim::buildMemory("665533", 0, "")); // model 8: same type, other band
    setGridRowsInUse(rig.editor, 1);
    rig.openWindow(TransferMode::Write);
    rig.engine().startButton();
    ASSERT_TRUE(rig.runUntilClosed());
    EXPECT_EQ(rig.engine().failureKey(), "msgbanddif");
    EXPECT_TRUE(rig.writtenBlocks().empty());
}

} // namespace
} // namespace vn574::test
