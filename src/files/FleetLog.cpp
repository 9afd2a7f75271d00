#include "files/FleetLog.h"

#include "files/BackupStore.h"
#include "files/CsvText.h"
#include "files/TransferHistory.h"

#include "app/FileSystem.h"

#include <array>

namespace vn574::files {

std::string fleetLogRow(const FleetLogRow& row) {
    return csvLine({historyTime(row.time), row.port, row.label, row.model, row.selfIdBefore,
                    row.selfIdAfter, row.plan, row.planSha256, row.backup,
                    std::to_string(row.blocksWritten), row.verify, row.ok ? "ok" : "failed",
                    row.message, historySeconds(row.seconds)});
}

std::string defaultFleetLogPath(std::time_t start) {
    const std::string folder = dataFolder();
    if (folder.empty()) {
        return {};
    }
    const std::tm local = app::localTime(start);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    return folder + "/fleet-" + stamp.data() + ".csv";
}

std::string appendFleetLog(const std::string& path, const FleetLogRow& row) {
    return appendCsvRow(path, fleetLogHeader, fleetLogRow(row));
}

} // namespace vn574::files
