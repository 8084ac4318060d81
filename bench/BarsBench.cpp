// The bar manager's two searches that must stay fast with many commands:
// - a shortcut nobody has, looked up through 10,000 items in 200 submenus of a bar (the
//   walk a key press makes before it goes to the focused control);
// - switching the visibility of a category of 5,000 items that are linked in one menu,
//   which rebuilds the menu's lists and moves every link in its recent order;
// and one step of a bar drag over a site of 50 toolbars of 20 buttons in 10 rows: the
// row layout, the windows that moved, and the repaint.
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarControl.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/controls/Application.h"
#include "platform/core/VirtualKeys.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct BarsWorld {
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqBarManager* manager = nullptr;

    BarsWorld()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        manager = new TzqBarManager(form);
        manager->SetStyle(TzqBarManagerStyle::bmsFlat);
    }
};

void FindShortCutUnassigned(benchmark::State& state)
{
    BarsWorld world;
    const int menus = 200, perMenu = 50;
    TzqBar* bar = world.manager->Bars()->Add();
    bar->SetCaption("Main");
    for (int m = 0; m < menus; ++m) {
        auto* menu = new TzqBarSubItem(world.form);
        menu->SetCategory(0);
        bar->ItemLinks()->Add()->SetItem(menu);
        for (int i = 0; i < perMenu; ++i) {
            auto* button = new TzqBarButton(world.form);
            button->SetCategory(0);
            button->SetShortCut(ShortCut(WORD('A' + (i % 26)), {TShiftStateFlag::ssCtrl}));
            menu->ItemLinks()->Add()->SetItem(button);
        }
    }
    const TShortCut unassigned = ShortCut(VK_F12, {TShiftStateFlag::ssCtrl, TShiftStateFlag::ssAlt});
    for (auto _ : state)
        benchmark::DoNotOptimize(bar->ItemLinks()->FindShortCut(unassigned));
    state.counters["items"] = menus * perMenu;
}
BENCHMARK(FindShortCutUnassigned)->Unit(benchmark::kMicrosecond);

void SwitchCategoryItemsVisible(benchmark::State& state)
{
    BarsWorld world;
    const int count = 5000;
    auto* menu = new TzqBarSubItem(world.form);
    menu->SetCategory(0);
    world.manager->Categories()->Add("Commands");
    for (int i = 0; i < count; ++i) {
        auto* button = new TzqBarButton(world.form);
        button->SetCategory(1);
        menu->ItemLinks()->Add()->SetItem(button);
    }
    bool shown = true;
    for (auto _ : state) {
        shown = !shown;
        world.manager->SetCategoryItemsVisible(1, shown ? TzqBarItemVisible::ivAlways : TzqBarItemVisible::ivNever);
        benchmark::DoNotOptimize(menu->ItemLinks()->VisibleCount());
    }
    state.counters["items"] = count;
}
BENCHMARK(SwitchCategoryItemsVisible)->Unit(benchmark::kMillisecond);

void DragStepOverFiftyToolbars(benchmark::State& state)
{
    THeadlessDriver driver;
    BarsWorld world;
    world.form->SetBounds(0, 0, 1280, 400);
    world.form->Show();
    TBitmap glyph(16, 16);
    glyph.Fill(clFuchsia);
    FillRectColor(glyph.Canvas(), TRect(2, 2, 14, 14), clNavy);
    TzqBar* dragged = nullptr;
    {
        TzqBarManagerLock lock(world.manager);
        for (int b = 0; b < 50; ++b) {
            TzqBar* bar = world.manager->Bars()->Add();
            bar->SetCaption("Toolbar " + std::to_string(b));
            for (int i = 0; i < 20; ++i) {
                auto* button = new TzqBarButton(world.form);
                button->SetCategory(0);
                button->SetGlyph(&glyph);
                bar->ItemLinks()->Add()->SetItem(button);
            }
            bar->SetRow(b / 5);
            bar->SetDockedLeft((b % 5) * 250);
            bar->SetDockingStyle(TzqBarDockingStyle::dsTop);
            bar->SetVisible(true);
            if (b == 22)
                dragged = bar;
        }
    }
    driver.PaintAll();
    auto* control = static_cast<TzqBarControl*>(dragged->Control());
    TzqDockControl* site = world.manager->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    int row = 0, col = 0;
    site->Find(control, row, col);
    const int across = site->RowMiddle(row);
    control->SetMoving(true);
    int step = 0;
    for (auto _ : state) {
        // Along its row, to and fro: every bar of the row is placed again.
        const int x = 200 + (step++ % 2) * 300;
        site->DockBarAt(control, site->ClientToScreen(TPoint{x, across}), TPoint{5, 5});
        driver.PaintAll();
    }
    control->SetMoving(false);
    state.counters["bars"] = 50;
    state.counters["rows"] = site->RowCount();
}
BENCHMARK(DragStepOverFiftyToolbars)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
