#pragma once

#include "link/qt/QtCloneRunner.h"

#include <QCommandLineParser>

#include <string>

namespace vn574::link {
class TransferTrace;
}

namespace vn574::cli {

class CliSession;

// The options read and write share.
struct TransferOptions {
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Serial port: a name such as ttyUSB0 or a device path."),
                            QStringLiteral("DEV")};
    QCommandLineOption password{QStringLiteral("password"),
                                QStringLiteral("The radio's password, when it has one."),
                                QStringLiteral("P")};
    QCommandLineOption tickMs{
        QStringLiteral("tick-ms"),
        QStringLiteral("Tick interval in milliseconds (default 150, and 100 while writing)."),
        QStringLiteral("N")};
    QCommandLineOption fast{
        QStringLiteral("fast"),
        QStringLiteral("Fast transfer: send each frame as soon as the radio has answered the one "
                       "before, not at the next tick (the tick stays the time-out).")};
    QCommandLineOption quiet{QStringLiteral("quiet"),
                             QStringLiteral("No notice and no progress on stderr.")};
    QCommandLineOption trace{
        QStringLiteral("trace"),
        QStringLiteral("Write every byte sent and received, with millisecond times, to FILE "
                       "(also when the transfer fails)."),
        QStringLiteral("FILE")};

    void addTo(QCommandLineParser& parser) const {
        parser.addOption(port);
        parser.addOption(password);
        parser.addOption(tickMs);
        parser.addOption(fast);
        parser.addOption(quiet);
        parser.addOption(trace);
    }
};

// Writes the trace when --trace was given. A trace that cannot be written turns a
// finished transfer into a failure: the user asked for it to see what happened.
int finishTrace(int status, const QCommandLineParser& parser, const TransferOptions& options,
                const link::TransferTrace& trace);

// A password must reach the radio as one byte per character; the window and the
// command line take the same characters.
bool checkPassword(const QString& password, const std::string& option);

// --tick-ms into both intervals; prints the reason and returns false when it is no number
// of milliseconds from 1 to 10000.
bool readTickMs(const QCommandLineParser& parser, const QCommandLineOption& tickMs,
                link::TickIntervals& intervals);

// Checks the shared options; prints the reason and returns false when one is wrong.
bool readTransferOptions(const QCommandLineParser& parser, const TransferOptions& options,
                         link::CloneRunOptions& run);

// Progress lines on stderr, one whenever the percentage changes.
void reportProgress(link::CloneRunOptions& run, const char* verb);

// The steps the main window takes before it opens the clone window.
bool prepareTransfer(CliSession& session, const QCommandLineParser& parser,
                     const TransferOptions& options);

// The exit status of a transfer that ended with `outcome`.
int transferResult(link::CloneOutcome outcome, const QCommandLineParser& parser,
                   const TransferOptions& options);

} // namespace vn574::cli
