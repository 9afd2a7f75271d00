#include "UiHarness.h"

#include "document/Document.h"
#include "ui/ListEditor.h"
#include "ui/dialogs/RepeaterOffsetDialog.h"
#include "ui/dialogs/SortChannelsDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace vn574;
using namespace vn574::document;

class TestRowOps : public QObject {
    Q_OBJECT
private slots:
    void keysMoveInsertAndDeleteTheSelectedRows();
    void aPickInOneSelectedRowGoesToAll();
    void keyboardGivesSelectedRowsOneValue();
    void dialogsSortAndSetTheOffset();
};

namespace {

// Channels 0..9 in use, named "CH0".."CH9", under model 2.
void fillTenChannels(const test::UiHarness& ui) {
    Editor& editor = ui.editor();
    editor.selectModel(2);
    for (int row = 1; row <= 10; ++row) {
        editor.setActiveStatus(row);
        editor.InitialSingleLine(row);
        editor.setCell(row, colName, "CH" + std::to_string(row - 1));
    }
    editor.restartHistory();
}

// Runs `act` on the modal dialog of type T once it is open.
template <typename T, typename Act> void whenOpen(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            qFatal("dialog did not open");
        }
        act(dialog);
    });
}

} // namespace

void TestRowOps::keysMoveInsertAndDeleteTheSelectedRows() {
    test::UiHarness ui;
    fillTenChannels(ui);
    const QList<QAction*> menus = ui.window().menuBar()->actions();
    QCOMPARE(menus.at(2)->menu()->objectName(), QString("Menu_Channels"));

    ui.window().selectGridRows({3, 4});
    ui.grid().setFocus();
    QTest::keyClick(&ui.grid(), Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(ui.cell(4, colName), std::string("CH2"));
    QCOMPARE(ui.cell(5, colName), std::string("CH3"));
    QCOMPARE(ui.cell(3, colName), std::string("CH4"));
    QCOMPARE(ui.window().selectedGridRows(), (std::vector<int>{4, 5}));
    QTest::keyClick(&ui.grid(), Qt::Key_Up, Qt::AltModifier);
    QTest::keyClick(&ui.grid(), Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(ui.cell(2, colName), std::string("CH2"));
    ui.window().selectGridRows({1, 2});
    QVERIFY(!action(ui, "Menu_MoveUp")->isEnabled());

    ui.window().selectGridRows({2});
    QTest::keyClick(&ui.grid(), Qt::Key_Insert);
    QVERIFY(!ui.editor().isRowActive(2));
    QCOMPARE(ui.cell(3, colName), std::string("CH2"));
    QTest::keyClick(&ui.grid(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(ui.cell(2, colName), std::string("CH2"));
    QCOMPARE(action(ui, "Menu_Undo")->text(), QString("&Undo Delete channel 1, close the gap"));

    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(2, colName), std::string("CH2"));
    QCOMPARE(ui.cell(3, colName), std::string("CH3"));
}

void TestRowOps::aPickInOneSelectedRowGoesToAll() {
    test::UiHarness ui;
    fillTenChannels(ui);
    // A click and a Shift+click, as a user selects; Space opens the editor of the
    // current cell without narrowing the selection.
    ui.click(2, colWideNarrow);
    const QModelIndex last = ui.grid().model()->index(3, colWideNarrow - 1);
    QTest::mouseClick(ui.grid().viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      ui.grid().visualRect(last).center());
    QTRY_VERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.window().selectedGridRows(), (std::vector<int>{2, 3, 4}));
    QTest::keyClick(&ui.grid(), Qt::Key_Space);
    auto* list = ui.openEditorAs<ui::ListEditor>();
    QVERIFY(list != nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);
    for (const int row : {2, 3, 4}) {
        QCOMPARE(ui.cell(row, colWideNarrow), ui.editor().words().narrow);
    }
    QCOMPARE(ui.cell(5, colWideNarrow), ui.editor().words().wide);
    QCOMPARE(action(ui, "Menu_Undo")->text(), QString("&Undo Edit W/N of 3 channels"));

    // Leaving a list without a pick writes nothing, in its own row or the others.
    ui.editor().setCell(4, colWideNarrow, ui.editor().words().wide);
    ui.editor().recordStep("setup");
    ui.grid().setCurrentIndex(ui.grid().model()->index(2, colWideNarrow - 1));
    ui.window().selectGridRows({3, 4});
    ui.grid().setFocus();
    QTest::keyClick(&ui.grid(), Qt::Key_Space);
    QVERIFY(ui.openEditor() != nullptr);
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(3, colWideNarrow), ui.editor().words().narrow);
    QCOMPARE(ui.cell(4, colWideNarrow), ui.editor().words().wide);
    QCOMPARE(ui.editor().history().undoName(), std::string("setup"));

    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    for (const int row : {2, 3, 4}) {
        QCOMPARE(ui.cell(row, colWideNarrow), ui.editor().words().wide);
    }
}

void TestRowOps::keyboardGivesSelectedRowsOneValue() {
    test::UiHarness ui;
    fillTenChannels(ui);
    // Rows selected by their headings; the arrow keys move along them to a column.
    const auto heading = [&ui](int row, Qt::KeyboardModifiers modifiers) {
        QHeaderView* header = ui.grid().verticalHeader();
        const int y = header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers,
                          QPoint(header->width() / 2, y));
    };
    heading(3, Qt::NoModifier);
    heading(5, Qt::ShiftModifier);
    ui.grid().setFocus();
    QTest::keyClick(&ui.grid(), Qt::Key_Home);
    while (ui.grid().currentIndex().column() < colRxFreq - 1) {
        QTest::keyClick(&ui.grid(), Qt::Key_Right);
    }
    QCOMPARE(ui.grid().selectedWholeRows(), (std::vector<int>{3, 4, 5}));
    const std::string untouched = ui.cell(6, colRxFreq);

    // Typed, then Enter: every selected row, and the selection stays for the next column.
    QTest::keyClick(&ui.grid(), Qt::Key_Space);
    auto* box = ui.openEditorAs<QLineEdit>();
    QVERIFY(box != nullptr);
    QTest::keyClicks(box, "145.5");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(ui.openEditor() == nullptr);
    for (const int row : {3, 4, 5}) {
        QCOMPARE(ui.cell(row, colRxFreq), std::string("145.50000"));
    }
    QCOMPARE(ui.cell(6, colRxFreq), untouched);

    // Picked, then Enter.
    while (ui.grid().currentIndex().column() < colWideNarrow - 1) {
        QTest::keyClick(&ui.grid(), Qt::Key_Right);
    }
    QTest::keyClick(&ui.grid(), Qt::Key_Space);
    auto* list = ui.openEditorAs<ui::ListEditor>();
    QVERIFY(list != nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(ui.openEditor() == nullptr);
    for (const int row : {3, 4, 5}) {
        QCOMPARE(ui.cell(row, colWideNarrow), ui.editor().words().narrow);
    }
    QCOMPARE(ui.cell(6, colWideNarrow), ui.editor().words().wide);
}

void TestRowOps::dialogsSortAndSetTheOffset() {
    test::UiHarness ui;
    fillTenChannels(ui);
    whenOpen<ui::SortChannelsDialog>([](ui::SortChannelsDialog* dialog) {
        auto* column = dialog->findChild<QComboBox*>("SortColumn");
        column->setCurrentIndex(column->findData(int{colName}));
        dialog->findChild<QRadioButton*>("SortDescending")->setChecked(true);
        dialog->findChild<QPushButton*>("CommandOK")->click();
    });
    action(ui, "Menu_SortChannels")->trigger();
    QCOMPARE(ui.cell(1, colName), std::string("CH9"));
    QCOMPARE(ui.cell(10, colName), std::string("CH0"));

    ui.editor().setCell(1, colRxFreq, "145.6");
    ui.editor().setCell(2, colRxFreq, "145.7");
    ui.window().selectGridRows({1, 2});
    whenOpen<ui::RepeaterOffsetDialog>([&ui](ui::RepeaterOffsetDialog* dialog) {
        dialog->findChild<QRadioButton*>("OffsetMinus")->setChecked(true);
        auto* offset = dialog->findChild<QLineEdit*>("OffsetMHz");
        offset->setText("0..6");
        dialog->findChild<QPushButton*>("CommandOK")->click();
        // Refused with a message; the dialog stays for a correction.
        QCOMPARE(ui.prompts.messages.size(), std::size_t{1});
        QVERIFY(dialog->isVisible());
        offset->setText("0.6");
        dialog->findChild<QPushButton*>("CommandOK")->click();
    });
    action(ui, "Menu_RepeaterOffset")->trigger();
    QCOMPARE(ui.cell(1, colTxFreq), std::string("145.00000"));
    QCOMPARE(ui.cell(2, colTxFreq), std::string("145.10000"));
    QCOMPARE(ui.cell(3, colTxFreq), std::string("145.0000"));
    QCOMPARE(ui.prompts.messages.at(0), ui.editor().langText("ROWS", "14026"));

    // It opens on the row the cursor is on, not on the cell clicked last.
    ui.editor().setCell(3, colRxFreq, "145.0");
    ui.editor().setCell(3, colTxFreq, "145.6");
    ui.editor().setCurrentCell(1, colName);
    ui.window().selectGridRows({3});
    QString direction;
    QString offset;
    whenOpen<ui::RepeaterOffsetDialog>([&](ui::RepeaterOffsetDialog* dialog) {
        direction = dialog->findChild<QRadioButton*>("OffsetPlus")->isChecked() ? "+" : "other";
        offset = dialog->findChild<QLineEdit*>("OffsetMHz")->text();
        dialog->reject();
    });
    action(ui, "Menu_RepeaterOffset")->trigger();
    QCOMPARE(direction, QStringLiteral("+"));
    QCOMPARE(offset, QStringLiteral("0.6000"));
}

QTEST_MAIN(TestRowOps)
#include "tst_rowops.moc"
