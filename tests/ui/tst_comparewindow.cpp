#include "UiHarness.h"

#include "document/Document.h"
#include "files/ChannelFile.h"
#include "ui/ChannelGridModel.h"
#include "ui/CompareWindow.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace vn574;

namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

QAction* compareAction(const test::UiHarness& ui) {
    return ui.window().findChild<QAction*>(QStringLiteral("Menu_Compare"));
}

// The table row showing the difference of `item` in `field`, or -1.
int rowOf(const QAbstractItemModel& model, const QString& item, const QString& field) {
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, 1).data() == item && model.index(row, 2).data() == field) {
            return row;
        }
    }
    return -1;
}

} // namespace

class TestCompareWindow : public QObject {
    Q_OBJECT
private slots:
    void fileMenuOffersCompareInBothLanguages();
    void listsTheDifferencesAndDoubleClickShowsTheChannelCell();
    void differencesOnlyTheFilesHoldStandUnderTheirHeading();
};

void TestCompareWindow::fileMenuOffersCompareInBothLanguages() {
    for (const auto& [file, text] :
         {std::pair{"english.ini", "Compare with…"}, std::pair{"chinese.ini", "与文件比较…"}}) {
        test::UiHarness ui(file);
        QAction* compare = compareAction(ui);
        QVERIFY(compare != nullptr);
        QCOMPARE(compare->text(), QString::fromUtf8(text));
        QVERIFY(ui.window()
                    .findChild<QMenu*>(QStringLiteral("Menu_File"))
                    ->actions()
                    .contains(compare));
    }
}

void TestCompareWindow::listsTheDifferencesAndDoubleClickShowsTheChannelCell() {
    test::UiHarness ui;
    QVERIFY(files::openChannelFile(ui.editor(), dataDir + "/sample-2m.vd").ok());
    ui.prompts.openFiles.push_back(dataDir + "/image-2m.img");
    compareAction(ui)->trigger();
    QVERIFY(ui.prompts.messages.empty());
    QCOMPARE(ui.prompts.openFilters.back().substr(0, 36),
             std::string("Channel data files and radio images "));

    ui::CompareWindow* window = ui.window().compareWindow();
    QVERIFY(window != nullptr && window->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("Compare with image-2m.img"));
    QCOMPARE(window->summary(), QStringLiteral("4 channels and 3 signalling values differ"));
    QTableView* table = window->table();
    QCOMPARE(table->model()->headerData(3, Qt::Horizontal), QVariant("This document"));
    const int row = rowOf(*table->model(), QStringLiteral("PL"), QStringLiteral("ScanSkip"));
    QVERIFY(row >= 0);
    QCOMPARE(table->model()->index(row, 0).data(), QVariant("Channel"));
    // One text line a row, however long the values.
    QVERIFY(table->rowHeight(row) < 2 * table->fontMetrics().lineSpacing());

    const QRect cell = table->visualRect(table->model()->index(row, 2));
    // A user's double-click starts with a press that the view takes as a click.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(window->isVisible());
    const QModelIndex current = ui.grid().currentIndex();
    QCOMPARE(current.row(), document::rowLowerScanLimit - 1);
    QCOMPARE(current.column(), document::colScanSkip - 1);
    QCOMPARE(ui.editor().currentRow(), document::rowLowerScanLimit);
    // Comparing changed nothing the user would have to save.
    QVERIFY(!ui.editor().document().bModify);
}

void TestCompareWindow::differencesOnlyTheFilesHoldStandUnderTheirHeading() {
    test::UiHarness ui;
    QVERIFY(files::openChannelFile(ui.editor(), dataDir + "/demo-radio.vd").ok());
    ui.prompts.openFiles.push_back(dataDir + "/demo-radio.img"); // its own image
    compareAction(ui)->trigger();
    ui::CompareWindow* window = ui.window().compareWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->summary(), QStringLiteral("No differences"));
    auto* heading = window->findChild<QLabel*>(QStringLiteral("lblFileOnly"));
    QCOMPARE(heading->text(), QStringLiteral("file only"));
    QVERIFY(heading->isVisible() && window->fileOnlyTable()->isVisible());
    QVERIFY(!window->table()->isVisible());
    const int row =
        rowOf(*window->fileOnlyTable()->model(), QStringLiteral("V"), QStringLiteral("ScanSkip"));
    QVERIFY(row >= 0);
    window->fileOnlyTable()->setCurrentIndex(window->fileOnlyTable()->model()->index(row, 0));
    QTest::keyClick(window->fileOnlyTable(), Qt::Key_Return);
    QCOMPARE(ui.editor().currentRow(), document::rowVfo);
}

QTEST_MAIN(TestCompareWindow)
#include "tst_comparewindow.moc"
