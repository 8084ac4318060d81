#include "bars/BarCursors.h"

#include "platform/drawing/Bitmap.h"
#include "platform/window/CursorPicture.h"
#include "platform/window/Cursors.h"

#include <cmath>
#include <string>

namespace {

constexpr int kSize = TCursorPicture::Size;

// A circle crossed by a bar: no drop here.
void StampNoDrop(TCursorPicture& p)
{
    const double cx = 21.5, cy = 23.5;
    for (int y = 14; y < kSize; ++y)
        for (int x = 12; x < kSize; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            const bool onRing = d >= 5.5 && d <= 8.5;
            const bool onBar = d < 8.5 && std::abs((x - cx) - (y - cy)) <= 1.6;
            if (onRing || onBar)
                p.Set(x, y, 'X');
            else if (d < 9.5 && d > 4.5)
                p.Set(x, y, 'o');
            else if (d <= 4.5 && p.At(x, y) == ' ')
                p.Set(x, y, 'o');
        }
}

// Two bars with arrows pointing away from them: a width being dragged.
void StampSizing(TCursorPicture& p)
{
    p.Stamp(4, 9, {"    oo   oooooo   oo",
                   "   oXo   oXXXXo   oXo",
                   "  oXXo   oXXXXo   oXXo",
                   " oXXXooooooXXXXooooooXXXo",
                   "oXXXXXXXXXXXXXXXXXXXXXXXXo",
                   " oXXXooooooXXXXooooooXXXo",
                   "  oXXo   oXXXXo   oXXo",
                   "   oXo   oXXXXo   oXo",
                   "    oo   oooooo   oo"});
    for (int y = 3; y <= 20; ++y)
        if (y < 9 || y > 17) {
            p.Set(13, y, 'o');
            p.Set(14, y, 'X');
            p.Set(15, y, 'X');
            p.Set(16, y, 'X');
            p.Set(17, y, 'X');
            p.Set(18, y, 'o');
        }
}

// The outline of the dragged link: a dotted frame under the arrow.
void StampDraggedBox(TCursorPicture& p)
{
    p.DottedFrame(9, 20, 21, 28);
}

TPoint HotSpotOf(HCURSOR cursor)
{
    return cursor == ZQBAREDITSIZINGCURSOR ? TPoint{16, 13} : TPoint{0, 0};
}

} // namespace

void PaintBarCursor(HCURSOR Cursor, TBitmap& Image, TBitmap& Mask)
{
    TCursorPicture p;
    switch (Cursor) {
    case ZQBARDRAGCURSOR:
        p.Arrow();
        StampDraggedBox(p);
        break;
    case ZQBARDRAGCOPYCURSOR:
        p.Arrow();
        StampDraggedBox(p);
        p.PlusBadge();
        break;
    case ZQBARDRAGNODROPCURSOR:
        p.Arrow();
        StampNoDrop(p);
        break;
    case ZQBAREDITSIZINGCURSOR:
        StampSizing(p);
        break;
    default:
        break;
    }
    p.Paint(Image, Mask);
}

void RegisterBarCursors()
{
    for (HCURSOR cursor : {ZQBARDRAGCURSOR, ZQBARDRAGCOPYCURSOR, ZQBARDRAGNODROPCURSOR, ZQBAREDITSIZINGCURSOR}) {
        if (IsCustomCursor(cursor))
            continue;
        TBitmap image, mask;
        PaintBarCursor(cursor, image, mask);
        SetCustomCursor(cursor, image, mask, HotSpotOf(cursor));
    }
}
