// The Standard look: headers as raised buttons, no border, no hot tracking.
#pragma once

#include "sidebar/SideBarPainter.h"

class TzqSideBarStandardPainter : public TzqSideBarPainter {
public:
    using TzqSideBarPainter::TzqSideBarPainter;

    void DrawGroupHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header) override;

protected:
    std::unique_ptr<TzqSideBarViewInfo> CreateViewInfo() override;
};
