#include "app/IniFile.h"
#include "app/PortNames.h"
#include "app/SettingsLocation.h"
#include "app/Startup.h"
#include "ui/Frm_Radio.h"
#include "ui/PicturePrompts.h"
#include "ui/QtPrompts.h"
#include "ui/QtStartupPlatform.h"
#include "ui/clone/RadioTransfers.h"
#include "ui/ChannelGridView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <clocale>
#include <cstdlib>
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

struct Options {
    std::optional<std::string> configDir;
    std::optional<std::string> port;
    std::optional<std::string> languageFile; // english.ini or chinese.ini
    std::optional<QString> screenshot;
    std::optional<QString> file;
};

// Parses the command line; exits with status 2 (after saying why) when it is wrong.
Options parseOptions(const QApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VN-574 Channel Data Editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Serial port to use (e.g. ttyUSB0, /dev/pts/4)."),
         QStringLiteral("NAME")},
        {QStringLiteral("config-dir"),
         QStringLiteral("Folder for mysetup.ini and Setting.ini instead of the usual one."),
         QStringLiteral("DIR")},
        {QStringLiteral("lang"), QStringLiteral("Language for this run: english or chinese."),
         QStringLiteral("english|chinese")},
        {QStringLiteral("screenshot"),
         QStringLiteral("Show the main window, save a picture of it to FILE and exit."),
         QStringLiteral("FILE.png")},
    });
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Channel data file (.vd) to open, as Open does."),
                                 QStringLiteral("[FILE.vd]"));
    parser.process(application);

    Options options;
    options.configDir = optionValue(parser, QStringLiteral("config-dir"));
    options.port = optionValue(parser, QStringLiteral("port"));
    if (parser.isSet(QStringLiteral("lang"))) {
        const QString name = parser.value(QStringLiteral("lang")).toLower();
        if (name != QLatin1String("english") && name != QLatin1String("chinese")) {
            std::fprintf(stderr, "vn574: --lang takes english or chinese\n");
            std::exit(2);
        }
        options.languageFile = (name + QStringLiteral(".ini")).toStdString();
    }
    if (parser.isSet(QStringLiteral("screenshot"))) {
        options.screenshot = parser.value(QStringLiteral("screenshot"));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "vn574: give at most one file to open\n");
        std::exit(2);
    }
    if (!files.isEmpty()) {
        // The open dialog hands Open a full path; so does the command line.
        options.file = QFileInfo(files.front()).absoluteFilePath();
    }
    return options;
}

// Saves the window's picture once the grid is enabled again after the file was opened
// (a disabled grid is drawn greyed), then ends the program.
void saveScreenshotWhenReady(ui::Frm_Radio& window, const QString& file, bool opened) {
    auto* poll = new QTimer(&window);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, file, opened] {
        if (!window.grid()->isEnabled()) {
            return;
        }
        poll->stop();
        const bool saved = opened && window.grab().save(file);
        if (opened && !saved) {
            std::fprintf(stderr, "vn574: cannot write %s\n", file.toLocal8Bit().constData());
        }
        QApplication::exit(saved ? 0 : 1);
    });
    poll->start();
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

    const Options options = parseOptions(application);
    const bool picture = options.screenshot.has_value();

    app::ProcessSettings settings;
    settings.paths = app::resolveSettingsPaths(QApplication::applicationDirPath().toStdString(),
                                               options.configDir);
    // A port named on the command line, such as the simulator's pseudo-terminal, is one
    // the machine does not list; the port lists offer it all the same.
    ui::clone::CloneEnvironment environment = ui::clone::CloneEnvironment::system();
    if (options.port) {
        environment.discoverPorts = [machine = environment.discoverPorts, named = *options.port] {
            return app::withNamedPort(machine(), named);
        };
    }
    ui::QtStartupPlatform platform(environment, options.port);
    const app::StartupMode mode =
        picture ? app::StartupMode::Picture : app::StartupMode::Interactive;
    if (app::runStartup(settings, platform, options.port, mode) == app::StartupOutcome::Exit) {
        return 0;
    }
    if (options.languageFile) {
        settings.language.setCurrentFile(*options.languageFile);
    }

    // A picture is not interactive: the messages of opening the file go to the error
    // output instead of boxes nobody would close.
    ui::QtPrompts boxes;
    ui::PicturePrompts printed;
    app::UserPrompts& prompts = picture ? static_cast<app::UserPrompts&>(printed) : boxes;
    ui::Frm_Radio window(settings, prompts);
    boxes.setParent(&window);
    boxes.setCurrentFile([&window] { return window.editor().fileName(); });
    window.transfers().setEnvironment(environment);
    if (!picture) {
        window.keepSession();
    }
    window.show();

    if (picture) {
        const bool opened = !options.file || window.openFile(options.file->toStdString()).ok();
        saveScreenshotWhenReady(window, *options.screenshot, opened);
    } else if (options.file) {
        // After the window is on screen, so that Open's messages appear over it.
        const std::string file = options.file->toStdString();
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    }
    return QApplication::exec();
}
