#include "sidebar/SideBarFlatViewInfo.h"

#include "sidebar/SideBar.h"

TRect TzqSideBarFlatViewInfo::GetBounds()
{
    const TRect client = SideBar()->ClientRect();
    return TRect(1, SideBar()->ShowGroups() ? 1 : 0, client.Width() - 1, client.Height());
}
