#include "ui/CompareTableModel.h"

namespace vn574::ui {
namespace {

constexpr int columns = 5;

QString shown(const std::string& value) {
    return QString::fromStdString(document::escapedValue(value));
}

} // namespace

void CompareTableModel::setTexts(QStringList headings, QStringList sectionNames) {
    m_headings = std::move(headings);
    m_sectionNames = std::move(sectionNames);
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    if (!m_differences.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    }
}

void CompareTableModel::setDifferences(std::vector<document::Difference> differences) {
    beginResetModel();
    m_differences = std::move(differences);
    endResetModel();
}

const document::Difference& CompareTableModel::difference(int row) const {
    return m_differences.at(static_cast<std::size_t>(row));
}

int CompareTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_differences.size());
}

int CompareTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant CompareTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const document::Difference& d = difference(index.row());
    switch (index.column()) {
    case 0:
        return m_sectionNames.value(static_cast<int>(d.section));
    case 1:
        return shown(d.item);
    case 2:
        return shown(d.field);
    case 3:
        return shown(d.left);
    default:
        return shown(d.right);
    }
}

QVariant CompareTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    return orientation == Qt::Horizontal ? QVariant(m_headings.value(section))
                                         : QVariant(section + 1);
}

} // namespace vn574::ui
