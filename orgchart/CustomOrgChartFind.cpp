// Finding nodes by their captions, and bringing one into view.
#include "orgchart/CustomOrgChart.h"
#include "orgchart/OcNode.h"
#include "platform/core/SearchText.h"

TzqOcNode* TzqCustomOrgChart::GetLastNode() const
{
    TzqOcNode* node = m_root->GetLastChild();
    while (node && node->Count() > 0)
        node = node->GetLastChild();
    return node;
}

TzqOcNode* TzqCustomOrgChart::FindNode(const std::string& Text, TzqOcNode* From, bool Forward, bool IncludeFrom,
                                       bool* Wrapped) const
{
    if (Wrapped)
        *Wrapped = false;
    const TSearchText pattern(Text);
    if (pattern.Empty() || m_count == 0)
        return nullptr;
    if (From && (!IsInTree(From) || From == m_root))
        From = nullptr;
    // The caption as shown: the stored text unless a handler supplies it.
    auto matches = [&](const TzqOcNode* n) {
        return OnGetText ? pattern.FoundIn(n->GetText()) : pattern.FoundIn(n->m_text.View());
    };
    auto step = [Forward](const TzqOcNode* n) { return Forward ? n->GetNext() : n->GetPrev(); };
    TzqOcNode* const start = Forward ? GetFirstNode() : GetLastNode();

    if (!From) {
        for (TzqOcNode* n = start; n; n = step(n)) {
            if (matches(n))
                return n;
        }
        return nullptr;
    }
    // From the starting point to the end...
    for (TzqOcNode* n = IncludeFrom ? From : step(From); n; n = step(n)) {
        if (matches(n))
            return n;
    }
    // ...then round from the other end back to From (From itself last, when it was not
    // looked at first: the only match is found again, having gone round).
    for (TzqOcNode* n = start; n; n = step(n)) {
        if (n == From && IncludeFrom)
            break;
        if (matches(n)) {
            if (Wrapped)
                *Wrapped = true;
            return n;
        }
        if (n == From)
            break;
    }
    return nullptr;
}

void TzqCustomOrgChart::RevealNode(TzqOcNode* Node)
{
    if (!IsInTree(Node) || Node == m_root)
        return;
    MakeNodeVisible(Node);
    SetSelected(Node);
}
