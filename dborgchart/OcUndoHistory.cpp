#include "dborgchart/OcUndoHistory.h"

#include <algorithm>
#include <utility>

void TzqOcUndoHistory::SetLimit(int Value)
{
    Value = std::max(Value, 1);
    if (Value == m_limit)
        return;
    m_limit = Value;
    const size_t before = m_undo.size();
    Trim();
    if (m_undo.size() != before)
        Changed();
}

void TzqOcUndoHistory::Trim()
{
    while (int(m_undo.size()) > m_limit)
        m_undo.pop_front();
    while (int(m_redo.size()) > m_limit)
        m_redo.erase(m_redo.begin());
}

void TzqOcUndoHistory::Add(TzqOcUndoEntry Entry)
{
    m_redo.clear();
    m_undo.push_back(std::move(Entry));
    Trim();
    Changed();
}

void TzqOcUndoHistory::Undone()
{
    if (m_undo.empty())
        return;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    Changed();
}

void TzqOcUndoHistory::Redone()
{
    if (m_redo.empty())
        return;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    Changed();
}

void TzqOcUndoHistory::DropUndo()
{
    if (m_undo.empty())
        return;
    m_undo.clear();
    Changed();
}

void TzqOcUndoHistory::DropRedo()
{
    if (m_redo.empty())
        return;
    m_redo.clear();
    Changed();
}

void TzqOcUndoHistory::Clear()
{
    if (m_undo.empty() && m_redo.empty())
        return;
    m_undo.clear();
    m_redo.clear();
    Changed();
}

void TzqOcUndoHistory::Changed()
{
    if (OnChange)
        OnChange();
}
