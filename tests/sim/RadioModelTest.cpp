#include "sim/RadioModel.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace vn574::sim {
namespace {

std::string joined(const std::vector<Emission>& emissions) {
    std::string bytes;
    for (const auto& e : emissions) {
        bytes += e.bytes;
    }
    return bytes;
}

Memory sample() {
    Memory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i % 251);
    }
    return memory;
}

TEST(RadioModel, EchoesEveryByteAndAnswersWhenTheLineEnds) {
    RadioModel radio(sample());
    auto out = radio.receive("ZT~F0120R");
    EXPECT_EQ(joined(out), "ZT~F0120R");
    out = radio.receive("\r\n");
    ASSERT_EQ(out.size(), 2U);
    EXPECT_EQ(out[0].bytes, "\r\n");
    EXPECT_EQ(out[1].bytes, "\r\n0120:" + blockDigits(sample(), 18) + "\r\n");
    EXPECT_EQ(("ZT~F0120R\r\n" + out[1].bytes).size(), 52U);
    EXPECT_EQ(blockDigits(sample(), 18).substr(0, 4), "2526"); // bytes 288 and 289
}

TEST(RadioModel, IdentificationWriteAndEnd) {
    RadioModel radio(Memory{});
    const std::string data = "00112233445566778899AABBCCDDEEFF";
    // Data before the identification is refused.
    EXPECT_EQ(joined(radio.receive("ZT~F0100W" + data + "\r\n")),
              "ZT~F0100W" + data + "\r\n\r\nERROR\r\n");
    EXPECT_EQ(joined(radio.receive("VN575\r\n")), "VN575\r\n\r\nOK\r\n");
    EXPECT_EQ(joined(radio.receive("ZT~F0100W" + data + "\r\n")),
              "ZT~F0100W" + data + "\r\n\r\nOK\r\n");
    EXPECT_EQ(radio.memory()[256], 0x00);
    EXPECT_EQ(radio.memory()[257], 0x11);
    EXPECT_EQ(radio.memory()[271], 0xFF);
    EXPECT_EQ(radio.writtenBlocks(), std::vector<int>{16});
    EXPECT_EQ(joined(radio.receive("ZT~E\r\n")), "ZT~E\r\n");
    EXPECT_EQ(radio.endFrames(), 1);
    EXPECT_FALSE(radio.identified());
}

TEST(RadioModel, MalformedFramesAreRefusedOrIgnored) {
    RadioModel radio(Memory{});
    EXPECT_EQ(joined(radio.receive("ZT~F01a0R\r\n")), "ZT~F01a0R\r\n\r\nERROR\r\n");
    EXPECT_EQ(joined(radio.receive("ZT~F0121R\r\n")), "ZT~F0121R\r\n\r\nERROR\r\n");
    EXPECT_EQ(joined(radio.receive("ZT~F2000R\r\n")), "ZT~F2000R\r\n\r\nERROR\r\n");
    EXPECT_EQ(joined(radio.receive("HELLO\r\n")), "HELLO\r\n");
    EXPECT_TRUE(radio.frames().empty());
}

TEST(RadioModel, FaultsShapeTheAnswers) {
    Faults faults;
    faults.splitBytes = 8;
    faults.splitGapMs = 3;
    faults.replyDelayMs = 40;
    faults.garbageBytes = 2;
    RadioModel radio(sample(), faults);
    const auto out = radio.receive("ZT~F0000R\r\n");
    ASSERT_EQ(out.size(), 1U + 6U); // echo, then 43 bytes in pieces of 8
    EXPECT_EQ(out[0].delayMs, 0);
    EXPECT_EQ(out[1].delayMs, 40);
    EXPECT_EQ(out[6].delayMs, 55);
    EXPECT_EQ(out[6].bytes.size(), 3U);
    EXPECT_EQ(joined(out).substr(11, 2), std::string("\x00\xFF", 2));

    Faults quiet;
    quiet.silent = true;
    RadioModel silent(sample(), quiet);
    EXPECT_EQ(joined(silent.receive("VN575\r\n")), "VN575\r\n");

    Faults noEcho;
    noEcho.noEcho = true;
    noEcho.identError = true;
    RadioModel deaf(sample(), noEcho);
    EXPECT_EQ(joined(deaf.receive("VN575\r\n")), "\r\nERROR\r\n");

    Faults never;
    never.neverAnswerBlock = 1;
    RadioModel stubborn(sample(), never);
    EXPECT_EQ(joined(stubborn.receive("ZT~F0010R\r\n")), "ZT~F0010R\r\n");
    EXPECT_NE(joined(stubborn.receive("ZT~F0020R\r\n")), "ZT~F0020R\r\n");

    // Only the OK or ERROR comes twice, the echo and read replies once.
    Faults twice;
    twice.answerAgainAfterMs = 7;
    twice.replyDelayMs = 5;
    RadioModel doubled(sample(), twice);
    const auto ident = doubled.receive("VN575\r\n");
    ASSERT_EQ(ident.size(), 3U);
    EXPECT_EQ(ident[1].bytes, ident[2].bytes);
    EXPECT_EQ(ident[2].delayMs - ident[1].delayMs, 7);
    EXPECT_EQ(doubled.receive("ZT~F0000R\r\n").size(), 2U);
}

TEST(RadioModel, AcknowledgedWritesThatAreDroppedOrStoredWrong) {
    Faults faults;
    faults.dropWriteBlock = 16;
    faults.corruptWriteBlock = 17;
    RadioModel radio(sample(), faults);
    const std::string data = "00112233445566778899AABBCCDDEEFF";
    radio.receive("VN575\r\n");
    EXPECT_EQ(joined(radio.receive("ZT~F0100W" + data + "\r\n")),
              "ZT~F0100W" + data + "\r\n\r\nOK\r\n");
    EXPECT_EQ(joined(radio.receive("ZT~F0110W" + data + "\r\n")),
              "ZT~F0110W" + data + "\r\n\r\nOK\r\n");
    EXPECT_EQ(blockDigits(radio.memory(), 16), blockDigits(sample(), 16));
    EXPECT_EQ(blockDigits(radio.memory(), 17), "01112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(joined(radio.receive("ZT~F0110R\r\n")),
              "ZT~F0110R\r\n\r\n0110:01112233445566778899AABBCCDDEEFF\r\n");
    EXPECT_EQ(radio.writtenBlocks(), std::vector<int>{17});
}

TEST(RadioModel, BuildsAMemoryFromModelCodeOptionsAndPassword) {
    const auto memory = buildMemory("66aa33", 0xE0, "PASS");
    ASSERT_TRUE(memory);
    EXPECT_EQ((*memory)[1], 0x66);
    EXPECT_EQ((*memory)[2], 0xAA);
    EXPECT_EQ((*memory)[3], 0x33);
    EXPECT_EQ((*memory)[14], 0xE0);
    EXPECT_EQ(std::string(memory->begin() + 64, memory->begin() + 68), "PASS");
    EXPECT_EQ((*memory)[68], 0);
    EXPECT_FALSE(buildMemory("66AA3", 0, ""));
    EXPECT_FALSE(buildMemory("66AAXX", 0, ""));
    EXPECT_FALSE(buildMemory("66AA33", 0, "12345678901234567"));

    // A password put into an image replaces the whole field, a longer one nothing.
    Memory image = *buildMemory("66AA33", 0, "OLDPASSWORD");
    EXPECT_TRUE(putPassword(image, "NEW"));
    EXPECT_EQ(std::string(image.begin() + 64, image.begin() + 80),
              std::string("NEW") + std::string(13, '\0'));
    EXPECT_FALSE(putPassword(image, "12345678901234567"));
    EXPECT_EQ(std::string(image.begin() + 64, image.begin() + 67), "NEW");
}

TEST(SimOptions, ParsesImageModelFaultsAndPacing) {
    std::string error;
    auto options = parseSimOptions({"--model", "9", "--option-byte", "0xE0", "--password", "PW",
                                    "--fault", "write-error=20", "--fault", "split=4", "--fault",
                                    "silent", "--fault", "drop-write=30", "--fault",
                                    "corrupt-write=0x11", "--baud-pace", "--save", "out.img"},
                                   error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->model, 9);
    EXPECT_EQ(options->optionByte, 0xE0);
    EXPECT_EQ(options->faults.writeErrorBlock, 20);
    EXPECT_EQ(options->faults.splitBytes, 4);
    EXPECT_TRUE(options->faults.silent);
    EXPECT_EQ(options->faults.dropWriteBlock, 30);
    EXPECT_EQ(options->faults.corruptWriteBlock, 0x11);
    EXPECT_TRUE(options->baudPace);
    EXPECT_EQ(options->saveFile, "out.img");
    EXPECT_TRUE(options->passwordGiven);

    options =
        parseSimOptions({"--image", "a.img", "--password", "", "--fault", "answer-twice=4"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->passwordGiven);
    EXPECT_EQ(options->faults.answerAgainAfterMs, 4);
    EXPECT_FALSE(parseSimOptions({"--image", "a.img"}, error)->passwordGiven);

    EXPECT_FALSE(parseSimOptions({"--model", "32"}, error));
    EXPECT_FALSE(parseSimOptions({"--image", "a.img", "--model", "3"}, error));
    EXPECT_FALSE(parseSimOptions({}, error));
    EXPECT_FALSE(parseSimOptions({"--image", "a", "--fault", "delay"}, error));
    EXPECT_EQ(error, "--fault delay needs =N");
    EXPECT_FALSE(parseSimOptions({"--image", "a", "--fault", "corrupt-write"}, error));
    EXPECT_EQ(error, "--fault corrupt-write needs =N");
    EXPECT_FALSE(parseSimOptions({"--image", "a", "--fault", "sideways"}, error));
    EXPECT_FALSE(parseSimOptions({"--image"}, error));
}

} // namespace
} // namespace vn574::sim
