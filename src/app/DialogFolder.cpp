#include "app/DialogFolder.h"

#include <filesystem>

namespace vn574::app {
namespace {

bool isFolder(const std::string& path) {
    std::error_code unknown;
    return !path.empty() && std::filesystem::is_directory(path, unknown);
}

} // namespace

std::string dialogStartFolder(const std::string& lastUsed, const std::string& documents,
                              const std::string& home) {
    if (isFolder(lastUsed)) {
        return lastUsed;
    }
    if (isFolder(documents)) {
        return documents;
    }
    return home;
}

} // namespace vn574::app
