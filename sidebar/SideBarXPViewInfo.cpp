#include "sidebar/SideBarXPViewInfo.h"

#include "sidebar/SideBar.h"

TRect TzqSideBarXPViewInfo::GetBounds()
{
    const TRect client = SideBar()->ClientRect();
    const bool headers = SideBar()->ShowGroups();
    return TRect(1, headers ? 1 : 0, client.Width() - 1, client.Height() - (headers ? 1 : 0));
}
