// The drag of a side-bar item: what the platform's drag machinery carries while an item
// is dragged within or between side bars. One exists at a time; while it lives, a
// keyboard hook turns each press or release of Ctrl into a mouse move, so that the
// cursor shows at once whether the drop would move or copy the item.
#pragma once

#include "platform/controls/DragObject.h"
#include "platform/window/WindowTypes.h"
#include "sidebar/SideBarCursors.h"

class TzqSideBar;
class TzqSideBarItem;
class TzqStoredSideItem;


class TzqSideBarDragObject : public TDragControlObject {
public:
    TzqSideBarDragObject(TzqSideBar* SideBar, TzqSideBarItem* Item);
    ~TzqSideBarDragObject() override;

    // The item drag in progress in the whole program, or none.
    static TzqSideBarDragObject* Current();

    TzqSideBar* SideBar() const;
    // The dragged item; none once it (or its side bar) was destroyed during the drag.
    TzqSideBarItem* Item() const { return m_item; }
    TzqStoredSideItem* StoredItem() const { return m_storedItem; }
    // An item is going: when it is the dragged one, the drop will change nothing.
    void ItemDestroyed(const TzqSideBarItem* item);

    // No drop: the platform's no-drop cursor; with Ctrl held: the copy cursor; else the
    // drag cursor.
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;

private:
    TzqSideBarItem* m_item;
    TzqStoredSideItem* m_storedItem;
    HHOOK m_keyHook = nullptr;
};
