// Menus that must stay quick with many commands:
// - opening a submenu of 500 links from the main menu bar: the opening sequence, the
//   build, the layout, cutting it to the screen, the first paint, and closing it again;
// - one key press and release through the keyboard hook with 10,000 items in 200
//   submenus of the main menu bar and a toolbar, none of them answering the key (the
//   whole shortcut search, then the focused control gets it).
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarControl.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarSubItem.h"
#include "bars/BarSubMenuControl.h"
#include "bars/Bars.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/ShortCuts.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct MenusWorld {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqBarManager* manager = nullptr;
    TzqBar* main = nullptr;

    MenusWorld()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBounds(40, 40, 640, 420);
        form->Show();
        SetActiveWindow(form->Handle());
        manager = new TzqBarManager(form);
        manager->SetMenusShowRecentItemsFirst(false);
        main = manager->Bars()->Add();
        main->SetCaption("Main Menu");
    }
    TzqBarSubItem* Menu(int links, const std::string& prefix)
    {
        auto* menu = new TzqBarSubItem(form);
        menu->SetCategory(0);
        menu->SetCaption("&" + prefix);
        main->ItemLinks()->Add()->SetItem(menu);
        for (int i = 0; i < links; ++i) {
            auto* button = new TzqBarButton(form);
            button->SetCategory(0);
            button->SetCaption(prefix + " command " + std::to_string(i));
            button->SetShortCut(ShortCut(WORD('A' + (i % 26)), {TShiftStateFlag::ssCtrl, TShiftStateFlag::ssShift}));
            TzqBarItemLink* link = menu->ItemLinks()->Add();
            link->SetItem(button);
            link->SetBeginGroup(i % 10 == 0);
        }
        return menu;
    }
    void Show()
    {
        main->SetIsMainMenu(true);
        main->SetDockingStyle(TzqBarDockingStyle::dsTop);
        main->SetVisible(true);
        driver.Pump();
    }
    TzqBarControl* Bar() const { return static_cast<TzqBarControl*>(main->Control()); }
};

void OpenSubmenuOf500Links(benchmark::State& state)
{
    MenusWorld world;
    world.Menu(500, "Big");
    world.Show();
    TzqBarItemControl* opener = world.Bar()->ItemControls(0);
    for (auto _ : state) {
        opener->DropDown(false);
        world.driver.PaintAll();
        auto* menu = static_cast<TzqBarSubMenuControl*>(TzqBarMenuChain::Head());
        if (!menu || !menu->Cut() || menu->ItemControlCount() != 500)
            state.SkipWithError("the menu did not open cut with its 500 links");
        world.Bar()->HideAll();
        world.driver.Pump();
    }
}
BENCHMARK(OpenSubmenuOf500Links)->Unit(benchmark::kMillisecond);

void KeyThroughTheHooksWith10000Items(benchmark::State& state)
{
    MenusWorld world;
    for (int m = 0; m < 199; ++m)
        world.Menu(50, "M" + std::to_string(m));
    world.Show();
    TzqBar* tools = world.manager->Bars()->Add();
    tools->SetCaption("Tools");
    for (int i = 0; i < 50; ++i) {
        auto* button = new TzqBarButton(world.form);
        button->SetCategory(0);
        tools->ItemLinks()->Add()->SetItem(button);
    }
    tools->SetDockingStyle(TzqBarDockingStyle::dsTop);
    tools->SetRow(1);
    tools->SetVisible(true);
    world.driver.Pump();
    if (world.manager->ItemCount() < 10000)
        state.SkipWithError("fewer than 10,000 items");
    for (auto _ : state) {
        world.driver.KeyDown(VK_F12);
        world.driver.KeyUp(VK_F12);
    }
}
BENCHMARK(KeyThroughTheHooksWith10000Items)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
