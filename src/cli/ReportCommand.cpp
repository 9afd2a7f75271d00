#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "files/Report.h"

#include <QCommandLineParser>

namespace vn574::cli {

// vn574-cli report IN.vd -o OUT.txt: the text report the editor writes after opening IN.vd.
int runReport(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    const auto parsed = session.parseFileCommand(
        parser, arguments,
        {QStringLiteral("Writes the text report (Print To File) of a channel data file."),
         QStringLiteral("IN.vd"), QStringLiteral("Channel data file (.vd) with its .ton file."),
         QStringLiteral("The report file to write."), "vn574-cli report IN.vd -o OUT.txt"});
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& paths = std::get<FileArguments>(parsed);
    if (!session.start(parser) || !session.openInput(paths.input)) {
        return exitFailure;
    }
    return files::exportReport(session.editor(), paths.output) ? exitOk : exitFailure;
}

} // namespace vn574::cli
