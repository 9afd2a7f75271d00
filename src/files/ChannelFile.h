#pragma once

#include "document/Editor.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vn574::files {

// The channel data file (".vd"): 107 text records, each ended by CR CR LF. Beside it the
// signalling file (".ton") holds ToneData as one packed binary record.
inline constexpr int channelFileRecords = 107;
inline constexpr int channelRecordFields = 19;
inline constexpr std::size_t maxChannelFileSize = 30000;
inline constexpr std::string_view recordEnd = "\r\r\n";
inline constexpr std::string_view emptyField = "def";
inline constexpr std::string_view currentFilePrefix = " Current File: ";

// The signalling file of a channel data file: the path without its last two characters,
// followed by "ton" ("a.vd" -> "a.ton", "x.txt" -> "x.tton").
std::string signallingPathFor(std::string_view channelFilePath);

// The text of the channel data file for the editor as it stands. Active rows are taken
// from the grid, so the caller runs UpdateAllArray first when strChData must agree.
std::string formatChannelFile(const document::Editor& editor);

struct SaveResult {
    bool saved = false;
    std::string error; // the failure's description when not saved
};

// Save to `path` (no dialog): copies the grid into strChData, writes both files so that
// the old ones are replaced only when both new ones are complete, shows the path in the
// file-name label, clears bModify and marks the state saved in the history. A failure
// leaves both old files untouched, is shown to the user with its description, and keeps
// bModify.
SaveResult saveChannelFile(document::Editor& editor, const std::string& path);

enum class OpenStatus {
    Opened,                // read to the end (a file that ends early included)
    TooLarge,              // MSG 9002: channel data left as it was
    SetupRecordInvalid,    // MSG 9004: document reset
    AutoDialRecordInvalid, // MSG 9003: document reset
    ReadError,             // cannot read, short channel record, too many records, bad model
};

enum class SignallingStatus {
    Loaded,
    NotRead,    // the channel file failed in a way that skips the signalling file
    Unreadable, // missing or unreadable: ToneData reset to its defaults
    TooShort,   // fewer than 3295 bytes: ToneData reset to its defaults
};

struct OpenResult {
    OpenStatus status = OpenStatus::ReadError;
    SignallingStatus signalling = SignallingStatus::NotRead;
    int recordsRead = 0; // records applied to the document

    // Everything read without a message to the user.
    [[nodiscard]] bool ok() const {
        return status == OpenStatus::Opened && signalling == SignallingStatus::Loaded;
    }
};

// Open `path` (no save prompt, no dialog): replaces the document and the grid from the
// channel data file and ToneData from its signalling file. Every failure is shown to the
// user through the editor's prompts. A file read to its end starts a fresh undo history;
// an open that failed after changing the document is one undo step.
OpenResult openChannelFile(document::Editor& editor, const std::string& path);

} // namespace vn574::files
