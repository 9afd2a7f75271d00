#pragma once

#include "files/BackupStore.h"
#include "files/TransferHistory.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace vn574::document {
class Editor;
}

namespace vn574::ui::clone {

// One row of a restore list: the texts of its columns and the backup it restores ("" for
// a row that has none to restore).
struct RestoreListRow {
    QStringList cells;
    std::string backup;
};

// A read-only table of backups or past transfers with a Restore button for the selected
// row's backup. Restore (or Enter on a row that has one) closes it accepted, naming the
// backup; the caller asks before anything is written.
class RestoreListDialog : public QDialog {
    Q_OBJECT
public:
    RestoreListDialog(const QString& title, const QString& note, const QStringList& headers,
                      std::vector<RestoreListRow> rows, const QString& restoreText,
                      const QString& closeText, QWidget* parent = nullptr);

    // The backup of the row chosen, once accepted.
    [[nodiscard]] const std::string& chosenBackup() const { return m_chosen; }
    [[nodiscard]] QTableView* table() const { return m_table; }

private:
    [[nodiscard]] int currentRow() const;
    void updateRestore();
    void restore();

    std::vector<RestoreListRow> m_rows;
    QTableView* m_table = nullptr;
    QPushButton* m_restore = nullptr;
    std::string m_chosen;
};

// The backups, newest first as the store lists them: date, model, own ID, file.
std::unique_ptr<RestoreListDialog> backupListDialog(const document::Editor& editor,
                                                    const std::vector<files::BackupEntry>& backups,
                                                    const std::string& folder,
                                                    QWidget* parent = nullptr);

// The history newest first, every column of its file in readable form; Restore on a row
// whose backup is still on disk.
std::unique_ptr<RestoreListDialog> transferHistoryDialog(const document::Editor& editor,
                                                         const files::HistoryRead& history,
                                                         const std::string& path,
                                                         QWidget* parent = nullptr);

} // namespace vn574::ui::clone
