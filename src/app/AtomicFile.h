#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vn574::app {

// Replaces files only once their new contents are completely on disk: each is written
// to a temporary file in its own folder, flushed, and renamed over the old file only
// when every temporary is complete. A failure leaves every old file as it was.
// Returns "" on success, else a description of the failure for the user.
std::string writeFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files);

std::string writeFileAtomically(const std::string& path, std::string_view contents);

// Called between writing the temporaries and renaming them; a test sets it to
// simulate a crash at the worst moment. Empty in the program.
using BeforeRenameHook = void (*)();
void setBeforeRenameHook(BeforeRenameHook hook);

} // namespace vn574::app
