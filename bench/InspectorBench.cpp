// Inspector benchmarks on a shown 300 x 600 inspector holding 10,000 rows in 100
// categories: measuring the metrics, applying a layout stream that orders and nests all
// 10,100 rows (two streams in turn, so every run really reorders), and the relayout
// after one row's height changed. Painting: a full paint of a 400 x 1000 categorized
// inspector with 10,000 rows beside one with 100, and a scroll by one line with its
// paint.
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorLayoutData.h"
#include "inspector/InspectorTextRow.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/Messages.h"
#include "platform/window/WinApi.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCategories = 100;
constexpr int kRowsPerCategory = 100;

struct Window {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TCustomzqInspectorControl* inspector = nullptr;
    std::vector<TzqInspectorTextRow*> categories;
    std::vector<TzqInspectorTextRow*> rows;
    int categoryCount;
    int rowsPerCategory;

    explicit Window(int categoryCount_ = kCategories, int rowsPerCategory_ = kRowsPerCategory, int width = 300,
                    int height = 600)
        : categoryCount(categoryCount_), rowsPerCategory(rowsPerCategory_)
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, width, height);
        inspector = new TCustomzqInspectorControl(form);
        inspector->SetName("Inspector1");
        inspector->SetParent(form);
        inspector->SetBounds(0, 0, width, height);
        form->Show();
        driver.Pump();
        inspector->BeginUpdate();
        for (int c = 0; c < categoryCount; ++c) {
            auto* category = new TzqInspectorTextRow(form);
            category->SetName("Category" + std::to_string(c));
            category->SetCaption("Category " + std::to_string(c));
            category->SetIsCategory(true);
            category->SetInspector(inspector);
            categories.push_back(category);
            for (int r = 0; r < rowsPerCategory; ++r) {
                auto* row = new TzqInspectorTextRow(form);
                row->SetName("Row" + std::to_string(c) + "_" + std::to_string(r));
                row->SetCaption("Property " + std::to_string(r));
                row->SetText("Value " + std::to_string(c * rowsPerCategory + r));
                row->SetInspector(inspector);
                rows.push_back(row);
            }
        }
        inspector->EndUpdate();
        inspector->ApplyLayoutData(Layout(false));
        driver.PaintAll();
    }

    // Every category with its rows below it, expanded; reversed: the categories and
    // their rows in the opposite order.
    TzqInspectorLayoutData Layout(bool reversed) const
    {
        TzqInspectorLayoutData data;
        data.HasExpandedSection = true;
        for (int i = 0; i < categoryCount; ++i) {
            const int c = reversed ? categoryCount - 1 - i : i;
            data.Nodes.push_back({categories[static_cast<size_t>(c)]->Name(), static_cast<uint32_t>(rowsPerCategory)});
            for (int j = 0; j < rowsPerCategory; ++j) {
                const int r = reversed ? rowsPerCategory - 1 - j : j;
                data.Nodes.push_back({rows[static_cast<size_t>(c * rowsPerCategory + r)]->Name(), 0});
            }
            data.Expanded.push_back(categories[static_cast<size_t>(c)]->Name());
        }
        return data;
    }
};

void BM_Metrics(benchmark::State& state)
{
    Window window;
    for (auto _ : state)
        window.inspector->RefreshMetrics();
    state.counters["lines"] = window.inspector->LineCount();
}
BENCHMARK(BM_Metrics)->Unit(benchmark::kMillisecond);

void BM_ApplyStream(benchmark::State& state)
{
    Window window;
    const std::vector<uint8_t> streams[2] = {WriteInspectorLayout(window.Layout(true)),
                                             WriteInspectorLayout(window.Layout(false))};
    int turn = 0;
    for (auto _ : state) {
        window.inspector->ReadData(streams[turn]);
        turn ^= 1;
    }
    state.counters["bytes"] = static_cast<double>(streams[0].size());
}
BENCHMARK(BM_ApplyStream)->Unit(benchmark::kMillisecond);

void BM_RelayoutAfterOneRowHeight(benchmark::State& state)
{
    Window window;
    TzqInspectorTextRow* row = window.rows[5000];
    const int standard = window.inspector->RowHeight();
    bool tall = false;
    for (auto _ : state) {
        tall = !tall;
        row->SetRowHeight(tall ? standard + 20 : standard);
    }
}
BENCHMARK(BM_RelayoutAfterOneRowHeight)->Unit(benchmark::kMicrosecond);

// A full paint of a 400 x 1000 categorized inspector: 100 categories of 100 rows
// (argument 10000) or one category of 100 rows (argument 100).
void BM_FullPaintCategorized(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    Window window(rows >= 10000 ? 100 : 1, rows >= 10000 ? 100 : rows, 400, 1000);
    window.inspector->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    window.driver.PaintAll();
    for (auto _ : state) {
        window.inspector->Invalidate();
        window.driver.PaintAll();
    }
    state.counters["lines in view"] = window.inspector->VisibleLineCount();
}
BENCHMARK(BM_FullPaintCategorized)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// One line down (then back up at the end of the list) with the paint that follows.
void BM_LineScrollWithPaint(benchmark::State& state)
{
    Window window(100, 100, 400, 1000);
    window.inspector->SetPaintStyle(TzqInspectorPaintStyle::ipsCategorized);
    window.driver.PaintAll();
    const HWND h = window.inspector->Handle();
    bool down = true;
    for (auto _ : state) {
        const int before = window.inspector->TopIndex();
        SendMessage(h, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
        if (window.inspector->TopIndex() == before)
            down = !down;
        window.driver.PaintAll();
    }
}
BENCHMARK(BM_LineScrollWithPaint)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
