#include "ui/clone/FleetTableModel.h"

#include "app/Language.h"

namespace vn574::ui::clone {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

FleetTableModel::FleetTableModel(link::FleetTable& table, const app::Language& language,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_language(language) {
    m_table.setChangeHandler(
        [this](int row) { emit dataChanged(index(row, phaseColumn), index(row, resultColumn)); });
}

int FleetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int FleetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant FleetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    if (role == progressRole && column == progressColumn) {
        return m_table.row(row).progress;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (column < link::FleetTable::listColumns) {
        return qt(m_table.row(row).cells.at(column));
    }
    switch (column) {
    case phaseColumn:
        return qt(m_table.phaseText(m_language, row));
    case progressColumn:
        return qt(m_table.row(row).progressText);
    case resultColumn:
        return qt(m_table.resultText(m_language, row));
    default:
        return {};
    }
}

bool FleetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !m_editable ||
        index.column() >= link::FleetTable::listColumns) {
        return false;
    }
    m_table.setCell(index.row(), index.column(), value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags FleetTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.column() < link::FleetTable::listColumns) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant FleetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (orientation == Qt::Vertical) {
        return link::FleetTable::lineOfRow(section);
    }
    if (section >= link::FleetTable::DtmfC0 && section < link::FleetTable::DtmfC0 + 7) {
        return qt(m_language.text("FLEET", "16033")).arg(section - link::FleetTable::DtmfC0);
    }
    static constexpr const char* keys[] = {"16030", "16031", "16032", nullptr, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr,
                                           "16034", "16035", "16036", "16037", "16038"};
    if (section < 0 || section >= columns || keys[section] == nullptr) {
        return {};
    }
    return qt(m_language.text("FLEET", keys[section]));
}

void FleetTableModel::addRow(const std::string& port) {
    const int row = m_table.rowCount();
    beginInsertRows({}, row, row);
    m_table.addRow(port);
    endInsertRows();
}

void FleetTableModel::removeRow(int row) {
    if (row < 0 || row >= m_table.rowCount()) {
        return;
    }
    beginRemoveRows({}, row, row);
    m_table.removeRow(row);
    endRemoveRows();
    // The rows below have moved up a line.
    if (row < m_table.rowCount()) {
        emit headerDataChanged(Qt::Vertical, row, m_table.rowCount() - 1);
    }
}

void FleetTableModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace vn574::ui::clone
