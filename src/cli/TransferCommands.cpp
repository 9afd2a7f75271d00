#include "app/AtomicFile.h"
#include "app/OptionFlags.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/SafeWrite.h"
#include "cli/TransferOptions.h"
#include "codec/MemoryMap.h"
#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "document/Editor.h"
#include "files/ChannelFile.h"
#include "link/CodecTransfer.h"
#include "link/TransferRecords.h"
#include "link/qt/QtCloneRunner.h"

#include <QCommandLineParser>

#include <chrono>
#include <iostream>
#include <memory>
#include <string>

namespace vn574::cli {

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// vn574-cli read --port DEV -o OUT.vd [--image OUT.img]: reads the radio as the clone
// window does and saves the document.
int runRead(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads the radio on a serial port and saves its channel data file."));
    session.addCommonOptions(parser);
    TransferOptions options;
    options.addTo(parser);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The channel data file to write."),
                                    QStringLiteral("OUT.vd"));
    const QCommandLineOption image(
        QStringLiteral("image"),
        QStringLiteral("Also write the radio memory as received (8192 bytes, blocks not read "
                       "are zero)."),
        QStringLiteral("OUT.img"));
    parser.addOption(output);
    parser.addOption(image);
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (!parser.positionalArguments().isEmpty() || !parser.isSet(output) ||
        !parser.isSet(options.port)) {
        CliSession::printError("usage: vn574-cli read --port DEV -o OUT.vd [--image OUT.img] "
                               "[--password P] [--tick-ms N] [--fast] [--quiet] [--trace FILE]");
        return exitUsage;
    }
    link::CloneRunOptions run;
    if (!readTransferOptions(parser, options, run)) {
        return exitUsage;
    }
    if (!session.start(parser) || !prepareTransfer(session, parser, options)) {
        return exitFailure;
    }
    if (!parser.isSet(options.quiet)) {
        reportProgress(run, "reading");
    }

    document::Editor& editor = session.editor();
    editor.setFileName("noname.vd");
    codec::ImageCodec imageCodec(editor);
    link::CodecTransfer transferCodec(imageCodec);
    link::TransferState state;
    state.mode = link::TransferMode::Read;
    link::TransferTrace trace;
    if (parser.isSet(options.trace)) {
        run.trace = &trace;
    }
    const auto started = std::chrono::steady_clock::now();
    std::string failure;
    run.onFinished = [&](const link::CloneEngine& engine) {
        failure = engine.failureKey().empty() ? std::string() : engine.text(engine.failureKey());
    };
    const auto outcome = link::runCloneTransfer(editor, state, transferCodec, run);
    link::RecordedTransfer row;
    row.operation = files::TransferOperation::Read;
    row.radio = &transferCodec.receivedImage();
    row.ok = outcome == link::CloneOutcome::Completed;
    row.message = failure;
    row.seconds = secondsSince(started);
    if (const int status =
            finishTrace(transferResult(outcome, parser, options), parser, options, trace);
        status != exitOk) {
        link::recordTransfer(editor, row);
        return status;
    }

    if (parser.isSet(image)) {
        const auto& bytes = transferCodec.receivedImage();
        const std::string error = app::writeFileAtomically(
            CliSession::localPath(parser.value(image)),
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        if (!error.empty()) {
            CliSession::printError(error);
            return exitFailure;
        }
    }
    const std::string outputPath = CliSession::localPath(parser.value(output));
    const bool saved = files::saveChannelFile(editor, outputPath).saved;
    row.file = saved ? outputPath : std::string();
    link::recordTransfer(editor, row);
    return saved ? exitOk : exitFailure;
}

// vn574-cli write --port DEV IN.vd: writes a channel data file into the radio as the
// main window's "Write CH Data" does.
int runWrite(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a channel data file into the radio on a serial port."));
    session.addCommonOptions(parser);
    TransferOptions options;
    options.addTo(parser);
    const QCommandLineOption newPassword(
        QStringLiteral("new-password"),
        QStringLiteral("Also give the radio this password (\"\" clears it), as \"Password "
                       "modify\" does."),
        QStringLiteral("P"));
    parser.addOption(newPassword);
    const QCommandLineOption backup(
        QStringLiteral("backup"),
        QStringLiteral("Read the radio first and keep what it holds in the backups folder; "
                       "prints \"backup: PATH\" on stderr."));
    const QCommandLineOption backupDir(QStringLiteral("backup-dir"),
                                       QStringLiteral("Keep the backup in DIR (needs --backup)."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption verify(
        QStringLiteral("verify"),
        QStringLiteral("Read back every block written and compare it with what was sent."));
    const QCommandLineOption onlyChanged(
        QStringLiteral("only-changed"),
        QStringLiteral("Send only the blocks that differ from the backup (needs --backup)."));
    parser.addOption(backup);
    parser.addOption(backupDir);
    parser.addOption(verify);
    parser.addOption(onlyChanged);
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("Channel data file (.vd) with its .ton file."),
                                 QStringLiteral("IN.vd"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(options.port)) {
        CliSession::printError(
            "usage: vn574-cli write --port DEV IN.vd [--backup [--backup-dir DIR] "
            "[--only-changed]] [--verify] [--password P] [--new-password P] [--tick-ms N] "
            "[--fast] [--quiet] [--trace FILE]");
        return exitUsage;
    }
    if ((parser.isSet(onlyChanged) || parser.isSet(backupDir)) && !parser.isSet(backup)) {
        CliSession::printError(
            std::string(parser.isSet(onlyChanged) ? "--only-changed" : "--backup-dir") +
            " needs --backup");
        return exitUsage;
    }
    link::CloneRunOptions run;
    if (!readTransferOptions(parser, options, run)) {
        return exitUsage;
    }
    if (parser.isSet(newPassword)) {
        if (!checkPassword(parser.value(newPassword), "--new-password")) {
            return exitUsage;
        }
        run.passwordModify = true;
        run.newPassword = parser.value(newPassword).toStdString();
    }
    if (!session.start(parser) ||
        !session.openInput(CliSession::localPath(parser.positionalArguments().front()))) {
        return exitFailure;
    }
    if (!prepareTransfer(session, parser, options)) {
        return exitFailure;
    }

    document::Editor& editor = session.editor();
    editor.UpdateAllArray();
    const std::string inUse = editor.langText("Channel", "50015");
    bool anyInUse = false;
    for (int row = 1; row <= 100 && !anyInUse; ++row) {
        anyInUse = editor.grid().cell(row, document::colStatus) == inUse;
    }
    if (!anyInUse) {
        session.prompts().message("please active one channel in 0 to 99.", app::Icon::Warning);
        return exitFailure;
    }
    if (!parser.isSet(options.quiet)) {
        reportProgress(run, "writing");
    }

    const std::string input = CliSession::localPath(parser.positionalArguments().front());
    if (parser.isSet(backup) || parser.isSet(verify)) {
        link::ChainPlan plan;
        plan.backup = parser.isSet(backup);
        plan.verify = parser.isSet(verify);
        plan.onlyChanged = parser.isSet(onlyChanged);
        plan.backupFolder = CliSession::localPath(parser.value(backupDir));
        plan.passwordModify = run.passwordModify;
        plan.newPassword = run.newPassword;
        plan.file = input;
        const ChainCommand command{session, parser, options, run};
        return chainStatus(command, runChainCommand(command, std::move(plan)));
    }

    codec::ImageCodec imageCodec(editor);
    link::CodecTransfer transferCodec(imageCodec);
    link::TransferState state;
    state.mode = link::TransferMode::Write;
    link::TransferTrace trace;
    if (parser.isSet(options.trace)) {
        run.trace = &trace;
    }
    const auto started = std::chrono::steady_clock::now();
    run.onFinished = [&](const link::CloneEngine& engine) {
        const auto radio = link::imageAfterWrite({}, engine.writeBlocks());
        link::RecordedTransfer row;
        row.operation = files::TransferOperation::Write;
        row.radio = &radio;
        row.model = codec::modelCodeOf(editor.selectedModel());
        row.file = input;
        row.blocksSent = engine.blocksAcknowledged();
        row.ok = engine.outcome() == link::CloneOutcome::Completed;
        row.message =
            engine.failureKey().empty() ? std::string() : engine.text(engine.failureKey());
        row.seconds = secondsSince(started);
        link::recordTransfer(editor, row);
    };
    return finishTrace(
        transferResult(link::runCloneTransfer(editor, state, transferCodec, run), parser, options),
        parser, options, trace);
}

} // namespace vn574::cli
