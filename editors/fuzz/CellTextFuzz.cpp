// Fuzz target: DrawCellText with any text, count, flag word and rectangles, on a small
// picture, in drawing and measuring mode; the hint window's placement and the drop-down
// placement with any point and size. Nothing may crash or read out of bounds.
//
// Input: a 16-bit flag word, a 16-bit count, eight 16-bit coordinates (text and back
// rectangles, scaled so that far and inverted rectangles occur), then the text.
#include "editors/CellText.h"
#include "editors/ContainerHintWindow.h"
#include "editors/PopupFrame.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct TReader {
    const uint8_t* data;
    size_t size;
    int16_t Next16()
    {
        if (size < 2) {
            size = 0;
            return 0;
        }
        const int16_t v = static_cast<int16_t>(data[0] | (data[1] << 8));
        data += 2;
        size -= 2;
        return v;
    }
};

// Mostly near the picture, sometimes far away (the coordinate's low bit chooses).
int32_t Coordinate(int16_t raw)
{
    return (raw & 1) ? int32_t(raw) * 65536 : raw / 64;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static THeadlessDriver driver;
    static TBitmap picture(64, 32);
    TReader in{data, size};
    const WORD flags = static_cast<WORD>(in.Next16());
    const int count = in.Next16();
    int32_t c[8];
    for (int32_t& v : c)
        v = Coordinate(in.Next16());
    const std::string text(reinterpret_cast<const char*>(in.data), in.size);
    const TRect textRect(c[0], c[1], c[2], c[3]);
    const TRect backRect(c[4], c[5], c[6], c[7]);

    TFont font;
    TBrush brush;
    int height = 0;
    DrawCellText(picture.Canvas(), text, count, &height, clBlack, clWhite, &font, &brush, flags, textRect, backRect);
    DrawCellText(picture.Canvas(), text, count, &height, clBlack, clWhite, &font, &brush,
                 static_cast<WORD>(flags ^ CTF_MEASURE), textRect, backRect);

    const TRect hint = TzqContainerHintWindow::PlaceHint(TPoint(c[0], c[1]), TSize(c[2], c[3]), TRect(0, 0, 1280, 800));
    if (c[2] >= 0 && c[2] <= 1280 && hint.Right > 1280)
        __builtin_trap();
    TPoint pos(c[4], c[5]);
    AdjustPopupPosition(pos, c[6], c[7], count);
    return 0;
}
