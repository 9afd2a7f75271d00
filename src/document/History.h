#pragma once

#include "document/ChannelGrid.h"
#include "document/Document.h"

#include <cstddef>
#include <deque>
#include <string>

namespace vn574::document {

// Everything a save or a write takes from the editor, and what the grid shows of it.
struct EditorState {
    Document doc;
    ChannelGrid grid;
    std::string modelCodeLabel;

    // Whether the two states hold the same programming; bModify, the read flag and a
    // dialog's working copy are not part of it.
    [[nodiscard]] bool sameContent(const EditorState& other) const;
};

// The undo history: whole states, each reached by a named step. Whole states make an
// undo exact whatever a command touched, and at a few tens of kB each the bounded depth
// keeps the memory small.
class History {
public:
    static constexpr std::size_t defaultDepth = 200;

    explicit History(std::size_t depth = defaultDepth) : m_depth(depth < 1 ? 1 : depth) {}

    // Starts again from `state`, with nothing to undo. `clean` tells whether it is the
    // state of the file (or one with nothing worth saving).
    void reset(EditorState state, bool clean);
    // Records `state`, reached by the step `name`, unless it holds what the current state
    // holds. Drops what could be redone, and the oldest step beyond the depth. Returns
    // whether a step was recorded.
    bool record(std::string name, EditorState state, bool clean);

    [[nodiscard]] bool canUndo() const { return m_current > 0; }
    [[nodiscard]] bool canRedo() const { return m_current + 1 < m_entries.size(); }
    // Names of the step an undo takes back and the one a redo does again.
    [[nodiscard]] const std::string& undoName() const;
    [[nodiscard]] const std::string& redoName() const;
    // Moves one step back or on; returns the state now current. Only when possible.
    const EditorState& undo();
    const EditorState& redo();

    [[nodiscard]] bool empty() const { return m_entries.empty(); }
    [[nodiscard]] const EditorState& current() const { return m_entries[m_current].state; }
    [[nodiscard]] bool isClean() const { return !empty() && m_entries[m_current].clean; }
    // The current state has been saved: it is the only one the file holds.
    void markSaved();
    [[nodiscard]] std::size_t stepCount() const {
        return m_entries.empty() ? 0 : m_entries.size() - 1;
    }

private:
    struct Entry {
        std::string name; // the step that led here
        EditorState state;
        bool clean = false;
    };
    std::deque<Entry> m_entries;
    std::size_t m_current = 0;
    std::size_t m_depth;
};

} // namespace vn574::document
