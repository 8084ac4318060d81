// TzqOcUndoHistory: the actions of a data-bound chart that can be undone, and the ones
// undone that can be made again.
//
// A new action clears the list of actions to redo. The oldest actions leave once the
// limit is reached. OnChange is called whenever either list changes, so that a program
// can enable or disable its commands.
#pragma once

#include "dborgchart/OcUndoEntry.h"

#include <deque>
#include <functional>
#include <vector>

class TzqOcUndoHistory {
public:
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    int UndoCount() const { return int(m_undo.size()); }
    int RedoCount() const { return int(m_redo.size()); }
    // How many actions are kept (at least 1; 100 unless set).
    int Limit() const { return m_limit; }
    void SetLimit(int Value);

    // A new action: it can be undone; nothing can be redone any more.
    void Add(TzqOcUndoEntry Entry);
    // The action the next undo reverses, and the one the next redo makes again. Only
    // when there is one.
    TzqOcUndoEntry& NextUndo() { return m_undo.back(); }
    TzqOcUndoEntry& NextRedo() { return m_redo.back(); }
    const TzqOcUndoEntry& NextUndo() const { return m_undo.back(); }
    const TzqOcUndoEntry& NextRedo() const { return m_redo.back(); }
    // The next action was undone (it moves to the redo list), or redone (back).
    void Undone();
    void Redone();
    // The next action cannot be undone any more, and neither can the ones before it,
    // which built on it.
    void DropUndo();
    // The next action cannot be redone, nor the ones after it.
    void DropRedo();
    void Clear();

    std::function<void()> OnChange;

private:
    void Trim();
    void Changed();

    std::deque<TzqOcUndoEntry> m_undo;
    std::vector<TzqOcUndoEntry> m_redo;
    int m_limit = 100;
};
