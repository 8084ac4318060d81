// TzqDbOrgChart: loading the tree from the dataset in one pass.
//
// Every record is read once, in dataset order. A record whose parent record was met
// before goes straight under its parent's node, at the place its order value gives it
// among the siblings. A record whose parent record has not been met yet cannot be
// placed: its node waits at the end of the top level ("staged"), where taking it away
// again costs nothing, and is placed when the pass is over (ResolveParents).
//
// Siblings stand in the order of their order values; of two siblings with equal order
// values the one whose record was read later comes first. A node placed when the pass
// is over takes the place it would have had if its parent had been there when its
// record was read.
//
// Where loading departs from reading the records one by one literally, on purpose:
//  - A duplicate key: the later record takes over the node, and with it gives the node
//    its order value and its parent (the node moves where the later record says).
//  - A waiting node with no parent after all (a later record of its key said top
//    level) stays at the top level, placed among the top-level nodes by the order
//    rule above, never dropped.
//  - Nodes waiting for their parents are placed by that rule whatever the order of
//    their keys: a top-level node of equal order read later stands before them.
//  - A cycle of parent keys is headed by the record of the cycle read first; the head
//    stays at the top level, placed there by the same rule.
//
// A reload keeps the nodes of records that still exist (with their expansion) and
// refreshes their values, parent and place; it gives new records new nodes and removes
// the nodes of records that are gone, or whose parent record is missing.
#include "dborgchart/DbOrgChart.h"

#include "dborgchart/OcBranchForest.h"
#include "dborgchart/OcDataLink.h"
#include "dborgchart/OcFieldValues.h"
#include "dborgchart/OcScopes.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/core/Memory.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

// Further back than any dataset is long: the cursor stops at the first record.
constexpr int kToFirstRecord = -99999999;
// From this many records on, a load hands the memory its temporaries took back.
constexpr int kLargeLoad = 50000;

bool IsIntegerFieldType(TFieldType Type)
{
    return Type == TFieldType::ftSmallint || Type == TFieldType::ftInteger || Type == TFieldType::ftWord ||
           Type == TFieldType::ftAutoInc;
}

// The next node in pre-order after the whole branch of Node.
TzqOcNode* NextOutsideBranch(const TzqOcNode* Node)
{
    for (const TzqOcNode* n = Node; n; n = n->Parent()) {
        if (TzqOcNode* sibling = n->GetNextSibling())
            return sibling;
    }
    return nullptr;
}

} // namespace

void TzqDbOrgChart::ReloadNodes()
{
    TDataSet* dataSet = DataSet();
    if (!m_syncEnabled || !dataSet || IsEditState(dataSet->State()) || !IsReady())
        return;
    LoadNodes();
    if (IsReady())
        CursorMoved(0);
}

void TzqDbOrgChart::LoadNodes()
{
    if (!IsReady())
        return;
    BusyScope busy(*this);
    TzqOcUpdateScope update(*this);
    TDataSet* dataSet = DataSet();
    for (TzqOcNode* n = GetFirstNode(); n; n = n->GetNext()) {
        auto* node = static_cast<TzqDbOcNode*>(n);
        node->m_loaded = false;
        node->m_slot = TzqOcRecordPositions::kNoSlot;
    }
    TzqOcFlagScope suspended(m_syncEnabled, false);
    TzqOcControlsScope controls(dataSet);
    TzqOcFlagScope loading(m_loading, true);
    m_lastIndex = -1;
    m_currentIndex = 0;
    m_maxKey = Variant::Null();
    m_positions.Clear();
    m_positions.Reserve(dataSet->RecordCount());
    TzqOcFlagScope appending(m_appendLoad, GetFirstNode() == nullptr);
    m_orphans.clear();
    m_placedSeq.clear();
    m_placedSeq.reserve(size_t(std::max(dataSet->RecordCount(), 0)));

    // A long load says how far it got.
    TProgressIndicator progress(this, "Loading records", dataSet->RecordCount());
    const int origin = -dataSet->MoveBy(kToFirstRecord);
    auto returnCursor = [&] {
        if (dataSet->Active())
            GoToIndex(origin);
    };
    try {
        while (dataSet->Active() && !dataSet->Eof()) {
            ++m_lastIndex;
            m_currentIndex = m_lastIndex;
            LoadRecord(m_positions.Append());
            progress.Step(m_lastIndex + 1);
            // An event handler may have closed the dataset; the rebinding that follows
            // waits for the end of this load.
            if (!dataSet->Active())
                break;
            dataSet->Next();
        }
        ResolveParents();
        if (m_appendLoad)
            SortAppendedLists();
        RemoveUnloaded();
        // Waiting nodes kept their parent keys aside while the load ran; the few left
        // there keep a table that small.
        m_strayParentKeys.Compact();
        // A large load leaves its temporaries freed between the records and nodes that
        // stay: the memory they took goes back to the system.
        if (m_lastIndex + 1 >= kLargeLoad)
            ReleaseFreeMemory();
    } catch (...) {
        // A load ended by an error leaves the chart as far as it got, with every node
        // an ordinary node again, and every list in order.
        try {
            SortAppendedLists();
        } catch (...) {
        }
        EndStaging();
        try {
            returnCursor();
        } catch (...) {
        }
        throw;
    }
    EndStaging();
    m_placedSeq = {};
    returnCursor();
    controls.Release();
    suspended.Restore();
    if (IsDesigning())
        FullExpand();
}

Variant TzqDbOrgChart::ReadOrderValue(const Variant& Key) const
{
    Variant order = OrderField() ? OrderField()->Value() : Key;
    if (order.IsClear())
        order = Variant(0);
    return order;
}

void TzqDbOrgChart::NoteKey(const Variant& Key)
{
    // New integer keys count on from the largest number; a key of an integer field
    // that is no number (text a table may hold anyway) cannot be counted on from.
    if (IsIntegerFieldType(KeyField()->DataType()) && !OcIntegerOf(Key))
        return;
    if (m_maxKey.IsNull() || VarGreater(Key, m_maxKey))
        m_maxKey = Key;
}

void TzqDbOrgChart::LoadRecord(TzqOcRecordPositions::Slot RecordSlot)
{
    const Variant key = KeyField()->Value();
    if (key.IsClear())
        return;
    NoteKey(key);
    Variant parentValue = ParentField()->Value();
    // A record that names itself as its parent is a top-level record.
    if (parentValue.IsEmpty() || VarEquals(parentValue, key))
        parentValue = Variant::Null();

    TzqDbOcNode* node = FindNodeByKey(key);
    TzqDbOcNode* parentNode = FindNodeByKey(parentValue);
    if (size_t(RecordSlot) >= m_placedSeq.size())
        m_placedSeq.resize(size_t(RecordSlot) + 1, -1);
    if (!node) {
        node = CreateLoadedNode(key, parentNode, parentValue, ReadOrderValue(key), RecordSlot);
        if (!node)
            return;
        m_placedSeq[size_t(RecordSlot)] = RecordSlot;
    } else {
        // A node from the last load, or one an earlier record with the same key made:
        // this record takes it over.
        const Variant order = ReadOrderValue(key);
        const bool orderChanged = !order.IsIdentical(node->m_orderValue);
        if (orderChanged) {
            node->m_orderValue = order;
            MarkChildOrderUnknown(node->Parent() ? node->Parent() : RootNode());
        }
        const int32_t placed = PlacedSeq(node);
        const bool placedAnew = PlaceLoadedNode(node, parentNode, parentValue, orderChanged);
        m_placedSeq[size_t(RecordSlot)] = placedAnew ? RecordSlot : placed;
    }
    // The record's parent value is what the node's parent is looked up by later.
    node->SetParentKey(parentValue);
    node->m_slot = RecordSlot;
    node->m_loaded = true;
    if (!IsReady())
        return; // an OnCreateNode handler closed the dataset
    ApplyAttributes(node);
    if (OnLoadNode)
        OnLoadNode(this, node);
}

void TzqDbOrgChart::ApplyAttributes(TzqDbOcNode* Node)
{
    if (TextField())
        Node->AssignText(OcReadString(TextField()));
    auto read = [](TField* field) { return field ? OcReadInteger(field) : std::nullopt; };
    if (WidthField()) {
        const auto v = read(WidthField());
        Node->SetWidth(v ? OcSizeFrom(*v) : 0);
    }
    if (HeightField()) {
        const auto v = read(HeightField());
        Node->SetHeight(v ? OcSizeFrom(*v) : 0);
    }
    if (ColorField()) {
        const auto v = read(ColorField());
        Node->SetColor(v ? OcColorFrom(*v) : clNone);
    }
    if (ShapeField()) {
        const auto v = read(ShapeField());
        Node->SetShape(TzqOcShape(v ? OcEnumFrom(*v) : 0));
    }
    if (AlignField()) {
        const auto v = read(AlignField());
        Node->SetAlign(TzqOcNodeAlign(v ? OcEnumFrom(*v) : 1));
    }
    if (ImageAlignField()) {
        const auto v = read(ImageAlignField());
        Node->SetImageAlign(TzqOcImageAlign(v ? OcEnumFrom(*v) : 0));
    }
    if (ImageField()) {
        const auto v = read(ImageField());
        Node->SetImageIndex(v ? OcImageIndexFrom(*v) : int16_t(-1));
    }
}

TzqDbOcNode* TzqDbOrgChart::CreateLoadedNode(const Variant& Key, TzqDbOcNode* ParentNode, const Variant& ParentValue,
                                             const Variant& Order, TzqOcRecordPositions::Slot RecordSlot)
{
    // A parent that may still come later: wait at the end of the top level.
    const bool stage = !ParentNode && !ParentValue.IsNull();
    int position = -1;
    if (!stage)
        position = m_appendLoad ? GenuineChildCount(ParentNode ? ParentNode : RootNode()) : IndexForOrder(Order, ParentNode);
    m_creatingLoadedNode = true;
    TzqDbOcNode* node = DbNodeOf(InsertNode(ParentNode, 0, position));
    m_creatingLoadedNode = false;
    if (!node)
        return nullptr;
    node->m_key = Key;
    node->m_slot = RecordSlot;
    node->m_orderValue = Order;
    node->SetParentKey(ParentNode ? ParentNode->m_key.Get() : Variant::Null());
    if (stage) {
        node->m_staged = true;
        ++m_stagedCount;
    } else if (m_appendLoad) {
        NoteAppended(node);
    } else {
        NoteOrderedInsert(ParentNode ? ParentNode : RootNode(), Order);
    }
    AddToKeyIndex(node);
    return node;
}

bool TzqDbOrgChart::PlaceLoadedNode(TzqDbOcNode* Node, TzqDbOcNode* ParentNode, const Variant& ParentValue,
                                    bool OrderChanged)
{
    if (!ParentNode && !ParentValue.IsNull())
        return Stage(Node) || OrderChanged;
    if (ParentNode != Node->Parent() || Node->m_staged) {
        // Refused only when the new parent lies below the node: a cycle, which the
        // end of the pass breaks.
        if (!MoveUnder(Node, ParentNode))
            Stage(Node);
        return true;
    }
    if (OrderChanged)
        Reposition(Node);
    return OrderChanged;
}

void TzqDbOrgChart::Reposition(TzqDbOcNode* Node)
{
    // The order value changed: the node goes before the first other sibling whose order
    // value is not below its own.
    TzqOcNode* list = Node->Parent() ? Node->Parent() : RootNode();
    int position = 0;
    for (TzqOcNode* n = list->GetFirstChild(); n; n = n->GetNextSibling()) {
        auto* sibling = static_cast<TzqDbOcNode*>(n);
        if (sibling->m_staged)
            break;
        if (sibling == Node)
            continue;
        if (!VarGreater(Node->m_orderValue, sibling->m_orderValue))
            break;
        ++position;
    }
    if (m_appendLoad) {
        // An appending load moves it to the end, and sorts the list later.
        position = GenuineChildCount(list) - 1;
        if (position != Node->Index()) {
            TzqOcFlagScope ordered(m_orderedMove, true);
            MoveNode(Node->Parent(), Node, position);
        }
        NoteAppended(Node);
        return;
    }
    // Already there: taking it out and back would collapse a parent of one child.
    if (position == Node->Index())
        return;
    TzqOcFlagScope ordered(m_orderedMove, true);
    MoveNode(Node->Parent(), Node, position);
}

// ---- Sibling order ----

TzqOcSiblingOrder& TzqDbOrgChart::ChildOrderOf(TzqOcNode* Parent)
{
    if (!Parent || Parent == RootNode())
        return m_topLevelOrder;
    return static_cast<TzqDbOcNode*>(Parent)->m_childOrder;
}

void TzqDbOrgChart::MarkChildOrderUnknown(TzqOcNode* Parent)
{
    ChildOrderOf(Parent).State = TzqOcSiblingOrder::TState::Unknown;
}

void TzqDbOrgChart::NoteOrderedInsert(TzqOcNode* Parent, const Variant& Order)
{
    // The node went where IndexForOrder put it: a sorted list of one kind stays sorted.
    TzqOcSiblingOrder& order = ChildOrderOf(Parent);
    if (order.State != TzqOcSiblingOrder::TState::Sorted)
        return;
    const auto kind = TzqOcSiblingOrder::KindOf(Order);
    if (kind == TzqOcSiblingOrder::TKind::Other ||
        (order.Kind != TzqOcSiblingOrder::TKind::None && order.Kind != kind)) {
        order.State = TzqOcSiblingOrder::TState::Unsorted;
        return;
    }
    order.Kind = kind;
}

int TzqDbOrgChart::GenuineChildCount(const TzqOcNode* Parent) const
{
    if (!Parent || Parent == RootNode())
        return RootNode()->Count() - m_stagedCount;
    return Parent->Count();
}

int TzqDbOrgChart::IndexForOrder(const Variant& Order, TzqDbOcNode* Parent)
{
    // A node placed now is the latest: it goes before every sibling of equal order.
    return PositionFor(Order, INT32_MAX, Parent);
}

int TzqDbOrgChart::PositionFor(const Variant& Order, int32_t Seq, TzqDbOcNode* Parent)
{
    TzqOcNode* list = Parent ? static_cast<TzqOcNode*>(Parent) : RootNode();
    const int count = GenuineChildCount(list);
    auto siblingAt = [&](int i) { return static_cast<TzqDbOcNode*>(list->Items(i)); };
    // Whether the sibling stands before the node being placed: a lower order value, or
    // an equal one whose record was read later.
    auto goesBefore = [&](const TzqDbOcNode* sibling) {
        if (VarGreater(Order, sibling->m_orderValue))
            return true;
        return Seq != INT32_MAX && PlacedSeq(sibling) > Seq && VarEquals(Order, sibling->m_orderValue);
    };
    TzqOcSiblingOrder& state = LearnChildOrder(list);
    const auto kind = TzqOcSiblingOrder::KindOf(Order);
    const bool searchable = state.State == TzqOcSiblingOrder::TState::Sorted && kind != TzqOcSiblingOrder::TKind::Other &&
                            (count == 0 || state.Kind == kind);
    if (searchable) {
        // "The sibling goes before" holds for a leading run of the siblings; its length
        // is the place. Loads mostly append: the last sibling is tried first.
        if (count == 0 || goesBefore(siblingAt(count - 1)))
            return count;
        int low = 0, high = count - 1;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (goesBefore(siblingAt(middle)))
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }
    int position = 0;
    for (TzqOcNode* n = list->GetFirstChild(); n && position < count && goesBefore(static_cast<TzqDbOcNode*>(n));
         n = n->GetNextSibling())
        ++position;
    return position;
}

TzqOcSiblingOrder& TzqDbOrgChart::LearnChildOrder(TzqOcNode* List)
{
    TzqOcSiblingOrder& state = ChildOrderOf(List);
    if (state.State != TzqOcSiblingOrder::TState::Unknown)
        return state;
    // One look at the whole list, after which it is placed into by binary search again
    // as long as it stays sorted.
    state.State = TzqOcSiblingOrder::TState::Sorted;
    state.Kind = TzqOcSiblingOrder::TKind::None;
    const TzqDbOcNode* previous = nullptr;
    for (TzqOcNode* n = List->GetFirstChild(); n && state.State == TzqOcSiblingOrder::TState::Sorted;
         n = n->GetNextSibling()) {
        auto* sibling = static_cast<TzqDbOcNode*>(n);
        if (sibling->m_staged)
            break;
        const auto kind = TzqOcSiblingOrder::KindOf(sibling->m_orderValue);
        if (kind == TzqOcSiblingOrder::TKind::Other || (previous && kind != state.Kind) ||
            (previous && VarGreater(previous->m_orderValue, sibling->m_orderValue)))
            state.State = TzqOcSiblingOrder::TState::Unsorted;
        state.Kind = kind;
        previous = sibling;
    }
    return state;
}

bool TzqDbOrgChart::MoveUnder(TzqDbOcNode* Node, TzqDbOcNode* NewParent)
{
    // Never under itself or its own branch: this is what breaks parent cycles. (The
    // chart's MoveNode refuses a new parent inside the node's branch.)
    if (NewParent == Node)
        return false;
    TzqOcNode* list = NewParent ? static_cast<TzqOcNode*>(NewParent) : RootNode();
    const int position = m_appendLoad ? GenuineChildCount(list) : IndexForOrder(Node->m_orderValue, NewParent);
    {
        TzqOcFlagScope ordered(m_orderedMove, true);
        MoveNode(NewParent, Node, position);
    }
    // A waiting node asked to the top level may find itself at that place already (the
    // first of the waiting nodes): it stops waiting there.
    if (!NewParent && Node->m_staged && !Node->Parent() && Node->Index() == GenuineChildCount(list))
        Unstage(Node);
    const bool moved = Node->Parent() == NewParent && !Node->m_staged;
    if (moved) {
        if (m_appendLoad)
            NoteAppended(Node);
        else
            NoteOrderedInsert(list, Node->m_orderValue);
    }
    return moved;
}

int32_t TzqDbOrgChart::PlacedSeq(const TzqDbOcNode* Node) const
{
    const int32_t slot = Node->m_slot;
    return slot >= 0 && size_t(slot) < m_placedSeq.size() ? m_placedSeq[size_t(slot)] : -1;
}

// ---- Appending loads ----
//
// A load into an empty chart does not search for each node's place among its siblings,
// which would visit nodes all over memory for every record of a long list. Every node
// goes to the end of its list; a list whose children arrived out of order is marked and
// sorted once when the pass is over, by the same rule: order value first, then the
// record read later first. Lists whose order values do not all compare with one another
// are rebuilt by placing the children one by one the way a reload places them.

void TzqDbOrgChart::NoteAppended(TzqDbOcNode* Node)
{
    TzqOcSiblingOrder& order = ChildOrderOf(Node->Parent() ? Node->Parent() : RootNode());
    if (order.PendingSort)
        return;
    const auto* previous = static_cast<const TzqDbOcNode*>(Node->GetPrevSibling());
    if (previous && !VarGreater(Node->m_orderValue, previous->m_orderValue))
        order.PendingSort = true;
}

void TzqDbOrgChart::SortAppendedLists()
{
    auto sortIfMarked = [this](TzqOcNode* list) {
        TzqOcSiblingOrder& order = ChildOrderOf(list);
        if (!order.PendingSort)
            return;
        order.PendingSort = false;
        order.State = TzqOcSiblingOrder::TState::Unknown;
        SortChildren(list);
    };
    sortIfMarked(RootNode());
    m_keyIndex.ForEach([&](TzqDbOcNode* node) { sortIfMarked(node); });
}

void TzqDbOrgChart::SortChildren(TzqOcNode* List)
{
    struct Entry {
        TzqDbOcNode* Node;
        int64_t IntegerOrder;
        int32_t Seq;
        bool IsInteger;
    };
    const int count = GenuineChildCount(List);
    std::vector<Entry> entries;
    entries.reserve(size_t(count));
    auto kind = TzqOcSiblingOrder::TKind::None;
    bool comparable = true;
    for (TzqOcNode* n = List->GetFirstChild(); n && int(entries.size()) < count; n = n->GetNextSibling()) {
        auto* node = static_cast<TzqDbOcNode*>(n);
        const Variant& order = node->m_orderValue;
        const auto nodeKind = TzqOcSiblingOrder::KindOf(order);
        if (nodeKind == TzqOcSiblingOrder::TKind::Other || (kind != TzqOcSiblingOrder::TKind::None && nodeKind != kind))
            comparable = false;
        kind = nodeKind;
        const bool isInteger = order.Type() == TVarType::varInteger;
        entries.push_back({node, isInteger ? order.RawInt() : 0, PlacedSeq(node), isInteger});
    }
    // Whether a stands before b: a lower order value, or an equal one read later.
    auto before = [](const Entry& a, const Entry& b) {
        if (a.IsInteger && b.IsInteger) {
            if (a.IntegerOrder != b.IntegerOrder)
                return a.IntegerOrder < b.IntegerOrder;
        } else if (VarGreater(b.Node->m_orderValue, a.Node->m_orderValue)) {
            return true;
        } else if (!VarEquals(a.Node->m_orderValue, b.Node->m_orderValue)) {
            return false;
        }
        return a.Seq > b.Seq;
    };
    std::vector<TzqOcNode*> ordered;
    ordered.reserve(entries.size());
    if (comparable) {
        std::sort(entries.begin(), entries.end(), before);
        for (const Entry& e : entries)
            ordered.push_back(e.Node);
    } else {
        // Values that do not compare are no order to sort by: each child is placed in
        // turn before the first sibling it does not come after.
        for (const Entry& e : entries) {
            size_t position = 0;
            while (position < ordered.size()) {
                const auto* sibling = static_cast<const TzqDbOcNode*>(ordered[position]);
                const bool siblingFirst = VarGreater(e.Node->m_orderValue, sibling->m_orderValue) ||
                                          (PlacedSeq(sibling) > e.Seq && VarEquals(e.Node->m_orderValue, sibling->m_orderValue));
                if (!siblingFirst)
                    break;
                ++position;
            }
            ordered.insert(ordered.begin() + std::ptrdiff_t(position), e.Node);
        }
    }
    ReorderChildren(List == RootNode() ? nullptr : List, ordered);
}

// ---- Staging ----

int TzqDbOrgChart::ClampTopLevelIndex(int Index) const
{
    const int genuine = RootNode()->Count() - m_stagedCount;
    return (Index < 0 || Index > genuine) ? genuine : Index;
}

bool TzqDbOrgChart::Stage(TzqDbOcNode* Node)
{
    if (Node->m_staged)
        return false;
    TzqCustomOrgChart::MoveNode(nullptr, Node, -1);
    if (Node->Parent())
        return false; // the move was refused; the node stays where it is
    Node->m_staged = true;
    ++m_stagedCount;
    return true;
}

void TzqDbOrgChart::Unstage(TzqDbOcNode* Node)
{
    if (!Node->m_staged)
        return;
    Node->m_staged = false;
    if (m_stagedCount > 0)
        --m_stagedCount;
}

void TzqDbOrgChart::EndStaging()
{
    if (m_stagedCount == 0)
        return;
    // Staged nodes are top-level nodes; any left (an error ended the pass) become
    // ordinary ones where they stand.
    TzqOcNode* root = RootNode();
    for (int i = 0; i < root->Count(); ++i)
        static_cast<TzqDbOcNode*>(root->Items(i))->m_staged = false;
    m_stagedCount = 0;
    MarkChildOrderUnknown(root);
}

void TzqDbOrgChart::ResolveParents()
{
    TzqOcNode* root = RootNode();
    std::vector<TzqDbOcNode*> staged;
    staged.reserve(size_t(m_stagedCount));
    for (TzqOcNode* n = root->Items(root->Count() - m_stagedCount); n; n = n->GetNextSibling())
        staged.push_back(static_cast<TzqDbOcNode*>(n));

    // First the parent of every waiting node is decided, from the last one back to the
    // first, as placing them one by one in that order would decide it: a node whose
    // parent lies in its own branch by then closes a cycle and stays at the top level,
    // which makes the record of a cycle read first its head. The branches are followed
    // in a union-find forest rather than by walking up from every parent.
    enum class TFate : uint8_t { Attach, TopLevel, Orphan };
    std::vector<TFate> fates(staged.size(), TFate::TopLevel);
    std::vector<TzqDbOcNode*> parents(staged.size(), nullptr);
    TzqOcBranchForest forest(m_lastIndex + 1);
    for (size_t i = staged.size(); i-- > 0;) {
        TzqDbOcNode* node = staged[i];
        if (node->ParentKey().IsClear())
            continue; // a later record of its key put it at the top level
        TzqDbOcNode* parent = FindNodeByKey(node->ParentKey());
        if (!parent) {
            fates[i] = TFate::Orphan;
            continue;
        }
        if (forest.TopOf(parent) == node)
            continue; // closes a cycle
        forest.Join(node, parent);
        fates[i] = TFate::Attach;
        parents[i] = parent;
    }

    // Then each is placed, with no cycle left to guard against.
    for (size_t i = 0; i < staged.size(); ++i) {
        TzqDbOcNode* node = staged[i];
        switch (fates[i]) {
        case TFate::Orphan:
            // Its parent record does not exist: it and its branch are left out.
            node->m_loaded = false;
            m_orphans.push_back(node);
            break;
        case TFate::Attach:
            PlaceWaitingNode(node, parents[i]);
            node->SetParentKey(parents[i]->m_key);
            break;
        case TFate::TopLevel:
            PlaceWaitingNode(node, nullptr);
            break;
        }
    }
}

void TzqDbOrgChart::PlaceWaitingNode(TzqDbOcNode* Node, TzqDbOcNode* Parent)
{
    // Placed among the top-level nodes proper, before it leaves the staged ones.
    TzqOcNode* list = Parent ? static_cast<TzqOcNode*>(Parent) : RootNode();
    const int position =
        m_appendLoad ? GenuineChildCount(list) : PositionFor(Node->m_orderValue, PlacedSeq(Node), Parent);
    RelinkNode(Parent, Node, position);
    Unstage(Node);
    if (m_appendLoad)
        NoteAppended(Node);
    else
        NoteOrderedInsert(list, Node->m_orderValue);
}

void TzqDbOrgChart::RemoveUnloaded()
{
    // The top node of every branch to go, found in one walk that skips the inside of
    // each such branch; then deleted last first, so that the staged orphans at the end
    // of the top level go from the end of the list.
    std::vector<TzqDbOcNode*> doomed;
    if (m_appendLoad) {
        // A load into an empty chart made a node for every record it read: the only
        // nodes to go are those whose parent record was missing.
        doomed = std::move(m_orphans);
    } else {
        for (TzqOcNode* n = GetFirstNode(); n;) {
            auto* node = static_cast<TzqDbOcNode*>(n);
            if (!node->m_loaded) {
                doomed.push_back(node);
                n = NextOutsideBranch(n);
            } else {
                n = n->GetNext();
            }
        }
    }
    m_orphans.clear();
    DeleteNodesSweeping(doomed);
}

void TzqDbOrgChart::DeleteNodesSweeping(const std::vector<TzqDbOcNode*>& Nodes)
{
    if (Nodes.empty())
        return;
    // An event handler may delete nodes too: a node freed meanwhile is not touched.
    std::unordered_set<TzqDbOcNode*> freed;
    m_sweepFreed = &freed;
    try {
        for (auto it = Nodes.rbegin(); it != Nodes.rend(); ++it) {
            if (!freed.count(*it))
                DeleteNode(*it);
        }
    } catch (...) {
        m_sweepFreed = nullptr;
        throw;
    }
    m_sweepFreed = nullptr;
}
