// TzqDbOrgChart: the selected node and the dataset's current record following each
// other. The chart reaches a node's record by a relative move to its record index and
// checks the key it arrives at; it learns which node a record belongs to from the key
// index. Only a record whose index turned out stale is searched for by its key.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/OcFieldValues.h"
#include "dborgchart/OcScopes.h"
#include "platform/core/Exception.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

namespace {

constexpr int kToFirstRecord = -99999999;

} // namespace

void TzqDbOrgChart::GoToIndex(int Index)
{
    if (Index != m_currentIndex)
        m_currentIndex += DataSet()->MoveBy(Index - m_currentIndex);
}

bool TzqDbOrgChart::LocateNode(TzqDbOcNode* Node)
{
    // A node without a record (made while write-back was off) has nowhere to go.
    if (!Node || Node->m_slot == TzqOcRecordPositions::kNoSlot || !IsReady())
        return false;
    return LocateNodeAt(Node, Node->RecordIndex());
}

bool TzqDbOrgChart::LocateNodeAt(TzqDbOcNode* Node, int Position)
{
    if (!Node || Node->m_slot == TzqOcRecordPositions::kNoSlot || !IsReady())
        return false;
    GoToIndex(Position);
    CheckBound();
    if (m_currentIndex == Position && VarEquals(KeyField()->Value(), Node->m_key))
        return true;
    return RelocateByKey(Node);
}

bool TzqDbOrgChart::RelocateByKey(TzqDbOcNode* Node)
{
    // Records were added or removed behind the chart's back: the record may stand
    // elsewhere. It is searched for once by its key; only a record that is truly gone
    // leaves the node without one.
    if (Node->m_key.IsClear())
        return false;
    TDataSet* dataSet = DataSet();
    if (!dataSet->Locate(KeyField()->FieldName(), Node->m_key))
        return false;
    const int position = dataSet->RecNo() - 1;
    if (position < 0) {
        // The dataset cannot tell where it is: count from the first record.
        dataSet->MoveBy(kToFirstRecord);
        m_currentIndex = 0;
        return false;
    }
    m_currentIndex = position;
    MoveSlot(Node->m_slot, position);
    return true;
}

void TzqDbOrgChart::CursorMoved(int Distance)
{
    if (!m_syncEnabled || !IsReady())
        return;
    TzqOcFlagScope suspended(m_syncEnabled, false);
    m_currentIndex += Distance;
    // The record's key may belong to no node (a null key, an orphan, a record added by
    // another control): then nothing is selected.
    TzqDbOcNode* node = FindNodeByKey(KeyField()->Value());
    if (node && node->RecordIndex() != m_currentIndex)
        node = nullptr;
    SetSelected(node);
    // An OnChange handler may have deleted the node: only a node still selected is
    // brought into view.
    if (node && Selected() == node)
        node->MakeVisible();
}

void TzqDbOrgChart::FieldChanged(TField* Field)
{
    TDataSet* dataSet = DataSet();
    if (!m_syncEnabled || !Selected() || !Field || !IsReady() || dataSet->State() != TDataSetState::dsEdit)
        return;
    TzqOcFlagScope suspended(m_syncEnabled, false);
    TzqOcNode* node = Selected();
    if (Field == TextField()) {
        node->AssignText(OcReadString(Field));
    } else if (Field == ImageField()) {
        const auto value = OcReadInteger(Field);
        node->SetImageIndex(value ? OcImageIndexFrom(*value) : int16_t(-1));
    }
}

void TzqDbOrgChart::Changing(TzqOcNode* Node, bool& Allow)
{
    TzqCustomOrgChart::Changing(Node, Allow);
    TzqDbOcNode* node = DbNodeOf(Node);
    if (!Allow || !m_syncEnabled || !node)
        return;
    const int remembered = m_currentIndex;
    TzqOcFlagScope suspended(m_syncEnabled, false);
    try {
        Allow = LocateNode(node);
    } catch (const Exception&) {
        // The dataset could not move (a pending edit that cannot be posted): the
        // selection stays where it is.
        Allow = false;
    }
    if (!Allow) {
        try {
            GoToIndex(remembered);
        } catch (const Exception&) {
        }
    }
}

void TzqDbOrgChart::Change(TzqOcNode* Node)
{
    if (TzqDbOcNode* node = DbNodeOf(Node); node && m_syncEnabled) {
        TzqOcFlagScope suspended(m_syncEnabled, false);
        try {
            LocateNode(node);
        } catch (const Exception&) {
            // The selection has changed already; the cursor stays where it could go.
        }
    }
    TzqCustomOrgChart::Change(Node);
}
