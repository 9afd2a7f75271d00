#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vn574::app {

// Blanks in the sense of the profile-string reader: spaces and tabs.
std::string_view trimBlanks(std::string_view text);
std::string trimmed(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Splits at every occurrence of `separator`; "a||" gives three fields "a", "", "".
std::vector<std::string> splitFields(std::string_view text, char separator);

std::string joinFields(const std::vector<std::string>& fields, char separator);

// Whole contents of a file as bytes; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& contents);

} // namespace vn574::app
