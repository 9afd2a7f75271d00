#pragma once

#include "codec/MemoryImage.h"

#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// The program's data folder: $XDG_DATA_HOME/vn574, else $HOME/.local/share/vn574. It
// follows the environment alone, never the settings folder, so that backups and the
// transfer history stay in one place whichever settings a session uses. "" when neither
// variable names an absolute folder.
std::string dataFolder();

// Creates `path` and any missing parents with owner-only permissions; folders that
// already exist are left as they are. "" or a description of the failure.
std::string makeOwnerOnlyFolders(const std::string& path);

// What a backup's file name says about the radio: its model code ("66AA33") and a tag,
// the radio's own ID or, for fleet use, a label.
struct BackupIdentity {
    std::string modelCode;
    std::string tag;
};

// The model code (block 0, bytes 1..3, as the identification frame shows it) and the own
// ID (the first SelfIdLen digits of SelfId, "none" when it has none) of a radio image.
BackupIdentity identityOfImage(std::span<const std::uint8_t, codec::imageSize> image);

// A label made fit for a file name: letters, digits and "_" are kept, every run of other
// characters becomes one "_", at most 32 characters; "none" when nothing is left.
std::string safeBackupLabel(std::string_view label);

// "YYYYMMDD-HHMMSS-<model code>-<tag>.img", the time in local time.
std::string backupFileName(std::time_t time, const BackupIdentity& identity);

// A backup found in the folder, with what its name says.
struct BackupEntry {
    std::string path;
    std::string fileName;
    std::time_t time = 0; // from the name, taken as local time
    std::string modelCode;
    std::string tag;
    int copy = 1; // 2 for "-2" before ".img", and so on
};

struct BackupList {
    std::vector<BackupEntry> entries; // newest first
    std::string error;                // "" or why the folder could not be read
};

struct SavedBackup {
    std::string path;  // the file written, "" on failure
    std::string error; // "" or the failure
};

// The radio images kept before writes, one file per backup. A file once written is never
// replaced: a second backup in the same second gets "-2", "-3", … before ".img".
class BackupStore {
public:
    explicit BackupStore(std::string folder);
    // The backups folder of the data folder; its folder is "" when there is no data folder.
    static BackupStore standard();

    [[nodiscard]] const std::string& folder() const { return m_folder; }

    // Writes `image` under a new name, creating the folder when needed. The file is
    // complete on disk before it gets its name and readable by its owner alone: block 4
    // holds the radio's password.
    [[nodiscard]] SavedBackup save(std::span<const std::uint8_t, codec::imageSize> image,
                                   std::time_t time, const BackupIdentity& identity) const;
    [[nodiscard]] SavedBackup save(std::span<const std::uint8_t, codec::imageSize> image,
                                   std::time_t time) const;

    // The backups newest first: by the time in the name, then the later copy, then the
    // name. Files whose names are not a backup's are left out; a missing folder holds none.
    [[nodiscard]] BackupList list() const;

private:
    std::string m_folder;
};

} // namespace vn574::files
