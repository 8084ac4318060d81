// Side bar benchmarks: one paint of a 124 x 600 side bar showing a group of 100,000
// items scrolled to item 50,000 (with the layout held, and laid out again first),
// cutting a 100,000-character header caption to the width of a header, and the
// registry store: 100 groups of 1,000 items written and read, and a hostile item count.
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/settings/Registry.h"
#include "platform/settings/UserStore.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarCaption.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroups.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
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

// The registry store: a private store file for the run.
struct TemporaryStore {
    std::string folder;
    TemporaryStore()
    {
        char pattern[] = "/tmp/sidebar-bench-XXXXXX";
        folder = mkdtemp(pattern);
        TUserStore::SetDefaultFile(folder + "/user-settings");
    }
    ~TemporaryStore()
    {
        TUserStore::SetDefaultFile("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

std::unique_ptr<TzqSideBar> LoadedFromRegistry(const std::string& path)
{
    auto bar = std::make_unique<TzqSideBar>(nullptr);
    bar->BeginLoading();
    bar->SetRegistryPath(path);
    bar->SetStoreInRegistry(true);
    bar->EndLoading();
    bar->SetStoreInRegistry(false);
    return bar;
}

// Writing 100 groups of 1,000 items (as the side bar does on destruction), then reading
// them back in loading. Only the writing and the reading are timed: making the items
// and destroying the side bars are not; write_ms and read_ms split the time.
void BM_RegistryWriteThenRead(benchmark::State& state)
{
    TemporaryStore store;
    int itemsRead = 0;
    double writeMs = 0, readMs = 0;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    for (auto _ : state) {
        state.PauseTiming();
        auto bar = std::make_unique<TzqSideBar>(nullptr);
        bar->SetRegistryPath("Soft\\SideBar");
        for (int i = 0; i < 100; ++i) {
            TzqSideGroup* group = bar->Groups()->Add();
            group->SetCaption("Group " + std::to_string(i));
            group->Items()->BeginUpdate();
            for (int j = 0; j < 1000; ++j) {
                TzqSideBarItem* item = group->Items()->Add();
                item->SetCaption("Item " + std::to_string(j));
                item->SetHint("Short|Long hint of item " + std::to_string(j));
                item->SetLargeImage(j % 10);
                item->SetTag(j);
            }
            group->Items()->EndUpdate();
        }
        state.ResumeTiming();
        const auto written = Clock::now();
        bar->SaveToRegistry(); // flushed to the file when its registry object goes
        writeMs += ms(Clock::now() - written);
        state.PauseTiming();
        bar.reset();
        state.ResumeTiming();
        const auto read = Clock::now();
        auto loaded = LoadedFromRegistry("Soft\\SideBar");
        readMs += ms(Clock::now() - read);
        state.PauseTiming();
        itemsRead = loaded->Groups()->Count() * loaded->Groups()->Items(0)->Items()->Count();
        loaded.reset();
        state.ResumeTiming();
    }
    state.counters["items_read"] = itemsRead;
    state.counters["write_ms"] = writeMs / double(state.iterations());
    state.counters["read_ms"] = readMs / double(state.iterations());
}
BENCHMARK(BM_RegistryWriteThenRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// A hostile store: "ItemCount" of 2,000,000,000 with three item keys.
void BM_RegistryHostileItemCount(benchmark::State& state)
{
    TemporaryStore store;
    {
        TRegistry reg;
        reg.OpenKey("\\Hostile", true);
        reg.WriteInteger("GroupCount", 1);
        reg.OpenKey("\\Hostile\\Group0", true);
        reg.WriteInteger("IconType", 0);
        reg.WriteInteger("ItemCount", 2000000000);
        for (int j : {0, 1000, 1999999999}) {
            reg.OpenKey("\\Hostile\\Group0\\Item" + std::to_string(j), true);
            reg.WriteString("Caption", "Item");
            reg.WriteBool("IsDefault", false);
            reg.WriteInteger("LargeImage", 0);
            reg.WriteInteger("SmallImage", 0);
            reg.WriteInteger("Tag", 0);
        }
    }
    int itemsRead = 0;
    for (auto _ : state) {
        auto bar = LoadedFromRegistry("\\Hostile");
        itemsRead = bar->Groups()->Items(0)->Items()->Count();
    }
    state.counters["items_read"] = itemsRead;
}
BENCHMARK(BM_RegistryHostileItemCount)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
