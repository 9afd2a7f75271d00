#include "app/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace vn574::app {
namespace {

BeforeRenameHook beforeRenameHook = nullptr;

std::string describe(const std::string& action, const std::string& path, int error) {
    return action + " \"" + path + "\": " + std::strerror(error);
}

// A temporary beside its file, written but not yet flushed; the descriptor stays open
// until the flush.
struct Temporary {
    std::string path;
    int fd = -1;
};

// Writes `contents` to a new temporary beside `path`; "" or the failure. The mode is set
// before the data go in, so that the flush that follows covers it too: a change of mode
// after the flush would leave the inode dirty, and the next file's flush would have to
// commit it as well.
std::string writeTemporary(const std::string& path, std::string_view contents,
                           Temporary& temporary) {
    temporary.path = path + ".tmp-XXXXXX";
    temporary.fd = ::mkstemp(temporary.path.data());
    if (temporary.fd < 0) {
        const int error = errno;
        temporary.path.clear();
        return describe("Cannot create a file beside", path, error);
    }
    if (::fchmod(temporary.fd, 0644) != 0) {
        return describe("Cannot write", path, errno);
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n =
            ::write(temporary.fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return describe("Cannot write", path, errno);
        }
        written += static_cast<std::size_t>(n);
    }
    return {};
}

// Flushes every temporary to the disk and closes it; "" or the first failure. The
// flushes run side by side: the file system can then commit them together, where one
// after the other each waits for a commit of its own.
std::string flushAll(std::vector<Temporary>& temporaries,
                     const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<int> errors(temporaries.size(), 0);
    const auto flush = [&](std::size_t i) {
        if (::fsync(temporaries[i].fd) != 0) {
            errors[i] = errno;
        }
    };
    std::vector<std::thread> others;
    for (std::size_t i = 1; i < temporaries.size(); ++i) {
        try {
            others.emplace_back(flush, i);
        } catch (const std::system_error&) {
            flush(i); // no thread to be had: this one waits its turn
        }
    }
    if (!temporaries.empty()) {
        flush(0);
    }
    for (auto& other : others) {
        other.join();
    }
    std::string failure;
    for (std::size_t i = 0; i < temporaries.size(); ++i) {
        if (::close(temporaries[i].fd) != 0 && errors[i] == 0) {
            errors[i] = errno;
        }
        temporaries[i].fd = -1;
        if (errors[i] != 0 && failure.empty()) {
            failure = describe("Cannot write", files[i].first, errors[i]);
        }
    }
    return failure;
}

void removeAll(std::vector<Temporary>& temporaries, std::size_t from = 0) {
    for (std::size_t i = from; i < temporaries.size(); ++i) {
        Temporary& temporary = temporaries[i];
        if (temporary.fd >= 0) {
            ::close(temporary.fd);
            temporary.fd = -1;
        }
        if (!temporary.path.empty()) {
            ::unlink(temporary.path.c_str());
        }
    }
}

} // namespace

void setBeforeRenameHook(BeforeRenameHook hook) {
    beforeRenameHook = hook;
}

std::string writeFilesAtomically(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<Temporary> temporaries(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string failure = writeTemporary(files[i].first, files[i].second, temporaries[i]);
        if (!failure.empty()) {
            removeAll(temporaries);
            return failure;
        }
    }
    if (std::string failure = flushAll(temporaries, files); !failure.empty()) {
        removeAll(temporaries);
        return failure;
    }
    if (beforeRenameHook != nullptr) {
        beforeRenameHook();
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(temporaries[i].path.c_str(), files[i].first.c_str()) != 0) {
            const int error = errno;
            removeAll(temporaries, i);
            return describe("Cannot replace", files[i].first, error);
        }
    }
    return {};
}

std::string writeFileAtomically(const std::string& path, std::string_view contents) {
    return writeFilesAtomically({{path, std::string(contents)}});
}

} // namespace vn574::app
