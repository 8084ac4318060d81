// Row hints: a row's own hint over its caption after a delay, or at once the full text
// of a caption or value that its cell cuts off; hidden again after a while.
#include "inspector/CustomzqInspector.h"

#include "editors/ContainerHintWindow.h"
#include "platform/window/MessageLoop.h"

namespace {

// The delay before a row's own hint shows, and how long any row hint stays.
constexpr uintptr_t kHintDelayTimer = 2;
constexpr UINT kHintDelay = 1000;
constexpr uintptr_t kHintHideTimer = 3;
constexpr UINT kHintHide = 5000;

using K = TzqInspectorHitKind;

} // namespace

TzqContainerHintWindow* TCustomzqInspector::RowHintWindow() const
{
    return m_hintWindow;
}

void TCustomzqInspector::UpdateRowHint(TPoint Point)
{
    if (!m_showRowHint || IsDestroying())
        return;
    const TzqInspectorHitInfo hit =
        m_mouseState == TzqInspectorMouseState::msNone ? GetHitInfo(Point) : TzqInspectorHitInfo();
    if (!hit.Node || (hit.Kind != K::ihtCaption && hit.Kind != K::ihtValue)) {
        HideRowHint();
        ResetRowHint();
        return;
    }
    if (hit.Node == m_hintNode && hit.Kind == m_hintKind && hit.ItemIndex == m_hintItem)
        return;
    HideRowHint();
    m_hintNode = hit.Node;
    m_hintKind = hit.Kind;
    m_hintItem = hit.ItemIndex;

    const bool isValue = hit.Kind == K::ihtValue;
    const TRect line = LineRect(hit.Node);
    const TzqInspectorLineGeometry g = LineGeometry(hit.Node, line);
    TRect cell = isValue ? g.Value : g.Caption;
    if (IsComplex(hit.Node) && hit.ItemIndex >= 0) {
        const std::vector<TRect> items = ComplexItemRects(hit.Node, cell);
        if (hit.ItemIndex < static_cast<int>(items.size()))
            cell = items[static_cast<size_t>(hit.ItemIndex)];
    }
    bool delayed = false;
    std::string text;
    if (!GetRowHint(hit.Node, isValue, hit.ItemIndex, cell, text, delayed) || text.empty())
        return;
    m_hintText = text;
    m_hintPoint = ClientToScreen(TPoint(cell.Left - (isValue ? 1 : 2), line.Top + m_cellMargin - 2));
    if (delayed)
        SetTimer(Handle(), kHintDelayTimer, kHintDelay);
    else
        ActivateRowHint();
}

void TCustomzqInspector::ActivateRowHint()
{
    if (!HandleAllocated())
        return;
    KillTimer(Handle(), kHintDelayTimer);
    if (!m_hintWindow) {
        m_hintWindow = new TzqContainerHintWindow(this);
        m_hintWindow->FreeNotification(this);
    }
    m_hintWindow->ActivateHint(m_hintPoint, 0, true, Font(), m_hintText);
    SetTimer(Handle(), kHintHideTimer, kHintHide);
}

void TCustomzqInspector::HideRowHint()
{
    if (HandleAllocated()) {
        KillTimer(Handle(), kHintDelayTimer);
        KillTimer(Handle(), kHintHideTimer);
    }
    if (m_hintWindow && !m_hintWindow->IsDestroying())
        m_hintWindow->HideHint();
}

void TCustomzqInspector::ResetRowHint()
{
    m_hintNode = nullptr;
    m_hintKind = K::ihtOutside;
    m_hintItem = -1;
}

bool TCustomzqInspector::HandleHintMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        if (Message.WParam == kHintDelayTimer) {
            ActivateRowHint();
            return true;
        }
        if (Message.WParam == kHintHideTimer) {
            HideRowHint();
            return true;
        }
        return false;
    case WM_DESTROY: HideRowHint(); return false;
    case CM_MOUSELEAVE:
        HideRowHint();
        ResetRowHint();
        return false;
    default: return false;
    }
}
