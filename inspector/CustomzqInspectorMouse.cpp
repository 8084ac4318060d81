// The inspector's mouse: presses on lines and their click-through to the editor, the
// auto-scroll while a line is held, sizing of the divider, the bands and the rows, the
// cursors over their edges, and the hot category of the categorized style.
#include "inspector/CustomzqInspector.h"

#include "editors/InplaceEdit.h"
#include "platform/core/Messages.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The timer of the auto-scroll while a line is held, and its period.
constexpr uintptr_t kPressTimer = 1;
constexpr UINT kPressPeriod = 60;
// A held line starts a drag once the mouse has moved further than this.
constexpr int kDragThreshold = 5;

using K = TzqInspectorHitKind;
using M = TzqInspectorMouseState;

bool IsLinePart(K kind)
{
    return (kind >= K::ihtIndent && kind <= K::ihtValue) || kind == K::ihtItemGap;
}

} // namespace

bool TCustomzqInspector::IsSizing() const
{
    return m_mouseState == M::msDividerSizing || m_mouseState == M::msBandSizing || m_mouseState == M::msRowSizing;
}

bool TCustomzqInspector::HasFocusInside()
{
    if (!HandleAllocated())
        return false;
    return Focused() || (m_editor && m_editor->HandleAllocated() && m_editor->Focused());
}

// ---- Presses ----

void TCustomzqInspector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    try {
        PressAt(Button, Shift, X, Y);
    } catch (...) {
        // A refused value leaves no press, timer or capture behind.
        EndPress();
        if (HandleAllocated() && GetCapture() == Handle())
            ReleaseCapture();
        throw;
    }
    TCustomzqContainer::MouseDown(Button, Shift, X, Y);
}

void TCustomzqInspector::PressAt(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (HasFocusInside())
        PostEditor();
    if (!IsDesigning() && CanFocus() && !HasFocusInside())
        SetFocus();
    if (!HasFocusInside()) {
        if (GetCapture() == Handle())
            ReleaseCapture();
        return;
    }
    const TzqInspectorHitInfo hit = GetHitInfo(TPoint(X, Y));
    if (Button == TMouseButton::mbRight && IsSizing()) {
        CancelSizing();
        return;
    }
    if (Button != TMouseButton::mbLeft || m_mouseState != M::msNone || GetCapture() != Handle())
        return;
    const bool dbl = Shift.contains(TShiftStateFlag::ssDouble);
    switch (hit.Kind) {
    case K::ihtDivider:
        if (m_optionWord & zqInspectorOption::ColumnSizing)
            BeginSizing(M::msDividerSizing, hit, X, Y);
        return;
    case K::ihtBandEdge:
        if (m_optionWord & zqInspectorOption::BandSizing)
            BeginSizing(M::msBandSizing, hit, X, Y);
        return;
    case K::ihtRowBottom:
        if (hit.Node)
            BeginSizing(M::msRowSizing, hit, X, Y);
        return;
    case K::ihtNone:
        if (!dbl)
            FocusLastLine(hit.Band);
        return;
    default: break;
    }
    if (!IsLinePart(hit.Kind) || !hit.Node)
        return;
    PressLine(hit, dbl, X, Y);
}

void TCustomzqInspector::PressLine(const TzqInspectorHitInfo& Hit, bool DoubleClick, int X, int Y)
{
    m_mouseState = M::msRowPressed;
    m_pressedNode = Hit.Node;
    m_pressPoint = TPoint(X, Y);
    m_clickNode = nullptr;
    m_clickEditor = nullptr;
    if (m_paintStyle == TzqInspectorPaintStyle::ipsCategorized)
        InvalidateNode(Hit.Node);
    const bool toggles = Hit.Kind == K::ihtButton ||
                         (DoubleClick && (Hit.Kind == K::ihtImage || Hit.Kind == K::ihtCaption));
    SetFocusedNode(Hit.Node);
    if (IsDestroying() || m_focusedNode != Hit.Node) {
        EndPress();
        return;
    }
    if (Hit.ItemIndex >= 0)
        m_focusedItemIndex = Hit.ItemIndex;
    if (toggles) {
        EndPress();
        if (Hit.Node->HasChildren())
            Hit.Node->SetExpandedState(!Hit.Node->Expanded());
        return;
    }
    UpdateEditor(true, false);
    if (Hit.Kind == K::ihtValue && m_focusedNode) {
        const TRect line = LineRect(m_focusedNode);
        if (X > line.Left + m_dividerPos) {
            m_clickItem = Hit.ItemIndex;
            m_clickEditor = m_editor;
            m_clickNode = m_editingNode;
        }
    }
    if (OnClick)
        OnClick(this);
    if (m_mouseState == M::msRowPressed && HandleAllocated())
        SetTimer(Handle(), kPressTimer, kPressPeriod);
}

void TCustomzqInspector::FocusLastLine(int Band)
{
    if (m_lines.empty())
        return;
    int index = static_cast<int>(m_lines.size()) - 1;
    if (BandMode())
        for (int i = 0; i < static_cast<int>(m_lineBands.size()); ++i)
            if (m_lineBands[static_cast<size_t>(i)] == Band)
                index = i;
    TzqInspectorNode* node = m_lines[static_cast<size_t>(index)];
    SetFocusedNode(node);
    MakeNodeVisible(node);
    UpdateEditor(true, false);
}

void TCustomzqInspector::EndPress()
{
    if (HandleAllocated())
        KillTimer(Handle(), kPressTimer);
    TzqInspectorNode* pressed = m_pressedNode;
    m_pressedNode = nullptr;
    if (m_mouseState == M::msRowPressed || m_mouseState == M::msDragging)
        m_mouseState = M::msNone;
    if (pressed && m_paintStyle == TzqInspectorPaintStyle::ipsCategorized)
        InvalidateNode(pressed);
}

// ---- Moves ----

void TCustomzqInspector::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (m_mouseState) {
    case M::msDividerSizing:
    case M::msBandSizing:
    case M::msRowSizing: MoveSizing(X, Y); break;
    case M::msRowPressed: MovePressed(Shift, X, Y); break;
    case M::msNone:
        if (!IsDesigning())
            TrackHotNode(TPoint(X, Y));
        break;
    default: break;
    }
    UpdateRowHint(TPoint(X, Y));
    TCustomzqContainer::MouseMove(Shift, X, Y);
}

void TCustomzqInspector::MovePressed(TShiftState Shift, int X, int Y)
{
    if (!Shift.contains(TShiftStateFlag::ssLeft)) {
        EndPress();
        return;
    }
    if (DragMode() == TDragMode::dmAutomatic &&
        (std::abs(X - m_pressPoint.X) > kDragThreshold || std::abs(Y - m_pressPoint.Y) > kDragThreshold)) {
        if (m_pressedNode)
            SetFocusedNode(m_pressedNode);
        m_mouseState = M::msDragging;
        return;
    }
    const TzqInspectorHitInfo hit = GetHitInfo(TPoint(X, Y));
    if (!hit.Node || !IsLinePart(hit.Kind) || hit.Node == m_focusedNode)
        return;
    SetFocusedNode(hit.Node);
    if (m_focusedNode != m_clickNode)
        m_clickNode = nullptr;
}

void TCustomzqInspector::SetHotNode(TzqInspectorNode* Node)
{
    if (Node == m_hotNode)
        return;
    InvalidateNode(m_hotNode);
    m_hotNode = Node;
    InvalidateNode(m_hotNode);
}

void TCustomzqInspector::TrackHotNode(TPoint Point)
{
    if (m_paintStyle != TzqInspectorPaintStyle::ipsCategorized) {
        SetHotNode(nullptr);
        return;
    }
    const TzqInspectorHitInfo hit = GetHitInfo(Point);
    SetHotNode(hit.Node && IsCategory(hit.Node) ? hit.Node : nullptr);
}

void TCustomzqInspector::PressTimer()
{
    if (m_mouseState != M::msRowPressed && m_mouseState != M::msDragging) {
        KillTimer(Handle(), kPressTimer);
        return;
    }
    if (m_visible.empty() || BandMode())
        return;
    TPoint p;
    GetCursorPos(p);
    p = ScreenToClient(p);
    const int fully = std::clamp(m_fullyVisibleLineCount, 1, static_cast<int>(m_visible.size()));
    const TzqInspectorNode* top = m_visible.front().Node;
    const TzqInspectorNode* last = m_visible[static_cast<size_t>(fully - 1)].Node;
    const int areaTop = m_visible.front().Rect.Top;
    const int areaBottom = m_visible[static_cast<size_t>(fully - 1)].Rect.Bottom;
    try {
        if (p.Y < areaTop) {
            if (m_focusedNode != top)
                SetFocusedNode(const_cast<TzqInspectorNode*>(top));
            else
                SetFocusedIndex(FocusedIndex() - 1);
        } else if (p.Y >= areaBottom) {
            if (m_focusedNode != last)
                SetFocusedNode(const_cast<TzqInspectorNode*>(last));
            else
                SetFocusedIndex(FocusedIndex() + 1);
        }
    } catch (...) {
        EndPress();
        if (GetCapture() == Handle())
            ReleaseCapture();
        throw;
    }
}

// ---- Releases ----

void TCustomzqInspector::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (HandleAllocated())
        KillTimer(Handle(), kPressTimer);
    switch (m_mouseState) {
    case M::msRowPressed:
    case M::msDragging: ReleasePress(X, Y); break;
    case M::msDividerSizing:
    case M::msBandSizing:
    case M::msRowSizing:
        if (Button == TMouseButton::mbLeft)
            FinishSizing(X, Y);
        break;
    default: break;
    }
    if (!IsDestroying())
        TCustomzqContainer::MouseUp(Button, Shift, X, Y);
}

void TCustomzqInspector::ReleasePress(int X, int Y)
{
    TzqInspectorNode* pressed = m_pressedNode;
    EndPress();
    const TzqInspectorHitInfo hit = GetHitInfo(TPoint(X, Y));
    if (pressed && hit.Node == pressed && m_paintStyle == TzqInspectorPaintStyle::ipsCategorized &&
        IsCategory(pressed) && hit.Kind != K::ihtButton) {
        pressed->SetExpandedState(!pressed->Expanded());
        return;
    }
    // The press and the release on the same value cell make a click of its editor.
    TzqInplaceEdit* editor = m_clickEditor;
    const bool sameCell = hit.Kind == K::ihtValue && m_clickNode && hit.Node == m_clickNode &&
                          m_editingNode == m_clickNode && hit.ItemIndex == m_clickItem && editor == m_editor;
    m_clickNode = nullptr;
    m_clickEditor = nullptr;
    if (!sameCell || !editor)
        return;
    editor->HostClick();
    if (HandleAllocated() && !IsDestroying() && m_editor == editor) {
        const TRect r = editor->BoundsRect();
        InvalidateRect(Handle(), &r, false);
    }
}

// ---- Sizing ----

int TCustomzqInspector::SizingBandLeft() const
{
    return BandMode() ? (m_sizeStartBand - m_firstBand) * m_bandWidth : 0;
}

int TCustomzqInspector::ClampedDivider(int X) const
{
    const int width = BandMode() ? m_bandWidth - BandSeparatorWidth : ClientWidth();
    // The lower limit wins when the band is too narrow for both.
    return std::max(std::min(X - SizingBandLeft(), width - m_minColumnWidth), m_minColumnWidth);
}

int TCustomzqInspector::ClampedSizingY(int Y)
{
    const TRect line = LineRect(m_sizeNode);
    return std::min(std::max(Y, line.Top + m_rowHeight - 1), ClientHeight() - 1);
}

void TCustomzqInspector::BeginSizing(TzqInspectorMouseState State, const TzqInspectorHitInfo& Hit, int X, int Y)
{
    m_mouseState = State;
    m_sizeStartBand = Hit.Band;
    m_sizeNode = Hit.Node;
    m_sizeLine = -1;
    switch (State) {
    case M::msDividerSizing:
        m_sizeStartValue = m_dividerPos;
        if (!(m_optionWord & zqInspectorOption::DynamicColumnSizing))
            DrawSizingLine(SizingBandLeft() + ClampedDivider(X));
        break;
    case M::msBandSizing: m_sizeStartValue = m_bandWidth; break;
    case M::msRowSizing:
        m_sizeStartValue = NodeHeight(Hit.Node);
        DrawSizingLine(ClampedSizingY(Y));
        break;
    default: break;
    }
    m_sizeChangedLive = false;
}

void TCustomzqInspector::MoveSizing(int X, int Y)
{
    switch (m_mouseState) {
    case M::msDividerSizing: {
        const int divider = ClampedDivider(X);
        if (m_optionWord & zqInspectorOption::DynamicColumnSizing) {
            SetDividerPos(divider);
            m_sizeChangedLive = true;
        } else {
            DrawSizingLine(SizingBandLeft() + divider);
        }
        break;
    }
    case M::msBandSizing:
        SetBandWidth(std::min(BandWidthAfterDrag(X, m_sizeStartBand), std::max(ClientWidth(), m_minBandWidth)));
        m_sizeChangedLive = true;
        break;
    case M::msRowSizing:
        if (!LineRect(m_sizeNode).IsEmpty())
            DrawSizingLine(ClampedSizingY(Y));
        break;
    default: break;
    }
}

void TCustomzqInspector::FinishSizing(int X, int Y)
{
    const TzqInspectorMouseState state = m_mouseState;
    EraseSizingLine();
    m_mouseState = M::msNone;
    switch (state) {
    case M::msDividerSizing: SetDividerPos(ClampedDivider(X)); break;
    case M::msBandSizing:
        SetBandWidth(std::min(BandWidthAfterDrag(X, m_sizeStartBand), std::max(ClientWidth(), m_minBandWidth)));
        break;
    case M::msRowSizing:
        if (m_sizeNode && !LineRect(m_sizeNode).IsEmpty()) {
            const TRect line = LineRect(m_sizeNode);
            SetNodeHeight(m_sizeNode, std::max(ClampedSizingY(Y) - line.Top + 1, m_rowHeight));
            RelayoutAndPaint();
            UpdateEditor(false, false);
        }
        break;
    default: break;
    }
    m_sizeNode = nullptr;
}

void TCustomzqInspector::CancelSizing()
{
    if (!IsSizing())
        return;
    const TzqInspectorMouseState state = m_mouseState;
    EraseSizingLine();
    m_mouseState = M::msNone;
    m_sizeNode = nullptr;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    if (m_sizeChangedLive) {
        if (state == M::msDividerSizing)
            SetDividerPos(m_sizeStartValue);
        else if (state == M::msBandSizing)
            SetBandWidth(m_sizeStartValue);
    }
    m_sizeChangedLive = false;
}

void TCustomzqInspector::DrawSizingLine(int Pos)
{
    if (Pos == m_sizeLine)
        return;
    EraseSizingLine();
    XorSizingLine(Pos);
    m_sizeLine = Pos;
}

void TCustomzqInspector::EraseSizingLine()
{
    if (m_sizeLine < 0)
        return;
    XorSizingLine(m_sizeLine);
    m_sizeLine = -1;
}

void TCustomzqInspector::XorSizingLine(int Pos)
{
    if (!HandleAllocated() || !BeginCanvasDraw())
        return;
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(TPenStyle::psSolid);
    canvas->SetROP2(R2_NOTXORPEN);
    if (m_mouseState == M::msRowSizing) {
        const TRect line = LineRect(m_sizeNode);
        canvas->MoveTo(line.Left, Pos);
        canvas->LineTo(line.Right, Pos);
    } else {
        canvas->MoveTo(Pos, 0);
        canvas->LineTo(Pos, ClientHeight());
    }
    canvas->SetROP2(R2_COPYPEN);
    EndCanvasDraw();
}

// ---- Cursors and messages ----

TCursor TCustomzqInspector::CursorAt(TPoint Point)
{
    switch (m_mouseState) {
    case M::msDividerSizing:
    case M::msBandSizing: return crHSplit;
    case M::msRowSizing: return crVSplit;
    default: break;
    }
    const TzqInspectorHitInfo hit = GetHitInfo(Point);
    if ((hit.Kind == K::ihtDivider && (m_optionWord & zqInspectorOption::ColumnSizing)) ||
        (hit.Kind == K::ihtBandEdge && (m_optionWord & zqInspectorOption::BandSizing)))
        return crHSplit;
    if (hit.Kind == K::ihtRowBottom)
        return crVSplit;
    return crDefault;
}

bool TCustomzqInspector::HandleInputMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam == kPressTimer) {
            PressTimer();
            return true;
        }
        return false;
    case WM_CAPTURECHANGED:
        if (m_mouseState == M::msRowPressed && HandleAllocated())
            KillTimer(Handle(), kPressTimer);
        return false;
    case WM_SETCURSOR: {
        if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) != HTCLIENT)
            return false;
        TPoint p;
        GetCursorPos(p);
        const TCursor cursor = CursorAt(ScreenToClient(p));
        if (cursor == crDefault)
            return false;
        ::SetCursor(cursor);
        Message.Result = 1;
        return true;
    }
    case WM_GETDLGCODE:
        GetDialogCode(Message);
        return true;
    case CM_MOUSEENTER:
        if (m_mouseState == M::msNone && !IsDesigning()) {
            TPoint p;
            GetCursorPos(p);
            TrackHotNode(ScreenToClient(p));
        }
        return false;
    case CM_MOUSELEAVE: SetHotNode(nullptr); return false;
    default: return false;
    }
}
