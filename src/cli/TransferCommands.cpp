#include "app/AtomicFile.h"
#include "app/OptionFlags.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "codec/HexText.h"
#include "codec/ImageCodec.h"
#include "document/Editor.h"
#include "files/ChannelFile.h"
#include "link/CodecTransfer.h"
#include "link/qt/QtCloneRunner.h"

#include <QCommandLineParser>

#include <iostream>
#include <memory>
#include <string>

namespace vn574::cli {
namespace {

constexpr int longestTickMs = 10000;

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
                const link::TransferTrace& trace) {
    if (!parser.isSet(options.trace)) {
        return status;
    }
    const std::string error =
        app::writeFileAtomically(CliSession::localPath(parser.value(options.trace)), trace.text());
    if (!error.empty()) {
        CliSession::printError("the trace could not be written: " + error);
        return exitFailure;
    }
    return status;
}

// A password must reach the radio as one byte per character; the window and the
// command line take the same characters.
bool checkPassword(const QString& password, const std::string& option) {
    constexpr int longestPassword = 16;
    if (password.size() > longestPassword) {
        CliSession::printError(option + " takes at most 16 characters");
        return false;
    }
    if (!codec::passwordBytes(password.toStdString())) {
        CliSession::printError(option + " takes only characters of the Western character set "
                                        "(ISO 8859-1, U+0001..U+00FF), which the radio can keep");
        return false;
    }
    return true;
}

// Checks the shared options; prints the reason and returns false when one is wrong.
bool readTransferOptions(const QCommandLineParser& parser, const TransferOptions& options,
                         link::CloneRunOptions& run) {
    if (parser.isSet(options.tickMs)) {
        bool ok = false;
        const int ms = parser.value(options.tickMs).toInt(&ok);
        if (!ok || ms < 1 || ms > longestTickMs) {
            CliSession::printError("--tick-ms takes a number of milliseconds from 1 to " +
                                   std::to_string(longestTickMs));
            return false;
        }
        run.intervals = {ms, ms};
    }
    run.fast = parser.isSet(options.fast);
    return !parser.isSet(options.password) ||
           checkPassword(parser.value(options.password), "--password");
}

// Progress lines on stderr, one whenever the percentage changes.
void reportProgress(link::CloneRunOptions& run, const char* verb) {
    run.onProgress = [verb, last = std::string()](const std::string& text, int block) mutable {
        if (text == last) {
            return;
        }
        last = text;
        std::cerr << "vn574-cli: " << verb << ' ' << text;
        if (block < 512) {
            std::cerr << " (block " << block << ')';
        }
        std::cerr << '\n';
    };
}

// The steps the main window takes before it opens the clone window.
bool prepareTransfer(CliSession& session, const QCommandLineParser& parser,
                     const TransferOptions& options) {
    auto& settings = session.settings();
    // The clone window stores the option flags when it closes. The stored bytes are
    // sticky, so the record must be known before it is written again: a fresh record of
    // zeros would forget the options of radios read before.
    if (!settings.settingFile) {
        settings.settingFile = std::make_shared<app::SettingFile>(settings.paths.settingIni());
        settings.settingFile->load();
    }
    settings.commPort = CliSession::localPath(parser.value(options.port));
    if (settings.commPort.empty()) {
        session.prompts().message("Please Set Com Port!", app::Icon::Warning);
        return false;
    }
    if (!parser.isSet(options.quiet)) {
        session.prompts().message(session.editor().windowMessage(9007), app::Icon::Information);
    }
    if (parser.isSet(options.password)) {
        session.prompts().password = parser.value(options.password).toStdString();
    }
    return true;
}

// The clone window closes without a message only through the password gate here: the
// password window was cancelled, which the command line does when it has no password
// or only a wrong one.
int transferResult(link::CloneOutcome outcome, const QCommandLineParser& parser,
                   const TransferOptions& options) {
    switch (outcome) {
    case link::CloneOutcome::Completed:
        return exitOk;
    case link::CloneOutcome::Closed:
        CliSession::printError(
            parser.isSet(options.password)
                ? "the password given with --password is not the radio's password"
                : "the radio is protected by a password; give it with --password");
        return exitFailure;
    case link::CloneOutcome::Failed:
    case link::CloneOutcome::Open:
        break;
    }
    return exitFailure;
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
    const auto outcome = link::runCloneTransfer(editor, state, transferCodec, run);
    if (const int status =
            finishTrace(transferResult(outcome, parser, options), parser, options, trace);
        status != exitOk) {
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
    return files::saveChannelFile(editor, CliSession::localPath(parser.value(output))).saved
               ? exitOk
               : exitFailure;
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
    parser.addPositionalArgument(QStringLiteral("input"),
                                 QStringLiteral("Channel data file (.vd) with its .ton file."),
                                 QStringLiteral("IN.vd"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(options.port)) {
        CliSession::printError(
            "usage: vn574-cli write --port DEV IN.vd [--password P] "
            "[--new-password P] [--tick-ms N] [--fast] [--quiet] [--trace FILE]");
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

    codec::ImageCodec imageCodec(editor);
    link::CodecTransfer transferCodec(imageCodec);
    link::TransferState state;
    state.mode = link::TransferMode::Write;
    link::TransferTrace trace;
    if (parser.isSet(options.trace)) {
        run.trace = &trace;
    }
    return finishTrace(
        transferResult(link::runCloneTransfer(editor, state, transferCodec, run), parser, options),
        parser, options, trace);
}

} // namespace vn574::cli
