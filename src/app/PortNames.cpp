#include "app/PortNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vn574::app {

namespace {

// The number of a port name, the text after its first three characters; 0 for none.
int comNumber(const std::string& name) {
    int number = 0;
    const char* end = name.data() + name.size();
    if (name.size() <= 3 || std::from_chars(name.data() + 3, end, number).ptr != end) {
        return 0;
    }
    return number;
}

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

std::vector<std::string> serialCommPorts(const SerialCommLookup& lookup) {
    std::vector<std::string> ports;
    for (int i = 0; i <= 255; ++i) {
        const std::string index = std::to_string(i);
        auto serial = lookup("\\Device\\Serial" + index);
        if (!serial) {
            serial = lookup("COM" + index);
        }
        if (serial) {
            ports.push_back(*serial);
        }
        if (auto vcp = lookup("\\Device\\VCP" + index)) {
            ports.push_back(*vcp);
        }
    }
    return ports;
}

std::string serialCommDefaultPort(const SerialCommLookup& lookup) {
    for (int i = 0; i <= 255; ++i) {
        const std::string index = std::to_string(i);
        std::string candidate;
        for (const std::string& value :
             {"\\Device\\Serial" + index, "COM" + index, "\\Device\\VCP" + index}) {
            if (auto port = lookup(value); port && comNumber(*port) > 0) {
                candidate = "COM" + std::to_string(comNumber(*port));
            }
        }
        if (!candidate.empty()) {
            return candidate;
        }
    }
    return {};
}

#ifdef _WIN32
std::optional<std::string> readSerialComm(const std::string& value) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string text(1024, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(text.size());
    const LSTATUS status = ::RegQueryValueExA(key, value.c_str(), nullptr, &type,
                                              reinterpret_cast<BYTE*>(text.data()), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    text.resize(size);
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}
#endif

std::string machineDefaultPort(const std::vector<std::string>& ports) {
#ifdef _WIN32
    (void)ports;
    return serialCommDefaultPort(readSerialComm);
#else
    return initComPort(ports);
#endif
}

} // namespace vn574::app
