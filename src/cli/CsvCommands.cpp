#include "app/AtomicFile.h"
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "document/ValueTables.h"
#include "files/ChannelFile.h"
#include "files/CsvChannels.h"
#include "files/FileIo.h"

#include <QCommandLineParser>

#include <iostream>

namespace vn574::cli {

namespace {

// A channel list is a few kilobytes; a file far larger was named by mistake.
constexpr std::size_t maxCsvBytes = 1'000'000;

void printProblems(const std::vector<files::CsvProblem>& problems, const char* heading) {
    if (problems.empty()) {
        return;
    }
    std::cerr << "vn574-cli: " << heading << ":\n"
              << files::describeCsvProblems(problems, problems.size());
}

} // namespace

// vn574-cli csv-export IN.vd -o OUT.csv: the channels in use of a channel data file in the
// common CSV layout.
int runCsvExport(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    const auto parsed = session.parseFileCommand(
        parser, arguments,
        {QStringLiteral("Writes the memory channels in use of a channel data file as a CSV "
                        "channel list."),
         QStringLiteral("IN.vd"), QStringLiteral("Channel data file (.vd) with its .ton file."),
         QStringLiteral("The CSV file to write."), "vn574-cli csv-export IN.vd -o OUT.csv"});
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& paths = std::get<FileArguments>(parsed);
    if (!session.start(parser) || !session.openInput(paths.input)) {
        return exitFailure;
    }
    const files::CsvExport exported = files::exportChannelsCsv(session.editor());
    const std::string error = app::writeFileAtomically(paths.output, exported.text);
    if (!error.empty()) {
        CliSession::printError("the CSV file could not be written: " + error);
        return exitFailure;
    }
    printProblems(exported.problems, "channels left out of the CSV file");
    return exitOk;
}

// vn574-cli csv-import IN.csv --model N -o OUT.vd, or --into EXISTING.vd: a CSV channel
// list checked against the model and put into a new or an existing channel data file.
int runCsvImport(const QStringList& arguments) {
    CliSession session;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads a CSV channel list into a channel data file. With -o the file is new and holds "
        "only the listed channels; with --into the listed channels replace those of an "
        "existing file and the others stay. Rows the model cannot take are listed on stderr "
        "and left out."));
    session.addCommonOptions(parser);
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Radio model 0..31 (the position in the model "
                                                  "list); with --into it must be the file's."),
                                   QStringLiteral("N"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("New channel data file to write (+ .ton)."),
                                    QStringLiteral("OUT.vd"));
    const QCommandLineOption into(QStringLiteral("into"),
                                  QStringLiteral("Existing channel data file to import into."),
                                  QStringLiteral("EXISTING.vd"));
    parser.addOption(model);
    parser.addOption(output);
    parser.addOption(into);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("CSV channel list."),
                                 QStringLiteral("IN.csv"));
    if (const auto status = session.parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || parser.isSet(output) == parser.isSet(into) ||
        (parser.isSet(output) && !parser.isSet(model))) {
        CliSession::printError(
            "usage: vn574-cli csv-import IN.csv --model N (-o OUT.vd | --into EXISTING.vd)");
        return exitUsage;
    }
    int modelIndex = -1;
    if (parser.isSet(model)) {
        bool ok = false;
        modelIndex = parser.value(model).toInt(&ok);
        if (!ok || document::modelByIndex(modelIndex) == nullptr) {
            CliSession::printError("--model takes a model number from 0 to 31");
            return exitUsage;
        }
    }
    if (!session.start(parser)) {
        return exitFailure;
    }

    document::Editor& editor = session.editor();
    std::string target;
    if (parser.isSet(into)) {
        target = CliSession::localPath(parser.value(into));
        if (!session.openInput(target)) {
            return exitFailure;
        }
        if (modelIndex >= 0 && modelIndex != editor.selectedModel()) {
            CliSession::printError("--model " + std::to_string(modelIndex) +
                                   " differs from the "
                                   "model of the file, " +
                                   std::to_string(editor.selectedModel()));
            return exitFailure;
        }
    } else {
        target = CliSession::localPath(parser.value(output));
        editor.selectModel(modelIndex);
        // A new file holds the listed channels only, not the new document's channel 0.
        for (int row = 1; row <= 100; ++row) {
            editor.takeRowOutOfUse(row);
        }
    }

    std::string text;
    std::string error = files::readFileHead(
        CliSession::localPath(parser.positionalArguments().front()), maxCsvBytes + 1, text);
    if (error.empty() && text.size() > maxCsvBytes) {
        error = "the file is larger than a channel list can be";
    }
    files::CsvImport imported;
    if (error.empty()) {
        imported = files::parseChannelsCsv(text, editor.selectedModel());
        error = imported.error;
    }
    if (!error.empty()) {
        CliSession::printError("the CSV file cannot be imported: " + error);
        return exitFailure;
    }
    printProblems(imported.problems, "rows left out");
    if (imported.channels.empty()) {
        CliSession::printError("the CSV file holds no channel this model can take; nothing "
                               "written");
        return exitFailure;
    }
    files::applyChannelsCsv(editor, imported.channels);
    return files::saveChannelFile(editor, target).saved ? exitOk : exitFailure;
}

} // namespace vn574::cli
