#pragma once

#include <optional>
#include <span>

namespace vn574::document {

// One cell of the grid: row 1..104, column 1..16.
struct GridCell {
    int row = 0;
    int column = 0;
    bool operator==(const GridCell&) const = default;
    // Reading order.
    bool operator<(const GridCell& other) const {
        return row != other.row ? row < other.row : column < other.column;
    }
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
            if (from < cell) {
                return cell;
            }
        }
        return cells.front();
    }
    for (std::size_t i = cells.size(); i-- > 0;) {
        if (cells[i] < from) {
            return cells[i];
        }
    }
    return cells.back();
}

} // namespace vn574::document
