#include "../UiHarness.h"
#include "../dialogs/DialogTestSupport.h"
#include "SignallingTestSupport.h"
#include "codec/ImageCodec.h"
#include "codec/MemoryMap.h"
#include "files/ChannelFile.h"
#include "ui/signalling/Frm2Tone.h"
#include "ui/signalling/Frm5Tone.h"
#include "ui/signalling/FiveToneCallDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vn574;
using namespace vn574::test;
using ui::signalling::Frm2Tone;
using ui::signalling::Frm5Tone;
using ui::signalling::FrmSpecial;

namespace {

void typeInCell(QTableView* grid, int row, int column, const char* text) {
    clickCell(grid, row, column);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(row, column)));
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, text);
}

void openFromMenu(const test::UiHarness& ui, const char* entry) {
    auto* action = ui.window().findChild<QAction*>(QString::fromLatin1(entry));
    QVERIFY(action != nullptr);
    QVERIFY(action->isVisible());
    action->trigger();
}

} // namespace

// Signalling entered in the dialogs survives saving and opening the channel data file,
// and reaches the radio image as entered.
class TestSignallingRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void editSaveReopenEncode() {
        test::UiHarness ui("english.ini", test::allSignallingOptions());
        document::Editor& editor = ui.editor();
        editor.selectModel(2); // channel 0 in use

        whenModal<Frm2Tone>([](Frm2Tone* dialog) {
            QTRY_VERIFY(dialog->isActiveWindow());
            QTableView* grid = child<QTableView>(dialog, "MSHFlexGrid1");
            typeInCell(grid, 0, 1, "1000");
            clickCell(grid, 1, 1); // commits the first tone
            typeInCell(grid, 0, 2, "2000");
            child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
            chooseWithKeys(child<QComboBox>(dialog, "Combo2_0"), 13); // Long B
            retype(child<QLineEdit>(dialog, "Text2_1"), QStringLiteral("1000"));
            click(dialog, "CommandOK");
        });
        openFromMenu(ui, "mnu2Tone");

        whenModal<Frm5Tone>([](Frm5Tone* dialog) {
            QTRY_VERIFY(dialog->isActiveWindow());
            retype(child<QLineEdit>(dialog, "Text2"), QStringLiteral("98"));
            QTableView* grid = child<QTableView>(dialog, "MSHFlexGrid1");
            typeInCell(grid, 0, 2, "11223"); // also leaves the own ID

            clickCell(grid, 1, 3);
            whenModal<FrmSpecial>([](FrmSpecial* special) {
                chooseWithKeys(child<QComboBox>(special, "Combo1_1"), 3); // ANI
                retype(child<QLineEdit>(special, "Text1_1"), QStringLiteral("54321"));
                click(special, "CommandOK");
            });
            click(dialog, "Command1");

            clickCell(grid, 2, 3);
            whenModal<FrmSpecial>([](FrmSpecial* special) {
                chooseWithKeys(child<QComboBox>(special, "Combo1_1"), 1); // emergency alarm
                click(special, "CommandOK");
            });
            click(dialog, "Command1");

            whenModal<FrmSpecial>([](FrmSpecial* special) {
                retype(child<QLineEdit>(special, "Text1_0"), QStringLiteral("23456"));
                retype(child<QLineEdit>(special, "Text2"), QStringLiteral("ab"));
                click(special, "CommandOK");
            });
            click(dialog, "Command2");
            click(dialog, "CommandOK");
        });
        openFromMenu(ui, "mnu5Tone");
        QCOMPARE(ui.cell(1, document::colOptSignal), std::string("5Tone"));

        const std::string path = ui.dir.file("signalling.vd");
        QVERIFY(files::saveChannelFile(editor, path).saved);
        const document::ToneData saved = editor.document().toneData;
        editor.ResetToneData();
        QVERIFY(!(editor.document().toneData == saved));
        QVERIFY(files::openChannelFile(editor, path).ok());
        QVERIFY(editor.document().toneData == saved);
        QCOMPARE(editor.document().strChData.at(1, document::colOptSignal), std::string("5Tone"));
        QCOMPARE(editor.document().strChData.at(1, document::colOptMemory), std::string("2"));

        codec::ImageCodec codec(editor);
        // Decoder pair Long B at 1000 Hz, no second tone; default times and response.
        QCOMPARE(codec.EncodeBlock(codec::blockTwoToneSettings),
                 std::string("00000000073300000005050A0A020000"));
        // Own ID 98000, five digits, ZVEI1, 70 ms, delay item 100.
        QCOMPARE(codec.EncodeBlock(codec::blockOwnId),
                 std::string("00000005070908000000640000000000"));
        // Memory 0: 1000 Hz then 2000 Hz; memory 1 empty.
        QCOMPARE(codec.EncodeBlock(codec::firstTwoToneBlock),
                 std::string("0E66073304020000") + std::string(16, '0'));
        QCOMPARE(codec.EncodeBlock(codec::firstFiveToneBlock),
                 std::string("000005071E2E3E") + std::string(18, 'E'));
        QCOMPARE(codec.EncodeBlock(codec::firstFiveToneBlock + 1),
                 std::string("00000D07E354321E980E0E") + std::string(10, 'E'));
        QCOMPARE(codec.EncodeBlock(codec::firstFiveToneBlock + 2),
                 std::string("00000707E2980E0E") + std::string(16, 'E'));
        QCOMPARE(codec.EncodeBlock(codec::blockPttIdBot),
                 std::string("00000C07E123456E4142") + std::string(12, 'E'));
        QCOMPARE(codec.EncodeBlock(codec::blockPttIdEot),
                 std::string("00000007") + std::string(24, 'E'));
        for (int block = codec::firstFiveToneBlock + 3; block <= codec::lastFiveToneBlock;
             ++block) {
            QCOMPARE(codec.EncodeBlock(block), std::string("00000007") + std::string(24, 'E'));
        }
        for (int block = codec::firstTwoToneBlock + 1; block <= codec::lastTwoToneBlock; ++block) {
            QCOMPARE(codec.EncodeBlock(block), std::string(32, '0'));
        }
    }
};

QTEST_MAIN(TestSignallingRoundTrip)
#include "tst_signallingroundtrip.moc"
