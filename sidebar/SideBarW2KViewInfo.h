// Layout of the W2K look: as Flat, with a frame as wide as the items area around each
// item, shown for focus and selection.
#pragma once

#include "sidebar/SideBarFlatViewInfo.h"

class TzqSideBarW2KViewInfo : public TzqSideBarFlatViewInfo {
public:
    using TzqSideBarFlatViewInfo::TzqSideBarFlatViewInfo;

protected:
    std::unique_ptr<TzqSideItemViewInfo> CreateItemViewInfo() override;
    int64_t CalcItem(TzqSideItemViewInfo& info, int64_t y) override;
};
