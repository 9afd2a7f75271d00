#include "files/CsvText.h"

namespace vn574::files {

namespace {

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";

bool onlyBlank(const std::vector<std::string>& fields) {
    for (const std::string& field : fields) {
        if (field.find_first_not_of(" \t") != std::string::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

CsvParse parseCsv(std::string_view text) {
    CsvParse result;
    if (text.starts_with(utf8Bom)) {
        text.remove_prefix(utf8Bom.size());
    }
    int line = 1;
    int recordLine = 1;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false; // inside a quoted part of the field
    bool fieldStarted = false;
    const auto endRecord = [&] {
        fields.push_back(std::move(field));
        field.clear();
        if (!onlyBlank(fields)) {
            result.records.push_back({recordLine, std::move(fields)});
        }
        fields.clear();
        fieldStarted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field.push_back('"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') {
                    ++line;
                }
                field.push_back(c);
            }
            continue;
        }
        switch (c) {
        case '"':
            // A quote opens a quoted part only at the start of a field; elsewhere it is
            // kept as written, as spreadsheets read it.
            if (!fieldStarted) {
                quoted = true;
                fieldStarted = true;
            } else {
                field.push_back(c);
            }
            break;
        case ',':
            fields.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            [[fallthrough]];
        case '\n':
            endRecord();
            ++line;
            recordLine = line;
            break;
        default:
            field.push_back(c);
            fieldStarted = true;
            break;
        }
    }
    if (quoted) {
        result.error =
            "a quoted field that starts on line " + std::to_string(recordLine) + " is never closed";
        result.records.clear();
        return result;
    }
    if (!field.empty() || !fields.empty()) {
        endRecord();
    }
    return result;
}

std::string csvField(std::string_view value) {
    const bool mustQuote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!mustQuote) {
        return std::string(value);
    }
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += csvField(fields[i]);
    }
    out += "\r\n";
    return out;
}

} // namespace vn574::files
