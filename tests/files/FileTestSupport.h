#pragma once

#include "document/Editor.h"
#include "document/ValueTables.h"

#include <string>
#include <vector>

namespace vn574::files::filetest {

// A channel data file as a user or an older program would have written it: each record
// followed by CR CR LF.
inline std::string fileOf(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& record : records) {
        text += record + "\r\r\n";
    }
    return text;
}

inline std::string inactiveRecord(int row) {
    std::string record = std::to_string(row - 1) + "|Inactive|";
    for (int field = 2; field <= 18; ++field) {
        record += "def|";
    }
    return record;
}

// 107 valid records of a model-2 file: channel 0 in use, the rest not, the two
// fixed rows and the new-document records.
inline std::vector<std::string> validRecords() {
    std::vector<std::string> records;
    records.push_back("0|Active|HOME|12.5|145.5000|C:88.5|narrow|off|off|Skip|off|145.5000|"
                      "C:88.5|on|off|off|None|0|0|");
    for (int row = 2; row <= 102; ++row) {
        records.push_back(inactiveRecord(row));
    }
    records.push_back(
        "C|def|CALL|5|146.0000|off|wide|off|off|Scan|off|146.0000|off|off|off|off|None|0|0|");
    records.push_back(
        "V|def|def|6.25|144.0000|off|wide|off|off|Scan|off|144.6000|off|off|off|on|None|0|0|");
    records.push_back("setup|Channel|MR|5|4|Mid|Enable|Disable|Enable|Enable|Disable|Enable|"
                      "400ms|80ms|80ms|1750Hz|3m00sec|5sec|off|on|Enable|Busy|Low|on|Lock|25W|1|0");
    records.push_back("Ad|123|||||||||");
    records.push_back("2|");
    return records;
}

// Every grid cell, for comparing whole grids.
inline std::vector<std::string> gridCells(const document::Editor& editor) {
    std::vector<std::string> cells;
    for (int row = 0; row < document::gridRowCount; ++row) {
        for (int column = 0; column < document::gridColumnCount; ++column) {
            cells.push_back(editor.cell(row, column));
        }
    }
    return cells;
}

// A signalling record that differs from the new-document one in many places.
inline document::ToneData customToneData() {
    document::ToneData data;
    data.dtmfMem = {0x123, 0x456, 0x7, 0, 0, 0, 0, 0x911};
    data.twoToneType = 3;
    data.twoToneMem[0] = {14, 102, 9, 153, 4, 6};
    data.twoToneMem[99] = {1, 2, 3, 4, 5, 6};
    data.selfId = "54321";
    data.selfIdDelay = 30;
    data.pttIdBot.code = "E2SelfID";
    data.pttIdBot.codeLen = 8;
    data.fiveToneMem[3].code = "12345";
    data.fiveToneMem[3].codeLen = 5;
    data.fiveToneMem[99].toneTime = 10;
    return data;
}

inline std::string packed(const document::ToneData& data) {
    const auto bytes = data.pack();
    return {bytes.begin(), bytes.end()};
}

} // namespace vn574::files::filetest
