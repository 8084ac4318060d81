#include "sidebar/SideBarW2KPainter.h"

#include "sidebar/SideBarW2KViewInfo.h"

std::unique_ptr<TzqSideBarViewInfo> TzqSideBarW2KPainter::CreateViewInfo()
{
    return std::make_unique<TzqSideBarW2KViewInfo>(this);
}
