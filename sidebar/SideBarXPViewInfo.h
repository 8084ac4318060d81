// Layout of the XP look: as Flat with headers touching each other, one pixel less at the
// bottom while headers show, and a wide frame around each image.
#pragma once

#include "sidebar/SideBarViewInfo.h"

class TzqSideBarXPViewInfo : public TzqSideBarViewInfo {
public:
    using TzqSideBarViewInfo::TzqSideBarViewInfo;

protected:
    TRect GetBounds() override;
    int GetHeaderGap() override { return 0; }
    int GetImageFrameMargin() override { return 5; }
};
