#include "SampleRadio.h"

#include <array>
#include <cstdint>

namespace vn574::test {
namespace {

using Block = std::array<std::uint8_t, 16>;

void put(std::string& image, int block, const Block& bytes) {
    for (std::size_t k = 0; k < 16; ++k) {
        image[static_cast<std::size_t>(block) * 16 + k] = static_cast<char>(bytes[k]);
    }
}

std::uint8_t bcd(int value) {
    return static_cast<std::uint8_t>(value / 10 * 16 + value % 10);
}

// A channel record: receive = transmit = `hundredHz` x 100 Hz, CTCSS both ways.
void putChannel(std::string& image, int firstBlock, int hundredHz, int tone, bool narrow,
                char letter, int digit) {
    const int mhz = hundredHz / 10000;
    const int decimals = hundredHz % 10000;
    const Block first = {static_cast<std::uint8_t>(narrow ? 0x08 : 0x00),
                         0x00,
                         0x03,
                         0x04,
                         bcd(mhz / 100),
                         bcd(mhz % 100),
                         bcd(decimals / 100),
                         bcd(decimals % 100),
                         0,
                         0,
                         0,
                         0,
                         static_cast<std::uint8_t>(tone),
                         static_cast<std::uint8_t>(tone),
                         0,
                         0};
    const Block second = {static_cast<std::uint8_t>(letter - 7),
                          static_cast<std::uint8_t>('0' + digit),
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0};
    put(image, firstBlock, first);
    put(image, firstBlock + 1, second);
}

} // namespace

std::string sampleRadioImage(int channels) {
    std::string image(8192, '\0');
    put(image, 0, {0, 0x33, 0xAA, 0x66, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0});
    put(image, 16,
        {0xA5, 0xA5, 0x01, 0x05, 0x03, 0x01, 0, 0x01, 0x01, 0x02, 0x00, 0x06, 0x05, 0x00, 0xA5,
         0x00});
    put(image, 17,
        {0x00, 0x08, 0x00, 0xA5, 0x00, 0xA5, 0xA5, 0x00, 0xA5, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
         0x00});
    Block inUse{};
    Block scanSkip{};
    for (int row = 1; row <= channels; ++row) {
        inUse[static_cast<std::size_t>((row - 1) / 8)] |=
            static_cast<std::uint8_t>(0x80 >> ((row - 1) % 8));
        if (row % 7 == 0) {
            scanSkip[static_cast<std::size_t>((row - 1) / 8)] |=
                static_cast<std::uint8_t>(0x80 >> ((row - 1) % 8));
        }
        putChannel(image, 30 + 2 * row, 1450000 + row * 125, row % 50, row % 2 == 0,
                   static_cast<char>('A' + row % 26), row % 10);
    }
    inUse[12] |= 0xC0; // the scan limits PL and PH
    put(image, 18, inUse);
    put(image, 19, scanSkip);
    putChannel(image, 20, 1455000, 8, false, 'V', 0); // VFO
    putChannel(image, 22, 1455000, 8, false, 'C', 0); // call channel
    putChannel(image, 24, 1440000, 0, false, 'L', 0); // PL
    putChannel(image, 26, 1460000, 0, false, 'H', 0); // PH
    put(image, 240, {0x31, 0x32, 0x33, 0x3A, 0x3F, 0x3E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    put(image, 248, {0x39, 0x31, 0x31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    put(image, 254, {0x00, 0x01, 0x00, 0x02, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return image;
}

} // namespace vn574::test
