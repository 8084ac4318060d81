// Finding nodes by their captions, and bringing one into view.
//
// The next match in tree order is sought in two steps. The nodes after the starting
// point are looked at one by one for a while: a match close by (typing into the find
// box, a common word) is found at once. When none is close, every caption is looked at
// in the order the nodes lie in memory, which is many times faster than following the
// tree from node to node; the matches found are then put in tree order by their paths
// from the root. Only when there are very many of them does the walk go on.
#include "orgchart/CustomOrgChart.h"
#include "orgchart/OcNode.h"
#include "platform/core/SearchText.h"

#include <algorithm>
#include <vector>

namespace {

// Nodes looked at along the tree before every caption is searched.
constexpr int kNearbySteps = 4096;
// Matches put in tree order by their paths; beyond it the walk goes on instead.
constexpr size_t kMostOrderedMatches = 256;

// The positions of a node and its ancestors among their siblings, from the top level
// down: comparing two of them orders the nodes as tree order does (an ancestor first).
std::vector<int> PathOf(const TzqOcNode* Node)
{
    std::vector<int> path;
    for (const TzqOcNode* n = Node; n; n = n->Parent())
        path.push_back(n->Index());
    std::reverse(path.begin(), path.end());
    return path;
}

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
    const std::vector<int> from = PathOf(From);
    TzqOcNode* ahead = nullptr;
    std::vector<int> aheadPath;
    TzqOcNode* round = nullptr;
    std::vector<int> roundPath;
    for (TzqOcNode* c : candidates) {
        std::vector<int> path = PathOf(c);
        const bool after = Forward ? (IncludeFrom ? path >= from : path > from) : (IncludeFrom ? path <= from : path < from);
        auto better = [Forward](const std::vector<int>& a, const std::vector<int>& b) { return Forward ? a < b : a > b; };
        if (after) {
            if (!ahead || better(path, aheadPath)) {
                ahead = c;
                aheadPath = std::move(path);
            }
        } else if (!round || better(path, roundPath)) {
            round = c;
            roundPath = std::move(path);
        }
    }
    if (ahead) {
        wrapped = false;
        return found(ahead);
    }
    wrapped = true;
    return found(round);
}

void TzqCustomOrgChart::RevealNode(TzqOcNode* Node)
{
    if (!IsInTree(Node) || Node == m_root)
        return;
    MakeNodeVisible(Node);
    SetSelected(Node);
}
