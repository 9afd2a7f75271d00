#pragma once

#include <array>
#include <string>

namespace vn574::document {

inline constexpr int gridRowCount = 105;   // heading row 0, rows 1..104
inline constexpr int gridColumnCount = 17; // label column 0, columns 1..16
inline constexpr std::string_view notInUseCell = "---";

// What the main window's grid shows: the working copy of the rows in use. Row 0 holds
// the column headings and column 0 the row labels. The Qt grid is only a view of it.
class ChannelGrid {
public:
    [[nodiscard]] const std::string& cell(int row, int column) const {
        return m_cells[index(row, column)];
    }
    void setCell(int row, int column, std::string text) {
        m_cells[index(row, column)] = std::move(text);
    }

private:
    // Inline: every whole-document operation goes through it thousands of times.
    static std::size_t index(int row, int column) {
        if (row < 0 || row >= gridRowCount || column < 0 || column >= gridColumnCount) {
            outOfRange(row, column);
        }
        return (static_cast<std::size_t>(row) * gridColumnCount) + static_cast<std::size_t>(column);
    }
    [[noreturn]] static void outOfRange(int row, int column);
    std::array<std::string, std::size_t{gridRowCount} * gridColumnCount> m_cells{};
};

} // namespace vn574::document
