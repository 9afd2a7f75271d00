#pragma once

#include "document/Editor.h"
#include "files/ChannelFile.h"
#include "files/Report.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vn574::files {

// The filters of the file dialogs, as the program has always offered them.
inline constexpr std::string_view openFileFilter = "574 files (*.vd)|*.vd|All files (*.*)|*.*";
inline constexpr std::string_view saveFileFilter = "data files (*.vd)|*.vd|All files (*.*)|*.*";
inline constexpr std::string_view reportFileFilter = "data files (*.txt)|*.txt|All files (*.*)|*.*";

// Menu "Save": asks for a file name and saves. False when cancelled or failed.
bool saveWithDialog(document::Editor& editor);

// Menu "Open": when the document is modified asks MSG 9001 with Yes, No and Cancel (Yes
// saves first, with the save dialog; No opens without saving), then asks for the file and
// opens it. Nothing when the question or the open dialog is cancelled, or when the save
// asked for did not happen.
std::optional<OpenResult> openWithDialog(document::Editor& editor);

// Menu "Print To File": asks for a file name and writes the text report.
bool exportReportWithDialog(document::Editor& editor);

// What prints the report's lines; the Qt front end renders them on the system printer.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // Prints the lines as one job; "" or a description of the failure.
    virtual std::string print(const std::vector<ReportLine>& lines) = 0;
};

// Menu "Print": asks MSG 900B with OK and Cancel; OK prints the printer report (the lines
// up to a record check that fails, followed by its message). Returns whether the whole
// report was printed.
bool printWithPrompt(document::Editor& editor, ReportPrinter& printer);

// Makes every "Yes, save first" of the editor (New, model change, close, language
// switch) run the save with its dialog. Each front end calls this once after creating
// the editor.
void installFileHandlers(document::Editor& editor);

} // namespace vn574::files
