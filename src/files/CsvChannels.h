#pragma once

#include "document/Editor.h"

#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// The memory channels as the comma-separated layout that open-source radio programming
// tools exchange. Only the columns this radio can hold carry data; Power, Comment and
// the digital-voice columns are written empty and ignored when read.
inline constexpr std::string_view csvChannelHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
inline constexpr std::string_view csvFileFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*";

// A row that could not be written or read, with the reason in plain words.
struct CsvProblem {
    int line = 0;     // line of the CSV file (import) or 0 (export)
    int channel = -1; // channel number 0..99 when known
    std::string reason;
};

struct CsvExport {
    std::string text;
    int channels = 0;
    std::vector<CsvProblem> problems; // channels in use that could not be written
};

// The channels 0..99 in use, as the grid shows them.
CsvExport exportChannelsCsv(const document::Editor& editor);
// The same for the grid rows `rows` (1..104); rows that are no memory channel in use are
// left out.
CsvExport exportChannelsCsv(const document::Editor& editor, const std::vector<int>& rows);

// One channel of an import, in the document's stored forms.
struct CsvChannel {
    int channel = 0; // 0..99
    int line = 0;    // line of the CSV text it came from
    std::string name;
    std::string step;
    std::string rxFrequency;
    std::string txFrequency;
    std::string rxTone;
    std::string txTone;
    bool narrow = false;
    bool skip = false;
};

struct CsvImport {
    std::vector<CsvChannel> channels;
    std::vector<CsvProblem> problems; // rows left out
    std::string error;                // the file as a whole is unusable
};

// Reads and checks every row against the bands of model `modelIndex` and the radio's
// lists. Changes nothing: the caller applies the result once every row is checked.
CsvImport parseChannelsCsv(std::string_view text, int modelIndex);

// Puts the checked channels into the grid: each becomes a channel in use with the
// file's fields; the fields the file has no column for (PAC MODE, DCS DET, PRI, BCL,
// ANI, Shift, option signal) get a new channel's defaults. Other channels stay as they
// are. Marks the document modified.
void applyChannelsCsv(document::Editor& editor, const std::vector<CsvChannel>& channels);

// "line 4 (channel 12): reason" lines, at most `limit` of them, then how many more.
std::string describeCsvProblems(const std::vector<CsvProblem>& problems, std::size_t limit);

// Menu "Export CSV…": asks for a file name and writes the channels in use.
bool exportCsvWithDialog(document::Editor& editor);

// Menu "Import CSV…": asks for a file, checks it against the selected model, lists the
// rows it must leave out and asks before it imports the others.
bool importCsvWithDialog(document::Editor& editor);

} // namespace vn574::files
