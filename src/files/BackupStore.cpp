#include "files/BackupStore.h"

#include "app/AtomicFile.h"
#include "codec/HexText.h"
#include "app/FileSystem.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <filesystem>

namespace vn574::files {
namespace {

constexpr std::string_view extension = ".img";
constexpr std::size_t maxLabelLength = 32;
// Enough for any number of backups a person takes in one second; a bound all the same,
// so that a folder that refuses every name cannot keep the save looping.
constexpr int maxCopies = 1000;

std::string describe(const std::string& action, const std::string& path, int error) {
    return action + " \"" + path + "\": " + std::strerror(error);
}

bool isLabelCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int numberOf(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The local time a "YYYYMMDD-HHMMSS" stamp names; nothing when it names no real time.
std::optional<std::time_t> timeOfStamp(std::string_view date, std::string_view clock) {
    std::tm fields{};
    fields.tm_year = numberOf(date.substr(0, 4)) - 1900;
    fields.tm_mon = numberOf(date.substr(4, 2)) - 1;
    fields.tm_mday = numberOf(date.substr(6, 2));
    fields.tm_hour = numberOf(clock.substr(0, 2));
    fields.tm_min = numberOf(clock.substr(2, 2));
    fields.tm_sec = numberOf(clock.substr(4, 2));
    fields.tm_isdst = -1;
    std::tm normalised = fields;
    const std::time_t time = std::mktime(&normalised);
    // mktime moves a 31st of June on to July; such a name was not written by us.
    if (time == static_cast<std::time_t>(-1) || normalised.tm_year != fields.tm_year ||
        normalised.tm_mon != fields.tm_mon || normalised.tm_mday != fields.tm_mday ||
        normalised.tm_hour != fields.tm_hour || normalised.tm_min != fields.tm_min ||
        normalised.tm_sec != fields.tm_sec) {
        return std::nullopt;
    }
    return time;
}

// What a backup's file name says; nothing when the name is not one.
std::optional<BackupEntry> parseBackupName(std::string_view name) {
    if (!name.ends_with(extension)) {
        return std::nullopt;
    }
    const std::string_view stem = name.substr(0, name.size() - extension.size());
    // YYYYMMDD-HHMMSS-CCCCCC-tag
    constexpr std::size_t tagStart = 23;
    if (stem.size() <= tagStart || stem[8] != '-' || stem[15] != '-' || stem[22] != '-' ||
        !allDigits(stem.substr(0, 8)) || !allDigits(stem.substr(9, 6))) {
        return std::nullopt;
    }
    const std::string_view model = stem.substr(16, 6);
    if (!std::all_of(model.begin(), model.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); })) {
        return std::nullopt;
    }
    std::string_view tag = stem.substr(tagStart);
    int copy = 1;
    if (const std::size_t dash = tag.rfind('-'); dash != std::string_view::npos) {
        const std::string_view number = tag.substr(dash + 1);
        if (!allDigits(number) || number.size() > 4 || number.front() == '0' ||
            numberOf(number) < 2) {
            return std::nullopt;
        }
        copy = numberOf(number);
        tag = tag.substr(0, dash);
    }
    if (tag.empty() || !std::all_of(tag.begin(), tag.end(), isLabelCharacter)) {
        return std::nullopt;
    }
    const auto time = timeOfStamp(stem.substr(0, 8), stem.substr(9, 6));
    if (!time) {
        return std::nullopt;
    }
    BackupEntry entry;
    entry.fileName = std::string(name);
    entry.time = *time;
    entry.modelCode = std::string(model);
    entry.tag = std::string(tag);
    entry.copy = copy;
    return entry;
}

std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    // A relative XDG_DATA_HOME is to be ignored: it would put the backups wherever the
    // program happened to be started.
#ifdef _WIN32
    // "C:\...", "C:/..." or a network share "\\server\...".
    const bool absolute = value != nullptr && value[0] != '\0' &&
                          ((value[1] == ':' && (value[2] == '\\' || value[2] == '/')) ||
                           (value[0] == '\\' && value[1] == '\\'));
    return absolute ? std::string(value) : std::string();
#else
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
#endif
}

} // namespace

std::string dataFolder() {
#ifdef _WIN32
    // The user's roaming application data, as every Windows program keeps its own.
    if (std::string data = absoluteVariable("APPDATA"); !data.empty()) {
        return data + "\\vn574";
    }
    return {};
#endif
    if (std::string data = absoluteVariable("XDG_DATA_HOME"); !data.empty()) {
        return data + "/vn574";
    }
    if (std::string home = absoluteVariable("HOME"); !home.empty()) {
        return home + "/.local/share/vn574";
    }
    return {};
}

std::string makeOwnerOnlyFolders(const std::string& path) {
    if (path.empty()) {
        return "No folder to create";
    }
    std::size_t end = 0;
    while (end != std::string::npos) {
#ifdef _WIN32
        end = path.find_first_of("/\\", end + 1);
        const std::string prefix = path.substr(0, end);
        if (prefix.empty() || prefix.back() == '/' || prefix.back() == '\\' ||
            prefix.back() == ':') {
            continue; // a doubled or trailing separator, or the drive "C:"
        }
#else
        end = path.find('/', end + 1);
        const std::string prefix = path.substr(0, end);
        if (prefix.empty() || prefix.back() == '/') {
            continue; // "//" or a trailing "/"
        }
#endif
        if (app::makeFolder(prefix) == 0) {
            continue;
        }
        const int error = errno;
        const int state = app::folderState(prefix);
        if (state < 0) {
            return describe("Cannot create the folder", prefix, error);
        }
        if (state == 0) {
            return describe("Cannot create the folder", prefix, ENOTDIR);
        }
    }
    return {};
}

BackupIdentity identityOfImage(std::span<const std::uint8_t, codec::imageSize> image) {
    const auto block = [&](int number) {
        return image.subspan(static_cast<std::size_t>(number) * codec::blockSize, codec::blockSize);
    };
    BackupIdentity identity;
    identity.modelCode = codec::bytesToHex(block(codec::blockIdentification).subspan(1, 3));
    // As a read decodes it: the length in byte 3, then one digit per byte from byte 5,
    // the digit being the byte's low hexadecimal digit, five at most.
    const auto ownId = block(codec::blockOwnId);
    const std::size_t length = std::min<std::size_t>(ownId[3], 5);
    for (std::size_t i = 0; i < length; ++i) {
        identity.tag += codec::bytesToHex(ownId.subspan(5 + i, 1))[1];
    }
    if (identity.tag.empty()) {
        identity.tag = "none";
    }
    return identity;
}

std::string safeBackupLabel(std::string_view label) {
    std::string safe;
    for (const char c : label) {
        if (safe.size() == maxLabelLength) {
            break;
        }
        if (isLabelCharacter(c)) {
            safe += c;
        } else if (safe.empty() || safe.back() != '_') {
            safe += '_';
        }
    }
    if (std::all_of(safe.begin(), safe.end(), [](char c) { return c == '_'; })) {
        return "none";
    }
    return safe;
}

std::string backupFileName(std::time_t time, const BackupIdentity& identity) {
    const std::tm local = app::localTime(time);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    return std::string(stamp.data()) + "-" + identity.modelCode + "-" + identity.tag +
           std::string(extension);
}

BackupStore::BackupStore(std::string folder) : m_folder(std::move(folder)) {}

BackupStore BackupStore::standard() {
    const std::string data = dataFolder();
    return BackupStore(data.empty() ? std::string() : data + "/backups");
}

SavedBackup BackupStore::save(std::span<const std::uint8_t, codec::imageSize> image,
                              std::time_t time) const {
    return save(image, time, identityOfImage(image));
}

SavedBackup BackupStore::save(std::span<const std::uint8_t, codec::imageSize> image,
                              std::time_t time, const BackupIdentity& identity) const {
    if (m_folder.empty()) {
#ifdef _WIN32
        return {{}, "No folder for backups: APPDATA is not set"};
#else
        return {{}, "No folder for backups: neither XDG_DATA_HOME nor HOME is set"};
#endif
    }
    if (std::string error = makeOwnerOnlyFolders(m_folder); !error.empty()) {
        return {{}, error};
    }
    const std::string name = backupFileName(time, identity);
    const std::string stem = name.substr(0, name.size() - extension.size());
    for (int copy = 1; copy <= maxCopies; ++copy) {
        const std::string path =
            m_folder + "/" +
            (copy == 1 ? name : stem + "-" + std::to_string(copy) + std::string(extension));
        // The name is claimed by creating the file, which fails when it exists, so that
        // no other backup is ever replaced; the complete image then takes its place.
        const int fd = app::openDescriptor(path, O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {{}, describe("Cannot write", path, errno)};
        }
        app::closeDescriptor(fd);
        const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
        std::string error = app::writeFileAtomically(path, bytes);
        // The atomic write leaves the file readable by all; the folder is owner-only, but
        // the file itself is made so as well for a folder the user chose.
        if (error.empty() && app::makeOwnerOnly(path) != 0) {
            error = describe("Cannot protect", path, errno);
        }
        if (!error.empty()) {
            app::removeFile(path);
            return {{}, error};
        }
        return {path, {}};
    }
    return {{},
            "Cannot write a backup in \"" + m_folder + "\": every name of " + name + " is taken"};
}

BackupList BackupStore::list() const {
    BackupList result;
    if (m_folder.empty()) {
        return result;
    }
    std::error_code failure;
    std::filesystem::directory_iterator items(app::pathOf(m_folder), failure);
    if (failure) {
        const int error = failure.default_error_condition().value();
        if (error != ENOENT) {
            result.error = describe("Cannot read the folder", m_folder, error);
        }
        return result;
    }
    for (; items != std::filesystem::directory_iterator(); items.increment(failure)) {
        auto entry = parseBackupName(app::nameOf(items->path().filename()));
        if (!entry) {
            continue;
        }
        entry->path = m_folder + "/" + entry->fileName;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(app::pathOf(entry->path), ignored)) {
            result.entries.push_back(std::move(*entry));
        }
    }
    std::sort(result.entries.begin(), result.entries.end(),
              [](const BackupEntry& a, const BackupEntry& b) {
                  if (a.time != b.time) {
                      return a.time > b.time;
                  }
                  if (a.copy != b.copy) {
                      return a.copy > b.copy;
                  }
                  return a.fileName < b.fileName;
              });
    return result;
}

} // namespace vn574::files
