#include "UiHarness.h"

#include "app/IniFile.h"
#include "document/Document.h"
#include "files/ChannelFile.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <filesystem>

using namespace vn574;
using namespace vn574::document;
using app::Answer;

namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// A channel file with its signalling file under `name` in the test's folder.
std::string sampleFile(const test::UiHarness& ui, const std::string& name) {
    const std::string path = ui.dir.file(name);
    std::filesystem::copy_file(dataDir + "/sample-2m.vd", path);
    std::filesystem::copy_file(dataDir + "/sample-2m.ton", files::signallingPathFor(path));
    return path;
}

// The files Open Recent lists as the user opens it, with whether each can be chosen.
std::vector<std::pair<std::string, bool>> recentEntries(const ui::Frm_Radio& window) {
    emit window.recentMenu()->aboutToShow();
    std::vector<std::pair<std::string, bool>> entries;
    for (const QAction* entry : window.recentMenu()->actions()) {
        if (entry->data().isValid()) {
            entries.emplace_back(entry->data().toString().toStdString(), entry->isEnabled());
        }
    }
    return entries;
}

QAction* recentEntry(const ui::Frm_Radio& window, const std::string& path) {
    emit window.recentMenu()->aboutToShow();
    for (QAction* entry : window.recentMenu()->actions()) {
        if (entry->data().toString() == q(path)) {
            return entry;
        }
    }
    return nullptr;
}

// Drags the files over the window and drops them, as a file manager does.
bool drop(ui::Frm_Radio& window, const std::vector<std::string>& paths) {
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(q(path));
    }
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    return true;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void recentFilesNewestFirstKeptAndOpenedAsOpenDoes();
    void droppedChannelFileOpensAndOtherFilesAreNamed();
    void windowAndColumnsComeBackWhereAScreenShowsThem();
    void titleNamesTheFileAndMarksUnsavedChanges();
    void transferKeysInTheMenuAndTheButtonTips();
};

void TestDesktop::recentFilesNewestFirstKeptAndOpenedAsOpenDoes() {
    test::UiHarness ui;
    ui.window().keepSession();
    QVERIFY(!ui.window().recentMenu()->menuAction()->isEnabled()); // nothing used yet
    const std::string first = sampleFile(ui, "first.vd");
    const std::string second = sampleFile(ui, "second.vd");
    const std::string saved = ui.dir.file("saved.vd");

    ui.prompts.openFiles.push_back(first);
    action(ui, "Menu_Open")->trigger();
    ui.prompts.saveFiles.push_back(saved);
    action(ui, "Menu_Save")->trigger();
    ui.window().openFile(second);
    using Entries = std::vector<std::pair<std::string, bool>>;
    QCOMPARE(recentEntries(ui.window()), (Entries{{second, true}, {saved, true}, {first, true}}));

    // Kept for the next run; a file deleted meanwhile is listed but cannot be chosen.
    std::filesystem::remove(first);
    ui::Frm_Radio next(ui.settings, ui.prompts);
    QCOMPARE(recentEntries(next), (Entries{{second, true}, {saved, true}, {first, false}}));

    // Chosen with unsaved changes: Open's question first, and Cancel opens nothing.
    QTRY_VERIFY(ui.grid().isEnabled());
    ui.click(5, colStatus);
    QVERIFY(ui.editor().document().bModify);
    ui.prompts.answers = {Answer::Cancel, Answer::No};
    recentEntry(ui.window(), saved)->trigger();
    QCOMPARE(ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(ui.editor().fileName(), second);
    recentEntry(ui.window(), saved)->trigger();
    QCOMPARE(ui.prompts.questions.size(), std::size_t{2});
    QCOMPARE(ui.editor().fileName(), saved);
    QVERIFY(!ui.editor().document().bModify);
    QCOMPARE(recentEntries(ui.window()).front().first, saved);

    action(ui, "Menu_ClearRecent")->trigger();
    QVERIFY(!ui.window().recentMenu()->menuAction()->isEnabled());
    QCOMPARE(app::IniFile::readString(ui.settings.paths.mysetupIni(), "recent", "File1"),
             std::string());
    QVERIFY(ui.prompts.messages.empty());
}

void TestDesktop::droppedChannelFileOpensAndOtherFilesAreNamed() {
    test::UiHarness ui;
    const std::string radio = sampleFile(ui, "RADIO.VD");
    const std::string second = sampleFile(ui, "second.vd");
    ui.dir.write("notes.txt", "not a channel file");
    const std::string notes = ui.dir.file("notes.txt");
    const QString english = q(ui.editor().langText("OTHERS", "70024"));

    QVERIFY(drop(ui.window(), {notes, radio, second}));
    QCOMPARE(ui.editor().fileName(), radio);
    QCOMPARE(ui.prompts.messages,
             std::vector<std::string>{
                 english.arg(QStringLiteral("RADIO.VD"), QStringLiteral("notes.txt, second.vd"))
                     .toStdString()});
    QTRY_VERIFY(ui.grid().isEnabled());

    // Anything but a channel file is refused and the document stays as it is.
    ui.prompts.messages.clear();
    QVERIFY(drop(ui.window(), {notes}));
    QCOMPARE(ui.editor().fileName(), radio);
    QCOMPARE(ui.prompts.messages,
             std::vector<std::string>{q(ui.editor().langText("OTHERS", "70023"))
                                          .arg(QStringLiteral("notes.txt"))
                                          .toStdString()});
    QCOMPARE(ui.prompts.icons.back(), app::Icon::Warning);
}

void TestDesktop::windowAndColumnsComeBackWhereAScreenShowsThem() {
    test::UiHarness ui;
    const QSize usualSize = ui.window().size();
    ui.window().keepSession();
    const QRect placed(40, 50, usualSize.width() + 60, usualSize.height() - 40);
    ui.window().setGeometry(placed);
    ui.grid().setColumnWidth(colName - 1, 155);
    QVERIFY(ui.window().close());

    ui::Frm_Radio next(ui.settings, ui.prompts);
    next.keepSession();
    QCOMPARE(next.geometry(), placed);
    QCOMPARE(next.grid()->columnWidth(colName - 1), 155);
    QVERIFY(next.grid()->isColumnHidden(colAni - 1));
    QVERIFY(!next.isMaximized());

    // Saved on a monitor that is gone: the usual size; maximised stays maximised.
    const std::string ini = ui.settings.paths.mysetupIni();
    app::IniFile::writeString(ini, "window", "X", "5000");
    app::IniFile::writeString(ini, "window", "Maximized", "1");
    app::IniFile::writeString(ini, "window", "Column14", "90");
    ui::Frm_Radio elsewhere(ui.settings, ui.prompts);
    elsewhere.keepSession();
    QCOMPARE(elsewhere.size(), usualSize);
    QVERIFY((elsewhere.windowState() & Qt::WindowMaximized) != 0);
    QVERIFY(elsewhere.grid()->isColumnHidden(colAni - 1));
}

void TestDesktop::titleNamesTheFileAndMarksUnsavedChanges() {
    test::UiHarness ui;
    const QString caption = q(ui.editor().langText("OTHERS", "70018"));
    QCOMPARE(ui.window().windowTitle(), caption + QStringLiteral(" - noname.vd[*]"));
    QVERIFY(!ui.window().isWindowModified());

    ui.click(5, colStatus);
    QVERIFY(ui.window().isWindowModified());
    ui.prompts.saveFiles.push_back(ui.dir.file("mine.vd"));
    action(ui, "Menu_Save")->trigger();
    QCOMPARE(ui.window().windowTitle(), caption + QStringLiteral(" - mine.vd[*]"));
    QVERIFY(!ui.window().isWindowModified());
    // Undoing back past the save is a change again.
    action(ui, "Menu_Undo")->trigger();
    QVERIFY(ui.window().isWindowModified());
}

void TestDesktop::transferKeysInTheMenuAndTheButtonTips() {
    test::UiHarness ui;
    QCOMPARE(action(ui, "Menu_ReadCHData")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    QCOMPARE(action(ui, "Menu_WriteCHData")->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Shift+W")));
    QVERIFY(action(ui, "ReadBtn")->toolTip().endsWith(QStringLiteral("(Ctrl+R)")));
    QVERIFY(action(ui, "Write")->toolTip().endsWith(QStringLiteral("(Ctrl+Shift+W)")));
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
