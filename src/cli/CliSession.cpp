#include "cli/CliSession.h"

#include "app/Language.h"
#include "app/OptionFlags.h"
#include "app/SettingsLocation.h"
#include "files/ChannelFile.h"
#include "files/FileCommands.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>
#include <iostream>

namespace vn574::cli {

CliSession::CliSession()
    : m_editor(m_settings, m_prompts),
      m_configDir(QStringLiteral("config-dir"),
                  QStringLiteral("Folder of the settings files mysetup.ini and Setting.ini."),
                  QStringLiteral("DIR")),
      m_language(QStringLiteral("lang"),
                 QStringLiteral("Language of the texts: english (default) or chinese."),
                 QStringLiteral("LANGUAGE"), QStringLiteral("english")),
      m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
             QStringLiteral("Show this help.")) {}

void CliSession::addCommonOptions(QCommandLineParser& parser) {
    parser.addOption(m_configDir);
    parser.addOption(m_language);
    parser.addOption(m_help);
}

std::optional<int> CliSession::parse(QCommandLineParser& parser, const QStringList& arguments) {
    QStringList withProgram = arguments;
    withProgram.front() = QStringLiteral("vn574-cli ") + arguments.front();
    if (!parser.parse(withProgram)) {
        printError(parser.errorText().toStdString() + " (see vn574-cli " +
                   arguments.front().toStdString() + " --help)");
        return exitUsage;
    }
    if (parser.isSet(m_help)) {
        // The usage line names the subcommand rather than the path the tool was run by.
        QString help = parser.helpText();
        help.replace(QCoreApplication::arguments().constFirst() + QStringLiteral(" [options]"),
                     QStringLiteral("vn574-cli ") + arguments.front() +
                         QStringLiteral(" [options]"));
        std::cout << help.toStdString();
        return 0;
    }
    const QString language = parser.value(m_language);
    if (language != QLatin1String("english") && language != QLatin1String("chinese")) {
        printError("--lang must be english or chinese, not \"" + language.toStdString() + "\"");
        return exitUsage;
    }
    return std::nullopt;
}

std::variant<FileArguments, int> CliSession::parseFileCommand(QCommandLineParser& parser,
                                                              const QStringList& arguments,
                                                              const FileCommandText& text) {
    parser.setApplicationDescription(text.description);
    addCommonOptions(parser);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    text.outputHelp, QStringLiteral("FILE"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("input"), text.inputHelp, text.inputName);
    if (const auto status = parse(parser, arguments)) {
        return *status;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output)) {
        printError("usage: " + text.usage);
        return exitUsage;
    }
    return FileArguments{localPath(parser.positionalArguments().front()),
                         localPath(parser.value(output))};
}

bool CliSession::start(const QCommandLineParser& parser) {
    std::optional<std::string> configDir;
    if (parser.isSet(m_configDir)) {
        configDir = localPath(parser.value(m_configDir));
    }
    m_settings.paths =
        app::resolveSettingsPaths(localPath(QCoreApplication::applicationDirPath()), configDir);

    const std::string file = parser.value(m_language) == QLatin1String("chinese")
                                 ? std::string(app::Language::chinese)
                                 : std::string(app::Language::english);
    m_settings.language = app::Language(m_settings.paths.languageFolder, file);
    // Every word of a report comes from this file; without it the output would be
    // silently wrong, so the command stops instead.
    if (!std::filesystem::is_regular_file(m_settings.language.currentPath())) {
        printError("cannot find the language file \"" + m_settings.language.currentPath() + "\"");
        return false;
    }

    // The installed-option flags as the editor restores them; a missing Setting.ini is
    // left missing rather than created by a command that only reads files.
    const std::string settingIni = m_settings.paths.settingIni();
    if (std::filesystem::exists(settingIni)) {
        m_settings.optionFlags = app::SettingFile(settingIni).load();
    }

    m_editor.load();
    files::installFileHandlers(m_editor);
    return true;
}

bool CliSession::openInput(const std::string& path) {
    const int before = m_prompts.messageCount();
    const files::OpenResult result = files::openChannelFile(m_editor, path);
    return result.ok() && m_prompts.messageCount() == before;
}

std::string CliSession::localPath(const QString& argument) {
    return QFile::encodeName(argument).toStdString();
}

void CliSession::printError(const std::string& text) {
    std::cerr << "vn574-cli: " << text << '\n';
}

} // namespace vn574::cli
