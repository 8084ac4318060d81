// The main window's menu bar and toolbar as bar windows: docked at the top, floating,
// the menu bar on the left, truncated and with large icons, in the three styles;
// pictures are saved beside the build for people to look at.
#include "demo/MainFormBars.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Brush.h"
#include "platform/window/WinApi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#ifndef VELMORA_BINARY_DIR
#define VELMORA_BINARY_DIR "."
#endif

namespace {

const std::pair<TzqBarManagerStyle, const char*> kStyles[] = {
    {TzqBarManagerStyle::bmsStandard, "standard"},
    {TzqBarManagerStyle::bmsEnhanced, "enhanced"},
    {TzqBarManagerStyle::bmsFlat, "flat"},
};

class MainFormBarsPicturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBounds(30, 30, 520, 240);
        form->Show();
        SetActiveWindow(form->Handle());
        bars = new TzqBarManager(form);
        bars->ReadDefinition(DefineMainFormBars);
        menu = bars->BarByName("Main Menu");
        toolbar = bars->BarByName("OrgChart Toolbar");
        driver.Pump();
    }
    void TearDown() override { app.reset(); }

    static TzqBarControl* Window(TzqBar* bar) { return static_cast<TzqBarControl*>(bar->Control()); }
    void Save(HWND window, const std::string& name)
    {
        driver.PaintAll();
        ASSERT_TRUE(driver.SavePng(window, std::string(VELMORA_BINARY_DIR) + "/bars-" + name + ".png"));
    }
    // A pixel of a docked bar's client area as the form shows it.
    TColor Shown(TzqBarControl* bar, TPoint client)
    {
        driver.PaintAll();
        const TPoint screen = bar->ClientToScreen(client);
        const TPoint inForm{screen.X - form->Left(), screen.Y - form->Top()};
        return WindowSurface(form->Handle())->Pixel(inForm.X, inForm.Y) & 0xFFFFFF;
    }

    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqBarManager* bars = nullptr;
    TzqBar* menu = nullptr;
    TzqBar* toolbar = nullptr;
};

TEST_F(MainFormBarsPicturesTest, TheMenuBarAndToolbarDockAtTheTopInEachStyle)
{
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(toolbar, nullptr);
    TzqDockControl* top = bars->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    for (auto [style, name] : kStyles) {
        bars->SetStyle(style);
        ASSERT_NE(Window(menu), nullptr);
        ASSERT_NE(Window(toolbar), nullptr);
        // The menu bar takes its whole row, the toolbar sits in the next one.
        EXPECT_EQ(Window(menu)->Width(), top->ClientWidth()) << name;
        EXPECT_EQ(Window(menu)->Top(), 0) << name;
        EXPECT_EQ(Window(toolbar)->Top(), Window(menu)->Height()) << name;
        EXPECT_EQ(top->Height(), Window(menu)->Height() + Window(toolbar)->Height()) << name;
        EXPECT_EQ(Window(toolbar)->ItemControlCount(), 6) << name;
        // The toolbar's face: the light flat background in the flat style, the button face
        // otherwise; the menu bar keeps the button face.
        const TRect client = Window(toolbar)->ClientRect();
        const TColor toolbarFace = Shown(Window(toolbar), {client.Right - 14, client.Bottom - 2});
        const TColor expected = style == TzqBarManagerStyle::bmsFlat ? ColorToRGB(bars->FlatMenuBrush()->Color())
                                                                     : ColorToRGB(clBtnFace);
        EXPECT_EQ(toolbarFace, expected) << name;
        EXPECT_EQ(Shown(Window(menu), {Window(menu)->ClientRect().Right - 3, 2}), ColorToRGB(clBtnFace)) << name;
        Save(form->Handle(), std::string("top-") + name);
    }
}

TEST_F(MainFormBarsPicturesTest, TheToolbarFloatsInEachStyle)
{
    toolbar->SetFloatClientWidth(0);
    toolbar->SetDockingStyle(TzqBarDockingStyle::dsNone);
    for (auto [style, name] : kStyles) {
        bars->SetStyle(style);
        TzqBarControl* window = Window(toolbar);
        ASSERT_TRUE(window->Floating());
        EXPECT_TRUE(IsWindowVisible(window->Handle()));
        EXPECT_EQ(window->ItemControlCount(), 6);
        Save(window->Handle(), std::string("floating-") + name);
    }
}

TEST_F(MainFormBarsPicturesTest, TheMenuBarDockedLeftTurnsItsCaptions)
{
    form->SetBounds(30, 30, 420, 300);
    menu->SetDockingStyle(TzqBarDockingStyle::dsLeft);
    TzqBarControl* window = Window(menu);
    ASSERT_TRUE(window->Vertical());
    ASSERT_TRUE(window->Rotated());
    ASSERT_GE(window->ItemControlCount(), 4);
    for (int i = 0; i < window->ItemControlCount(); ++i)
        EXPECT_GT(window->ItemControls(i)->Rect().Height(), window->ItemControls(i)->Rect().Width()) << i;
    Save(form->Handle(), "menu-left-rotated");
}

TEST_F(MainFormBarsPicturesTest, ANarrowWindowTruncatesTheToolbarWithChevrons)
{
    toolbar->SetUseRecentItems(false);
    form->SetClientWidth(110);
    EXPECT_TRUE(Window(toolbar)->Truncated());
    EXPECT_TRUE(Window(toolbar)->MarkShown());
    EXPECT_LT(Window(toolbar)->ItemControlCount(), 6);
    for (auto [style, name] : kStyles) {
        bars->SetStyle(style);
        Save(form->Handle(), std::string("truncated-") + name);
    }
}

TEST_F(MainFormBarsPicturesTest, LargeIconsDoubleTheButtons)
{
    bars->SetLargeIcons(true);
    TzqBarControl* window = Window(toolbar);
    ASSERT_EQ(window->ItemControlCount(), 6);
    EXPECT_EQ(window->ItemControls(0)->Rect().Width(), 32 + 7);
    EXPECT_EQ(window->ItemControls(0)->Rect().Height(), 32 + 6);
    Save(form->Handle(), "large-icons");
}

} // namespace
