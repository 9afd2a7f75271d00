#include "files/Sha256.h"

#include "app/FileSystem.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vn574::files {
namespace {

constexpr std::array<std::uint32_t, 64> roundConstants{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::array<std::uint32_t, 8> initialState{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                    0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

} // namespace

Sha256::Sha256() : m_state(initialState) {}

void Sha256::compress(const std::uint8_t* block) {
    std::array<std::uint32_t, 64> w{};
    for (std::size_t i = 0; i < 16; ++i) {
        w[i] = static_cast<std::uint32_t>(block[4 * i]) << 24 |
               static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
               static_cast<std::uint32_t>(block[4 * i + 2]) << 8 |
               static_cast<std::uint32_t>(block[4 * i + 3]);
    }
    for (std::size_t i = 16; i < 64; ++i) {
        const std::uint32_t s0 =
            std::rotr(w[i - 15], 7) ^ std::rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 =
            std::rotr(w[i - 2], 17) ^ std::rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    auto [a, b, c, d, e, f, g, h] = m_state;
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint32_t s1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
        const std::uint32_t choice = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + s1 + choice + roundConstants[i] + w[i];
        const std::uint32_t s0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
        const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        const std::uint32_t t2 = s0 + majority;
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    const std::array<std::uint32_t, 8> added{a, b, c, d, e, f, g, h};
    for (std::size_t i = 0; i < 8; ++i) {
        m_state[i] += added[i];
    }
}

void Sha256::update(std::span<const std::uint8_t> bytes) {
    m_length += bytes.size();
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (m_buffered == 0 && bytes.size() - i >= m_buffer.size()) {
            compress(bytes.data() + i);
            i += m_buffer.size();
            continue;
        }
        const std::size_t n = std::min(m_buffer.size() - m_buffered, bytes.size() - i);
        std::memcpy(m_buffer.data() + m_buffered, bytes.data() + i, n);
        m_buffered += n;
        i += n;
        if (m_buffered == m_buffer.size()) {
            compress(m_buffer.data());
            m_buffered = 0;
        }
    }
}

void Sha256::update(std::string_view bytes) {
    update(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::array<std::uint8_t, 32> Sha256::finish() {
    const std::uint64_t bits = m_length * 8;
    // A one bit, zeros up to 8 bytes short of a block, then the length in bits.
    std::array<std::uint8_t, 72> padding{};
    padding[0] = 0x80;
    const std::size_t zeros = (m_buffered < 56 ? 56 : 120) - m_buffered;
    for (std::size_t i = 0; i < 8; ++i) {
        padding[zeros + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    }
    update(std::span(padding.data(), zeros + 8));
    std::array<std::uint8_t, 32> digest{};
    for (std::size_t i = 0; i < 8; ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            digest[4 * i + k] = static_cast<std::uint8_t>(m_state[i] >> (24 - 8 * k));
        }
    }
    return digest;
}

std::string Sha256::finishHex() {
    static constexpr std::string_view digits = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : finish()) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return hex;
}

std::string sha256Hex(std::string_view bytes) {
    Sha256 hash;
    hash.update(bytes);
    return hash.finishHex();
}

std::string fileSha256(const std::string& path, std::string& hex) {
    hex.clear();
    std::FILE* file = app::openFile(path, "rb");
    if (file == nullptr) {
        return "Cannot open \"" + path + "\": " + std::strerror(errno);
    }
    Sha256 hash;
    std::array<std::uint8_t, 65536> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
        hash.update(std::span(chunk.data(), n));
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        return "Cannot read \"" + path + "\": " + std::strerror(error);
    }
    hex = hash.finishHex();
    return {};
}

} // namespace vn574::files
