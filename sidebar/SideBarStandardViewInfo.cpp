#include "sidebar/SideBarStandardViewInfo.h"

#include "platform/drawing/Canvas.h"
#include "sidebar/SideBar.h"

int TzqSideBarStandardViewInfo::GetHeaderHeight()
{
    TCanvas& canvas = MeasureCanvas();
    canvas.Font()->Assign(*SideBar()->GroupFont());
    const int offset = SideBar()->GroupHeightOffSet();
    return canvas.GetTextMetrics().tmHeight + (offset != 0 ? 2 * offset : 4);
}

TRect TzqSideBarStandardViewInfo::GetBounds()
{
    TzqSideBar* sideBar = SideBar();
    const TRect client = sideBar->ClientRect();
    if (!sideBar->ShowGroups())
        return client;
    // The panel's bevel counts although it is not drawn, and so does a border.
    int inset = sideBar->BevelWidth();
    if (sideBar->BorderStyle() == TBorderStyle::bsSingle)
        inset += sideBar->BorderWidth();
    return client.Inflate(-inset, -inset).Offset(0, 1);
}
