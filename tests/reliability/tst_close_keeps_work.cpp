// The main window's Exit and close box: a user who answers "Yes, save first" and
// then cannot save (the save window cancelled, the disk refusing) keeps the window
// and the work; "No" still closes at once.

#include "UiHarness.h"

#include "document/Document.h"

#include <QAction>
#include <QTest>

using vn574::app::Answer;
using vn574::document::colName;

class TestCloseKeepsWork : public QObject {
    Q_OBJECT

private slots:
    void failedSaveKeepsTheWindowOpen_data();
    void failedSaveKeepsTheWindowOpen();
};

void TestCloseKeepsWork::failedSaveKeepsTheWindowOpen_data() {
    QTest::addColumn<bool>("viaMenu");
    QTest::addColumn<bool>("diskRefuses");
    QTest::newRow("close box, save window cancelled") << false << false;
    QTest::newRow("Exit, save window cancelled") << true << false;
    QTest::newRow("close box, disk refuses") << false << true;
    QTest::newRow("Exit, disk refuses") << true << true;
}

void TestCloseKeepsWork::failedSaveKeepsTheWindowOpen() {
    QFETCH(bool, viaMenu);
    QFETCH(bool, diskRefuses);
    vn574::test::UiHarness ui;
    ui.click(5, colName);
    QVERIFY(ui.editor().document().bModify);

    const auto closeWindow = [&] {
        if (viaMenu) {
            ui.window().findChild<QAction*>(QStringLiteral("Menu_Exit"))->trigger();
        } else {
            ui.window().close();
        }
    };
    ui.prompts.answers = {Answer::Yes};
    ui.prompts.saveFiles = {diskRefuses ? std::optional<std::string>(ui.dir.file("gone/x.vd"))
                                        : std::nullopt};
    closeWindow();
    QVERIFY(ui.window().isVisible());
    QVERIFY(ui.editor().document().bModify);
    QCOMPARE(ui.prompts.saveFilters.size(), std::size_t{1});

    // The window is still usable: the next close asks again, and "No" lets it go.
    ui.prompts.answers = {Answer::No};
    closeWindow();
    QVERIFY(!ui.window().isVisible());
    QCOMPARE(ui.prompts.questions.size(), std::size_t{2});
}

QTEST_MAIN(TestCloseKeepsWork)
#include "tst_close_keeps_work.moc"
