#include "../UiHarness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DialogTestSupport.h"
#include "ui/dialogs/FrmDTMF.h"
#include "ui/dialogs/Frm_AutoDialer.h"
#include "ui/dialogs/Frm_Option.h"

#include <functional>
#include <memory>

using namespace vn574;

namespace {

// Triggers `command` of the main window and runs `steps` on the modal dialog of type
// Dialog that it opens; a dialog left open by a failed step is closed.
template <typename Dialog>
void withDialogOf(QAction* command, const std::function<void(Dialog&)>& steps) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog == nullptr) {
            return;
        }
        steps(*dialog);
        if (dialog->isVisible()) {
            dialog->done(-1);
        }
    });
    command->trigger();
    QVERIFY(seen);
}

template <typename Dialog> void press(const Dialog& dialog, const char* button) {
    QTest::mouseClick(dialog.template findChild<QPushButton*>(QLatin1String(button)),
                      Qt::LeftButton);
}

} // namespace

class TestOptionMenus : public QObject {
    Q_OBJECT

private slots:
    void commandsCarryTheirLanguageTexts() {
        test::UiHarness ui;
        QCOMPARE(action(ui, "Menu_RadioOption")->text(), QStringLiteral("&Radio Option"));
        QCOMPARE(action(ui, "Menu_AutoDiaer")->text(), QStringLiteral("&Auto Dialer"));
        QCOMPARE(action(ui, "mnuDTMF")->text(), QStringLiteral("&DTMF"));
        QCOMPARE(action(ui, "OptionBtn")->toolTip(), QStringLiteral("Radio Option"));
        QCOMPARE(action(ui, "AdBtn")->toolTip(), QStringLiteral("Auto Dialer"));
    }

    void dtmfMenuFollowsTheInstalledOption() {
        test::UiHarness without;
        QVERIFY(!action(without, "mnuDTMF")->isVisible());
        app::OptionFlags dtmf;
        dtmf.hasDtmf = 1;
        test::UiHarness with("english.ini", dtmf);
        QVERIFY(action(with, "mnuDTMF")->isVisible());
    }

    void radioOptionMenuAndButtonEditTheOptionRecord() {
        test::UiHarness ui;
        auto& doc = ui.editor().document();
        withDialogOf<ui::Frm_Option>(action(ui, "Menu_RadioOption"), [](ui::Frm_Option& dialog) {
            auto* power = dialog.findChild<QComboBox*>(QStringLiteral("Combo_TXPOWER"));
            test::chooseWithKeys(power, 1);
            press(dialog, "CommandOK");
        });
        QCOMPARE(doc.strSetup.substr(0, 25), std::string("setup|Frequency|VFO|0|3|M"));
        QVERIFY(doc.strSetup.find("|Mid|Enable|Enable|") != std::string::npos);
        QVERIFY(doc.bModify);

        const std::string before = doc.strSetup;
        withDialogOf<ui::Frm_Option>(action(ui, "OptionBtn"), [](ui::Frm_Option& dialog) {
            test::chooseWithKeys(dialog.findChild<QComboBox*>(QStringLiteral("Combo_APO")), 1);
            press(dialog, "CommandCANCEL");
        });
        QCOMPARE(doc.strSetup, before);
    }

    void autoDialerMenuAndButtonEditTheDialStrings() {
        test::UiHarness ui;
        auto& doc = ui.editor().document();
        withDialogOf<ui::Frm_AutoDialer>(action(ui, "AdBtn"), [](ui::Frm_AutoDialer& dialog) {
            dialog.box(0)->setFocus();
            QTest::keyClicks(dialog.box(0), "#12ab*");
            press(dialog, "CommandOK");
        });
        QCOMPARE(doc.strAutoDial, std::string("Ad|#12AB*|||||||||"));
        withDialogOf<ui::Frm_AutoDialer>(
            action(ui, "Menu_AutoDiaer"), [](ui::Frm_AutoDialer& dialog) {
                QCOMPARE(dialog.box(0)->text(), QStringLiteral("#12AB*"));
                test::clearBox(dialog.box(0));
                press(dialog, "CommandCANCEL");
            });
        QCOMPARE(doc.strAutoDial, std::string("Ad|#12AB*|||||||||"));
    }

    void dtmfMenuEditsTheMemoriesOfTheSignallingRecord() {
        test::UiHarness ui("english.ini", test::allSignallingOptions());
        auto& doc = ui.editor().document();
        withDialogOf<ui::FrmDTMF>(action(ui, "mnuDTMF"), [](ui::FrmDTMF& dialog) {
            test::clearBox(dialog.box(4));
            QTest::keyClicks(dialog.box(4), "0a1");
            press(dialog, "CommandOK");
        });
        QCOMPARE(doc.toneData.dtmfMem[4], std::int16_t{0xA1});
        QVERIFY(doc.bModify);
    }
};

QTEST_MAIN(TestOptionMenus)
#include "tst_option_menus.moc"
