#include "UiHarness.h"

#include "document/Document.h"
#include "support/TempDir.h"
#include "ui/UserGuideDialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace vn574;
using namespace vn574::document;

namespace {

const std::string dataDir = VN574_TEST_DATA_DIR;

} // namespace

class TestFrmRadioCsv : public QObject {
    Q_OBJECT
private slots:
    void csvEntriesSitInTheFileMenuWithTheirLanguageTexts();
    void importedChannelsAppearInTheGridAndExportWritesThem();
    void userGuideOpensBesideAbout();
};

void TestFrmRadioCsv::csvEntriesSitInTheFileMenuWithTheirLanguageTexts() {
    for (const auto& [file, import, exportText, guide] :
         {std::tuple{"english.ini", "Import CSV…", "Export CSV…", "User Guide"},
          std::tuple{"chinese.ini", "导入 CSV…", "导出 CSV…", "用户指南"}}) {
        test::UiHarness ui(file);
        QAction* importCsv = action(ui, "Menu_ImportCsv");
        QAction* exportCsv = action(ui, "Menu_ExportCsv");
        QAction* userGuide = action(ui, "Menu_UserGuide");
        QVERIFY(importCsv != nullptr && exportCsv != nullptr && userGuide != nullptr);
        QCOMPARE(importCsv->text(), QString::fromUtf8(import));
        QCOMPARE(exportCsv->text(), QString::fromUtf8(exportText));
        QCOMPARE(userGuide->text(), QString::fromUtf8(guide));
        auto* fileMenu = ui.window().findChild<QMenu*>(QStringLiteral("Menu_File"));
        QVERIFY(fileMenu->actions().contains(importCsv));
        QVERIFY(fileMenu->actions().contains(exportCsv));
        // The guide stands right before About in the Help menu.
        auto* help = ui.window().findChild<QMenu*>(QStringLiteral("Help"));
        const auto entries = help->actions();
        const auto at = entries.indexOf(userGuide);
        QVERIFY(at >= 0 && at + 1 < entries.size());
        QCOMPARE(entries.at(at + 1), action(ui, "Menu_About"));
    }
}

void TestFrmRadioCsv::importedChannelsAppearInTheGridAndExportWritesThem() {
    test::UiHarness ui;
    ui.editor().selectModel(2);
    ui.prompts.openFiles.push_back(dataDir + "/csv/common.csv");
    action(ui, "Menu_ImportCsv")->trigger();
    QVERIFY(!ui.grid().isEnabled());
    QTRY_VERIFY(ui.grid().isEnabled());
    QVERIFY(ui.prompts.messages.empty());
    QCOMPARE(ui.cell(2, colName), std::string("RPT1"));
    QCOMPARE(ui.cell(2, colTxFreq), std::string("145.0500"));
    QCOMPARE(ui.cell(2, colWideNarrow), std::string("Narrow"));
    QCOMPARE(ui.cell(2, colScanSkip), std::string("Skip"));
    QCOMPARE(ui.cell(10, colRxTone), std::string("D:131N"));
    QVERIFY(ui.editor().document().bModify);

    const std::string path = ui.dir.file("out.csv");
    ui.prompts.saveFiles.push_back(path);
    action(ui, "Menu_ExportCsv")->trigger();
    const std::string written = test::readFile(path);
    QVERIFY(written.find("\r\n1,RPT1,145.650000,-,0.600000,Tone,123.0,") != std::string::npos);
    QVERIFY(written.find("\r\n9,XBAND,155.000000,split,145.000000,Cross,") != std::string::npos);
}

void TestFrmRadioCsv::userGuideOpensBesideAbout() {
    QVERIFY(!ui::findUserGuide(QApplication::applicationDirPath()).isEmpty());
    test::UiHarness ui;
    QString shown;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog != nullptr && dialog->objectName() == QLatin1String("UserGuide")) {
                shown = dialog->findChild<QTextBrowser*>()->toPlainText();
                dialog->reject();
            }
        }
    });
    action(ui, "Menu_UserGuide")->trigger();
    QVERIFY(shown.contains(QStringLiteral("Troubleshooting")));
    QVERIFY(shown.contains(QStringLiteral("dialout")));
}

QTEST_MAIN(TestFrmRadioCsv)
#include "tst_frm_radio_csv.moc"
