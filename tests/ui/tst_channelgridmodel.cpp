#include "UiHarness.h"

#include "document/Document.h"
#include "ui/ChannelGridModel.h"
#include "ui/Twips.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>

using namespace vn574;
using namespace vn574::document;

class TestChannelGridModel : public QObject {
    Q_OBJECT
private slots:
    void showsTheEditorsGridWithoutACopy();
    void staysConsistentThroughResetsAndToggles();
    void onlyCellsWithAnEditorAreEditable();
    void columnWidthsComeFromTwipsAndAniIsHidden();
};

void TestChannelGridModel::showsTheEditorsGridWithoutACopy() {
    test::UiHarness ui;
    const ui::ChannelGridModel& model = *ui.window().gridModel();
    QCOMPARE(model.rowCount(), 104);
    QCOMPARE(model.columnCount(), 16);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Name"));
    QCOMPARE(model.headerData(14, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Shift"));
    QCOMPARE(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QString("0"));
    QCOMPARE(model.headerData(100, Qt::Vertical, Qt::DisplayRole).toString(), QString("PL"));
    QCOMPARE(model.headerData(103, Qt::Vertical, Qt::DisplayRole).toString(), QString("V"));
    QCOMPARE(model.cornerText(), QString("CH"));

    // Model 9 after a reset: every channel is out of use and shows "---".
    QCOMPARE(model.index(0, 0).data().toString(), QString("Inactive"));
    QCOMPARE(model.index(0, 3).data().toString(), QString("---"));
    QCOMPARE(model.index(102, 3).data().toString(), QString("245.5000"));

    // A change in the editor's grid is what the model shows, at once.
    ui.editor().setCell(103, colName, "VFONAME");
    QCOMPARE(model.index(102, 1).data().toString(), QString("VFONAME"));
}

void TestChannelGridModel::staysConsistentThroughResetsAndToggles() {
    test::UiHarness ui;
    QAbstractItemModelTester tester(ui.window().gridModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    ui.editor().cellClicked(5, colName);
    ui.editor().cellClicked(5, colStatus);
    ui.editor().document().bModify = false;
    ui.editor().selectModel(2);
    QCOMPARE(ui.window().gridModel()->index(0, 0).data().toString(), QString("Active"));
    ui.window().switchLanguage("chinese.ini");
    QCOMPARE(ui.window().gridModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString::fromStdString(ui.editor().langText("Channel", "50002")));
}

void TestChannelGridModel::onlyCellsWithAnEditorAreEditable() {
    test::UiHarness ui;
    const ui::ChannelGridModel& model = *ui.window().gridModel();
    const auto editable = [&model](int row, int column) {
        return model.flags(model.index(row - 1, column - 1)).testFlag(Qt::ItemIsEditable);
    };
    QVERIFY(!editable(1, colStatus));
    QVERIFY(editable(1, colName));
    QVERIFY(editable(103, colName));
    QVERIFY(!editable(101, colName));
    QVERIFY(!editable(102, colName));
    QVERIFY(editable(99, colScanSkip));
    QVERIFY(!editable(100, colScanSkip));
    QVERIFY(editable(104, colOptSignal));
}

void TestChannelGridModel::columnWidthsComeFromTwipsAndAniIsHidden() {
    test::UiHarness ui;
    const ui::ChannelGridView& grid = ui.grid();
    const int dpi = grid.logicalDpiX();
    QCOMPARE(grid.columnWidth(colRxFreq - 1), ui::twipsToPixels(1200, dpi));
    QCOMPARE(grid.columnWidth(colName - 1), ui::twipsToPixels(960, dpi));
    QCOMPARE(grid.columnWidth(colPacMode - 1), ui::twipsToPixels(720, dpi));
    QVERIFY(grid.isColumnHidden(colAni - 1));
    QVERIFY(!grid.isColumnHidden(colShift - 1));
    QCOMPARE(ui::twipsToPixels(15, 96), 1);
    QCOMPARE(ui::twipsToPixels(1440, 120), 120);
}

QTEST_MAIN(TestChannelGridModel)
#include "tst_channelgridmodel.moc"
