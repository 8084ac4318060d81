#include "dborgchart/OcWriteAction.h"

#include "dborgchart/DbOrgChart.h"
#include "platform/data/DataSet.h"
#include "platform/data/Table.h"

#include <algorithm>

namespace {

// Further back than any dataset is long: the cursor stops at the first record.
constexpr int kToFirstRecord = -99999999;

} // namespace

TzqOcWriteAction::TzqOcWriteAction(TzqDbOrgChart& Chart)
    : m_chart(Chart),
      m_dataSet(Chart.DataSet()),
      m_table(dynamic_cast<TTable*>(m_dataSet)),
      m_outer(Chart.m_action),
      m_sync(Chart.m_syncEnabled, false),
      m_controls(m_dataSet),
      m_startIndex(Chart.m_currentIndex),
      m_returnIndex(Chart.m_currentIndex),
      m_returnSlot(Chart.m_positions.At(Chart.m_currentIndex))
{
    // An edit another control left pending is posted on its own first: it is that
    // control's change, and a failure of this action must not roll it back.
    if (IsEditState(m_dataSet->State()))
        m_dataSet->CheckBrowseMode();
    if (m_table) {
        m_table->StartTransaction();
        m_inTransaction = true;
    }
    m_chart.m_action = this;
}

TzqOcWriteAction::~TzqOcWriteAction()
{
    if (!m_done)
        Fail();
}

void TzqOcWriteAction::SlotErased(TzqOcRecordPositions::Slot Slot, int Position)
{
    if (m_returnSlot != TzqOcRecordPositions::kNoSlot) {
        if (Slot == m_returnSlot) {
            m_returnSlot = TzqOcRecordPositions::kNoSlot;
            m_returnIndex = Position;
        }
    } else if (Position < m_returnIndex) {
        --m_returnIndex;
    }
}

void TzqOcWriteAction::ReturnCursor()
{
    int target = m_chart.m_positions.Contains(m_returnSlot) ? m_chart.m_positions.PositionOf(m_returnSlot)
                                                            : std::min(m_returnIndex, m_chart.m_lastIndex);
    m_chart.GoToIndex(std::max(target, 0));
}

void TzqOcWriteAction::Commit()
{
    if (m_inTransaction) {
        m_table->Commit();
        m_inTransaction = false;
    }
    ReturnCursor();
    Finish();
}

void TzqOcWriteAction::Fail() noexcept
{
    if (m_done)
        return;
    try {
        if (m_dataSet->Active() && IsEditState(m_dataSet->State()))
            m_dataSet->Cancel();
    } catch (...) {
    }
    if (m_inTransaction) {
        m_inTransaction = false;
        try {
            m_table->Rollback();
        } catch (...) {
            // The table reloads what its file holds either way.
        }
    }
    try {
        if (m_dataSet->Active()) {
            // After a cancel or a rollback the cursor stands where the dataset chose:
            // count it from the first record, then go back to where the action began,
            // which is the same record again once the changes are undone.
            m_dataSet->MoveBy(kToFirstRecord);
            m_chart.m_currentIndex = 0;
            m_chart.GoToIndex(std::max(m_startIndex, 0));
        }
    } catch (...) {
    }
    Finish();
}

void TzqOcWriteAction::Finish() noexcept
{
    m_done = true;
    m_chart.m_action = m_outer;
    m_controls.Release();
    m_sync.Restore();
}
