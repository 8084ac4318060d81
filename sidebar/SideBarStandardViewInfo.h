// Layout of the Standard look: headers as raised buttons inside the panel's bevel.
#pragma once

#include "sidebar/SideBarViewInfo.h"

class TzqSideBarStandardViewInfo : public TzqSideBarViewInfo {
public:
    using TzqSideBarViewInfo::TzqSideBarViewInfo;

protected:
    int GetHeaderHeight() override;
    TRect GetBounds() override;
};
