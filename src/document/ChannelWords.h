#pragma once

#include <string>

namespace vn574::app {
class Language;
}

namespace vn574::document {

// The channel words that come from the language file instead of fixed literals.
struct ChannelWords {
    std::string active;    // 50015: status of a row in use
    std::string inactive;  // 50016: status of a row not in use
    std::string wide;      // 50019: W/N entry 0
    std::string narrow;    // 50020: W/N entry 1
    std::string scanSkip0; // 50023: scan-skip entry 0, the default
    std::string scanSkip1; // 50024: scan-skip entry 1

    static ChannelWords fromLanguage(const app::Language& language);

    // "wide"/"narrow" as the grid shows them; any other text unchanged.
    [[nodiscard]] std::string shownWidth(const std::string& stored) const;
    // The grid's W/N word as stored; any other text unchanged.
    [[nodiscard]] std::string storedWidth(const std::string& shown) const;
};

} // namespace vn574::document
