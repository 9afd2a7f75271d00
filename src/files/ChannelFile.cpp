#include "files/ChannelFile.h"

#include "app/FileSystem.h"
#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/ValueTables.h"
#include "files/FileIo.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <vector>

namespace vn574::files {
namespace {

using document::ChannelWords;
using document::Document;
using document::Editor;
using namespace document; // column and row constants

constexpr int firstFieldColumn = colName;    // field 2
constexpr int lastGridColumn = colOptSignal; // field 16
constexpr int lastTableColumn = colPttId;    // field 18
constexpr int setupRecord = 105;
constexpr int autoDialRecord = 106;
constexpr int modelRecord = 107;

// A grid cell as the file stores it: "def" when blank, the language's W/N words as
// "wide"/"narrow" (in any field, as files have always been written), else the text.
std::string storedCell(const std::string& cell, const ChannelWords& words) {
    if (app::trimBlanks(cell).empty()) {
        return std::string(emptyField);
    }
    return words.storedWidth(cell);
}

std::string storedValue(const std::string& value) {
    return value.empty() ? std::string(emptyField) : value;
}

std::string fieldValue(const std::string& field) {
    return field == emptyField ? std::string() : field;
}

bool isActiveForSave(const Editor& editor, int row) {
    const std::string& status = editor.grid().cell(row, colStatus);
    return status.empty() || status == editor.words().active;
}

void appendField(std::string& line, const std::string& field) {
    line += field;
    line += '|';
}

std::string channelLine(const Editor& editor, int row) {
    const Document& doc = editor.document();
    std::string line;
    if (row >= rowCallChannel) {
        appendField(line, editor.grid().cell(row, 0));
        appendField(line, storedCell(editor.grid().cell(row, colStatus), editor.words()));
    } else {
        appendField(line, std::to_string(row - 1));
        if (!isActiveForSave(editor, row)) {
            appendField(line, std::string(storedInactive));
            for (int column = firstFieldColumn; column <= lastTableColumn; ++column) {
                appendField(line, storedValue(doc.strChData.at(row, column)));
            }
            return line;
        }
        appendField(line, std::string(storedActive));
    }
    for (int column = firstFieldColumn; column <= lastGridColumn; ++column) {
        appendField(line, storedCell(editor.grid().cell(row, column), editor.words()));
    }
    // Channels in use write an empty option memory and PTT ID as they are, the call
    // channel and the VFO as "def" like every other empty field; readers expect both.
    const bool fixedRow = row >= rowCallChannel;
    for (const int column : {colOptMemory, colPttId}) {
        const std::string& value = doc.strChData.at(row, column);
        appendField(line, fixedRow ? storedValue(value) : value);
    }
    return line;
}

std::string saveFailedText(const std::string& error) {
    return "The channel data could not be saved: " + error +
           ". Any earlier file of that name has been left unchanged.";
}

// Splits the file into its records: CR LF, CR and LF all end a line, and empty lines
// are not records (every record is followed by one, CR CR LF).
std::vector<std::string_view> recordsOf(std::string_view text) {
    std::vector<std::string_view> records;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        if (i > start) {
            records.push_back(text.substr(start, i - start));
        }
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    return records;
}

std::optional<int> parseModelIndex(std::string_view field) {
    field = app::trimBlanks(field);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        modelByIndex(value) == nullptr) {
        return std::nullopt;
    }
    return value;
}

class ChannelFileReader {
public:
    ChannelFileReader(Editor& editor, std::string path)
        : m_editor(editor), m_doc(editor.document()), m_path(std::move(path)) {}

    OpenResult open();

private:
    void loadActiveFields(int row, const std::vector<std::string>& fields);
    void loadChannelRecord(int row, const std::vector<std::string>& fields);
    void loadFixedRow(int row, const std::vector<std::string>& fields);
    bool selectFileModel(const std::string& field);
    OpenResult readError(const std::string& what, int recordsRead);
    OpenResult rejectRecord(int messageKey, OpenStatus status, int recordsRead);
    SignallingStatus readSignalling();

    Editor& m_editor;
    Document& m_doc;
    std::string m_path;
};

void ChannelFileReader::loadActiveFields(int row, const std::vector<std::string>& fields) {
    const ChannelWords& words = m_editor.words();
    for (int column = firstFieldColumn; column <= lastTableColumn; ++column) {
        const std::string value = fieldValue(fields[static_cast<std::size_t>(column)]);
        m_doc.strChData.at(row, column) = value;
        if (column <= lastGridColumn) {
            m_editor.setCell(row, column, words.shownWidth(value));
        }
    }
    m_doc.strChData.at(row, colStatus) = std::string(storedActive);
}

void ChannelFileReader::loadChannelRecord(int row, const std::vector<std::string>& fields) {
    // Only the exact word counts: "active" or "ACTIVE" load as rows not in use.
    if (fields[colStatus] == storedActive) {
        m_editor.grid().setCell(row, colStatus, m_editor.words().active);
        loadActiveFields(row, fields);
        return;
    }
    m_editor.grid().setCell(row, colStatus, m_editor.words().inactive);
    for (int column = firstFieldColumn; column <= lastTableColumn; ++column) {
        m_doc.strChData.at(row, column) = fieldValue(fields[static_cast<std::size_t>(column)]);
        if (column <= lastGridColumn) {
            m_editor.setCell(row, column, std::string(notInUseCell));
        }
    }
}

void ChannelFileReader::loadFixedRow(int row, const std::vector<std::string>& fields) {
    // The call channel and the VFO are always in use; their label and status fields
    // carry nothing.
    loadActiveFields(row, fields);
}

bool ChannelFileReader::selectFileModel(const std::string& field) {
    const std::optional<int> index = parseModelIndex(field);
    if (!index) {
        return false;
    }
    if (*index == m_editor.selectedModel()) {
        // No change happens, so nothing must stay suppressed for the next one.
        return true;
    }
    // The user has already answered the save question of this Open; the model change must
    // neither ask again nor offer to save the half-replaced document, and must keep what
    // has been read instead of resetting it.
    const bool wasModified = m_doc.bModify;
    m_doc.bModify = false;
    m_doc.BeReadReshow = false;
    m_editor.selectModel(*index);
    m_doc.BeReadReshow = true;
    m_doc.bModify = wasModified;
    return true;
}

OpenResult ChannelFileReader::readError(const std::string& what, int recordsRead) {
    std::string text = "The channel data file could not be read: " + what + ".";
    if (recordsRead > 0) {
        text += " The " + std::to_string(recordsRead) +
                " records before it have been loaded; the signalling file has not been read.";
    }
    m_editor.prompts().message(text, app::Icon::Error);
    m_editor.notify(document::GridChanged | document::ModelChanged);
    return {OpenStatus::ReadError, SignallingStatus::NotRead, recordsRead};
}

OpenResult ChannelFileReader::rejectRecord(int messageKey, OpenStatus status, int recordsRead) {
    m_editor.prompts().message(m_editor.windowMessage(messageKey), app::Icon::Error);
    m_editor.ClearAll();
    return {status, SignallingStatus::NotRead, recordsRead};
}

SignallingStatus ChannelFileReader::readSignalling() {
    const std::string path = signallingPathFor(m_path);
    std::string bytes;
    const std::string error = readFileHead(path, document::ToneData::packedSize, bytes);
    const char* const kept = " The channel data has been opened; the DTMF, 2-tone and 5-tone "
                             "data have been reset to their defaults.";
    // A partial record would mix two documents' signalling, so ToneData is replaced
    // only by a whole record; otherwise the opened document starts from the defaults.
    if (!error.empty()) {
        m_editor.ResetToneData();
        m_editor.prompts().message("The signalling file could not be read: " + error + "." + kept,
                                   app::Icon::Warning);
        return SignallingStatus::Unreadable;
    }
    if (bytes.size() < document::ToneData::packedSize) {
        m_editor.ResetToneData();
        m_editor.prompts().message("The signalling file \"" + path + "\" holds only " +
                                       std::to_string(bytes.size()) + " of the " +
                                       std::to_string(document::ToneData::packedSize) +
                                       " bytes of a signalling record." + kept,
                                   app::Icon::Warning);
        return SignallingStatus::TooShort;
    }
    std::array<std::uint8_t, document::ToneData::packedSize> record{};
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    m_doc.toneData = document::ToneData::unpack(record);
    return SignallingStatus::Loaded;
}

OpenResult ChannelFileReader::open() {
    std::string text;
    const std::string error = readFileHead(m_path, maxChannelFileSize + 1, text);
    if (!error.empty()) {
        return readError(error, 0);
    }

    OpenResult result{OpenStatus::Opened, SignallingStatus::NotRead, 0};
    if (text.size() > maxChannelFileSize) {
        m_editor.prompts().message(m_editor.windowMessage(9002), app::Icon::Error);
        result.status = OpenStatus::TooLarge;
    } else {
        int record = 0;
        for (const std::string_view line : recordsOf(text)) {
            ++record;
            if (record > channelFileRecords) {
                return readError("\"" + m_path + "\" has more than " +
                                     std::to_string(channelFileRecords) + " records",
                                 record - 1);
            }
            const std::vector<std::string> fields = app::splitFields(line, '|');
            if (record <= tableRows && fields.size() < channelRecordFields) {
                return readError("record " + std::to_string(record) + " of \"" + m_path +
                                     "\" has " + std::to_string(fields.size()) +
                                     " fields; a channel record needs " +
                                     std::to_string(channelRecordFields),
                                 record - 1);
            }
            if (record <= rowUpperScanLimit) {
                loadChannelRecord(record, fields);
            } else if (record <= tableRows) {
                loadFixedRow(record, fields);
            } else if (record == setupRecord) {
                if (fields.size() != setupFieldCount) {
                    return rejectRecord(9004, OpenStatus::SetupRecordInvalid, record - 1);
                }
                m_doc.strSetup = std::string(line);
            } else if (record == autoDialRecord) {
                if (fields.size() != autoDialFieldCount) {
                    return rejectRecord(9003, OpenStatus::AutoDialRecordInvalid, record - 1);
                }
                m_doc.strAutoDial = std::string(line);
            } else if (!selectFileModel(fields.front())) {
                return readError("record " + std::to_string(modelRecord) + " of \"" + m_path +
                                     "\" holds no model number from 0 to 31",
                                 record - 1);
            }
            result.recordsRead = record;
        }
        m_editor.setFileName(m_path);
        m_editor.setStatusPanel1(std::string(currentFilePrefix) + m_path);
    }

    m_doc.bModify = false;
    result.signalling = readSignalling();
    m_editor.notify(document::GridChanged | document::ModelChanged | document::LabelsChanged);
    return result;
}

} // namespace

std::string signallingPathFor(std::string_view channelFilePath) {
    const std::size_t keep = channelFilePath.size() >= 2 ? channelFilePath.size() - 2 : 0;
    return std::string(channelFilePath.substr(0, keep)) + "ton";
}

std::string formatChannelFile(const Editor& editor) {
    const Document& doc = editor.document();
    std::string text;
    for (int row = 1; row <= tableRows; ++row) {
        text += channelLine(editor, row);
        text += recordEnd;
    }
    text += doc.strSetup;
    text += recordEnd;
    text += doc.strAutoDial;
    text += recordEnd;
    text += std::to_string(doc.selectedModel);
    text += '|';
    text += recordEnd;
    return text;
}

SaveResult saveChannelFile(Editor& editor, const std::string& path) {
    Document& doc = editor.document();
    editor.UpdateAllArray();
    const std::string tonPath = signallingPathFor(path);
    std::string error =
        path.empty() ? std::string("no file name was given") : checkReplaceable({path, tonPath});
    if (error.empty()) {
        const auto record = doc.toneData.pack();
        error = app::writeFilesAtomically({{path, formatChannelFile(editor)},
                                           {tonPath, std::string(record.begin(), record.end())}});
    }
    if (!error.empty()) {
        editor.prompts().message(saveFailedText(error), app::Icon::Error);
        return {false, error};
    }
    editor.setFileName(path);
    // Every save ends here, so the history always knows which state the file holds.
    editor.markSaved();
    return {true, {}};
}

OpenResult openChannelFile(Editor& editor, const std::string& path) {
    OpenResult result = ChannelFileReader(editor, path).open();
    if (result.status == OpenStatus::Opened) {
        editor.restartHistory();
    } else {
        // A file that failed part way has changed the document (records read before the
        // damage, the signalling of a file too large, or a reset): one step, so that the
        // document before the open can be had back. Whether it counts as unsaved stays
        // as the open left bModify.
        const std::string name = app::nameOf(app::pathOf(path).filename());
        editor.recordStep(editor.stepName("95009", name), true);
    }
    return result;
}

} // namespace vn574::files
