#pragma once

#include "document/ToneData.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace vn574::document {

inline constexpr int tableRows = 104;   // rows 1..104
inline constexpr int tableColumns = 18; // columns 1..18

// Rows of the channel table and the grid beyond the 100 memory channels.
inline constexpr int rowLowerScanLimit = 101; // "PL"
inline constexpr int rowUpperScanLimit = 102; // "PH"
inline constexpr int rowCallChannel = 103;    // "C"
inline constexpr int rowVfo = 104;            // "V"

// Columns shared by the channel table (1..18) and the grid (1..16).
enum Column : int {
    colStatus = 1,
    colName = 2,
    colRef = 3,
    colRxFreq = 4,
    colRxTone = 5,
    colWideNarrow = 6,
    colPacMode = 7,
    colDcsDet = 8,
    colScanSkip = 9,
    colPri = 10,
    colTxFreq = 11,
    colTxTone = 12,
    colBcl = 13,
    colAni = 14,
    colShift = 15,
    colOptSignal = 16,
    colOptMemory = 17,
    colPttId = 18,
};

inline constexpr std::string_view storedActive = "Active";
inline constexpr std::string_view storedInactive = "Inactive";
inline constexpr std::string_view storedWide = "wide";
inline constexpr std::string_view storedNarrow = "narrow";

inline constexpr std::string_view newSetupRecord =
    "setup|Frequency|VFO|0|3|Hi|----------------|----------------|----------------|"
    "----------------|----------------|----------------|100ms|60ms|60ms|1750Hz|off|"
    "----------------|off|off|Enable|Timer|High|off|Lock|50W|1|0";
inline constexpr std::string_view newAutoDialRecord = "Ad||||||||||";
inline constexpr int setupFieldCount = 28;
inline constexpr int autoDialFieldCount = 11;

// strChData: 104 rows x 18 columns of text, both indexed from 1.
class ChannelTable {
public:
    std::string& at(int row, int column) { return m_cells[index(row, column)]; }
    [[nodiscard]] const std::string& at(int row, int column) const {
        return m_cells[index(row, column)];
    }
    bool operator==(const ChannelTable&) const = default;

private:
    // Inline: every whole-document operation goes through it thousands of times.
    static std::size_t index(int row, int column) {
        if (row < 1 || row > tableRows || column < 1 || column > tableColumns) {
            outOfRange(row, column);
        }
        return (static_cast<std::size_t>(row - 1) * tableColumns) +
               static_cast<std::size_t>(column - 1);
    }
    [[noreturn]] static void outOfRange(int row, int column);
    std::array<std::string, std::size_t{tableRows} * tableColumns> m_cells{};
};

// The codeplug document: everything the editor holds about one radio's programming.
struct Document {
    ChannelTable strChData;
    std::array<std::string, tableColumns> strDefLine{};  // element c - 1 belongs to column c
    std::array<std::string, tableRows + 1> strRowStep{}; // element r is row r's step (1..104)
    int selectedModel = -1;                              // -1 while no model is selected
    std::string strSetup{newSetupRecord};
    std::string strAutoDial{newAutoDialRecord};
    ToneData toneData;
    ToneData toneDataEdit;
    bool bModify = false;
    bool BeReadReshow = true;

    // What a dialog's OK writes into the document. Only a value that differs from the one
    // held is a change that New, Open or Exit must ask about before throwing it away.
    template <typename T> void writeBack(T& held, T written) {
        if (held != written) {
            held = std::move(written);
            bModify = true;
        }
    }

    [[nodiscard]] const std::string& defaultOf(int column) const {
        return strDefLine[static_cast<std::size_t>(column - 1)];
    }
    std::string& rowStep(int row) { return strRowStep[static_cast<std::size_t>(row)]; }
    [[nodiscard]] const std::string& rowStep(int row) const {
        return strRowStep[static_cast<std::size_t>(row)];
    }
};

} // namespace vn574::document
