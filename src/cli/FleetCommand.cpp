#include "app/ProcessSettings.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/TransferOptions.h"
#include "files/FleetLog.h"
#include "files/RadioList.h"
#include "files/Sha256.h"
#include "link/qt/QtFleetRunner.h"

#include <QCommandLineParser>

#include <ctime>
#include <iostream>
#include <memory>

namespace vn574::cli {

namespace {

const char* phaseWord(link::FleetPhase phase) {
    switch (phase) {
    case link::FleetPhase::Backup:
        return "backing up";
    case link::FleetPhase::Write:
        return "writing";
    case link::FleetPhase::Verify:
        return "verifying";
    case link::FleetPhase::Waiting:
    case link::FleetPhase::Done:
        break;
    }
    return "";
}

// Each radio's log row on stdout and in the log as it finishes; what happens on stderr.
class CliFleetListener final : public link::FleetListener {
public:
    CliFleetListener(std::string logPath, bool quiet)
        : m_logPath(std::move(logPath)), m_quiet(quiet) {}

    void phaseChanged(const std::string& port, int line, link::FleetPhase phase) override {
        if (phase == link::FleetPhase::Waiting) {
            // Shown with --quiet too: the user has a radio to change.
            std::cerr << "vn574-cli: Connect the next radio to " << port << '\n';
        } else if (!m_quiet && phase != link::FleetPhase::Done) {
            std::cerr << "vn574-cli: " << port << " line " << line << ": " << phaseWord(phase)
                      << '\n';
        }
    }
    void progress(const std::string& /*port*/, int /*line*/, const std::string& /*text*/,
                  int /*value*/) override {}
    void radioFinished(const files::FleetLogRow& row) override {
        std::cout << files::fleetLogRow(row) << std::flush;
        allOk = allOk && row.ok;
        if (const std::string error = files::appendFleetLog(m_logPath, row); !error.empty()) {
            CliSession::printError("the log could not be written: " + error);
            allOk = false;
        }
    }

    bool allOk = true;

private:
    std::string m_logPath;
    bool m_quiet;
};

} // namespace

// vn574-cli fleet PLAN.vd --radios RADIOS.csv: one plan into every radio of the list, each
// with its own identity; the radios of different ports at the same time.
int runFleet(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes one channel data file into many radios, each with its own identity (own ID, "
        "DTMF codes, password) from a radio list: backup, write and verify for every radio, "
        "the radios on different ports at the same time."));
    session.addCommonOptions(parser);
    const QCommandLineOption radiosOption(
        QStringLiteral("radios"),
        QStringLiteral("The radio list (CSV): port, label, self_id, dtmf_C0..dtmf_C6, password, "
                       "new_password."),
        QStringLiteral("RADIOS.csv"));
    const QCommandLineOption logOption(
        QStringLiteral("log"),
        QStringLiteral("Append a row per radio to LOG.csv (default: fleet-<time>.csv in the data "
                       "folder)."),
        QStringLiteral("LOG.csv"));
    const QCommandLineOption backupDir(QStringLiteral("backup-dir"),
                                       QStringLiteral("Keep the backups in DIR."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption fast(QStringLiteral("fast"),
                                  QStringLiteral("Fast pacing for the writes too."));
    const QCommandLineOption keepIdentity(
        QStringLiteral("keep-identity"),
        QStringLiteral("Every radio keeps its own ID and DTMF codes; a value in its row wins."));
    const QCommandLineOption onlyChanged(
        QStringLiteral("only-changed"),
        QStringLiteral("Send only the blocks that differ from each radio's backup."));
    const QCommandLineOption tickMs(QStringLiteral("tick-ms"),
                                    QStringLiteral("Tick interval in milliseconds."),
                                    QStringLiteral("N"));
    const QCommandLineOption quiet(QStringLiteral("quiet"),
                                   QStringLiteral("No progress on stderr."));
    for (const auto* option : {&radiosOption, &logOption, &backupDir, &fast, &keepIdentity,
                               &onlyChanged, &tickMs, &quiet}) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("plan"),
                                 QStringLiteral("Channel data file (.vd) with its .ton file."),
                                 QStringLiteral("PLAN.vd"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(radiosOption)) {
        CliSession::printError(
            "usage: vn574-cli fleet PLAN.vd --radios RADIOS.csv [--log LOG.csv] "
            "[--backup-dir DIR] [--fast] [--keep-identity] [--only-changed] [--tick-ms N] "
            "[--quiet]");
        return exitUsage;
    }
    link::FleetSettings fleet;
    if (!readTickMs(parser, tickMs, fleet.intervals)) {
        return exitUsage;
    }
    if (!session.start(parser)) {
        return exitUsage;
    }
    auto& settings = session.settings();
    if (!settings.settingFile) {
        settings.settingFile = std::make_shared<app::SettingFile>(settings.paths.settingIni());
        settings.settingFile->load();
    }
    fleet.planPath = CliSession::localPath(parser.positionalArguments().front());
    fleet.fast = parser.isSet(fast);
    fleet.keepIdentity = parser.isSet(keepIdentity);
    fleet.onlyChanged = parser.isSet(onlyChanged);
    fleet.backupFolder = CliSession::localPath(parser.value(backupDir));

    const std::string listName = CliSession::localPath(parser.value(radiosOption));
    const files::RadioList list = files::readRadioList(listName);
    if (!list.error.empty()) {
        CliSession::printError(list.error);
        return exitUsage;
    }
    if (const std::string error = link::checkFleet(settings, fleet.planPath, list.rows, listName);
        !error.empty()) {
        CliSession::printError(error);
        return exitUsage;
    }
    if (const std::string error = files::fileSha256(fleet.planPath, fleet.planSha256);
        !error.empty()) {
        CliSession::printError(error);
        return exitUsage;
    }
    const std::string logPath = parser.isSet(logOption)
                                    ? CliSession::localPath(parser.value(logOption))
                                    : files::defaultFleetLogPath(std::time(nullptr));
    if (logPath.empty()) {
        CliSession::printError("no log file: give --log, or set XDG_DATA_HOME or HOME");
        return exitUsage;
    }
    if (!parser.isSet(quiet)) {
        std::cerr << "vn574-cli: log: " << logPath << '\n';
    }
    CliFleetListener listener(logPath, parser.isSet(quiet));
    link::runFleet(settings, fleet, list.rows, listener);
    return listener.allOk ? exitOk : exitFailure;
}

} // namespace vn574::cli
