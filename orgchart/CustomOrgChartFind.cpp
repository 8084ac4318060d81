// Finding nodes by their captions, and bringing one into view.
//
// The next match in tree order is sought in two steps. The nodes after the starting
// point are looked at one by one for a while: a match close by (typing into the find
// box, a common word) is found at once. When none is close, every caption is looked at
// in the order the nodes lie in memory, which is many times faster than following the
// tree from node to node; the matches found are then put in tree order, compared
// through their ancestors. Only when there are very many of them does the walk go on.
#include "orgchart/CustomOrgChart.h"
#include "orgchart/OcNode.h"
#include "platform/core/SearchText.h"

#include <algorithm>
#include <vector>

namespace {

// Nodes looked at along the tree before every caption is searched.
constexpr int kNearbySteps = 4096;
// Matches put in tree order one against another; beyond it the walk goes on instead.
constexpr size_t kMostOrderedMatches = 256;

} // namespace

TzqOcNode* TzqCustomOrgChart::GetLastNode() const
{
    TzqOcNode* node = m_root->GetLastChild();
    while (node && node->Count() > 0)
        node = node->GetLastChild();
    return node;
}

void TzqCustomOrgChart::ForEachStoredNode(const std::function<bool(TzqOcNode*)>& Visit) const
{
    for (TzqOcNode* n = GetFirstNode(); n; n = n->GetNext()) {
        if (!Visit(n))
            return;
    }
}

TzqOcNode* TzqCustomOrgChart::FindNode(const std::string& Text, TzqOcNode* From, bool Forward, bool IncludeFrom,
                                       bool* Wrapped) const
{
    if (Wrapped)
        *Wrapped = false;
    const TSearchText pattern(Text);
    if (pattern.Empty() || m_count == 0)
        return nullptr;
    TzqOcNode* const start = Forward ? GetFirstNode() : GetLastNode();
    // Without a starting node the search is one pass from the first (or last) node.
    if (!From || !IsInTree(From) || From == m_root) {
        From = start;
        IncludeFrom = true;
    }
    // The caption as shown: the stored text unless a handler supplies it.
    auto matches = [&](const TzqOcNode* n) {
        return OnGetText ? pattern.FoundIn(n->GetText()) : pattern.FoundIn(n->m_text.View());
    };
    auto step = [Forward](const TzqOcNode* n) { return Forward ? n->GetNext() : n->GetPrev(); };

    // The order of the search: from From (or the node after it) to the end, then round
    // from the other end back to From, From itself last when it was not looked at
    // first. Next() gives the node after n in that order, none once it is done.
    bool wrapped = false;
    auto next = [&](TzqOcNode* n) -> TzqOcNode* {
        if (n == From && wrapped)
            return nullptr;
        TzqOcNode* following = step(n);
        if (!following) {
            if (wrapped)
                return nullptr;
            wrapped = true;
            following = start;
        }
        if (following == From && IncludeFrom && wrapped)
            return nullptr;
        return following;
    };
    TzqOcNode* node = IncludeFrom ? From : next(From);
    auto found = [&](TzqOcNode* n) {
        if (Wrapped)
            *Wrapped = wrapped;
        return n;
    };

    for (int steps = 0; node && steps < kNearbySteps; ++steps, node = next(node)) {
        if (matches(node))
            return found(node);
    }
    if (!node)
        return nullptr;

    // Nothing close by: every caption, in memory order.
    std::vector<TzqOcNode*> candidates;
    bool tooMany = false;
    ForEachStoredNode([&](TzqOcNode* n) {
        if (!matches(n))
            return true;
        candidates.push_back(n);
        tooMany = candidates.size() > kMostOrderedMatches;
        return !tooMany;
    });
    if (candidates.empty())
        return nullptr;
    if (tooMany) {
        for (; node; node = next(node)) {
            if (matches(node))
                return found(node);
        }
        return nullptr;
    }
    // The first candidate after From in the search's order: past From going forwards
    // (before it backwards), else the first from the other end, having gone round.
    // Depths and tree order read the parent links directly: on a deep chain these
    // walks are the step's main cost.
    auto depthOf = [](const TzqOcNode* Node) {
        int depth = 0;
        for (const TzqOcNode* n = Node->m_parent; n; n = n->m_parent)
            ++depth;
        return depth;
    };
    // Where A lies against B in tree order (an ancestor first): negative before, 0 the
    // same node, positive after. Both are brought up to the same depth and then up
    // together to the children of one parent, whose places decide; only those two
    // places are looked up, not one for every ancestor.
    auto compareInTreeOrder = [](const TzqOcNode* A, int DepthA, const TzqOcNode* B, int DepthB) {
        const TzqOcNode* a = A;
        const TzqOcNode* b = B;
        for (; DepthA > DepthB; --DepthA)
            a = a->m_parent;
        for (; DepthB > DepthA; --DepthB)
            b = b->m_parent;
        if (a == b)
            return A == B ? 0 : (A == a ? -1 : 1);
        while (a->m_parent != b->m_parent) {
            a = a->m_parent;
            b = b->m_parent;
        }
        return a->Index() < b->Index() ? -1 : 1;
    };
    const int fromDepth = depthOf(From);
    struct Candidate {
        TzqOcNode* node = nullptr;
        int depth = 0;
    };
    Candidate ahead;
    Candidate round;
    // Forwards, a node earlier in tree order is the better one; backwards a later one.
    auto better = [Forward, &compareInTreeOrder](const Candidate& a, const Candidate& b) {
        const int order = compareInTreeOrder(a.node, a.depth, b.node, b.depth);
        return Forward ? order < 0 : order > 0;
    };
    for (TzqOcNode* c : candidates) {
        const Candidate candidate{c, depthOf(c)};
        const int order = compareInTreeOrder(c, candidate.depth, From, fromDepth);
        const bool after = Forward ? (IncludeFrom ? order >= 0 : order > 0) : (IncludeFrom ? order <= 0 : order < 0);
        Candidate& best = after ? ahead : round;
        if (!best.node || better(candidate, best))
            best = candidate;
    }
    if (ahead.node) {
        wrapped = false;
        return found(ahead.node);
    }
    wrapped = true;
    return found(round.node);
}

void TzqCustomOrgChart::RevealNode(TzqOcNode* Node)
{
    if (!IsInTree(Node) || Node == m_root)
        return;
    MakeNodeVisible(Node);
    SetSelected(Node);
}
