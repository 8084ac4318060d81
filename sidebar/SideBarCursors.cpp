#include "sidebar/SideBarCursors.h"

#include "platform/drawing/Bitmap.h"
#include "platform/window/CursorPicture.h"
#include "platform/window/Cursors.h"

namespace {

// A side-bar item under the arrow: its image as a framed square, its caption as a bar.
void StampItem(TCursorPicture& p)
{
    p.Box(8, 17, 17, 25);
    for (int y = 19; y <= 23; ++y)
        for (int x = 10; x <= 15; ++x)
            p.Set(x, y, ((x + y) % 2) ? 'X' : 'o');
    p.Box(6, 27, 19, 29);
}

// A boxed cross in the lower right corner: the item would go.
void StampDeleteBadge(TCursorPicture& p)
{
    p.Box(19, 21, 29, 31);
    for (int i = 0; i <= 6; ++i) {
        p.Set(21 + i, 23 + i, 'X');
        p.Set(27 - i, 23 + i, 'X');
    }
}

// A pointing hand, the tip of its finger at (5, 0): a header that can be clicked.
void StampHand(TCursorPicture& p)
{
    p.Stamp(0, 0, {"     XX",
                   "    XooX",
                   "    XooX",
                   "    XooX",
                   "    XooXXX",
                   "    XooXooXX",
                   "    XooXooXoXX",
                   " XX XooXooXooXoX",
                   "XooXXooooooooXoX",
                   "XoooXooooooooooX",
                   " XoooooooooooooX",
                   "  XooooooooooooX",
                   "  XoooooooooooX",
                   "   XooooooooooX",
                   "   XoooooooooX",
                   "    XoooooooX",
                   "    XoooooooX",
                   "    XXXXXXXXX"});
}

} // namespace

TPoint SideBarCursorHotSpot(HCURSOR Cursor)
{
    return Cursor == ZQSIDEBARGROUPCURSOR ? TPoint{5, 0} : TPoint{0, 0};
}

void PaintSideBarCursor(HCURSOR Cursor, TBitmap& Image, TBitmap& Mask)
{
    TCursorPicture p;
    switch (Cursor) {
    case ZQSIDEBARDRAGCURSOR:
        p.Arrow();
        StampItem(p);
        break;
    case ZQSIDEBARDRAGCOPYCURSOR:
        p.Arrow();
        StampItem(p);
        p.PlusBadge();
        break;
    case ZQSIDEBARDRAGDELETECURSOR:
        p.Arrow();
        StampItem(p);
        StampDeleteBadge(p);
        break;
    case ZQSIDEBARGROUPCURSOR:
        StampHand(p);
        break;
    default:
        break;
    }
    p.Paint(Image, Mask);
}

void RegisterSideBarCursors()
{
    for (HCURSOR cursor : {ZQSIDEBARDRAGCURSOR, ZQSIDEBARDRAGCOPYCURSOR, ZQSIDEBARDRAGDELETECURSOR, ZQSIDEBARGROUPCURSOR}) {
        if (IsCustomCursor(cursor))
            continue;
        TBitmap image, mask;
        PaintSideBarCursor(cursor, image, mask);
        SetCustomCursor(cursor, image, mask, SideBarCursorHotSpot(cursor));
    }
}
