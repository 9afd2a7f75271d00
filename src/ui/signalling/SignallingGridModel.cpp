#include "ui/signalling/SignallingGridModel.h"

#include <QApplication>
#include <QPalette>

namespace vn574::ui::signalling {

SignallingGridModel::SignallingGridModel(int columns, CellText cell, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns), m_cell(std::move(cell)) {}

int SignallingGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 100;
}

int SignallingGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant SignallingGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_cell(index.row() + 1, index.column()));
    case Qt::BackgroundRole:
        if (index.column() == 0) {
            return QApplication::palette().button();
        }
        return {};
    case Qt::ForegroundRole:
        // The number column is not selectable, yet must read like the headings rather
        // than greyed out.
        if (index.column() == 0) {
            return QApplication::palette().buttonText();
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == 0) {
            return QVariant(Qt::AlignCenter);
        }
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant SignallingGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(m_cell(0, section));
    }
    return section;
}

Qt::ItemFlags SignallingGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() == 0) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SignallingGridModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, m_columns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

} // namespace vn574::ui::signalling
