#pragma once

#include <compare>
#include <optional>
#include <span>

namespace vn574::document {

// One cell of the grid: row 1..104, column 1..16.
struct GridCell {
    int row = 0;
    int column = 0;
    auto operator<=>(const GridCell&) const = default;
};

// The cell of `cells` (in reading order: by row, then by column) that comes next after
// `from`, or before it when `forward` is false. Past the last cell the search goes round
// to the first, so a user stepping through the cells never meets an end; `from` itself
// comes back only when it is the one cell listed.
inline std::optional<GridCell> cellAfter(std::span<const GridCell> cells, GridCell from,
                                         bool forward) {
    if (cells.empty()) {
        return std::nullopt;
    }
    if (forward) {
        for (const GridCell& cell : cells) {
            if (cell > from) {
                return cell;
            }
        }
        return cells.front();
    }
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        if (*it < from) {
            return *it;
        }
    }
    return cells.back();
}

} // namespace vn574::document
