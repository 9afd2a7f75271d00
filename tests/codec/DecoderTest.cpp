#include "app/TextUtil.h"
#include "codec/CodecTestUtil.h"
#include "codec/MemoryMap.h"
#include "document/ValueTables.h"

#include <gtest/gtest.h>

namespace vn574::codec {
namespace {

using namespace document; // NOLINT(google-build-using-namespace): column names
using testing::blockHex;
using testing::CodecFixture;
using testing::unspaced;

class DecoderTest : public ::testing::Test {
protected:
    CodecFixture f;

    [[nodiscard]] std::string table(int row, int column) {
        return f.doc().strChData.at(row, column);
    }
    [[nodiscard]] std::string cell(int row, int column) { return f.editor().cell(row, column); }
    // Block 18 with the given rows in use.
    void inUse(std::initializer_list<int> rows) {
        std::array<std::uint8_t, 16> bits{};
        for (const int row : rows) {
            bits[static_cast<std::size_t>((row - 1) / 8)] |=
                static_cast<std::uint8_t>(0x80 >> ((row - 1) % 8));
        }
        f.decode(blockInUse, bytesToHex(bits));
    }
};

TEST_F(DecoderTest, BlockZeroSelectsTheModelAndResetsTheDocument) {
    f.doc().strSetup = "changed";
    f.startRead("33AA66");
    EXPECT_EQ(f.editor().selectedModel(), 3);
    EXPECT_EQ(f.editor().modelCodeLabel(), "33AA66");
    EXPECT_EQ(f.doc().strSetup, document::newSetupRecord);
    EXPECT_EQ(cell(1, colStatus), f.words().active); // model 3 keeps channel 0 after a reset

    f.startRead("99AA99");
    EXPECT_EQ(f.editor().selectedModel(), 31);

    f.doc().strSetup = "changed";
    f.startRead("123456");
    EXPECT_EQ(f.editor().selectedModel(), 31);
    EXPECT_EQ(f.editor().modelCodeLabel(), "123456");
    EXPECT_EQ(f.doc().strSetup, document::newSetupRecord);
}

TEST_F(DecoderTest, OptionByteInstallsTheSignallingOptions) {
    f.startRead("66AA33", 0xA0);
    EXPECT_EQ(f.editor().optionSignalList(),
              (std::vector<std::string>{"None", "DTMF", "DTMF-ANI", "5Tone"}));
    EXPECT_EQ(f.env.settings.optionFlags, app::OptionFlags::fromFeatureByte(0xA0));
    EXPECT_FALSE(f.editor().twoToneMenuVisible());

    f.startRead("66AA33", 0xE0);
    EXPECT_EQ(f.editor().optionSignalList().size(), 5U);

    f.startRead("66AA33", 0x10);
    EXPECT_EQ(f.editor().optionSignalList(), (std::vector<std::string>{"None"}));
    EXPECT_EQ(f.env.settings.optionFlags.flag4, 1);
    EXPECT_EQ(f.env.settings.optionFlags.has5Tone, 0);
}

TEST_F(DecoderTest, PreReadComparesTheModelAndLeavesTheDocument) {
    ASSERT_EQ(f.editor().selectedModel(), 9);
    f.doc().strSetup = "kept";
    f.codec.setPreRead(true);
    f.startRead("66AA33");
    EXPECT_EQ(f.codec.modelCheck(), 0);
    f.startRead("665533");
    EXPECT_EQ(f.codec.modelCheck(), 1);
    f.startRead("33AA33", 0xA0);
    EXPECT_EQ(f.codec.modelCheck(), 2);
    EXPECT_EQ(f.editor().selectedModel(), 9);
    EXPECT_EQ(f.doc().strSetup, "kept");
    EXPECT_EQ(f.env.settings.optionFlags, app::OptionFlags::fromFeatureByte(0xA0));

    // Only blocks 0 and 4 act; block 4 ends the pre-read.
    f.decode(blockOptions2, {0xA5});
    EXPECT_EQ(f.doc().strSetup, "kept");
    f.decode(blockPassword, {'a', 'b', 0xFF, 'c'});
    EXPECT_FALSE(f.codec.preRead());
    EXPECT_EQ(f.env.settings.radioPassword,
              std::string("ab", 2) + std::string(1, '\0') + std::string(13, ' '));
}

TEST_F(DecoderTest, PasswordFieldIsSixteenCharactersWithItsNul) {
    f.decode(blockPassword, blockHex({}));
    EXPECT_EQ(f.env.settings.radioPassword, std::string(1, '\0') + std::string(15, ' '));
    f.decode(blockPassword, "31323334353637383930313233343536");
    EXPECT_EQ(f.env.settings.radioPassword, "1234567890123456");
}

TEST_F(DecoderTest, OptionBlocksRebuildTheOptionRecord) {
    f.decode(blockOptions1, unspaced("A5 A5 01 63 14 02 00 03 02 01 03 0F 07 A5 A5 A5"));
    f.decode(blockOptions2, unspaced("A5 08 5A A5 00 A5 00 A5 00 00 05 00 A5 00 01 01"));
    EXPECT_EQ(f.doc().strSetup, "setup|Channel|MR|99|20|Low|Enable|Disable|Enable|Disable|Enable|"
                                "Disable|1s|160ms|80ms|1450Hz|7m30sec|7sec|on|on|Disable|Busy|"
                                "Low|Dly|Unlock|25W|1|1");

    // Unknown codes fall back; lower-case digits match no code.
    f.decode(blockOptions1, unspaced("A5 5A 07 00 03 09 00 07 07 07 07 10 10 01 a5 01"));
    f.decode(blockOptions2, unspaced("01 08 07 01 01 01 01 01 01 00 04 00 01 00 02 02"));
    EXPECT_EQ(f.doc().strSetup, "setup|Frequency|VFO|0|3|Hi|Disable|Disable|Disable|Disable|"
                                "Disable|Disable|100ms|60ms|60ms|1750Hz|off|off|off|off|Enable|"
                                "Timer|High|off|Lock|50W|0|1");
    EXPECT_EQ(app::splitFields(f.doc().strSetup, '|').size(), 28U);
}

TEST_F(DecoderTest, SwitchNibbleOfOptionsPartTwo) {
    const auto switches = [&](const std::string& byte10) {
        f.decode(blockOptions2, "00080000000000000000" + byte10 + "0000000000");
        const auto fields = app::splitFields(f.doc().strSetup, '|');
        return fields[26] + fields[27];
    };
    EXPECT_EQ(switches("05"), "11");
    EXPECT_EQ(switches("04"), "01");
    EXPECT_EQ(switches("0x"), "10"); // no digit: the scrambler stays on
}

TEST_F(DecoderTest, ChannelRecordOfTheMap) {
    f.startRead("66AA33");
    inUse({1});
    f.decode(32, unspaced("00 00 00 04 01 45 50 00 00 00 00 00 08 08 00 00"));
    f.decode(33, unspaced("3C 41 31 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(table(1, colStatus), "Active");
    EXPECT_EQ(table(1, colName), "CH1");
    EXPECT_EQ(table(1, colRef), "12.5");
    EXPECT_EQ(table(1, colRxFreq), "145.5000");
    EXPECT_EQ(table(1, colTxFreq), "145.5000");
    EXPECT_EQ(table(1, colRxTone), "off");
    EXPECT_EQ(table(1, colTxTone), "off");
    EXPECT_EQ(table(1, colWideNarrow), "wide");
    for (const int column : {colPacMode, colDcsDet, colPri, colBcl, colAni, colShift}) {
        EXPECT_EQ(table(1, column), "off") << column;
    }
    EXPECT_EQ(table(1, colScanSkip), f.words().scanSkip0);
    EXPECT_EQ(table(1, colOptSignal), "None");
    EXPECT_EQ(table(1, colOptMemory), "0");
    EXPECT_EQ(table(1, colPttId), "0");

    EXPECT_EQ(cell(1, colStatus), f.words().active);
    EXPECT_EQ(cell(1, colName), "CH1");
    EXPECT_EQ(cell(1, colWideNarrow), f.words().wide);
    EXPECT_EQ(cell(1, colOptSignal), "None");
    EXPECT_EQ(f.doc().rowStep(1), "12.5");
}

TEST_F(DecoderTest, TransmitFrequencyFromOffsetInSinglePrecision) {
    f.startRead("335566"); // model 2
    inUse({1, 2, 3});
    f.decode(32, unspaced("00 01 00 04 01 45 50 00 00 00 60 00 08 08 00 00"));
    f.decode(33, blockHex({}));
    EXPECT_EQ(table(1, colTxFreq), "144.90000");

    f.decode(34, unspaced("00 00 00 04 01 45 50 00 00 00 60 00 08 08 00 00"));
    f.decode(35, blockHex({}));
    EXPECT_EQ(table(2, colTxFreq), "145.5000");

    // Plus the offset, snapped with the row's step (6.25 kHz).
    f.decode(36, unspaced("00 02 00 01 01 44 01 25 00 00 50 00 08 08 00 00"));
    f.decode(37, blockHex({}));
    EXPECT_EQ(table(3, colRef), "6.25");
    EXPECT_EQ(table(3, colRxFreq), "144.0125");
    EXPECT_EQ(table(3, colTxFreq), "144.51250");
}

TEST_F(DecoderTest, LowFrequenciesKeepTheirLeadingZero) {
    f.startRead("335533"); // model 0
    inUse({1});
    f.decode(32, unspaced("00 00 00 00 00 27 00 00 00 00 00 00 08 08 00 00"));
    f.decode(33, blockHex({}));
    EXPECT_EQ(table(1, colRxFreq), "027.0000");
    EXPECT_EQ(cell(1, colRxFreq), "027.0000");
}

TEST_F(DecoderTest, FlagsTonesAndPriority) {
    f.startRead("66AA33");
    inUse({5});
    // Shift and PAC on, narrow, BCL, ANI, PRI; Rx DCS 765I, Tx CTCSS 254.1.
    f.decode(40, unspaced("3F 00 09 00 02 46 00 00 00 00 00 00 31 08 00 E7"));
    f.decode(41, unspaced("00 00 00 00 00 00 00 64 01 00 00 00 00 00 00 00"));
    EXPECT_EQ(table(5, colShift), "on");
    EXPECT_EQ(table(5, colPacMode), "on");
    EXPECT_EQ(table(5, colWideNarrow), "narrow");
    EXPECT_EQ(cell(5, colWideNarrow), f.words().narrow);
    EXPECT_EQ(table(5, colBcl), "on");
    EXPECT_EQ(table(5, colAni), "on");
    EXPECT_EQ(table(5, colPri), "PL");
    EXPECT_EQ(table(5, colDcsDet), "on");
    EXPECT_EQ(table(5, colRxTone), "D:765I");
    EXPECT_EQ(table(5, colTxTone), "C:254.1");
    EXPECT_EQ(table(5, colRef), "5"); // step code 0x0? outside the list falls back

    const auto pri = [&](int byte23) {
        f.decode(40, unspaced("01 00 00 00 02 46 00 00 00 00 00 00 08 08 00 00"));
        f.decode(41, blockHex({0, 0, 0, 0, 0, 0, 0, byte23}));
        return table(5, colPri);
    };
    EXPECT_EQ(pri(0x05), "05");
    EXPECT_EQ(pri(0x63), "99");
    EXPECT_EQ(pri(0x65), "PH");
    EXPECT_EQ(pri(0xA0), "CAL");
    EXPECT_EQ(pri(0x80), "VFO");
    EXPECT_EQ(pri(0xFF), "VFO");

    // A tone position beyond its list gives the prefix alone.
    f.decode(40, unspaced("00 00 03 00 02 46 00 00 00 00 00 00 32 FF 00 00"));
    f.decode(41, blockHex({}));
    EXPECT_EQ(table(5, colTxTone), "C:");
    EXPECT_EQ(table(5, colRxTone), "C:");
}

TEST_F(DecoderTest, SwitchDigitOutsideItsRangeLeavesBothSwitchesEmpty) {
    f.startRead("66AA33");
    inUse({5});
    f.decode(40, unspaced("40 00 00 00 02 46 00 00 00 00 00 00 08 08 00 00"));
    f.decode(41, blockHex({}));
    EXPECT_EQ(table(5, colPacMode), "");
    EXPECT_EQ(table(5, colShift), "");
}

TEST_F(DecoderTest, NameCharacters) {
    f.startRead("66AA33");
    inUse({1});
    f.decode(32, blockHex({}));
    // A, Z, space, j, digit 9, then a separator and a control code that are dropped.
    f.decode(33, blockHex({0x3A, 0x53, 0x54, 0x72, 0x39, 0x7C, 0x0D}));
    EXPECT_EQ(table(1, colName), "AZ j9");
}

TEST_F(DecoderTest, ScanSkipBits) {
    f.startRead("66AA33");
    inUse({1, 100, 101});
    f.decode(blockScanSkip, blockHex({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10}));
    EXPECT_EQ(f.codec.chScanSkip(100), 1);
    EXPECT_EQ(f.codec.chScanSkip(1), 0);
    for (const int block : {32, 33, 230, 231, 24, 25}) {
        f.decode(block, blockHex({}));
    }
    EXPECT_EQ(table(100, colScanSkip), f.words().scanSkip1);
    EXPECT_EQ(cell(100, colScanSkip), f.words().scanSkip1);
    EXPECT_EQ(table(1, colScanSkip), f.words().scanSkip0);
    EXPECT_EQ(table(101, colScanSkip), "");
}

TEST_F(DecoderTest, RowsTheRadioDoesNotUseAreOutOfUse) {
    f.startRead("33AA66"); // model 3: the reset leaves channel 0 in use
    ASSERT_EQ(cell(1, colStatus), f.words().active);
    inUse({2, 102});
    EXPECT_EQ(f.codec.chInUse(1), 0);
    EXPECT_EQ(f.codec.chInUse(2), 1);
    EXPECT_EQ(cell(1, colStatus), f.words().inactive);
    EXPECT_EQ(cell(1, colRxFreq), "---");
    EXPECT_EQ(table(1, colRxFreq), "");
    EXPECT_EQ(cell(103, colStatus), "");
    EXPECT_EQ(cell(103, colRxFreq), "155.0000");

    // PL is not in use: its blocks are still read but it stays out of use.
    f.decode(24, unspaced("00 00 00 00 01 46 00 00 00 00 00 00 08 08 00 00"));
    f.decode(25, blockHex({0x3A}));
    EXPECT_EQ(cell(101, colStatus), f.words().inactive);
    EXPECT_EQ(cell(101, colName), "---");
    EXPECT_EQ(cell(101, colOptSignal), "None"); // shown as decoded, like the table
    EXPECT_EQ(table(101, colRxFreq), "146.0000");
}

TEST_F(DecoderTest, OptionSignalTheRadioLacksIsNone) {
    f.startRead("66AA33", 0xA0);
    inUse({1, 2, 3, 4});
    const auto channel = [&](int row, std::initializer_list<int> second) {
        f.decode(30 + 2 * row, blockHex({}));
        f.decode(31 + 2 * row, blockHex(second));
    };
    channel(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x03, 0, 42});
    EXPECT_EQ(table(1, colOptSignal), "None");
    EXPECT_EQ(cell(1, colOptSignal), "None");
    EXPECT_EQ(table(1, colOptMemory), "42");

    channel(2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0x07, 0, 0, 0x01});
    EXPECT_EQ(table(2, colOptSignal), "DTMF-ANI");
    EXPECT_EQ(table(2, colOptMemory), "7");
    EXPECT_EQ(table(2, colPttId), "1");

    channel(3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0, 0, 100, 0, 4});
    EXPECT_EQ(table(3, colOptSignal), "5Tone");
    EXPECT_EQ(table(3, colOptMemory), "0"); // above 99
    EXPECT_EQ(table(3, colPttId), "0");     // above 3

    channel(4, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 8});
    EXPECT_EQ(table(4, colOptSignal), "None");
    EXPECT_EQ(table(4, colOptMemory), "0");
}

TEST_F(DecoderTest, FiveToneBlocks) {
    f.decode(384, unspaced("00 03 05 04 12 34 5E EE EE EE EE EE EE EE EE EE"));
    const auto& memory = f.doc().toneData.fiveToneMem[0];
    EXPECT_EQ(memory.std, 3);
    EXPECT_EQ(memory.codeLen, 5);
    EXPECT_EQ(memory.toneTime, 4);
    EXPECT_EQ(memory.code.str(), "12345" + std::string(17, ' '));

    f.decode(blockPttIdEot, blockHex({0, 0, 0x17, 0x02, 0x12}));
    EXPECT_EQ(f.doc().toneData.pttIdEot.codeLen, 0);
    EXPECT_EQ(f.doc().toneData.pttIdEot.code.str(), std::string(22, ' '));
    EXPECT_EQ(f.doc().toneData.pttIdEot.toneTime, 7);
}

TEST_F(DecoderTest, AutoDialerIsTheSameOnEveryRead) {
    for (int read = 0; read < 2; ++read) {
        f.startRead("66AA33");
        f.decode(240, blockHex({0x31, 0x32, 0x3A, 0x3F}));
        for (int block = 241; block < 248; ++block) {
            f.decode(block, blockHex({}));
        }
        f.decode(248, blockHex({0x40, 0x3E, 0x41, 0x3D}));
        EXPECT_EQ(f.doc().strAutoDial, "Ad|12A*||||||||-#D|");
    }
}

TEST_F(DecoderTest, SignallingSettingBlocks) {
    f.decode(blockDtmfMemories, "FFFF0123000A8000xx00000000000000");
    const auto& dtmf = f.doc().toneData.dtmfMem;
    EXPECT_EQ(dtmf[0], -1);
    EXPECT_EQ(dtmf[1], 0x123);
    EXPECT_EQ(dtmf[2], 10);
    EXPECT_EQ(dtmf[3], -32768);
    EXPECT_EQ(dtmf[4], 0);

    f.decode(blockTwoToneSettings, blockHex({0, 0, 0, 0, 1, 2, 3, 4, 2, 6, 7, 8, 9, 5, 4}));
    const auto& tone = f.doc().toneData;
    EXPECT_EQ(tone.toneADivHi, 1);
    EXPECT_EQ(tone.toneBDivLo, 4);
    EXPECT_EQ(tone.twoToneSel, 2);
    EXPECT_EQ(tone.twoToneSet, (std::array<std::uint8_t, 4>{6, 7, 8, 9}));
    EXPECT_EQ(tone.toneAFrac, 5);
    EXPECT_EQ(tone.toneBFrac, 4);

    f.decode(blockOwnId, blockHex({0, 2, 6, 3, 10, 5, 4, 3, 2, 1, 200}));
    EXPECT_EQ(tone.selfIdMode, 2);
    EXPECT_EQ(tone.selfIdStd, 6);
    EXPECT_EQ(tone.selfIdLen, 3);
    EXPECT_EQ(tone.selfIdTime, 10);
    EXPECT_EQ(tone.selfId.str(), "543  ");
    EXPECT_EQ(tone.selfIdDelay, 200);

    f.decode(272 + 49, blockHex({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(tone.twoToneMem[98], (document::TwoToneRec{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(tone.twoToneMem[99], (document::TwoToneRec{7, 8, 9, 10, 11, 12}));
}

TEST_F(DecoderTest, DigitsThatAreNotHexadecimalReadAsZero) {
    f.decode(blockOptions1, "A500ZZ!!" + std::string(24, '0'));
    f.decode(blockOptions2, std::string(32, '0'));
    EXPECT_EQ(app::splitFields(f.doc().strSetup, '|')[3], "0");
    EXPECT_EQ(app::splitFields(f.doc().strSetup, '|')[4], "0");

    f.startRead("66AA33");
    inUse({1});
    f.decode(32, "01"
                 "00"
                 "1?"
                 "04"
                 "01"
                 "4|"
                 "50"
                 "00"
                 "00"
                 "00"
                 "60"
                 "00"
                 "08"
                 "08"
                 "00"
                 "00");
    f.decode(33, std::string(32, '0'));
    EXPECT_EQ(table(1, colRxFreq), "140.5000");
    EXPECT_EQ(table(1, colTxFreq), "140.5000");

    // Too few digits in the buffer: nothing changes.
    const std::string before = f.doc().strSetup;
    f.codec.DecodeBlock(std::string(40, '0'), 10, blockOptions2);
    f.codec.DecodeBlock(std::string(32, '0'), 0, 512);
    EXPECT_EQ(f.doc().strSetup, before);
}

} // namespace
} // namespace vn574::codec
