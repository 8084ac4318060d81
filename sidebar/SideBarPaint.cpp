// The side bar's paint entry, its background and the sliding effect.
#include "sidebar/SideBar.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Picture.h"
#include "platform/window/Painting.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarPainter.h"
#include "sidebar/SideBarSlide.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"

void TzqSideBar::Paint()
{
    if (m_paintLock > 0)
        return;
    TCanvas* canvas = Canvas();
    if (m_previousActiveGroup && m_previousActiveGroup != m_activeGroup && m_activeGroup && m_showGroups)
        PlaySlide();
    m_previousActiveGroup = nullptr;
    Painter()->Paint(canvas);
}

bool TzqSideBar::EraseBackground(HDC)
{
    // The paint fills the background itself, around what it draws.
    return true;
}

void TzqSideBar::PlaySlide()
{
    // The layout still holds the state of the last paint.
    TzqSideBarViewInfo* vi = ViewInfo();
    const TzqSideGroupViewInfo* header = vi->FindHeader(m_activeGroup);
    if (!header || !vi->FindHeader(m_previousActiveGroup) || !HandleAllocated())
        return;
    TRect area = vi->ItemsArea();
    area.Left = vi->Bounds().Left;
    area.Right = vi->Bounds().Right;
    const bool down = m_activeGroup->Index() < m_previousActiveGroup->Index();
    if (down)
        area.Top = header->Rect.Bottom;
    else
        area.Bottom = header->Rect.Bottom;

    TzqSideBarSlide slide(area, vi->HeaderHeight(), down, TickCount);
    TRect strip, scrollArea;
    int dy = 0;
    while (slide.Next(strip, scrollArea, dy)) {
        ScrollWindowEx(Handle(), 0, dy, &scrollArea, &scrollArea, nullptr, nullptr, 0);
        PaintBackground(Canvas(), strip);
    }
}

void TzqSideBar::PaintBackground(TCanvas* canvas, const TRect& rect)
{
    if (rect.IsEmpty() || !canvas->RectVisible(rect))
        return;
    if (m_bkPicture->HasGraphic())
        PaintPicture(canvas, rect);
    else if (m_bkGround->HasGradient(ClientRect().Size()))
        PaintGradient(canvas, rect);
    else
        FillRectColor(canvas, rect, Color());
}

void TzqSideBar::PaintGradient(TCanvas* canvas, const TRect& rect)
{
    m_bkGround->ForEachBand(rect, ClientRect().Size(), [canvas](const TRect& band, TColor color) {
        FillRectColor(canvas, band, color);
    });
}

void TzqSideBar::PaintPicture(TCanvas* canvas, const TRect& rect)
{
    // Tiles from the client area's top-left corner; only the tiles over the rectangle.
    TBitmap* tile = m_bkPicture->Graphic();
    const int w = tile->Width(), h = tile->Height();
    auto firstTile = [](int from, int size) { return from >= 0 ? from / size * size : -((-from + size - 1) / size) * size; };
    const TRegion clip = canvas->ClipRegion();
    const bool hadClip = canvas->HasClipRegion();
    canvas->IntersectClipRect(rect);
    for (int64_t y = firstTile(rect.Top, h); y < rect.Bottom; y += h)
        for (int64_t x = firstTile(rect.Left, w); x < rect.Right; x += w)
            canvas->Draw(int(x), int(y), tile);
    canvas->SelectClipRegion(hadClip ? &clip : nullptr);
}
