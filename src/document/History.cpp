#include "document/History.h"

#include <utility>

namespace vn574::document {
namespace {

bool sameGrid(const ChannelGrid& a, const ChannelGrid& b) {
    for (int row = 0; row < gridRowCount; ++row) {
        for (int column = 0; column < gridColumnCount; ++column) {
            if (a.cell(row, column) != b.cell(row, column)) {
                return false;
            }
        }
    }
    return true;
}

const std::string& noName() {
    static const std::string none;
    return none;
}

} // namespace

bool EditorState::sameContent(const EditorState& other) const {
    const Document& a = doc;
    const Document& b = other.doc;
    return a.strChData == b.strChData && a.strDefLine == b.strDefLine &&
           a.strRowStep == b.strRowStep && a.selectedModel == b.selectedModel &&
           a.strSetup == b.strSetup && a.strAutoDial == b.strAutoDial && a.toneData == b.toneData &&
           modelCodeLabel == other.modelCodeLabel && sameGrid(grid, other.grid);
}

void History::reset(EditorState state, bool clean) {
    m_entries.clear();
    m_entries.push_back(Entry{{}, std::move(state), clean});
    m_current = 0;
}

bool History::record(std::string name, EditorState state, bool clean) {
    if (empty()) {
        reset(std::move(state), clean);
        return false;
    }
    if (state.sameContent(current())) {
        return false;
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(m_current) + 1,
                    m_entries.end());
    m_entries.push_back(Entry{std::move(name), std::move(state), clean});
    if (m_entries.size() > m_depth + 1) {
        m_entries.pop_front();
    }
    m_current = m_entries.size() - 1;
    return true;
}

const std::string& History::undoName() const {
    return canUndo() ? m_entries[m_current].name : noName();
}

const std::string& History::redoName() const {
    return canRedo() ? m_entries[m_current + 1].name : noName();
}

const EditorState& History::undo() {
    if (canUndo()) {
        --m_current;
    }
    return current();
}

const EditorState& History::redo() {
    if (canRedo()) {
        ++m_current;
    }
    return current();
}

void History::markSaved() {
    for (Entry& entry : m_entries) {
        entry.clean = false;
    }
    if (!empty()) {
        m_entries[m_current].clean = true;
    }
}

} // namespace vn574::document
