#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <iostream>

namespace vn574::cli {
namespace {

// Adding a subcommand: its file, its function above, and one line here.
constexpr std::array commands{
    CliCommand{"report", "Write the text report of a channel data file", runReport},
    CliCommand{"convert", "Open a channel data file and save it again", runConvert},
    CliCommand{"encode", "Write the radio image of a channel data file", runEncode},
    CliCommand{"decode", "Read a radio image into a channel data file", runDecode},
    CliCommand{"read", "Read the radio on a serial port into a channel data file", runRead},
    CliCommand{"write", "Write a channel data file into the radio on a serial port", runWrite},
    CliCommand{"verify", "Compare the radio on a serial port with a channel data file or image",
               runVerify},
    CliCommand{"restore", "Write a backup image into the radio on a serial port and verify it",
               runRestore},
    CliCommand{"history", "Print the history of transfers as CSV", runHistory},
    CliCommand{"fleet", "Write one channel data file into many radios, each with its own identity",
               runFleet},
    CliCommand{"csv-export", "Write the channels of a channel data file as a CSV list",
               runCsvExport},
    CliCommand{"csv-import", "Read a CSV channel list into a channel data file", runCsvImport},
    CliCommand{"diff", "Show what differs between two channel data files or radio images", runDiff},
    CliCommand{"check", "List the cells of a channel data file that need attention", runCheck},
};

void printUsage(std::ostream& out) {
    out << "Usage: vn574-cli COMMAND [options] ...\n"
           "       vn574-cli --help | --version\n\n"
           "VN-574 Channel Data Editor from the command line.\n\nCommands:\n";
    for (const CliCommand& command : commands) {
        out << "  " << command.name << std::string(12 - std::string(command.name).size(), ' ')
            << command.summary << '\n';
    }
    out << "\nOptions of every command:\n"
           "  --config-dir DIR   folder of mysetup.ini and Setting.ini\n"
           "  --lang LANGUAGE    english (default) or chinese\n"
           "  -h, --help         the command's own options\n\n"
           "Exit status: 0 done, 1 the operation failed (message on stderr), 2 wrong "
           "command line.\n";
}

} // namespace
} // namespace vn574::cli

int main(int argc, char** argv) {
    using namespace vn574::cli;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vn574-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VN574_VERSION));

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        printUsage(std::cerr);
        return exitUsage;
    }
    const QString& first = arguments.at(1);
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        printUsage(std::cout);
        return exitOk;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        std::cout << "vn574-cli " << VN574_VERSION << '\n';
        return exitOk;
    }
    for (const CliCommand& command : commands) {
        if (first == QLatin1String(command.name)) {
            return command.run(arguments.mid(1));
        }
    }
    std::cerr << "vn574-cli: unknown command \"" << first.toStdString()
              << "\" (see vn574-cli --help)\n";
    return exitUsage;
}
