#include "app/AtomicFile.h"

#include "app/FileSystem.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

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

#ifdef _WIN32

// Windows has no mkstemp for UTF-16 names: the name is drawn at random and claimed by
// creating the file, which fails when it exists.
int createTemporary(std::string& path) {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    const std::string base = path.substr(0, path.size() - 6);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = base;
        for (int i = 0; i < 6; ++i) {
            path += letters[pick(random)];
        }
        const int fd = openDescriptor(path, _O_WRONLY | _O_CREAT | _O_EXCL, 1);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

int setReadableByAll(int /*fd*/) {
    return 0; // Windows keeps no mode bits: the folder's permissions decide
}

int flushToDisk(int fd) {
    return ::_commit(fd);
}

// Replaces `to` by `from`. A file another program holds open (a virus scanner, an
// indexer, an editor showing it) refuses the replacement for a moment: that is tried
// again for about a second before it counts as a failure.
int replaceFile(const std::string& from, const std::string& to) {
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return 0;
        }
        const DWORD error = ::GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          error == ERROR_ACCESS_DENIED;
        if (!busy || attempt == 20) {
            errno = error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ? ENOENT
                    : error == ERROR_DISK_FULL                                     ? ENOSPC
                                                                                   : EACCES;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

#else

int createTemporary(std::string& path) {
    return ::mkstemp(path.data());
}

int setReadableByAll(int fd) {
    return ::fchmod(fd, 0644);
}

int flushToDisk(int fd) {
    return ::fsync(fd);
}

int replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

#endif

// Writes `contents` to a new temporary beside `path`; "" or the failure. The mode is set
// before the data go in, so that the flush that follows covers it too: a change of mode
// after the flush would leave the inode dirty, and the next file's flush would have to
// commit it as well.
std::string writeTemporary(const std::string& path, std::string_view contents,
                           Temporary& temporary) {
    temporary.path = path + ".tmp-XXXXXX";
    temporary.fd = createTemporary(temporary.path);
    if (temporary.fd < 0) {
        const int error = errno;
        temporary.path.clear();
        return describe("Cannot create a file beside", path, error);
    }
    if (setReadableByAll(temporary.fd) != 0) {
        return describe("Cannot write", path, errno);
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const long long n =
            writeDescriptor(temporary.fd, contents.data() + written, contents.size() - written);
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
        if (flushToDisk(temporaries[i].fd) != 0) {
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
        if (closeDescriptor(temporaries[i].fd) != 0 && errors[i] == 0) {
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
            closeDescriptor(temporary.fd);
            temporary.fd = -1;
        }
        if (!temporary.path.empty()) {
            removeFile(temporary.path);
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
        if (replaceFile(temporaries[i].path, files[i].first) != 0) {
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
