#include "sidebar/SideBarStandardPainter.h"

#include "platform/drawing/Canvas.h"
#include "sidebar/SideBarStandardViewInfo.h"
#include "sidebar/SideGroup.h"

std::unique_ptr<TzqSideBarViewInfo> TzqSideBarStandardPainter::CreateViewInfo()
{
    return std::make_unique<TzqSideBarStandardViewInfo>(this);
}

void TzqSideBarStandardPainter::DrawGroupHeader(TCanvas* canvas, const TzqSideGroupViewInfo& header)
{
    TRect face = header.Rect;
    FillRectColor(canvas, face, clBtnFace);
    canvas->DrawEdge(face, EDGE_RAISED, BF_RECT);
    DrawHeaderCaption(canvas, header.Rect.Inflate(-2, -2), header.Group->Caption());
}
