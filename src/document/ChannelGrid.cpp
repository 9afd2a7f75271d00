#include "document/ChannelGrid.h"

#include <stdexcept>

namespace vn574::document {

void ChannelGrid::outOfRange(int row, int column) {
    throw std::out_of_range("grid cell " + std::to_string(row) + "," + std::to_string(column));
}

} // namespace vn574::document
