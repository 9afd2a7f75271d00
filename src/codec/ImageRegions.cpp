#include "codec/ImageRegions.h"

#include "document/Document.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace vn574::codec {
namespace {

namespace doc = vn574::document;

// Bits of the image: `mask` of bytes first..last of one block.
struct Span {
    int block = 0;
    int first = 0;
    int last = 0;
    std::uint8_t mask = 0xFF;
};
using Region = std::vector<Span>;

// The bit of a row in the in-use (block 18) or scan-skip (block 19) bits: one hexadecimal
// digit per four rows, 8 for the first of them.
Span rowBit(int block, int row) {
    const int index = row - 1;
    const int digit = index / 4;
    const int bit = 8 >> (index % 4);
    return {block, digit / 2, digit / 2,
            static_cast<std::uint8_t>(digit % 2 == 0 ? bit << 4 : bit)};
}

// Bytes 0..31 of a channel's two blocks: first..last (both in one half).
Span channelBytes(int row, int first, int last, std::uint8_t mask = 0xFF) {
    const int block = firstBlockOfRow(row) + (first >= blockSize ? 1 : 0);
    return {block, first % blockSize, last % blockSize, mask};
}

Region channelRegion(int row, std::string_view field) {
    if (field == "Status") {
        return {rowBit(blockInUse, row)};
    }
    if (field == "ScanSkip") {
        return row <= 100 ? Region{rowBit(blockScanSkip, row)} : Region{};
    }
    if (field == "Shift" || field == "PacMode") {
        return {channelBytes(row, 0, 0, 0xF0)};
    }
    if (field == "WN") {
        return {channelBytes(row, 0, 0, 0x08)};
    }
    if (field == "BCL") {
        return {channelBytes(row, 0, 0, 0x04)};
    }
    if (field == "ANI") {
        return {channelBytes(row, 0, 0, 0x02)};
    }
    if (field == "PRI") {
        return {channelBytes(row, 0, 0, 0x01), channelBytes(row, 23, 23)};
    }
    if (field == "RxFreq" || field == "TxFreq") {
        // The transmit frequency is kept as a direction and an offset from the receive one.
        return {channelBytes(row, 1, 1), channelBytes(row, 4, 7), channelBytes(row, 9, 11)};
    }
    if (field == "RxTone") {
        return {channelBytes(row, 2, 2), channelBytes(row, 13, 13), channelBytes(row, 15, 15)};
    }
    if (field == "TxTone") {
        return {channelBytes(row, 2, 2), channelBytes(row, 12, 12), channelBytes(row, 14, 14)};
    }
    if (field == "Ref") {
        return {channelBytes(row, 3, 3)};
    }
    if (field == "Name") {
        return {channelBytes(row, 16, 22)};
    }
    if (field == "DcsDet") {
        return {channelBytes(row, 24, 24)};
    }
    if (field == "OptionSignal" || field == "OptionMemory" || field == "PttId") {
        return {channelBytes(row, 25, 30)};
    }
    return {{firstBlockOfRow(row), 0, blockSize - 1}, {firstBlockOfRow(row) + 1, 0, blockSize - 1}};
}

// Options 1..27: the block and byte of each.
Region optionRegion(int option) {
    static constexpr std::array<std::pair<int, int>, 28> places{{
        {0, 0}, // unused
        {blockOptions1, 1},
        {blockOptions1, 2},
        {blockOptions1, 3}, // 1..3
        {blockOptions1, 4},
        {blockOptions1, 5}, // 4, 5
        {blockOptions2, 3},
        {blockOptions2, 4},
        {blockOptions2, 5}, // 6..8
        {blockOptions2, 6},
        {blockOptions2, 7},
        {blockOptions2, 8}, // 9..11
        {blockOptions1, 7},
        {blockOptions1, 8},
        {blockOptions1, 9}, // 12..14
        {blockOptions1, 10},
        {blockOptions1, 11},
        {blockOptions1, 12}, // 15..17
        {blockOptions1, 13},
        {blockOptions1, 14},
        {blockOptions1, 15}, // 18..20
        {blockOptions2, 0},
        {blockOptions2, 12},
        {blockOptions2, 2}, // 21..23
        {blockOptions2, 15},
        {blockOptions2, 14}, // 24, 25
        {blockOptions2, 10},
        {blockOptions2, 10}, // 26, 27 share a byte
    }};
    if (option < 1 || option >= static_cast<int>(places.size())) {
        return {{blockOptions1, 0, blockSize - 1}, {blockOptions2, 0, blockSize - 1}};
    }
    const auto [block, byte] = places[static_cast<std::size_t>(option)];
    return {{block, byte, byte}};
}

std::optional<int> numberIn(std::string_view text, std::string_view open, char close) {
    const std::size_t at = text.find(open);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const char* begin = text.data() + at + open.size();
    int value = 0;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + text.size() || *end != close) {
        return std::nullopt;
    }
    return value;
}

// A 5-tone record's members in its block.
Region fiveToneRegion(int block, std::string_view member) {
    if (member == "Spare") {
        return {};
    }
    if (member == "Std") {
        return {{block, 1, 1}};
    }
    if (member == "ToneTime") {
        return {{block, 3, 3}};
    }
    return {{block, 2, 2}, {block, 4, blockSize - 1}}; // the length and the digits
}

// A value this map does not place: taken to reach the radio.
const Region unknown{{-1, 0, 0}};

Region signallingRegion(std::string_view name) {
    const std::size_t dot = name.find('.');
    const std::string_view member = dot == std::string_view::npos ? "" : name.substr(dot + 1);
    if (name.starts_with("DtmfMem[")) {
        const auto index = numberIn(name, "[", ']');
        return index ? Region{{blockDtmfMemories, 2 * *index, 2 * *index + 1}} : unknown;
    }
    if (name.starts_with("Spare0[") || name == "TwoToneType" || name == "SelfIdSpare") {
        return {};
    }
    if (name.starts_with("TwoToneSet[")) {
        const auto index = numberIn(name, "[", ']');
        return index ? Region{{blockTwoToneSettings, 9 + *index, 9 + *index}} : unknown;
    }
    if (name.starts_with("TwoToneMem[")) {
        static constexpr std::array<std::string_view, 6> members{"Div1Hi", "Div1Lo", "Div2Hi",
                                                                 "Div2Lo", "Frac1",  "Frac2"};
        const auto number = numberIn(name, "[", ']');
        for (std::size_t i = 0; number && i < members.size(); ++i) {
            if (member == members[i]) {
                const int memory = *number - 1; // the record numbers its memories from 1
                const int byte = (memory % 2) * 8 + static_cast<int>(i);
                return {{firstTwoToneBlock + memory / 2, byte, byte}};
            }
        }
        return unknown;
    }
    if (name.starts_with("PttIdBot.")) {
        return fiveToneRegion(blockPttIdBot, member);
    }
    if (name.starts_with("PttIdEot.")) {
        return fiveToneRegion(blockPttIdEot, member);
    }
    if (name.starts_with("FiveToneMem[")) {
        const auto number = numberIn(name, "[", ']');
        return number ? fiveToneRegion(firstFiveToneBlock + *number - 1, member) : unknown;
    }
    static constexpr std::array<std::pair<std::string_view, std::pair<int, int>>, 11> places{{
        {"ToneADivHi", {blockTwoToneSettings, 4}},
        {"ToneADivLo", {blockTwoToneSettings, 5}},
        {"ToneBDivHi", {blockTwoToneSettings, 6}},
        {"ToneBDivLo", {blockTwoToneSettings, 7}},
        {"TwoToneSel", {blockTwoToneSettings, 8}},
        {"ToneAFrac", {blockTwoToneSettings, 13}},
        {"ToneBFrac", {blockTwoToneSettings, 14}},
        {"SelfIdMode", {blockOwnId, 1}},
        {"SelfIdStd", {blockOwnId, 2}},
        {"SelfIdTime", {blockOwnId, 4}},
        {"SelfIdDelay", {blockOwnId, 10}},
    }};
    for (const auto& [member, place] : places) {
        if (name == member) {
            return {{place.first, place.second, place.second}};
        }
    }
    if (name == "SelfIdLen" || name == "SelfId") {
        // The own ID also stands in the memories that name it by placeholder.
        Region region{{blockOwnId, 3, 3}, {blockOwnId, 5, 9}};
        for (int block = firstFiveToneBlock; block <= lastFiveToneBlock; ++block) {
            region.push_back({block, 2, 2});
            region.push_back({block, 4, blockSize - 1});
        }
        return region;
    }
    return unknown;
}

Region regionOf(const doc::Difference& d) {
    switch (d.section) {
    case doc::DiffSection::Model:
        return {{blockIdentification, 1, 3}};
    case doc::DiffSection::Channel:
        return channelRegion(d.row, d.field);
    case doc::DiffSection::Option:
        return optionRegion(std::atoi(d.item.c_str()));
    case doc::DiffSection::AutoDial: {
        const int memory = std::atoi(d.item.c_str());
        return memory >= 1 && memory <= 9
                   ? Region{{firstAutoDialBlock + memory - 1, 0, blockSize - 1}}
                   : unknown;
    }
    case doc::DiffSection::Signalling:
        return signallingRegion(d.item);
    }
    return unknown;
}

} // namespace

bool differsInImages(const document::Difference& difference, const MemoryImage& left,
                     const MemoryImage& right) {
    const Region region = regionOf(difference);
    for (const Span& span : region) {
        if (span.block < 0 || span.block >= blockCount) {
            return true;
        }
        for (int byte = span.first; byte <= span.last; ++byte) {
            const std::size_t at =
                static_cast<std::size_t>(span.block) * blockSize + static_cast<std::size_t>(byte);
            if (((left[at] ^ right[at]) & span.mask) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace vn574::codec
