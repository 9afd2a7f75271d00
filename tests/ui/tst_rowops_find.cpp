#include "UiHarness.h"

#include "document/Document.h"
#include "ui/ChannelGridModel.h"

#include <QAction>
#include <QBrush>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <utility>

using namespace vn574;
using namespace vn574::document;

class TestRowOpsFind : public QObject {
    Q_OBJECT
private slots:
    void ctrlFAndF3MoveTheCurrentCell();
    void aBadCellIsMarkedWithItsReason();
    void aClickOnTheCountJumpsToTheNextBadCell();
};

namespace {

// Grid row and column of the view's current cell.
std::pair<int, int> currentCell(const test::UiHarness& ui) {
    const QModelIndex current = ui.grid().currentIndex();
    return {current.row() + 1, current.column() + 1};
}

template <typename T> T* child(const test::UiHarness& ui, const char* name) {
    auto* found = ui.window().findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no child %s", name);
    }
    return found;
}

QLabel* checkStatus(const test::UiHarness& ui) {
    return child<QLabel>(ui, "CheckStatus");
}

// Channels 2 and 9 in use (rows 3 and 10); model 9's default frequency is 245.5000.
void useTwoChannels(const test::UiHarness& ui) {
    ui.click(3, colStatus);
    ui.click(10, colStatus);
    ui.editor().setCell(3, colName, "HOME");
    ui.editor().setCell(10, colName, "xHOMEd");
    ui.editor().notify(GridChanged);
}

} // namespace

void TestRowOpsFind::ctrlFAndF3MoveTheCurrentCell() {
    test::UiHarness ui;
    useTwoChannels(ui);
    ui.grid().setFocus();
    QTest::keyClick(&ui.window(), Qt::Key_F, Qt::ControlModifier);
    auto* box = child<QLineEdit>(ui, "FindText");
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClicks(box, "home");
    QTest::keyClick(box, Qt::Key_Return); // from the status cell just clicked
    QCOMPARE(currentCell(ui), std::pair(10, int{colName}));
    QCOMPARE(ui.editor().currentRow(), 10);

    QTest::keyClick(&ui.window(), Qt::Key_F3); // round to the first
    QCOMPARE(currentCell(ui), std::pair(3, int{colName}));
    QTest::keyClick(&ui.window(), Qt::Key_F3);
    QCOMPARE(currentCell(ui), std::pair(10, int{colName}));
    QTest::keyClick(&ui.window(), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(currentCell(ui), std::pair(3, int{colName}));

    box->selectAll();
    QTest::keyClicks(box, "245.50");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(currentCell(ui), std::pair(3, int{colRxFreq}));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(currentCell(ui), std::pair(3, int{colTxFreq}));
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(currentCell(ui), std::pair(3, int{colRxFreq}));

    box->selectAll();
    QTest::keyClicks(box, "nowhere");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(currentCell(ui), std::pair(3, int{colRxFreq}));
    QVERIFY(child<QLabel>(ui, "FindMessage")->text().contains("\"nowhere\""));
}

void TestRowOpsFind::aBadCellIsMarkedWithItsReason() {
    test::UiHarness ui;
    useTwoChannels(ui);
    QTRY_COMPARE(checkStatus(ui)->text(), QString("No cell needs attention"));
    const QModelIndex rx = ui.window().gridModel()->index(2, colRxFreq - 1);
    QVERIFY(!rx.data(Qt::BackgroundRole).isValid());

    ui.editor().setCell(3, colRxFreq, "145.0000"); // outside model 9's 220 - 259.9950
    ui.editor().notify(GridChanged);
    QVERIFY(rx.data(Qt::BackgroundRole).value<QBrush>().color().isValid());
    QVERIFY(rx.data(Qt::ToolTipRole).toString().contains("receive band"));
    QVERIFY(rx.data(Qt::ToolTipRole).toString().contains("\"220 - 259.9950\""));
    QTRY_COMPARE(checkStatus(ui)->text(), QString("1 cell needs attention"));

    // Taking the channel out of use takes its cells out of the checks.
    ui.click(3, colStatus);
    QTRY_COMPARE(checkStatus(ui)->text(), QString("No cell needs attention"));
    QVERIFY(!rx.data(Qt::BackgroundRole).isValid());
    QVERIFY(!child<QAction>(ui, "Menu_NextAttention")->isEnabled());
}

void TestRowOpsFind::aClickOnTheCountJumpsToTheNextBadCell() {
    test::UiHarness ui;
    useTwoChannels(ui);
    ui.editor().setCell(3, colPri, "05"); // channel 5 is not in use
    ui.editor().setCell(10, colName, "ab?");
    ui.editor().notify(GridChanged);
    QTRY_COMPARE(checkStatus(ui)->text(), QString("2 cells need attention"));

    ui.grid().setCurrentIndex(ui.window().gridModel()->index(0, 0));
    QTest::mouseClick(checkStatus(ui), Qt::LeftButton);
    QCOMPARE(currentCell(ui), std::pair(3, int{colPri}));
    QTest::mouseClick(checkStatus(ui), Qt::LeftButton);
    QCOMPARE(currentCell(ui), std::pair(10, int{colName}));
    QTest::keyClick(&ui.window(), Qt::Key_F8); // the menu entry's key goes on round
    QCOMPARE(currentCell(ui), std::pair(3, int{colPri}));
}

QTEST_MAIN(TestRowOpsFind)
#include "tst_rowops_find.moc"
