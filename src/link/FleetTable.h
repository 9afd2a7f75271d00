#pragma once

#include "app/Language.h"
#include "files/FleetLog.h"
#include "files/RadioList.h"
#include "link/FleetPort.h"

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vn574::link {

// The fleet window's radios: the radio list as the user edits it, cell by cell, and what
// each radio is doing while the fleet runs, with the run's log. The window's table only
// shows it. Row i is line i + 2 of the list as exported (the header is line 1), which is
// also the line the refusals and an unlabelled radio's backup name give.
class FleetTable final : public FleetListener {
public:
    // The radio list's columns, in the order a written list has them.
    static constexpr int listColumns = 12;
    enum Column : int {
        Port = 0,
        Label = 1,
        SelfId = 2,
        DtmfC0 = 3, // .. DtmfC0 + 6
        Password = 10,
        NewPassword = 11,
    };

    enum class State { Pending, Backup, Write, Verify, Waiting, Ok, Failed };

    struct Row {
        std::array<std::string, listColumns> cells;
        State state = State::Pending;
        int progress = 0;         // blocks of the current step, 0..blockCount
        std::string progressText; // as the clone window shows it ("40%")
        std::string message;      // why the radio failed
    };

    [[nodiscard]] int rowCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] const Row& row(int index) const { return m_rows.at(index); }
    [[nodiscard]] static int lineOfRow(int index) { return index + 2; }

    // A cell is one line of the list: line breaks become blanks.
    void setCell(int row, int column, std::string text);
    // A row with only its port; returns its index.
    int addRow(std::string port);
    void removeRow(int row);

    // Replaces the rows by those of a radio list file; "" or why not (then nothing changed).
    std::string importFile(const std::string& path);
    // The cells as a radio list, with its header, as they stand (not checked).
    [[nodiscard]] std::string listText() const;
    // "" or why the file could not be written.
    [[nodiscard]] std::string exportFile(const std::string& path) const;

    // The rows as a fleet takes them, refused as a radio list file is, `name` standing for
    // the file in the refusals. When taken, every row is Pending again and the run's log
    // rows go to `logPath`.
    files::RadioList startRun(const std::string& name, std::string logPath);

    // Called with the row whose state, progress or result changed.
    void setChangeHandler(std::function<void(int)> handler) { m_changed = std::move(handler); }

    void phaseChanged(const std::string& port, int line, FleetPhase phase) override;
    void progress(const std::string& port, int line, const std::string& text, int value) override;
    void radioFinished(const files::FleetLogRow& row) override;

    // What the row's phase and result columns say, in the language given.
    [[nodiscard]] std::string phaseText(const app::Language& language, int index) const;
    [[nodiscard]] std::string resultText(const app::Language& language, int index) const;

    // The log rows of the run, in the order the radios finished.
    [[nodiscard]] const std::vector<files::FleetLogRow>& finished() const { return m_finished; }
    // "" or why the log could not be written (the first failure of the run).
    [[nodiscard]] const std::string& logError() const { return m_logError; }

private:
    [[nodiscard]] int rowOfLine(int line) const;
    // The port's first row in `state`, -1 when none: a port's radios run in list order.
    [[nodiscard]] int firstRowOfPort(const std::string& port, State state) const;
    [[nodiscard]] int runningRowOfPort(const std::string& port) const;
    void changed(int row);

    std::vector<Row> m_rows;
    std::map<int, int> m_lineToRow;         // of the run
    std::map<int, std::string> m_portOfRow; // as the run took it (trimmed)
    std::string m_logPath;
    std::vector<files::FleetLogRow> m_finished;
    std::string m_logError;
    std::function<void(int)> m_changed;
};

} // namespace vn574::link
