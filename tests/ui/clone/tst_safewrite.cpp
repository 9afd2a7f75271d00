#include "TransferRig.h"

#include "app/IniFile.h"
#include "files/BackupStore.h"
#include "files/ChannelFile.h"
#include "files/TransferHistory.h"
#include "ui/clone/RestoreListDialog.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <ctime>

using namespace vn574;
using test::button;
using test::dataDir;
using test::TransferRig;
using ui::clone::frmMain;

namespace {

QCheckBox* box(QWidget& window, const char* name) {
    return window.findChild<QCheckBox*>(QString::fromLatin1(name));
}

sim::Memory blankRadio() {
    const auto blank = sim::buildMemory("335566", 0xE0, "");
    if (!blank) {
        qFatal("no blank radio");
    }
    return *blank;
}

// The clone window is closed at once, without a transfer.
void closeUnstarted(frmMain& window) {
    button(window, "cmdStart")->setEnabled(false);
    QTimer::singleShot(0, &window, [&window] { button(window, "cmdClose")->click(); });
}

// The phases the clone window named beside its progress, each once.
void watchPhases(frmMain& window, std::vector<std::string>& phases) {
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    auto* label = window.findChild<QLabel*>(QStringLiteral("lblProgress"));
    QObject::connect(bar, &QProgressBar::valueChanged, &window, [label, &phases] {
        const std::string phase = label->text().toStdString();
        if (phases.empty() || phases.back() != phase) {
            phases.push_back(phase);
        }
    });
}

std::vector<files::TransferOperation> operations(const files::HistoryRead& history) {
    std::vector<files::TransferOperation> result;
    for (const auto& record : history.records) {
        result.push_back(record.operation);
    }
    return result;
}

QString cellText(const QTableView& table, int row, int column) {
    return table.model()->index(row, column).data().toString();
}

// Runs `check` on the list dialog the action opens, then leaves it as `check` did.
template <typename Check> void withListDialog(TransferRig& rig, const char* action, Check check) {
    bool seen = false;
    QTimer::singleShot(0, &rig.ui.window(), [&] {
        auto* dialog =
            qobject_cast<ui::clone::RestoreListDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        seen = true;
        check(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    rig.trigger(action);
    QVERIFY(seen);
}

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT
private slots:
    void safetyChoicesAreKeptAndShownForWritesOnly();
    void allChoicesOffRunThePlainWrite();
    void safeWriteBacksUpWritesAndVerifies();
    void stoppedWriteOffersItsFirstBackup();
    void restoreListShowsTheBackupsNewestFirst();
    void historyOffersRestoreOnlyWithABackup();
};

void TestSafeWrite::safetyChoicesAreKeptAndShownForWritesOnly() {
    TransferRig rig(blankRadio());
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    struct Shown {
        bool visible, backup, verify, onlyChanged, onlyChangedEnabled;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    bool onlyChangedFollowsBackup = false;
    rig.beforeStart = [&](frmMain& window) {
        QCheckBox* backup = box(window, "chkBackup");
        QCheckBox* verify = box(window, "chkVerify");
        QCheckBox* onlyChanged = box(window, "chkOnlyChanged");
        shown.push_back({!backup->isHidden() && !verify->isHidden() && !onlyChanged->isHidden(),
                         backup->isChecked(), verify->isChecked(), onlyChanged->isChecked(),
                         onlyChanged->isEnabled()});
        if (shown.size() == 1) {
            QCOMPARE(backup->text().toStdString(), rig.text("rw040"));
            backup->setChecked(false);
            onlyChangedFollowsBackup = !onlyChanged->isEnabled();
            backup->setChecked(true);
            onlyChangedFollowsBackup = onlyChangedFollowsBackup && onlyChanged->isEnabled();
            onlyChanged->setChecked(true);
            verify->setChecked(false);
        }
        closeUnstarted(window);
    };
    rig.trigger("Write");
    QVERIFY(onlyChangedFollowsBackup);
    const std::string mysetup = rig.ui.settings.paths.mysetupIni();
    QCOMPARE(app::IniFile::readString(mysetup, "transfer", "Backup"), std::string("1"));
    QCOMPARE(app::IniFile::readString(mysetup, "transfer", "Verify"), std::string("0"));
    QCOMPARE(app::IniFile::readString(mysetup, "transfer", "OnlyChanged"), std::string("1"));
    rig.trigger("Write");
    rig.trigger("Menu_ReadCHData");
    const std::vector<Shown> expected{{true, true, true, false, true},
                                      {true, true, false, true, true},
                                      {false, true, false, true, true}};
    QCOMPARE(shown.size(), expected.size());
    QVERIFY(shown == expected);
    QVERIFY(rig.radio.frames().empty());
}

void TestSafeWrite::allChoicesOffRunThePlainWrite() {
    TransferRig rig(blankRadio());
    rig.ui.settings.setWriteSafety({false, false, false});
    const std::string document = dataDir + "/image-2m.vd";
    QVERIFY(files::openChannelFile(rig.ui.editor(), document).ok());
    rig.trigger("Write");

    const std::vector<std::string> messages{rig.ui.editor().windowMessage(9007), rig.text("msg3")};
    QCOMPARE(rig.ui.prompts.messages, messages);
    QVERIFY(rig.radio.memory() == test::memoryFromFile(dataDir + "/image-2m.img"));
    // The write's own frames alone: blocks 0 to 4 read once, one end frame, no backup.
    const std::vector<std::string> firstFrames{"ZT~F0000R", "ZT~F0010R", "ZT~F0020R", "ZT~F0030R",
                                               "ZT~F0040R"};
    const auto& frames = rig.radio.frames();
    QVERIFY(std::equal(firstFrames.begin(), firstFrames.end(), frames.begin()));
    QCOMPARE(rig.framesNamed("ZT~F0050R"), 0);
    QCOMPARE(rig.radio.endFrames(), 1);
    QVERIFY(files::BackupStore::standard().list().entries.empty());

    // The plain write and a plain read each leave one row in the history.
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Menu_ReadCHData");
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    const files::HistoryRead history = files::TransferHistory::standard().read();
    QCOMPARE(operations(history),
             (std::vector{files::TransferOperation::Write, files::TransferOperation::Read}));
    const files::TransferRecord& write = history.records[0];
    QVERIFY(write.ok);
    QCOMPARE(write.file, document);
    QVERIFY(!write.fileSha256.empty());
    QCOMPARE(write.blocksSent, static_cast<int>(rig.radio.writtenBlocks().size()));
    QCOMPARE(write.port, std::string(test::simPort));
    const files::TransferRecord& read = history.records[1];
    QVERIFY(read.ok);
    QCOMPARE(read.model, write.model);
    QVERIFY(read.file.empty());
}

void TestSafeWrite::safeWriteBacksUpWritesAndVerifies() {
    const sim::Memory blank = blankRadio();
    TransferRig rig(blank);
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    std::vector<std::string> phases;
    rig.afterStart = [&](frmMain& window) { watchPhases(window, phases); };
    rig.trigger("Write");

    QCOMPARE(phases, (std::vector{rig.text("rw043"), rig.text("rw044"), rig.text("rw045")}));
    // Only the last step says that the transfer completed.
    const std::vector<std::string> messages{rig.ui.editor().windowMessage(9007), rig.text("msg3")};
    QCOMPARE(rig.ui.prompts.messages, messages);
    QCOMPARE(rig.windows, 1);
    QCOMPARE(rig.radio.endFrames(), 3);
    QVERIFY(rig.radio.memory() == test::memoryFromFile(dataDir + "/image-2m.img"));
    const auto backups = files::BackupStore::standard().list().entries;
    QCOMPARE(backups.size(), std::size_t{1});
    QCOMPARE(test::readFile(backups[0].path), std::string(blank.begin(), blank.end()));
    const files::HistoryRead history = files::TransferHistory::standard().read();
    QCOMPARE(operations(history),
             (std::vector{files::TransferOperation::Backup, files::TransferOperation::Write,
                          files::TransferOperation::Verify}));
    QVERIFY(rig.transfers().keptBackup().empty());

    // Verify Radio reads the radio back against the document and touches neither.
    rig.trigger("Menu_VerifyRadio");
    QVERIFY(rig.caption.startsWith(QString::fromStdString(rig.text("rw047"))));
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QCOMPARE(rig.radio.endFrames(), 4);
    QCOMPARE(static_cast<int>(rig.radio.writtenBlocks().size()), history.records[1].blocksSent);
    QVERIFY(!rig.ui.editor().document().bModify);
    const auto verified = files::TransferHistory::standard().read().records.back();
    QCOMPARE(verified.operation, files::TransferOperation::Verify);
    QVERIFY(verified.ok);
}

void TestSafeWrite::stoppedWriteOffersItsFirstBackup() {
    const sim::Memory blank = blankRadio();
    TransferRig rig(blank);
    QVERIFY(files::openChannelFile(rig.ui.editor(), dataDir + "/image-2m.vd").ok());
    // Stop in the middle of the write, then close the window that stays.
    bool stoppedWindowStayed = false;
    rig.afterStart = [&](frmMain& window) {
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        auto* label = window.findChild<QLabel*>(QStringLiteral("lblProgress"));
        auto stopped = std::make_shared<bool>(false);
        QObject::connect(bar, &QProgressBar::valueChanged, &window, [&, label, stopped](int value) {
            if (*stopped || value < 100 || label->text().toStdString() != rig.text("rw044")) {
                return;
            }
            *stopped = true;
            QTimer::singleShot(0, &window, [&] {
                button(window, "cmdStart")->click();
                QTimer::singleShot(60, &window, [&] {
                    stoppedWindowStayed =
                        window.isVisible() && button(window, "cmdStart")->text() ==
                                                  QString::fromStdString(rig.text("rw003"));
                    button(window, "cmdClose")->click();
                });
            });
        });
    };
    rig.ui.prompts.answers = {app::Answer::No};
    rig.trigger("Write");
    QVERIFY(stoppedWindowStayed);
    const auto backups = files::BackupStore::standard().list().entries;
    QCOMPARE(backups.size(), std::size_t{1});
    const std::string first = backups[0].path;
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{1});
    QVERIFY(rig.ui.prompts.questions[0].text.find(first) != std::string::npos);
    QCOMPARE(rig.transfers().keptBackup(), first);

    // The second try backs up the half-written radio without keeping it: the first
    // backup stays the one offered, and Restore writes it back.
    const std::size_t writtenBefore = rig.radio.writtenBlocks().size();
    rig.ui.prompts.answers = {app::Answer::Yes};
    rig.trigger("Write");
    QCOMPARE(files::BackupStore::standard().list().entries.size(), std::size_t{1});
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{2});
    QVERIFY(rig.ui.prompts.questions[1].text.find(first) != std::string::npos);
    QCOMPARE(rig.windows, 3);
    QCOMPARE(rig.ui.prompts.messages.back(), rig.text("msg3"));
    QVERIFY(rig.transfers().keptBackup().empty());
    // Block 18 lists the channels in use: the restore put back the radio's own list.
    const auto& written = rig.radio.writtenBlocks();
    QVERIFY(std::find(written.begin() + static_cast<std::ptrdiff_t>(writtenBefore), written.end(),
                      18) != written.end());
    const sim::Memory& memory = rig.radio.memory();
    QVERIFY(
        std::equal(memory.begin() + 18 * 16, memory.begin() + 19 * 16, blank.begin() + 18 * 16));
    const auto history = files::TransferHistory::standard().read();
    QCOMPARE(history.records.back().operation, files::TransferOperation::Verify);
    QCOMPARE(history.records[history.records.size() - 2].operation,
             files::TransferOperation::Restore);
    QCOMPARE(history.records.back().backup, first);
}

void TestSafeWrite::restoreListShowsTheBackupsNewestFirst() {
    TransferRig rig(blankRadio());
    const files::BackupStore store = files::BackupStore::standard();
    rig.trigger("Menu_RestoreBackup");
    QCOMPARE(rig.ui.prompts.messages.size(), std::size_t{1});
    QVERIFY(rig.ui.prompts.messages[0].find(store.folder()) != std::string::npos);

    const sim::Memory image = test::memoryFromFile(dataDir + "/image-2m.img");
    const std::time_t noon = 1'700'000'000;
    std::vector<std::string> saved;
    for (const std::time_t time : {noon + 60, noon, noon + 3600}) {
        saved.push_back(store.save(image, time, {"335566", "12345"}).path);
    }
    rig.ui.prompts.answers = {app::Answer::No};
    withListDialog(rig, "Menu_RestoreBackup", [&](ui::clone::RestoreListDialog& dialog) {
        QTableView& table = *dialog.table();
        QCOMPARE(table.model()->rowCount(), 3);
        QCOMPARE(table.model()->columnCount(), 4);
        QCOMPARE(table.model()->headerData(2, Qt::Horizontal).toString().toStdString(),
                 rig.text("rw054"));
        const std::string newest = std::filesystem::path(saved[2]).filename().string();
        QCOMPARE(cellText(table, 0, 3).toStdString(), newest);
        QCOMPARE(cellText(table, 1, 3).toStdString(),
                 std::filesystem::path(saved[0]).filename().string());
        QCOMPARE(cellText(table, 0, 1), QStringLiteral("335566"));
        QCOMPARE(cellText(table, 0, 2), QStringLiteral("12345"));
        QTRY_VERIFY(table.hasFocus());
        // The keyboard: down to the oldest, Enter restores it.
        QTest::keyClick(&table, Qt::Key_Down);
        QTest::keyClick(&table, Qt::Key_Down);
        QTest::keyClick(&table, Qt::Key_Return);
    });
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{1});
    QCOMPARE(rig.ui.prompts.questions[0].text,
             std::string(rig.text("rw050")).replace(rig.text("rw050").find("%1"), 2, saved[1]));
    QCOMPARE(rig.windows, 0); // answered No
}

void TestSafeWrite::historyOffersRestoreOnlyWithABackup() {
    TransferRig rig(blankRadio());
    const files::TransferHistory history = files::TransferHistory::standard();
    const std::string kept = rig.ui.dir.file("kept.img");
    test::writeFile(kept, std::string(8192, '\0'));
    files::TransferRecord record;
    record.time = 1'700'000'000;
    record.operation = files::TransferOperation::Read;
    record.ok = true;
    QVERIFY(history.append(record).empty());
    record.operation = files::TransferOperation::Write;
    record.backup = kept;
    record.ok = false;
    record.seconds = 2.5;
    QVERIFY(history.append(record).empty());
    record.operation = files::TransferOperation::Backup;
    record.backup = rig.ui.dir.file("gone.img");
    record.ok = true;
    QVERIFY(history.append(record).empty());

    rig.ui.prompts.answers = {app::Answer::No};
    withListDialog(rig, "Menu_TransferHistory", [&](ui::clone::RestoreListDialog& dialog) {
        QTableView& table = *dialog.table();
        QCOMPARE(table.model()->rowCount(), 3);
        QCOMPARE(table.model()->columnCount(), 13);
        QCOMPARE(cellText(table, 0, 1).toStdString(), rig.text("rw043"));
        QCOMPARE(cellText(table, 1, 1).toStdString(), rig.text("rw044"));
        QCOMPARE(cellText(table, 2, 1).toStdString(), rig.text("rw068"));
        QCOMPARE(cellText(table, 1, 10).toStdString(), rig.text("rw070"));
        QCOMPARE(cellText(table, 1, 12), QStringLiteral("2.5"));
        QPushButton* restore = button(dialog, "cmdRestore");
        std::vector<bool> enabled;
        for (int row = 0; row < 3; ++row) {
            table.selectRow(row);
            enabled.push_back(restore->isEnabled());
        }
        QCOMPARE(enabled, (std::vector<bool>{false, true, false}));
        table.selectRow(1);
        restore->click();
    });
    QCOMPARE(rig.ui.prompts.questions.size(), std::size_t{1});
    QVERIFY(rig.ui.prompts.questions[0].text.find(kept) != std::string::npos);
}

QTEST_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
