// TzqOcBranchForest: which top-level node each node of a chart hangs below, while a
// load decides where the nodes that waited for their parents go.
//
// A union-find forest over the nodes, numbered by the slot of their record: a node
// that has been given a new parent (Join) points at it; any other node is found below
// its parent in the chart. TopOf walks up and then points every node it passed
// straight at the top, so that deciding the parents of many nodes costs about one step
// each, where walking up the chart from every parent would cost the depth of the tree.
#pragma once

#include "dborgchart/DbOcNode.h"

#include <vector>

class TzqOcBranchForest {
public:
    // SlotCount: the number of record slots of the load.
    explicit TzqOcBranchForest(int SlotCount) : m_links(static_cast<size_t>(SlotCount), nullptr) {}

    // The top-level node whose branch Node lies in, counting the joins made so far.
    TzqDbOcNode* TopOf(TzqDbOcNode* Node)
    {
        TzqDbOcNode* top = Node;
        for (TzqDbOcNode* up = Up(top); up != top; up = Up(top))
            top = up;
        for (TzqDbOcNode* n = Node; n != top;) {
            TzqDbOcNode* next = Up(n);
            if (TzqDbOcNode** link = LinkOf(n))
                *link = top;
            n = next;
        }
        return top;
    }

    // Node, a top-level node, now hangs below Parent.
    void Join(TzqDbOcNode* Node, TzqDbOcNode* Parent)
    {
        if (TzqDbOcNode** link = LinkOf(Node))
            *link = TopOf(Parent);
    }

private:
    TzqDbOcNode** LinkOf(const TzqDbOcNode* Node)
    {
        const auto slot = static_cast<size_t>(Node->m_slot);
        return Node->m_slot >= 0 && slot < m_links.size() ? &m_links[slot] : nullptr;
    }
    // One step up: the node joined to, the chart parent, or the node itself at the top.
    TzqDbOcNode* Up(TzqDbOcNode* Node)
    {
        if (TzqDbOcNode** link = LinkOf(Node); link && *link)
            return *link;
        auto* parent = static_cast<TzqDbOcNode*>(Node->Parent());
        return parent ? parent : Node;
    }

    std::vector<TzqDbOcNode*> m_links;
};
