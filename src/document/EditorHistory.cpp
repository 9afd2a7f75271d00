// The editor's undo history: what a step records, and what an undo puts back.
#include "document/Editor.h"

#include <utility>

namespace vn574::document {

EditorState Editor::currentState() const {
    return EditorState{m_doc, m_grid, m_modelCodeLabel};
}

void Editor::recordStep(std::string name, bool mayReset) {
    // A reset reaches a state as clean as a saved one: asking about it later would
    // only ask about defaults.
    // A command that changed nothing leaves bModify as the command's own rules set it.
    if (m_history.record(std::move(name), currentState(), mayReset && !m_doc.bModify)) {
        m_doc.bModify = !m_history.isClean();
    }
    notify(HistoryChanged);
}

void Editor::restartHistory() {
    m_history.reset(currentState(), !m_doc.bModify);
    notify(HistoryChanged);
}

void Editor::markSaved() {
    m_history.markSaved();
    // An editor without a history yet (never loaded) has nothing else to compare with.
    m_doc.bModify = !m_history.empty() && !m_history.isClean();
    notify(HistoryChanged);
}

bool Editor::undo() {
    if (!m_history.canUndo()) {
        return false;
    }
    restoreState(m_history.undo());
    return true;
}

bool Editor::redo() {
    if (!m_history.canRedo()) {
        return false;
    }
    restoreState(m_history.redo());
    return true;
}

void Editor::recordEdit(std::string name) {
    if (m_history.empty() || !currentState().sameContent(m_history.current())) {
        recordStep(std::move(name));
        return;
    }
    m_doc.bModify = !m_history.isClean();
    notify(HistoryChanged);
}

void Editor::cancelEdit() {
    if (m_history.empty()) {
        return;
    }
    if (!currentState().sameContent(m_history.current())) {
        restoreState(m_history.current());
        return;
    }
    m_doc.bModify = !m_history.isClean();
    notify(HistoryChanged);
}

void Editor::restoreState(const EditorState& state) {
    const bool reshow = m_doc.BeReadReshow;
    m_doc = state.doc;
    m_doc.BeReadReshow = reshow;
    m_doc.bModify = !m_history.isClean();
    m_grid = state.grid;
    m_modelCodeLabel = state.modelCodeLabel;
    // The frames show the current row's lists; what they showed may be gone.
    m_frames.hideAll();
    notify(GridChanged | ModelChanged | LabelsChanged | FramesChanged | HistoryChanged);
}

void Editor::beginRead() {
    // The status bar's second panel tells about the last read; a new one starts afresh.
    m_statusPanel2 = langText("OTHERS", "70008");
    m_beforeRead = BeforeRead{currentState(), m_fileName, m_statusPanel1, m_frames};
    notify(LabelsChanged);
}

void Editor::endRead(bool completed) {
    if (!m_beforeRead) {
        return;
    }
    BeforeRead before = std::move(*m_beforeRead);
    m_beforeRead.reset();
    if (completed) {
        // The radio's programming is the base of a fresh history; a read that brought
        // exactly what was shown leaves the history as it was.
        if (m_history.empty() || !currentState().sameContent(m_history.current())) {
            restartHistory();
        }
        return;
    }
    // The whole document as it was, bModify and the read flag included; the history was
    // not touched by the read and still leads to it.
    m_doc = std::move(before.state.doc);
    m_grid = std::move(before.state.grid);
    m_modelCodeLabel = std::move(before.state.modelCodeLabel);
    m_fileName = std::move(before.fileName);
    m_statusPanel1 = std::move(before.statusPanel1);
    m_frames = before.frames;
    m_statusPanel2 = langText("OTHERS", "70020");
    notify(GridChanged | ModelChanged | LabelsChanged | FramesChanged | HistoryChanged);
}

std::string Editor::stepName(std::string_view key, std::string_view argument) const {
    std::string text = langText("HISTORY", key);
    if (const auto at = text.find("%1"); at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

std::string Editor::cellStepName(int row, int column) const {
    std::string text = stepName("95000", m_grid.cell(0, column));
    if (const auto at = text.find("%2"); at != std::string::npos) {
        text.replace(at, 2, m_grid.cell(row, 0));
    }
    return text;
}

} // namespace vn574::document
