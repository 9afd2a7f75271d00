#include "document/ChannelGrid.h"

#include <stdexcept>

namespace vn574::document {

std::size_t ChannelGrid::index(int row, int column) {
    if (row < 0 || row >= gridRowCount || column < 0 || column >= gridColumnCount) {
        throw std::out_of_range("grid cell " + std::to_string(row) + "," + std::to_string(column));
    }
    return (static_cast<std::size_t>(row) * gridColumnCount) + static_cast<std::size_t>(column);
}

} // namespace vn574::document
