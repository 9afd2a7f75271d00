#include "files/TransferHistory.h"

#include "files/BackupStore.h"
#include "files/CsvText.h"

#include "app/FileSystem.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace vn574::files {
namespace {

constexpr std::array<std::string_view, 5> operationWords{"backup", "read", "write", "verify",
                                                         "restore"};
constexpr std::size_t columnCount = 13;

std::string describe(const std::string& action, const std::string& path, int error) {
    return action + " \"" + path + "\": " + std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

std::string historyTime(std::time_t time) {
    const std::tm utc = app::universalTime(time);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text.data();
}

namespace {

std::optional<int> numberOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::time_t> parseUtcTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SSZ
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z') {
        return std::nullopt;
    }
    const auto year = numberOf(text.substr(0, 4));
    const auto month = numberOf(text.substr(5, 2));
    const auto day = numberOf(text.substr(8, 2));
    const auto hour = numberOf(text.substr(11, 2));
    const auto minute = numberOf(text.substr(14, 2));
    const auto second = numberOf(text.substr(17, 2));
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    std::tm fields{};
    fields.tm_year = *year - 1900;
    fields.tm_mon = *month - 1;
    fields.tm_mday = *day;
    fields.tm_hour = *hour;
    fields.tm_min = *minute;
    fields.tm_sec = *second;
    const std::time_t time = app::timeOfUniversal(fields);
    if (historyTime(time) != text) {
        return std::nullopt; // a 31st of June, an hour 24
    }
    return time;
}

std::optional<TransferRecord> recordOf(const std::vector<std::string>& fields) {
    if (fields.size() != columnCount) {
        return std::nullopt;
    }
    const auto time = parseUtcTime(fields[0]);
    const auto operation = operationOfWord(fields[1]);
    const auto sent = numberOf(fields[8]);
    const auto differing = numberOf(fields[9]);
    const std::string& result = fields[10];
    double seconds = 0;
    const std::string& secondsText = fields[12];
    const auto parsed =
        std::from_chars(secondsText.data(), secondsText.data() + secondsText.size(), seconds);
    if (!time || !operation || !sent || !differing || (result != "ok" && result != "failed") ||
        parsed.ec != std::errc() || parsed.ptr != secondsText.data() + secondsText.size()) {
        return std::nullopt;
    }
    TransferRecord record;
    record.time = *time;
    record.operation = *operation;
    record.port = fields[2];
    record.model = fields[3];
    record.selfId = fields[4];
    record.file = fields[5];
    record.fileSha256 = fields[6];
    record.backup = fields[7];
    record.blocksSent = *sent;
    record.blocksDiffering = *differing;
    record.ok = result == "ok";
    record.message = fields[11];
    record.seconds = seconds;
    return record;
}

// The whole file into `text`; "" or the failure. A missing file is an empty text.
std::string readWhole(const std::string& path, std::string& text, bool& exists) {
    text.clear();
    exists = false;
    std::FILE* file = app::openFile(path, "rb");
    if (file == nullptr) {
        return errno == ENOENT ? std::string() : describe("Cannot open", path, errno);
    }
    exists = true;
    std::array<char, 65536> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
        text.append(chunk.data(), n);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    return failed ? describe("Cannot read", path, error) : std::string();
}

// The first line of the file, without its line end; nothing when the file is missing or
// empty. Only the head is read: the header decides, however long the history is.
std::optional<std::string> firstLine(const std::string& path, std::string& error) {
    const int fd = app::openDescriptor(path, O_RDONLY);
    if (fd < 0) {
        if (errno != ENOENT) {
            error = describe("Cannot open", path, errno);
        }
        return std::nullopt;
    }
    std::array<char, 512> head{};
    const long long n = app::readAt(fd, head.data(), head.size(), 0);
    const int readError = errno;
    app::closeDescriptor(fd);
    if (n < 0) {
        error = describe("Cannot read", path, readError);
        return std::nullopt;
    }
    if (n == 0) {
        return std::nullopt;
    }
    std::string_view line(head.data(), static_cast<std::size_t>(n));
    line = line.substr(0, line.find('\n'));
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return std::string(line);
}

// Moves a file that is no history aside, under a name that no other file has.
std::string putAside(const std::string& path, std::time_t time) {
    const std::tm local = app::localTime(time);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string base = folderOf(path) + "/history-" + stamp.data();
    for (int copy = 1; copy <= 1000; ++copy) {
        const std::string aside =
            base + (copy == 1 ? std::string() : "-" + std::to_string(copy)) + ".bad.csv";
        if (app::nameTaken(aside)) {
            continue;
        }
        if (app::renameFile(path, aside) != 0) {
            return describe("Cannot move aside", path, errno);
        }
        return {};
    }
    return "Cannot move aside \"" + path + "\": every name is taken";
}

} // namespace

std::string_view operationWord(TransferOperation operation) {
    return operationWords[static_cast<std::size_t>(operation)];
}

std::optional<TransferOperation> operationOfWord(std::string_view word) {
    for (std::size_t i = 0; i < operationWords.size(); ++i) {
        if (operationWords[i] == word) {
            return static_cast<TransferOperation>(i);
        }
    }
    return std::nullopt;
}

std::string historyRow(const TransferRecord& record) {
    return csvLine({historyTime(record.time), std::string(operationWord(record.operation)),
                    record.port, record.model, record.selfId, record.file, record.fileSha256,
                    record.backup, std::to_string(record.blocksSent),
                    std::to_string(record.blocksDiffering), record.ok ? "ok" : "failed",
                    record.message, historySeconds(record.seconds)});
}

std::string historySeconds(double seconds) {
    std::array<char, 32> text{};
    const double value = seconds >= 0 ? seconds : 0; // NaN too
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1)
            .ptr;
    return {text.data(), end};
}

TransferHistory::TransferHistory(std::string path) : m_path(std::move(path)) {}

TransferHistory TransferHistory::standard() {
    const std::string data = dataFolder();
    return TransferHistory(data.empty() ? std::string() : data + "/history.csv");
}

std::string appendCsvRow(const std::string& path, std::string_view header, const std::string& row) {
    if (std::string error = makeOwnerOnlyFolders(folderOf(path)); !error.empty()) {
        return error;
    }
    const int fd = app::openDescriptor(path, O_RDWR | O_APPEND | O_CREAT, 0600);
    if (fd < 0) {
        return describe("Cannot write", path, errno);
    }
    std::string text;
    const long long size = app::sizeOf(fd);
    if (size == 0) {
        text = std::string(header) + "\r\n";
    } else {
        // A last row cut short (a full disk, an edit) must not swallow this one; the file
        // is open for reading too so that its last byte can be seen.
        char last = '\n';
        if (size > 0 && app::readAt(fd, &last, 1, size - 1) == 1 && last != '\n') {
            text = "\r\n";
        }
    }
    text += row;
    long long written = -1;
    do {
        written = app::writeDescriptor(fd, text.data(), text.size());
    } while (written < 0 && errno == EINTR);
    const int writeError = errno;
    const bool closed = app::closeDescriptor(fd) == 0;
    if (written < 0) {
        return describe("Cannot write", path, writeError);
    }
    if (static_cast<std::size_t>(written) != text.size()) {
        return describe("Cannot write", path, ENOSPC);
    }
    if (!closed) {
        return describe("Cannot write", path, errno);
    }
    return {};
}

std::string TransferHistory::append(const TransferRecord& record) const {
    if (m_path.empty()) {
#ifdef _WIN32
        return "No file for the transfer history: APPDATA is not set";
#else
        return "No file for the transfer history: neither XDG_DATA_HOME nor HOME is set";
#endif
    }
    if (std::string error = makeOwnerOnlyFolders(folderOf(m_path)); !error.empty()) {
        return error;
    }
    std::string error;
    const auto line = firstLine(m_path, error);
    if (!error.empty()) {
        return error;
    }
    if (line && *line != historyHeader) {
        if (error = putAside(m_path, record.time); !error.empty()) {
            return error;
        }
    }
    return appendCsvRow(m_path, historyHeader, historyRow(record));
}

HistoryRead TransferHistory::read() const {
    HistoryRead result;
    std::string text;
    bool exists = false;
    if (m_path.empty()) {
        return result;
    }
    if (result.error = readWhole(m_path, text, exists); !result.error.empty() || !exists) {
        return result;
    }
    CsvParse parsed = parseCsv(text);
    if (!parsed.error.empty()) {
        result.error = "\"" + m_path + "\": " + parsed.error;
        return result;
    }
    if (parsed.records.empty()) {
        return result;
    }
    if (csvLine(parsed.records.front().fields) != std::string(historyHeader) + "\r\n") {
        result.error = "\"" + m_path + "\" is not a transfer history";
        return result;
    }
    for (std::size_t i = 1; i < parsed.records.size(); ++i) {
        if (auto record = recordOf(parsed.records[i].fields)) {
            result.records.push_back(std::move(*record));
        } else {
            ++result.skipped;
        }
    }
    return result;
}

} // namespace vn574::files
