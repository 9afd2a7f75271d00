#pragma once

#include "link/FleetTable.h"

#include <QAbstractTableModel>

namespace vn574::app {
class Language;
}

namespace vn574::ui::clone {

// Shows the fleet's core table: the radio list's cells, editable while no fleet runs,
// then each radio's phase, progress and result. The rows' headers are their lines in the
// radio list, as the refusals and the unlabelled backups name them.
class FleetTableModel final : public QAbstractTableModel {
public:
    static constexpr int phaseColumn = link::FleetTable::listColumns;
    static constexpr int progressColumn = phaseColumn + 1;
    static constexpr int resultColumn = progressColumn + 1;
    static constexpr int columns = resultColumn + 1;
    // The progress column's value for its bar, 0..blockCount.
    static constexpr int progressRole = Qt::UserRole;

    FleetTableModel(link::FleetTable& table, const app::Language& language, QObject* parent);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    void setEditable(bool editable) { m_editable = editable; }
    // A row with the port given, at the end.
    void addRow(const std::string& port);
    void removeRow(int row);
    // After the table's rows were replaced (an import).
    void reload();

private:
    link::FleetTable& m_table;
    const app::Language& m_language;
    bool m_editable = true;
};

} // namespace vn574::ui::clone
