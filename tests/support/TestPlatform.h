#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <stdlib.h>
#else
#include <unistd.h>
#endif

namespace vn574::test {

// Environment variables for tests that choose a folder or a time zone.
inline void setVariable(const std::string& name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

inline void unsetVariable(const std::string& name) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), ""); // an empty value removes the variable there
#else
    ::unsetenv(name.c_str());
#endif
}

// The variable that names the user's data folder: "XDG_DATA_HOME" (the folder is its
// "vn574" folder) or, on Windows, "APPDATA".
#ifdef _WIN32
inline constexpr const char* dataHomeVariable = "APPDATA";
#else
inline constexpr const char* dataHomeVariable = "XDG_DATA_HOME";
#endif

// Whether taking away the write permission of a file or folder stops this process
// writing it. Not for root on POSIX; and not on Windows, where the POSIX mode bits are
// no access control list at all (only a file's read-only attribute remains of them).
inline bool permissionsBind() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

} // namespace vn574::test
