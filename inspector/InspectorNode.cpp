#include "inspector/InspectorNode.h"

#include "inspector/CustomzqInspector.h"
#include "inspector/InspectorRow.h"

#include <algorithm>

namespace {

// Searched from the end: lines go away mostly in the reverse of their making, so taking
// down a long list stays linear.
std::vector<TzqInspectorNode*>::iterator FindFromEnd(std::vector<TzqInspectorNode*>& list,
                                                     const TzqInspectorNode* node)
{
    for (auto it = list.end(); it != list.begin();) {
        --it;
        if (*it == node)
            return it;
    }
    return list.end();
}

} // namespace

TzqInspectorNode::TzqInspectorNode(TCustomzqInspector* AOwner) : m_owner(AOwner) {}

TzqInspectorNode::~TzqInspectorNode()
{
    m_destroying = true;
    // The descendants go first, each after its own children and without nesting one
    // destructor in another, so that no depth of tree can exhaust the stack.
    if (!m_children.empty()) {
        std::vector<TzqInspectorNode*> order;
        std::vector<TzqInspectorNode*> pending(m_children.begin(), m_children.end());
        while (!pending.empty()) {
            TzqInspectorNode* n = pending.back();
            pending.pop_back();
            order.push_back(n);
            pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
        }
        // Reversed, every node comes after all of its descendants.
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            delete *it;
    }
    TzqInspectorNode* prev = GetPrev();
    TzqInspectorNode* next = GetNextAfterSubtree();
    Detach();
    m_owner->NodeDestroyed(this, prev, next);
}

TzqInspectorNode* TzqInspectorNode::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return m_children[static_cast<size_t>(Index)];
}

int TzqInspectorNode::Level() const
{
    int level = 0;
    for (const TzqInspectorNode* p = m_parent; p; p = p->m_parent)
        ++level;
    return level;
}

std::vector<TzqInspectorNode*>& TzqInspectorNode::Siblings() const
{
    return m_parent ? m_parent->m_children : m_owner->m_nodes;
}

int TzqInspectorNode::Index() const
{
    auto& siblings = Siblings();
    const auto it = FindFromEnd(siblings, this);
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

bool TzqInspectorNode::IsLast() const
{
    const auto& siblings = Siblings();
    return !siblings.empty() && siblings.back() == this;
}

bool TzqInspectorNode::Contains(const TzqInspectorNode* Node) const
{
    for (const TzqInspectorNode* p = Node; p; p = p->m_parent)
        if (p == this)
            return true;
    return false;
}

TzqInspectorNode* TzqInspectorNode::GetNextAfterSubtree() const
{
    for (const TzqInspectorNode* n = this; n; n = n->m_parent) {
        auto& siblings = n->Siblings();
        const auto it = FindFromEnd(siblings, n);
        if (it != siblings.end() && it + 1 != siblings.end())
            return *(it + 1);
    }
    return nullptr;
}

TzqInspectorNode* TzqInspectorNode::GetNext() const
{
    if (m_expanded && !m_children.empty())
        return m_children.front();
    return GetNextAfterSubtree();
}

TzqInspectorNode* TzqInspectorNode::GetLastVisibleDescendant() const
{
    const TzqInspectorNode* n = this;
    while (n->m_expanded && !n->m_children.empty())
        n = n->m_children.back();
    return const_cast<TzqInspectorNode*>(n);
}

TzqInspectorNode* TzqInspectorNode::GetPrev() const
{
    const int index = Index();
    if (index > 0)
        return Siblings()[static_cast<size_t>(index - 1)]->GetLastVisibleDescendant();
    return m_parent;
}

void TzqInspectorNode::SetExpandedState(bool Value)
{
    if (m_children.empty() || m_expanded == Value)
        return;
    m_expanded = Value;
    m_owner->RelayoutAndPaint();
}

void TzqInspectorNode::Expand()
{
    SetExpandedState(true);
}

void TzqInspectorNode::Collapse()
{
    SetExpandedState(false);
}

void TzqInspectorNode::SetExpandedTree(bool Value)
{
    // Iterative, so a deep tree cannot exhaust the stack.
    std::vector<TzqInspectorNode*> pending{this};
    while (!pending.empty()) {
        TzqInspectorNode* n = pending.back();
        pending.pop_back();
        n->SetExpandedState(Value);
        pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
    }
}

void TzqInspectorNode::ExpandAll()
{
    m_owner->BeginUpdate();
    SetExpandedTree(true);
    m_owner->EndUpdate();
}

void TzqInspectorNode::CollapseAll()
{
    m_owner->BeginUpdate();
    SetExpandedTree(false);
    m_owner->EndUpdate();
}

void TzqInspectorNode::Focus()
{
    m_owner->SetFocusedNode(this);
}

void TzqInspectorNode::MakeVisible()
{
    m_owner->MakeNodeVisible(this);
}

void TzqInspectorNode::Detach()
{
    auto& siblings = Siblings();
    if (const auto it = FindFromEnd(siblings, this); it != siblings.end())
        siblings.erase(it);
    if (m_parent && m_parent->m_children.empty()) {
        // An emptied list is freed and its node collapses.
        m_parent->m_children.shrink_to_fit();
        m_parent->m_expanded = false;
    }
    m_parent = nullptr;
}

void TzqInspectorNode::MoveTo(TzqInspectorNode* Destination, TzqInspectorMoveMode Mode)
{
    if (!Destination || Destination->m_owner != m_owner)
        return;
    if (Destination != this && Contains(Destination))
        return;
    if (Destination == this && Mode != TzqInspectorMoveMode::imAdd)
        return;
    m_owner->BeginUpdate();
    TzqInspectorNode* const oldParent = m_parent;
    Detach();
    switch (Mode) {
    case TzqInspectorMoveMode::imAdd:
        // As its own destination the node goes to the end of the list it left.
        m_parent = Destination == this ? oldParent : Destination->m_parent;
        Siblings().push_back(this);
        break;
    case TzqInspectorMoveMode::imAddChild:
        m_parent = Destination;
        Destination->m_children.push_back(this);
        break;
    case TzqInspectorMoveMode::imInsert: {
        m_parent = Destination->m_parent;
        auto& siblings = Siblings();
        siblings.insert(std::find(siblings.begin(), siblings.end(), Destination), this);
        break;
    }
    }
    m_owner->m_focusedNode = this;
    m_owner->MakeNodeVisible(this);
    m_owner->EndUpdate();
}

TzqInspectorRowNode::~TzqInspectorRowNode()
{
    if (m_row && m_row->m_node == this)
        m_row->m_node = nullptr;
}
