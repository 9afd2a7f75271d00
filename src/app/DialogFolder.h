#pragma once

#include <string>

namespace vn574::app {

// The folder a file dialog starts in: the folder last used in this session while it
// still exists, else the user's documents folder when it exists, else the home folder.
// A folder that does not exist must never reach the dialog: given as its start, the
// dialog would offer the folder's name as the file name.
std::string dialogStartFolder(const std::string& lastUsed, const std::string& documents,
                              const std::string& home);

} // namespace vn574::app
