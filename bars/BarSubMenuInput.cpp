// The submenu window's input: selection and its timers (hovering, personalized
// expansion, scrolling), the mouse on its parts, the detach bar, and its keys.
#include "bars/BarSubMenuControl.h"

#include "bars/Bar.h"
#include "bars/BarContainerItem.h"
#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarSubItem.h"
#include "bars/BarTooltips.h"
#include "bars/Bars.h"
#include "platform/controls/Form.h"
#include "platform/controls/ShortCuts.h"
#include "platform/controls/TextMeasure.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Font.h"
#include "platform/window/WinApi.h"

#include <algorithm>

// ---- Selection, timers and the mouse ----

int TzqBarSubMenuControl::RowIndexOf(const TzqBarItemControl* Control) const
{
    for (int i = 0; i < ItemControlCount(); ++i)
        if (ItemControls(i) == Control)
            return i;
    return -1;
}

void TzqBarSubMenuControl::SelectControl(TzqBarItemControl* Control)
{
    const int index = RowIndexOf(Control);
    if (m_cut && index >= 0) {
        if (index < m_topIndex)
            SetTopIndex(index);
        else if (index >= m_topIndex + VisibleRowCount())
            SetTopIndex(index - VisibleRowCount() + 1);
    }
    const bool wasKey = m_selectingByKey;
    m_selectingByKey = true;
    SetSelectedControl(Control);
    m_selectingByKey = wasKey;
}

void TzqBarSubMenuControl::SelectedControlChanged(TzqBarItemControl*)
{
    if (m_closing)
        return;
    StopTimer(kOpenTimer);
    TzqBarItemControl* selected = SelectedControl();
    TzqBarSubMenuControl* child = ChildMenu();
    if (child && selected != child->OpenerControl())
        StartTimer(kCloseTimer, kCloseDelay);
    else
        StopTimer(kCloseTimer);
    if (!m_selectingByKey && selected && selected->HasMenu() && selected->Enabled() && !selected->MenuOpen())
        StartTimer(kOpenTimer, kOpenDelay);
    if (m_expandState == 0)
        StartExpandTimer();
}

void TzqBarSubMenuControl::StartTimer(TimerId Id, unsigned Delay)
{
    if (HandleAllocated())
        SetTimer(Handle(), Id, Delay);
}

void TzqBarSubMenuControl::StopTimer(TimerId Id)
{
    if (HandleAllocated())
        KillTimer(Handle(), Id);
}

void TzqBarSubMenuControl::TimerFired(TimerId Id)
{
    switch (Id) {
    case kOpenTimer: {
        StopTimer(kOpenTimer);
        TzqBarItemControl* selected = SelectedControl();
        if (selected && selected->HasMenu() && selected->Enabled() && !selected->MenuOpen())
            selected->DropDown(true);
        return;
    }
    case kCloseTimer:
        StopTimer(kCloseTimer);
        if (ChildMenu() && SelectedControl() != ChildMenu()->OpenerControl())
            ChildMenu()->Close();
        return;
    case kScrollTimer: {
        TPoint cursor;
        GetCursorPos(cursor);
        const TPoint local = ScreenToClient(cursor);
        const TRect arrow = m_scrollStep < 0 ? UpArrowRect() : DownArrowRect();
        if (!arrow.Contains(local)) {
            StopTimer(kScrollTimer);
            m_scrollStep = 0;
            return;
        }
        Scroll(m_scrollStep);
        return;
    }
    case kExpandTimer:
        StopTimer(kExpandTimer);
        if (!ChildMenu())
            Expand();
        return;
    case kHotExpandTimer: {
        StopTimer(kHotExpandTimer);
        TPoint cursor;
        GetCursorPos(cursor);
        if (m_expandState == 1 && ExpandButtonRect().Contains(ScreenToClient(cursor)))
            Expand();
        return;
    }
    }
}

void TzqBarSubMenuControl::Scroll(int Step)
{
    const int before = m_topIndex;
    SetTopIndex(m_topIndex + Step);
    if (m_topIndex == before) {
        StopTimer(kScrollTimer);
        m_scrollStep = 0;
    }
}

void TzqBarSubMenuControl::MouseAt(TPoint Pt)
{
    if (m_expandButton && m_expandState != 2)
        SetExpandState(ExpandButtonRect().Contains(Pt) ? 1 : 0);
    if (m_cut) {
        int step = 0;
        if (m_topIndex > 0 && UpArrowRect().Contains(Pt))
            step = -1;
        else if (DownArrowRect().Contains(Pt) && m_topIndex + VisibleRowCount() < ItemControlCount())
            step = +1;
        if (step != m_scrollStep) {
            m_scrollStep = step;
            if (step)
                StartTimer(kScrollTimer, kScrollInterval);
            else
                StopTimer(kScrollTimer);
        }
    }
}

TRect TzqBarSubMenuControl::DetachRect() const
{
    if (!m_detachable)
        return {};
    const int b = m_metrics.Border;
    return TRect(b + m_barSize, b, Width() - b, b + m_metrics.DetachBarHeight);
}

TRect TzqBarSubMenuControl::ExpandButtonRect() const
{
    if (!m_expandButton)
        return {};
    const int b = m_metrics.Border;
    const int bottom = Height() - (m_metrics.ExtraHeight - b);
    return TRect(b + m_barSize, bottom - m_metrics.TextRowHeight, Width() - b, bottom);
}

TRect TzqBarSubMenuControl::UpArrowRect() const
{
    if (!m_cut)
        return {};
    const int b = m_metrics.Border;
    const int top = b + (m_detachable ? m_metrics.DetachBarHeight : 0);
    return TRect(b + m_barSize, top, Width() - b, top + m_metrics.ExpandButtonHeight);
}

TRect TzqBarSubMenuControl::DownArrowRect() const
{
    if (!m_cut)
        return {};
    const int b = m_metrics.Border;
    const int bottom = RowsBottom() + m_metrics.ExpandButtonHeight;
    return TRect(b + m_barSize, bottom - m_metrics.ExpandButtonHeight, Width() - b, bottom);
}

void TzqBarSubMenuControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_TIMER:
        TimerFired(static_cast<TimerId>(Message.WParam)); // may close the menu
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_MOUSEMOVE:
        MouseAt(PointFromLParam(Message.LParam));
        break;
    default:
        break;
    }
    TCustomzqBarControl::WndProc(Message);
}

const void* TzqBarSubMenuControl::TooltipPart(TPoint Pt, std::string& Text) const
{
    if (DetachRect().Contains(Pt)) {
        Text = "Drag to make this menu float";
        return &m_detachable;
    }
    TzqBarManager* manager = BarManager();
    if (m_expandState == 1 && ExpandButtonRect().Contains(Pt) && manager && !manager->ShowFullMenusAfterDelay()) {
        Text = "Expand (Ctrl-Down)";
        return &m_expandButton;
    }
    return nullptr;
}

void TzqBarSubMenuControl::EmptySpaceMouseDown(TPoint Pt)
{
    if (ExpandButtonRect().Contains(Pt)) {
        Expand();
        return;
    }
    if (DetachRect().Contains(Pt))
        Detach();
}

void TzqBarSubMenuControl::Detach()
{
    auto* sub = m_opener ? dynamic_cast<TCustomzqBarSubItem*>(m_opener->Item()) : nullptr;
    TzqBarManager* manager = BarManager();
    if (!sub || !manager || sub->DetachingBar() < 0 || sub->DetachingBar() >= manager->Bars()->Count())
        return;
    TzqBar* bar = manager->Bars()->Items(sub->DetachingBar());
    TPoint cursor;
    GetCursorPos(cursor);
    const auto itemAlive = sub->Watch();
    HideAll(); // frees this window
    if (!*itemAlive)
        return;
    // The bar floats where the menu was torn off, holding the menu's links.
    bar->ItemLinks()->Assign(*sub->ItemLinks());
    bar->SetFloatLeft(cursor.X);
    bar->SetFloatTop(cursor.Y);
    bar->SetDockingStyle(TzqBarDockingStyle::dsNone);
    bar->SetVisible(true);
    if (sub->OnDetaching)
        sub->OnDetaching(sub);
}

// ---- Keys ----

void TzqBarSubMenuControl::MenuKeyDown(WORD Key)
{
    TzqBarManager* manager = BarManager();
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    TzqBarItemControl* selected = SelectedControl();
    TCustomzqBarControl* root = TzqBarMenuChain::Root();
    const bool rootIsBar = root && !root->IsSubMenu();
    switch (Key) {
    case VK_DOWN:
    case VK_TAB:
        if (Key == VK_DOWN && ctrl) {
            Expand();
            return;
        }
        // Down (or Tab) on the last link of a collapsed menu shows the rest and moves on.
        if (m_expandButton && m_expandState != 2 && selected && selected == LastSelectable()) {
            Expand();
            selected = SelectedControl();
        }
        SelectControl(NextSelectable(selected, +1));
        return;
    case VK_UP:
        SelectControl(NextSelectable(selected, -1));
        return;
    case VK_HOME:
        SelectControl(FirstSelectable());
        return;
    case VK_END:
        SelectControl(LastSelectable());
        return;
    case VK_RETURN:
        ActivateControl(selected, false); // may free this window
        return;
    case VK_RIGHT:
        if (selected && selected->HasMenu() && selected->Enabled()) {
            selected->DropDown(false);
            return;
        }
        if (rootIsBar)
            root->StepSelection(+1);
        return;
    case VK_LEFT:
        if (ParentControl() && ParentControl()->IsSubMenu()) {
            Close();
            return;
        }
        if (rootIsBar) {
            if (root->Vertical())
                Close();
            else
                root->StepSelection(-1);
        }
        return;
    case VK_ESCAPE:
        Close();
        return;
    case VK_MENU:
        HideAll();
        return;
    case VK_F10:
        if (!manager || manager->UseF10ForMenu())
            HideAll();
        return;
    case VK_F1:
        // There is no help system to show the topic in: the menus close.
        HideAll();
        return;
    default:
        break;
    }
    LetterOrDigitPressed(Key, shift);
}
