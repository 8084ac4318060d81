#include "sidebar/SideBarW2KViewInfo.h"

#include "sidebar/SideBar.h"

#include <algorithm>

std::unique_ptr<TzqSideItemViewInfo> TzqSideBarW2KViewInfo::CreateItemViewInfo()
{
    return std::make_unique<TzqSideItemW2KViewInfo>();
}

int64_t TzqSideBarW2KViewInfo::CalcItem(TzqSideItemViewInfo& info, int64_t y)
{
    const int64_t bottom = TzqSideBarFlatViewInfo::CalcItem(info, y);
    // From SpaceHeight above the image frame to SpaceHeight - 1 below the item: the
    // frames of neighbouring items meet without overlapping.
    const int64_t space = SideBar()->SpaceHeight();
    const TRect& ia = ItemsArea();
    const int64_t lower = std::max<int64_t>(info.ImageFrame.Bottom, info.CaptionRect.Bottom);
    static_cast<TzqSideItemW2KViewInfo&>(info).FullFrame =
        TRect(ia.Left, Saturate32(int64_t(info.ImageFrame.Top) - space), ia.Right, Saturate32(lower + space - 1));
    return bottom;
}
