// The Flat look: a thin sunken border, flat headers that follow the pointer, and a
// raised line under the active group's header.
#pragma once

#include "sidebar/SideBarPainter.h"

class TzqSideBarFlatPainter : public TzqSideBarPainter {
public:
    using TzqSideBarPainter::TzqSideBarPainter;

    void DrawBorder(TCanvas* canvas) override { DrawThinBorder(canvas); }
    void DrawGroupHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header) override
    {
        DrawFlatHeader(canvas, header, true);
    }
    bool HotTrackHeaders() const override { return true; }

protected:
    std::unique_ptr<TzqSideBarViewInfo> CreateViewInfo() override;
};
