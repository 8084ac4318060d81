// TzqCustomOrgChart: creation and destruction, the tree operations (insert, move,
// delete), the selection, update nesting, repainting of single nodes and the
// properties. Layout, painting and input are in the files beside this one.
#include "orgchart/CustomOrgChart.h"

#include "platform/controls/ProgressIndicator.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/ChangeLink.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <utility>

TzqCustomOrgChart::TzqCustomOrgChart(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_root = new TzqOcNode(this);
    m_root->m_expanded = true;
    SetBounds(Left(), Top(), 320, 200);
    SetParentColor(false);
    SetParentFont(false);
    SetTabStop(true);
    m_imageChangeLink = std::make_unique<TChangeLink>();
    m_imageChangeLink->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
}

TzqCustomOrgChart::~TzqCustomOrgChart()
{
    HideEditor(false);
    FreeEditor();
    m_animationBitmap.reset();
    SetSelected(nullptr);
    ReleaseImages();
    m_imageChangeLink.reset();
    // No override of DeleteNode is reached from here on: with no handler to tell, the
    // nodes go in one walk.
    if (OnDeletion)
        RunDeletion(m_root, false);
    else
        FreeAllNodes();
    // The root has no parent link, so freeing it does not come back here.
    delete m_root;
    m_root = nullptr;
}

// ---- Tree ----

TzqOcNode* TzqCustomOrgChart::Items(int Index) const
{
    return m_root->Items(Index);
}

TzqOcNode* TzqCustomOrgChart::GetFirstNode() const
{
    return m_root->Items(0);
}

bool TzqCustomOrgChart::Owns(const TzqOcNode* Node) const
{
    return Node && Node->m_chart == this;
}

bool TzqCustomOrgChart::IsInTree(const TzqOcNode* Node) const
{
    return Owns(Node) && (Node == m_root || Node->m_parent);
}

TzqOcNode* TzqCustomOrgChart::Add(TzqOcNode* Node, uint32_t Data)
{
    if (Node && !Owns(Node))
        return nullptr;
    return InsertNode(Node ? Node->Parent() : nullptr, Data, -1);
}

TzqOcNode* TzqCustomOrgChart::AddChild(TzqOcNode* Node, uint32_t Data)
{
    if (Node && !Owns(Node))
        return nullptr;
    return InsertNode(Node, Data, -1);
}

TzqOcNode* TzqCustomOrgChart::Insert(TzqOcNode* Node, uint32_t Data)
{
    if (!Owns(Node) || !Node->m_parent)
        return nullptr;
    return InsertNode(Node->Parent(), Data, Node->Index());
}

TzqOcNode* TzqCustomOrgChart::CreateNode()
{
    auto* node = new TzqOcNode(this);
    if (OnCreateNode)
        OnCreateNode(this, node);
    return node;
}

TzqOcNode* TzqCustomOrgChart::InsertNode(TzqOcNode* Parent, uint32_t Data, int Index)
{
    TzqOcNode* parent = Parent ? Parent : m_root;
    // A parent of another chart, one not linked into the tree, or one whose deletion is
    // running cannot take a child.
    if (!IsInTree(parent) || (m_deletionsUnderWay > 0 && DeletionBlocks(parent)))
        return nullptr;
    TzqOcNode* node = CreateNode();
    if (!node)
        return nullptr;
    if (node->m_chart != this || node->m_parent) {
        // A factory that answered a node it may not give away: leave it alone.
        return nullptr;
    }
    node->m_data = Data;
    LinkNode(node, parent, Index);
    if (m_count++ == 0)
        SetSelected(node);
    return node;
}

void TzqCustomOrgChart::LinkNode(TzqOcNode* Node, TzqOcNode* Parent, int Index)
{
    Parent->InsertChild(Node, Index);
    if (!GrowRowCaches(Parent, Node))
        Parent->DropLayoutCaches(TzqOcNode::CacheDirection::Both);
}

void TzqCustomOrgChart::MoveNode(TzqOcNode* Parent, TzqOcNode* Node, int Index)
{
    if (!Owns(Node) || Node == m_root || !Node->m_parent)
        return;
    TzqOcNode* target = Parent ? Parent : m_root;
    if (!IsInTree(target))
        return;
    // No cycles: the new parent may not be the node or lie below it.
    if (target == Node || target->HasAsParent(Node))
        return;
    if (m_deletionsUnderWay > 0 && (DeletionBlocks(Node) || DeletionBlocks(target)))
        return;
    RelinkNode(target, Node, Index);
}

void TzqCustomOrgChart::RelinkNode(TzqOcNode* Target, TzqOcNode* Node, int Index)
{
    TzqOcNode* target = Target ? Target : m_root;
    TzqOcNode* oldParent = Node->m_parent;
    oldParent->RemoveChild(Node);
    const bool lastChildLeft = oldParent->Count() == 0 && oldParent != m_root;
    if (target == oldParent && !lastChildLeft) {
        // A move within its row: the row's width (a sum) and height (a largest value)
        // stay; where each child stands does not.
        target->InsertChild(Node, Index);
        if (target->IsVisible())
            LayoutChanged();
        return;
    }
    // A parent that loses its last child collapses, which changes its extent even when
    // the child comes straight back: its ancestors' caches go too, dropped while it is
    // still expanded so that the walk reaches them.
    oldParent->DropLayoutCaches(TzqOcNode::CacheDirection::Both);
    if (lastChildLeft)
        oldParent->m_expanded = false;
    LinkNode(Node, target, Index);
}

void TzqCustomOrgChart::ReorderChildren(TzqOcNode* Parent, const std::vector<TzqOcNode*>& Ordered)
{
    TzqOcNode* parent = Parent ? Parent : m_root;
    if (!parent->m_children || Ordered.empty())
        return;
    parent->m_children->Reorder(Ordered);
    // The extents stay (a sum and a largest value); where each child stands does not.
    if (parent->IsVisible())
        LayoutChanged();
}

void TzqCustomOrgChart::FreeAllNodes(const std::vector<TzqOcNode*>* AllNodes)
{
    if (OnDeletion || m_deletionsUnderWay > 0 || !m_root->m_children) {
        Clear();
        return;
    }
    SetSelected(nullptr);
    ForgetHitTest();
    m_animatedNode = nullptr;
    m_dropTarget = nullptr;
    m_editedNode = nullptr;
    auto free = [this](TzqOcNode* node) {
        node->m_children.reset();
        node->m_deleting = true;
        node->SetData(0);
        node->m_parent = nullptr;
        --m_count;
        delete node;
    };
    if (AllNodes && static_cast<int>(AllNodes->size()) == m_count) {
        m_root->m_children.reset();
        for (TzqOcNode* node : *AllNodes)
            free(node);
        m_root->DropLayoutCaches(TzqOcNode::CacheDirection::Both);
        Invalidate();
        return;
    }
    // The top-level list is taken away first: every node below is unreachable from the
    // chart while the walk frees it, each node read once, its children before it goes.
    std::unique_ptr<TzqOcChildList> topLevel = std::move(m_root->m_children);
    std::vector<TzqOcNode*> pending;
    topLevel->ForEach([&](TzqOcNode* n) { pending.push_back(n); });
    topLevel.reset();
    while (!pending.empty()) {
        TzqOcNode* node = pending.back();
        pending.pop_back();
        if (node->m_children)
            node->m_children->ForEach([&](TzqOcNode* n) { pending.push_back(n); });
        free(node);
    }
    m_root->DropLayoutCaches(TzqOcNode::CacheDirection::Both);
    Invalidate();
}

void TzqCustomOrgChart::Clear()
{
    SetSelected(nullptr);
    m_root->DeleteChildren();
}

void TzqCustomOrgChart::FullExpand()
{
    m_root->Expand(true);
}

void TzqCustomOrgChart::FullCollapse()
{
    m_root->Collapse(true);
}

// ---- Deletion ----
//
// A deletion walks the subtree with a stack of its own instead of recursing, so a chain
// of any depth is deleted without exhausting the call stack. Every node still passes
// through the virtual DeleteNode (a data-bound chart deletes its record there) in
// pre-order, parent before children: the loop names the child it is about to delete
// (m_loopChild), and the base DeleteNode, reached directly or through an override,
// only begins that child's deletion (selection, OnDeletion) and returns; the loop then
// goes on with the child's own children and frees the child when they are gone.

bool TzqCustomOrgChart::DeletionBlocks(const TzqOcNode* Node) const
{
    for (const TzqOcNode* n = Node; n; n = n->m_parent) {
        if (n->m_deletionUnderWay || n->m_deleting)
            return true;
    }
    return false;
}

void TzqCustomOrgChart::DeleteNode(TzqOcNode* Node)
{
    if (!Owns(Node) || Node == m_root || !Node->m_parent)
        return;
    // A node whose deletion is running is not deleted twice.
    if (Node->m_deletionUnderWay || Node->m_deleting)
        return;
    if (Node == m_loopChild) {
        m_loopChild = nullptr;
        m_loopChildStarted = true;
        BeginNodeDeletion(Node);
        return;
    }
    // Below a node that is being deleted: that deletion takes this node with it.
    if (m_deletionsUnderWay > 0 && DeletionBlocks(Node))
        return;
    EndEditingBefore(Node);
    // One update: nothing is painted while nodes are half gone, and the chart is
    // repainted once at the end.
    struct UpdateScope {
        TzqCustomOrgChart& chart;
        explicit UpdateScope(TzqCustomOrgChart& c) : chart(c) { chart.BeginUpdate(); }
        ~UpdateScope() { chart.EndUpdate(); }
    } update(*this);
    BeginNodeDeletion(Node);
    RunDeletion(Node, true);
    RaiseDeletionFailure();
}

template <typename Step>
void TzqCustomOrgChart::DuringDeletion(Step&& Notify)
{
    try {
        Notify();
    } catch (...) {
        if (!m_deletionFailure)
            m_deletionFailure = std::current_exception();
    }
}

void TzqCustomOrgChart::RaiseDeletionFailure()
{
    // Only the outermost deletion reports; one run by a handler leaves it to that one.
    if (m_deletionsUnderWay > 0 || !m_deletionFailure)
        return;
    std::rethrow_exception(std::exchange(m_deletionFailure, nullptr));
}

bool TzqCustomOrgChart::SelectionInside(const TzqOcNode* Node) const
{
    // Walks up from the selection to the first node whose deletion is running; nothing
    // below Node is being deleted yet, so that node is Node when the selection lies
    // inside it.
    for (const TzqOcNode* n = m_selected; n; n = n->Parent()) {
        if (n == Node)
            return true;
        if (n->m_deletionUnderWay || n->m_deleting)
            return false;
    }
    return false;
}

void TzqCustomOrgChart::BeginNodeDeletion(TzqOcNode* Node)
{
    Node->m_deletionUnderWay = true;
    ++m_deletionsUnderWay;
    if (m_selected && SelectionInside(Node)) {
        // The next sibling, else the previous one, else the parent, chosen before the
        // selection moves so that it moves once.
        TzqOcNode* next = Node->GetNextSibling();
        if (!next)
            next = Node->GetPrevSibling();
        if (!next)
            next = Node->Parent();
        DuringDeletion([&] { SetSelected(next); });
    }
    if (OnDeletion)
        DuringDeletion([&] { OnDeletion(this, Node); });
}

void TzqCustomOrgChart::RunDeletion(TzqOcNode* Start, bool DeleteStart)
{
    if (!DeleteStart) {
        // DeleteChildren: nothing to do for a childless node, or below a deletion that
        // is already running (it takes the children anyway).
        if (Start->Count() == 0 || (m_deletionsUnderWay > 0 && DeletionBlocks(Start)))
            return;
    }
    struct Frame {
        TzqOcNode* node;
        int next;
        bool opened;
    };
    std::vector<Frame> stack;
    auto open = [&](TzqOcNode* node) {
        bool opened = false;
        if (node->Count() > 0) {
            if (m_selected && m_selected != node && SelectionInside(node))
                DuringDeletion([&] { SetSelected(node); });
            node->m_deleting = true;
            opened = true;
        }
        stack.push_back({node, 0, opened});
    };

    open(Start);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        TzqOcNode* node = frame.node;
        if (frame.opened && frame.next < node->Count()) {
            TzqOcNode* child = node->Items(frame.next++);
            if (child->m_deletionUnderWay) {
                // Its own deletion is running further out (an OnDeletion handler
                // deleted an ancestor of the node it was told about); that deletion
                // finishes it. It no longer has this parent.
                child->m_parent = nullptr;
                continue;
            }
            TzqOcNode* savedChild = m_loopChild;
            const bool savedStarted = m_loopChildStarted;
            m_loopChild = child;
            m_loopChildStarted = false;
            DeleteNode(child);
            const bool started = m_loopChildStarted;
            m_loopChild = savedChild;
            m_loopChildStarted = savedStarted;
            // A descendant that declined still goes: its parent is going.
            if (!started)
                BeginNodeDeletion(child);
            open(child);
            continue;
        }
        const bool opened = frame.opened;
        stack.pop_back();
        if (opened)
            FinishChildrenDeletion(node);
        if (node != Start || DeleteStart)
            FinishNodeDeletion(node);
        if (m_deletionProgress)
            m_deletionProgress->Step(++m_deletionProgressDone);
    }
}

void TzqCustomOrgChart::FinishChildrenDeletion(TzqOcNode* Node)
{
    Node->m_deleting = false;
    Node->m_children.reset();
    if (!Node->m_parent || !Node->m_parent->m_deleting)
        DuringDeletion([&] { Node->DropLayoutCaches(TzqOcNode::CacheDirection::Both); });
    if (Node != m_root)
        Node->m_expanded = false;
}

void TzqCustomOrgChart::FinishNodeDeletion(TzqOcNode* Node)
{
    Node->m_deleting = true;
    Node->SetData(0);
    TzqOcNode* parent = Node->m_parent;
    if (parent && !parent->m_deleting) {
        parent->RemoveChild(Node);
        // The layout change may end editing, which stores the editor's text and may
        // raise: the node leaves whatever happens there.
        DuringDeletion([&] { parent->DropLayoutCaches(TzqOcNode::CacheDirection::Both); });
        if (parent->Count() == 0 && parent != m_root)
            parent->m_expanded = false;
    }
    Node->m_parent = nullptr;
    --m_count;
    DuringDeletion([&] { ForgetNode(Node); });
    --m_deletionsUnderWay;
    if (!Node->m_destroying)
        delete Node;
}

void TzqCustomOrgChart::ForgetNode(TzqOcNode* Node)
{
    if (m_hitNode == Node)
        ForgetHitTest();
    if (m_animatedNode == Node)
        m_animatedNode = nullptr;
    m_startPositions.erase(Node);
    if (m_dropTarget == Node)
        m_dropTarget = nullptr;
    if (m_editedNode == Node)
        m_editedNode = nullptr;
    // An event handler may have selected a node that was on its way out.
    if (m_selected == Node)
        SetSelected(nullptr);
}

// ---- Selection ----

void TzqCustomOrgChart::SetSelected(TzqOcNode* Node)
{
    if (Node == m_selected || (Node && !IsInTree(Node)) || Node == m_root)
        return;
    const bool wasEditing = IsEditing();
    HideEditor(true);
    TRect oldArea;
    if (NodeRepaintArea(m_selected, oldArea)) {
        InvalidateRect(Handle(), &oldArea, true);
        // The old node loses its highlight before the new one gets it, when it is in
        // the window to be seen doing so; a node scrolled out of it costs no paint.
        m_selected = nullptr;
        if (Node && oldArea.Right > 0 && oldArea.Bottom > 0 && oldArea.Left < ClientWidth() &&
            oldArea.Top < ClientHeight() && Node->IsVisible())
            RepaintNow();
    }
    m_selected = Node;
    InvalidateNode(Node);
    if (wasEditing)
        ShowEditor();
    else
        HideEditor(true);
    Change(Node);
}

void TzqCustomOrgChart::Change(TzqOcNode* Node)
{
    if (OnChange)
        OnChange(this, Node);
}

void TzqCustomOrgChart::Changing(TzqOcNode* Node, bool& Allow)
{
    Allow = true;
    if (OnChanging)
        OnChanging(this, Node, Allow);
}

void TzqCustomOrgChart::NodeChanged(TzqOcNode* Node) {}

bool TzqCustomOrgChart::SelectByUser(TzqOcNode* Node)
{
    bool allow = true;
    Changing(Node, allow);
    if (allow)
        SetSelected(Node);
    return allow;
}

// ---- Update nesting and repainting ----

void TzqCustomOrgChart::BeginUpdate()
{
    if (m_updateDepth == 0 && HandleAllocated())
        SendMessage(Handle(), WM_SETREDRAW, 0, 0);
    ++m_updateDepth;
}

void TzqCustomOrgChart::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0 && HandleAllocated()) {
        SendMessage(Handle(), WM_SETREDRAW, 1, 0);
        m_fullRepaintRequested = false;
        Invalidate();
    }
}

void TzqCustomOrgChart::Invalidate()
{
    if (m_updateDepth > 0) {
        if (m_fullRepaintRequested)
            return;
        m_fullRepaintRequested = true;
    }
    TCustomControl::Invalidate();
}

bool TzqCustomOrgChart::CanInvalidateNodes() const
{
    return HandleAllocated() && !(m_updateDepth > 0 && m_fullRepaintRequested);
}

bool TzqCustomOrgChart::InvalidateNode(TzqOcNode* Node)
{
    TRect area;
    if (!NodeRepaintArea(Node, area))
        return false;
    InvalidateRect(Handle(), &area, true);
    return true;
}

bool TzqCustomOrgChart::NodeRepaintArea(TzqOcNode* Node, TRect& Area)
{
    if (!CanInvalidateNodes() || !IsInTree(Node) || Node == m_root)
        return false;
    const TRect64 slot = NodeSlotLayout(Node);
    if (slot.IsEmpty())
        return false;
    TRect64 r = ToScreen(slot);
    const int64_t lw = EffectiveLineWidth();
    // Room for the line arriving from the parent, the button below and the 3D shadow.
    if (m_rotated)
        r.Left -= 6;
    else
        r.Top -= 6;
    if (HasButton(Node)) {
        if (m_rotated)
            r.Right += 6;
        else
            r.Bottom += 6;
    }
    if (IsThreeDimensional(Node)) {
        r.Right += lw;
        r.Bottom += lw;
    }
    r = {r.Left - lw, r.Top - lw, r.Right + lw, r.Bottom + lw};
    Area = r.ToRect();
    return true;
}

void TzqCustomOrgChart::RepaintColumn(TzqOcNode* Node)
{
    if (!CanInvalidateNodes() || !IsInTree(Node))
        return;
    if (Node == m_root) {
        Invalidate();
        return;
    }
    TPoint64 column;
    if (!NodeColumn(Node, column))
        return;
    const int64_t sw = SubtreeWidth(Node);
    const int64_t gy = GapDown();
    const int64_t indent = Scale(m_rotated ? m_indentX : m_indentY);
    int64_t bottom = column.Y + gy + DownSize(Node) + EffectiveLineWidth() + indent - 1;
    if (sw > ChildrenWidth(Node))
        bottom = column.Y + SubtreeHeight(Node) + indent;
    const TRect area = ToScreen(TRect64{column.X, column.Y, column.X + sw, bottom}).ToRect();
    InvalidateRect(Handle(), &area, true);
}

void TzqCustomOrgChart::RepaintNow()
{
    if (HandleAllocated())
        UpdateWindow(Handle());
}

// ---- Properties ----

void TzqCustomOrgChart::SetLineWidth(uint16_t Value)
{
    if (Value == 0)
        Value = 1;
    if (Value == m_lineWidth)
        return;
    m_lineWidth = Value;
    DropAllLayoutCaches(TzqOcNode::CacheDirection::Both);
}

void TzqCustomOrgChart::DropCachesForSize(bool ScreenWidth)
{
    DropAllLayoutCaches(ScreenWidth != m_rotated ? TzqOcNode::CacheDirection::Across
                                                 : TzqOcNode::CacheDirection::Down);
}

void TzqCustomOrgChart::SetDefaultNodeWidth(uint16_t Value)
{
    Value = static_cast<uint16_t>(std::max<int>(Value, MinNodeWidth()));
    if (Value == m_defaultNodeWidth)
        return;
    m_defaultNodeWidth = Value;
    DropCachesForSize(true);
}

void TzqCustomOrgChart::SetDefaultNodeHeight(uint16_t Value)
{
    Value = static_cast<uint16_t>(std::max<int>(Value, MinNodeHeight()));
    if (Value == m_defaultNodeHeight)
        return;
    m_defaultNodeHeight = Value;
    DropCachesForSize(false);
}

void TzqCustomOrgChart::SetIndentX(uint16_t Value)
{
    if (Value == m_indentX)
        return;
    m_indentX = Value;
    DropCachesForSize(true);
}

void TzqCustomOrgChart::SetIndentY(uint16_t Value)
{
    if (Value == m_indentY)
        return;
    m_indentY = Value;
    DropCachesForSize(false);
}

void TzqCustomOrgChart::SetOptions(TzqOcOptions Value)
{
    if (Value == m_options)
        return;
    const TzqOcOptions changed = TzqOcOptions::FromWord(static_cast<uint16_t>(Value.ToWord() ^ m_options.ToWord()));
    m_options = Value;
    if (changed.contains(TzqOcOption::ocRect3D))
        DropAllLayoutCaches(TzqOcNode::CacheDirection::Both);
    if (changed.contains(TzqOcOption::ocButtons))
        Invalidate();
    if (changed.contains(TzqOcOption::ocSelect))
        InvalidateNode(m_selected);
    if (changed.contains(TzqOcOption::ocFocus) && Focused())
        InvalidateNode(m_selected);
}

void TzqCustomOrgChart::SetEditMode(TzqOcEditMode Value)
{
    if (Value == m_editMode)
        return;
    m_editMode = Value;
    EditModeChanged();
    if (m_count > 0)
        Invalidate();
}

void TzqCustomOrgChart::SetBorderStyle(TBorderStyle Value)
{
    if (Value == m_borderStyle)
        return;
    m_borderStyle = Value;
    RecreateWnd();
}

void TzqCustomOrgChart::Ctl3DChanged()
{
    if (m_borderStyle == TBorderStyle::bsSingle)
        RecreateWnd();
    TCustomControl::Ctl3DChanged();
}

void TzqCustomOrgChart::SetRotated(bool Value)
{
    if (Value == m_rotated)
        return;
    m_rotated = Value;
    DropAllLayoutCaches(TzqOcNode::CacheDirection::Both);
    ScrollTo(0, 0);
}

void TzqCustomOrgChart::SetZoom(bool Value)
{
    if (Value == m_zoom)
        return;
    m_zoom = Value;
    LayoutChanged();
    if (Value)
        UpdateScrollBars();
}

// ---- Images ----

int TzqCustomOrgChart::MinNodeWidth() const
{
    return m_images ? std::max(16, 2 * m_images->Width()) : 16;
}

int TzqCustomOrgChart::MinNodeHeight() const
{
    return m_images ? std::max(16, 2 * m_images->Height()) : 16;
}

void TzqCustomOrgChart::SetImages(TImageList* Value)
{
    if (Value == m_images || IsDestroying())
        return;
    BeginUpdate();
    // The update ends with a full repaint: asking for it now spares each node's own
    // repaint on the way.
    Invalidate();
    ReleaseImages();
    m_images = Value;
    if (m_images) {
        m_images->RegisterChanges(m_imageChangeLink.get());
        // The list may be destroyed before the chart: its end clears Images.
        m_images->FreeNotification(this);
        if (m_defaultImageAlign == TzqOcImageAlign::iaNone)
            m_defaultImageAlign = TzqOcImageAlign::iaLT;
        SetDefaultNodeWidth(m_defaultNodeWidth);
        SetDefaultNodeHeight(m_defaultNodeHeight);
        const int minWidth = MinNodeWidth();
        const int minHeight = MinNodeHeight();
        for (TzqOcNode* node = GetFirstNode(); node; node = node->GetNext()) {
            if (node->m_width != 0 && node->m_width < minWidth)
                node->SetWidth(node->m_width);
            if (node->m_height != 0 && node->m_height < minHeight)
                node->SetHeight(node->m_height);
        }
    }
    EndUpdate();
}

void TzqCustomOrgChart::ReleaseImages()
{
    if (!m_images)
        return;
    m_images->UnRegisterChanges(m_imageChangeLink.get());
    m_images->RemoveFreeNotification(this);
    m_images = nullptr;
}

void TzqCustomOrgChart::ImagesChanged(TObject* Sender)
{
    if (HandleAllocated()) {
        BeginUpdate();
        EndUpdate();
    }
}

void TzqCustomOrgChart::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent && AComponent == m_images)
        SetImages(nullptr);
}

void TzqCustomOrgChart::Loaded()
{
    TCustomControl::Loaded();
    if (IsDesigning())
        FullExpand();
}
