#include "dborgchart/OcUndoJournal.h"

#include "dborgchart/DbOrgChart.h"

#include <algorithm>

void TzqOcUndoJournal::RememberNode(TzqDbOcNode* Node)
{
    Step step;
    step.Kind = TKind::Node;
    step.Node = Node;
    step.Key = Node->m_key;
    step.ParentKey = Node->ParentKey();
    step.OrderValue = Node->m_orderValue;
    step.Slot = Node->m_slot;
    m_steps.push_back(std::move(step));
}

void TzqOcUndoJournal::SlotAdded(TzqOcRecordPositions::Slot Slot)
{
    AddSlotStep(TKind::SlotAdded, Slot, -1);
}

void TzqOcUndoJournal::SlotErased(TzqOcRecordPositions::Slot Slot, int Position)
{
    AddSlotStep(TKind::SlotErased, Slot, Position);
}

void TzqOcUndoJournal::SlotMoved(TzqOcRecordPositions::Slot Slot, int OldPosition)
{
    AddSlotStep(TKind::SlotMoved, Slot, OldPosition);
}

void TzqOcUndoJournal::AddSlotStep(TKind Kind, TzqOcRecordPositions::Slot Slot, int Position)
{
    Step step;
    step.Kind = Kind;
    step.Slot = Slot;
    step.Position = Position;
    m_steps.push_back(std::move(step));
}

void TzqOcUndoJournal::Undo(TzqDbOrgChart& Chart, size_t Mark)
{
    TzqOcRecordPositions& positions = Chart.m_positions;
    Mark = std::min(Mark, m_steps.size());
    for (auto it = m_steps.rbegin(); it != m_steps.rend() - long(Mark); ++it) {
        switch (it->Kind) {
        case TKind::Node: {
            TzqDbOcNode* node = it->Node;
            if (!node->m_key.IsIdentical(it->Key)) {
                // The node finds its record by its old key again, and stays the same node.
                Chart.RemoveFromKeyIndex(node);
                node->m_key = it->Key;
                Chart.AddToKeyIndex(node);
            }
            node->SetParentKey(it->ParentKey);
            node->m_orderValue = it->OrderValue;
            node->m_slot = it->Slot;
            break;
        }
        case TKind::SlotAdded: positions.Erase(it->Slot); break;
        case TKind::SlotErased: positions.Restore(it->Slot, it->Position); break;
        case TKind::SlotMoved: positions.MoveTo(it->Slot, it->Position); break;
        }
    }
    m_steps.resize(Mark);
}
