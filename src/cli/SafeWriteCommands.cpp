#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/SafeWrite.h"
#include "document/Editor.h"
#include "files/ComparedDocument.h"
#include "files/ImageFile.h"
#include "files/TransferHistory.h"
#include "link/TransferTrace.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace vn574::cli {

namespace {

const char* progressVerb(link::ChainStep step) {
    switch (step) {
    case link::ChainStep::Backup:
        return "backing up";
    case link::ChainStep::Write:
        return "writing";
    case link::ChainStep::Verify:
        return "verifying";
    case link::ChainStep::Restore:
        break;
    }
    return "restoring";
}

// A path in single quotes for a shell: a quote inside becomes '\''.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

int finishChainTrace(int status, const ChainCommand& command, const link::TransferTrace& trace) {
    return finishTrace(status, command.parser, command.options, trace);
}

// Radio images are read whole; a file of another size is no radio's memory.
std::optional<codec::MemoryImage> loadImage(const std::string& path) {
    codec::MemoryImage image{};
    const std::string error = files::readImageFile(path, image);
    if (!error.empty()) {
        CliSession::printError(error);
        return std::nullopt;
    }
    return image;
}

} // namespace

link::ChainResult runChainCommand(const ChainCommand& command, link::ChainPlan plan) {
    plan.intervals = command.run.intervals;
    plan.fastWrite = command.run.fast;
    link::ChainRunOptions options;
    if (!command.parser.isSet(command.options.quiet)) {
        options.onProgress = [last = std::string()](link::ChainStep step, const std::string& text,
                                                    int block) mutable {
            const std::string line = std::string(progressVerb(step)) + ' ' + text;
            if (line == last) {
                return;
            }
            last = line;
            std::cerr << "vn574-cli: " << line;
            if (block < 512) {
                std::cerr << " (block " << block << ')';
            }
            std::cerr << '\n';
        };
    }
    options.onBackupSaved = [](const std::string& path) {
        std::cerr << "backup: " << path << '\n';
    };
    link::TransferTrace trace;
    if (command.parser.isSet(command.options.trace)) {
        options.trace = &trace;
    }
    link::TransferState state;
    auto result = link::runTransferChain(command.session.editor(), state, std::move(plan), options);
    if (finishChainTrace(exitOk, command, trace) != exitOk) {
        result.ok = false;
        result.transferFailed = true;
    }
    if (result.radioChanged && !result.backupPath.empty()) {
        // Never with the password: the command line would keep it in the shell's history.
        std::cerr << "vn574-cli: restore with: vn574-cli restore --port "
                  << command.parser.value(command.options.port).toStdString() << ' '
                  << shellQuoted(result.backupPath) << '\n';
    }
    return result;
}

int chainStatus(const ChainCommand& command, const link::ChainResult& result) {
    if (result.ok) {
        return exitOk;
    }
    if (result.stepOutcome == link::CloneOutcome::Closed) {
        return transferResult(link::CloneOutcome::Closed, command.parser, command.options);
    }
    return exitFailure;
}

// vn574-cli verify --port DEV IN.vd|IMAGE.img: compares what the radio holds with what a
// write of the file would send.
int runVerify(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compares the radio on a serial port with a channel data file or a radio image: the "
        "blocks a write of it would send. Exit 0 the same, 1 different, 2 bad input or a "
        "failed transfer."));
    session.addCommonOptions(parser);
    TransferOptions options;
    options.addTo(parser);
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("Channel data file (.vd) or radio image."),
                                 QStringLiteral("IN.vd|IMAGE.img"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(options.port)) {
        CliSession::printError("usage: vn574-cli verify --port DEV IN.vd|IMAGE.img [--password P] "
                               "[--tick-ms N] [--fast] [--quiet] [--trace FILE]");
        return exitUsage;
    }
    link::CloneRunOptions run;
    if (!readTransferOptions(parser, options, run) || !session.start(parser)) {
        return exitUsage;
    }
    const std::string input = CliSession::localPath(parser.positionalArguments().front());
    link::ChainPlan plan;
    plan.goal = link::ChainPlan::Goal::Verify;
    plan.file = input;
    if (files::isChannelFileName(input)) {
        if (!session.openInput(input)) {
            return exitUsage;
        }
        session.editor().UpdateAllArray();
    } else {
        plan.image = loadImage(input);
        if (!plan.image) {
            return exitUsage;
        }
    }
    if (!prepareTransfer(session, parser, options)) {
        return exitUsage;
    }
    const ChainCommand command{session, parser, options, run};
    const auto result = runChainCommand(command, std::move(plan));
    for (const auto& difference : result.differences) {
        std::cout << link::differenceLine(difference) << '\n';
    }
    if (result.ok) {
        return exitOk;
    }
    if (!result.transferFailed && !result.differences.empty()) {
        return exitFailure;
    }
    chainStatus(command, result); // the password hint, when that was why
    return exitUsage;
}

// vn574-cli restore --port DEV BACKUP.img: writes a backup image into the radio with its
// own bytes, then verifies it.
int runRestore(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a radio image (a backup) into the radio on a serial port, then reads back "
        "what was written."));
    session.addCommonOptions(parser);
    TransferOptions options;
    options.addTo(parser);
    parser.addPositionalArgument(QStringLiteral("backup"),
                                 QStringLiteral("Radio image of 8192 bytes."),
                                 QStringLiteral("BACKUP.img"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(options.port)) {
        CliSession::printError("usage: vn574-cli restore --port DEV BACKUP.img [--password P] "
                               "[--tick-ms N] [--fast] [--quiet] [--trace FILE]");
        return exitUsage;
    }
    link::CloneRunOptions run;
    if (!readTransferOptions(parser, options, run)) {
        return exitUsage;
    }
    if (!session.start(parser)) {
        return exitFailure;
    }
    const std::string input = CliSession::localPath(parser.positionalArguments().front());
    link::ChainPlan plan;
    plan.goal = link::ChainPlan::Goal::Restore;
    plan.file = input;
    plan.keptBackup = input; // a restore cut short is started again from the same file
    plan.image = loadImage(input);
    if (!plan.image || !prepareTransfer(session, parser, options)) {
        return exitFailure;
    }
    const ChainCommand command{session, parser, options, run};
    return chainStatus(command, runChainCommand(command, std::move(plan)));
}

// vn574-cli history: the transfer history as it is kept, a CSV file with its header.
int runHistory(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the history of transfers (backups, reads, writes, verifies and restores) as "
        "CSV, oldest first."));
    session.addCommonOptions(parser);
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        CliSession::printError("usage: vn574-cli history");
        return exitUsage;
    }
    const auto history = files::TransferHistory::standard();
    std::ifstream file(history.path(), std::ios::binary);
    if (!file) {
        std::cout << files::historyHeader << "\r\n";
        return exitOk;
    }
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (file.bad()) {
        CliSession::printError("cannot read " + history.path());
        return exitFailure;
    }
    std::cout << text;
    return std::cout.flush() ? exitOk : exitFailure;
}

} // namespace vn574::cli
