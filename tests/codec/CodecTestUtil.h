#pragma once

#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "support/TestEnvironment.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vn574::codec::testing {

// A block's 32 digits from up to 16 bytes; the rest of the block is zero.
inline std::string blockHex(std::initializer_list<int> bytes) {
    std::array<std::uint8_t, 16> block{};
    std::size_t i = 0;
    for (const int byte : bytes) {
        block.at(i++) = static_cast<std::uint8_t>(byte);
    }
    return bytesToHex(block);
}

// "00 04 01 45" -> "00040145": spaced byte lists read like the memory map.
inline std::string unspaced(std::string text) {
    std::erase(text, ' ');
    return text;
}

// An editor as the main window has it, with a codec over it.
struct CodecFixture {
    explicit CodecFixture(app::OptionFlags flags = app::OptionFlags::fromFeatureByte(0xE0))
        : env("english.ini", flags), codec(env.editor) {}

    document::Editor& editor() { return env.editor; }
    document::Document& doc() { return env.editor.document(); }
    [[nodiscard]] const document::ChannelWords& words() const { return env.editor.words(); }

    void decode(int block, const std::string& digits) { codec.DecodeBlock(digits, 0, block); }
    void decode(int block, std::initializer_list<int> bytes) { decode(block, blockHex(bytes)); }

    // A read's block 0 for model `model`'s code and the option byte.
    void startRead(const std::string& code, int optionByte = 0xE0) {
        decode(0, "00" + code + std::string(20, '0') + Hex2(optionByte) + "00");
    }

    test::EditorFixture env;
    ImageCodec codec;
};

} // namespace vn574::codec::testing
