#include "app/TextUtil.h"

#include "app/FileSystem.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vn574::app {

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string trimmed(std::string_view text) {
    return std::string(trimBlanks(text));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::tolower(ca) != std::tolower(cb)) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> splitFields(std::string_view text, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string joinFields(const std::vector<std::string>& fields, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += fields[i];
    }
    return joined;
}

bool readWholeFile(const std::string& path, std::string& contents) {
    std::ifstream in(pathOf(path), std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return false;
    }
    contents = buffer.str();
    return true;
}

} // namespace vn574::app
