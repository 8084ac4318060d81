// The class-level operations of an editor: where border, shadow and client area lie
// for a view data, and the drawing of a whole editor (or of a cell that shows a value
// the way its editor would) without an editor window.
#include "editors/InplaceEdit.h"

#include "editors/SharedBrushes.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Input.h"
#include "platform/core/VirtualKeys.h"

TzqEditBorderStyle HotTrackedBorderStyle(TzqEditBorderStyle Style, bool Raise)
{
    if (!Raise)
        return Style;
    switch (Style) {
    case TzqEditBorderStyle::xbsNone:
        return TzqEditBorderStyle::xbsFlat;
    case TzqEditBorderStyle::xbsSingle:
        return TzqEditBorderStyle::xbsThick;
    case TzqEditBorderStyle::xbsFlat:
        return TzqEditBorderStyle::xbs3D;
    default:
        return Style;
    }
}

TzqEditButtonViewStyle ResolvedButtonStyle(TzqEditButtonViewStyle Style, TzqEditBorderStyle BorderStyle)
{
    if (Style != TzqEditButtonViewStyle::btsDefault)
        return Style;
    switch (BorderStyle) {
    case TzqEditBorderStyle::xbsNone:
        return TzqEditButtonViewStyle::btsSimple;
    case TzqEditBorderStyle::xbsSingle:
        return TzqEditButtonViewStyle::btsHotFlat;
    case TzqEditBorderStyle::xbsFlat:
        return TzqEditButtonViewStyle::btsFlat;
    default:
        return TzqEditButtonViewStyle::bts3D;
    }
}

TRegion EditOutline(const TzqEditViewInfo& Info)
{
    TRegion outline(Info.BorderRect);
    if (Info.ShadowSize > 0)
        outline = outline.United(TRegion(Info.ShadowRect));
    return outline;
}

TzqInplaceEdit* TzqInplaceEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceEdit(AOwner);
}

TzqEditStyleClass TzqInplaceEditClass::GetEditStyleClass() const
{
    return &NewEditStyleOf<TzqEditStyle>;
}

TzqEditViewDataClass TzqInplaceEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqEditViewData>;
}

bool TzqInplaceEditClass::IsCtrlOnlyDown() const
{
    return GetAsyncKeyState(VK_CONTROL) < 0 && GetAsyncKeyState(VK_MENU) >= 0;
}

int TzqInplaceEditClass::BorderWidthOf(TzqEditBorderStyle Style)
{
    switch (Style) {
    case TzqEditBorderStyle::xbsSingle:
        return 1;
    case TzqEditBorderStyle::xbsThick:
    case TzqEditBorderStyle::xbsFlat:
    case TzqEditBorderStyle::xbs3D:
        return 2;
    default:
        return 0;
    }
}

void TzqInplaceEditClass::CalcViewInfo(const TzqEditViewData& ViewData, bool, TzqEditViewInfo& ViewInfo) const
{
    ViewInfo = TzqEditViewInfo();
    const int shadow = ViewData.Shadow ? 2 : 0;
    ViewInfo.ShadowSize = shadow;
    ViewInfo.Bounds = ViewData.Bounds;
    const TRect& b = ViewData.Bounds;
    ViewInfo.ClientRect = TRect(b.Left + 2, b.Top + 2, b.Right - shadow - 2, b.Bottom - shadow - 2);
    const int width = BorderWidthOf(ViewData.BorderStyle);
    ViewInfo.BorderWidth = width;
    ViewInfo.EdgeLeft = ViewData.Edges.contains(TzqEditEdge::edgLeft);
    ViewInfo.EdgeTop = ViewData.Edges.contains(TzqEditEdge::edgTop);
    ViewInfo.EdgeRight = ViewData.Edges.contains(TzqEditEdge::edgRight);
    ViewInfo.EdgeBottom = ViewData.Edges.contains(TzqEditEdge::edgBottom);
    TRect border = ViewInfo.ClientRect;
    if (ViewInfo.EdgeLeft)
        border.Left -= width;
    if (ViewInfo.EdgeTop)
        border.Top -= width;
    if (ViewInfo.EdgeRight)
        border.Right += width;
    if (ViewInfo.EdgeBottom)
        border.Bottom += width;
    ViewInfo.BorderRect = border;
    if (shadow > 0)
        ViewInfo.ShadowRect = border.Offset(shadow, shadow);
}

namespace {

unsigned EdgeFlags(const TzqEditViewInfo& info)
{
    return (info.EdgeLeft ? BF_LEFT : 0u) | (info.EdgeTop ? BF_TOP : 0u) | (info.EdgeRight ? BF_RIGHT : 0u) |
           (info.EdgeBottom ? BF_BOTTOM : 0u);
}

// A solid border of `width` pixels in the colour, on the sides present.
void DrawSolidBorder(HDC dc, const TzqEditViewInfo& info, TColor color)
{
    const int width = info.BorderWidth;
    TRect r = info.BorderRect;
    if (info.EdgeLeft && info.EdgeTop && info.EdgeRight && info.EdgeBottom) {
        for (int i = 0; i < width; ++i) {
            FrameRectColor(dc, r, color);
            r = r.Inflate(-1, -1);
        }
        return;
    }
    // Without a top edge the side strips reach one border width higher.
    const int sideTop = info.EdgeTop ? r.Top : r.Top - width;
    if (info.EdgeLeft)
        FillRectColor(dc, TRect(r.Left, sideTop, r.Left + width, r.Bottom), color);
    if (info.EdgeTop)
        FillRectColor(dc, TRect(r.Left, r.Top, r.Right, r.Top + width), color);
    if (info.EdgeRight)
        FillRectColor(dc, TRect(r.Right - width, sideTop, r.Right, r.Bottom), color);
    if (info.EdgeBottom)
        FillRectColor(dc, TRect(r.Left, r.Bottom - width, r.Right, r.Bottom), color);
}

} // namespace

void TzqInplaceEditClass::DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo, const TzqEditViewData& ViewData) const
{
    if (!DC)
        return;
    const unsigned edges = EdgeFlags(ViewInfo);
    TRect r = ViewInfo.BorderRect;
    switch (ViewData.BorderStyle) {
    case TzqEditBorderStyle::xbsSingle:
    case TzqEditBorderStyle::xbsThick:
        DrawSolidBorder(DC, ViewInfo, ViewData.BorderColor);
        break;
    case TzqEditBorderStyle::xbsFlat:
        DC->DrawEdge(r, BDR_SUNKENOUTER, edges | BF_ADJUST);
        DC->DrawEdge(r, BDR_SUNKENINNER, edges | BF_FLAT);
        break;
    case TzqEditBorderStyle::xbs3D:
        DC->DrawEdge(r, EDGE_SUNKEN, edges);
        break;
    default:
        break;
    }
    if (ViewData.Shadow && ViewInfo.ShadowSize > 0) {
        const TRect& s = ViewInfo.ShadowRect;
        const int size = ViewInfo.ShadowSize;
        const TColor shadow = ShadowBrush()->Color();
        FillRectColor(DC, TRect(s.Left, s.Bottom - size, s.Right, s.Bottom), shadow);
        FillRectColor(DC, TRect(s.Right - size, s.Top, s.Right, s.Bottom - size), shadow);
    }
}

bool TzqInplaceEditClass::DrawContent(HDC DC, const TRect& Rect, bool, TzqEditViewData& ViewData) const
{
    if (DC && !ViewData.Transparent && !Rect.IsEmpty()) {
        if (ViewData.Brush && !ViewData.Brush->HasPattern() && ViewData.Brush->Style() == TBrushStyle::bsSolid) {
            FillRectColor(DC, Rect, ViewData.Brush->Color());
        } else if (ViewData.Brush) {
            TBrush saved;
            saved.Assign(*DC->Brush());
            DC->SetBrush(*ViewData.Brush);
            DC->FillRect(Rect);
            DC->SetBrush(saved);
        } else {
            FillRectColor(DC, Rect, ViewData.BkColor);
        }
    }
    return true;
}

void TzqInplaceEditClass::Draw(HDC DC, TzqEditViewData& ViewData, TRegion* Region) const
{
    TzqEditViewInfo info;
    CalcViewInfo(ViewData, false, info);
    DrawBorder(DC, info, ViewData);
    DrawContent(DC, info.ClientRect, false, ViewData);
    if (Region)
        *Region = Region->Subtracted(EditOutline(info));
}

TCursor TzqInplaceEditClass::GetCursor(int, int, const TzqEditViewData& ViewData) const
{
    if (ViewData.Cursor != crDefault)
        return ViewData.Cursor;
    return ViewData.IsNativeEdit ? crDefault : crArrow;
}

int TzqInplaceEditClass::GetDefaultHeight(const TzqEditViewData& ViewData) const
{
    static TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    if (ViewData.Font)
        c->Font()->Assign(*ViewData.Font);
    return 3 + c->GetTextMetrics().tmHeight;
}

void TzqInplaceEditClass::GetAuxRect(const TzqEditViewData&, TRect& Rect) const
{
    Rect = TRect();
}

bool TzqInplaceEditClass::IsInplace() const
{
    return true;
}
