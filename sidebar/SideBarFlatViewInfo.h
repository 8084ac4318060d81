// Layout of the Flat look: a one-pixel border on the left and right, and on top while
// headers show.
#pragma once

#include "sidebar/SideBarViewInfo.h"

class TzqSideBarFlatViewInfo : public TzqSideBarViewInfo {
public:
    using TzqSideBarViewInfo::TzqSideBarViewInfo;

protected:
    TRect GetBounds() override;
};
