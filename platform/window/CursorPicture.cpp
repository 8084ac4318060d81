#include "platform/window/CursorPicture.h"

#include "platform/drawing/Bitmap.h"

void TCursorPicture::Set(int x, int y, char c)
{
    if (x >= 0 && y >= 0 && x < Size && y < Size)
        m_cells[static_cast<size_t>(y * Size + x)] = c;
}

char TCursorPicture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Size || y >= Size)
        return ' ';
    return m_cells[static_cast<size_t>(y * Size + x)];
}

void TCursorPicture::Stamp(int x, int y, std::initializer_list<const char*> rows)
{
    int dy = 0;
    for (const char* row : rows) {
        for (int dx = 0; row[dx]; ++dx)
            if (row[dx] != ' ')
                Set(x + dx, y + dy, row[dx]);
        ++dy;
    }
}

void TCursorPicture::Box(int left, int top, int right, int bottom)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            Set(x, y, (x == left || x == right || y == top || y == bottom) ? 'X' : 'o');
}

void TCursorPicture::DottedFrame(int left, int top, int right, int bottom)
{
    for (int x = left; x <= right; ++x) {
        Set(x, top, (x % 2) ? 'X' : 'o');
        Set(x, bottom, (x % 2) ? 'X' : 'o');
    }
    for (int y = top; y <= bottom; ++y) {
        Set(left, y, (y % 2) ? 'X' : 'o');
        Set(right, y, (y % 2) ? 'X' : 'o');
    }
}

void TCursorPicture::Arrow()
{
    Stamp(0, 0, {"X",           "XX",          "XoX",         "XooX",        "XoooX",
                 "XooooX",      "XoooooX",     "XooooooX",    "XoooooooX",   "XooooooooX",
                 "XoooooXXXXX", "XooXooX",     "XoX XooX",    "XX  XooX",    "X    XooX",
                 "     XooX",   "      XooX",  "      XooX",  "       XX"});
}

void TCursorPicture::PlusBadge()
{
    Box(19, 22, 29, 31);
    for (int i = 21; i <= 27; ++i) {
        Set(i, 26, 'X');
        Set(24, i + 2, 'X');
    }
}

void TCursorPicture::Paint(TBitmap& image, TBitmap& mask) const
{
    image.SetSize(Size, Size);
    mask.SetSize(Size, Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const char c = At(x, y);
            image.SetPixel(x, y, c == 'X' ? 0x000000 : 0xFFFFFF);
            mask.SetPixel(x, y, c == ' ' ? 0xFFFFFF : 0x000000);
        }
    mask.SetMonochrome(true);
}
