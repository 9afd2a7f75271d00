#include "UiHarness.h"

#include "document/Document.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace vn574;
using namespace vn574::document;

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void keyboardUndoesAndRedoesEachStep();
    void undoEndsTheOpenEditorFirst();
    void fileGivenOnTheCommandLineStartsAFreshHistory();
};

namespace {

void editName(const test::UiHarness& ui, int row, const char* text) {
    ui.click(row, colName);
    auto* box = ui.openEditorAs<QLineEdit>();
    QVERIFY(box != nullptr);
    box->selectAll();
    QTest::keyClicks(box, text);
    ui.leaveEditor();
    QTRY_VERIFY(ui.openEditor() == nullptr);
}

} // namespace

void TestUndo::keyboardUndoesAndRedoesEachStep() {
    test::UiHarness ui;
    const QList<QAction*> menus = ui.window().menuBar()->actions();
    QCOMPARE(menus.at(1)->menu()->objectName(), QString("Menu_Edit"));
    QVERIFY(!action(ui, "Menu_Undo")->isEnabled());
    ui.click(3, colStatus); // channel 2 in use
    const std::string before = ui.cell(3, colName);

    editName(ui, 3, "ABC");
    ui.click(4, colStatus); // the status toggle is a step of its own
    QCOMPARE(ui.cell(4, colStatus), ui.editor().words().active);
    QVERIFY(action(ui, "Menu_Undo")->text().contains("Status of channel"));

    ui.grid().setFocus();
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(4, colStatus), ui.editor().words().inactive);
    QCOMPARE(action(ui, "Menu_Undo")->text(), QString("&Undo Edit Name of channel 2"));
    QCOMPARE(action(ui, "UndoBtn")->toolTip(), QString("Undo: Edit Name of channel 2"));
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(3, colName), before);
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ui.cell(3, colStatus), ui.editor().words().inactive);
    QVERIFY(!ui.editor().document().bModify); // back at the state the window opened with
    QTest::keyClick(&ui.window(), Qt::Key_Y, Qt::ControlModifier);

    QTest::keyClick(&ui.window(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(ui.cell(3, colName), std::string("ABC"));
    QTest::keyClick(&ui.window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(ui.cell(4, colStatus), ui.editor().words().active);
    QVERIFY(ui.editor().document().bModify);
    QVERIFY(!action(ui, "RedoBtn")->isEnabled());
}

void TestUndo::undoEndsTheOpenEditorFirst() {
    test::UiHarness ui;
    ui.click(3, colStatus);
    editName(ui, 3, "ONE");
    ui.click(3, colName);
    auto* box = ui.openEditorAs<QLineEdit>();
    QVERIFY(box != nullptr);
    box->selectAll();
    QTest::keyClicks(box, "TWO");
    action(ui, "UndoBtn")->trigger();
    // The edit in progress became a step, and that step is what the undo took back.
    QVERIFY(ui.openEditor() == nullptr);
    QCOMPARE(ui.cell(3, colName), std::string("ONE"));
    QCOMPARE(action(ui, "Menu_Redo")->text(), QString("&Redo Edit Name of channel 2"));
}

void TestUndo::fileGivenOnTheCommandLineStartsAFreshHistory() {
    test::UiHarness ui;
    ui.click(3, colStatus); // a change before the open
    const std::string path = std::string(VN574_TEST_DATA_DIR) + "/sample-2m.vd";
    QVERIFY(ui.window().openFile(path).ok());
    const document::EditorState opened = ui.editor().currentState();
    QVERIFY(!action(ui, "Menu_Undo")->isEnabled());

    QTRY_VERIFY(ui.grid().isEnabled());
    ui.click(5, colStatus);
    action(ui, "Menu_Undo")->trigger();
    QVERIFY(!action(ui, "Menu_Undo")->isEnabled());
    action(ui, "Menu_Undo")->trigger();
    QVERIFY(ui.editor().currentState().sameContent(opened));
    QCOMPARE(ui.editor().fileName(), path);
    QVERIFY(!ui.editor().document().bModify);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
