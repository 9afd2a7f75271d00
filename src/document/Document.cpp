#include "document/Document.h"

#include <stdexcept>

namespace vn574::document {

std::size_t ChannelTable::index(int row, int column) {
    if (row < 1 || row > tableRows || column < 1 || column > tableColumns) {
        throw std::out_of_range("channel table cell " + std::to_string(row) + "," +
                                std::to_string(column));
    }
    return (static_cast<std::size_t>(row - 1) * tableColumns) +
           static_cast<std::size_t>(column - 1);
}

} // namespace vn574::document
