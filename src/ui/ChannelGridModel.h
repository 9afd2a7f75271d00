#pragma once

#include "document/CellChecks.h"

#include <QAbstractTableModel>

namespace vn574::document {
class Editor;
}

namespace vn574::ui {

// The grid MFG as Qt sees it: a view of the editor's ChannelGrid, which stays the only
// copy. Grid row 0 (the headings) and column 0 (the row labels) are the header
// sections, so model index (r, c) shows grid cell (r + 1, c + 1).
class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelGridModel(document::Editor& editor, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The heading of the label column (grid cell 0, 0).
    [[nodiscard]] QString cornerText() const;

    // The editor's grid changed: every cell and heading is shown again.
    void refresh();

    // The live checks of the cells shown, run again at the first look after a refresh:
    // a command that changes many rows refreshes once per row, and the checks need only
    // follow the last.
    [[nodiscard]] const document::CellChecks& checks() const;

private:
    [[nodiscard]] bool isCell(const QModelIndex& index) const;

    document::Editor& m_editor;
    mutable document::CellChecks m_checks;
    mutable bool m_checksStale = true;
};

} // namespace vn574::ui
