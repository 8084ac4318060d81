#include "orgchart/OcNode.h"

#include "orgchart/CustomOrgChart.h"
#include "orgchart/OcNodeAllocator.h"
#include "platform/core/Stream.h"

#include <algorithm>

void* TzqOcNode::operator new(size_t Size)
{
    return TzqOcNodeAllocator::Allocate(Size);
}

void TzqOcNode::operator delete(void* Block, size_t Size) noexcept
{
    TzqOcNodeAllocator::Free(Block, Size);
}

TzqOcNode::TzqOcNode(TzqCustomOrgChart* AChart) : m_chart(AChart)
{
    if (m_chart)
        m_imageAlign = m_chart->DefaultImageAlign();
}

TzqOcNode::~TzqOcNode()
{
    ReleaseFromChart();
}

void TzqOcNode::ReleaseFromChart()
{
    if (m_destroying)
        return;
    m_destroying = true;
    if (!m_deleting && m_parent && m_chart)
        m_chart->DeleteNode(this);
}

// ---- Structure ----

bool TzqOcNode::IsRoot() const
{
    return m_chart && m_chart->RootNode() == this;
}

TzqOcNode* TzqOcNode::Items(int Index) const
{
    return m_children ? m_children->At(Index) : nullptr;
}

int TzqOcNode::Index() const
{
    return m_parent ? m_parent->m_children->IndexOf(this) : 0;
}

void TzqOcNode::InsertChild(TzqOcNode* Child, int Position)
{
    if (!m_children)
        m_children = std::make_unique<TzqOcChildList>();
    m_children->Insert(Position, Child);
    TzqOcNode* const oldParent = Child->Parent();
    Child->m_parent = this;
    Child->ParentChanged(oldParent);
}

void TzqOcNode::RemoveChild(TzqOcNode* Child)
{
    m_children->Remove(Child);
    TzqOcNode* const oldParent = Child->Parent();
    Child->m_parent = nullptr;
    Child->ParentChanged(oldParent);
    if (m_children->Count() == 0)
        m_children.reset();
}

TzqOcNode* TzqOcNode::Parent() const
{
    return m_parent && !m_parent->IsRoot() ? m_parent : nullptr;
}

TzqOcNode* TzqOcNode::GetNextSibling() const
{
    return m_parent ? m_parent->m_children->Next(this) : nullptr;
}

TzqOcNode* TzqOcNode::GetPrevSibling() const
{
    return m_parent ? m_parent->m_children->Prev(this) : nullptr;
}

TzqOcNode* TzqOcNode::GetNext() const
{
    if (Count() > 0)
        return Items(0);
    for (const TzqOcNode* n = this; n; n = n->Parent()) {
        if (TzqOcNode* sibling = n->GetNextSibling())
            return sibling;
    }
    return nullptr;
}

TzqOcNode* TzqOcNode::GetPrev() const
{
    TzqOcNode* prev = GetPrevSibling();
    if (!prev)
        return Parent();
    while (prev->Count() > 0)
        prev = prev->GetLastChild();
    return prev;
}

// The outermost collapsed ancestor of a node is the nearest of its ancestors that is
// shown: everything above it is expanded, everything between it and the node lies
// inside it. One walk up finds it, where asking IsVisible at every step would walk the
// ancestors again and again.
static const TzqOcNode* OutermostCollapsedAncestor(const TzqOcNode* Node)
{
    const TzqOcNode* found = nullptr;
    for (const TzqOcNode* p = Node->Parent(); p; p = p->Parent()) {
        if (!p->Expanded())
            found = p;
    }
    return found;
}

TzqOcNode* TzqOcNode::GetNextVisible() const
{
    if (!m_parent && !IsRoot())
        return nullptr;
    const TzqOcNode* start = this;
    if (const TzqOcNode* shown = OutermostCollapsedAncestor(this))
        start = shown;
    if (start->m_expanded && start->Count() > 0)
        return start->Items(0);
    for (const TzqOcNode* n = start; n; n = n->Parent()) {
        if (TzqOcNode* sibling = n->GetNextSibling())
            return sibling;
    }
    return nullptr;
}

TzqOcNode* TzqOcNode::GetPrevVisible() const
{
    TzqOcNode* prev = GetPrev();
    if (!prev)
        return nullptr;
    if (const TzqOcNode* shown = OutermostCollapsedAncestor(prev))
        return const_cast<TzqOcNode*>(shown);
    return prev;
}

bool TzqOcNode::HasAsParent(const TzqOcNode* Node) const
{
    if (!Node)
        return true;
    for (const TzqOcNode* p = m_parent; p; p = p->m_parent) {
        if (p == Node)
            return true;
    }
    return false;
}

bool TzqOcNode::IsVisible() const
{
    if (IsRoot())
        return true;
    const TzqOcNode* p = m_parent;
    while (p && !p->IsRoot()) {
        if (!p->m_expanded)
            return false;
        p = p->m_parent;
    }
    return p != nullptr;
}

bool TzqOcNode::Selected() const
{
    return m_chart && m_chart->Selected() == this;
}

void TzqOcNode::SetSelected(bool Value)
{
    if (!m_chart)
        return;
    if (Value)
        m_chart->SetSelected(this);
    else if (Selected())
        m_chart->SetSelected(nullptr);
}

bool TzqOcNode::Focused() const
{
    return Selected() && m_chart->Focused();
}

// ---- Attributes ----

void TzqOcNode::SetData(uint32_t Value)
{
    m_data = Value;
}

static uint16_t RaisedToMinimum(uint16_t Value, int Minimum)
{
    return Value != 0 && Value < Minimum ? static_cast<uint16_t>(std::min(Minimum, 0xFFFF)) : Value;
}

void TzqOcNode::SetWidth(uint16_t Value)
{
    Value = RaisedToMinimum(Value, m_chart->MinNodeWidth());
    if (Value == m_width)
        return;
    m_width = Value;
    if (IsLinked()) {
        DropSizeCaches(true);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetHeight(uint16_t Value)
{
    Value = RaisedToMinimum(Value, m_chart->MinNodeHeight());
    if (Value == m_height)
        return;
    m_height = Value;
    if (IsLinked()) {
        DropSizeCaches(false);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::DropSizeCaches(bool ScreenWidth)
{
    // A width is an across size unless the chart is rotated, a height the reverse.
    const bool across = ScreenWidth != m_chart->Rotated();
    m_parent->DropLayoutCaches(across ? CacheDirection::Across : CacheDirection::Down);
}

void TzqOcNode::SetColor(TColor Value)
{
    if (Value == m_color)
        return;
    m_color = Value;
    if (IsLinked()) {
        m_chart->InvalidateNode(this);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetShape(TzqOcShape Value)
{
    if (Value == m_shape)
        return;
    m_shape = Value;
    if (IsLinked()) {
        m_chart->HideEditor(true);
        m_chart->InvalidateNode(this);
        if (m_chart->m_hitNode == this && m_chart->m_hitFlags.contains(TzqOcHitTest::htOnRect))
            m_chart->ForgetHitTest();
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetImageIndex(int16_t Value)
{
    if (Value == m_imageIndex)
        return;
    m_imageIndex = Value;
    if (IsLinked()) {
        if (m_chart->Images())
            m_chart->InvalidateNode(this);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetImageAlign(TzqOcImageAlign Value)
{
    if (Value == m_imageAlign)
        return;
    m_imageAlign = Value;
    if (IsLinked()) {
        if (m_chart->Images())
            m_chart->InvalidateNode(this);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetAlign(TzqOcNodeAlign Value)
{
    if (Value == m_align)
        return;
    m_align = Value;
    if (IsLinked()) {
        m_chart->NodeChanged(this);
        RepaintAfterAlign();
    }
}

void TzqOcNode::RepaintAfterAlign()
{
    m_chart->RepaintColumn(m_parent);
    if (!IsVisible())
        return;
    m_chart->HideEditor(true);
    if (m_chart->m_hitNode == this)
        m_chart->ForgetHitTest();
    m_chart->RepaintColumn(this);
}

void TzqOcNode::SetExpanded(bool Value)
{
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

// ---- Caption ----

std::string TzqOcNode::GetText() const
{
    if (m_chart && m_chart->OnGetText) {
        std::string text;
        m_chart->OnGetText(m_chart, const_cast<TzqOcNode*>(this), text);
        return text;
    }
    return m_text.Str();
}

void TzqOcNode::SetText(const std::string& Value)
{
    if (m_chart && m_chart->OnSetText)
        m_chart->OnSetText(m_chart, this, Value);
    else
        m_text.Assign(Value);
}

void TzqOcNode::AssignText(const std::string& Value)
{
    if (GetText() == Value)
        return;
    SetText(Value);
    const TzqOcEditMode mode = m_chart->EditMode();
    const bool keepsSize = mode.contains(TzqOcEditModeFlag::emWrap) && !mode.contains(TzqOcEditModeFlag::emGrow);
    if (!keepsSize)
        AdjustSizeToText(GetText());
    if (IsLinked()) {
        m_chart->InvalidateNode(this);
        m_chart->NodeChanged(this);
    }
}

void TzqOcNode::SetFont(TFont* Font)
{
    if (m_chart && m_chart->OnSetFont)
        m_chart->OnSetFont(m_chart, this, Font);
}

// ---- The 13-byte attribute record ----

namespace {

constexpr size_t kRecordSize = 13;

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint16_t GetU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t GetU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

} // namespace

void TzqOcNode::WriteData(TStream* Stream)
{
    uint8_t record[kRecordSize];
    PutU16(record + 0, m_width);
    PutU16(record + 2, m_height);
    PutU32(record + 4, m_color);
    record[8] = static_cast<uint8_t>(m_align);
    record[9] = static_cast<uint8_t>(m_shape);
    PutU16(record + 10, static_cast<uint16_t>(m_imageIndex));
    record[12] = static_cast<uint8_t>(m_imageAlign);
    Stream->WriteBuffer(record, kRecordSize);
}

void TzqOcNode::ReadData(TStream* Stream)
{
    uint8_t record[kRecordSize];
    Stream->ReadBuffer(record, kRecordSize);
    SetWidth(GetU16(record + 0));
    SetHeight(GetU16(record + 2));
    SetColor(GetU32(record + 4));
    SetAlign(static_cast<TzqOcNodeAlign>(record[8]));
    SetShape(static_cast<TzqOcShape>(record[9]));
    SetImageIndex(static_cast<int16_t>(GetU16(record + 10)));
    SetImageAlign(static_cast<TzqOcImageAlign>(record[12]));
}

// ---- Expansion ----

bool TzqOcNode::ExpandOne()
{
    if (Count() == 0 || m_expanded)
        return false;
    bool allow = true;
    if (m_chart->OnExpansion)
        m_chart->OnExpansion(m_chart, this, allow);
    if (!allow)
        return false;
    const bool animated = m_chart->PrepareAnimation(this);
    m_expanded = true;
    if (m_parent)
        m_parent->DropLayoutCaches(CacheDirection::Both);
    if (animated)
        m_chart->RepaintNow();
    if (m_chart->OnExpanded)
        m_chart->OnExpanded(m_chart, this);
    return true;
}

bool TzqOcNode::CollapseOne()
{
    if (Count() == 0 || !m_expanded || IsRoot())
        return false;
    bool allow = true;
    if (m_chart->OnCollapsing)
        m_chart->OnCollapsing(m_chart, this, allow);
    if (!allow)
        return false;
    const bool animated = m_chart->PrepareAnimation(this);
    m_expanded = false;
    if (m_parent)
        m_parent->DropLayoutCaches(CacheDirection::Both);
    if (animated)
        m_chart->RepaintNow();
    if (m_chart->OnCollapsed)
        m_chart->OnCollapsed(m_chart, this);
    return true;
}

void TzqOcNode::Expand(bool Recurse)
{
    if (Count() == 0)
        return;
    if (!Recurse) {
        ExpandOne();
        return;
    }
    // Children before their parent (so only the outermost expansion can animate),
    // walked with a stack of its own: a deep chain must not exhaust the call stack.
    struct Frame {
        TzqOcNode* node;
        int next;
    };
    std::vector<Frame> stack{{this, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.node->Count()) {
            TzqOcNode* child = top.node->Items(top.next++);
            if (child->Count() > 0)
                stack.push_back({child, 0});
        } else {
            TzqOcNode* done = top.node;
            stack.pop_back();
            done->ExpandOne();
        }
    }
}

void TzqOcNode::Collapse(bool Recurse)
{
    if (Count() == 0)
        return;
    if (!Recurse) {
        CollapseOne();
        return;
    }
    // The node itself first, then its descendants in pre-order.
    std::vector<TzqOcNode*> pending{this};
    while (!pending.empty()) {
        TzqOcNode* node = pending.back();
        pending.pop_back();
        if (node->Count() == 0)
            continue;
        node->CollapseOne();
        for (int i = node->Count() - 1; i >= 0; --i)
            pending.push_back(node->Items(i));
    }
}

// ---- Layout caches ----

void TzqOcNode::DropLayoutCaches(CacheDirection Direction)
{
    bool across = (static_cast<uint8_t>(Direction) & static_cast<uint8_t>(CacheDirection::Across)) != 0;
    bool down = (static_cast<uint8_t>(Direction) & static_cast<uint8_t>(CacheDirection::Down)) != 0;
    // An ancestor's cache holds the sum (or largest) of its children's subtree extents,
    // and a node's extent depends on its children only while it is expanded. So the walk
    // stops at a collapsed node, and at an expanded node whose cache was already empty:
    // a cache is only ever filled after the caches of its expanded children, so every
    // ancestor that depends on an empty cache is empty too. The values computed later
    // are the same as if every ancestor up to the root had been cleared.
    for (TzqOcNode* n = this; n && (across || down); n = n->m_parent) {
        const bool hadAcross = n->m_childrenWidth != 0;
        const bool hadDown = n->m_childrenHeight != 0;
        if (across) {
            n->m_childrenWidth = 0;
            if (n->m_children)
                n->m_children->DropOffsets();
        }
        if (down)
            n->m_childrenHeight = 0;
        if (!n->m_expanded)
            break;
        across = across && hadAcross;
        down = down && hadDown;
    }

    // Report to the chart when the node is shown, skipping the walk up to find out when
    // the report would change nothing anyway.
    if (m_expanded) {
        if (!m_chart->LayoutIsChanged() && IsVisible())
            m_chart->LayoutChanged();
    } else if (Count() < 2) {
        if (m_chart->CanInvalidateNodes() && IsVisible())
            m_chart->InvalidateNode(this);
    }
}

// ---- Moving and deleting ----

void TzqOcNode::MoveTo(TzqOcNode* Destination, TzqOcAttachMode Mode)
{
    if (!m_parent || IsRoot())
        return;
    if (!Destination) {
        if (Mode == TzqOcAttachMode::amAdd)
            Mode = TzqOcAttachMode::amAddChild;
        else if (Mode == TzqOcAttachMode::amAddFirst)
            Mode = TzqOcAttachMode::amAddChildFirst;
        else if (Mode == TzqOcAttachMode::amInsert)
            return;
    } else if (Destination == this || Destination->HasAsParent(this) || Destination->Chart() != m_chart) {
        return;
    }

    constexpr int kEnd = -1;
    TzqOcNode* newParent = nullptr;
    int position = kEnd;
    switch (Mode) {
    case TzqOcAttachMode::amAdd:
        newParent = Destination->Parent();
        break;
    case TzqOcAttachMode::amAddFirst:
        newParent = Destination->Parent();
        position = 0;
        break;
    case TzqOcAttachMode::amAddChild:
        newParent = Destination;
        break;
    case TzqOcAttachMode::amAddChildFirst:
        newParent = Destination;
        position = 0;
        break;
    case TzqOcAttachMode::amInsert:
        newParent = Destination->Parent();
        position = Destination->Index();
        break;
    default:
        return;
    }

    if (newParent == Parent()) {
        const int index = Index();
        if (position != kEnd && index < position)
            --position;
        if (position == index || (position == kEnd && !GetNextSibling()))
            return;
    }
    m_chart->MoveNode(newParent, this, position);
}

void TzqOcNode::DeleteChildren()
{
    if (Count() == 0)
        return;
    const bool underWay = m_chart->m_deletionsUnderWay > 0;
    if (!underWay)
        m_chart->EndEditingBefore(this, false);
    m_chart->RunDeletion(this, false);
    m_chart->RaiseDeletionFailure();
}

// ---- Bringing into view ----

void TzqOcNode::MakeVisible()
{
    m_chart->MakeNodeVisible(this);
}

void TzqOcNode::AdjustSizeToText(const std::string& Text)
{
    m_chart->AdjustNodeSizeToText(this, Text);
}
