#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

enum class TransferOperation { Backup, Read, Write, Verify, Restore };

// "backup", "read", "write", "verify", "restore": the word in the history's file.
std::string_view operationWord(TransferOperation operation);
std::optional<TransferOperation> operationOfWord(std::string_view word);

// Adds `row` (a CSV line ended by CR LF) to the end of the file at `path` with one write,
// creating it (owner-only, with its folders) with `header` first when it is new or
// empty. A last row cut short is ended first. "" or the failure.
std::string appendCsvRow(const std::string& path, std::string_view header, const std::string& row);

// A time as the history writes it: UTC, "2024-05-01T12:00:00Z".
std::string historyTime(std::time_t time);
// Seconds with one decimal, as the history writes them.
std::string historySeconds(double seconds);

// One transfer, one row of the history.
struct TransferRecord {
    std::time_t time = 0; // when the transfer ended
    TransferOperation operation = TransferOperation::Read;
    std::string port;
    std::string model;
    std::string selfId;
    std::string file;       // the document or image, "" when none
    std::string fileSha256; // of the file's bytes, "" when there is no file
    std::string backup;     // the backup taken or restored, "" when none
    int blocksSent = 0;
    int blocksDiffering = 0;
    bool ok = false;
    std::string message;
    double seconds = 0;

    bool operator==(const TransferRecord&) const = default;
};

// The first line of the history's file.
inline constexpr std::string_view historyHeader =
    "time,operation,port,model,self_id,file,file_sha256,backup,blocks_sent,blocks_differing,"
    "result,message,seconds";

// The row of `record`, ended by CR LF: the time in UTC ("2024-05-01T12:00:00Z"), the
// seconds with one decimal, fields quoted as CSV needs.
std::string historyRow(const TransferRecord& record);

struct HistoryRead {
    std::vector<TransferRecord> records; // in the order they were appended, oldest first
    int skipped = 0;                     // rows that are no transfer's (edited by hand)
    std::string error;                   // "" or why the file could not be read
};

// The history of transfers: one CSV file to which every transfer adds one row. A row is
// added with one write to the end of the file, so an earlier row is never rewritten and
// a crash can cost at most the row being added.
class TransferHistory {
public:
    explicit TransferHistory(std::string path);
    // history.csv in the data folder; its path is "" when there is no data folder.
    static TransferHistory standard();

    [[nodiscard]] const std::string& path() const { return m_path; }

    // Adds the row of `record`, creating the file (and its folders) with the header when
    // it is new. A file whose first line is not the header is kept aside as
    // "history-<YYYYMMDD-HHMMSS>.bad.csv" and a new one started. "" or the failure; a
    // history that cannot be written is never the transfer's failure.
    [[nodiscard]] std::string append(const TransferRecord& record) const;

    // Every row; a missing file holds none.
    [[nodiscard]] HistoryRead read() const;

private:
    std::string m_path;
};

} // namespace vn574::files
