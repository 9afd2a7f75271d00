#pragma once

#include "document/ChannelGrid.h"
#include "document/DocumentDiff.h"
#include "document/GridCell.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vn574::document {

class Editor;

// Why the radio cannot hold a cell as it stands.
enum class CellProblem {
    FrequencyNotNumber,      // Rx or Tx: the encoder refuses it
    RxOutOfBand,             // outside the selected model's receive band
    TxOutOfBand,             // outside its transmit band
    UnknownTone,             // not "off" nor an entry of the tone lists: written as a filler tone
    PriNotChannel,           // a PRI text with no priority code (the encoder refuses two digits)
    PriNotInUse,             // a PRI reference to a row not in use
    SignalNotOffered,        // an option signal the radio's installed options do not offer
    SignalPositionTooLarge,  // option memory or PTT ID above 255: the encoder refuses it
    NameCharacters,          // characters a channel name cannot hold: the encoder has no code
    NameTooLong,             // more than seven characters: the rest is lost
    StepNotInList,           // written as 5 kHz
    RxNotStored,             // not three digits, "." and four decimals: written as 145.0000
    ScanSkipWord,            // not a scan-skip word of the language shown: the channel skipped
    WidthWord,               // not a W/N word of the language shown: written as wide
    SwitchWord,              // neither on nor off: written as off
    SwitchPairWord,          // Shift or PAC mode neither on nor off: both written as off
    SignalPositionNotInList, // option memory or PTT ID not an entry of its list
};

struct CellIssue {
    GridCell cell;
    CellProblem problem = CellProblem::FrequencyNotNumber;
};

// What the write's preflight refuses outside the grid: the option and auto-dialer records,
// the own ID and the 5-tone codes.
enum class RecordProblem {
    OptionFieldCount,   // the option record has not 28 fields
    AutoDialFieldCount, // the auto-dialer record has not 11 fields
    OptionNotByte,      // MR No or SQL No is no number 0..255
    AutoDialTooLong,    // more than 16 digits
    OwnIdDigit,         // a character of the own ID is no tone digit
    FiveToneTooLong,    // a code length above 22
    FiveToneDigit,      // a code character is no tone digit
};

// One refusal outside the grid, named as a comparison names the value: its section, the
// item ("3", "9", "PttIdBot.Code", "-" for a whole record) and the value as stored (the
// number of fields of a whole record).
struct RecordIssue {
    DiffSection section = DiffSection::Option;
    std::string item;
    std::string value;
    RecordProblem problem = RecordProblem::OptionFieldCount;
};

// The live checks: every cell of the rows in use that the radio cannot hold as it
// stands. They use the field rules and the rules the encoder refuses on, so a document
// with no issue writes to the radio as the grid shows it. Cheap enough to run after
// every change of a full document.
class CellChecks {
public:
    CellChecks();

    void run(const Editor& editor);

    // The refusals outside the grid: with no cell issue and none of these, a write of the
    // document goes through.
    [[nodiscard]] static std::vector<RecordIssue> recordIssues(const Editor& editor);
    [[nodiscard]] static std::string reason(const Editor& editor, const RecordIssue& issue);

    // In reading order; one issue per cell, the first rule that fails.
    [[nodiscard]] const std::vector<CellIssue>& issues() const { return m_issues; }
    [[nodiscard]] const CellIssue* issueAt(int row, int column) const;
    // The next cell with an issue after `from`, going round past the last row.
    [[nodiscard]] std::optional<GridCell> next(GridCell from) const;

    // What the user is told about `issue`, in the language of the editor.
    [[nodiscard]] static std::string reason(const Editor& editor, const CellIssue& issue);
    // "3 cells need attention", or that none does.
    [[nodiscard]] std::string summary(const Editor& editor) const;
    // The same words for `count` things that need attention.
    [[nodiscard]] static std::string summary(const Editor& editor, std::size_t count);

private:
    void add(int row, int column, CellProblem problem);

    std::vector<CellIssue> m_issues;
    std::vector<GridCell> m_cells; // the cells of m_issues, for stepping through them
    // Position in m_issues of each grid cell's issue, -1 for none.
    std::array<std::int16_t, std::size_t{gridRowCount} * gridColumnCount> m_index{};
};

} // namespace vn574::document
