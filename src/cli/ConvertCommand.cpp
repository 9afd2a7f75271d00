#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "files/ChannelFile.h"

#include <QCommandLineParser>

namespace vn574::cli {

// vn574-cli convert IN.vd -o OUT.vd: opens a channel data file and saves it again, as the
// editor does with Open and Save; OUT.ton is written beside OUT.vd.
int runConvert(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens a channel data file and saves it again (with its .ton file)."));
    session.addCommonOptions(parser);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The channel data file to write."),
                                    QStringLiteral("OUT.vd"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("Channel data file (.vd) with its .ton file."),
                                 QStringLiteral("IN.vd"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        CliSession::printError("usage: vn574-cli convert IN.vd -o OUT.vd");
        return exitUsage;
    }
    if (!session.start(parser) ||
        !session.openInput(CliSession::localPath(parser.positionalArguments().front()))) {
        return exitFailure;
    }
    return files::saveChannelFile(session.editor(), CliSession::localPath(parser.value(output)))
                   .saved
               ? exitOk
               : exitFailure;
}

} // namespace vn574::cli
