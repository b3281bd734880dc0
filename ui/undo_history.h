// The undo and redo history of the results window's rejections, without Qt: whole snapshots of
// what a change replaced, so stepping back restores exactly what was there and computes nothing.
#pragma once

#include <utility>
#include <vector>

namespace sifton {

template <typename State>
class UndoHistory {
  public:
    // A change was made: 'before' is what it replaced. A new change drops what could be redone.
    void changed(State before) {
        m_undo.push_back(std::move(before));
        m_redo.clear();
    }

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }

    // Only when canUndo(): the state before the last change; 'current' is kept for redo.
    State undo(State current) { return step(m_undo, m_redo, std::move(current)); }
    // Only when canRedo(): the state the last undo left; 'current' is kept for undo.
    State redo(State current) { return step(m_redo, m_undo, std::move(current)); }

    // Changes every state kept, for undo and for redo alike: a change that holds for the whole
    // history, such as what the second field states.
    template <typename Change>
    void forEach(Change change) {
        for (State& state : m_undo) change(state);
        for (State& state : m_redo) change(state);
    }

    void clear() {
        m_undo.clear();
        m_redo.clear();
    }

  private:
    static State step(std::vector<State>& from, std::vector<State>& to, State current) {
        to.push_back(std::move(current));
        State state = std::move(from.back());
        from.pop_back();
        return state;
    }

    std::vector<State> m_undo, m_redo;
};

}  // namespace sifton
