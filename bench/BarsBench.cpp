// The bar manager's two searches that must stay fast with many commands:
// - a shortcut nobody has, looked up through 10,000 items in 200 submenus of a bar (the
//   walk a key press makes before it goes to the focused control);
// - switching the visibility of a category of 5,000 items that are linked in one menu,
//   which rebuilds the menu's lists and moves every link in its recent order.
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
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

} // namespace

BENCHMARK_MAIN();
