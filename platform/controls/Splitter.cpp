#include "platform/controls/Splitter.h"

#include "platform/controls/WinControl.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 3, 100);
    SetAlign(TAlign::alLeft);
    SetCursor(crHSplit);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
}

TSplitter::~TSplitter()
{
    RemoveKeyHook();
}

void TSplitter::RequestAlign()
{
    // The cursor follows the direction of the split unless the program chose another.
    if (Cursor() == crHSplit || Cursor() == crVSplit)
        SetCursor(Horizontal() ? crHSplit : crVSplit);
    TGraphicControl::RequestAlign();
}

void TSplitter::SetMinSize(int value)
{
    m_minSize = std::max(1, value);
}

void TSplitter::SetBeveled(bool value)
{
    if (value == m_beveled)
        return;
    m_beveled = value;
    Invalidate();
}

bool TSplitter::Horizontal() const
{
    return Align() != TAlign::alTop && Align() != TAlign::alBottom;
}

TControl* TSplitter::FindNeighbour() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    TPoint p;
    switch (Align()) {
    case TAlign::alRight:
        p = {Left() + Width(), Top()};
        break;
    case TAlign::alTop:
        p = {Left(), Top() - 1};
        break;
    case TAlign::alBottom:
        p = {Left(), Top() + Height()};
        break;
    default:
        p = {Left() - 1, Top()};
        break;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || !c->Enabled())
            continue;
        TRect r = c->BoundsRect();
        // A neighbour squeezed to nothing still counts on its own side.
        if (r.Width() == 0) {
            if (Align() == TAlign::alRight)
                ++r.Right;
            else
                --r.Left;
        }
        if (r.Height() == 0) {
            if (Align() == TAlign::alBottom)
                ++r.Bottom;
            else
                --r.Top;
        }
        if (r.Contains(p))
            return c;
    }
    return nullptr;
}

int TSplitter::NeighbourSize() const
{
    if (!m_neighbour)
        return 0;
    return Horizontal() ? m_neighbour->Width() : m_neighbour->Height();
}

int TSplitter::MaxNeighbourSize() const
{
    TWinControl* parent = Parent();
    if (!parent || !m_neighbour)
        return 0;
    // Everything docked along the same axis takes its room; what is left beyond
    // MinSize may go to the neighbour.
    int size = (Horizontal() ? parent->ClientWidth() : parent->ClientHeight()) - m_minSize;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible() || c == m_neighbour)
            continue;
        const TAlign a = c->Align();
        if (Horizontal() && (a == TAlign::alLeft || a == TAlign::alRight))
            size -= c->Width();
        else if (!Horizontal() && (a == TAlign::alTop || a == TAlign::alBottom))
            size -= c->Height();
    }
    return std::max(0, size);
}

int TSplitter::SizeForOffset(int offset) const
{
    const bool grows = Align() == TAlign::alLeft || Align() == TAlign::alTop || Align() == TAlign::alNone;
    int size = m_startSize + (grows ? offset : -offset);
    // The space left to the others is the firm rule; the neighbour keeps MinSize
    // whenever there is room for it.
    size = std::min(size, m_maxSize);
    if (size < m_minSize)
        size = (m_autoSnap && size < m_minSize / 2) ? 0 : std::min(m_minSize, m_maxSize);
    size = std::max(0, size);
    if (OnCanResize) {
        int proposed = size;
        bool accept = true;
        OnCanResize(const_cast<TSplitter*>(this), proposed, accept);
        if (!accept)
            return m_newSize;
        size = std::clamp(proposed, 0, std::max(0, m_maxSize));
    }
    return size;
}

void TSplitter::ApplySize(int size)
{
    if (!m_neighbour || size == NeighbourSize())
        return;
    switch (Align()) {
    case TAlign::alRight:
        m_neighbour->SetBounds(m_neighbour->Left() + m_neighbour->Width() - size, m_neighbour->Top(), size,
                               m_neighbour->Height());
        break;
    case TAlign::alBottom:
        m_neighbour->SetBounds(m_neighbour->Left(), m_neighbour->Top() + m_neighbour->Height() - size,
                               m_neighbour->Width(), size);
        break;
    case TAlign::alTop:
        m_neighbour->SetHeight(size);
        break;
    default:
        m_neighbour->SetWidth(size);
        break;
    }
    if (Parent())
        Parent()->Update();
}

TRect TSplitter::DragLineRect() const
{
    const int delta = m_newSize - m_startSize;
    switch (Align()) {
    case TAlign::alRight:
        return BoundsRect().Offset(-delta, 0);
    case TAlign::alTop:
        return BoundsRect().Offset(0, delta);
    case TAlign::alBottom:
        return BoundsRect().Offset(0, -delta);
    default:
        return BoundsRect().Offset(delta, 0);
    }
}

void TSplitter::DrawDragLine()
{
    if (!Parent() || !Parent()->HandleAllocated())
        return;
    // Drawn by exclusive-or on the parent, over its children: the second drawing
    // at the same place takes the line away.
    HDC dc = GetDC(Parent()->Handle());
    if (!dc)
        return;
    const TRect r = m_lineRect;
    if (m_resizeStyle == TResizeStyle::rsPattern) {
        TBitmap halftone(8, 8);
        MakeHalftonePattern(halftone);
        dc->Brush()->SetBitmap(&halftone);
        dc->SetTextColor(clBlack);
        dc->SetBkColor(clWhite);
        dc->PatBlt(r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
        dc->Brush()->SetBitmap(nullptr);
    } else {
        dc->PatBlt(r.Left, r.Top, r.Width(), r.Height(), DSTINVERT);
    }
    ReleaseDC(Parent()->Handle(), dc);
    m_lineShown = !m_lineShown;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || m_dragging)
        return;
    m_neighbour = FindNeighbour();
    if (!m_neighbour)
        return;
    m_dragging = true;
    m_downPos = Horizontal() ? X + Left() : Y + Top();
    m_startSize = NeighbourSize();
    m_newSize = m_startSize;
    m_maxSize = MaxNeighbourSize();
    InstallKeyHook();
    if (m_resizeStyle == TResizeStyle::rsLine || m_resizeStyle == TResizeStyle::rsPattern) {
        m_lineRect = DragLineRect();
        DrawDragLine();
    }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!m_dragging)
        return;
    const int pos = Horizontal() ? X + Left() : Y + Top();
    // Sizes are measured from where the drag began; with live updates the splitter
    // itself moves, so its own offset is part of the position.
    const int size = SizeForOffset(pos - m_downPos);
    if (size == m_newSize)
        return;
    m_newSize = size;
    if (m_resizeStyle == TResizeStyle::rsUpdate) {
        ApplySize(size);
    } else if (m_resizeStyle != TResizeStyle::rsNone) {
        if (m_lineShown)
            DrawDragLine();
        m_lineRect = DragLineRect();
        DrawDragLine();
    }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && m_dragging)
        EndDrag(true);
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSplitter::EndDrag(bool apply)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    RemoveKeyHook();
    if (m_lineShown)
        DrawDragLine();
    const int target = apply ? m_newSize : m_startSize;
    const bool changed = target != NeighbourSize() || (apply && m_newSize != m_startSize);
    ApplySize(target);
    m_neighbour = nullptr;
    if (!apply)
        SetMouseCapture(false);
    if (apply && changed && OnMoved)
        OnMoved(this);
}

void TSplitter::InstallKeyHook()
{
    if (m_keyHook)
        return;
    m_keyHook = SetWindowsHookEx(WH_KEYBOARD, [this](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const HHOOK self = m_keyHook;
        if (code == HC_ACTION && wParam == VK_ESCAPE && !(lParam & KF_UP_LPARAM)) {
            EndDrag(false);
            return 1;
        }
        return CallNextHookEx(self, code, wParam, lParam);
    });
}

void TSplitter::RemoveKeyHook()
{
    if (!m_keyHook)
        return;
    UnhookWindowsHookEx(m_keyHook);
    m_keyHook = nullptr;
}

void TSplitter::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    FillRectColor(c, r, Color());
    if (m_beveled)
        c->DrawEdge(r, BDR_RAISEDINNER, Horizontal() ? (BF_LEFT | BF_RIGHT) : (BF_TOP | BF_BOTTOM));
}
