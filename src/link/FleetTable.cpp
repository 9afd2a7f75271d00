#include "link/FleetTable.h"

#include "app/AtomicFile.h"
#include "files/CsvText.h"

#include <algorithm>

namespace vn574::link {

namespace {

std::string withArgument(std::string text, const std::string& argument) {
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

bool running(FleetTable::State state) {
    return state == FleetTable::State::Backup || state == FleetTable::State::Write ||
           state == FleetTable::State::Verify || state == FleetTable::State::Waiting;
}

} // namespace

void FleetTable::setCell(int row, int column, std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    m_rows.at(row).cells.at(column) = std::move(text);
}

int FleetTable::addRow(std::string port) {
    Row row;
    row.cells[Port] = std::move(port);
    m_rows.push_back(std::move(row));
    return rowCount() - 1;
}

void FleetTable::removeRow(int row) {
    m_rows.erase(m_rows.begin() + row);
}

std::string FleetTable::importFile(const std::string& path) {
    const files::RadioList list = files::readRadioList(path);
    if (!list.error.empty()) {
        return list.error;
    }
    std::vector<Row> rows;
    for (const files::RadioRow& radio : list.rows) {
        Row row;
        row.cells[Port] = radio.port;
        row.cells[Label] = radio.label;
        row.cells[SelfId] = radio.identity.selfId.value_or(std::string());
        for (std::size_t i = 0; i < radio.identity.dtmf.size(); ++i) {
            row.cells[DtmfC0 + i] = radio.identity.dtmf[i].value_or(std::string());
        }
        row.cells[Password] = radio.password;
        row.cells[NewPassword] = radio.newPassword.value_or(std::string());
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
    return {};
}

std::string FleetTable::listText() const {
    std::string text = files::radioListText({});
    for (const Row& row : m_rows) {
        text += files::csvLine({row.cells.begin(), row.cells.end()});
    }
    return text;
}

std::string FleetTable::exportFile(const std::string& path) const {
    return app::writeFileAtomically(path, listText());
}

files::RadioList FleetTable::startRun(const std::string& name, std::string logPath) {
    files::RadioList list = files::parseRadioList(listText(), name);
    if (!list.error.empty()) {
        return list;
    }
    m_lineToRow.clear();
    m_portOfRow.clear();
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        m_lineToRow[list.rows[i].line] = static_cast<int>(i);
        m_portOfRow[static_cast<int>(i)] = list.rows[i].port;
    }
    for (int i = 0; i < rowCount(); ++i) {
        Row& row = m_rows[i];
        row.state = State::Pending;
        row.progress = 0;
        row.progressText.clear();
        row.message.clear();
        changed(i);
    }
    m_logPath = std::move(logPath);
    m_finished.clear();
    m_logError.clear();
    return list;
}

int FleetTable::rowOfLine(int line) const {
    const auto found = m_lineToRow.find(line);
    return found == m_lineToRow.end() || found->second >= rowCount() ? -1 : found->second;
}

int FleetTable::firstRowOfPort(const std::string& port, State state) const {
    for (const auto& [index, rowPort] : m_portOfRow) {
        if (rowPort == port && index < rowCount() && m_rows[index].state == state) {
            return index;
        }
    }
    return -1;
}

int FleetTable::runningRowOfPort(const std::string& port) const {
    for (const auto& [index, rowPort] : m_portOfRow) {
        if (rowPort == port && index < rowCount() && running(m_rows[index].state)) {
            return index;
        }
    }
    // A radio that ended before its first step began.
    return firstRowOfPort(port, State::Pending);
}

void FleetTable::changed(int row) {
    if (m_changed) {
        m_changed(row);
    }
}

void FleetTable::phaseChanged(const std::string& port, int line, FleetPhase phase) {
    int index = -1;
    State state = State::Pending;
    switch (phase) {
    case FleetPhase::Backup:
        state = State::Backup;
        break;
    case FleetPhase::Write:
        state = State::Write;
        break;
    case FleetPhase::Verify:
        state = State::Verify;
        break;
    case FleetPhase::Waiting:
        // The port waits for the radio of its next row.
        index = firstRowOfPort(port, State::Pending);
        state = State::Waiting;
        break;
    case FleetPhase::Done:
        return;
    }
    if (phase != FleetPhase::Waiting) {
        index = rowOfLine(line);
    }
    if (index < 0) {
        return;
    }
    Row& row = m_rows[index];
    row.state = state;
    row.progress = 0;
    row.progressText.clear();
    changed(index);
}

void FleetTable::progress(const std::string& /*port*/, int line, const std::string& text,
                          int value) {
    const int index = rowOfLine(line);
    if (index < 0) {
        return;
    }
    m_rows[index].progress = value;
    m_rows[index].progressText = text;
    changed(index);
}

void FleetTable::radioFinished(const files::FleetLogRow& logRow) {
    m_finished.push_back(logRow);
    if (std::string error = files::appendFleetLog(m_logPath, logRow);
        !error.empty() && m_logError.empty()) {
        m_logError = std::move(error);
    }
    const int index = runningRowOfPort(logRow.port);
    if (index < 0) {
        return;
    }
    Row& row = m_rows[index];
    row.state = logRow.ok ? State::Ok : State::Failed;
    row.message = logRow.message;
    changed(index);
}

std::string FleetTable::phaseText(const app::Language& language, int index) const {
    switch (m_rows.at(index).state) {
    case State::Backup:
        return language.text("FLEET", "16020");
    case State::Write:
        return language.text("FLEET", "16021");
    case State::Verify:
        return language.text("FLEET", "16022");
    case State::Waiting:
        return withArgument(language.text("FLEET", "16023"), m_portOfRow.at(index));
    case State::Pending:
    case State::Ok:
    case State::Failed:
        break;
    }
    return {};
}

std::string FleetTable::resultText(const app::Language& language, int index) const {
    const Row& row = m_rows.at(index);
    if (row.state == State::Ok) {
        return language.text("FLEET", "16024");
    }
    if (row.state == State::Failed) {
        return withArgument(language.text("FLEET", "16025"), row.message);
    }
    return {};
}

} // namespace vn574::link
