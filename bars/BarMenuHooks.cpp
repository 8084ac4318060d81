#include "bars/BarMenuHooks.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerList.h"
#include "bars/BarMenuChain.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarPopupMenuLinks.h"
#include "bars/BarSubMenuControl.h"
#include "bars/Bars.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <set>

namespace {

struct Hooks {
    HHOOK keyboard = nullptr;
    HHOOK mouse = nullptr;
    HHOOK callWndProc = nullptr;
    int managers = 0;
    // Alt went down with no other key since.
    bool altAlone = false;
    // Keys whose press went to a menu: their repeats and release go nowhere else.
    std::set<WORD> menuKeys;
};

Hooks& H()
{
    static Hooks hooks;
    return hooks;
}

bool KeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

bool IsModifier(WORD key)
{
    switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
        return true;
    default:
        return false;
    }
}

void CloseHead()
{
    TCustomzqBarControl* head = TzqBarMenuChain::Head();
    if (!head)
        return;
    if (head->IsSubMenu())
        static_cast<TzqBarSubMenuControl*>(head)->Close();
    else
        head->DeactivateKeyboard();
}

TWinControl* FocusedControl()
{
    return TWinControl::FindControl(GetFocus());
}

// ---- Keyboard ----

// A menu is active: every key goes to its head.
bool MenuKey(WORD key, bool up, bool repeat, LPARAM lParam)
{
    auto& h = H();
    TCustomzqBarControl* head = TzqBarMenuChain::Head();
    if (!head || !head->HandleAllocated()) {
        // The release of a key that went to a menu closed since.
        return up && h.menuKeys.erase(key) > 0;
    }
    h.altAlone = false;
    if (key == VK_ESCAPE && !up && GetCapture() == head->Handle()) {
        ReleaseCapture();
        h.menuKeys.insert(key);
        return true;
    }
    if (up) {
        h.menuKeys.erase(key);
        SendMessage(head->Handle(), WM_KEYUP, key, lParam);
        return true;
    }
    if (repeat && h.menuKeys.count(key))
        return true;
    h.menuKeys.insert(key);
    SendMessage(head->Handle(), WM_KEYDOWN, key, lParam); // may close the whole chain
    return true;
}

// Alt+letter outside menu mode: the main menu bar first, then the other visible bars.
bool Accelerator(TzqBarManager* manager, WORD key, TShiftState shift)
{
    std::vector<TzqBar*> bars;
    if (manager->MainMenuBar())
        bars.push_back(manager->MainMenuBar());
    for (int i = 0; i < manager->Bars()->Count(); ++i) {
        TzqBar* bar = manager->Bars()->Items(i);
        if (bar != manager->MainMenuBar() && bar->Visible())
            bars.push_back(bar);
    }
    for (TzqBar* bar : bars) {
        auto* window = dynamic_cast<TzqBarControl*>(bar->Control());
        if (!window || !bar->Visible() || !window->HandleAllocated())
            continue;
        TzqBarItemLinks* links = bar->ItemLinks();
        TzqBarItemControl* first = nullptr;
        int matches = 0;
        TzqBarItemLink* from = nullptr;
        for (int guard = 0; guard <= links->Count() && matches < 2; ++guard) {
            TzqBarItemLink* found = links->FindAccelerator(key, shift, from);
            if (!found || (first && found == first->Link()))
                break;
            auto* control = window->ControlOf(found);
            if (control && control->Enabled() && window->IsSelectable(control)) {
                if (!first)
                    first = control;
                ++matches;
            }
            if (found == from)
                break;
            from = found;
        }
        if (!first)
            continue;
        window->ActivateKeyboard(first);
        if (matches == 1)
            window->ActivateControl(first, false);
        return true;
    }
    return false;
}

void EnterMenuMode(TzqBarManager* manager)
{
    TzqBar* bar = manager->MainMenuBar();
    auto* window = bar ? dynamic_cast<TzqBarControl*>(bar->Control()) : nullptr;
    if (window && window->HandleAllocated() && bar->Visible())
        window->ActivateKeyboard(nullptr);
}

bool FormKey(WORD key, bool up)
{
    auto& h = H();
    if (GetCapture())
        return false;
    TzqBarManager* manager = TzqBarMenuHooks::HandlingManager();
    if (!manager || manager->IsCustomizing())
        return false;
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL), alt = KeyDown(VK_MENU);
    if (!up) {
        if (key == VK_MENU) {
            h.altAlone = true;
            return false;
        }
        h.altAlone = false;
        if (IsModifier(key))
            return false;
        if (key == VK_APPS)
            return false;
        if (key == VK_F10 && shift && !ctrl && !alt) {
            TWinControl* focused = FocusedControl();
            return focused && TzqBarMenuHooks::OpenLinkedPopup(manager, focused, focused->ClientToScreen(TPoint{0, 0}), false);
        }
        TShortCut shortCut = key;
        if (shift)
            shortCut |= scShift;
        if (ctrl)
            shortCut |= scCtrl;
        if (alt)
            shortCut |= scAlt;
        if (TzqBarMenuHooks::DispatchShortCut(manager, shortCut))
            return true;
        if (alt) {
            TShiftState state;
            if (shift)
                state.include(TShiftStateFlag::ssShift);
            if (ctrl)
                state.include(TShiftStateFlag::ssCtrl);
            // Only a match takes the key: other Alt combinations belong to the controls.
            return Accelerator(manager, key, state);
        }
        return false;
    }
    if (key == VK_APPS) {
        TWinControl* focused = FocusedControl();
        return focused && TzqBarMenuHooks::OpenLinkedPopup(manager, focused, focused->ClientToScreen(TPoint{0, 0}), false);
    }
    const bool altAlone = h.altAlone;
    if (key == VK_MENU)
        h.altAlone = false;
    if (!manager->MainMenuBar())
        return false;
    if (key == VK_MENU && altAlone && !shift && !ctrl) {
        EnterMenuMode(manager);
        return true;
    }
    if (key == VK_F10 && !shift && !ctrl && !alt && manager->UseF10ForMenu()) {
        EnterMenuMode(manager);
        return true;
    }
    return false;
}

LRESULT KeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HHOOK self = H().keyboard;
    if (code != HC_ACTION)
        return CallNextHookEx(self, code, wParam, lParam);
    const WORD key = static_cast<WORD>(wParam);
    const bool up = (lParam & KF_UP_LPARAM) != 0;
    const bool repeat = !up && (lParam & KF_REPEAT_LPARAM) != 0;
    if (MenuKey(key, up, repeat, lParam))
        return 1;
    if (FormKey(key, up))
        return 1;
    return CallNextHookEx(self, code, wParam, lParam);
}

// ---- Mouse ----

bool IsPress(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool InChain(TPoint pt)
{
    return TzqBarMenuChain::Contains(WindowFromPoint(pt));
}

LRESULT MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HHOOK self = H().mouse;
    if (code != HC_ACTION)
        return CallNextHookEx(self, code, wParam, lParam);
    const UINT msg = static_cast<UINT>(wParam);
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    const TPoint pt = info->pt;
    if (TzqBarMenuChain::Active()) {
        const bool otherRelease =
            msg == WM_RBUTTONUP || msg == WM_MBUTTONUP || msg == WM_NCRBUTTONUP || msg == WM_NCMBUTTONUP;
        if (IsPress(msg) || (otherRelease && !InChain(pt))) {
            // Heads close until the point lies in what is left of the chain; the click
            // still reaches its window.
            for (int guard = 0; guard < 64 && TzqBarMenuChain::Active() && !InChain(pt); ++guard)
                CloseHead();
        } else if ((msg == WM_LBUTTONUP || msg == WM_NCLBUTTONUP) && !InChain(pt)) {
            TCustomzqBarControl* root = TzqBarMenuChain::Root();
            TCustomzqBarControl* head = TzqBarMenuChain::Head();
            if (root && !root->IsSubMenu())
                root->HideAll();
            else if (head && head->ParentControl())
                CloseHead();
        }
        return CallNextHookEx(self, code, wParam, lParam);
    }
    // The window pressed holds the mouse until the release; any other capture (a drag)
    // keeps the release for itself.
    if (msg == WM_RBUTTONUP && (!GetCapture() || GetCapture() == info->hwnd)) {
        TWinControl* control = TWinControl::FindControl(info->hwnd);
        TzqBarManager* manager = TzqBarMenuHooks::HandlingManager();
        if (control && manager && TzqBarMenuHooks::OpenLinkedPopup(manager, control, pt, true))
            return 1;
    }
    return CallNextHookEx(self, code, wParam, lParam);
}

// ---- Window procedures ----

LRESULT CallWndProcHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HHOOK self = H().callWndProc;
    if (code == HC_ACTION) {
        const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(msg->hwnd)))
            if (TzqBarManager* manager = TzqBarManagerList::ForForm(form))
                manager->HandleFormMessage(msg->message, msg->wParam, msg->lParam);
    }
    return CallNextHookEx(self, code, wParam, lParam);
}

} // namespace

namespace TzqBarMenuHooks {

void ManagerAdded()
{
    auto& h = H();
    if (h.managers++ > 0)
        return;
    h.keyboard = SetWindowsHookEx(WH_KEYBOARD, KeyboardHook);
    h.mouse = SetWindowsHookEx(WH_MOUSE, MouseHook);
    h.callWndProc = SetWindowsHookEx(WH_CALLWNDPROC, CallWndProcHook);
}

void ManagerRemoved()
{
    auto& h = H();
    if (h.managers == 0 || --h.managers > 0)
        return;
    for (HHOOK* hook : {&h.keyboard, &h.mouse, &h.callWndProc}) {
        if (*hook)
            UnhookWindowsHookEx(*hook);
        *hook = nullptr;
    }
    h.altAlone = false;
    h.menuKeys.clear();
}

bool Installed()
{
    return H().keyboard != nullptr;
}

TzqBarManager* HandlingManager()
{
    auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetActiveWindow()));
    if (!form)
        return nullptr;
    if (TzqBarManager* manager = TzqBarManagerList::ForForm(form))
        return manager;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main == form)
        return nullptr;
    TzqBarManager* manager = TzqBarManagerList::ForForm(main);
    if (manager && manager->AllowCallFromAnotherForm() && main->Enabled())
        return manager;
    return nullptr;
}

bool DispatchShortCut(TzqBarManager* Manager, TShortCut ShortCut)
{
    const auto alive = Manager->Watch();
    // The popup menus linked to the focused control or its parents.
    for (TWinControl* c = FocusedControl(); c; c = c->Parent()) {
        TzqBarPopupMenuLinks* links = Manager->PopupMenuLinks();
        for (int i = 0; i < links->Count(); ++i) {
            TzqBarPopupMenuLink* link = links->Items(i);
            if (link->Control() != c || !link->PopupMenu())
                continue;
            bool allow = true;
            int x = 0, y = 0;
            if (link->OnAction)
                link->OnAction(link, x, y, false, allow);
            if (!*alive)
                return true;
            if (allow && link->PopupMenu()->ItemLinks()->FindShortCut(ShortCut))
                return true;
            if (!*alive)
                return true;
        }
    }
    if (TzqBar* main = Manager->MainMenuBar())
        if (main->ItemLinks()->FindShortCut(ShortCut))
            return true;
    if (!*alive)
        return true;
    for (int i = 0; i < Manager->Bars()->Count(); ++i) {
        TzqBar* bar = Manager->Bars()->Items(i);
        if (bar != Manager->MainMenuBar() && bar->Visible() && bar->ItemLinks()->FindShortCut(ShortCut))
            return true;
        if (!*alive)
            return true;
    }
    return false;
}

bool OpenLinkedPopup(TzqBarManager* Manager, TWinControl* Control, TPoint ScreenPt, bool ByMouse)
{
    for (TWinControl* c = Control; c; c = c->Parent()) {
        TzqBarPopupMenuLink* link = Manager->PopupMenuLinks()->FindByControl(c);
        if (!link || !link->PopupMenu())
            continue;
        int x = ScreenPt.X, y = ScreenPt.Y;
        bool allow = true;
        if (link->OnAction)
            link->OnAction(link, x, y, ByMouse, allow);
        if (!allow)
            return false;
        TzqBarPopupMenu* menu = link->PopupMenu();
        menu->SetPopupComponent(c);
        menu->Popup(x, y);
        return true;
    }
    return false;
}

} // namespace TzqBarMenuHooks
