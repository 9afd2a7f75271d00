#include "ui/ChannelGridModel.h"

#include "document/ChannelGrid.h"
#include "document/Editor.h"

#include <QBrush>
#include <QColor>
#include <QPalette>

namespace vn574::ui {

using document::gridColumnCount;
using document::gridRowCount;

namespace {

// Amber behind a cell the radio cannot hold, light enough for dark text in every theme.
const QColor attentionBackground(255, 214, 153);

} // namespace

ChannelGridModel::ChannelGridModel(document::Editor& editor, QObject* parent)
    : QAbstractTableModel(parent), m_editor(editor) {}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : gridRowCount - 1;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : gridColumnCount - 1;
}

bool ChannelGridModel::isCell(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < columnCount();
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!isCell(index)) {
        return {};
    }
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    const document::CellIssue* issue =
        role == Qt::DisplayRole ? nullptr : checks().issueAt(row, column);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_editor.cell(row, column));
    case Qt::ToolTipRole:
        if (issue != nullptr) {
            return QString::fromStdString(document::CellChecks::reason(m_editor, *issue));
        }
        return QString::fromStdString(m_editor.cell(0, column));
    case Qt::BackgroundRole:
        if (issue != nullptr) {
            return QBrush(attentionBackground);
        }
        return {};
    case Qt::ForegroundRole:
        if (issue != nullptr) {
            return QBrush(Qt::black);
        }
        if (!m_editor.isRowActive(row)) {
            return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
        }
        return {};
    default:
        return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= gridColumnCount - 1) {
            return {};
        }
        return QString::fromStdString(m_editor.cell(0, section + 1));
    }
    if (section < 0 || section >= gridRowCount - 1) {
        return {};
    }
    return QString::fromStdString(m_editor.cell(section + 1, 0));
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
    if (!isCell(index)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Editors open only through a click (Editor::cellClicked decides); the flag says
    // where one can open at all.
    if (document::editorForCell(index.row() + 1, index.column() + 1) !=
        document::CellEditor::None) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QString ChannelGridModel::cornerText() const {
    return QString::fromStdString(m_editor.cell(0, 0));
}

const document::CellChecks& ChannelGridModel::checks() const {
    if (m_checksStale) {
        m_checks.run(m_editor);
        m_checksStale = false;
    }
    return m_checks;
}

void ChannelGridModel::refresh() {
    m_checksStale = true;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

} // namespace vn574::ui
