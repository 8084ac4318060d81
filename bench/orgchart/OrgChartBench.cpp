// Org chart benchmarks: measuring a fully expanded tree of one million nodes from cold
// caches (and the memory each node takes), repainting a full-HD client showing part of
// it, and repainting a 100,000-node chart zoomed to fit.
#include "orgchart/OrgChart.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/window/WinApi.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace {

// A tree of `count` nodes, every node with up to `fanout` children, breadth first.
void BuildTree(TzqCustomOrgChart& chart, int count, int fanout)
{
    std::vector<TzqOcNode*> level{chart.AddChild(nullptr, 0)};
    int made = 1;
    size_t next = 0;
    while (made < count) {
        TzqOcNode* parent = level[next++];
        for (int i = 0; i < fanout && made < count; ++i, ++made)
            level.push_back(chart.AddChild(parent, 0));
    }
}

void BM_TotalSizeFromColdCaches(benchmark::State& state)
{
    TzqOrgChart chart(nullptr);
    const size_t before = mallinfo2().uordblks;
    BuildTree(chart, 1000000, 4);
    const size_t after = mallinfo2().uordblks;
    chart.FullExpand();
    for (auto _ : state) {
        state.PauseTiming();
        chart.SetLineWidth(chart.LineWidth() == 1 ? 2 : 1); // drops every cache
        state.ResumeTiming();
        benchmark::DoNotOptimize(chart.TotalWidth());
        benchmark::DoNotOptimize(chart.TotalHeight());
    }
    state.counters["bytes_per_node"] = static_cast<double>(after - before) / 1000000.0;
}
BENCHMARK(BM_TotalSizeFromColdCaches)->Unit(benchmark::kMillisecond);

struct Window {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqOrgChart* chart = nullptr;

    Window(int w, int h)
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, w, h);
        chart = new TzqOrgChart(form);
        chart->SetParent(form);
        chart->SetBounds(0, 0, w, h);
        form->Show();
        driver.Pump();
    }
    void Repaint()
    {
        chart->Invalidate();
        driver.PaintAll();
    }
};

void BM_RepaintFullHdOfMillionNodeChart(benchmark::State& state)
{
    Window window(1920, 1080);
    BuildTree(*window.chart, static_cast<int>(state.range(0)), 4);
    window.chart->FullExpand();
    window.driver.PaintAll();
    // Somewhere in the middle of the drawing.
    window.chart->ScrollTo(window.chart->TotalWidth() / 2, window.chart->TotalHeight() / 2);
    for (auto _ : state)
        window.Repaint();
    state.counters["nodes"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RepaintFullHdOfMillionNodeChart)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RepaintZoomedToFit(benchmark::State& state)
{
    Window window(1920, 1080);
    BuildTree(*window.chart, 100000, 4);
    window.chart->FullExpand();
    window.chart->SetZoom(true);
    window.driver.PaintAll();
    for (auto _ : state)
        window.Repaint();
}
BENCHMARK(BM_RepaintZoomedToFit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
