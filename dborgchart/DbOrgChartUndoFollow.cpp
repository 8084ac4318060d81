// TzqDbOrgChart: following an undo or redo node by node.
//
// Undoing a branch deletion adds its records back; making it again deletes them. Reading
// a whole large table again for that would cost far more than the write itself, so the
// chart makes the nodes of the records added back (parents before children, each placed
// among its siblings as a load places it) or removes the nodes of the records deleted,
// and moves the record positions of the records behind them along.
//
// This holds only where the chart's nodes and the table's records correspond one to one
// (no duplicate key, no record left out for a missing parent, no parent cycle) and the
// records written are whole branches with their parents known. Whenever the chart
// cannot be sure of showing exactly what a fresh load shows, it says so and the chart is
// built from every record again.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/OcScopes.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Passes over the records still waiting for their parent's node before giving up: the
// records of a deleted branch come back parent first, so one pass normally places all.
constexpr int kPlacingPasses = 8;

} // namespace

bool TzqDbOrgChart::FollowReplayed(const TReplayedRecords& Records)
{
    TDataSet* dataSet = DataSet();
    if (!Records.Known || !m_syncEnabled || !IsReady() || IsEditState(dataSet->State()))
        return false;
    // One node for every record, and no node held at the top level by a parent key
    // that says otherwise: nothing a fresh load would place differently.
    if (m_lastIndex + 1 != Count() || m_strayParentKeys.Size() != 0 || m_stagedCount != 0)
        return false;
    return Records.Deleted.empty() ? AddReplayedNodes(Records.Added) : RemoveReplayedNodes(Records.Deleted);
}

bool TzqDbOrgChart::RemoveReplayedNodes(const std::vector<std::pair<Variant, int>>& Deleted)
{
    TDataSet* dataSet = DataSet();
    if (dataSet->RecordCount() != m_lastIndex + 1 - int(Deleted.size()))
        return false;
    // Each record deleted had its node where the chart placed its record.
    std::vector<std::pair<int, TzqDbOcNode*>> records;
    std::unordered_set<const TzqOcNode*> doomed;
    records.reserve(Deleted.size());
    for (const auto& [key, position] : Deleted) {
        TzqDbOcNode* node = FindNodeByKey(key);
        if (!node || node->RecordIndex() != position || !doomed.insert(node).second)
            return false;
        records.emplace_back(position, node);
    }
    // Whole branches only: a child left behind would have lost its parent's record.
    std::vector<TzqDbOcNode*> tops;
    for (const auto& record : records) {
        TzqDbOcNode* node = record.second;
        for (int i = 0; i < node->Count(); ++i) {
            if (!doomed.count(node->Items(i)))
                return false;
        }
        if (!doomed.count(node->Parent()))
            tops.push_back(node);
    }
    if (dataSet->RecordCount() > 0 && dataSet->RecNo() < 1)
        return false;

    {
        BusyScope busy(*this);
        TzqOcUpdateScope update(*this);
        TzqOcFlagScope suspended(m_syncEnabled, false);
        TzqOcControlsScope controls(dataSet);
        // The slots leave from the last position back, so that each position is still
        // the record's own when its slot goes.
        std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& record : records) {
            m_positions.Erase(record.second->m_slot);
            record.second->m_slot = TzqOcRecordPositions::kNoSlot;
        }
        m_lastIndex -= int(records.size());
        m_currentIndex = std::max(dataSet->RecNo() - 1, 0);
        DeleteNodesSweeping(tops);
    }
    CursorMoved(0);
    return true;
}

bool TzqDbOrgChart::AddReplayedNodes(const std::vector<std::pair<Variant, int>>& Added)
{
    TDataSet* dataSet = DataSet();
    const int count = int(Added.size());
    if (dataSet->RecordCount() != m_lastIndex + 1 + count)
        return false;
    const int origin = dataSet->RecNo() - 1;
    if (origin < 0)
        return false;

    struct TRestored {
        Variant Key;
        int Position;
        TzqOcRecordPositions::Slot Slot = TzqOcRecordPositions::kNoSlot;
    };
    std::vector<TRestored> restored;
    restored.reserve(Added.size());
    for (const auto& [key, position] : Added) {
        // A record a load would leave out, or whose key a node answers already.
        if (key.IsClear() || FindNodeByKey(key))
            return false;
        restored.push_back({key, position});
    }
    // Every record added back takes its own position, and the records that were there
    // keep their order: the slots go in from the first position on, so that each lands
    // where its record stands once all are in.
    std::vector<size_t> byPosition(restored.size());
    for (size_t i = 0; i < byPosition.size(); ++i)
        byPosition[i] = i;
    std::sort(byPosition.begin(), byPosition.end(),
              [&](size_t a, size_t b) { return restored[a].Position < restored[b].Position; });
    for (size_t i = 1; i < byPosition.size(); ++i) {
        if (restored[byPosition[i]].Position == restored[byPosition[i - 1]].Position)
            return false;
    }

    enum class TPlacing { Placed, Waiting, Unsure };
    // Makes and places the node of one record, as a load makes it.
    auto place = [&](const TRestored& Record) {
        Variant parentValue = dataSet->ValueAt(Record.Position, ParentField());
        if (parentValue.IsEmpty() || VarEquals(parentValue, Record.Key))
            parentValue = Variant::Null();
        TzqDbOcNode* parentNode = FindNodeByKey(parentValue);
        if (!parentNode && !parentValue.IsNull())
            return TPlacing::Waiting;
        // Two records of one key (a table without a unique key): a load decides which
        // one the node follows.
        if (FindNodeByKey(Record.Key))
            return TPlacing::Unsure;
        GoToIndex(Record.Position);
        if (m_currentIndex != Record.Position || !VarEquals(KeyField()->Value(), Record.Key))
            return TPlacing::Unsure;
        const Variant order = ReadOrderValue(Record.Key);
        const int index = RestoredIndex(order, Record.Position, parentNode);
        if (index < 0)
            return TPlacing::Unsure;
        m_creatingLoadedNode = true;
        TzqDbOcNode* node = DbNodeOf(InsertNode(parentNode, 0, index));
        m_creatingLoadedNode = false;
        if (!node)
            return TPlacing::Unsure;
        node->m_key = Record.Key;
        node->m_slot = Record.Slot;
        node->m_orderValue = order;
        node->SetParentKey(parentValue);
        NoteOrderedInsert(parentNode ? static_cast<TzqOcNode*>(parentNode) : RootNode(), order);
        AddToKeyIndex(node);
        node->m_loaded = true;
        NoteKey(Record.Key);
        ApplyAttributes(node);
        if (OnLoadNode)
            OnLoadNode(this, node);
        return IsReady() ? TPlacing::Placed : TPlacing::Unsure;
    };

    bool placedAll = false;
    {
        BusyScope busy(*this);
        TzqOcUpdateScope update(*this);
        TzqOcFlagScope suspended(m_syncEnabled, false);
        TzqOcControlsScope controls(dataSet);
        m_currentIndex = origin;
        try {
            for (size_t i : byPosition)
                restored[i].Slot = m_positions.InsertAt(restored[i].Position);
            m_lastIndex += count;
            // Parents before children: a record whose parent's node is not there yet
            // waits for the next pass.
            std::vector<size_t> waiting(restored.size());
            for (size_t i = 0; i < waiting.size(); ++i)
                waiting[i] = i;
            bool unsure = false;
            for (int pass = 0; pass < kPlacingPasses && !waiting.empty() && !unsure; ++pass) {
                std::vector<size_t> next;
                for (size_t i = 0; i < waiting.size() && !unsure; ++i) {
                    const TPlacing placing = place(restored[waiting[i]]);
                    if (placing == TPlacing::Waiting)
                        next.push_back(waiting[i]);
                    unsure = placing == TPlacing::Unsure;
                }
                waiting = std::move(next);
            }
            // Records still waiting name a parent that is nowhere (or one another): a
            // load decides about those.
            placedAll = !unsure && waiting.empty();
        } catch (...) {
            // Whatever went wrong half way, the load that follows puts every node in
            // line with the records (and meets the error again if it lasts).
            m_creatingLoadedNode = false;
        }
        if (dataSet->Active())
            GoToIndex(origin);
    }
    if (!placedAll)
        return false;
    CursorMoved(0);
    return true;
}

int TzqDbOrgChart::RestoredIndex(const Variant& Order, int Position, TzqDbOcNode* Parent)
{
    TzqOcNode* list = Parent ? static_cast<TzqOcNode*>(Parent) : RootNode();
    const int count = list->Count();
    // A list a load appended to in order says sorted without the kind of its values:
    // it is looked at once.
    if (TzqOcSiblingOrder& known = ChildOrderOf(list);
        count > 0 && known.State == TzqOcSiblingOrder::TState::Sorted && known.Kind == TzqOcSiblingOrder::TKind::None)
        known.State = TzqOcSiblingOrder::TState::Unknown;
    const TzqOcSiblingOrder& state = LearnChildOrder(list);
    const auto kind = TzqOcSiblingOrder::KindOf(Order);
    if (state.State != TzqOcSiblingOrder::TState::Sorted || kind == TzqOcSiblingOrder::TKind::Other ||
        (count > 0 && state.Kind != kind))
        return -1;
    // A sibling stands before the node when its order value is lower, or equal with its
    // record read later.
    auto goesBefore = [&](int i) {
        const auto* sibling = static_cast<const TzqDbOcNode*>(list->Items(i));
        if (VarGreater(Order, sibling->m_orderValue))
            return true;
        return VarEquals(Order, sibling->m_orderValue) && sibling->RecordIndex() > Position;
    };
    // A branch comes back mostly in sibling order: the last sibling is tried first.
    if (count == 0 || goesBefore(count - 1))
        return count;
    int low = 0, high = count - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (goesBefore(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}
