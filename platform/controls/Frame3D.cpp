#include "platform/controls/Frame3D.h"

#include "platform/drawing/Canvas.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        FillRectColor(canvas, TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), topLeft);
        FillRectColor(canvas, TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), topLeft);
        FillRectColor(canvas, TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), bottomRight);
        FillRectColor(canvas, TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), bottomRight);
        rect = rect.Inflate(-1, -1);
    }
}
