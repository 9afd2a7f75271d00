#include "app/DroppedFiles.h"

#include "app/FileSystem.h"
#include "app/TextUtil.h"

#include <filesystem>

namespace vn574::app {

bool isChannelFileName(const std::string& path) {
    return equalsIgnoringCase(nameOf(pathOf(path).extension()), ".vd");
}

DropPlan planDrop(const std::vector<std::string>& paths) {
    DropPlan plan;
    for (const std::string& path : paths) {
        if (plan.open.empty() && isChannelFileName(path)) {
            plan.open = path;
        } else {
            plan.notOpened.push_back(path);
        }
    }
    return plan;
}

} // namespace vn574::app
