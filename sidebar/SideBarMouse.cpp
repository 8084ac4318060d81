// The side bar's pointer handling: hot and pressed headers, focusing, pressing and
// clicking items, the scroll buttons with their repeat timer, and the start of an item
// drag. Everything reads the current layout through the view information's hit tests.
#include "sidebar/SideBar.h"

#include "platform/controls/PopupMenu.h"
#include "platform/window/MessageLoop.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/SideGroup.h"
#include "sidebar/StoredSideItem.h"

#include <cstdlib>

namespace {

// How far (in x or in y) an armed press may move on the items before it becomes a drag.
constexpr int DragDistance = 5;

TzqSideBarItem* ItemOf(const TzqSideItemViewInfo* info)
{
    return info ? info->Item : nullptr;
}

TzqSideGroup* GroupOf(const TzqSideGroupViewInfo* info)
{
    return info ? info->Group : nullptr;
}

} // namespace

void TzqSideBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsDesigning())
        return TPanel::MouseDown(Button, Shift, X, Y);
    // A left press while a caption is edited only ends the editing, accepting.
    if (Button == TMouseButton::mbLeft && CaptionEditing())
        return EndCaptionEdit(true);
    const TPoint p{X, Y};
    if (Button == TMouseButton::mbRight) {
        // The platform shows the control's menu on the release: the menu of what is
        // under the pointer now.
        CalculateLayout();
        TPopupMenu* menu = nullptr;
        if (TzqSideBarItem* item = ItemOf(ViewInfo()->ItemAt(p))) {
            TzqStoredSideItem* stored = item->StoredItem();
            menu = stored && stored->PopupMenu() ? stored->PopupMenu() : m_itemPopupMenu;
        }
        TControl::SetPopupMenu(menu ? menu : m_groupPopupMenu);
    }
    TPanel::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft)
        LeftPress(p);
}

void TzqSideBar::LeftPress(TPoint p)
{
    // OnMouseDown may have changed what is shown.
    CalculateLayout();
    TzqSideBarViewInfo* vi = ViewInfo();
    if (TzqSideGroup* group = GroupOf(vi->HeaderAt(p))) {
        SetHotGroup(group, true);
        return;
    }
    switch (vi->ScrollButtonAt(p)) {
    case TzqSideBarViewInfo::TScrollButton::sbUp:
        SetScrollButtonsPressed(true, false);
        StartScrollTimer();
        ScrollActiveGroup(-1);
        return;
    case TzqSideBarViewInfo::TScrollButton::sbDown:
        SetScrollButtonsPressed(false, true);
        StartScrollTimer();
        ScrollActiveGroup(+1);
        return;
    case TzqSideBarViewInfo::TScrollButton::sbNone:
        break;
    }
    if (TzqSideBarItem* item = ItemOf(vi->ItemAt(p))) {
        SetFocusedItem(item, true);
        if (m_canSelected)
            SetSelectedItem(item);
        m_clickArmed = true;
        m_pressPoint = p;
    }
}

void TzqSideBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TPanel::MouseMove(Shift, X, Y);
    const TPoint p{X, Y};
    CalculateLayout();
    TzqSideBarViewInfo* vi = ViewInfo();

    TzqSideGroup* header = GroupOf(vi->HeaderAt(p));
    if (Shift.contains(TShiftStateFlag::ssLeft)) {
        // A pressed header shows pressed only while the pointer is over it.
        if (m_hotGroup)
            SetHotGroup(m_hotGroup, header == m_hotGroup);
    } else if (header != m_hotGroup) {
        SetHotGroup(header, false);
        // The cursor was chosen before this move: choose again for the new hot header.
        if (HandleAllocated())
            Perform(WM_SETCURSOR, WPARAM(Handle()), LPARAM((uint32_t(WM_MOUSEMOVE) << 16) | HTCLIENT));
    } else {
        SetHotGroup(header, false);
    }

    TzqSideBarItem* item = ItemOf(vi->ItemAt(p));
    if (!m_clickArmed)
        SetFocusedItem(item, false);

    if (IsDesigning() || m_sideBarDragMode != TDragMode::dmAutomatic || !m_showGroups || !m_clickArmed)
        return;
    const bool leftItems = !item && m_focusedItem;
    const bool movedAway =
        item && (std::abs(X - m_pressPoint.X) > DragDistance || std::abs(Y - m_pressPoint.Y) > DragDistance);
    if (leftItems || movedAway) {
        m_clickArmed = false;
        BeginDrag(true);
    }
}

void TzqSideBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (IsDesigning())
        return TPanel::MouseUp(Button, Shift, X, Y);
    TPanel::MouseUp(Button, Shift, X, Y);
    if (MouseCapture())
        SetMouseCapture(false);
    if (Button != TMouseButton::mbLeft || m_editedGroup)
        return;
    const TPoint p{X, Y};
    CalculateLayout();
    TzqSideBarViewInfo* vi = ViewInfo();

    if (TzqSideGroup* hot = m_hotGroup) {
        if (GroupOf(vi->HeaderAt(p)) == hot) {
            SetHotGroup(hot, false);
            ActivateGroup(hot);
        } else {
            SetHotGroup(nullptr);
        }
    }
    if (m_upPressed || m_downPressed) {
        SetScrollButtonsPressed(false, false);
    } else if (m_clickArmed && !Dragging()) {
        m_clickArmed = false;
        // The item under the pointer now, which need not be the one pressed.
        CalculateLayout();
        if (TzqSideBarItem* item = ItemOf(ViewInfo()->ItemAt(p)))
            ItemClick(item);
    }
}

void TzqSideBar::MouseEnter()
{
    TPanel::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TzqSideBar::MouseLeave()
{
    TPanel::MouseLeave();
    // During an item drag (of any side bar) the marker goes; else the focus.
    if (TzqSideBarDragObject::Current())
        SetDropTarget(nullptr, TzqSideBarDropPosition::dpNone);
    else
        SetFocusedItem(nullptr, false);
    if (OnMouseLeave)
        OnMouseLeave(this);
    SetHotGroup(nullptr);
}

void TzqSideBar::ItemClick(TzqSideBarItem* Item)
{
    if (!Item || !Item->Enabled())
        return;
    TzqStoredSideItem* stored = Item->StoredItem();
    const bool storedClick = stored && stored->OnClick;
    if (stored)
        stored->Click(this, Item);
    if (!storedClick && OnItemClick)
        OnItemClick(this, Item);
}

void TzqSideBar::ActivateGroup(TzqSideGroup* group)
{
    // The actions' update handlers run first, so the group shows its items' current state.
    if (m_store && !m_store->IsDesigning())
        for (int i = 0; i < m_store->StoredItemCount(); ++i)
            m_store->StoredItems(i)->UpdateAction();
    if (group && !group->Visible())
        group = nullptr;
    if (group == m_activeGroup)
        return;
    SetActiveGroup(group ? group : FirstVisibleGroup());
}

void TzqSideBar::ScrollActiveGroup(int step)
{
    if (m_activeGroup)
        m_activeGroup->SetTopItemIndex(m_activeGroup->TopItemIndex() + step);
}

// ---- The scroll timer ----

void TzqSideBar::StartScrollTimer()
{
    // Starting again restarts the period.
    StopScrollTimer();
    m_scrollTimer = SetTimer(nullptr, 0, UINT(m_scrollDelay), [this](HWND, UINT, uintptr_t, DWORD) { ScrollTimerTick(); });
}

void TzqSideBar::StopScrollTimer()
{
    if (m_scrollTimer == 0)
        return;
    KillTimer(nullptr, m_scrollTimer);
    m_scrollTimer = 0;
}

void TzqSideBar::ScrollTimerTick()
{
    CalculateLayout();
    const TzqSideBarViewInfo* vi = ViewInfo();
    // A flag lasts only while its button is shown: scrolling to the end stops it.
    const bool up = m_upPressed && !vi->UpButton().IsEmpty();
    const bool down = m_downPressed && !vi->DownButton().IsEmpty();
    SetScrollButtonsPressed(up, down);
    if (!up && !down)
        return StopScrollTimer();
    // The marker of a drag would point at an item that scrolls away.
    m_dropTarget = nullptr;
    m_dropPosition = TzqSideBarDropPosition::dpNone;
    if (up)
        ScrollActiveGroup(-1);
    if (down)
        ScrollActiveGroup(+1);
}
