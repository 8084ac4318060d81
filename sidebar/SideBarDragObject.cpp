#include "sidebar/SideBarDragObject.h"

#include "platform/core/Messages.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Windows.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItem.h"

namespace {

TzqSideBarDragObject* g_current = nullptr;

bool CtrlHeld()
{
    return GetKeyState(VK_CONTROL) < 0;
}

// Sends the window holding the capture a left-button mouse move at the pointer.
void NudgeCaptureWindow()
{
    const HWND capture = GetCapture();
    if (!capture)
        return;
    TPoint p;
    GetCursorPos(p);
    ScreenToClient(capture, p);
    const LPARAM lParam = LPARAM((uint32_t(uint16_t(p.Y)) << 16) | uint16_t(p.X));
    SendMessage(capture, WM_MOUSEMOVE, MK_LBUTTON, lParam);
}

} // namespace

TzqSideBarDragObject::TzqSideBarDragObject(TzqSideBar* SideBar, TzqSideBarItem* Item)
    : TDragControlObject(SideBar), m_item(Item), m_storedItem(Item ? Item->StoredItem() : nullptr)
{
    delete g_current;
    g_current = this;
    m_keyHook = SetWindowsHookEx(WH_KEYBOARD, [this](int code, WPARAM wParam, LPARAM lParam) {
        const HHOOK self = m_keyHook;
        if (code >= 0 && wParam == VK_CONTROL)
            NudgeCaptureWindow();
        return CallNextHookEx(self, code, wParam, lParam);
    });
}

TzqSideBarDragObject::~TzqSideBarDragObject()
{
    if (m_keyHook)
        UnhookWindowsHookEx(m_keyHook);
    if (g_current == this)
        g_current = nullptr;
}

TzqSideBarDragObject* TzqSideBarDragObject::Current()
{
    return g_current;
}

TzqSideBar* TzqSideBarDragObject::SideBar() const
{
    return static_cast<TzqSideBar*>(Control());
}

void TzqSideBarDragObject::ItemDestroyed(const TzqSideBarItem* item)
{
    if (item == m_item) {
        m_item = nullptr;
        m_storedItem = nullptr;
    }
}

TCursor TzqSideBarDragObject::GetDragCursor(bool Accepted, int, int)
{
    if (!Accepted)
        return crNoDrop;
    return CtrlHeld() ? ZQSIDEBARDRAGCOPYCURSOR : ZQSIDEBARDRAGCURSOR;
}
