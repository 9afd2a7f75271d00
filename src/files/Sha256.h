#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vn574::files {

// SHA-256, fed in pieces of any size. Written here because the core links
// no library that has it (Qt's hash is outside the core), and the transfer history needs
// only this one digest of a file.
class Sha256 {
public:
    Sha256();

    void update(std::span<const std::uint8_t> bytes);
    void update(std::string_view bytes);
    // The digest of everything fed so far; the object is spent afterwards.
    [[nodiscard]] std::array<std::uint8_t, 32> finish();
    // The digest as 64 lower-case hexadecimal digits, as sha256sum prints it.
    [[nodiscard]] std::string finishHex();

private:
    void compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0; // bytes fed
};

std::string sha256Hex(std::string_view bytes);

// The digest of the file at `path` into `hex`; "" or a description of the failure.
std::string fileSha256(const std::string& path, std::string& hex);

} // namespace vn574::files
