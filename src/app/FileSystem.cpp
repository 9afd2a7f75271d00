#include "app/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vn574::app {

std::filesystem::path pathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(reinterpret_cast<const char8_t*>(name.data()),
                                 reinterpret_cast<const char8_t*>(name.data() + name.size()));
#else
    return {name};
#endif
}

std::string nameOf(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
#else
    return path.string();
#endif
}

#ifdef _WIN32

namespace {

std::wstring wide(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

} // namespace

std::FILE* openFile(const std::string& name, const char* mode) {
    return ::_wfopen(pathOf(name).c_str(), wide(mode).c_str());
}

int openDescriptor(const std::string& name, int flags, int mode) {
    return ::_wopen(pathOf(name).c_str(), flags | _O_BINARY, mode != 0 ? _S_IREAD | _S_IWRITE : 0);
}

long long writeDescriptor(int fd, const char* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size));
}

int closeDescriptor(int fd) {
    return ::_close(fd);
}

int makeFolder(const std::string& name) {
    return ::_wmkdir(pathOf(name).c_str());
}

int makeOwnerOnly(const std::string& /*name*/) {
    return 0;
}

int folderState(const std::string& name) {
    struct _stat64 info {};
    if (::_wstat64(pathOf(name).c_str(), &info) != 0) {
        return -1;
    }
    return (info.st_mode & _S_IFDIR) != 0 ? 1 : 0;
}

bool nameTaken(const std::string& name) {
    return ::GetFileAttributesW(pathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int renameFile(const std::string& from, const std::string& to) {
    if (::MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return 0;
    }
    const DWORD error = ::GetLastError();
    errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
    return -1;
}

int removeFile(const std::string& name) {
    return ::_wremove(pathOf(name).c_str());
}

long long readAt(int fd, char* data, std::size_t size, long long offset) {
    const long long before = ::_lseeki64(fd, 0, SEEK_CUR);
    if (before < 0 || ::_lseeki64(fd, offset, SEEK_SET) < 0) {
        return -1;
    }
    const int n = ::_read(fd, data, static_cast<unsigned>(size));
    ::_lseeki64(fd, before, SEEK_SET);
    return n;
}

long long sizeOf(int fd) {
    return ::_filelengthi64(fd);
}

std::tm localTime(std::time_t time) {
    std::tm fields{};
    ::localtime_s(&fields, &time);
    return fields;
}

std::tm universalTime(std::time_t time) {
    std::tm fields{};
    ::gmtime_s(&fields, &time);
    return fields;
}

std::time_t timeOfUniversal(std::tm fields) {
    return ::_mkgmtime(&fields);
}

#else

std::FILE* openFile(const std::string& name, const char* mode) {
    return std::fopen(name.c_str(), mode);
}

int openDescriptor(const std::string& name, int flags, int mode) {
    return ::open(name.c_str(), flags, mode);
}

long long writeDescriptor(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}

int closeDescriptor(int fd) {
    return ::close(fd);
}

int makeFolder(const std::string& name) {
    return ::mkdir(name.c_str(), 0700);
}

int makeOwnerOnly(const std::string& name) {
    return ::chmod(name.c_str(), 0600);
}

int folderState(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        return -1;
    }
    return S_ISDIR(info.st_mode) ? 1 : 0;
}

bool nameTaken(const std::string& name) {
    struct stat info {};
    return ::lstat(name.c_str(), &info) == 0;
}

int renameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

int removeFile(const std::string& name) {
    return ::unlink(name.c_str());
}

long long readAt(int fd, char* data, std::size_t size, long long offset) {
    return ::pread(fd, data, size, static_cast<off_t>(offset));
}

long long sizeOf(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

std::tm localTime(std::time_t time) {
    std::tm fields{};
    ::localtime_r(&time, &fields);
    return fields;
}

std::tm universalTime(std::time_t time) {
    std::tm fields{};
    ::gmtime_r(&time, &fields);
    return fields;
}

std::time_t timeOfUniversal(std::tm fields) {
    return ::timegm(&fields);
}

#endif

} // namespace vn574::app
