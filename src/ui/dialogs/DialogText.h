#pragma once

#include <QString>

#include <string_view>

namespace vn574::ui {

// The core keeps its texts as UTF-8, as the language files are.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vn574::ui
