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
// each, and the count.
int runCheck(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the cells of a channel data file (.vd with its .ton file) that the radio "
        "cannot hold as they stand, as the editor marks them: a frequency outside the "
        "model's bands, an unknown tone, a PRI channel not in use, an option signal the "
        "installed options do not offer, a name the radio cannot store. Exit status 0 when "
        "no cell needs attention, 1 when some do, 2 on a wrong command line or an "
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
    std::cout << checks.summary(editor) << '\n';
    return checks.issues().empty() ? exitOk : exitNeedsAttention;
}

} // namespace vn574::cli
