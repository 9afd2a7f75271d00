#pragma once

#include <QStringList>

namespace vn574::cli {

// Exit status of the tool: 0 done; 1 the operation failed (the message is on stderr);
// 2 the command line was wrong. "diff" alone answers 1 for "the files differ" and 2 for
// every failure, as diff(1) does.
inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1;
inline constexpr int exitUsage = 2;

// A subcommand gets its own arguments: element 0 is its name, then everything after it.
using CommandFunction = int (*)(const QStringList& arguments);

struct CliCommand {
    const char* name;
    const char* summary;
    CommandFunction run;
};

// One function per subcommand, each in its own file; CliMain.cpp lists them.
int runReport(const QStringList& arguments);
int runConvert(const QStringList& arguments);
int runEncode(const QStringList& arguments);
int runDecode(const QStringList& arguments);
int runRead(const QStringList& arguments);
int runWrite(const QStringList& arguments);
int runCsvExport(const QStringList& arguments);
int runCsvImport(const QStringList& arguments);
int runDiff(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runVerify(const QStringList& arguments);
int runRestore(const QStringList& arguments);
int runHistory(const QStringList& arguments);
int runFleet(const QStringList& arguments);

} // namespace vn574::cli
