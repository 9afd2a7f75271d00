#include "UiHarness.h"

#include "document/Document.h"
#include "support/TempDir.h"
#include "ui/QtReportPrinter.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTest>

using namespace vn574;
using namespace vn574::document;
using app::Answer;
using app::Buttons;

namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

void trigger(const test::UiHarness& ui, const char* name) {
    auto* action = ui.window().findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action != nullptr, name);
    action->trigger();
}

QString label(const test::UiHarness& ui, const char* name) {
    return ui.window().findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Every cell of the grid's rows 1..104, for comparing two documents.
std::vector<std::string> gridCells(const test::UiHarness& ui) {
    std::vector<std::string> cells;
    for (int row = 1; row <= tableRows; ++row) {
        for (int column = 1; column <= 16; ++column) {
            cells.push_back(ui.cell(row, column));
        }
    }
    return cells;
}

} // namespace

class TestFrmRadioFiles : public QObject {
    Q_OBJECT
private slots:
    void saveThenOpenRestoresTheGridWithTheGridLocked();
    void openAsksYesNoCancelWhenModified();
    void openOfADamagedFileShowsItsMessage();
    void fileGivenByNameOpensAsOpenDoes();
    void printToFileWritesTheReportOfTheOpenedFile();
    void printAsksFirstThenPrintsEveryLine();
    void saveFirstAnswerRunsTheSaveDialog();
};

void TestFrmRadioFiles::saveThenOpenRestoresTheGridWithTheGridLocked() {
    test::UiHarness ui;
    ui.click(103, colName);
    QTest::keyClicks(ui.openEditor(), "home");
    ui.click(5, colName); // activate channel 4
    ui.click(5, colRxFreq);
    QTest::keyClicks(ui.openEditor(), "250.0126");
    QTest::keyClick(ui.openEditor(), Qt::Key_Return);
    QCOMPARE(ui.cell(5, colRxFreq), std::string("250.01500"));
    const std::vector<std::string> saved = gridCells(ui);

    const std::string path = ui.dir.file("mine.vd");
    ui.prompts.saveFiles.push_back(path);
    trigger(ui, "SaveBtn");
    QCOMPARE(ui.prompts.saveFilters.back(),
             std::string("data files (*.vd)|*.vd|All files (*.*)|*.*"));
    QCOMPARE(ui.prompts.saveSuggestions.back(), std::string()); // a new document has no file
    QVERIFY(!ui.grid().isEnabled()); // enabled again only after the timer
    QTRY_VERIFY(ui.grid().isEnabled());
    QCOMPARE(label(ui, "filename"), QString::fromStdString(path));
    QVERIFY(!ui.editor().document().bModify);
    QVERIFY(ui.prompts.messages.empty());
    QCOMPARE(test::readFile(ui.dir.file("mine.ton")).size(), std::size_t{3295});

    trigger(ui, "Menu_New");
    QCOMPARE(ui.cell(103, colName), std::string());
    QCOMPARE(ui.cell(5, colStatus), ui.editor().words().inactive);

    ui.prompts.openFiles.push_back(path);
    trigger(ui, "OpenBtn");
    QCOMPARE(ui.prompts.openFilters.back(),
             std::string("574 files (*.vd)|*.vd|All files (*.*)|*.*"));
    QVERIFY(ui.prompts.questions.empty());
    QTRY_VERIFY(ui.grid().isEnabled());
    QVERIFY(gridCells(ui) == saved);
    QCOMPARE(ui.grid().model()->index(102, colName - 1).data().toString(), QString("HOME"));
    QCOMPARE(label(ui, "StatusBar1Panel1"), QString::fromStdString(" Current File: " + path));

    // Save offers the file that is open.
    ui.prompts.saveFiles.push_back(std::nullopt);
    trigger(ui, "SaveBtn");
    QCOMPARE(ui.prompts.saveSuggestions.back(), path);
}

void TestFrmRadioFiles::openAsksYesNoCancelWhenModified() {
    test::UiHarness ui;
    ui.click(9, colName);
    // Cancel opens nothing.
    ui.prompts.answers.push_back(Answer::Cancel);
    ui.prompts.openFiles.push_back(dataDir + "/sample-2m.vd");
    trigger(ui, "Menu_Open");
    QCOMPARE(ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(ui.prompts.questions[0].buttons, Buttons::YesNoCancel);
    QVERIFY(ui.prompts.openFilters.empty());
    QCOMPARE(ui.cell(9, colStatus), ui.editor().words().active);
    QVERIFY(ui.editor().document().bModify);

    // No opens without saving.
    ui.prompts.answers.push_back(Answer::No);
    trigger(ui, "Menu_Open");
    QVERIFY(ui.prompts.saveFilters.empty());
    // The file's model is selected without resetting what it brought in.
    auto* selector = ui.window().findChild<QComboBox*>("Combo1");
    QCOMPARE(selector->currentIndex(), 2);
    QCOMPARE(ui.cell(1, colName), std::string("CALL2M"));
    QCOMPARE(ui.cell(1, colStatus), ui.editor().words().active);
    QVERIFY(!ui.editor().document().bModify);

    // A cancelled open dialog changes nothing.
    ui.prompts.openFiles.push_back(std::nullopt);
    trigger(ui, "Menu_Open");
    QCOMPARE(ui.cell(1, colName), std::string("CALL2M"));
    QTRY_VERIFY(ui.grid().isEnabled());
}

void TestFrmRadioFiles::openOfADamagedFileShowsItsMessage() {
    test::UiHarness ui;
    ui.prompts.openFiles.push_back(dataDir + "/bad-setup.vd");
    trigger(ui, "Menu_Open");
    QCOMPARE(ui.prompts.messages.size(), std::size_t{1});
    QCOMPARE(ui.prompts.messages[0], ui.editor().windowMessage(9004));
    QTRY_VERIFY(ui.grid().isEnabled());
    // The document was reset for the model in use.
    QCOMPARE(ui.cell(1, colStatus), ui.editor().words().inactive);
}

void TestFrmRadioFiles::fileGivenByNameOpensAsOpenDoes() {
    test::UiHarness ui;
    const std::string path = dataDir + "/sample-2m.vd";
    QVERIFY(ui.window().openFile(path).ok());
    QVERIFY(!ui.grid().isEnabled());
    QTRY_VERIFY(ui.grid().isEnabled());
    QCOMPARE(label(ui, "filename"), QString::fromStdString(path));
    QCOMPARE(ui.cell(1, colName), std::string("CALL2M"));
    QVERIFY(ui.prompts.openFilters.empty());

    test::UiHarness fresh;
    const std::string absent = fresh.dir.file("absent.vd");
    QVERIFY(!fresh.window().openFile(absent).ok());
    QCOMPARE(fresh.prompts.messages.size(), std::size_t{1});
    QVERIFY(fresh.prompts.messages[0].find(absent) != std::string::npos);
    QCOMPARE(label(fresh, "filename"), QString("noname.vd"));
    QVERIFY(!fresh.editor().document().bModify);
}

void TestFrmRadioFiles::printToFileWritesTheReportOfTheOpenedFile() {
    test::UiHarness ui;
    ui.prompts.openFiles.push_back(dataDir + "/sample-2m.vd");
    trigger(ui, "Menu_Open");
    const std::string out = ui.dir.file("report.txt");
    ui.prompts.saveFiles.push_back(out);
    trigger(ui, "Menu_PrintFile");
    QCOMPARE(ui.prompts.saveFilters.back(),
             std::string("data files (*.txt)|*.txt|All files (*.*)|*.*"));
    QVERIFY(ui.prompts.messages.empty());
    QVERIFY(test::readFile(out) == test::readFile(dataDir + "/sample-2m.report-english.txt"));

    ui.prompts.saveFiles.push_back(std::nullopt);
    trigger(ui, "Menu_PrintFile");
    QVERIFY(ui.prompts.messages.empty());
}

void TestFrmRadioFiles::printAsksFirstThenPrintsEveryLine() {
    test::UiHarness ui;
    ui.prompts.openFiles.push_back(dataDir + "/sample-2m.vd");
    trigger(ui, "Menu_Open");
    const QString pdf = QString::fromStdString(ui.dir.file("report.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ui::QtReportPrinter reportPrinter;
    reportPrinter.usePrinter(&printer);
    ui.window().setReportPrinter(&reportPrinter);

    ui.prompts.answers.push_back(Answer::Cancel);
    trigger(ui, "Menu_Print");
    QCOMPARE(ui.prompts.questions.back().text, ui.editor().langText("MSG", "900B"));
    QCOMPARE(ui.prompts.questions.back().buttons, Buttons::OkCancel);
    QVERIFY(!QFile::exists(pdf));

    ui.prompts.answers.push_back(Answer::Ok);
    trigger(ui, "Menu_Print");
    QVERIFY(ui.prompts.messages.empty());
    const std::string document = test::readFile(pdf.toStdString());
    // 105 channel lines and 24 more, each but nine followed by an empty line: more
    // than one page, and no page left empty.
    std::size_t pages = 0;
    for (std::size_t at = document.find("/Type /Page\n"); at != std::string::npos;
         at = document.find("/Type /Page\n", at + 1)) {
        ++pages;
    }
    QVERIFY2(pages >= 3 && pages <= 12, qPrintable(QString::number(pages)));
}

void TestFrmRadioFiles::saveFirstAnswerRunsTheSaveDialog() {
    test::UiHarness ui;
    ui.click(3, colName);
    const std::string path = ui.dir.file("before-new.vd");
    ui.prompts.answers.push_back(Answer::Yes);
    ui.prompts.saveFiles.push_back(path);
    trigger(ui, "Menu_New");
    QCOMPARE(ui.prompts.questions.size(), std::size_t{1});
    QVERIFY(QFile::exists(QString::fromStdString(path)));
    QTRY_VERIFY(ui.grid().isEnabled());
    // The saved file holds channel 2 in use; the window was reset after saving.
    QVERIFY(test::readFile(path).find("2|Active|") != std::string::npos);
    QCOMPARE(ui.cell(3, colStatus), ui.editor().words().inactive);
}

QTEST_MAIN(TestFrmRadioFiles)
#include "tst_frm_radio_files.moc"
