#pragma once

#include "document/GridCell.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::document {

class Editor;

// Find: the cells of the rows in use that a typed text names. A text matches a name
// that holds it, whatever the case, and, when it is a number, a receive or transmit
// frequency of the same value however many zeros either is written with ("145.5" finds
// 145.50000). Rows not in use show "---" and are never found.
class ChannelFinder {
public:
    explicit ChannelFinder(std::string_view query);

    [[nodiscard]] bool empty() const { return m_lowerQuery.empty(); }
    [[nodiscard]] bool matches(int column, std::string_view text) const;
    // Every matching cell, in reading order.
    [[nodiscard]] std::vector<GridCell> find(const Editor& editor) const;
    // The next (or previous) match from `from`, going round past the last row.
    [[nodiscard]] std::optional<GridCell> next(const Editor& editor, GridCell from,
                                               bool forward) const;

private:
    std::string m_lowerQuery;
    std::optional<std::string> m_number; // the query as a plain decimal, when it is one
};

} // namespace vn574::document
