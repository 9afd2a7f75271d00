#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vn574::codec {

// The radio's 8192-byte memory: 512 blocks of 16 bytes, block b at addresses 16 b onward.
inline constexpr int blockCount = 512;
inline constexpr int blockSize = 16;
inline constexpr int imageSize = blockCount * blockSize;
inline constexpr int blockDigits = 2 * blockSize; // a block on the line

inline constexpr int blockIdentification = 0; // model code (bytes 1..3), option byte (14)
inline constexpr int blockPassword = 4;
inline constexpr int blockOptions1 = 16;
inline constexpr int blockOptions2 = 17;
inline constexpr int blockInUse = 18;
inline constexpr int blockScanSkip = 19;
inline constexpr int firstSpecialRowBlock = 20; // VFO, call channel, PL, PH: blocks 20..27
inline constexpr int lastSpecialRowBlock = 27;
inline constexpr int firstChannelBlock = 32; // channels 0..99, two blocks each
inline constexpr int lastChannelBlock = 231;
inline constexpr int firstAutoDialBlock = 240; // M1..M9, one block each
inline constexpr int lastAutoDialBlock = 248;
inline constexpr int blockDtmfMemories = 254;
inline constexpr int blockTwoToneSettings = 256;
inline constexpr int blockOwnId = 257;
inline constexpr int firstTwoToneBlock = 272; // memories 2j and 2j + 1 in block 272 + j
inline constexpr int lastTwoToneBlock = 321;
inline constexpr int firstFiveToneBlock = 384; // memory m in block 384 + m
inline constexpr int lastFiveToneBlock = 483;
inline constexpr int blockPttIdBot = 484;
inline constexpr int blockPttIdEot = 485;
// The write never touches blocks below this one (apart from a password change).
inline constexpr int firstWrittenBlock = 16;

// Bits of the option byte (block 0, byte 14).
inline constexpr std::uint8_t optionBit5Tone = 0x80;
inline constexpr std::uint8_t optionBit2Tone = 0x40;
inline constexpr std::uint8_t optionBitDtmf = 0x20;
inline constexpr std::uint8_t optionBitFlag4 = 0x10;

// Which channel-table row (1..104) a channel block belongs to, and which half.
struct ChannelBlock {
    int row;
    bool firstHalf;
};
std::optional<ChannelBlock> channelOfBlock(int block);
// The first of the two blocks of row 1..104; -1 for any other row.
int firstBlockOfRow(int row);

// The six-digit model code of model 0..31 ("66AA33" for model 9); "000000" otherwise.
std::string modelCodeOf(int modelIndex);
// The model whose code is exactly `code` (upper-case digits); nothing when none is.
std::optional<int> modelIndexOfCode(std::string_view code);

// Characters of a channel name after the digits and capitals: codes 0x54..0x72.
inline constexpr std::string_view nameExtraCharacters = " *#+-/\\=()$_gdexziylpuftsbwvaoj";
inline constexpr int firstNameExtraCode = 0x54;
inline constexpr int capitalCodeOffset = 7; // "A".."Z" are 0x3A..0x53

// Characters of an auto dialer memory after the digits: codes 0x3A..0x40.
inline constexpr std::string_view autoDialExtraCharacters = "ABCD#*-";
inline constexpr int firstAutoDialExtraCode = 0x3A;
inline constexpr std::size_t autoDialMemoryLength = 16;

// Tone fillers of a channel record: the byte a tone kind does not select.
inline constexpr int ctcssFiller = 0x08; // 88.5 Hz
inline constexpr int dcsFiller = 0x00;

// Priority references beyond channels 0..99.
inline constexpr int priLowerScanLimit = 0x64;
inline constexpr int priUpperScanLimit = 0x65;
inline constexpr int priCallChannel = 0xA0;
inline constexpr int priVfo = 0x80;

// One coded value of an option byte: the byte and the stored word of strSetup.
struct CodedWord {
    std::uint8_t code;
    std::string_view word;
};
using CodeTable = std::span<const CodedWord>;

// Code tables of the option fields. Every table holds the code 0x00: its word is what
// the decoder makes of an unknown byte, and 0x00 is what the encoder makes of an unknown
// word.
CodeTable indicationCodes();    // field 1
CodeTable vfoCodes();           // field 2
CodeTable txPowerCodes();       // field 5
CodeTable enableDisableCodes(); // fields 6..11: A5 Enable
CodeTable burstDelayCodes();    // field 12
CodeTable dtmfDigitCodes();     // fields 13, 14
CodeTable tbstFreqCodes();      // field 15
CodeTable offOnCodes();         // fields 18, 19
CodeTable beepCodes();          // field 20: A5 Disable
CodeTable scanningModeCodes();  // field 21
CodeTable lampModeCodes();      // field 22
CodeTable securityModeCodes();  // field 23
CodeTable modelLockCodes();     // field 24
CodeTable powerSelectCodes();   // field 25

// The word of `code`, or the word of 0x00 when the table has no such code.
std::string_view wordOfCode(CodeTable table, int code);
// The code of `word`, or 0x00 when the table has no such word.
int codeOfWord(CodeTable table, std::string_view word);

} // namespace vn574::codec
