// Filling and framing 100,000 small rectangles with captions on a 1920 x 1080 image:
// through the canvas, and through a bare QPainter loop doing the same work (the
// limit the canvas could reach).
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Bitmap_p.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/GraphicsSystem.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kRects = 100000;
constexpr int kWidth = 1920, kHeight = 1080;

struct Box {
    TRect rect;
    std::string caption;
    TColor color;
};

const std::vector<Box>& Boxes()
{
    static const std::vector<Box> boxes = [] {
        std::vector<Box> out;
        out.reserve(kRects);
        for (int i = 0; i < kRects; ++i) {
            const int x = (i * 37) % (kWidth - 64), y = (i * 53) % (kHeight - 20);
            out.push_back({TRect(x, y, x + 64, y + 20), "Node " + std::to_string(i), RGB(uint8_t(i * 7), uint8_t(i * 13), 200)});
        }
        return out;
    }();
    return boxes;
}

void CanvasBoxes(benchmark::State& state)
{
    EnsureGraphicsSystem();
    TBitmap surface(kWidth, kHeight);
    TCanvas* c = surface.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-11);
    c->SetBkMode(TRANSPARENT);
    for (auto _ : state) {
        for (const Box& box : Boxes()) {
            c->Brush()->SetColor(box.color);
            c->FillRect(box.rect);
            c->Brush()->SetColor(clBlack);
            c->FrameRect(box.rect);
            TRect text = box.rect;
            c->SetBkMode(TRANSPARENT);
            c->DrawText(box.caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    state.counters["rects/s"] = benchmark::Counter(double(kRects) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// The two halves of the canvas loop on their own, to show where the time goes.
void CanvasFillAndFrameOnly(benchmark::State& state)
{
    TBitmap surface(kWidth, kHeight);
    TCanvas* c = surface.Canvas();
    for (auto _ : state)
        for (const Box& box : Boxes()) {
            c->Brush()->SetColor(box.color);
            c->FillRect(box.rect);
            c->Brush()->SetColor(clBlack);
            c->FrameRect(box.rect);
        }
}

void CanvasCaptionsOnly(benchmark::State& state)
{
    EnsureGraphicsSystem();
    TBitmap surface(kWidth, kHeight);
    TCanvas* c = surface.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-11);
    for (auto _ : state)
        for (const Box& box : Boxes()) {
            TRect text = box.rect;
            c->SetBkMode(TRANSPARENT);
            c->DrawText(box.caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
}

void BareQPainterBoxes(benchmark::State& state)
{
    EnsureGraphicsSystem();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    for (auto _ : state) {
        QPainter p(&image);
        p.setFont(font);
        for (const Box& box : Boxes()) {
            const QRect r(box.rect.Left, box.rect.Top, box.rect.Width(), box.rect.Height());
            p.fillRect(r, QColor(GetRValue(box.color), GetGValue(box.color), GetBValue(box.color)));
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.drawText(r, Qt::AlignCenter, QString::fromStdString(box.caption));
        }
    }
    state.counters["rects/s"] = benchmark::Counter(double(kRects) * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(CanvasBoxes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CanvasFillAndFrameOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CanvasCaptionsOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BareQPainterBoxes)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
