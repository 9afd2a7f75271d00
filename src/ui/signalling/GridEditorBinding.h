#pragma once

#include <QObject>
#include <QPersistentModelIndex>

#include <functional>
#include <optional>
#include <utility>

class QTableView;

namespace vn574::ui::signalling {

class SignallingGridModel;

// Keeps a memory grid's in-place editor where the editor logic says it is. Entering a
// cell (click or cursor move) and scrolling go to the logic, which commits and decides
// which editor opens; the view then opens, moves or closes its one persistent editor
// to match. Rows and columns given to the hooks are the logic's (data rows from 1).
class GridEditorBinding : public QObject {
public:
    struct Hooks {
        std::function<void(int row, int column)> enter;
        std::function<void()> scrolled;
        // The cell whose in-place editor is shown, if any.
        std::function<std::optional<std::pair<int, int>>()> openCell;
        std::function<void()> changed; // the logic changed: refresh what else shows it
    };

    GridEditorBinding(QTableView* view, SignallingGridModel* model, Hooks hooks);

    // Refreshes the grid and shows the editor the logic has open.
    void sync();

private:
    void entered(const QModelIndex& index);
    void scrolled();

    QTableView* m_view;
    SignallingGridModel* m_model;
    Hooks m_hooks;
    QPersistentModelIndex m_open;
    bool m_busy = false;
};

} // namespace vn574::ui::signalling
