// In-place editor foundation: painting cells the way a host paints the values it does
// not edit, with the class-level Draw of the editor and DrawCellText for the value.
#include "editors/CellText.h"
#include "editors/InplaceEdit.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kCells = 100000;
constexpr int kCellWidth = 200;
constexpr int kCellHeight = 18;

// 100,000 text cells of 200 x 18 pixels, drawn onto a picture 10 cells wide and 50
// high (so every cell lands on pixels), border, background and text.
void DrawTextCells(benchmark::State& state)
{
    THeadlessDriver driver;
    TBitmap picture(kCellWidth * 4, kCellHeight * 50);
    TCanvas* c = picture.Canvas();
    TFont font;
    TBrush brush;
    brush.SetColor(clWindow);
    std::vector<std::string> values;
    for (int i = 0; i < 1000; ++i)
        values.push_back("Value " + std::to_string(i * 7919));
    TzqEditViewData data;
    data.BorderStyle = TzqEditBorderStyle::xbsNone;
    data.Brush = &brush;
    data.Font = &font;
    const TzqInplaceEditClass& cls = TzqInplaceEdit::StaticClass();
    for (auto _ : state) {
        for (int i = 0; i < kCells; ++i) {
            const int col = i % 4, row = (i / 4) % 50;
            data.Bounds = TRect::FromSize(col * kCellWidth, row * kCellHeight, kCellWidth, kCellHeight);
            TzqEditViewInfo info;
            cls.CalcViewInfo(data, false, info);
            cls.Draw(c, data, nullptr);
            DrawCellText(c, values[size_t(i % 1000)], -1, nullptr, clWindowText, clWindow, &font, &brush,
                         CTF_VCENTER | CTF_TRANSPARENT | CTF_END_ELLIPSIS, info.ClientRect, info.ClientRect);
        }
    }
    // Seconds per cell (printed with its SI prefix: 12.3u is 12.3 microseconds).
    state.counters["per_cell"] = benchmark::Counter(double(kCells) * double(state.iterations()),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(DrawTextCells)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
