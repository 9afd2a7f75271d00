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
    const auto parsed = session.parseFileCommand(
        parser, arguments,
        {QStringLiteral("Opens a channel data file and saves it again (with its .ton file)."),
         QStringLiteral("IN.vd"), QStringLiteral("Channel data file (.vd) with its .ton file."),
         QStringLiteral("The channel data file to write."), "vn574-cli convert IN.vd -o OUT.vd"});
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& paths = std::get<FileArguments>(parsed);
    if (!session.start(parser) || !session.openInput(paths.input)) {
        return exitFailure;
    }
    return files::saveChannelFile(session.editor(), paths.output).saved ? exitOk : exitFailure;
}

} // namespace vn574::cli
