// TzqInspectorNode: one line of the inspector's tree. The inspector owns its nodes;
// destroying a node destroys its children first and tells the inspector, which moves
// its top and focused lines off the node.
//
// TzqInspectorRowNode is the node of a row of a row-based inspector.
#pragma once

#include "inspector/InspectorTypes.h"

#include <vector>

class TCustomzqInspector;
class TzqInspectorRow;

class TzqInspectorNode {
public:
    explicit TzqInspectorNode(TCustomzqInspector* AOwner);
    TzqInspectorNode(const TzqInspectorNode&) = delete;
    TzqInspectorNode& operator=(const TzqInspectorNode&) = delete;
    virtual ~TzqInspectorNode();

    TCustomzqInspector* Owner() const { return m_owner; }
    TzqInspectorNode* Parent() const { return m_parent; }
    bool Destroying() const { return m_destroying; }
    bool Expanded() const { return m_expanded; }

    int Count() const { return static_cast<int>(m_children.size()); }
    TzqInspectorNode* Items(int Index) const;
    bool HasChildren() const { return !m_children.empty(); }
    // The number of ancestors.
    int Level() const;
    // Position among its siblings (or in the top-level list).
    int Index() const;
    bool IsLast() const;
    // Whether Node is this node or lies in its subtree.
    bool Contains(const TzqInspectorNode* Node) const;

    // Display order: the first child when expanded, else the next sibling, else the next
    // sibling of the nearest ancestor that has one.
    TzqInspectorNode* GetNext() const;
    TzqInspectorNode* GetPrev() const;
    // The next line in display order after this node's expanded subtree.
    TzqInspectorNode* GetNextAfterSubtree() const;
    TzqInspectorNode* GetLastVisibleDescendant() const;

    // Only nodes with children change.
    void Expand();
    void Collapse();
    // The node and every descendant, inside one update of the inspector.
    void ExpandAll();
    void CollapseAll();
    void Focus();
    void MakeVisible();
    // Mode 0 appends to the destination's siblings, 1 to its children, 2 inserts before
    // it. Refused: no destination, a destination inside the node's subtree, or the node
    // as its own destination for modes 1 and 2.
    void MoveTo(TzqInspectorNode* Destination, TzqInspectorMoveMode Mode);

private:
    friend class TCustomzqInspector;

    void SetExpandedState(bool Value);
    void SetExpandedTree(bool Value);
    // Takes the node out of its parent's children (the parent collapsing when emptied)
    // or out of the top-level list.
    void Detach();
    std::vector<TzqInspectorNode*>& Siblings() const;

    TCustomzqInspector* m_owner;
    TzqInspectorNode* m_parent = nullptr;
    std::vector<TzqInspectorNode*> m_children; // owned
    bool m_destroying = false;
    bool m_expanded = false;
};

class TzqInspectorRowNode : public TzqInspectorNode {
public:
    TzqInspectorRowNode(TCustomzqInspector* AOwner, TzqInspectorRow* ARow) : TzqInspectorNode(AOwner), m_row(ARow) {}
    ~TzqInspectorRowNode() override;

    TzqInspectorRow* Row() const { return m_row; }

private:
    TzqInspectorRow* m_row;
};
