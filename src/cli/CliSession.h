#pragma once

#include "app/ProcessSettings.h"
#include "cli/CliCommand.h"
#include "cli/CliPrompts.h"
#include "document/Editor.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <variant>

namespace vn574::cli {

// The shape most subcommands share: one input file and "-o FILE".
struct FileArguments {
    std::string input;
    std::string output;
};

struct FileCommandText {
    QString description;
    QString inputName; // "IN.vd"
    QString inputHelp;
    QString outputHelp;
    std::string usage;
};

// What every subcommand shares: the common options, the start-up the main window goes
// through, and opening the input file as the editor's Open does.
class CliSession {
public:
    CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Adds --config-dir, --lang and --help to a subcommand's parser.
    void addCommonOptions(QCommandLineParser& parser);

    // Parses the subcommand's arguments. Returns an exit status when the command must end
    // here (help printed: 0; wrong command line: 2, with the reason on stderr).
    std::optional<int> parse(QCommandLineParser& parser, const QStringList& arguments);

    // Declares the input and "-o FILE" (after any options the command added itself),
    // parses, and checks both were given. The paths, or the exit status to end with.
    std::variant<FileArguments, int> parseFileCommand(QCommandLineParser& parser,
                                                      const QStringList& arguments,
                                                      const FileCommandText& text);

    // Settings folders, language and an editor loaded as the main window loads it (model
    // 9 selected and the document reset for it). False, with the reason on stderr, when
    // the language file cannot be found.
    bool start(const QCommandLineParser& parser);

    // Opens a channel data file as the editor's Open does (the file's model is selected
    // without a reset). False when Open showed any message (on stderr).
    bool openInput(const std::string& path);

    document::Editor& editor() { return m_editor; }
    CliPrompts& prompts() { return m_prompts; }
    app::ProcessSettings& settings() { return m_settings; }

    // A command-line argument as a file path in the file system's encoding.
    static std::string localPath(const QString& argument);
    // Prints "vn574-cli: text" on stderr.
    static void printError(const std::string& text);

private:
    app::ProcessSettings m_settings;
    CliPrompts m_prompts;
    document::Editor m_editor;
    QCommandLineOption m_configDir;
    QCommandLineOption m_language;
    QCommandLineOption m_help;
};

} // namespace vn574::cli
