#include "app/IniFile.h"
#include "app/SettingsLocation.h"
#include "app/Startup.h"
#include "ui/Frm_Radio.h"
#include "ui/QtPrompts.h"
#include "ui/QtStartupPlatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <optional>

using namespace vn574;

namespace {

std::optional<std::string> optionValue(const QCommandLineParser& parser, const QString& name) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    return parser.value(name).toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // QApplication adopts the user's locale for the C library; frequencies are written
    // with "." whatever the user's regional settings, so numbers keep the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("vn574"));
    QApplication::setApplicationVersion(QStringLiteral(VN574_VERSION));
    // The icon and desktop entry installed under share/ (hicolor theme, vn574.desktop).
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vn574")));
    QGuiApplication::setDesktopFileName(QStringLiteral("vn574"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VN-574 Channel Data Editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial port to use (e.g. ttyUSB0, /dev/pts/4)."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption configDir(
        QStringLiteral("config-dir"),
        QStringLiteral("Folder for mysetup.ini and Setting.ini instead of the usual one."),
        QStringLiteral("DIR"));
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("Language for this run: english or chinese."),
                                      QStringLiteral("english|chinese"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Show the main window, save a picture of it to FILE and exit."),
        QStringLiteral("FILE.png"));
    parser.addOptions({port, configDir, language, screenshot});
    parser.process(application);

    std::optional<std::string> languageFile;
    if (parser.isSet(language)) {
        const QString name = parser.value(language).toLower();
        if (name != QLatin1String("english") && name != QLatin1String("chinese")) {
            std::fprintf(stderr, "vn574: --lang takes english or chinese\n");
            return 2;
        }
        languageFile = (name + QStringLiteral(".ini")).toStdString();
    }

    app::ProcessSettings settings;
    settings.paths = app::resolveSettingsPaths(QApplication::applicationDirPath().toStdString(),
                                               optionValue(parser, QStringLiteral("config-dir")));
    if (parser.isSet(screenshot) && app::parseFirstRun(app::IniFile::readString(
                                        settings.paths.mysetupIni(), "language", "IsFirstRun"))) {
        // The first start waits for the initial setup's link test, which nobody answers
        // while a picture is taken.
        std::fprintf(stderr, "vn574: --screenshot needs a settings folder whose initial setup "
                             "is done (IsFirstRun=0 in mysetup.ini)\n");
        return 1;
    }
    const std::optional<std::string> portOverride = optionValue(parser, QStringLiteral("port"));
    ui::QtStartupPlatform platform(ui::clone::CloneEnvironment::system(), portOverride);
    if (app::runStartup(settings, platform, portOverride) == app::StartupOutcome::Exit) {
        return 0;
    }
    if (languageFile) {
        settings.language.setCurrentFile(*languageFile);
    }

    ui::QtPrompts prompts;
    ui::Frm_Radio window(settings, prompts);
    prompts.setParent(&window);
    window.show();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(0, &window, [&window, file] {
            const bool saved = window.grab().save(file);
            if (!saved) {
                std::fprintf(stderr, "vn574: cannot write %s\n", file.toLocal8Bit().constData());
            }
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
