// Draws the pictures of the user guide that `vn574 --screenshot` cannot: the radio option
// dialog, the 5-tone dialog, the clone window in the middle of a read and the fleet window
// in the middle of a run, each over the main window with a channel data file open.
// scripts/screenshots.sh runs it for every language with a simulated radio on a pseudo-terminal; it
// is not installed.
//   vn574-documentation-pictures --lang english|chinese --port DEV --suffix TEXT OUT_DIR FILE.vd
#include "app/SettingsLocation.h"
#include "app/Startup.h"
#include "ui/ChannelGridView.h"
#include "ui/Frm_Radio.h"
#include "ui/PicturePrompts.h"
#include "ui/QtStartupPlatform.h"
#include "link/CloneFrames.h"
#include "link/FleetTable.h"
#include "ui/clone/FleetDialog.h"
#include "ui/clone/FrmMain.h"
#include "ui/clone/RadioTransfers.h"
#include "ui/dialogs/Frm_Option.h"
#include "ui/signalling/Frm5Tone.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <clocale>
#include <cstdio>

using namespace vn574;

namespace {

struct Request {
    QString language; // english.ini or chinese.ini
    QString port;
    QString suffix; // "" or "-chinese"
    QString outDir;
    QString file;
};

bool parse(const QApplication& application, Request& request) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("lang"), QStringLiteral("english or chinese."), QStringLiteral("NAME")},
        {QStringLiteral("port"), QStringLiteral("The simulated radio's pseudo-terminal."),
         QStringLiteral("DEV")},
        {QStringLiteral("suffix"), QStringLiteral("Added to every picture's name."),
         QStringLiteral("TEXT")},
    });
    parser.addPositionalArgument(QStringLiteral("out-dir"), QStringLiteral("Where to save."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Channel data file."));
    parser.process(application);
    if (parser.positionalArguments().size() != 2 || !parser.isSet(QStringLiteral("port"))) {
        std::fprintf(stderr, "usage: vn574-documentation-pictures --lang NAME --port DEV "
                             "[--suffix TEXT] OUT_DIR FILE.vd\n");
        return false;
    }
    request.language = parser.value(QStringLiteral("lang")) + QStringLiteral(".ini");
    request.port = parser.value(QStringLiteral("port"));
    request.suffix = parser.value(QStringLiteral("suffix"));
    request.outDir = parser.positionalArguments().at(0);
    request.file = QFileInfo(parser.positionalArguments().at(1)).absoluteFilePath();
    return true;
}

bool save(QWidget& widget, const Request& request, const char* name) {
    const QString path =
        QDir(request.outDir)
            .filePath(QString::fromLatin1(name) + request.suffix + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    return true;
}

template <typename Dialog>
bool saveDialog(ui::Frm_Radio& window, const Request& request, const char* name) {
    Dialog dialog(window.editor(), &window);
    dialog.show();
    QApplication::processEvents();
    return save(dialog, request, name);
}

// Starts the read in the clone window and saves the window once a good part of the
// memory has come in; closing the window then ends the transfer.
bool saveCloneWindowDuringRead(ui::Frm_Radio& window, const Request& request) {
    bool saved = false;
    window.transfers().setCloneWindowHook([&](ui::clone::frmMain& clone) {
        auto* bar = clone.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        auto* poll = new QTimer(&clone);
        QObject::connect(poll, &QTimer::timeout, &clone, [&, bar, poll] {
            if (bar->value() * 5 < bar->maximum() * 2) {
                return;
            }
            poll->stop();
            saved = save(clone, request, "clone-read");
            clone.reject();
        });
        poll->start(50);
        QTimer::singleShot(0, &clone, [&clone] {
            clone.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
        });
    });
    window.transfers().readChannelData();
    return saved;
}

// A channel data file keeps the channel words of the language it was saved in: the
// demonstration file, saved in English, needs attention in the Chinese window, and the
// fleet window refuses it there. Its picture is the English one only.
bool fleetPicture(const Request& request) {
    return request.language == QLatin1String("english.ini");
}

// The fleet window with two radios on the simulator's cable: saved once the first one's
// backup is well under way; Stop then ends the run. Its backups, log and history go to a
// folder beside the file, never to the user's.
bool saveFleetWindowDuringRun(ui::Frm_Radio& window, const Request& request) {
    const QDir beside = QFileInfo(request.file).dir();
    qputenv("XDG_DATA_HOME", beside.filePath(QStringLiteral("data")).toLocal8Bit());
    bool saved = false;
    window.transfers().setFleetWindowHook([&](ui::clone::FleetDialog& fleet) {
        auto* poll = new QTimer(&fleet);
        QObject::connect(poll, &QTimer::timeout, &fleet, [&, poll] {
            const auto& first = fleet.table().row(0);
            if (first.state != link::FleetTable::State::Backup ||
                first.progress * 5 < link::blockCount * 2) {
                return;
            }
            poll->stop();
            saved = save(fleet, request, "fleet-window");
            fleet.stop();
        });
        QTimer::singleShot(0, &fleet, [&fleet, poll, beside] {
            auto* add = fleet.findChild<QPushButton*>(QStringLiteral("AddRadio"));
            QAbstractItemModel* model =
                fleet.findChild<QTableView*>(QStringLiteral("RadioTable"))->model();
            const char* labels[] = {"Car 1", "Car 2"};
            const char* ids[] = {"101", "102"};
            for (int row = 0; row < 2; ++row) {
                add->click();
                model->setData(model->index(row, link::FleetTable::Label),
                               QString::fromLatin1(labels[row]));
                model->setData(model->index(row, link::FleetTable::SelfId),
                               QString::fromLatin1(ids[row]));
            }
            fleet.findChild<QLineEdit*>(QStringLiteral("LogPath"))
                ->setText(beside.filePath(QStringLiteral("fleet-log.csv")));
            fleet.findChild<QCheckBox*>(QStringLiteral("FastTransfer"))->setChecked(true);
            poll->start(50);
            fleet.start();
            fleet.reject();
        });
    });
    window.transfers().programSeveralRadios();
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    Request request;
    if (!parse(application, request)) {
        return 2;
    }
    QTemporaryDir settingsFolder;
    app::ProcessSettings settings;
    settings.paths = app::resolveSettingsPaths(QApplication::applicationDirPath().toStdString(),
                                               settingsFolder.path().toStdString());
    const std::string port = request.port.toStdString();
    ui::QtStartupPlatform platform(ui::clone::CloneEnvironment::system(), port);
    app::runStartup(settings, platform, port, app::StartupMode::Picture);
    settings.language.setCurrentFile(request.language.toStdString());

    ui::PicturePrompts prompts;
    ui::Frm_Radio window(settings, prompts);
    window.show();
    if (!window.openFile(request.file.toStdString()).ok()) {
        return 1;
    }
    const bool done = saveDialog<ui::Frm_Option>(window, request, "radio-options") &&
                      saveDialog<ui::signalling::Frm5Tone>(window, request, "five-tone") &&
                      saveCloneWindowDuringRead(window, request) &&
                      (!fleetPicture(request) || saveFleetWindowDuringRun(window, request));
    return done ? 0 : 1;
}
