// The XP look: flat headers without the line under the active one, and focused or
// selected items on a light blend of the highlight colour inside a thin frame.
#pragma once

#include "platform/core/Color.h"
#include "sidebar/SideBarPainter.h"

class TzqSideBarXPPainter : public TzqSideBarPainter {
public:
    using TzqSideBarPainter::TzqSideBarPainter;

    // Per channel -2 % of the button face, 30 % of the highlight and 72 % of the window
    // colour, clamped; the highlight itself when the button face is black or white.
    static TColor HighlightColor();

    void DrawBorder(TCanvas* canvas) override { DrawThinBorder(canvas); }
    void DrawGroupHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header) override
    {
        DrawFlatHeader(canvas, header, false);
    }
    void DrawItemBackground(TCanvas* canvas, const TzqSideItemViewInfo& info) override;
    void DrawItemImageFrame(TCanvas* canvas, const TzqSideItemViewInfo& info) override;
    // The whole image frame: its background changes with focus and selection.
    void InvalidateItemFrame(const TzqSideBarItem* item) override;
    bool HotTrackHeaders() const override { return true; }

protected:
    std::unique_ptr<TzqSideBarViewInfo> CreateViewInfo() override;

private:
    bool Highlighted(const TzqSideBarItem* item) const;
};
