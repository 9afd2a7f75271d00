// Language files and mysetup.ini may be edited by hand, truncated or replaced by
// anything; looking a key up or writing one must never misbehave.
#include "app/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)vn574::app::IniFile::lookup(text, "language", "CurrentLanguage");
    (void)vn574::app::IniFile::lookup(text, "RW", "rw003");
    const std::string written = vn574::app::IniFile::withValue(text, "language", "IsFirstRun", "0");
    if (vn574::app::IniFile::lookup(written, "language", "IsFirstRun") != "0") {
        __builtin_trap(); // a written key must read back
    }
    return 0;
}
