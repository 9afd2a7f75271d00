#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace vn574::files {

// One radio of a fleet run, one row of its log.
struct FleetLogRow {
    std::time_t time = 0; // when the radio was done
    std::string port;
    std::string label;
    std::string model;
    std::string selfIdBefore;
    std::string selfIdAfter;
    std::string plan;
    std::string planSha256;
    std::string backup;
    int blocksWritten = 0;
    std::string verify; // "ok", "differs", or "" when the verify did not run
    bool ok = false;
    std::string message;
    double seconds = 0;
};

inline constexpr std::string_view fleetLogHeader =
    "time,port,label,model,self_id_before,self_id_after,plan,plan_sha256,backup,blocks_written,"
    "verify,result,message,seconds";

// The row as CSV, ended by CR LF; time and seconds written as the transfer history does.
std::string fleetLogRow(const FleetLogRow& row);

// "<data folder>/fleet-YYYYMMDD-HHMMSS.csv" in local time; "" without a data folder.
std::string defaultFleetLogPath(std::time_t start);

// Adds the row to the log at `path` (the header first when the file is new). "" or why not.
std::string appendFleetLog(const std::string& path, const FleetLogRow& row);

} // namespace vn574::files
