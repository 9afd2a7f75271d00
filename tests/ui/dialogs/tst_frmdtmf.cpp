#include "ui/dialogs/FrmDTMF.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/TestEnvironment.h"
#include "DialogTestSupport.h"

#include <memory>

using vn574::ui::FrmDTMF;

class TestFrmDtmf : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vn574::test::EditorFixture> f;

    static void press(const FrmDTMF& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }

private slots:
    void init() {
        f = std::make_unique<vn574::test::EditorFixture>();
        f->editor.document().toneData.dtmfMem = {0xA1, 0x7, 0x100, 0, 0, 0x999, 0, 0x12};
    }
    void cleanup() { f.reset(); }

    void showsTheCodesInHexadecimal() {
        FrmDTMF dialog(f->editor);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("DTMF"));
        QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(),
                 QStringLiteral("SPR Memory"));
        QCOMPARE(dialog.box(0)->text(), QStringLiteral("A1"));
        QCOMPARE(dialog.box(2)->text(), QStringLiteral("100"));
        QCOMPARE(dialog.box(3)->text(), QStringLiteral("0"));
        QCOMPARE(dialog.box(7)->text(), QStringLiteral("12"));
        QVERIFY(dialog.box(7)->isReadOnly());
        QVERIFY(!dialog.box(6)->isReadOnly());
    }

    void typedCodesAreWrittenIntoTheSignallingRecordOnOk() {
        auto& doc = f->editor.document();
        const auto editCopy = doc.toneDataEdit;
        FrmDTMF dialog(f->editor);
        vn574::test::runModal(dialog, [&] {
            vn574::test::clearBox(dialog.box(0));
            QTest::keyClicks(dialog.box(0), "0b#a1"); // b and # are refused, a types A
            QCOMPARE(dialog.box(0)->text(), QStringLiteral("0A1"));
            vn574::test::clearBox(dialog.box(1));
            QTest::keyClicks(dialog.box(6), "123");
            QCOMPARE(dialog.box(6)->text(), QStringLiteral("012")); // three characters at most
            press(dialog, "CommandOK");
        });
        QCOMPARE(doc.toneData.dtmfMem[0], 0xA1);
        QCOMPARE(doc.toneData.dtmfMem[1], 0);
        QCOMPARE(doc.toneData.dtmfMem[5], 0x999);
        QCOMPARE(doc.toneData.dtmfMem[6], 0x12);
        QCOMPARE(doc.toneData.dtmfMem[7], 0x12);
        QVERIFY(doc.toneDataEdit == editCopy);
        QVERIFY(doc.bModify);

        FrmDTMF reopened(f->editor);
        QCOMPARE(reopened.box(0)->text(), QStringLiteral("A1"));
    }

    void enterMovesOnAndTheClipboardKeysDoNothing() {
        auto& doc = f->editor.document();
        const auto before = doc.toneData;
        FrmDTMF dialog(f->editor);
        vn574::test::runModal(dialog, [&] {
            auto* first = dialog.box(0);
            first->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first));
            QTest::keyClick(first, Qt::Key_Return);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.box(1)));
            QVERIFY(dialog.isVisible()); // Enter did not press OK

            QApplication::clipboard()->setText(QStringLiteral("9"));
            vn574::test::clearBox(dialog.box(1));
            QTest::keyClick(dialog.box(1), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(dialog.box(1)->text(), QString());
            dialog.box(2)->selectAll();
            QTest::keyClick(dialog.box(2), Qt::Key_X, Qt::ControlModifier);
            QCOMPARE(dialog.box(2)->text(), QStringLiteral("100"));
            // What gets in without a key is kept to a code.
            vn574::test::clearBox(dialog.box(3));
            vn574::test::pasteInto(dialog.box(3), QStringLiteral("1x2"));
            QCOMPARE(dialog.box(3)->text(), QStringLiteral("12"));
            press(dialog, "CommandCANCEL");
        });
        QVERIFY(doc.toneData == before);
    }
};

QTEST_MAIN(TestFrmDtmf)
#include "tst_frmdtmf.moc"
