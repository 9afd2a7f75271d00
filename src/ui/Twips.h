#pragma once

#include <cmath>

namespace vn574::ui {

// Window measures of this program are kept in twips (1/1440 inch), so they scale with
// the screen's logical resolution: 15 twips are one pixel at 96 dots per inch.
inline int twipsToPixels(int twips, int logicalDpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * logicalDpi / 1440.0));
}

} // namespace vn574::ui
