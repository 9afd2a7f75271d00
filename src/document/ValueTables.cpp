#include "document/ValueTables.h"

#include "document/Document.h"

#include <utility>

namespace vn574::document {
namespace {

constexpr std::array<ModelEntry, modelCount> models{{
    {0, "AT", "VARDENAT:Rx(26-45.9950) Tx(26-45.9950)", "27.0000", "27.0000", "5"},
    {1, "ATD", "VARDENATD:Rx(27-42.9950) Tx(27-42.9950)", "27.0000", "27.0000", "5"},
    {2, "AE", "VARDENAE:Rx(136-173.9950) Tx(144-145.9950)", "155.0000", "145.0000", "6.25"},
    {3, "AED", "VARDENAED:Rx(136-173.9950) Tx(136-173.9950)", "155.0000", "155.0000", "5"},
    {4, "AJ", "VARDENAJ:Rx(144-145.9950) Tx(144-145.9950)", "145.0000", "145.0000", "6.25"},
    {5, "AJD", "VARDENAJD:Rx(136-173.9950) Tx(144-147.9950)", "155.0000", "146.0000", "6.25"},
    {6, "ATA", "VARDENATA:Rx(144-147.9950) Tx(144-147.9950)", "146.0000", "146.0000", "6.25"},
    {7, "ATAD", "VARDENATAD:Rx(136-173.9950) Tx(136-173.9950)", "155.0000", "155.0000", "5"},
    {8, "BT", "VARDENBT:Rx(245-245.9875) Tx(245-245.9875)", "245.5000", "245.5000", "5"},
    {9, "BTD", "VARDENBTD:Rx(220-259.9950) Tx(220-259.9950)", "245.5000", "245.5000", "5"},
    {10, "BE", "VARDENBE:Rx(200-299.9950) Tx(200-299.9950)", "250.0000", "250.0000", "5"},
    {11, "BED", "VARDENBED:Rx(200-299.9950) Tx(200-299.9950)", "250.0000", "250.0000", "5"},
    {12, "BJ", "VARDENBJ:Rx(200-299.9950) Tx(200-299.9950)", "250.0000", "250.0000", "5"},
    {13, "BJD", "VARDENBJD:Rx(200-299.9950) Tx(200-299.9950)", "250.0000", "250.0000", "5"},
    {14, "BTA", "VARDENBTA:Rx(216-279.9950) Tx(222-224.9950)", "223.5000", "223.5000", "5"},
    {15, "BTAD", "VARDENBTAD:Rx(216-279.9950) Tx(220-259.9950)", "223.5000", "223.5000", "5"},
    {16, "CT", "VARDENCT:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {17, "CTD", "VARDENCTD:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {18, "CE", "VARDENCE:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {19, "CED", "VARDENCED:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {20, "CJ", "VARDENCJ:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {21, "CJD", "VARDENCJD:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {22, "CTA", "VARDENCTA:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {23, "CTAD", "VARDENCTAD:Rx(300-399.9950) Tx(300-399.9950)", "350.0000", "350.0000", "5"},
    {24, "DT", "VARDENDT:Rx(400-469.9950) Tx(400-469.9950)", "435.0000", "435.0000", "5"},
    {25, "DTD", "VARDENDTD:Rx(400-489.9950) Tx(400-489.9950)", "445.0000", "445.0000", "5"},
    {26, "DE", "VARDENDE:Rx(430-439.9950) Tx(430-439.9950)", "435.0000", "435.0000", "5"},
    {27, "DED", "VARDENDED:Rx(420-449.9950) Tx(420-449.9950)", "435.0000", "435.0000", "5"},
    {28, "DJ", "VARDENDJ:Rx(400-479.9950) Tx(400-479.9950)", "440.0000", "440.0000", "5"},
    {29, "DJD", "VARDENDJD:Rx(430-469.9950) Tx(430-469.9950)", "450.0000", "450.0000", "5"},
    {30, "DTA", "VARDENDTA:Rx(410-429.9950) Tx(410-429.9950)", "420.0000", "420.0000", "5"},
    {31, "DTAD", "VARDENDTAD:Rx(400-429.9950) Tx(400-429.9950)", "415.0000", "415.0000", "5"},
}};

constexpr std::array<std::string_view, 10> steps{"5",  "6.25", "8.33", "10", "12.5",
                                                 "15", "20",   "25",   "30", "50"};

constexpr std::array<std::string_view, 50> ctcssTones{
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr std::array<std::string_view, 232> dcsCodes{
    "017N", "023N", "025N", "026N", "031N", "032N", "036N", "043N", "047N", "050N", "051N", "053N",
    "054N", "055N", "065N", "071N", "072N", "073N", "074N", "114N", "115N", "116N", "122N", "125N",
    "131N", "132N", "134N", "135N", "143N", "145N", "152N", "155N", "156N", "162N", "165N", "172N",
    "174N", "205N", "212N", "217N", "223N", "225N", "226N", "243N", "244N", "245N", "246N", "251N",
    "252N", "254N", "255N", "261N", "263N", "265N", "266N", "271N", "274N", "305N", "306N", "311N",
    "315N", "325N", "331N", "332N", "343N", "345N", "346N", "351N", "356N", "364N", "365N", "371N",
    "411N", "412N", "413N", "423N", "425N", "431N", "432N", "445N", "446N", "452N", "454N", "455N",
    "462N", "464N", "465N", "466N", "503N", "506N", "516N", "523N", "526N", "532N", "534N", "546N",
    "565N", "606N", "612N", "624N", "627N", "631N", "632N", "645N", "654N", "662N", "664N", "703N",
    "712N", "723N", "731N", "732N", "734N", "743N", "754N", "765N", "017I", "023I", "025I", "026I",
    "031I", "032I", "036I", "043I", "047I", "050I", "051I", "053I", "054I", "055I", "065I", "071I",
    "072I", "073I", "074I", "114I", "115I", "116I", "122I", "125I", "131I", "132I", "134I", "135I",
    "143I", "145I", "152I", "155I", "156I", "162I", "165I", "172I", "174I", "205I", "212I", "217I",
    "223I", "225I", "226I", "243I", "244I", "245I", "246I", "251I", "252I", "254I", "255I", "261I",
    "263I", "265I", "266I", "271I", "274I", "305I", "306I", "311I", "315I", "325I", "331I", "332I",
    "343I", "345I", "346I", "351I", "356I", "364I", "365I", "371I", "411I", "412I", "413I", "423I",
    "425I", "431I", "432I", "445I", "446I", "452I", "454I", "455I", "462I", "464I", "465I", "466I",
    "503I", "506I", "516I", "523I", "526I", "532I", "534I", "546I", "565I", "606I", "612I", "624I",
    "627I", "631I", "632I", "645I", "654I", "662I", "664I", "703I", "712I", "723I", "731I", "732I",
    "734I", "743I", "754I", "765I"};

constexpr std::array<std::string_view, 3> toneKinds{"off", "CTCSS", "DCS"};
constexpr std::array<std::string_view, 2> twoStates{"off", "on"};
constexpr std::array<std::string_view, 8> dtmfMemories{"C0", "C1", "C2", "C3",
                                                       "C4", "C5", "C6", "CP"};
constexpr std::array<std::string_view, 2> dtmfPttIds{"OFF", "ON"};
constexpr std::array<std::string_view, 4> fiveTonePttIds{"OFF", "BOT", "EOT", "BOTH"};

const std::array<std::string_view, 100>& numbers0To99() {
    static const std::array<std::string, 100> storage = [] {
        std::array<std::string, 100> texts;
        for (int i = 0; i < 100; ++i) {
            texts[static_cast<std::size_t>(i)] = std::to_string(i);
        }
        return texts;
    }();
    static const std::array<std::string_view, 100> views = [] {
        std::array<std::string_view, 100> v;
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] = storage[i];
        }
        return v;
    }();
    return views;
}

} // namespace

const std::array<ModelEntry, modelCount>& ModelTable() {
    return models;
}

const ModelEntry* modelByIndex(int index) {
    if (index < 0 || index >= modelCount) {
        return nullptr;
    }
    return &models[static_cast<std::size_t>(index)];
}

TextList StepList() {
    return steps;
}
TextList CtcssToneList() {
    return ctcssTones;
}
TextList DcsCodeList() {
    return dcsCodes;
}
TextList ToneKindList() {
    return toneKinds;
}
TextList TwoStateList() {
    return twoStates;
}
TextList DtmfMemoryList() {
    return dtmfMemories;
}
TextList TwoToneMemoryList() {
    return numbers0To99();
}
TextList FiveToneMemoryList() {
    return numbers0To99();
}
TextList DtmfPttIdList() {
    return dtmfPttIds;
}
TextList FiveTonePttIdList() {
    return fiveTonePttIds;
}

std::optional<int> positionOf(TextList list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string_view entryAt(TextList list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
        return {};
    }
    return list[static_cast<std::size_t>(position)];
}

std::string rowLabel(int row) {
    switch (row) {
    case 101:
        return "PL";
    case 102:
        return "PH";
    case 103:
        return "C";
    case 104:
        return "V";
    default:
        return std::to_string(row - 1);
    }
}

std::string priReferenceOfRow(int row) {
    if (row == 101) {
        return "PL";
    }
    if (row == 102) {
        return "PH";
    }
    const int channel = row - 1;
    return channel < 10 ? "0" + std::to_string(channel) : std::to_string(channel);
}

std::optional<int> rowOfPriReference(std::string_view reference) {
    static constexpr std::array<std::pair<std::string_view, int>, 4> named{{
        {"PL", rowLowerScanLimit},
        {"PH", rowUpperScanLimit},
        {"CAL", rowCallChannel},
        {"VFO", rowVfo},
    }};
    for (const auto& [text, row] : named) {
        if (reference == text) {
            return row;
        }
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (reference.size() == 2 && isDigit(reference[0]) && isDigit(reference[1])) {
        return ((reference[0] - '0') * 10) + (reference[1] - '0') + 1;
    }
    return std::nullopt;
}

bool isToneCellText(std::string_view cell) {
    if (cell == "off") {
        return true;
    }
    if (cell.starts_with(ctcssPrefix)) {
        return positionOf(CtcssToneList(), cell.substr(ctcssPrefix.size())).has_value();
    }
    if (cell.starts_with(dcsPrefix)) {
        return positionOf(DcsCodeList(), cell.substr(dcsPrefix.size())).has_value();
    }
    return false;
}

bool optionSignalUsesMemory(std::string_view signal) {
    return signal == "DTMF" || signal == "DTMF-ANI" || signal == "2Tone" || signal == "5Tone";
}

bool optionSignalUsesPttId(std::string_view signal) {
    return signal == "DTMF-ANI" || signal == "5Tone";
}

} // namespace vn574::document
