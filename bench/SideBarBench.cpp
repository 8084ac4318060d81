// Side bar benchmarks: one paint of a 124 x 600 side bar showing a group of 100,000
// items scrolled to item 50,000 (with the layout held, and laid out again first), and
// cutting a 100,000-character header caption to the width of a header.
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarCaption.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct Window {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqSideBar* bar = nullptr;
    TImageList images{32, 32};

    Window(int w, int h)
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, w, h);
        bar = new TzqSideBar(form);
        bar->SetAlign(TAlign::alNone);
        bar->SetParent(form);
        bar->SetBounds(0, 0, w, h);
        TBitmap icon(32, 32);
        icon.Fill(clNavy);
        images.Add(&icon, nullptr);
        bar->SetLargeImages(&images);
        form->Show();
        driver.Pump();
    }
    ~Window() { bar->SetLargeImages(nullptr); }
};

void FillLargeGroup(TzqSideBar* bar)
{
    bar->Groups()->Add()->SetCaption("Shortcuts");
    TzqSideGroup* group = bar->Groups()->Add();
    group->SetCaption("Many");
    bar->Groups()->Add()->SetCaption("Other");
    group->Items()->BeginUpdate();
    for (int i = 0; i < 100000; ++i) {
        TzqSideBarItem* item = group->Items()->Add();
        item->SetCaption("Item " + std::to_string(i));
        item->SetLargeImage(0);
    }
    group->Items()->EndUpdate();
    bar->SetActiveGroup(group);
    group->SetTopItemIndex(50000);
}

void BM_PaintLargeGroupScrolled(benchmark::State& state)
{
    const bool relayout = state.range(0) != 0;
    Window window(124, 600);
    FillLargeGroup(window.bar);
    window.driver.PaintAll();
    for (auto _ : state) {
        if (relayout)
            window.bar->ActiveItemsChanged();
        window.bar->Invalidate();
        window.driver.PaintAll();
    }
    state.counters["items_placed"] = window.bar->ViewInfo()->ItemCount();
}
BENCHMARK(BM_PaintLargeGroupScrolled)->ArgName("relayout")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FitHugeHeaderCaption(benchmark::State& state)
{
    const std::string caption(100000, 'W');
    TCanvas canvas;
    std::string fitted;
    for (auto _ : state) {
        fitted = FitCaption(canvas, caption, 120);
        benchmark::DoNotOptimize(fitted);
    }
    state.counters["kept_bytes"] = static_cast<double>(fitted.size());
}
BENCHMARK(BM_FitHugeHeaderCaption)->Unit(benchmark::kMicrosecond);

void BM_PaintHugeHeaderCaption(benchmark::State& state)
{
    Window window(124, 600);
    window.bar->Groups()->Add()->SetCaption(std::string(100000, 'W'));
    window.driver.PaintAll();
    for (auto _ : state) {
        window.bar->Invalidate();
        window.driver.PaintAll();
    }
}
BENCHMARK(BM_PaintHugeHeaderCaption)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
