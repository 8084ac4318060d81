// TzqOcWriteAction: the frame of one write-back of a data-bound chart, from its start
// to its commit or failure.
//
// On entry the chart's SyncEnabled goes off (the notifications the dataset sends while
// the chart writes are its own and are not acted on), the dataset's controls stop
// following the cursor, an edit another control left pending is posted first (so that a
// failure of this action cannot take it along), and on a table a transaction begins.
// The record the cursor is on is remembered by its slot, so that the cursor returns to
// the same record even when records before it were deleted or moved.
//
// Commit writes the transaction (the action is durable from then on), returns the
// cursor, enables the controls and gives SyncEnabled back. Fail cancels the pending
// insert or edit, rolls the transaction back (the table reloads its records from the
// file), returns the cursor to the record it was on and restores the guards; it never
// raises. Leaving the scope without either is a failure.
#pragma once

#include "dborgchart/OcRecordPositions.h"
#include "dborgchart/OcScopes.h"

class TDataSet;
class TTable;
class TzqDbOrgChart;

class TzqOcWriteAction {
public:
    explicit TzqOcWriteAction(TzqDbOrgChart& Chart);
    ~TzqOcWriteAction();
    TzqOcWriteAction(const TzqOcWriteAction&) = delete;
    TzqOcWriteAction& operator=(const TzqOcWriteAction&) = delete;

    // The dataset was asked to change a record: after a failure the chart must be
    // brought back in line with the dataset.
    void MarkTouched() { m_touched = true; }
    bool Touched() const { return m_touched; }
    // A record slot is about to leave; if the cursor was to return to it, it returns to
    // the position instead (the record that took its place).
    void SlotErased(TzqOcRecordPositions::Slot Slot, int Position);

    void Commit();
    void Fail() noexcept;

private:
    void ReturnCursor();
    void Finish() noexcept;

    TzqDbOrgChart& m_chart;
    TDataSet* m_dataSet;
    TTable* m_table;
    TzqOcWriteAction* m_outer;
    TzqOcFlagScope m_sync;
    TzqOcControlsScope m_controls;
    int m_startIndex;
    int m_returnIndex;
    TzqOcRecordPositions::Slot m_returnSlot;
    bool m_inTransaction = false;
    bool m_touched = false;
    bool m_done = false;
};
