#include "ui/signalling/GridEditorBinding.h"

#include "ui/signalling/SignallingGridModel.h"

#include <QScrollBar>
#include <QTableView>

namespace vn574::ui::signalling {

GridEditorBinding::GridEditorBinding(QTableView* view, SignallingGridModel* model, Hooks hooks)
    : QObject(view), m_view(view), m_model(model), m_hooks(std::move(hooks)) {
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The view must not scroll on its own when the current cell moves: a scroll closes
    // the editor, so the binding scrolls first and then enters the cell.
    m_view->setAutoScroll(false);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { entered(current); });
    connect(m_view, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { entered(index); });
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { scrolled(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { scrolled(); });
}

void GridEditorBinding::entered(const QModelIndex& index) {
    if (m_busy || !index.isValid()) {
        return;
    }
    m_busy = true;
    m_view->scrollTo(index);
    m_hooks.enter(index.row() + 1, index.column());
    m_busy = false;
    sync();
}

void GridEditorBinding::scrolled() {
    if (m_busy) {
        return;
    }
    m_hooks.scrolled();
    sync();
}

void GridEditorBinding::sync() {
    if (m_busy) {
        return;
    }
    m_busy = true;
    const auto cell = m_hooks.openCell();
    const QModelIndex wanted = cell ? m_model->index(cell->first - 1, cell->second) : QModelIndex();
    if (m_open.isValid() && QModelIndex(m_open) != wanted) {
        m_view->closePersistentEditor(m_open);
        m_open = QPersistentModelIndex();
    }
    m_model->refresh();
    if (wanted.isValid()) {
        if (m_view->currentIndex() != wanted) {
            m_view->selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect);
        }
        if (!m_open.isValid()) {
            m_view->openPersistentEditor(wanted);
            m_open = wanted;
            if (QWidget* editor = m_view->indexWidget(wanted)) {
                editor->setFocus(Qt::OtherFocusReason);
            }
        }
    }
    m_busy = false;
    if (m_hooks.changed) {
        m_hooks.changed();
    }
}

} // namespace vn574::ui::signalling
