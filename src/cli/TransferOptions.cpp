#include "cli/TransferOptions.h"

#include "app/OptionFlags.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "app/AtomicFile.h"
#include "codec/HexText.h"
#include "link/TransferTrace.h"

#include <iostream>
#include <memory>

namespace vn574::cli {

namespace {

constexpr int longestTickMs = 10000;

} // namespace

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

bool readTickMs(const QCommandLineParser& parser, const QCommandLineOption& tickMs,
                link::TickIntervals& intervals) {
    if (!parser.isSet(tickMs)) {
        return true;
    }
    bool ok = false;
    const int ms = parser.value(tickMs).toInt(&ok);
    if (!ok || ms < 1 || ms > longestTickMs) {
        CliSession::printError("--tick-ms takes a number of milliseconds from 1 to " +
                               std::to_string(longestTickMs));
        return false;
    }
    intervals = {ms, ms};
    return true;
}

// Checks the shared options; prints the reason and returns false when one is wrong.
bool readTransferOptions(const QCommandLineParser& parser, const TransferOptions& options,
                         link::CloneRunOptions& run) {
    if (!readTickMs(parser, options.tickMs, run.intervals)) {
        return false;
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

} // namespace vn574::cli
