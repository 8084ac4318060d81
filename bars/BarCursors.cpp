#include "bars/BarCursors.h"

#include "platform/drawing/Bitmap.h"
#include "platform/window/Cursors.h"

#include <array>
#include <cmath>
#include <string>

namespace {

constexpr int kSize = 32;

// A cursor drawn cell by cell: 'X' black, 'o' white, ' ' transparent.
class TCursorPicture {
public:
    TCursorPicture() { m_cells.fill(' '); }

    void Set(int x, int y, char c)
    {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize)
            m_cells[static_cast<size_t>(y * kSize + x)] = c;
    }
    char At(int x, int y) const { return m_cells[static_cast<size_t>(y * kSize + x)]; }

    // Stamps rows of art with their top-left corner at (x, y); blanks in the art leave
    // the picture as it is.
    void Stamp(int x, int y, std::initializer_list<const char*> rows)
    {
        int dy = 0;
        for (const char* row : rows) {
            for (int dx = 0; row[dx]; ++dx)
                if (row[dx] != ' ')
                    Set(x + dx, y + dy, row[dx]);
            ++dy;
        }
    }
    // A box with a black frame and a white inside.
    void Box(int left, int top, int right, int bottom)
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                Set(x, y, (x == left || x == right || y == top || y == bottom) ? 'X' : 'o');
    }

    void Paint(TBitmap& image, TBitmap& mask) const
    {
        image.SetSize(kSize, kSize);
        mask.SetSize(kSize, kSize);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const char c = At(x, y);
                image.SetPixel(x, y, c == 'X' ? 0x000000 : 0xFFFFFF);
                mask.SetPixel(x, y, c == ' ' ? 0xFFFFFF : 0x000000);
            }
        mask.SetMonochrome(true);
    }

private:
    std::array<char, kSize * kSize> m_cells{};
};

void StampArrow(TCursorPicture& p)
{
    p.Stamp(0, 0, {"X",           "XX",          "XoX",         "XooX",        "XoooX",
                   "XooooX",      "XoooooX",     "XooooooX",    "XoooooooX",   "XooooooooX",
                   "XoooooXXXXX", "XooXooX",     "XoX XooX",    "XX  XooX",    "X    XooX",
                   "     XooX",   "      XooX",  "      XooX",  "       XX"});
}

// The outline of the dragged link: a dotted frame under the arrow.
void StampDraggedBox(TCursorPicture& p)
{
    const int left = 9, top = 20, right = 21, bottom = 28;
    for (int x = left; x <= right; ++x) {
        p.Set(x, top, (x % 2) ? 'X' : 'o');
        p.Set(x, bottom, (x % 2) ? 'X' : 'o');
    }
    for (int y = top; y <= bottom; ++y) {
        p.Set(left, y, (y % 2) ? 'X' : 'o');
        p.Set(right, y, (y % 2) ? 'X' : 'o');
    }
}

void StampPlus(TCursorPicture& p)
{
    p.Box(19, 22, 29, 31);
    for (int i = 21; i <= 27; ++i) {
        p.Set(i, 26, 'X');
        p.Set(24, i + 2, 'X');
    }
}

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
        StampArrow(p);
        StampDraggedBox(p);
        break;
    case ZQBARDRAGCOPYCURSOR:
        StampArrow(p);
        StampDraggedBox(p);
        StampPlus(p);
        break;
    case ZQBARDRAGNODROPCURSOR:
        StampArrow(p);
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
