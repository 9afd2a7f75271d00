#include "document/Document.h"

#include <stdexcept>

namespace vn574::document {

void ChannelTable::outOfRange(int row, int column) {
    throw std::out_of_range("channel table cell " + std::to_string(row) + "," +
                            std::to_string(column));
}

} // namespace vn574::document
