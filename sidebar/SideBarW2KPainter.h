// The W2K look: Flat, with focus and selection shown on a frame as wide as the items area.
#pragma once

#include "sidebar/SideBarFlatPainter.h"

class TzqSideBarW2KPainter : public TzqSideBarFlatPainter {
public:
    using TzqSideBarFlatPainter::TzqSideBarFlatPainter;

protected:
    std::unique_ptr<TzqSideBarViewInfo> CreateViewInfo() override;
};
