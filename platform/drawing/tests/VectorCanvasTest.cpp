// A canvas bound to a vector sink: shapes cover exactly the pixels a bitmap canvas
// paints, text arrives as the same runs at the same places, clip rectangles reach the
// sink only when a drawing needs them, pictures arrive as pictures, groups pass through
// and raster canvases ignore them.
#include "platform/core/Exception.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/VectorCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TRecordingSink : TVectorSink {
    struct Recorded {
        TVectorShape shape;
        bool filled = false;
        bool outlined = false;
        TVectorFill fill;
        TVectorPen pen;
    };
    std::vector<std::vector<TRect>> clips;
    std::vector<Recorded> shapes;
    std::vector<TVectorText> texts;
    std::vector<TVectorImage> images;
    std::vector<std::vector<uint32_t>> imagePixels;
    std::vector<std::string> log;

    void SetClip(const std::vector<TRect>& rects) override
    {
        clips.push_back(rects);
        log.push_back("clip");
    }
    void Shape(const TVectorShape& s) override
    {
        Recorded copy{s, s.Fill != nullptr, s.Pen != nullptr, s.Fill ? *s.Fill : TVectorFill{}, s.Pen ? *s.Pen : TVectorPen{}};
        copy.shape.Fill = nullptr;
        copy.shape.Pen = nullptr;
        shapes.push_back(copy);
        log.push_back("shape");
    }
    void Text(const TVectorText& t) override
    {
        texts.push_back(t);
        log.push_back("text " + t.Text);
    }
    void Image(const TVectorImage& i) override
    {
        images.push_back(i);
        imagePixels.emplace_back(i.Pixels, i.Pixels + size_t(i.Width) * size_t(i.Height));
        log.push_back("image");
    }
    void BeginGroup(const std::string& kind, const std::string& name) override { log.push_back("begin " + kind + " " + name); }
    void EndGroup() override { log.push_back("end"); }
};

// The pixel box (right and bottom exclusive) a recorded shape covers: outlines reach
// half their width past the path (and past the ends with square caps).
TRect CoveredBox(const TRecordingSink::Recorded& s)
{
    TVectorRect b = s.shape.Bounds;
    if (!s.shape.Points.empty()) {
        b = {s.shape.Points[0].X, s.shape.Points[0].Y, s.shape.Points[0].X, s.shape.Points[0].Y};
        for (const TVectorPoint& p : s.shape.Points)
            b = {std::min(b.Left, p.X), std::min(b.Top, p.Y), std::max(b.Right, p.X), std::max(b.Bottom, p.Y)};
    }
    double across = s.outlined ? s.pen.Width / 2 : 0;
    double along = s.outlined && (s.pen.SquareCaps || s.shape.Kind != TVectorShapeKind::Polyline) ? across : 0;
    if (s.shape.Kind == TVectorShapeKind::Polyline && b.Top == b.Bottom)
        return TRect(int(std::lround(b.Left - along)), int(std::lround(b.Top - across)), int(std::lround(b.Right + along)),
                     int(std::lround(b.Bottom + across)));
    if (s.shape.Kind == TVectorShapeKind::Polyline && b.Left == b.Right)
        return TRect(int(std::lround(b.Left - across)), int(std::lround(b.Top - along)), int(std::lround(b.Right + across)),
                     int(std::lround(b.Bottom + along)));
    return TRect(int(std::lround(b.Left - across)), int(std::lround(b.Top - across)), int(std::lround(b.Right + across)),
                 int(std::lround(b.Bottom + across)));
}

// The box of the pixels a bitmap canvas paints other than white.
TRect PaintedBox(const std::function<void(TCanvas&)>& draw)
{
    TBitmap bitmap(120, 120);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect(0, 0, 120, 120));
    draw(*bitmap.Canvas());
    TRect box(1000, 1000, -1000, -1000);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if ((bitmap.Pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box = TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1));
    return box;
}

std::string Show(const TRect& r)
{
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
           std::to_string(r.Bottom) + ")";
}

void UsePen(TCanvas& c, int width)
{
    c.Pen()->SetColor(clBlack);
    c.Pen()->SetWidth(width);
    c.Brush()->SetColor(clRed);
}

} // namespace

TEST(VectorCanvasTest, ShapesCoverThePixelsABitmapCanvasPaints)
{
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> draw;
    };
    const Case cases[] = {
        {"rectangle, thin pen", [](TCanvas& c) { UsePen(c, 1); c.Rectangle(10, 20, 50, 41); }},
        {"rectangle, pen 4", [](TCanvas& c) { UsePen(c, 4); c.Rectangle(10, 20, 50, 41); }},
        {"rectangle, pen 3", [](TCanvas& c) { UsePen(c, 3); c.Rectangle(10, 20, 50, 41); }},
        {"rectangle without pen",
         [](TCanvas& c) { UsePen(c, 1); c.Pen()->SetStyle(TPenStyle::psClear); c.Rectangle(10, 20, 50, 41); }},
        {"round rectangle, pen 2", [](TCanvas& c) { UsePen(c, 2); c.RoundRect(5, 5, 70, 40, 20, 20); }},
        {"ellipse", [](TCanvas& c) { UsePen(c, 1); c.Ellipse(30, 30, 91, 71); }},
        {"fill", [](TCanvas& c) { UsePen(c, 1); c.FillRect(TRect(3, 4, 17, 90)); }},
        {"line across, thin", [](TCanvas& c) { UsePen(c, 1); c.MoveTo(10, 60); c.LineTo(80, 60); }},
        {"line across, leftwards", [](TCanvas& c) { UsePen(c, 1); c.MoveTo(80, 60); c.LineTo(10, 60); }},
        {"line down, pen 3", [](TCanvas& c) { UsePen(c, 3); c.MoveTo(40, 5); c.LineTo(40, 99); }},
        {"line down, pen 4", [](TCanvas& c) { UsePen(c, 4); c.MoveTo(40, 5); c.LineTo(40, 99); }},
        {"diamond", [](TCanvas& c) {
             UsePen(c, 1);
             const TPoint p[] = {{10, 50}, {50, 10}, {89, 50}, {50, 89}};
             c.Polygon(p, 4);
         }},
    };
    for (const Case& c : cases) {
        TRecordingSink sink;
        TVectorCanvas canvas(sink, TRect(0, 0, 120, 120));
        c.draw(canvas);
        ASSERT_FALSE(sink.shapes.empty()) << c.name;
        TRect vector = CoveredBox(sink.shapes[0]);
        for (const auto& s : sink.shapes) {
            const TRect b = CoveredBox(s);
            vector = TRect(std::min(vector.Left, b.Left), std::min(vector.Top, b.Top), std::max(vector.Right, b.Right),
                           std::max(vector.Bottom, b.Bottom));
        }
        EXPECT_EQ(Show(vector), Show(PaintedBox(c.draw))) << c.name;
    }
}

TEST(VectorCanvasTest, ShapesKeepPenAndBrushColoursWidthsAndDashes)
{
    TRecordingSink sink;
    TVectorCanvas canvas(sink, TRect(0, 0, 200, 200));
    canvas.Pen()->SetColor(RGB(10, 20, 30));
    canvas.Pen()->SetWidth(3);
    canvas.Brush()->SetColor(RGB(200, 100, 50));
    canvas.Rectangle(10, 10, 50, 50);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Ellipse(60, 60, 90, 90);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(TPenStyle::psDot);
    canvas.SetBkMode(TRANSPARENT);
    canvas.MoveTo(0, 100);
    canvas.LineTo(100, 100);
    ASSERT_EQ(sink.shapes.size(), 3u);
    EXPECT_TRUE(sink.shapes[0].filled);
    EXPECT_EQ(sink.shapes[0].fill.Color, RGB(200, 100, 50));
    EXPECT_EQ(sink.shapes[0].pen.Color, RGB(10, 20, 30));
    EXPECT_EQ(sink.shapes[0].pen.Width, 3);
    EXPECT_FALSE(sink.shapes[1].filled) << "a clear brush fills nothing";
    EXPECT_EQ(sink.shapes[1].shape.Kind, TVectorShapeKind::Ellipse);
    EXPECT_EQ(sink.shapes[2].pen.Dashes, (std::vector<double>{3, 3}));
}

TEST(VectorCanvasTest, WrappedTextArrivesAsTheBitmapCanvasLinesAtTheirPlaces)
{
    TRecordingSink sink;
    TVectorCanvas canvas(sink, TRect(0, 0, 400, 400));
    canvas.Font()->SetColor(RGB(0, 0, 128));
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    const std::string text = "The quick brown fox jumps over the lazy dog";
    TRect measured(20, 30, 100, 30);
    const int height = canvas.DrawText(text, measured, DT_WORDBREAK | DT_CALCRECT);
    TRect rect(20, 30, 100, 300);
    canvas.DrawText(text, rect, DT_WORDBREAK | DT_CENTER);
    const TEXTMETRIC tm = canvas.GetTextMetrics();
    const int lines = height / tm.tmHeight;
    ASSERT_GT(lines, 2);
    ASSERT_EQ(int(sink.texts.size()), lines);
    std::string joined;
    for (int i = 0; i < lines; ++i) {
        const TVectorText& t = sink.texts[size_t(i)];
        joined += (i ? " " : "") + t.Text;
        EXPECT_EQ(t.Origin.Y, 30 + i * tm.tmHeight + tm.tmAscent) << t.Text;
        EXPECT_EQ(t.Origin.X, 20 + (80 - canvas.TextWidth(t.Text)) / 2) << t.Text;
        EXPECT_LE(t.Width, 80);
        EXPECT_EQ(t.Color, RGB(0, 0, 128));
        EXPECT_GT(t.PixelSize, 0);
        EXPECT_FALSE(t.Family.empty());
    }
    EXPECT_EQ(joined, text);
}

TEST(VectorCanvasTest, ClipsReachTheSinkOnlyWhenADrawingNeedsThem)
{
    TRecordingSink sink;
    TVectorCanvas canvas(sink, TRect(0, 0, 300, 300));
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(TRect(0, 0, 10, 10));
    ASSERT_EQ(sink.clips.size(), 1u);
    EXPECT_TRUE(sink.clips[0].empty()) << "the whole surface";
    canvas.IntersectClipRect(TRect(50, 50, 100, 100));
    canvas.FillRect(TRect(60, 60, 70, 70)); // inside both: no change
    EXPECT_EQ(sink.clips.size(), 1u);
    canvas.FillRect(TRect(0, 0, 10, 10)); // outside: nothing
    EXPECT_EQ(sink.shapes.size(), 2u);
    canvas.FillRect(TRect(40, 40, 80, 80)); // across the edge: clipped
    ASSERT_EQ(sink.clips.size(), 2u);
    ASSERT_EQ(sink.clips[1].size(), 1u);
    EXPECT_EQ(Show(sink.clips[1][0]), Show(TRect(50, 50, 100, 100)));
    EXPECT_EQ(sink.shapes.size(), 3u);
    // Text clipped to its rectangle by DrawText.
    canvas.SelectClipRegion(nullptr);
    TRect cell(10, 200, 30, 220);
    canvas.DrawText("A long caption", cell, 0);
    ASSERT_EQ(sink.clips.size(), 3u);
    EXPECT_EQ(Show(sink.clips[2][0]), Show(cell));
}

TEST(VectorCanvasTest, BitmapsArriveAsPicturesAndGroupsOnlyOnVectorCanvases)
{
    TBitmap picture(2, 2);
    picture.Canvas()->SetPixel(0, 0, clRed);
    picture.Canvas()->SetPixel(1, 0, clLime);
    picture.Canvas()->SetPixel(0, 1, clBlue);
    picture.Canvas()->SetPixel(1, 1, clWhite);
    TRecordingSink sink;
    TVectorCanvas canvas(sink, TRect(0, 0, 100, 100));
    BeginCanvasGroup(&canvas, "node", "Board");
    canvas.BitBlt(10, 20, 2, 2, picture.Canvas(), 0, 0, SRCCOPY);
    canvas.StretchDraw(TRect(40, 40, 48, 44), &picture);
    EndCanvasGroup(&canvas);
    ASSERT_EQ(sink.images.size(), 2u);
    EXPECT_EQ(sink.images[0].Width, 2);
    EXPECT_EQ(sink.images[0].Dest.Left, 10);
    EXPECT_EQ(sink.images[0].Dest.Bottom, 22);
    EXPECT_EQ(sink.imagePixels[0], (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}));
    EXPECT_EQ(sink.images[1].Dest.Right, 48);
    EXPECT_EQ(sink.images[1].Dest.Bottom, 44);
    EXPECT_EQ(sink.log.front(), "begin node Board");
    EXPECT_EQ(sink.log.back(), "end");
    EXPECT_TRUE(IsVectorCanvas(&canvas));
    EXPECT_EQ(canvas.Pixel(10, 20), CLR_INVALID);
    EXPECT_THROW(picture.Canvas()->BitBlt(0, 0, 1, 1, &canvas, 0, 0, SRCCOPY), EPlatformError)
        << "a vector canvas is no source";

    TBitmap raster(10, 10);
    EXPECT_FALSE(IsVectorCanvas(raster.Canvas()));
    EXPECT_NO_THROW(BeginCanvasGroup(raster.Canvas(), "node", "x"));
    EXPECT_NO_THROW(EndCanvasGroup(raster.Canvas()));
}

TEST(VectorCanvasTest, ImageListPicturesArriveWithTheirClearPixelsTransparent)
{
    TBitmap strip(2, 1);
    strip.Canvas()->SetPixel(0, 0, clFuchsia); // the mask colour
    strip.Canvas()->SetPixel(1, 0, clNavy);
    TImageList list(2, 1);
    list.AddMasked(&strip, clFuchsia);
    TRecordingSink sink;
    TVectorCanvas canvas(sink, TRect(0, 0, 50, 50));
    list.Draw(&canvas, 7, 9, 0, true);
    ASSERT_EQ(sink.images.size(), 1u);
    EXPECT_EQ(sink.images[0].Dest.Left, 7);
    EXPECT_EQ(sink.images[0].Dest.Top, 9);
    EXPECT_TRUE(sink.images[0].HasAlpha);
    ASSERT_EQ(sink.imagePixels[0].size(), 2u);
    EXPECT_EQ(sink.imagePixels[0][0] >> 24, 0u) << "clear";
    EXPECT_EQ(sink.imagePixels[0][1], 0xFF000080u) << "navy, opaque";
}
