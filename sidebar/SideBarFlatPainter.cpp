#include "sidebar/SideBarFlatPainter.h"

#include "sidebar/SideBarFlatViewInfo.h"

std::unique_ptr<TzqSideBarViewInfo> TzqSideBarFlatPainter::CreateViewInfo()
{
    return std::make_unique<TzqSideBarFlatViewInfo>(this);
}
