#pragma once

#include "document/Editor.h"

#include <string>
#include <vector>

namespace vn574::files {

inline constexpr std::string_view reportSeparator = "    "; // four blanks

// The printer and the text file differ only in the security-mode line.
enum class ReportTarget { Printer, TextFile };

struct ReportLine {
    std::string text;
    // Followed by an empty line: every line except the nine auto-dialer memories.
    bool blankLineAfter = true;
};

struct Report {
    std::vector<ReportLine> lines;
    // 9004 or 9003 when strSetup or strAutoDial has the wrong number of fields; the
    // report then stops after the channel lines. 0 for a complete report.
    int failedMessageKey = 0;

    [[nodiscard]] bool complete() const { return failedMessageKey == 0; }
};

// The report of the editor as it stands: the grid for rows in use 1..102, strChData for
// every other row, the default line for empty values, then the two records.
Report buildReport(const document::Editor& editor, ReportTarget target);

// The text file's bytes: each line ends with CR LF, and a line followed by an empty
// line carries a second CR LF.
std::string formatTextReport(const Report& report);

// Print To File without the dialog: writes the report to `path` (replacing the old file
// only once the new one is complete) and shows MSG 9003/9004 when the report stops
// early, or the write error. Returns whether the whole report was written.
bool exportReport(document::Editor& editor, const std::string& path);

} // namespace vn574::files
