// TzqCustomOrgChart: the default drawing of a node's content (image and caption) inside
// its text area.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"

void TzqCustomOrgChart::DrawNode(TzqOcNode* Node, TCanvas* Canvas, const TRect& Rect)
{
    if (OnDrawNode) {
        OnDrawNode(this, Node, Canvas, Rect);
        return;
    }
    TRect textArea = Rect;
    TPoint imagePos;
    if (ImagePosition(Node, textArea, imagePos))
        DrawImage(Node, Canvas, imagePos);
    DrawTextFlags(Canvas, Node->GetText(), 0, textArea);
}

// The image stretched to the scaled size, its transparent pixels showing the canvas's
// current brush colour (the node's fill or the highlight). An index outside the image
// list (values come from tables and streams) draws nothing.
void TzqCustomOrgChart::DrawImage(TzqOcNode* Node, TCanvas* Canvas, const TPoint& Pos)
{
    const int index = Node->m_imageIndex;
    if (!m_images || index < 0 || index >= m_images->Count())
        return;
    const int sourceWidth = m_images->Width();
    const int sourceHeight = m_images->Height();
    const int width = Saturate32(Scale(sourceWidth));
    const int height = Saturate32(Scale(sourceHeight));
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    TBitmap image(sourceWidth, sourceHeight);
    TBitmap mask(sourceWidth, sourceHeight);
    m_images->GetBitmap(index, &image);
    m_images->GetMask(index, &mask);
    const TColor background = ColorToRGB(Canvas->Brush()->Color()) & 0xFFFFFF;
    TBitmap composed(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y) * sourceHeight / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * sourceWidth / width);
            const bool transparent = (mask.Pixel(sx, sy) & 0xFFFFFF) == clWhite;
            composed.SetPixel(x, y, transparent ? background : image.Pixel(sx, sy));
        }
    }
    Canvas->BitBlt(Pos.X, Pos.Y, width, height, composed.Canvas(), 0, 0, SRCCOPY);
}
