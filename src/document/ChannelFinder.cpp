#include "document/ChannelFinder.h"

#include "app/TextUtil.h"
#include "document/Editor.h"
#include "document/FieldRules.h"

#include <algorithm>

namespace vn574::document {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    return lower;
}

// A decimal text without its sign "+", the zeros that lead the whole part and those
// that end the fraction: "0145.50000" and "145.5" give the same text.
std::optional<std::string> plainDecimal(std::string_view text) {
    text = app::trimBlanks(text);
    if (!isNumber(text)) {
        return std::nullopt;
    }
    std::string sign;
    if (text.front() == '+' || text.front() == '-') {
        if (text.front() == '-') {
            sign = "-";
        }
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    if (whole.empty() && fraction.empty()) {
        return std::string("0"); // "-0.0" is zero as well
    }
    return sign + std::string(whole) + "." + std::string(fraction);
}

} // namespace

ChannelFinder::ChannelFinder(std::string_view query)
    : m_lowerQuery(lowered(app::trimBlanks(query))), m_number(plainDecimal(query)) {}

bool ChannelFinder::matches(int column, std::string_view text) const {
    if (empty()) {
        return false;
    }
    if (column == colName) {
        return lowered(text).find(m_lowerQuery) != std::string::npos;
    }
    if ((column == colRxFreq || column == colTxFreq) && m_number) {
        return plainDecimal(text) == m_number;
    }
    return false;
}

std::vector<GridCell> ChannelFinder::find(const Editor& editor) const {
    std::vector<GridCell> found;
    if (empty()) {
        return found;
    }
    for (int row = 1; row <= tableRows; ++row) {
        if (!editor.isRowActive(row)) {
            continue;
        }
        for (const int column : {colName, colRxFreq, colTxFreq}) {
            if (matches(column, editor.cell(row, column))) {
                found.push_back({row, column});
            }
        }
    }
    return found;
}

std::optional<GridCell> ChannelFinder::next(const Editor& editor, GridCell from,
                                            bool forward) const {
    return cellAfter(find(editor), from, forward);
}

} // namespace vn574::document
