// Scopes that set a guard for the duration of a block and give it back on every exit,
// normal or by an exception: the data-bound chart's re-entrancy flag, the disabling
// of a dataset's attached controls and the chart's update state.
#pragma once

#include "orgchart/CustomOrgChart.h"
#include "platform/data/DataSet.h"

// Sets a flag and restores the value it had before, not a fixed one, so that scopes
// nest.
class TzqOcFlagScope {
public:
    TzqOcFlagScope(bool& Flag, bool Value) : m_flag(Flag), m_saved(Flag) { m_flag = Value; }
    ~TzqOcFlagScope() { Restore(); }
    // Gives the flag back before the scope ends.
    void Restore()
    {
        if (m_active) {
            m_flag = m_saved;
            m_active = false;
        }
    }
    TzqOcFlagScope(const TzqOcFlagScope&) = delete;
    TzqOcFlagScope& operator=(const TzqOcFlagScope&) = delete;

private:
    bool& m_flag;
    bool m_saved;
    bool m_active = true;
};

// Keeps a dataset's controls from following the cursor. Controls are enabled again
// explicitly (Release) where the order of the steps matters, else on leaving.
class TzqOcControlsScope {
public:
    explicit TzqOcControlsScope(TDataSet* DataSet) : m_dataSet(DataSet)
    {
        if (m_dataSet)
            m_dataSet->DisableControls();
    }
    ~TzqOcControlsScope() { Release(); }
    // EnableControls sends the notifications held back; a control that fails on them
    // must not take the rest of the release with it.
    void Release() noexcept
    {
        if (!m_dataSet)
            return;
        TDataSet* dataSet = m_dataSet;
        m_dataSet = nullptr;
        try {
            dataSet->EnableControls();
        } catch (...) {
        }
    }
    TzqOcControlsScope(const TzqOcControlsScope&) = delete;
    TzqOcControlsScope& operator=(const TzqOcControlsScope&) = delete;

private:
    TDataSet* m_dataSet;
};

// Runs a block as one update of the chart: no node is invalidated or laid out on its
// own while it runs, and the chart is repainted once at its end.
class TzqOcUpdateScope {
public:
    explicit TzqOcUpdateScope(TzqCustomOrgChart& Chart) : m_chart(Chart)
    {
        m_chart.BeginUpdate();
        // The one full repaint, asked for first, spares every node's own.
        m_chart.Invalidate();
    }
    ~TzqOcUpdateScope() { m_chart.EndUpdate(); }
    TzqOcUpdateScope(const TzqOcUpdateScope&) = delete;
    TzqOcUpdateScope& operator=(const TzqOcUpdateScope&) = delete;

private:
    TzqCustomOrgChart& m_chart;
};
