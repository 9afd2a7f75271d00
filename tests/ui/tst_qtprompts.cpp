#include "ui/PasswordDialog.h"
#include "ui/QtPrompts.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vn574;

class TestQtPrompts : public QObject {
    Q_OBJECT
private slots:
    void fileFiltersBecomeQtFilters_data();
    void fileFiltersBecomeQtFilters();
    void questionsReturnTheButtonPressed();
    void closingAQuestionIsItsWayOut();
    void passwordWindowReturnsTheTextOrNothing();
    void saveDialogAddsTheExtensionOfItsFileType();
};

void TestQtPrompts::fileFiltersBecomeQtFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("open") << "574 files (*.vd)|*.vd|All files (*.*)|*.*"
                          << "574 files (*.vd);;All files (*)";
    QTest::newRow("report") << "data files (*.txt)|*.txt|All files (*.*)|*.*"
                            << "data files (*.txt);;All files (*)";
    QTest::newRow("several patterns") << "images (*.bin;*.img)|*.bin;*.img"
                                      << "images (*.bin *.img)";
    QTest::newRow("no parentheses") << "Radio data|*.vd"
                                    << "Radio data (*.vd)";
    QTest::newRow("dangling name") << "Radio data|*.vd|Other"
                                   << "Radio data (*.vd)";
}

void TestQtPrompts::fileFiltersBecomeQtFilters() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(ui::qtFileFilter(filter.toStdString()), expected);
}

namespace {

// Presses the button with `role` of the next message box that opens.
void pressWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        box->button(button)->click();
    });
}

} // namespace

void TestQtPrompts::questionsReturnTheButtonPressed() {
    ui::QtPrompts prompts;
    pressWhenShown(QMessageBox::No);
    QCOMPARE(prompts.ask("Save?", app::Buttons::YesNoCancel), app::Answer::No);
    pressWhenShown(QMessageBox::Cancel);
    QCOMPARE(prompts.ask("Save?", app::Buttons::YesNoCancel), app::Answer::Cancel);
    pressWhenShown(QMessageBox::Ok);
    QCOMPARE(prompts.ask("Print?", app::Buttons::OkCancel), app::Answer::Ok);
    pressWhenShown(QMessageBox::Yes);
    QCOMPARE(prompts.ask("Save?", app::Buttons::YesNo), app::Answer::Yes);
}

void TestQtPrompts::closingAQuestionIsItsWayOut() {
    ui::QtPrompts prompts;
    const auto closeBox = [] {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    closeBox();
    QCOMPARE(prompts.ask("Save?", app::Buttons::YesNoCancel), app::Answer::Cancel);
    closeBox();
    QCOMPARE(prompts.ask("Save?", app::Buttons::YesNo), app::Answer::No);
}

void TestQtPrompts::passwordWindowReturnsTheTextOrNothing() {
    ui::QtPrompts prompts;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ui::PasswordDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QString("PassWord"));
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(edit, "12345678901234567890");
        QCOMPARE(edit->text().size(), 16);
        dialog->accept();
    });
    QCOMPARE(prompts.askPassword(), std::optional<std::string>("1234567890123456"));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QCOMPARE(prompts.askPassword(), std::nullopt);
}

void TestQtPrompts::saveDialogAddsTheExtensionOfItsFileType() {
    test::TempDir dir;
    ui::QtPrompts prompts;
    const auto save = [&](const std::string& filter, const QString& typed) {
        QTimer::singleShot(0, [typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const auto path = prompts.chooseSaveFile(filter, dir.path() + "/");
        return path ? QFileInfo(QString::fromStdString(*path)).fileName() : QString();
    };
    QCOMPARE(save("data files (*.vd)|*.vd|All files (*.*)|*.*", "mine"), QString("mine.vd"));
    QCOMPARE(save("data files (*.vd)|*.vd|All files (*.*)|*.*", "x.txt"), QString("x.txt"));
    QCOMPARE(save("data files (*.txt)|*.txt|All files (*.*)|*.*", "report"), QString("report.txt"));
    QCOMPARE(save("CSV files (*.csv)|*.csv|All files (*.*)|*.*", "list"), QString("list.csv"));
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
