// A bar window in a menu chain: menu mode with its remembered focus, keyboard selection,
// accelerators and the keys of a bar in menu mode.
#include "bars/CustomBarControl.h"

#include "bars/BarItem.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarSubMenuControl.h"
#include "bars/BarTooltips.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

bool TzqBarItemControl::MenuOpen() const
{
    TzqBarSubMenuControl* child = m_parent->ChildMenu();
    return child && child->OpenerControl() == this;
}

void TCustomzqBarControl::SetChildMenu(TzqBarSubMenuControl* Menu)
{
    m_childMenu = Menu;
}

void TCustomzqBarControl::JoinChain(TCustomzqBarControl* Parent)
{
    m_parentControl = Parent;
    m_inChain = true;
    TzqBarMenuChain::Join(this);
    if (m_manager)
        m_manager->Tooltips()->Hide();
}

void TCustomzqBarControl::LeaveChain()
{
    CloseChildOpenedBy(nullptr);
    if (!m_inChain)
        return;
    m_inChain = false;
    TzqBarMenuChain::Leave(this);
    if (m_parentControl && m_parentControl->m_childMenu == this)
        m_parentControl->m_childMenu = nullptr;
    m_parentControl = nullptr;
}

void TCustomzqBarControl::CloseChildOpenedBy(const TzqBarItemControl* Control)
{
    if (m_childMenu && (!Control || m_childMenu->OpenerControl() == Control))
        m_childMenu->Close();
}

bool TCustomzqBarControl::IsSelectable(const TzqBarItemControl* Control) const
{
    return Control && Control->Item() && !Control->Rect().IsEmpty();
}

TzqBarItemControl* TCustomzqBarControl::FirstSelectable() const
{
    return NextSelectable(nullptr, +1);
}

TzqBarItemControl* TCustomzqBarControl::LastSelectable() const
{
    return NextSelectable(nullptr, -1);
}

TzqBarItemControl* TCustomzqBarControl::NextSelectable(TzqBarItemControl* From, int Step) const
{
    const int count = ItemControlCount();
    if (count == 0)
        return nullptr;
    int start = -1;
    for (int i = 0; From && i < count; ++i)
        if (ItemControls(i) == From)
            start = i;
    if (start < 0)
        start = Step > 0 ? count - 1 : 0;
    for (int k = 1; k <= count; ++k) {
        const int i = ((start + Step * k) % count + count) % count;
        if (IsSelectable(ItemControls(i)))
            return ItemControls(i);
    }
    return nullptr;
}

void TCustomzqBarControl::SelectControl(TzqBarItemControl* Control)
{
    SetSelectedControl(Control);
}

void TCustomzqBarControl::ActivateKeyboard(TzqBarItemControl* Control)
{
    if (!m_inChain) {
        // A new chain: whatever chain was active closes first.
        if (TCustomzqBarControl* root = TzqBarMenuChain::Root())
            root->HideAll();
        if (GetCapture())
            ReleaseCapture();
        m_savedFocus = GetFocus();
        TCustomForm* form = m_manager ? m_manager->OwnerForm() : nullptr;
        if (form && form->HandleAllocated() && !(m_manager && m_manager->IsCustomizing()))
            SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        JoinChain(nullptr);
    }
    SelectControl(Control && IsSelectable(Control) ? Control : FirstSelectable());
}

void TCustomzqBarControl::DeactivateKeyboard()
{
    if (!m_inChain)
        return;
    CloseChildOpenedBy(nullptr);
    SetSelectedControl(nullptr);
    LeaveChain();
    // The bar under the cursor takes up hot tracking again.
    TPoint cursor;
    GetCursorPos(cursor);
    if (HWND under = WindowFromPoint(cursor)) {
        TPoint local = cursor;
        ::ScreenToClient(under, local);
        PostMessage(under, WM_MOUSEMOVE, 0, LParamFromPoint(local));
    }
    const HWND focus = m_savedFocus;
    m_savedFocus = nullptr;
    if (focus && IsWindow(focus) && GetActiveWindow())
        ::SetFocus(focus);
}

void TCustomzqBarControl::HideAll()
{
    TCustomzqBarControl* root = TzqBarMenuChain::Root();
    if (!root || !m_inChain)
        return;
    if (root->IsSubMenu())
        static_cast<TzqBarSubMenuControl*>(root)->Close();
    else
        root->DeactivateKeyboard();
}

void TCustomzqBarControl::StepSelection(int Step)
{
    TzqBarItemControl* to = NextSelectable(m_selected, Step);
    if (!to)
        return;
    m_selectingByKey = true;
    SelectControl(to);
    m_selectingByKey = false;
}

void TCustomzqBarControl::SelectedControlChanged(TzqBarItemControl*)
{
    // A bar whose menu is open opens the menu of the submenu item selected next.
    if (!m_inChain || !m_childMenu || !m_selected || !m_selected->HasMenu() || !m_selected->Enabled())
        return;
    if (m_selected->MenuOpen())
        return;
    m_selected->DropDown(!m_selectingByKey);
}

void TCustomzqBarControl::ActivateControl(TzqBarItemControl* Control, bool ByMouse)
{
    if (!Control || !Control->Enabled())
        return;
    if (Control->HasMenu())
        Control->DropDown(ByMouse);
    else
        Control->Click(); // may free this window: nothing follows
}

void TCustomzqBarControl::LetterOrDigitPressed(WORD Key, bool Shift)
{
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) {
        TShiftState state;
        if (Shift)
            state.include(TShiftStateFlag::ssShift);
        AcceleratorKey(Key, state);
    }
}

bool TCustomzqBarControl::AcceleratorKey(WORD Key, TShiftState Shift)
{
    TzqBarItemLinks* links = ItemLinks();
    if (!links)
        return false;
    TzqBarItemLink* after = m_selected ? m_selected->Link() : nullptr;
    TzqBarItemLink* match = nullptr;
    TzqBarItemLink* second = nullptr;
    // Only links shown here count; a disabled match is passed over.
    const auto shownEnabled = [this](TzqBarItemLink* link) {
        TzqBarItemControl* c = ControlOf(link);
        return c && c->Enabled();
    };
    TzqBarItemLink* from = after;
    for (int guard = 0; guard <= links->Count(); ++guard) {
        TzqBarItemLink* found = links->FindAccelerator(Key, Shift, from);
        if (!found || found == match)
            break;
        if (shownEnabled(found)) {
            if (!match)
                match = found;
            else if (found != match) {
                second = found;
                break;
            }
        }
        from = found;
        if (found == after)
            break;
    }
    if (!match) {
        // A match among the links a personalized menu hides: it expands first.
        if (TzqBarItemLink* hidden = HiddenAccelerator(Key, Shift)) {
            ShowHiddenLink(hidden);
            return true;
        }
        return false;
    }
    SelectControl(ControlOf(match));
    if (!second)
        ActivateControl(ControlOf(match), false);
    return true;
}

void TCustomzqBarControl::MenuKeyDown(WORD Key)
{
    // The keys of a bar in menu mode; submenus have their own.
    const bool vertical = Vertical();
    WORD key = Key;
    if (vertical) {
        // Along a vertical bar the arrows turn.
        switch (Key) {
        case VK_LEFT: key = VK_UP; break;
        case VK_UP: key = VK_LEFT; break;
        case VK_RIGHT: key = VK_DOWN; break;
        case VK_DOWN: key = VK_RIGHT; break;
        default: break;
        }
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_TAB)
        key = shift ? VK_LEFT : VK_RIGHT;
    auto move = [this](TzqBarItemControl* to) {
        if (!to)
            return;
        m_selectingByKey = true;
        SelectControl(to);
        m_selectingByKey = false;
    };
    switch (key) {
    case VK_LEFT:
        move(NextSelectable(m_selected, -1));
        return;
    case VK_RIGHT:
        move(NextSelectable(m_selected, +1));
        return;
    case VK_HOME:
        move(FirstSelectable());
        return;
    case VK_END:
        move(LastSelectable());
        return;
    case VK_UP:
    case VK_DOWN:
        if (m_selected && m_selected->HasMenu())
            ActivateControl(m_selected, false);
        return;
    case VK_RETURN:
        ActivateControl(m_selected, false); // may free this window
        return;
    case VK_ESCAPE:
    case VK_MENU:
        DeactivateKeyboard();
        return;
    case VK_F10:
        if (!m_manager || m_manager->UseF10ForMenu())
            DeactivateKeyboard();
        return;
    default:
        break;
    }
    LetterOrDigitPressed(Key, shift);
}
