#include "app/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vn574::app {
namespace {

BeforeRenameHook beforeRenameHook = nullptr;

std::string describe(const std::string& action, const std::string& path, int error) {
    return action + " \"" + path + "\": " + std::strerror(error);
}

// Writes `contents` to a new temporary beside `path`; "" or the failure.
std::string writeTemporary(const std::string& path, std::string_view contents,
                           std::string& temporary) {
    temporary = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        const int error = errno;
        temporary.clear();
        return describe("Cannot create a file beside", path, error);
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            return describe("Cannot write", path, error);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::fchmod(fd, 0644) != 0) {
        const int error = errno;
        ::close(fd);
        return describe("Cannot write", path, error);
    }
    if (::close(fd) != 0) {
        return describe("Cannot write", path, errno);
    }
    return {};
}

void removeAll(const std::vector<std::string>& temporaries) {
    for (const auto& temporary : temporaries) {
        if (!temporary.empty()) {
            ::unlink(temporary.c_str());
        }
    }
}

} // namespace

void setBeforeRenameHook(BeforeRenameHook hook) {
    beforeRenameHook = hook;
}

std::string writeFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::string> temporaries(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string failure = writeTemporary(files[i].first, files[i].second, temporaries[i]);
        if (!failure.empty()) {
            removeAll(temporaries);
            return failure;
        }
    }
    if (beforeRenameHook != nullptr) {
        beforeRenameHook();
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(temporaries[i].c_str(), files[i].first.c_str()) != 0) {
            const int error = errno;
            removeAll(std::vector<std::string>(temporaries.begin() + static_cast<std::ptrdiff_t>(i),
                                               temporaries.end()));
            return describe("Cannot replace", files[i].first, error);
        }
    }
    return {};
}

std::string writeFileAtomically(const std::string& path, std::string_view contents) {
    return writeFilesAtomically({{path, std::string(contents)}});
}

} // namespace vn574::app
