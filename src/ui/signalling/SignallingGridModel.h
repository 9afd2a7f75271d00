#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <string>

namespace vn574::ui::signalling {

// Shows a memory grid of a signalling editor: 100 data rows under the heading row of
// the editor's own grid, column 0 the fixed memory numbers. It holds no copy: the
// editor logic owns the texts and refresh() tells the view they changed.
class SignallingGridModel : public QAbstractTableModel {
public:
    using CellText = std::function<const std::string&(int row, int column)>;

    // `cell` takes the editor grid's rows: 0 the headings, 1..100 the memories.
    SignallingGridModel(int columns, CellText cell, QObject* parent);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    void refresh();

private:
    int m_columns;
    CellText m_cell;
};

} // namespace vn574::ui::signalling
