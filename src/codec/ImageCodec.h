#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vn574::document {
class Editor;
}

namespace vn574::codec {

// Translates between the radio's memory blocks and the document held by an Editor.
//
// DecodeBlock takes one block as it stands in a read reply and writes its fields into the
// document, the grid, the installed-option flags and the radio password. It keeps state
// from block to block (the option fields of block 16 wait for block 17, the in-use bits
// of block 18 serve the channel blocks and the read's skipping, a channel's first block
// waits for its second), so the blocks of a read must arrive in increasing order through
// one ImageCodec.
//
// EncodeBlock gives one block's 32 upper-case hexadecimal digits for a write frame, or
// the text "error" after telling the user (through the editor's prompts) why the
// document cannot be written. It keeps no state (beyond a cache of the records it has
// checked), but writes back into the document:
// columns 17/18 of the encoded row (non-numbers become "0") and the code and length of
// a 5-tone record (filled with "E", own-ID placeholders expanded).
//
// Neither sets bModify; the transfers decide that.
class ImageCodec {
public:
    static constexpr std::string_view errorResult = "error";

    explicit ImageCodec(document::Editor& editor);

    // `buffer` holds the block's 32 data digits from index `dataStart` on; `block` is
    // 0..511. A call whose digits do not fit in the buffer, or whose block number lies
    // outside 0..511, changes nothing.
    void DecodeBlock(std::string_view buffer, std::size_t dataStart, int block);
    void DecodeBlock(std::span<const std::uint8_t> buffer, std::size_t dataStart, int block);

    std::string EncodeBlock(int block);

    // --- state the transfers share with the codec ---
    // True during a write's pre-read: block 0 only compares the model (modelCheck) and
    // takes the option flags, block 4 takes the radio password and ends the pre-read.
    [[nodiscard]] bool preRead() const { return m_preRead; }
    void setPreRead(bool preRead) { m_preRead = preRead; }
    // ModelCheck after a pre-read of block 0: 0 the radio's code equals the selected
    // model's, 1 same model type (first two digits) in another band, 2 another type.
    [[nodiscard]] int modelCheck() const { return m_modelCheck; }
    // ChInUse / ChScanSkip of rows 1..104 from blocks 18 and 19 (0 outside that range).
    [[nodiscard]] int chInUse(int row) const;
    [[nodiscard]] int chScanSkip(int row) const;
    // The password block 4 writes on a password change (strNewPassword).
    void setNewPassword(std::string password) { m_newPassword = std::move(password); }
    // The last model code block 0 brought in.
    [[nodiscard]] const std::string& modelCode() const { return m_modelCode; }

private:
    class BlockDigits;
    struct RowValues {
        int priFlag = 0;
        int direction = 0;
        int rxKind = 0;
        int txKind = 0;
    };

    void decodeIdentification(const BlockDigits& d);
    void decodePassword(const BlockDigits& d);
    void decodeOptions1(const BlockDigits& d);
    void decodeOptions2(const BlockDigits& d);
    void decodeBits(const BlockDigits& d, std::array<int, 105>& bits);
    void decodeChannelFirstHalf(const BlockDigits& d);
    void decodeChannelSecondHalf(const BlockDigits& d, int row);
    void decodeAutoDial(const BlockDigits& d, int memory);
    void decodeDtmf(const BlockDigits& d);
    void decodeTwoToneSettings(const BlockDigits& d);
    void decodeOwnId(const BlockDigits& d);
    void decodeTwoToneMemories(const BlockDigits& d, int pair);
    void decodeFiveTone(const BlockDigits& d, int block);
    void takeUnusedRowsOutOfUse();

    bool encodeOptions1(std::string& out);
    std::string encodeOptions2();
    [[nodiscard]] std::string encodeBits(bool inUse) const;
    bool encodeChannelFirstHalf(int row, std::string& out);
    bool encodeChannelSecondHalf(int row, std::string& out);
    bool encodeAutoDial(int memory, std::string& out);
    [[nodiscard]] std::string encodeDtmf() const;
    [[nodiscard]] std::string encodeTwoToneSettings() const;
    bool encodeOwnId(std::string& out);
    [[nodiscard]] std::string encodeTwoToneMemories(int pair) const;
    bool encodeFiveTone(int block, std::string& out);
    void refuse(const std::string& text);

    document::Editor& m_editor;
    bool m_preRead = false;
    int m_modelCheck = 0;
    std::string m_modelCode;
    std::string m_newPassword;
    std::array<std::string, 28> m_optionFields{};
    std::array<int, 105> m_chInUse{};    // index = row 1..104
    std::array<int, 105> m_chScanSkip{}; // index = row 1..104
    std::array<std::string, 14> m_chLine{};
    RowValues m_rowValues;
    std::array<std::string, 9> m_adMem{};
    // The last option and auto-dial records EncodeBlock found well formed (a cache only:
    // the results are the same without it).
    std::optional<std::string> m_wellFormedSetup;
    std::optional<std::string> m_wellFormedAutoDial;
};

} // namespace vn574::codec
