#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vn574::app {

// Reads and writes "profile strings": the INI dialect that the language files and
// mysetup.ini have always been kept in. Written by hand because the semantics the
// program relies on are narrow and specific: section and key names match without
// regard to case, values are trimmed of surrounding blanks, a missing file, section
// or key reads as the empty text, and writing one key leaves every other line of the
// file as it was. Every call goes to the file again, so an edited file takes effect
// at the next lookup.
class IniFile {
public:
    // The value of `key` in `section`, or "" when the file, section or key is missing.
    static std::string readString(const std::string& path, std::string_view section,
                                  std::string_view key);

    // Sets `key` in `section` to `value`, creating the file, the section or the key
    // as needed. Returns false when the file cannot be written.
    static bool writeString(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value);
    // Several keys of one section at once: one rewrite of the file instead of one per key.
    static bool writeStrings(const std::string& path, std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries);

    // The same lookup on text already in memory.
    static std::string lookup(std::string_view text, std::string_view section,
                              std::string_view key);

    // The whole text with `key` of `section` set to `value`.
    static std::string withValue(std::string_view text, std::string_view section,
                                 std::string_view key, std::string_view value);
};

} // namespace vn574::app
