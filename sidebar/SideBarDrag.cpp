// Dragging items within and between side bars: the start hands the platform's drag
// machinery a drag object for the focused item; a side bar under the pointer activates
// the group whose header it is over, scrolls near the ends of its items and shows the
// drop marker; at the end the source side bar finishes the drop on the target.
#include "sidebar/SideBar.h"

#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroup.h"
#include "sidebar/SideGroups.h"
#include "sidebar/StoredSideItem.h"

#include <memory>

namespace {

// How far into the items area (beyond SpaceHeight) a drag scrolls the items.
constexpr int ScrollZone = 16;

} // namespace

void TzqSideBar::DoStartDrag(TDragObject*& DragObject)
{
    TPanel::DoStartDrag(DragObject);
    if (!m_focusedItem)
        return;
    HideItemHint();
    DragObject = new TzqSideBarDragObject(this, m_focusedItem);
    m_itemDragging = true;
}

void TzqSideBar::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (TzqSideBarDragObject::Current() && m_activeGroup)
        ItemDragOver({X, Y}, Accept);
    else
        Accept = !m_activeGroup;
    // The application's handler has the last word.
    if (OnDragOver)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void TzqSideBar::ItemDragOver(TPoint p, bool& Accept)
{
    Accept = false;
    CalculateLayout();
    TzqSideBarViewInfo* vi = ViewInfo();
    if (const TzqSideGroupViewInfo* header = vi->HeaderAt(p)) {
        ActivateGroup(header->Group);
        return;
    }
    if (!ScrollTimerRunning())
        StartScrollTimer();
    m_upPressed = m_downPressed = false;
    const TRect& ia = vi->ItemsArea();
    const int zone = m_spaceHeight + ScrollZone;
    if (!vi->UpButton().IsEmpty() && ia.Top < p.Y && p.Y < ia.Top + zone) {
        m_upPressed = true;
        SetFocusedItem(nullptr, false);
        return;
    }
    if (!vi->DownButton().IsEmpty() && ia.Bottom - zone < p.Y && p.Y < ia.Bottom) {
        m_downPressed = true;
        SetFocusedItem(nullptr, false);
        return;
    }
    const TzqSideItemViewInfo* info = vi->ItemAt(p);
    SetFocusedItem(info ? info->Item : nullptr, false);
    TzqSideBarItem* target = nullptr;
    const TzqSideBarDropPosition position = vi->DropPositionAt(p, target);
    SetDropTarget(target, position);
    Accept = position != TzqSideBarDropPosition::dpNone || target;
}

void TzqSideBar::DoEndDrag(TObject* Target, int X, int Y)
{
    std::unique_ptr<TzqSideBarDragObject> drag;
    if (TzqSideBarDragObject::Current() && TzqSideBarDragObject::Current()->SideBar() == this)
        drag.reset(TzqSideBarDragObject::Current());
    m_itemDragging = false;
    if (drag) {
        // Ctrl is read once: the whole drop is a move or a copy.
        const bool copy = GetKeyState(VK_CONTROL) < 0;
        if (auto* target = dynamic_cast<TzqSideBar*>(Target))
            target->DropItem(*drag, copy);
        else
            LayoutChanged();
    }
    // The hook goes with the drag object, before the application hears of the end.
    drag.reset();
    TPanel::DoEndDrag(Target, X, Y);
}

int TzqSideBar::MoveTargetIndex(const TzqSideBarItem* dragged, int a) const
{
    // Where the marker shows: before the target, after it, or (on it) its place.
    const int own = dragged->Index();
    switch (m_dropPosition) {
    case TzqSideBarDropPosition::dpBefore:
        return own < a ? a - 1 : a;
    case TzqSideBarDropPosition::dpAfter:
        return own < a ? a : a + 1;
    case TzqSideBarDropPosition::dpNone:
        break;
    }
    return a;
}

void TzqSideBar::DropItem(TzqSideBarDragObject& drag, bool copy)
{
    TzqSideBarItem* dragged = drag.Item();
    // The dragged item went during the drag: nothing to drop.
    if (!dragged) {
        SetDropTarget(nullptr, TzqSideBarDropPosition::dpNone);
        return LayoutChanged();
    }
    if (!m_activeGroup)
        m_groups->Add();
    if (!m_activeGroup)
        return LayoutChanged();
    TzqSideBarItems* items = m_activeGroup->Items();
    int a = m_dropTarget ? m_dropTarget->Index() : (items->Count() == 0 ? 0 : -1);
    const bool sameGroup = dragged->Group() == m_activeGroup;
    TzqSideBarItem* result = nullptr;
    bool added = false;
    if (a >= 0 && !copy && sameGroup) {
        const int index = MoveTargetIndex(dragged, a);
        if (index != dragged->Index()) {
            dragged->SetIndex(index);
            result = dragged;
        }
    } else if (a >= 0) {
        if (m_dropPosition == TzqSideBarDropPosition::dpAfter)
            ++a;
        result = items->Add();
        result->Assign(*dragged);
        // A stored item of another store cannot serve this side bar: the copy keeps
        // what the dragged item showed.
        if (result->StoredItem() && result->StoredItem()->Store() != m_store)
            result->UnlinkKeepingValues();
        result->SetIndex(std::min(a, items->Count() - 1));
        added = true;
    }
    SetDropTarget(nullptr, TzqSideBarDropPosition::dpNone);
    if (OnDragDropItem)
        OnDragDropItem(&drag, dragged, result, copy);
    if (result && m_canSelected)
        SetSelectedItem(result);
    // Through its collection, so that its side bar hears it is being deleted.
    if (added && !copy && dragged->Collection())
        dragged->Collection()->Delete(dragged->Index());
    m_focusedItem = nullptr;
    m_focusedItemPressed = false;
    LayoutChanged();
}
