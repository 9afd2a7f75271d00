#pragma once

#include "codec/MemoryImage.h"

#include <string>

namespace vn574::files {

// Reads a radio memory image of exactly 8192 bytes into `image`. "" or a description of
// why the file is none for the user.
std::string readImageFile(const std::string& path, codec::MemoryImage& image);

} // namespace vn574::files
