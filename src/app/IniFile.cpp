#include "app/IniFile.h"

#include "app/AtomicFile.h"
#include "app/TextUtil.h"

#include <optional>
#include <vector>

namespace vn574::app {
namespace {

struct Line {
    std::string_view text; // without its line end
};

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) {
        text.remove_prefix(bom.size());
    }
    return text;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line) {
    const std::string_view content = trimBlanks(line);
    if (content.empty() || content.front() == ';') {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyValue{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

// Where a key stands in a file: the index of its line, or the index after which a new
// key of the section belongs.
struct Location {
    bool sectionFound = false;
    std::optional<std::size_t> keyLine;
    std::size_t insertAfter = 0;
};

Location locate(const std::vector<std::string_view>& lines, std::string_view section,
                std::string_view key) {
    Location location;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection) {
                return location; // the first matching section is the one that counts
            }
            inSection = equalsIgnoringCase(*name, section);
            if (inSection) {
                location.sectionFound = true;
                location.insertAfter = i;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trimBlanks(lines[i]).empty()) {
            location.insertAfter = i;
        }
        if (const auto entry = keyValue(lines[i])) {
            if (equalsIgnoringCase(entry->key, key)) {
                location.keyLine = i;
                return location;
            }
        }
    }
    return location;
}

} // namespace

std::string IniFile::lookup(std::string_view text, std::string_view section, std::string_view key) {
    const auto lines = splitLines(withoutByteOrderMark(text));
    const Location location = locate(lines, section, key);
    if (!location.keyLine) {
        return {};
    }
    return std::string(keyValue(lines[*location.keyLine])->value);
}

std::string IniFile::withValue(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value) {
    const bool crlf = text.find("\r\n") != std::string_view::npos;
    const std::string_view eol = crlf ? "\r\n" : "\n";
    const std::string_view bom = text.substr(0, text.size() - withoutByteOrderMark(text).size());
    const auto lines = splitLines(withoutByteOrderMark(text));
    const Location location = locate(lines, section, key);
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::vector<std::string> out(lines.begin(), lines.end());
    if (location.keyLine) {
        out[*location.keyLine] = entry;
    } else if (location.sectionFound) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(location.insertAfter) + 1, entry);
    } else {
        if (!out.empty() && !trimBlanks(out.back()).empty()) {
            out.emplace_back();
        }
        out.push_back("[" + std::string(section) + "]");
        out.push_back(entry);
    }
    std::string result(bom);
    for (const auto& line : out) {
        result += line;
        result += eol;
    }
    return result;
}

std::string IniFile::readString(const std::string& path, std::string_view section,
                                std::string_view key) {
    std::string text;
    if (!readWholeFile(path, text)) {
        return {};
    }
    return lookup(text, section, key);
}

bool IniFile::writeString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view value) {
    std::string text;
    if (!readWholeFile(path, text)) {
        text.clear(); // a missing file is created
    }
    return writeFileAtomically(path, withValue(text, section, key, value)).empty();
}

bool IniFile::writeStrings(const std::string& path, std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text;
    if (!readWholeFile(path, text)) {
        text.clear();
    }
    for (const auto& [key, value] : entries) {
        text = withValue(text, section, key, value);
    }
    return writeFileAtomically(path, text).empty();
}

} // namespace vn574::app
