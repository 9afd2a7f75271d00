#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vn574::files {

// Reads at most `limit` bytes of `path` into `contents`. Returns "" or a description of
// the failure for the user ("Cannot open "x": No such file or directory"). Reading stops
// at the limit, so a huge file picked by mistake is never loaded whole.
std::string readFileHead(const std::string& path, std::size_t limit, std::string& contents);

// Checks that each existing target may be replaced: a folder in its place or a file the
// user has made read-only is refused before anything is written, so that a save cannot
// replace one file of a pair and then fail on the other. "" or the failure.
std::string checkReplaceable(const std::vector<std::string>& paths);

} // namespace vn574::files
