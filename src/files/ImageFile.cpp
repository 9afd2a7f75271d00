#include "files/ImageFile.h"

#include "app/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vn574::files {

std::string readImageFile(const std::string& path, codec::MemoryImage& image) {
    std::ifstream in(app::pathOf(path), std::ios::binary);
    if (!in) {
        return "cannot read \"" + path + "\": " + std::strerror(errno);
    }
    const std::string contents((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) {
        return "cannot read \"" + path + "\"";
    }
    if (contents.size() != image.size()) {
        return "\"" + path + "\" is not a radio image: it has " + std::to_string(contents.size()) +
               " bytes, an image has " + std::to_string(image.size());
    }
    std::copy(contents.begin(), contents.end(), image.begin());
    return {};
}

} // namespace vn574::files
