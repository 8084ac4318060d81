// TzqOcUndoJournal: what a write-back of a data-bound chart changed in the chart's own
// bookkeeping, so that it can be put back exactly when the action's transaction is
// rolled back.
//
// A rolled-back action leaves the table as it was before; the chart then takes back the
// keys, parent keys and order values its nodes were given and the record positions it
// added, erased or moved, in reverse order. The chart is then exactly as before the
// action, which the table is too, without reading the records again (a reload in place
// would cost a pass over the table and could place equal siblings otherwise).
#pragma once

#include "dborgchart/OcRecordPositions.h"
#include "platform/data/Variant.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TzqDbOcNode;
class TzqDbOrgChart;

class TzqOcUndoJournal {
public:
    void Clear() { m_steps.clear(); }
    // Where an action starts: an action inside another undoes only its own steps.
    size_t Mark() const { return m_steps.size(); }
    // Before a node's key, parent key, order value or record slot changes.
    void RememberNode(TzqDbOcNode* Node);
    void SlotAdded(TzqOcRecordPositions::Slot Slot);
    // Before the slot at Position leaves, or moves away from Position.
    void SlotErased(TzqOcRecordPositions::Slot Slot, int Position);
    void SlotMoved(TzqOcRecordPositions::Slot Slot, int OldPosition);
    // Puts everything since the mark back, last change first, and forgets it.
    void Undo(TzqDbOrgChart& Chart, size_t Mark = 0);

private:
    enum class TKind : uint8_t { Node, SlotAdded, SlotErased, SlotMoved };
    struct Step {
        TKind Kind = TKind::Node;
        TzqDbOcNode* Node = nullptr;
        Variant Key, ParentKey, OrderValue;
        TzqOcRecordPositions::Slot Slot = TzqOcRecordPositions::kNoSlot;
        int Position = -1;
    };
    void AddSlotStep(TKind Kind, TzqOcRecordPositions::Slot Slot, int Position);

    std::vector<Step> m_steps;
};
