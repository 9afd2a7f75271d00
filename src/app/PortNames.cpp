#include "app/PortNames.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace vn574::app {

namespace {

std::string devicePath(const std::string& name) {
    return name.starts_with('/') ? name : "/dev/" + name;
}

std::string baseName(const std::string& name) {
    const auto slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

int portNumber(const std::string& name) {
    const std::string base = baseName(name);
    std::size_t start = base.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(base[start - 1])) != 0) {
        --start;
    }
    // Nine digits at most keep the number inside an int; longer runs are no device number.
    if (start == base.size() || base.size() - start > 9) {
        return -1;
    }
    return std::stoi(base.substr(start));
}

bool isBuiltInSerial(const std::string& name) {
    const std::string base = baseName(name);
    const auto prefixed = [&](std::string_view prefix) {
        return base.size() > prefix.size() && base.compare(0, prefix.size(), prefix) == 0 &&
               portNumber(base) >= 0 &&
               base.size() - prefix.size() == std::to_string(portNumber(base)).size();
    };
    return prefixed("ttyS") || prefixed("COM");
}

std::vector<std::string> sortPortNames(std::vector<std::string> names) {
    const auto key = [](const std::string& name) {
        const int number = portNumber(name);
        return std::make_tuple(number < 0, number < 0 ? 0 : number, !isBuiltInSerial(name), name);
    };
    std::stable_sort(names.begin(), names.end(),
                     [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    return names;
}

std::string initComPort(const std::vector<std::string>& names) {
    const auto sorted = sortPortNames(names);
    if (sorted.empty()) {
        return {};
    }
    const int lowest = portNumber(sorted.front());
    std::string chosen = sorted.front();
    for (const auto& name : sorted) {
        if (portNumber(name) != lowest) {
            break;
        }
        if (!isBuiltInSerial(name)) {
            chosen = name;
            break;
        }
    }
    return chosen;
}

std::vector<std::string> withNamedPort(std::vector<std::string> ports, const std::string& named) {
    if (named.empty()) {
        return ports;
    }
    const bool listed = std::any_of(ports.begin(), ports.end(), [&](const std::string& port) {
        return devicePath(port) == devicePath(named);
    });
    if (!listed) {
        ports.push_back(named);
    }
    return ports;
}

} // namespace vn574::app
