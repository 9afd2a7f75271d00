#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "files/Report.h"

#include <QCommandLineParser>

namespace vn574::cli {

// vn574-cli report IN.vd -o OUT.txt: the text report the editor writes after opening IN.vd.
int runReport(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the text report (Print To File) of a channel data file."));
    session.addCommonOptions(parser);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The report file to write."),
                                    QStringLiteral("OUT.txt"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("Channel data file (.vd) with its .ton file."),
                                 QStringLiteral("IN.vd"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        CliSession::printError("usage: vn574-cli report IN.vd -o OUT.txt");
        return exitUsage;
    }
    if (!session.start(parser) ||
        !session.openInput(CliSession::localPath(parser.positionalArguments().front()))) {
        return exitFailure;
    }
    return files::exportReport(session.editor(), CliSession::localPath(parser.value(output)))
               ? exitOk
               : exitFailure;
}

} // namespace vn574::cli
