#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "document/CellChecks.h"

#include <QCommandLineParser>

#include <iostream>

namespace vn574::cli {
namespace {

constexpr int exitNeedsAttention = 1; // as diff: 0 all well, 1 found something, 2 trouble

} // namespace

// vn574-cli check IN.vd: the cells the main window marks as needing attention, one line
// each, then what a write refuses outside the grid, and the count of both. A file that
// reports nothing writes to a radio as it stands.
int runCheck(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the cells of a channel data file (.vd with its .ton file) that the radio "
        "cannot hold as they stand, as the editor marks them: a frequency outside the "
        "model's bands or not in the radio's form, a step, tone or word without a code, a PRI "
        "channel not in use, an option signal the installed options do not offer or a memory "
        "outside its list, a name the radio cannot store. One line each: row, column, value, "
        "reason. Then what a write refuses outside the grid (radio options, auto dialer, own "
        "ID, 5-tone codes), one line each: section, item, value, reason. Exit status 0 when "
        "nothing needs attention, 1 when something does, 2 on a wrong command line or an "
        "unreadable file."));
    session.addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("IN.vd"), QStringLiteral("The file to check."));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1) {
        CliSession::printError("usage: vn574-cli check IN.vd");
        return exitUsage;
    }
    if (!session.start(parser) ||
        !session.openInput(CliSession::localPath(parser.positionalArguments().at(0)))) {
        return exitUsage;
    }
    const document::Editor& editor = session.editor();
    document::CellChecks checks;
    checks.run(editor);
    for (const document::CellIssue& issue : checks.issues()) {
        std::cout << editor.cell(issue.cell.row, 0) << '\t' << editor.cell(0, issue.cell.column)
                  << '\t' << editor.cell(issue.cell.row, issue.cell.column) << '\t'
                  << document::CellChecks::reason(editor, issue) << '\n';
    }
    const auto records = document::CellChecks::recordIssues(editor);
    for (const document::RecordIssue& issue : records) {
        std::cout << document::sectionName(issue.section) << '\t'
                  << document::escapedValue(issue.item) << '\t'
                  << document::escapedValue(issue.value) << '\t'
                  << document::CellChecks::reason(editor, issue) << '\n';
    }
    const std::size_t count = checks.issues().size() + records.size();
    std::cout << document::CellChecks::summary(editor, count) << '\n';
    return count == 0 ? exitOk : exitNeedsAttention;
}

} // namespace vn574::cli
