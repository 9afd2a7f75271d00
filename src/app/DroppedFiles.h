#pragma once

#include <string>
#include <vector>

namespace vn574::app {

// Whether a file is a channel data file by its name: the extension ".vd" in any case.
bool isChannelFileName(const std::string& path);

// What a drop of files on the main window does: the first channel data file is opened
// (one document at a time), every other file is named to the user as not opened.
struct DropPlan {
    std::string open; // "" when no channel data file was dropped
    std::vector<std::string> notOpened;
};

DropPlan planDrop(const std::vector<std::string>& paths);

} // namespace vn574::app
