// The main window's menus and toolbar, read through the bar manager as the window
// reads them: the configuration as defined, the keys that reach its commands, and a
// reset back to it.
#include "demo/MainFormBars.h"

#include "bars/Bar.h"
#include "bars/BarControl.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarPopupMenuLinks.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "bars/DockControl.h"
#include "platform/controls/Application.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/controls/ShortCuts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainFormBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBounds(0, 0, 646, 422);
        bars = new TzqBarManager(form);
        bars->ReadDefinition(DefineMainFormBars);
    }
    void TearDown() override
    {
        SetMessageBoxHandler(nullptr);
        app.reset();
    }

    TzqBarButton* Button(const char* name) { return dynamic_cast<TzqBarButton*>(bars->ItemByName(name)); }
    TzqBarSubItem* Menu(const char* name) { return dynamic_cast<TzqBarSubItem*>(bars->ItemByName(name)); }

    static std::vector<std::string> LinkedNames(TzqBarItemLinks* links)
    {
        std::vector<std::string> names;
        for (int i = 0; i < links->Count(); ++i)
            names.push_back(links->Items(i)->Item()->Name() + (links->Items(i)->BeginGroupFlag() ? "|" : ""));
        return names;
    }

    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TzqBarManager* bars = nullptr;
};

TEST_F(MainFormBarsTest, TheManagerHoldsTheWindowsCategoriesAndBars)
{
    EXPECT_EQ(bars->Style(), TzqBarManagerStyle::bmsFlat);
    EXPECT_TRUE(bars->UseSystemFont());
    EXPECT_EQ(bars->Categories()->ToVector(), (std::vector<std::string>{"Menus", "File", "Edit", "View"}));
    EXPECT_EQ(bars->Categories()->ItemsVisibles(), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_EQ(bars->Categories()->Visibles(), (std::vector<bool>{true, true, true, true}));
    // The stored heights give way to the rows of the bars shown: the top site is as high
    // as the menu bar and the toolbar.
    const std::array<int, 4> heights = bars->DockControlHeights();
    EXPECT_EQ(heights[0], 0);
    EXPECT_EQ(heights[1], 0);
    EXPECT_EQ(heights[2], bars->Bars()->DockSite(TzqBarDockingStyle::dsTop)->RowsSize());
    EXPECT_EQ(heights[3], 0);
    EXPECT_EQ(bars->PopupMenuLinks()->Count(), 0);

    ASSERT_EQ(bars->Bars()->Count(), 2);
    TzqBar* mainMenu = bars->Bars()->Items(0);
    TzqBar* toolbar = bars->Bars()->Items(1);
    EXPECT_EQ(mainMenu->Caption(), "Main Menu");
    EXPECT_EQ(bars->MainMenuBar(), mainMenu);
    EXPECT_TRUE(mainMenu->WholeRow());
    EXPECT_TRUE(mainMenu->MultiLine());
    EXPECT_TRUE(mainMenu->OneOnRow());
    EXPECT_EQ(mainMenu->Row(), 0);
    EXPECT_EQ(mainMenu->FloatLeft(), 396);
    EXPECT_EQ(mainMenu->FloatTop(), 286);
    EXPECT_EQ(LinkedNames(mainMenu->ItemLinks()), (std::vector<std::string>{"bsFile", "bsEdit", "sbView", "bbOptions"}));

    EXPECT_EQ(toolbar->Caption(), "OrgChart Toolbar");
    EXPECT_FALSE(toolbar->WholeRow());
    EXPECT_TRUE(toolbar->OneOnRow());
    EXPECT_EQ(toolbar->Row(), 1);
    EXPECT_EQ(toolbar->DockedTop(), 27);
    EXPECT_EQ(toolbar->FloatLeft(), 253);
    EXPECT_EQ(toolbar->FloatClientHeight(), 22);
    EXPECT_EQ(LinkedNames(toolbar->ItemLinks()),
              (std::vector<std::string>{"bsAddNode", "bbAddChild", "bbRenameNode", "bbDeleteNode", "bbFullExpand|",
                                        "bbFullCollaps"}));
    for (TzqBar* bar : {mainMenu, toolbar}) {
        EXPECT_TRUE(bar->Visible()) << bar->Caption();
        EXPECT_TRUE(bar->Predefined()) << bar->Caption();
        EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsTop) << bar->Caption();
        EXPECT_FALSE(bar->UseOwnFont()) << bar->Caption();
    }

    EXPECT_EQ(LinkedNames(Menu("bsFile")->ItemLinks()), (std::vector<std::string>{"bbExport", "bbExit|"}));
    EXPECT_EQ(LinkedNames(Menu("bsEdit")->ItemLinks()),
              (std::vector<std::string>{"bbUndo", "bbRedo", "bsAddNode|", "bbAddChild", "bbRenameNode", "bbDeleteNode",
                                        "bbFind|"}));
    EXPECT_EQ(LinkedNames(Menu("sbView")->ItemLinks()),
              (std::vector<std::string>{"bbZoom", "bbRotate", "bbAnimate", "bb3D", "bbFullExpand|", "bbFullCollaps"}));
}

struct ItemRow {
    const char* name;
    const char* caption;
    const char* hint;
    int category;
    bool glyph;
};

TEST_F(MainFormBarsTest, EveryItemHasItsCaptionHintCategoryAndGlyph)
{
    const ItemRow rows[] = {
        {"bsFile", "&File", "", 0, false},
        {"bsEdit", "&Edit", "", 0, false},
        {"sbView", "&View", "", 0, false},
        {"bbOptions", "&Options", "Options", 0, false},
        {"bbExport", "&Export...", "Export", 1, false},
        {"bbExit", "&Exit", "Exit", 1, false},
        {"bsAddNode", "&Add Node", "Add Node", 2, true},
        {"bbAddChild", "Add &Child Node ", "Add Child Node ", 2, true},
        {"bbRenameNode", "&Rename Node", "Rename Node", 2, true},
        {"bbDeleteNode", "&Delete Node", "Delete Node", 2, true},
        {"bbUndo", "&Undo", "Undo", 2, false},
        {"bbRedo", "R&edo", "Redo", 2, false},
        {"bbFind", "&Find...", "Find", 2, false},
        {"bbZoom", "&Zoom", "Zoom", 3, false},
        {"bbRotate", "&Rotated", "Rotated", 3, false},
        {"bbAnimate", "&Animated", "Animated", 3, false},
        {"bb3D", "&3D", "3D", 3, false},
        {"bbFullExpand", "Full Expand", "Full Expand", 3, true},
        {"bbFullCollaps", "Full Collapse", "Full Collapse", 3, true},
    };
    EXPECT_EQ(bars->ItemCount(), 19);
    for (const ItemRow& row : rows) {
        TzqBarItem* item = bars->ItemByName(row.name);
        ASSERT_NE(item, nullptr) << row.name;
        EXPECT_EQ(item->Caption(), row.caption) << row.name;
        EXPECT_EQ(item->Hint(), row.hint) << row.name;
        EXPECT_EQ(item->Category(), row.category) << row.name;
        EXPECT_EQ(item->Visible(), TzqBarItemVisible::ivAlways) << row.name;
        EXPECT_EQ(item->HasGlyph(), row.glyph) << row.name;
        EXPECT_EQ(item->Owner(), form) << row.name;
    }
    EXPECT_EQ(Button("bbOptions")->PaintStyle(), TzqBarPaintStyle::psCaption);
    EXPECT_EQ(Button("bbExit")->ShortCut(), 32856);
    EXPECT_EQ(Button("bbExport")->ShortCut(), ShortCut('E', {TShiftStateFlag::ssCtrl}));
    EXPECT_EQ(ShortCutToText(Button("bbUndo")->ShortCut()), "Ctrl+Z");
    EXPECT_EQ(ShortCutToText(Button("bbRedo")->ShortCut()), "Ctrl+Y");
    EXPECT_EQ(ShortCutToText(Button("bbFind")->ShortCut()), "Ctrl+F");
    // Nothing to undo or redo before the window has a chart with a history.
    EXPECT_FALSE(Button("bbUndo")->Enabled());
    EXPECT_FALSE(Button("bbRedo")->Enabled());
    EXPECT_TRUE(Button("bbFind")->Enabled());
}

TEST_F(MainFormBarsTest, TheViewSwitchesStartZoomAndRotatedUpAnimatedAnd3DDown)
{
    const std::pair<const char*, bool> switches[] = {{"bbZoom", false}, {"bbRotate", false}, {"bbAnimate", true}, {"bb3D", true}};
    for (auto [name, down] : switches) {
        EXPECT_EQ(Button(name)->ButtonStyle(), TzqBarButtonStyle::bsChecked) << name;
        EXPECT_EQ(Button(name)->Down(), down) << name;
    }
    // A handler sees the state the click toggled to.
    bool pressed = false;
    Button("bbAnimate")->OnClick = [&](TObject* sender) { pressed = static_cast<TzqBarButton*>(sender)->Down(); };
    pressed = true;
    Button("bbAnimate")->DirectClick();
    EXPECT_FALSE(pressed);
}

TEST_F(MainFormBarsTest, AltXRunsExitThroughTheFileMenu)
{
    int exits = 0;
    Button("bbExit")->OnClick = [&](TObject*) { ++exits; };
    TzqBar* mainMenu = bars->MainMenuBar();
    EXPECT_TRUE(mainMenu->ItemLinks()->FindShortCut(32856));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(bars->Bars()->Items(1)->ItemLinks()->FindShortCut(32856));
    EXPECT_FALSE(mainMenu->ItemLinks()->FindShortCut(ShortCut('X', {})));
    EXPECT_EQ(exits, 1);
}

TEST_F(MainFormBarsTest, AcceleratorsOfTheMainMenuBar)
{
    TzqBarItemLinks* links = bars->MainMenuBar()->ItemLinks();
    EXPECT_EQ(links->FindAccelerator('F', {}, nullptr)->Item()->Name(), "bsFile");
    EXPECT_EQ(links->FindAccelerator('V', {TShiftStateFlag::ssAlt}, nullptr)->Item()->Name(), "sbView");
    EXPECT_EQ(links->FindAccelerator('O', {}, nullptr)->Item()->Name(), "bbOptions");
    // Toolbar buttons show glyphs only: they do not answer.
    EXPECT_EQ(bars->Bars()->Items(1)->ItemLinks()->FindAccelerator('A', {}, nullptr), nullptr);
    EXPECT_EQ(Menu("bsEdit")->ItemLinks()->FindAccelerator('C', {}, nullptr)->Item()->Name(), "bbAddChild");
}

TEST_F(MainFormBarsTest, AResetBringsTheToolbarBack)
{
    TzqBar* toolbar = bars->Bars()->Items(1);
    EXPECT_TRUE(bars->CanReset(toolbar));
    delete toolbar->ItemLinks()->Items(4);
    delete toolbar->ItemLinks()->Items(0);
    SetMessageBoxHandler([](const std::string&, const std::string&, UINT) { return IDOK; });
    bars->ResetBar(toolbar);
    EXPECT_EQ(LinkedNames(toolbar->ItemLinks()),
              (std::vector<std::string>{"bsAddNode", "bbAddChild", "bbRenameNode", "bbDeleteNode", "bbFullExpand|",
                                        "bbFullCollaps"}));
    EXPECT_EQ(bars->ItemCount(), 19);
}

TEST_F(MainFormBarsTest, TheTopDockSiteHoldsTheMenuBarAndTheToolbarInTwoRows)
{
    TzqDockControl* top = bars->Bars()->DockSite(TzqBarDockingStyle::dsTop);
    EXPECT_EQ(top->Parent(), form);
    ASSERT_EQ(top->RowCount(), 2);
    EXPECT_EQ(top->Height(), top->Rows(0).Thickness + top->Rows(1).Thickness);
    EXPECT_EQ(top->ControlCount(), 2);
    EXPECT_EQ(top->Rows(0).Cols.front().BarControl->Bar(), bars->BarByName("Main Menu"));
    EXPECT_EQ(top->Rows(1).Cols.front().BarControl->Bar(), bars->BarByName("OrgChart Toolbar"));
    for (int i = 0; i < bars->Bars()->Count(); ++i)
        EXPECT_NE(bars->Bars()->Items(i)->Control(), nullptr);
}

} // namespace
