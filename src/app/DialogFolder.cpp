#include "app/DialogFolder.h"

#include <filesystem>

namespace vn574::app {
namespace {

bool isFolder(const std::string& path) {
    std::error_code unknown;
    return !path.empty() && std::filesystem::is_directory(path, unknown);
}

} // namespace

std::string dialogStartFolder(const std::string& currentFile, const std::string& lastUsed,
                              const std::string& documents, const std::string& home) {
    const std::string fileFolder = std::filesystem::path(currentFile).parent_path().string();
    for (const std::string* folder : {&fileFolder, &lastUsed, &documents}) {
        if (isFolder(*folder)) {
            return *folder;
        }
    }
    return home;
}

} // namespace vn574::app
