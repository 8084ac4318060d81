#include "sidebar/SideBarXPPainter.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarXPViewInfo.h"

#include <algorithm>

std::unique_ptr<TzqSideBarViewInfo> TzqSideBarXPPainter::CreateViewInfo()
{
    return std::make_unique<TzqSideBarXPViewInfo>(this);
}

TColor TzqSideBarXPPainter::HighlightColor()
{
    const COLORREF face = ColorToRGB(clBtnFace) & 0xFFFFFF;
    const COLORREF highlight = ColorToRGB(clHighlight) & 0xFFFFFF;
    const COLORREF window = ColorToRGB(clWindow) & 0xFFFFFF;
    if (face == clBlack || face == clWhite)
        return highlight;
    auto blend = [](int f, int h, int w) {
        return uint8_t(std::clamp(MulDiv(f, -2, 100) + MulDiv(h, 30, 100) + MulDiv(w, 72, 100), 0, 255));
    };
    return GetNearestColor(RGB(blend(GetRValue(face), GetRValue(highlight), GetRValue(window)),
                               blend(GetGValue(face), GetGValue(highlight), GetGValue(window)),
                               blend(GetBValue(face), GetBValue(highlight), GetBValue(window))));
}

bool TzqSideBarXPPainter::Highlighted(const TzqSideBarItem* item) const
{
    return item->Enabled() && (IsSelected(item) || IsFocused(item));
}

void TzqSideBarXPPainter::DrawItemBackground(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    if (Highlighted(info.Item))
        FillRectColor(canvas, info.ImageFrame, HighlightColor());
    else
        TzqSideBarPainter::DrawItemBackground(canvas, info);
}

void TzqSideBarXPPainter::DrawItemImageFrame(TCanvas* canvas, const TzqSideItemViewInfo& info)
{
    if (Highlighted(info.Item))
        FrameRectColor(canvas, info.ImageFrame, clActiveCaption);
}

void TzqSideBarXPPainter::InvalidateItemFrame(const TzqSideBarItem* item)
{
    TzqSideBarViewInfo* vi = ViewInfo();
    if (const TzqSideItemViewInfo* info = vi->FindItem(item))
        InvalidateRegion(TRegion(info->ImageFrame).Intersected(TRegion(vi->ItemsArea())));
}
