// The side bar's message handling before its base's (item hint dismissal, the group
// cursor), and the item hint: the short part of the focused item's hint, shown at once below the
// item in the side bar's own hint window for a fixed time. While it shows, the side
// bar's ShowHint is off so that the platform shows no hint of its own over it, and its
// Hint holds the long part for whoever shows long hints (a status bar).
#include "sidebar/SideBar.h"

#include "platform/controls/Application.h"
#include "platform/controls/HintWindow.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Windows.h"
#include "platform/window/Input.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroup.h"

namespace {

// How long an item hint stays.
constexpr UINT ItemHintTime = 3000;
// The gap between the item and the hint below it.
constexpr int ItemHintGap = 2;

// The messages that end an item hint before the side bar handles them: keys, mouse
// buttons and the wheel, the pointer over the border, menu commands, activation.
bool DismissesItemHint(UINT msg)
{
    if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST)
        return true;
    if (msg > WM_MOUSEMOVE && msg <= WM_MOUSELAST)
        return true;
    switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_COMMAND:
    case WM_ACTIVATE:
    case CM_ACTIVATE:
    case CM_DEACTIVATE:
    case CM_APPKEYDOWN:
    case CM_APPSYSCOMMAND:
        return true;
    default:
        return false;
    }
}

} // namespace

void TzqSideBar::WndProc(TMessage& Message)
{
    if (m_hintShown && DismissesItemHint(Message.Msg))
        HideItemHint();
    // A hot header shows the group cursor.
    if (Message.Msg == WM_SETCURSOR && m_hotGroup &&
        static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
        ::SetCursor(ZQSIDEBARGROUPCURSOR);
        Message.Result = 1;
        return;
    }
    TPanel::WndProc(Message);
}

TRect TzqSideBar::ItemHintRect(const TzqSideBarItem* item, const std::string& shortHint)
{
    CalculateLayout();
    const TzqSideItemViewInfo* info = ViewInfo()->FindItem(item);
    if (!info)
        return {};
    // Below the caption; below the image when the caption is cut off at the bottom.
    const TRect& reference = info->CutOff ? info->ImageRect : info->CaptionRect;
    TPoint topLeft{0, reference.Bottom + ItemHintGap};
    ::ClientToScreen(Handle(), topLeft);
    TRect window;
    GetWindowRect(Handle(), window);

    const TRect measured = m_hintWindow->CalcHintRect(Width() - 2 * m_spaceHeight, shortHint);
    const bool small = m_activeGroup && m_activeGroup->IconType() == TzqSideGroupIconType::zqsgSmallIcon;
    const int offset = small ? m_spaceHeight : (Width() - measured.Width()) / 2;
    TRect rect = TRect::FromSize(window.Left + offset, topLeft.Y, measured.Width(), measured.Height());
    return rect.Inflate(1, 1);
}

void TzqSideBar::ShowItemHint()
{
    TzqSideBarItem* item = m_focusedItem;
    if (!item || item->Hint().empty() || m_itemDragging || !HandleAllocated())
        return HideItemHint();
    if (!m_hintWindow)
        m_hintWindow = std::make_unique<THintWindow>(nullptr);
    const std::string hint = item->Hint();
    const std::string shortHint = GetShortHint(hint);
    const TRect rect = ItemHintRect(item, shortHint);
    if (rect.IsEmpty())
        return HideItemHint();

    StopHintTimer();
    if (Application)
        m_hintWindow->SetColor(Application->HintColor());
    m_hintWindow->ActivateHint(rect, shortHint);
    if (!m_hintShown)
        m_ownHint = Hint();
    m_hintShown = true;
    m_hintTimer = SetTimer(nullptr, 0, ItemHintTime, [this](HWND, UINT, uintptr_t, DWORD) { HideItemHint(); });
    // A key anywhere in the program ends the hint, whichever control has the focus.
    if (!m_hintKeyHook)
        m_hintKeyHook = SetWindowsHookEx(WH_KEYBOARD, [this](int code, WPARAM wParam, LPARAM lParam) {
            const HHOOK self = m_hintKeyHook;
            HideItemHint();
            return CallNextHookEx(self, code, wParam, lParam);
        });

    SetShowHint(false);
    SetHint(GetLongHint(hint));
}

void TzqSideBar::StopHintTimer()
{
    if (m_hintTimer == 0)
        return;
    KillTimer(nullptr, m_hintTimer);
    m_hintTimer = 0;
}

void TzqSideBar::HideItemHint()
{
    StopHintTimer();
    if (m_hintKeyHook) {
        UnhookWindowsHookEx(m_hintKeyHook);
        m_hintKeyHook = nullptr;
    }
    if (m_hintWindow && m_hintWindow->IsHintVisible())
        m_hintWindow->ReleaseHandle();
    if (!m_hintShown)
        return;
    m_hintShown = false;
    // The side bar's own hint comes back (not an empty one).
    SetHint(m_ownHint);
    SetShowHint(true);
}
