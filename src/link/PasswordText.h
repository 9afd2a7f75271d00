#pragma once

#include <string>
#include <string_view>

namespace vn574::link {

// The radio password as the password gate compares it: up to the first NUL, without
// surrounding spaces.
inline std::string TrimAtNul(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace vn574::link
