#include "bars/CustomBarControl.h"

#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarManager.h"
#include "bars/BarTooltips.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::vector<TCustomzqBarControl*>& Live()
{
    static std::vector<TCustomzqBarControl*> controls;
    return controls;
}

} // namespace

TCustomzqBarControl::TCustomzqBarControl(TzqBarManager* Manager) : TCustomControl(nullptr), m_manager(Manager)
{
    Live().push_back(this);
}

TCustomzqBarControl::~TCustomzqBarControl()
{
    LeaveChain();
    ClearItemControls();
    auto& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

const std::vector<TCustomzqBarControl*>& TCustomzqBarControl::LiveControls()
{
    return Live();
}

TzqBarLook TCustomzqBarControl::Look() const
{
    TzqBarLook look;
    look.Manager = m_manager;
    look.Vertical = Vertical();
    return look;
}

const TzqBarPainter& TCustomzqBarControl::Painter() const
{
    return TzqBarPainter::For(m_manager ? m_manager->Style() : TzqBarManagerStyle::bmsEnhanced);
}

TzqBarItemControl* TCustomzqBarControl::ItemControlAt(TPoint Pt) const
{
    for (const auto& c : m_itemControls)
        if (c->Rect().Contains(Pt))
            return c.get();
    return nullptr;
}

TzqBarItemControl* TCustomzqBarControl::ControlOf(const TzqBarItemLink* Link) const
{
    for (const auto& c : m_itemControls)
        if (c->Link() == Link)
            return c.get();
    return nullptr;
}

void TCustomzqBarControl::SyncItemControls(const std::vector<TzqBarItemLink*>& Links)
{
    std::unordered_map<TzqBarItemLink*, std::unique_ptr<TzqBarItemControl>> old;
    old.reserve(m_itemControls.size());
    for (auto& c : m_itemControls)
        old.emplace(c->Link(), std::move(c));
    m_itemControls.clear();
    m_itemControls.reserve(Links.size());
    for (TzqBarItemLink* link : Links) {
        auto it = old.find(link);
        if (it != old.end()) {
            m_itemControls.push_back(std::move(it->second));
            old.erase(it);
            continue;
        }
        if (auto control = CreateBarItemControl(link, this, Rotated()))
            m_itemControls.push_back(std::move(control));
    }
    for (auto& [link, control] : old) {
        CloseChildOpenedBy(control.get());
        if (control.get() == m_selected)
            m_selected = nullptr;
        if (control.get() == m_pressedControl)
            m_pressedControl = nullptr;
        if (m_manager)
            m_manager->Tooltips()->ControlDestroyed(control.get());
    }
}

void TCustomzqBarControl::ClearItemControls()
{
    CloseChildOpenedBy(nullptr);
    if (m_manager)
        for (auto& c : m_itemControls)
            m_manager->Tooltips()->ControlDestroyed(c.get());
    m_selected = nullptr;
    m_pressedControl = nullptr;
    m_itemControls.clear();
}

void TCustomzqBarControl::SetSelectedControl(TzqBarItemControl* Control)
{
    if (Control == m_selected)
        return;
    TzqBarItemControl* previous = m_selected;
    if (m_selected)
        m_selected->SetHot(false);
    m_selected = Control;
    if (m_selected)
        m_selected->SetHot(true);
    SelectedControlChanged(previous);
}

bool TCustomzqBarControl::HasItemControl(const TzqBarItemControl* Control) const
{
    for (const auto& c : m_itemControls)
        if (c.get() == Control)
            return true;
    return false;
}

void TCustomzqBarControl::RemoveItemControl(TzqBarItemControl* Control)
{
    auto it = std::find_if(m_itemControls.begin(), m_itemControls.end(),
                           [Control](const std::unique_ptr<TzqBarItemControl>& c) { return c.get() == Control; });
    if (it == m_itemControls.end())
        return;
    CloseChildOpenedBy(Control);
    if (Control == m_selected)
        m_selected = nullptr;
    if (Control == m_pressedControl)
        m_pressedControl = nullptr;
    if (m_manager)
        m_manager->Tooltips()->ControlDestroyed(Control);
    const TRect place = Control->Rect();
    m_itemControls.erase(it);
    RepaintRect(place);
    ScheduleLayout();
}

void TCustomzqBarControl::ScheduleLayout()
{
    if (m_layoutScheduled || LayingOut() || !HandleAllocated())
        return;
    m_layoutScheduled = true;
    PostMessage(Handle(), kLayoutMessage, 0, 0);
}

void TCustomzqBarControl::RepaintRect(const TRect& R)
{
    if (HandleAllocated())
        InvalidateRect(Handle(), &R, false);
}

void TCustomzqBarControl::MouseMoved(TPoint Pt)
{
    TzqBarItemControl* under = ItemControlAt(Pt);
    if (m_pressedControl) {
        // While the button is held only the pressed control shows, pressed while over it.
        m_pressedControl->SetPressed(under == m_pressedControl);
        return;
    }
    // Hot tracking belongs to the active application.
    if (!GetActiveWindow()) {
        SetSelectedControl(nullptr);
        return;
    }
    // A bar in menu mode keeps its selection where the mouse is over no item.
    if (under || !m_inChain || IsSubMenu())
        SetSelectedControl(under);
    // Items of a menu show no tooltips; some parts of the windows have their own.
    if (m_manager) {
        std::string text;
        if (const void* part = TooltipPart(Pt, text))
            m_manager->Tooltips()->MouseOverPart(part, text, ClientToScreen(Pt));
        else
            m_manager->Tooltips()->MouseOver(m_inChain ? nullptr : under, ClientToScreen(Pt));
    }
}

void TCustomzqBarControl::MouseLeft()
{
    // In a menu the selection stays when the mouse leaves: on the item whose submenu is
    // open, or for the keyboard of a bar in menu mode.
    const bool keep = m_inChain && (m_childMenu || !IsSubMenu());
    if (!m_pressedControl && !keep)
        SetSelectedControl(nullptr);
    if (m_manager)
        m_manager->Tooltips()->MouseOver(nullptr, {});
}

void TCustomzqBarControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case kLayoutMessage:
        if (m_layoutScheduled) {
            m_layoutScheduled = false;
            LayoutScheduled(); // may free the window: nothing follows
        }
        return;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(Message);
        MouseMoved(PointFromLParam(Message.LParam));
        return;
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(Message);
        MouseLeft();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (m_manager)
            m_manager->Tooltips()->Hide();
        const TPoint pt = PointFromLParam(Message.LParam);
        TzqBarItemControl* under = ItemControlAt(pt);
        if (!under) {
            EmptySpaceMouseDown(pt);
            return;
        }
        SetSelectedControl(under);
        m_pressedControl = under;
        SetCapture(Handle());
        under->MouseDown(pt);
        return;
    }
    case WM_LBUTTONUP: {
        TzqBarItemControl* pressed = m_pressedControl;
        m_pressedControl = nullptr;
        if (GetCapture() == Handle())
            ReleaseCapture();
        if (pressed) {
            // The control may be freed by its own command: nothing of it is used after.
            pressed->MouseUp(PointFromLParam(Message.LParam));
        }
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (m_inChain) {
            MenuKeyDown(static_cast<WORD>(Message.WParam)); // may free the window
            return;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (m_inChain)
            return;
        break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (m_manager)
            m_manager->Tooltips()->Hide();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
