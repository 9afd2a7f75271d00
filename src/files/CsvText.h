#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// One record of a CSV file with the line it starts on (1-based), so that problems can
// name the line a user sees in a text editor or a spreadsheet.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    std::string error; // "" or why the text is no CSV (an unterminated quote)
};

// Splits comma-separated text as spreadsheets and radio tools write it: a UTF-8
// byte-order mark is skipped, records end with LF or CR LF (a lone CR too), a field in
// double quotes may hold commas, line breaks and doubled quotes. Blank lines give no
// record.
CsvParse parseCsv(std::string_view text);

// One field, quoted only when it must be: it holds a comma, a quote or a line break, or
// starts or ends with a blank that a reader would trim.
std::string csvField(std::string_view value);

// Fields joined by commas and ended by CR LF.
std::string csvLine(const std::vector<std::string>& fields);

} // namespace vn574::files
