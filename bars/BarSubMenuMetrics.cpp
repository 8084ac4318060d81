#include "bars/BarSubMenuMetrics.h"

#include "platform/controls/TextMeasure.h"
#include "platform/drawing/Font.h"

#include <algorithm>

TzqBarSubMenuMetrics TzqBarSubMenuMetrics::For(const TFont& Font, bool Flat)
{
    TzqBarSubMenuMetrics m;
    m.Flat = Flat;
    m.TextHeight = MeasureText(Font, "0").cy;
    m.TextRowHeight = m.TextHeight + 6 + (Flat ? 1 : 0);
    m.ArrowSize = m.TextRowHeight / 4 * 3 + 1;
    m.ChevronSize = m.TextRowHeight / 4;
    m.ExpandButtonHeight = m.TextHeight + 1 - (Flat ? 2 : 0);
    // An odd chevron needs room for its two strokes and their gap.
    if (m.ChevronSize % 2 == 1)
        m.ExpandButtonHeight = std::max(m.ExpandButtonHeight, 2 * m.ChevronSize + 4);
    m.GlyphBandWidth = Flat ? 20 : 19;
    m.SeparatorHeight = Flat ? 5 : 10;
    m.ItemHeight = m.TextRowHeight + (Flat ? 2 : 0);
    int half = m.TextHeight / 2;
    if (half % 2 == 0)
        ++half;
    m.DetachBarHeight = half + (Flat ? 1 : 3);
    m.ExtraWidth = Flat ? 4 : 6;
    m.ExtraHeight = Flat ? 3 : 4;
    m.Border = Flat ? 1 : 2;
    return m;
}

int TzqBarSubMenuMetrics::ItemWidth(int CaptionWidth, int ShortCutWidth) const
{
    int width = CaptionWidth + 2 * TextRowHeight + 6;
    if (ShortCutWidth > 0)
        width += ShortCutWidth + TextRowHeight - 6;
    if (Flat)
        width += 9;
    return width;
}

int TzqBarSubMenuMetrics::MenuWidth(int WidestItem, int BarSize, bool Empty) const
{
    if (Empty)
        return 100;
    return WidestItem + BarSize + ExtraWidth;
}

TzqBarMenuPlacement PlaceSubMenu(TSize Size, TzqBarMenuAnchor Anchor, const TRect& Opener, bool PreferLeft, bool Flat,
                                 const std::function<TRect(TPoint)>& WorkAreaAt)
{
    TzqBarMenuPlacement p;
    const int w = Size.cx;
    int h = Size.cy;
    int x = 0, y = 0;
    bool flipWidth = false, flipHeight = false;
    switch (Anchor) {
    case TzqBarMenuAnchor::FromMenu:
        x = PreferLeft ? Opener.Left - w : Opener.Right;
        y = Opener.Top - (Flat ? 2 : 3);
        flipWidth = true;
        p.OpensLeft = PreferLeft;
        break;
    case TzqBarMenuAnchor::FromVerticalBar:
        x = Opener.Right;
        y = Opener.Top;
        flipWidth = true;
        break;
    case TzqBarMenuAnchor::FromHorizontalBar:
        x = Opener.Left;
        y = Opener.Bottom;
        flipHeight = true;
        break;
    case TzqBarMenuAnchor::AtPoint:
        x = Opener.Left;
        y = Opener.Top;
        break;
    }
    const TRect work = WorkAreaAt(TPoint{x, y});

    // Across: a menu going left that runs off the left edge comes back to the right of
    // its item when there is more room there.
    if (p.OpensLeft && x < work.Left && work.Right - Opener.Right > Opener.Left - work.Left) {
        x = Opener.Right;
        p.OpensLeft = false;
    }
    if (x + w > work.Right) {
        if (flipWidth && work.Right - x < Opener.Left - work.Left) {
            x = Opener.Left - w;
            p.OpensLeft = true;
        } else if (!p.OpensLeft) {
            x = work.Right - w;
        }
    }

    // Down.
    if (y + h > work.Bottom) {
        switch (Anchor) {
        case TzqBarMenuAnchor::FromHorizontalBar: {
            const int below = work.Bottom - Opener.Bottom;
            const int above = Opener.Top - work.Top;
            if (flipHeight && below < above) {
                y = Opener.Top - h;
                p.OpensUp = true;
            } else {
                h = std::max(0, below);
                p.Cut = true;
            }
            break;
        }
        case TzqBarMenuAnchor::AtPoint:
            if (Opener.Top - h >= work.Top) {
                y = Opener.Top - h;
                p.OpensUp = true;
            } else {
                y = work.Bottom - h;
            }
            break;
        default:
            y = work.Bottom - h;
            break;
        }
    }

    // Into the work area from the left and the top; what still does not fit is cut.
    x = std::max(x, work.Left);
    if (y < work.Top) {
        if (p.OpensUp) {
            h -= work.Top - y;
            p.Cut = true;
        }
        y = work.Top;
    }
    if (y + h > work.Bottom) {
        h = work.Bottom - y;
        p.Cut = true;
    }
    p.Bounds = TRect(x, y, x + w, y + h);
    return p;
}
