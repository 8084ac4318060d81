// TzqCustomOrgChart: dragging nodes. A press on the selected node's shape arms the drag;
// once the pointer has moved the platform's drag distance the platform's drag machinery
// carries it. While it runs the chart draws, inverted, a dotted outline of the box at
// the pointer and an elbow line to the parent the node would get, and scrolls by
// itself near an edge. The drop moves the selected node with its subtree.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

namespace {

constexpr uintptr_t kAutoScrollTimer = 1;
constexpr UINT kAutoScrollInterval = 220;
constexpr int kAutoScrollZone = 16;
constexpr int kAutoScrollStep = 16;

} // namespace

void TzqCustomOrgChart::MouseMove(TShiftState Shift, int X, int Y)
{
    if (m_dragArmed && m_options.contains(TzqOcOption::ocCanDrag) && !Dragging() && DragButtonsHeld(Shift)) {
        const TzqOcHitTests flags = GetHitTestInfoAt(X, Y);
        if (flags.contains(TzqOcHitTest::htOnShape) && m_selected && GetNodeAt(X, Y) == m_selected)
            BeginDrag(false);
    }
    // The application hears of moves only while no drag runs.
    if (!Dragging())
        TCustomControl::MouseMove(Shift, X, Y);
}

// Exactly the left button, or the left button with Ctrl.
bool TzqCustomOrgChart::DragButtonsHeld(TShiftState Shift)
{
    const TShiftState held = Shift * TShiftState{TShiftStateFlag::ssLeft, TShiftStateFlag::ssRight, TShiftStateFlag::ssMiddle,
                                                 TShiftStateFlag::ssShift, TShiftStateFlag::ssAlt, TShiftStateFlag::ssCtrl};
    return held == TShiftState{TShiftStateFlag::ssLeft} || held == TShiftState{TShiftStateFlag::ssLeft, TShiftStateFlag::ssCtrl};
}

void TzqCustomOrgChart::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    auto* sourceChart = dynamic_cast<TzqCustomOrgChart*>(Source);
    Accept = OnDragDrop ? sourceChart != nullptr : Source == this;
    DrawDragFeedback(sourceChart); // erases what was drawn before
    const bool scrolling = CheckAutoScroll(X, Y, State);
    TzqOcNode* node = nullptr;
    if (Accept) {
        node = GetNodeAt(X, Y);
        TzqOcNode* dragged = sourceChart ? sourceChart->Selected() : nullptr;
        // A node may not go into its own subtree; the node itself is accepted.
        Accept = node && dragged && !node->HasAsParent(dragged);
    }
    if (scrolling || !Accept || !m_options.contains(TzqOcOption::ocShowDrag) || State != TDragState::dsDragMove) {
        m_dropTarget = nullptr;
    } else {
        m_feedbackPoint = {X, Y};
        const bool below = m_hitFlags.contains(TzqOcHitTest::htBelow) && node != m_selected;
        TzqOcNode* candidate = below ? node : (node->Parent() ? node->Parent() : m_root);
        if (candidate != m_dropTarget) {
            m_dropTarget = candidate;
            if (candidate != m_root) {
                const TRect slot = NodeSlotRect(candidate);
                m_targetPoint = m_rotated ? TPoint(slot.Right, slot.Top + slot.Height() / 2)
                                          : TPoint(slot.Left + slot.Width() / 2, slot.Bottom);
            }
        }
    }
    DrawDragFeedback(sourceChart);
    if (OnDragOver)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void TzqCustomOrgChart::DrawDragFeedback(TzqCustomOrgChart* Source)
{
    if (!m_dropTarget || !Source || !Source->Selected() || !HandleAllocated())
        return;
    const int w = static_cast<int>(Source->NodeWidth(Source->Selected()));
    const int h = static_cast<int>(Source->NodeHeight(Source->Selected()));
    const int x = m_feedbackPoint.X;
    const int y = m_feedbackPoint.Y;
    if (!BeginCanvasDraw())
        return;
    TCanvas* c = Canvas();
    c->Pen()->SetMode(TPenMode::pmNotXor);
    c->Pen()->SetStyle(TPenStyle::psDot);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    ShowCursor(false);
    c->Rectangle(x, y, x + w, y + h);
    if (m_dropTarget != m_root) {
        const int tx = m_targetPoint.X;
        const int ty = m_targetPoint.Y;
        std::vector<TPoint> elbow;
        if (!m_rotated) {
            const int my = ty + (y - ty) / 2;
            elbow = {{x + w / 2, y}, {x + w / 2, my}, {tx, my}, {tx, ty}};
        } else {
            const int mx = tx + (x - tx) / 2;
            elbow = {{x, y + h / 2}, {mx, y + h / 2}, {mx, ty}, {tx, ty}};
        }
        c->Polyline(elbow);
    }
    ShowCursor(true);
    c->Pen()->SetMode(TPenMode::pmCopy);
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    EndCanvasDraw();
}

bool TzqCustomOrgChart::CheckAutoScroll(int X, int Y, TDragState State)
{
    bool result = false;
    if (State == TDragState::dsDragMove) {
        int16_t stepX = X <= kAutoScrollZone ? -kAutoScrollStep : 0;
        if (X >= ClientWidth() - kAutoScrollZone)
            stepX = kAutoScrollStep;
        int16_t stepY = Y <= kAutoScrollZone ? -kAutoScrollStep : 0;
        if (Y >= ClientHeight() - kAutoScrollZone)
            stepY = kAutoScrollStep;
        // A scroll that stalled at the end stays stopped while the steps stay the same.
        if (!(m_autoScrollStalled && stepX == m_autoScrollStepX && stepY == m_autoScrollStepY)) {
            m_autoScrollStepX = stepX;
            m_autoScrollStepY = stepY;
            m_autoScrollStalled = false;
            result = stepX != 0 || stepY != 0;
        }
    }
    if (result) {
        if (!m_autoScrollTimer && HandleAllocated())
            m_autoScrollTimer = static_cast<uint32_t>(SetTimer(Handle(), kAutoScrollTimer, kAutoScrollInterval));
    } else {
        StopAutoScroll();
    }
    return result;
}

void TzqCustomOrgChart::StopAutoScroll()
{
    if (m_autoScrollTimer && HandleAllocated())
        KillTimer(Handle(), kAutoScrollTimer);
    m_autoScrollTimer = 0;
}

void TzqCustomOrgChart::AutoScrollTick()
{
    const int left = LeftPos();
    const int top = TopPos();
    ScrollTo(static_cast<int64_t>(left) + m_autoScrollStepX, static_cast<int64_t>(top) + m_autoScrollStepY);
    m_autoScrollStalled = LeftPos() == left && TopPos() == top;
    if (m_autoScrollStalled)
        StopAutoScroll();
    else
        Update();
}

void TzqCustomOrgChart::DragDrop(TObject* Source, int X, int Y)
{
    StopAutoScroll();
    if (OnDragDrop) {
        OnDragDrop(this, Source, X, Y);
        return;
    }
    if (Source != this || !m_selected)
        return;
    TzqOcNode* node = GetNodeAt(X, Y);
    if (!node)
        return;
    const TzqOcHitTests flags = GetHitTestInfoAt(X, Y);
    TzqOcNode* destination = node;
    TzqOcAttachMode mode = TzqOcAttachMode::amInsert;
    if (flags.contains(TzqOcHitTest::htBelow)) {
        mode = TzqOcAttachMode::amAddChild;
    } else if (flags.contains(TzqOcHitTest::htOnRect) || flags.contains(TzqOcHitTest::htRight)) {
        if (TzqOcNode* next = node->GetNextSibling()) {
            destination = next;
        } else {
            destination = node->Parent(); // none: the last top-level node
            mode = TzqOcAttachMode::amAddChild;
        }
    }
    TzqOcNode* moved = m_selected;
    moved->MoveTo(destination, mode);
    if (IsInTree(moved))
        moved->MakeVisible();
}

void TzqCustomOrgChart::DragCanceled()
{
    StopAutoScroll();
    m_dragArmed = false;
    TCustomControl::DragCanceled();
}
