// TzqCustomOrgChart: mouse, keyboard and scroll bars. Selection by the user passes
// through Changing; keyboard walks go on past refused nodes.
#include "orgchart/CustomOrgChart.h"

#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

using Step = TzqOcNode* (*)(TzqOcNode*);

TzqOcNode* NextSibling(TzqOcNode* n) { return n->GetNextSibling(); }
TzqOcNode* PrevSibling(TzqOcNode* n) { return n->GetPrevSibling(); }
TzqOcNode* NextVisible(TzqOcNode* n) { return n->GetNextVisible(); }
TzqOcNode* PrevVisible(TzqOcNode* n) { return n->GetPrevVisible(); }

} // namespace

// The first node along the walk from the selection that Changing allows; none when the
// walk ends first.
TzqOcNode* TzqCustomOrgChart::Walk(TzqOcNode* (*Next)(TzqOcNode*))
{
    for (TzqOcNode* candidate = Next(m_selected); candidate; candidate = Next(candidate)) {
        bool allow = true;
        Changing(candidate, allow);
        if (allow)
            return candidate;
    }
    return nullptr;
}

void TzqCustomOrgChart::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    const TShiftState modifiers = Shift * TShiftState{TShiftStateFlag::ssShift, TShiftStateFlag::ssAlt,
                                                      TShiftStateFlag::ssCtrl};
    const int64_t clientWidth = ClientWidth();
    const int64_t clientHeight = ClientHeight();
    TzqOcNode* produced = nullptr;
    bool inserted = false;

    if (modifiers.empty()) {
        switch (Key) {
        case VK_RETURN:
        case VK_F2:
            ShowEditor();
            break;
        case VK_ESCAPE:
            if (Dragging())
                EndDrag(false);
            break;
        case VK_PRIOR:
            ScrollTo(LeftPos(), TopPos() - clientHeight + 16);
            break;
        case VK_NEXT:
            ScrollTo(LeftPos(), TopPos() + clientHeight - 16);
            break;
        case VK_HOME:
            ScrollTo(0, TopPos());
            break;
        case VK_END:
            ScrollTo(TotalWidth(), TopPos());
            break;
        case VK_LEFT:
            if (m_selected && !(produced = Walk(PrevSibling)))
                produced = Walk(PrevVisible);
            break;
        case VK_UP:
            if (m_selected)
                produced = Walk(PrevVisible);
            break;
        case VK_RIGHT:
            if (m_selected && !(produced = Walk(NextSibling)))
                produced = Walk(NextVisible);
            break;
        case VK_DOWN:
            if (m_selected)
                produced = Walk(NextVisible);
            break;
        case VK_INSERT:
            produced = InsertByKey(false);
            inserted = true;
            break;
        case VK_DELETE:
            if (m_options.contains(TzqOcOption::ocInsDel) && m_selected)
                DeleteNode(m_selected);
            break;
        default:
            break;
        }
    } else if (modifiers == TShiftState{TShiftStateFlag::ssCtrl}) {
        switch (Key) {
        case VK_PRIOR:
            ScrollTo(LeftPos(), 0);
            break;
        case VK_NEXT:
            ScrollTo(LeftPos(), TotalHeight());
            break;
        case VK_HOME:
            ScrollTo(0, 0);
            break;
        case VK_END:
            ScrollTo(TotalWidth(), TotalHeight());
            break;
        case VK_LEFT:
            ScrollTo(LeftPos() - clientWidth + 16, TopPos());
            break;
        case VK_RIGHT:
            ScrollTo(LeftPos() + clientWidth - 16, TopPos());
            break;
        case VK_INSERT:
            produced = InsertByKey(true);
            inserted = true;
            break;
        default:
            break;
        }
    }
    if (produced) {
        (void)inserted; // walks asked Changing already; insertions do not ask it
        SetSelected(produced);
        if (m_selected)
            m_selected->MakeVisible();
    }
}

TzqOcNode* TzqCustomOrgChart::InsertByKey(bool AsChild)
{
    if (!m_options.contains(TzqOcOption::ocInsDel) || (!m_selected && m_count > 0))
        return nullptr;
    if (AsChild || !m_selected)
        return AddChild(m_selected, 0);
    if (TzqOcNode* next = m_selected->GetNextSibling())
        return Insert(next, 0);
    return AddChild(m_selected->Parent(), 0);
}

void TzqCustomOrgChart::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key == 0 || IsEditing() || !m_selected)
        return;
    if (Key == U'+')
        m_selected->Expand(false);
    else if (Key == U'-')
        m_selected->Collapse(false);
}

void TzqCustomOrgChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    using HT = TzqOcHitTest;
    if (Button == TMouseButton::mbLeft && !Shift.contains(TShiftStateFlag::ssDouble)) {
        if (CanFocus())
            SetFocus();
        HitTest(X, Y);
        const TzqOcHitTests flags = m_hitFlags;
        TzqOcNode* hit = m_hitNode;
        // Only a press on the node that is already selected can start a drag: the press
        // that selects a node does not also drag it.
        m_dragArmed = hit && hit == m_selected;
        if (hit && flags.contains(HT::htOnShape) && !flags.contains(HT::htOnButton))
            SelectByUser(hit);
        if (hit && flags.contains(HT::htOnButton)) {
            // Collapsing around the selection first moves the selection onto the node.
            if (m_selected && hit->m_expanded && m_selected->HasAsParent(hit))
                SelectByUser(hit);
            hit->SetExpanded(!hit->m_expanded);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TzqCustomOrgChart::DblClick()
{
    using HT = TzqOcHitTest;
    if (m_options.contains(TzqOcOption::ocDblClick) && m_hitNode && m_hitFlags.contains(HT::htOnShape) &&
        !m_hitFlags.contains(HT::htOnButton))
        m_hitNode->SetExpanded(!m_hitNode->m_expanded);
    TCustomControl::DblClick();
}

// The thumb's position for a notification that carries only its low 16 bits. The bar
// knows the whole 32-bit position of the thumb (while it is dragged, and at the end of
// the drag); a drawing taller than 65,535 pixels needs it. The bar's value is taken
// when its low bits are the ones notified, so that a notification sent by other code
// with a position of its own still goes where it says.
int64_t TzqCustomOrgChart::ThumbPosition(int Bar, int Notified)
{
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    if (HandleAllocated() && GetScrollInfo(Handle(), Bar, info) && (info.nTrackPos & 0xFFFF) == Notified)
        return info.nTrackPos;
    return Notified;
}

void TzqCustomOrgChart::ScrollBarNotification(TMessage& Message, int Bar)
{
    const int code = LoWord(Message.WParam);
    const bool horizontal = Bar == SB_HORZ;
    const int64_t position = horizontal ? LeftPos() : TopPos();
    const int64_t page = horizontal ? ClientWidth() : ClientHeight();
    const int64_t total = horizontal ? TotalWidth() : TotalHeight();
    int64_t target = position;
    switch (code) {
    case SB_LINEUP:
        target = position - 16;
        break;
    case SB_LINEDOWN:
        target = position + 16;
        break;
    case SB_PAGEUP:
        target = position - page + 16;
        break;
    case SB_PAGEDOWN:
        target = position + page - 16;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        target = ThumbPosition(Bar, HiWord(Message.WParam));
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = total - page;
        break;
    default:
        return;
    }
    if (horizontal)
        ScrollTo(target, TopPos());
    else
        ScrollTo(LeftPos(), target);
}
