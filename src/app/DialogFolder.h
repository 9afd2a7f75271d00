#pragma once

#include <string>

namespace vn574::app {

// The folder a file dialog starts in: the folder of the document's file when it has one
// that still exists, else the folder last used in this session while it still exists,
// else the user's documents folder when it exists, else the home folder. A folder that
// does not exist must never reach the dialog: given as its start, the dialog would offer
// the folder's name as the file name. `currentFile` is the document's file name, which
// holds no folder at all while the document is new ("noname.vd").
std::string dialogStartFolder(const std::string& currentFile, const std::string& lastUsed,
                              const std::string& documents, const std::string& home);

} // namespace vn574::app
