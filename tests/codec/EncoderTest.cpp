#include "app/TextUtil.h"
#include "codec/CodecTestUtil.h"
#include "codec/MemoryMap.h"
#include "document/CellChecks.h"
#include "document/ValueTables.h"

#include <gtest/gtest.h>

namespace vn574::codec {
namespace {

using namespace document; // NOLINT(google-build-using-namespace): column names
using testing::CodecFixture;
using testing::unspaced;

class EncoderTest : public ::testing::Test {
protected:
    CodecFixture f;

    ChannelTable& table() { return f.doc().strChData; }
    std::string encode(int block) { return f.codec.EncodeBlock(block); }

    // A channel as a read would leave it: in use, every column filled.
    void setChannel(int row, const std::string& name, const std::string& step,
                    const std::string& rx, const std::string& tx) {
        f.editor().setActiveStatus(row);
        auto& t = table();
        t.at(row, colStatus) = "Active";
        t.at(row, colName) = name;
        t.at(row, colRef) = step;
        t.at(row, colRxFreq) = rx;
        t.at(row, colTxFreq) = tx;
        t.at(row, colRxTone) = "off";
        t.at(row, colTxTone) = "off";
        t.at(row, colWideNarrow) = "wide";
        for (const int column : {colPacMode, colDcsDet, colPri, colBcl, colAni, colShift}) {
            t.at(row, column) = "off";
        }
        t.at(row, colScanSkip) = f.words().scanSkip0;
        t.at(row, colOptSignal) = "None";
        t.at(row, colOptMemory) = "0";
        t.at(row, colPttId) = "0";
    }
    // The single message shown since the last call, "" when none was.
    std::string lastMessage() {
        auto& messages = f.env.prompts.messages;
        std::string text = messages.empty() ? "" : messages.back();
        messages.clear();
        return text;
    }
};

TEST_F(EncoderTest, NewDocumentOptionRecord) {
    EXPECT_EQ(encode(blockOptions1), unspaced("A5 00 00 00 03 00 00 00 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(encode(blockOptions2), unspaced("00 08 00 00 00 00 00 00 00 00 01 00 00 00 00 00"));
    EXPECT_EQ(lastMessage(), "");
}

TEST_F(EncoderTest, EveryOptionValue) {
    f.doc().strSetup = "setup|Channel|CALL|99|20|Mid|Enable|Disable|Enable|Enable|Disable|Enable|"
                       "700ms|200ms|80ms|1000Hz|4m00sec|15sec|on|off|Disable|Busy|Low|Dly|"
                       "Unlock|25W|0|1";
    EXPECT_EQ(encode(blockOptions1), unspaced("A5 A5 02 63 14 01 00 02 03 01 02 08 0F A5 00 A5"));
    EXPECT_EQ(encode(blockOptions2), unspaced("A5 08 5A A5 00 A5 A5 00 A5 00 04 00 A5 00 01 01"));

    // Unknown words take their filler; a switch pair that is no pair counts as (1, 0).
    f.doc().strSetup = "setup|x|x|||x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x|x";
    EXPECT_EQ(encode(blockOptions1), "A5" + std::string(30, '0'));
    EXPECT_EQ(encode(blockOptions2), unspaced("00 08 00 00 00 00 00 00 00 00 01 00 00 00 00 00"));
    for (const auto& [scrambler, afterSound, code] :
         {std::tuple{"1", "1", "05"}, {"0", "0", "00"}, {"0", "1", "04"}, {"1", "0", "01"}}) {
        auto fields = app::splitFields(newSetupRecord, '|');
        fields[26] = scrambler;
        fields[27] = afterSound;
        f.doc().strSetup = app::joinFields(fields, '|');
        EXPECT_EQ(encode(blockOptions2).substr(20, 2), code);
    }
}

TEST_F(EncoderTest, OptionNumbersThatAreNoByteAreRefused) {
    auto fields = app::splitFields(newSetupRecord, '|');
    for (const std::string bad : {"abc", "-1", "256", "1.5"}) {
        fields[3] = bad;
        f.doc().strSetup = app::joinFields(fields, '|');
        EXPECT_EQ(encode(blockOptions1), "error") << bad;
        EXPECT_EQ(lastMessage(), "Error radio option Data Format , please check!");
    }
    fields[3] = "150"; // a number the radio can hold goes in as it is
    fields[4] = "";
    f.doc().strSetup = app::joinFields(fields, '|');
    EXPECT_EQ(encode(blockOptions1).substr(6, 4), "9600");
}

TEST_F(EncoderTest, BrokenRecordsRefuseEveryBlock) {
    f.doc().strAutoDial = "Ad|||||||||";
    for (const int block : {16, 32, 240, 511}) {
        EXPECT_EQ(encode(block), "error");
        EXPECT_EQ(lastMessage(), "Error Auto Dialor Data Format , please check!");
    }
    f.doc().strSetup = "setup|Frequency";
    EXPECT_EQ(encode(500), "error");
    EXPECT_EQ(lastMessage(), "Error radio option Data Format , please check!");
}

// The records are checked once and then remembered; a record broken after a good block,
// or emptied, must still be refused, and one mended accepted again.
TEST_F(EncoderTest, RecordsBrokenAfterAGoodBlockAreRefused) {
    const std::string good = encode(blockOptions1);
    ASSERT_NE(good, "error");
    for (const std::string broken : {"setup|Frequency", ""}) {
        f.doc().strSetup = broken;
        EXPECT_EQ(encode(blockOptions1), "error") << broken;
        EXPECT_EQ(lastMessage(), "Error radio option Data Format , please check!");
    }
    f.doc().strSetup = std::string(newSetupRecord);
    EXPECT_EQ(encode(blockOptions1), good);
    f.doc().strAutoDial = "";
    EXPECT_EQ(encode(blockOptions1), "error");
    EXPECT_EQ(lastMessage(), "Error Auto Dialor Data Format , please check!");
    f.doc().strAutoDial = std::string(newAutoDialRecord);
    EXPECT_EQ(encode(blockOptions1), good);
    EXPECT_EQ(lastMessage(), "");
}

TEST_F(EncoderTest, InUseAndScanSkipBits) {
    f.editor().setActiveStatus(1);
    f.editor().setActiveStatus(100);
    f.editor().setActiveStatus(101);
    f.editor().setActiveStatus(102);
    EXPECT_EQ(encode(blockInUse), unspaced("80 00 00 00 00 00 00 00 00 00 00 00 1C 00 00 00"));

    // An empty status cell counts as not in use.
    f.editor().grid().setCell(100, colStatus, "");
    EXPECT_EQ(encode(blockInUse), unspaced("80 00 00 00 00 00 00 00 00 00 00 00 0C 00 00 00"));

    table().at(1, colScanSkip) = f.words().scanSkip1;
    table().at(7, colScanSkip) = "anything";
    table().at(100, colScanSkip) = f.words().scanSkip1;
    table().at(101, colScanSkip) = f.words().scanSkip1; // not a memory channel
    EXPECT_EQ(encode(blockScanSkip), unspaced("82 00 00 00 00 00 00 00 00 00 00 00 10 00 00 00"));
}

TEST_F(EncoderTest, ChannelRecordOfTheMap) {
    setChannel(1, "CH1", "12.5", "145.5000", "145.5000");
    EXPECT_EQ(encode(32), unspaced("00 00 00 04 01 45 50 00 00 00 00 00 08 08 00 00"));
    EXPECT_EQ(encode(33), unspaced("3C 41 31 00 00 00 00 00 00 00 00 00 00 00 00 00"));

    table().at(1, colTxFreq) = "144.9000";
    table().at(1, colTxTone) = "C:88.5";
    EXPECT_EQ(encode(32), unspaced("00 00 01 01 04 01 45 50 00 00 00 60 00 08 08 00 00").substr(2));
}

TEST_F(EncoderTest, FrequenciesAndOffsets) {
    setChannel(2, "", "6.25", "145.01250", "144.41250");
    const std::string first = encode(34);
    EXPECT_EQ(first.substr(2, 2), "01");
    EXPECT_EQ(first.substr(8, 8), "01450125");
    EXPECT_EQ(first.substr(18, 6), "006000");

    setChannel(3, "", "5", "27.00000", "27.00000");
    EXPECT_EQ(encode(36).substr(8, 8), "00270000");
    EXPECT_EQ(encode(36).substr(2, 2), "00");

    // Transmit above receive; offsets of one and of two digits.
    setChannel(4, "", "5", "430.0000", "439.5000");
    EXPECT_EQ(encode(38).substr(2, 2), "02");
    EXPECT_EQ(encode(38).substr(18, 6), "095000");
    table().at(4, colTxFreq) = "469.9950";
    EXPECT_EQ(encode(38).substr(18, 6), "399950");

    // Empty frequencies take the default row's; a text of another shape gives 145 MHz.
    setChannel(5, "", "5", "", "");
    EXPECT_EQ(encode(40).substr(8, 8), "02455000");
    table().at(5, colRxFreq) = "145.5";
    table().at(5, colTxFreq) = "145.5000";
    EXPECT_EQ(encode(40).substr(8, 8), "01450000");
}

TEST_F(EncoderTest, TonePairsAndFillers) {
    setChannel(1, "", "5", "245.5000", "245.5000");
    table().at(1, colTxTone) = "D:023N";
    EXPECT_EQ(encode(32).substr(4, 2), "04");
    EXPECT_EQ(encode(32).substr(24, 8), "08080100");

    table().at(1, colTxTone) = "D:765I";
    EXPECT_EQ(encode(32).substr(28, 2), "E7");

    table().at(1, colRxTone) = "C:254.1";
    table().at(1, colTxTone) = "C:67.0";
    EXPECT_EQ(encode(32).substr(4, 2), "03");
    EXPECT_EQ(encode(32).substr(24, 8), "00310000");

    table().at(1, colRxTone) = "D:017I";
    table().at(1, colTxTone) = "";
    EXPECT_EQ(encode(32).substr(4, 2), "08");
    EXPECT_EQ(encode(32).substr(24, 8), "08080074");

    table().at(1, colRxTone) = "C:12.3"; // no such tone
    table().at(1, colTxTone) = "D:023N";
    EXPECT_EQ(encode(32).substr(4, 2), "06");
    EXPECT_EQ(encode(32).substr(24, 8), "08080100");

    table().at(1, colRxTone) = "odd";
    EXPECT_EQ(encode(32).substr(4, 2), "00");
}

TEST_F(EncoderTest, SwitchesAndFlags) {
    setChannel(1, "", "50", "245.5000", "245.5000");
    const auto head = [&] { return encode(32).substr(0, 2); };
    table().at(1, colPacMode) = "on";
    EXPECT_EQ(head(), "10");
    table().at(1, colShift) = "on";
    EXPECT_EQ(head(), "30");
    table().at(1, colPacMode) = "off";
    EXPECT_EQ(head(), "20");
    table().at(1, colPacMode) = "";
    EXPECT_EQ(head(), "00");
    table().at(1, colWideNarrow) = "narrow";
    table().at(1, colBcl) = "on";
    table().at(1, colAni) = "on";
    table().at(1, colPri) = "PL";
    EXPECT_EQ(head(), "0F");
    EXPECT_EQ(encode(32).substr(6, 2), "09");
}

TEST_F(EncoderTest, NameAndPriorityAndSignal) {
    setChannel(1, "AB1-", "5", "245.5000", "245.5000");
    EXPECT_EQ(encode(33).substr(0, 14), unspaced("3A 3B 31 58 00 00 00"));
    table().at(1, colName) = "j?Zaz 9X"; // "?" has no code; only 7 positions
    EXPECT_EQ(encode(33).substr(0, 14), unspaced("72 00 53 70 64 54 39"));

    const auto pri = [&](const std::string& text) {
        table().at(1, colPri) = text;
        return encode(33).substr(14, 2);
    };
    EXPECT_EQ(pri("CAL"), "A0");
    EXPECT_EQ(pri("VFO"), "80");
    EXPECT_EQ(pri("PL"), "64");
    EXPECT_EQ(pri("PH"), "65");
    EXPECT_EQ(pri("07"), "07");
    EXPECT_EQ(pri("99"), "63");
    EXPECT_EQ(pri("off"), "00");
    EXPECT_EQ(lastMessage(), "");
    table().at(1, colPri) = "AB";
    EXPECT_EQ(encode(33), "error");
    EXPECT_EQ(lastMessage(), "Error channel 0 Data Format (the PRI channel is not a channel "
                             "number), please check!");
    table().at(1, colPri) = "off";

    const auto signal = [&](const std::string& type, const std::string& memory,
                            const std::string& pttId) {
        table().at(1, colOptSignal) = type;
        table().at(1, colOptMemory) = memory;
        table().at(1, colPttId) = pttId;
        const std::string digits = encode(33);
        return digits.size() == 32 ? digits.substr(16) : digits;
    };
    EXPECT_EQ(signal("DTMF", "7", "1"), unspaced("00 01 07 00 00 00 00 00"));
    EXPECT_EQ(signal("DTMF-ANI", "3", "1"), unspaced("00 02 03 00 00 01 00 00"));
    EXPECT_EQ(signal("2Tone", "99", "3"), unspaced("00 03 00 63 00 00 00 00"));
    EXPECT_EQ(signal("5Tone", "42", "3"), unspaced("00 04 00 00 2A 00 03 00"));
    EXPECT_EQ(signal("None", "42", "3"), unspaced("00 00 00 00 00 00 00 00"));
    table().at(1, colDcsDet) = "on";
    EXPECT_EQ(signal("5Tone", "abc", "-1"), unspaced("01 04 00 00 00 00 00 00"));
    EXPECT_EQ(table().at(1, colOptMemory), "0");
    EXPECT_EQ(table().at(1, colPttId), "0");
    EXPECT_EQ(signal("2Tone", "300", "0"), "error");
    EXPECT_NE(lastMessage(), "");
}

TEST_F(EncoderTest, OffsetsOfAHundredMegahertzAndNonNumbersAreRefused) {
    setChannel(1, "", "5", "145.0000", "445.0000");
    EXPECT_EQ(encode(32), "error");
    EXPECT_EQ(lastMessage(), "Error channel 0 Data Format (Tx and Rx are 100 MHz or more "
                             "apart), please check!");
    // Rounding to four decimals must not hide a hundred megahertz either.
    table().at(1, colRxFreq) = "100.0000";
    table().at(1, colTxFreq) = "0.00001";
    EXPECT_EQ(encode(32), "error");

    table().at(1, colTxFreq) = "abc";
    EXPECT_EQ(encode(32), "error");
    EXPECT_NE(lastMessage(), "");
}

TEST_F(EncoderTest, AutoDialerBlocks) {
    f.doc().strAutoDial = "Ad|12A*|-#D9x|||||||0123456789ABCD*#|";
    EXPECT_EQ(encode(240), "31323A3F" + std::string(24, '0'));
    EXPECT_EQ(encode(241), "403E3D39" + std::string(24, '0'));
    EXPECT_EQ(encode(242), std::string(32, '0'));
    EXPECT_EQ(encode(248), "303132333435363738393A3B3C3D3F3E");
    f.doc().strAutoDial = "Ad|12345678901234567|||||||||";
    EXPECT_EQ(encode(240).size(), 34U);
}

TEST_F(EncoderTest, SignallingSettingBlocks) {
    auto& tone = f.doc().toneData;
    tone.dtmfMem = {-1, 0x123, 0, 0, 0, 0, 0, 0x7FFF};
    EXPECT_EQ(encode(blockDtmfMemories), "FFFF012300000000000000000000"
                                         "7FFF");
    EXPECT_EQ(encode(blockTwoToneSettings),
              unspaced("00 00 00 00 03 99 03 99 00 05 05 0A 0A 06 06 00"));
    tone.twoToneMem[1] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(encode(272), unspaced("00 00 00 00 00 00 00 00 01 02 03 04 05 06 00 00"));

    EXPECT_EQ(encode(blockOwnId), unspaced("00 00 00 05 07 01 02 03 04 05 64 00 00 00 00 00"));
    tone.selfIdLen = 2;
    tone.selfId = "9a   ";
    EXPECT_EQ(encode(blockOwnId), unspaced("00 00 00 02 07 09 0A 00 00 00 64 00 00 00 00 00"));
    tone.selfIdLen = 3;
    EXPECT_EQ(encode(blockOwnId), "error");
    EXPECT_EQ(lastMessage(), "Error 5-Tone own ID Data Format , please check!");
}

TEST_F(EncoderTest, PasswordAndUninterpretedBlocks) {
    f.codec.setNewPassword("secret");
    EXPECT_EQ(encode(blockPassword), "736563726574" + std::string(20, '0'));
    for (const int block : {0, 1, 15, 28, 232, 255, 258, 322, 486, 511}) {
        EXPECT_EQ(encode(block), std::string(32, '0')) << block;
    }
}

TEST_F(EncoderTest, FiveToneCodes) {
    auto& tone = f.doc().toneData;
    auto& memory = tone.fiveToneMem[0];
    memory.code = "12345";
    memory.codeLen = 5;
    EXPECT_EQ(encode(384), unspaced("00 00 05 07 12 34 5E EE EE EE EE EE EE EE EE EE"));

    // Filled with "E" up to its length, and stored back so.
    memory.code = "12";
    memory.codeLen = 4;
    memory.std = 6;
    memory.toneTime = 10;
    EXPECT_EQ(encode(384), unspaced("00 06 04 0A 12 EE EE EE EE EE EE EE EE EE EE EE"));
    EXPECT_EQ(memory.code.str().substr(0, 5), "12EE ");

    memory.code = "0123456789ABCDEF012345";
    memory.codeLen = 22;
    EXPECT_EQ(encode(384), "0006160A0123456789ABCDEF012345EE");

    memory.code = "";
    memory.codeLen = 0;
    EXPECT_EQ(encode(384), "0006000A" + std::string(24, 'E'));
}

TEST_F(EncoderTest, OwnIdPlaceholdersAreExpandedInMemoriesOnly) {
    auto& tone = f.doc().toneData;
    tone.fiveToneMem[1].code = "E2SelfID";
    tone.fiveToneMem[1].codeLen = 8;
    EXPECT_EQ(encode(385), unspaced("00 00 07 07 E2 12 34 5E EE EE EE EE EE EE EE EE"));
    EXPECT_EQ(tone.fiveToneMem[1].code.str(), "E212345" + std::string(15, ' '));
    EXPECT_EQ(tone.fiveToneMem[1].codeLen, 7);

    tone.fiveToneMem[2].code = "E3987E6ESelfID";
    tone.fiveToneMem[2].codeLen = 14;
    EXPECT_EQ(encode(386), "00000D07E3987E6E12345" + std::string(11, 'E'));
    EXPECT_EQ(tone.fiveToneMem[2].codeLen, 13);

    // In a PTT ID code the placeholder stays, and its letters are no tone digits.
    tone.pttIdBot.code = "E2SelfID";
    tone.pttIdBot.codeLen = 8;
    EXPECT_EQ(encode(blockPttIdBot), "error");
    EXPECT_EQ(lastMessage(), "Error 5-Tone PTT ID BOT Data Format (a code digit is not 0..9 or "
                             "A..F), please check!");
    EXPECT_EQ(tone.pttIdBot.code.str().substr(0, 8), "E2SelfID");

    tone.pttIdEot.code = "1a2";
    tone.pttIdEot.codeLen = 3;
    EXPECT_EQ(encode(blockPttIdEot), "000003071A2E" + std::string(20, 'E'));
}

TEST_F(EncoderTest, CodeLengthAboveTwentyTwoIsRefusedWithoutLooping) {
    auto& memory = f.doc().toneData.fiveToneMem[99];
    memory.code = "123";
    memory.codeLen = 23;
    EXPECT_EQ(encode(483), "error");
    EXPECT_EQ(lastMessage(),
              "Error 5-Tone memory 99 Data Format (more than 22 digits), please check!");
}

// The live checks and the encoder share their rules: a cell is marked exactly when the
// radio would get what another value gives.
TEST_F(EncoderTest, CellsTheChecksMarkAreWrittenAsAnotherValue) {
    // The checks read the grid, the encoder the table: both get the value.
    const auto put = [&](int column, const std::string& value) {
        table().at(5, column) = value;
        if (column <= colOptSignal) {
            f.editor().setCell(5, column, value);
        }
    };
    const auto marked = [&](int column) {
        CellChecks checks;
        checks.run(f.editor());
        return checks.issueAt(5, column <= colOptSignal ? column : colOptSignal) != nullptr;
    };
    struct Case {
        int column;
        std::string marked;
        std::string writtenAs;
        int block;
    };
    const std::vector<Case> cases{
        {colRef, "7", "5", firstBlockOfRow(5)},
        {colWideNarrow, "medium", "wide", firstBlockOfRow(5)},
        {colBcl, "yes", "off", firstBlockOfRow(5)},
        {colScanSkip, "跳过", f.words().scanSkip1, blockScanSkip},
        {colOptMemory, "C3", "0", firstBlockOfRow(5) + 1},
    };
    setChannel(5, "A", "5", "230.0000", "230.0000");
    for (int column = colName; column <= colOptSignal; ++column) {
        f.editor().setCell(5, column, table().at(5, column));
    }
    put(colOptSignal, "DTMF");
    for (const Case& c : cases) {
        const std::string before = table().at(5, c.column);
        put(c.column, c.writtenAs);
        EXPECT_FALSE(marked(c.column)) << c.writtenAs;
        const std::string expected = encode(c.block);
        put(c.column, c.marked);
        EXPECT_TRUE(marked(c.column)) << c.marked;
        EXPECT_EQ(encode(c.block), expected) << c.marked;
        put(c.column, before);
    }
    // Inside model 9's band, but written as 145.0000.
    put(colRxFreq, "230.5");
    EXPECT_EQ(encode(firstBlockOfRow(5)).substr(8, 8), "01450000");
    EXPECT_TRUE(marked(colRxFreq));
}

} // namespace
} // namespace vn574::codec
