#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace vn574::app {

// The program holds file names as UTF-8 text. Linux takes those bytes as they are;
// Windows would read them in the ANSI code page ("Kanäle" becoming "KanÃ¤le"), so there
// every name goes to the system as UTF-16 through a std::filesystem::path made from
// UTF-8. These functions are the one place where a name meets the system.

// The path of the UTF-8 name `name`.
std::filesystem::path pathOf(const std::string& name);
// The UTF-8 text of `path` (the inverse of pathOf).
std::string nameOf(const std::filesystem::path& path);

// fopen of a UTF-8 name.
std::FILE* openFile(const std::string& name, const char* mode);
// open(2) of a UTF-8 name; binary on Windows, where a descriptor otherwise translates
// line ends.
int openDescriptor(const std::string& name, int flags, int mode = 0);
// write(2) and close(2) of a descriptor from openDescriptor.
long long writeDescriptor(int fd, const char* data, std::size_t size);
int closeDescriptor(int fd);
// mkdir(2) of a UTF-8 name, with the owner-only mode on POSIX.
int makeFolder(const std::string& name);
// Makes a file readable and writable by its owner only (POSIX; Windows has no such
// mode, the folder's permissions decide there).
int makeOwnerOnly(const std::string& name);
// Whether a UTF-8 name is a folder (1), something else (0), or not there or unreadable
// (-1, errno set).
int folderState(const std::string& name);
// Whether anything, even a dangling link, has this UTF-8 name.
bool nameTaken(const std::string& name);
// rename(2) of UTF-8 names; like POSIX it replaces an existing target on Windows too.
int renameFile(const std::string& from, const std::string& to);
int removeFile(const std::string& name);
// Reads up to `size` bytes at `offset` without moving the descriptor's position for
// writes (pread(2)); the count or -1.
long long readAt(int fd, char* data, std::size_t size, long long offset);
// The size of the open file, or -1.
long long sizeOf(int fd);
// The local and the universal time of `time`, and the time of universal time fields.
std::tm localTime(std::time_t time);
std::tm universalTime(std::time_t time);
std::time_t timeOfUniversal(std::tm fields);

} // namespace vn574::app
