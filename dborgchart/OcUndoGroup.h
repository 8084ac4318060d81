// TzqOcUndoGroup: several changes of a data-bound chart recorded as one user action in
// its undo history ("Add Node" with the new node's look), undone and redone together.
//
// The group counts once it is committed; a group left without Commit (its changes
// were rolled back with the caller's transaction) records nothing. Groups nest: only
// the outermost one makes an entry.
#pragma once

#include "dborgchart/DbOrgChart.h"

#include <string>

class TzqOcUndoGroup {
public:
    TzqOcUndoGroup(TzqDbOrgChart& Chart, const std::string& Caption) : m_chart(Chart)
    {
        m_chart.BeginUndoGroup(Caption);
    }
    ~TzqOcUndoGroup()
    {
        if (!m_done)
            m_chart.EndUndoGroup(false);
    }
    void Commit()
    {
        if (m_done)
            return;
        m_done = true;
        m_chart.EndUndoGroup(true);
    }
    TzqOcUndoGroup(const TzqOcUndoGroup&) = delete;
    TzqOcUndoGroup& operator=(const TzqOcUndoGroup&) = delete;

private:
    TzqDbOrgChart& m_chart;
    bool m_done = false;
};
