#pragma once

#include "support/TestPlatform.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vn574::files::filetest {

// Sets environment variables for one test and puts the old values back afterwards, so
// that the data folder and the local time zone a test chooses do not leak into others.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second) {
                test::setVariable(it->first, *it->second);
            } else {
                test::unsetVariable(it->first);
            }
        }
        ::tzset();
    }

    // `value` nothing unsets the variable.
    void set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) {
            test::setVariable(name, *value);
        } else {
            test::unsetVariable(name);
        }
        ::tzset();
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace vn574::files::filetest
