#include "app/DialogFolder.h"

#include "app/FileSystem.h"
#include <filesystem>

namespace vn574::app {
namespace {

bool isFolder(const std::string& path) {
    std::error_code unknown;
    return !path.empty() && std::filesystem::is_directory(pathOf(path), unknown);
}

} // namespace

std::string dialogStartFolder(const std::string& currentFile, const std::string& lastUsed,
                              const std::string& documents, const std::string& home) {
    const std::string fileFolder = nameOf(pathOf(currentFile).parent_path());
    for (const std::string* folder : {&fileFolder, &lastUsed, &documents}) {
        if (isFolder(*folder)) {
            return *folder;
        }
    }
    return home;
}

} // namespace vn574::app
