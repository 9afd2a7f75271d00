#include "files/FileIo.h"

#include "app/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vn574::files {
namespace {

std::string describe(const char* action, const std::string& path, int error) {
    return std::string(action) + " \"" + path + "\": " + std::strerror(error);
}

} // namespace

std::string readFileHead(const std::string& path, std::size_t limit, std::string& contents) {
    contents.clear();
    std::FILE* file = app::openFile(path, "rb");
    if (file == nullptr) {
        return describe("Cannot open", path, errno);
    }
    contents.resize(limit);
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t n = std::fread(contents.data() + total, 1, limit - total, file);
        total += n;
        if (n == 0) {
            break;
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    contents.resize(total);
    if (failed) {
        contents.clear();
        return describe("Cannot read", path, error);
    }
    return {};
}

std::string checkReplaceable(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            continue; // a new file: the folder is checked when the temporary is created
        }
        if (S_ISDIR(info.st_mode)) {
            return describe("Cannot replace", path, EISDIR);
        }
        if (::access(path.c_str(), W_OK) != 0) {
            return describe("Cannot replace", path, errno);
        }
    }
    return {};
}

} // namespace vn574::files
