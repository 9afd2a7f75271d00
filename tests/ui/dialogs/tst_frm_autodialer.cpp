#include "ui/dialogs/Frm_AutoDialer.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/TestEnvironment.h"
#include "DialogTestSupport.h"

#include <memory>

using vn574::ui::Frm_AutoDialer;

class TestFrmAutoDialer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vn574::test::EditorFixture> f;

    static void press(const Frm_AutoDialer& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    }
    [[nodiscard]] std::string warning(const char* key) const {
        return f->editor.langText("OTHERS", key);
    }

private slots:
    void init() { f = std::make_unique<vn574::test::EditorFixture>(); }
    void cleanup() { f.reset(); }

    void typedAndPastedDialStringsAreCheckedAndWrittenOnOk() {
        auto& doc = f->editor.document();
        doc.strAutoDial = "Ad|123||||||||9|";
        Frm_AutoDialer dialog(f->editor);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Auto Dialer"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label12"))->text(),
                 QStringLiteral("Please enter:"));
        QCOMPARE(dialog.box(0)->text(), QStringLiteral("123"));
        QCOMPARE(dialog.box(8)->text(), QStringLiteral("9"));

        const int result = vn574::test::runModal(dialog, [&] {
            dialog.box(1)->setFocus();
            QTest::keyClicks(dialog.box(1), "*1xab"); // x is refused as typed
            QCOMPARE(dialog.box(1)->text(), QStringLiteral("*1AB"));
            QVERIFY(f->prompts.messages.empty());

            vn574::test::pasteInto(dialog.box(2), QStringLiteral("12#x"));
            QCOMPARE(dialog.box(2)->text(), QStringLiteral("12#"));
            QCOMPARE(f->prompts.messages, std::vector<std::string>{warning("70011")});

            vn574::test::pasteInto(dialog.box(3), QStringLiteral("1x2"));
            QCOMPARE(dialog.box(3)->text(), QStringLiteral("1"));
            QCOMPARE(f->prompts.messages.size(), std::size_t{3});

            vn574::test::pasteInto(dialog.box(4), QStringLiteral("0123456789*#-ABCD"));
            QCOMPARE(dialog.box(4)->text(), QStringLiteral("0123456789*#-ABC"));
            QCOMPARE(f->prompts.messages.back(), warning("70012"));
            QCOMPARE(dialog.box(4)->cursorPosition(), 16);

            vn574::test::clearBox(dialog.box(8));
            press(dialog, "CommandOK");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(doc.strAutoDial, std::string("Ad|123|*1AB|12#|1|0123456789*#-ABC|||||"));
        QVERIFY(doc.bModify);
    }

    void enterMovesOnAndCancelLeavesTheRecord() {
        auto& doc = f->editor.document();
        Frm_AutoDialer dialog(f->editor);
        const int result = vn574::test::runModal(dialog, [&] {
            dialog.box(0)->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.box(0)));
            QTest::keyClicks(dialog.box(0), "5");
            QTest::keyClick(dialog.box(0), Qt::Key_Enter);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.box(1)));
            QApplication::clipboard()->setText(QStringLiteral("777"));
            QTest::keyClick(dialog.box(1), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(dialog.box(1)->text(), QString());
            press(dialog, "CommandCANCEL");
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(doc.strAutoDial, std::string("Ad||||||||||"));
    }

    void aDamagedRecordIsRepairedWithItsWarningsAsTheDialogOpens() {
        auto& doc = f->editor.document();
        doc.strAutoDial = "Ad|1e";
        Frm_AutoDialer dialog(f->editor);
        QCOMPARE(f->prompts.messages, std::vector<std::string>{warning("70011")});
        QCOMPARE(dialog.box(0)->text(), QStringLiteral("1"));
        vn574::test::runModal(dialog, [&] { press(dialog, "CommandOK"); });
        QCOMPARE(doc.strAutoDial, std::string("Ad|1|||||||||"));
    }
};

QTEST_MAIN(TestFrmAutoDialer)
#include "tst_frm_autodialer.moc"
