#include "files/Report.h"

#include "app/AtomicFile.h"
#include "app/TextUtil.h"

#include <array>
#include <string_view>

namespace vn574::files {
namespace {

using namespace document;

constexpr std::array<std::string_view, 14> headingWords{
    "ch",       "status",  "Name", "Ref.",     "Rx Freq.",  "CTCSS/DCS", "W/N",
    "PAC MODE", "DCS DET", "PRI",  "Tx Freq.", "CTCSS/DCS", "BCL",       "ANI"};

struct OptionLine {
    std::string_view labelA;
    int fieldA;
    std::string_view labelB;
    int fieldB;
};

constexpr std::array<OptionLine, 11> optionLines{{
    {"Indication: ", 1, "DTMF burst delay: ", 12},
    {"VFO/MR/CALL: ", 2, "DTMF 1st digit: ", 13},
    {"MR No: ", 3, "DTMF Tx interval: ", 14},
    {"SQL No: ", 4, "TBST Freq: ", 15},
    {"Tx Power: ", 5, "Time out timer: ", 16},
    {"Scan start: ", 6, "Time out Penalty: ", 17},
    {"Tx power change: ", 7, "Key Lock: ", 18},
    {"Key Lock change: ", 8, "APO: ", 19},
    {"Moni Key: ", 9, "Beep Sound: ", 20},
    {"CtcssDcs Change: ", 10, "ScanningModel: ", 21},
    {"TBST Output: ", 11, "LAMP Mode: ", 22},
}};

constexpr int securityModeField = 23;
constexpr int powerSelectField = 25;
const std::string columnGap(25, ' ');

std::string headingLine() {
    std::string line;
    for (std::size_t i = 0; i < headingWords.size(); ++i) {
        if (i > 0) {
            line += reportSeparator;
        }
        line += headingWords[i];
    }
    return line;
}

void appendValue(std::string& line, std::string_view value) {
    line += value;
    line += reportSeparator;
}

// Rows reported from strChData: columns 2 (name) to 15 (Shift).
void appendStoredColumns(std::string& line, const Editor& editor, int row) {
    const Document& doc = editor.document();
    for (int column = colName; column <= colShift; ++column) {
        const std::string& value = doc.strChData.at(row, column);
        appendValue(line, value.empty() ? doc.defaultOf(column) : value);
    }
}

std::string channelLine(const Editor& editor, int row) {
    const Document& doc = editor.document();
    std::string line;
    if (row >= rowCallChannel) {
        appendValue(line, std::to_string(row - 1));
        line += reportSeparator;
        appendStoredColumns(line, editor, row);
        return line;
    }
    if (editor.grid().cell(row, colStatus) != editor.words().active) {
        appendValue(line, std::to_string(row - 1));
        appendValue(line, storedInactive);
        appendStoredColumns(line, editor, row);
        return line;
    }
    // Columns 0 (row label) to 14 (ANI): the Shift and option-signal columns are not
    // printed for rows in use.
    for (int column = 0; column <= colAni; ++column) {
        const std::string& cell = editor.grid().cell(row, column);
        const bool blank = app::trimBlanks(cell).empty();
        appendValue(line, blank && column > 0 ? doc.defaultOf(column) : cell);
    }
    return line;
}

} // namespace

Report buildReport(const Editor& editor, ReportTarget target) {
    Report report;
    const auto add = [&report](std::string text, bool blankAfter = true) {
        report.lines.push_back({std::move(text), blankAfter});
    };

    add(headingLine());
    for (int row = 1; row <= tableRows; ++row) {
        add(channelLine(editor, row));
    }

    const std::vector<std::string> setup = app::splitFields(editor.document().strSetup, '|');
    if (setup.size() != setupFieldCount) {
        report.failedMessageKey = 9004;
        return report;
    }
    const std::vector<std::string> autoDial = app::splitFields(editor.document().strAutoDial, '|');
    if (autoDial.size() != autoDialFieldCount) {
        report.failedMessageKey = 9003;
        return report;
    }

    const auto field = [&setup](int index) { return setup[static_cast<std::size_t>(index)]; };
    add("Radio Option");
    for (const OptionLine& option : optionLines) {
        add(std::string(option.labelA) + field(option.fieldA) + columnGap +
            std::string(option.labelB) + field(option.fieldB));
    }
    std::string security = "Security Mode: " + field(securityModeField);
    if (target == ReportTarget::Printer) {
        security += columnGap + "Power Select:" + field(powerSelectField);
    }
    add(std::move(security));
    add("AutoDialor Option");
    for (int k = 1; k <= 9; ++k) {
        add("M" + std::to_string(k) + ":  " + std::string(reportSeparator) +
                autoDial[static_cast<std::size_t>(k)],
            false);
    }
    return report;
}

std::string formatTextReport(const Report& report) {
    std::string text;
    for (const ReportLine& line : report.lines) {
        text += line.text;
        if (line.blankLineAfter) {
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

bool exportReport(Editor& editor, const std::string& path) {
    const Report report = buildReport(editor, ReportTarget::TextFile);
    const std::string error = app::writeFileAtomically(path, formatTextReport(report));
    if (!error.empty()) {
        editor.prompts().message("The report could not be written: " + error + ".",
                                 app::Icon::Error);
        return false;
    }
    if (!report.complete()) {
        editor.prompts().message(editor.windowMessage(report.failedMessageKey), app::Icon::Error);
        return false;
    }
    return true;
}

} // namespace vn574::files
