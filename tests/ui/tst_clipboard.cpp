#include "UiHarness.h"

#include "document/Document.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

using namespace vn574;
using namespace vn574::document;

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void rowsCopiedAndPastedWithTheKeyboardAreTheSameRows();
    void spreadsheetBlockWithBadCellsIsReportedAndUndoneAtOnce();
    void openLineEditorKeepsItsKeysAndModifiedClicksOpenNothing();
    void pasteAfterACtrlClickStartsAtThatCell();
};

namespace {

// A click on the heading of grid row `row`, as selecting whole rows is done.
void clickRowHeading(const test::UiHarness& ui, int row, Qt::KeyboardModifiers modifiers = {}) {
    ui.grid().scrollTo(ui.grid().model()->index(row - 1, 0));
    QHeaderView* heading = ui.grid().verticalHeader();
    const int y = heading->sectionViewportPosition(row - 1) + heading->sectionSize(row - 1) / 2;
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, modifiers,
                      QPoint(heading->width() / 2, y));
}

void key(const test::UiHarness& ui, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    ui.grid().setFocus();
    QTest::keyClick(&ui.grid(), key, modifiers);
}

std::vector<std::string> tableRow(const test::UiHarness& ui, int row) {
    std::vector<std::string> texts;
    for (int column = colStatus; column <= colOptSignal; ++column) {
        texts.push_back(ui.cell(row, column));
    }
    for (const int column : {int{colOptMemory}, int{colPttId}}) {
        texts.push_back(ui.editor().document().strChData.at(row, column));
    }
    return texts;
}

} // namespace

void TestClipboard::rowsCopiedAndPastedWithTheKeyboardAreTheSameRows() {
    test::UiHarness ui("english.ini", test::allSignallingOptions());
    Editor& editor = ui.editor();
    ui.click(3, colStatus);
    ui.click(4, colStatus);
    editor.setCell(4, colName, "RPT");
    editor.setCell(4, colOptSignal, "5Tone");
    editor.document().strChData.at(4, colOptSignal) = "5Tone";
    editor.document().strChData.at(4, colOptMemory) = "42";
    editor.document().strChData.at(4, colPttId) = "3";
    editor.recordStep("setup");

    clickRowHeading(ui, 3);
    clickRowHeading(ui, 4, Qt::ShiftModifier);
    key(ui, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    QVERIFY(copied->hasFormat("application/x-vn574-channel-rows"));
    QVERIFY(copied->data("text/csv").contains("3,RPT,245.500000"));
    QVERIFY(copied->text().contains("RPT"));

    clickRowHeading(ui, 20);
    key(ui, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(tableRow(ui, 20), tableRow(ui, 3));
    QCOMPARE(tableRow(ui, 21), tableRow(ui, 4));
    QVERIFY(ui.prompts.messages.empty());

    key(ui, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(21, colStatus), editor.words().inactive);
    key(ui, Qt::Key_Y, Qt::ControlModifier);
    clickRowHeading(ui, 21);
    key(ui, Qt::Key_Delete, Qt::NoModifier);
    QCOMPARE(ui.cell(21, colStatus), editor.words().inactive);
    QCOMPARE(editor.history().undoName(), std::string("Delete 1 channels"));

    key(ui, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(ui.grid().selectedWholeRows().size(), std::size_t{tableRows});
}

void TestClipboard::spreadsheetBlockWithBadCellsIsReportedAndUndoneAtOnce() {
    test::UiHarness ui;
    auto* undo = ui.window().findChild<QAction*>("Menu_Undo");
    QApplication::clipboard()->setText("abc\t12.5\t230.0063\nTOOLONGNAME\t7\t999\n");
    // Channel 9's name cell, reached from the keyboard (a click would put it in use).
    ui.grid().setCurrentIndex(ui.grid().model()->index(9, colName - 1));
    key(ui, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(ui.cell(10, colName), std::string("ABC"));
    QCOMPARE(ui.cell(10, colRxFreq), std::string("230.01250"));
    QCOMPARE(ui.cell(11, colStatus), ui.editor().words().inactive);
    QCOMPARE(ui.prompts.messages.size(), std::size_t{1});
    const QString report = QString::fromStdString(ui.prompts.messages.front());
    QVERIFY(report.contains("Channel 10, Name: \"TOOLONGNAME\""));
    QVERIFY(report.contains("\"999\" - The receive frequency is outside"));
    QVERIFY(undo->text().contains("Paste 3 cells"));

    key(ui, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(10, colStatus), ui.editor().words().inactive);
    QVERIFY(!undo->isEnabled());
}

void TestClipboard::openLineEditorKeepsItsKeysAndModifiedClicksOpenNothing() {
    test::UiHarness ui;
    ui.click(3, colStatus);
    ui.click(3, colRxFreq);
    auto* box = ui.openEditorAs<QLineEdit>();
    QVERIFY(box != nullptr);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), box->text());
    QCOMPARE(ui.openEditor(), box);
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);

    const QRect cell = ui.grid().visualRect(ui.grid().model()->index(4, colName - 1));
    QTest::mouseClick(ui.grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, cell.center());
    QTest::mouseClick(ui.grid().viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(5, colStatus), ui.editor().words().inactive);
}

void TestClipboard::pasteAfterACtrlClickStartsAtThatCell() {
    test::UiHarness ui;
    QApplication::clipboard()->setText("ABC\t12.5");
    clickRowHeading(ui, 10);
    clickRowHeading(ui, 11, Qt::ShiftModifier);
    const QModelIndex target = ui.grid().model()->index(19, colName - 1);
    ui.grid().scrollTo(target);
    QTest::mouseClick(ui.grid().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      ui.grid().visualRect(target).center());
    key(ui, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ui.cell(20, colName), std::string("ABC"));
    QCOMPARE(ui.cell(20, colRef), std::string("12.5"));
    QCOMPARE(ui.cell(10, colStatus), ui.editor().words().inactive);
    QVERIFY(ui.prompts.messages.empty());
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
