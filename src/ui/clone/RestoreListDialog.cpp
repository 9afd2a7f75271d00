#include "ui/clone/RestoreListDialog.h"

#include "document/Editor.h"

#include <filesystem>
#include <utility>

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vn574::ui::clone {
namespace {

constexpr int backupWidth = 680;
constexpr int backupHeight = 360;
constexpr int historyWidth = 980;
constexpr int historyHeight = 440;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QString rwText(const document::Editor& editor, const char* key) {
    return qt(editor.langText("RW", key));
}

QString localTime(std::time_t time) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(time))
        .toLocalTime()
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The window's texts of the history's operation words.
QString operationText(const document::Editor& editor, files::TransferOperation operation) {
    switch (operation) {
    case files::TransferOperation::Backup:
        return rwText(editor, "rw043");
    case files::TransferOperation::Read:
        return rwText(editor, "rw068");
    case files::TransferOperation::Write:
        return rwText(editor, "rw044");
    case files::TransferOperation::Verify:
        return rwText(editor, "rw045");
    case files::TransferOperation::Restore:
        break;
    }
    return rwText(editor, "rw046");
}

bool fileOnDisk(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

class TextTableModel final : public QAbstractTableModel {
public:
    TextTableModel(QStringList headers, std::vector<QStringList> rows, QObject* parent)
        : QAbstractTableModel(parent), m_headers(std::move(headers)), m_rows(std::move(rows)) {}

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
            return {};
        }
        const QStringList& row = m_rows[static_cast<std::size_t>(index.row())];
        return index.column() < row.size() ? row[index.column()] : QString();
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= m_headers.size()) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        return m_headers[section];
    }

private:
    QStringList m_headers;
    std::vector<QStringList> m_rows;
};

} // namespace

RestoreListDialog::RestoreListDialog(const QString& title, const QString& note,
                                     const QStringList& headers, std::vector<RestoreListRow> rows,
                                     const QString& restoreText, const QString& closeText,
                                     QWidget* parent)
    : QDialog(parent), m_rows(std::move(rows)) {
    setWindowTitle(title);
    auto* label = new QLabel(note, this);
    label->setObjectName(QStringLiteral("lblNote"));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    std::vector<QStringList> cells;
    cells.reserve(m_rows.size());
    for (const auto& row : m_rows) {
        cells.push_back(row.cells);
    }
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblRecords"));
    m_table->setModel(new TextTableModel(headers, std::move(cells), m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->resizeColumnsToContents();

    m_restore = new QPushButton(restoreText, this);
    m_restore->setObjectName(QStringLiteral("cmdRestore"));
    m_restore->setDefault(true);
    auto* close = new QPushButton(closeText, this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_restore, &QPushButton::clicked, this, &RestoreListDialog::restore);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table, &QAbstractItemView::activated, this, &RestoreListDialog::restore);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RestoreListDialog::updateRestore);
    // The newest row is current, so the keyboard starts on it.
    if (!m_rows.empty()) {
        m_table->selectRow(0);
    }
    m_table->setFocus();
    updateRestore();
}

int RestoreListDialog::currentRow() const {
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RestoreListDialog::updateRestore() {
    const int row = currentRow();
    m_restore->setEnabled(row >= 0 && !m_rows[static_cast<std::size_t>(row)].backup.empty());
}

void RestoreListDialog::restore() {
    const int row = currentRow();
    if (row < 0 || m_rows[static_cast<std::size_t>(row)].backup.empty()) {
        return;
    }
    m_chosen = m_rows[static_cast<std::size_t>(row)].backup;
    accept();
}

std::unique_ptr<RestoreListDialog> backupListDialog(const document::Editor& editor,
                                                    const std::vector<files::BackupEntry>& backups,
                                                    const std::string& folder, QWidget* parent) {
    std::vector<RestoreListRow> rows;
    for (const auto& backup : backups) {
        rows.push_back(
            {{localTime(backup.time), qt(backup.modelCode), qt(backup.tag), qt(backup.fileName)},
             backup.path});
    }
    const QStringList headers{rwText(editor, "rw052"), rwText(editor, "rw053"),
                              rwText(editor, "rw054"), rwText(editor, "rw055")};
    auto dialog = std::make_unique<RestoreListDialog>(
        rwText(editor, "rw048"), rwText(editor, "rw057").replace(QStringLiteral("%1"), qt(folder)),
        headers, std::move(rows), rwText(editor, "rw056"), rwText(editor, "rw005"), parent);
    dialog->setObjectName(QStringLiteral("dlgBackups"));
    dialog->resize(backupWidth, backupHeight);
    return dialog;
}

std::unique_ptr<RestoreListDialog> transferHistoryDialog(const document::Editor& editor,
                                                         const files::HistoryRead& history,
                                                         const std::string& path, QWidget* parent) {
    std::vector<RestoreListRow> rows;
    for (auto record = history.records.rbegin(); record != history.records.rend(); ++record) {
        rows.push_back(
            {{localTime(record->time), operationText(editor, record->operation), qt(record->port),
              qt(record->model), qt(record->selfId), qt(record->file), qt(record->fileSha256),
              qt(record->backup), QString::number(record->blocksSent),
              QString::number(record->blocksDiffering),
              rwText(editor, record->ok ? "rw069" : "rw070"), qt(record->message),
              QString::number(record->seconds, 'f', 1)},
             fileOnDisk(record->backup) ? record->backup : std::string()});
    }
    QStringList headers;
    for (const char* key : {"rw058", "rw059", "rw060", "rw053", "rw054", "rw055", "rw061", "rw062",
                            "rw063", "rw064", "rw065", "rw066", "rw067"}) {
        headers << rwText(editor, key);
    }
    QString note = rwText(editor, "rw071").replace(QStringLiteral("%1"), qt(path));
    if (!history.error.empty()) {
        note += QLatin1Char(' ') + qt(history.error);
    }
    auto dialog = std::make_unique<RestoreListDialog>(rwText(editor, "rw074"), note, headers,
                                                      std::move(rows), rwText(editor, "rw056"),
                                                      rwText(editor, "rw005"), parent);
    dialog->setObjectName(QStringLiteral("dlgTransferHistory"));
    dialog->resize(historyWidth, historyHeight);
    return dialog;
}

} // namespace vn574::ui::clone
