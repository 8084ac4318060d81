// Personalized menus: chains start collapsed on the recently used links, the expand
// button and the band of rarely used links, and every way of expanding.
#include "bars/tests/MenusFixture.h"

#include "bars/BarTooltips.h"

namespace {

class PersonalizedMenusTest : public MenusFixture {
protected:
    void SetUp() override
    {
        MenusFixture::SetUp();
        manager->SetMenusShowRecentItemsFirst(true);
        tools = Make<TzqBarSubItem>("Tools", "&Tools");
        const std::vector<std::pair<std::string, int>> entries = {
            {"&Alpha", 40}, {"&Beta", 30}, {"&Gamma", 0}, {"&Delta", 0}, {"&Epsilon", 0}, {"&Omega", 0}};
        for (size_t i = 0; i < entries.size(); ++i) {
            TzqBarItemLink* link = Link(tools->ItemLinks(), Command(entries[i].first.substr(1), entries[i].first));
            link->SetPendingUsage(entries[i].second, static_cast<int>(i));
        }
        tools->ItemLinks()->ReinitializeUsage(false);
        Link(mainMenu->ItemLinks(), tools);
        driver.Pump();
    }
    // Opens Tools with Alt+T (its first link selected).
    TzqBarSubMenuControl* OpenTools()
    {
        driver.KeyDown(VK_MENU);
        driver.PressKey('T');
        driver.KeyUp(VK_MENU);
        return Head();
    }
    static std::vector<std::string> Shown(TzqBarSubMenuControl* menu)
    {
        std::vector<std::string> out;
        for (int i = 0; i < menu->ItemControlCount(); ++i)
            out.push_back(menu->ItemControls(i)->Link()->Caption());
        return out;
    }
    const std::vector<std::string> collapsed{"&Alpha", "&Beta"};
    const std::vector<std::string> all{"&Alpha", "&Beta", "&Gamma", "&Delta", "&Epsilon", "&Omega"};
    TzqBarSubItem* tools = nullptr;
};

TEST_F(PersonalizedMenusTest, AMenuStartsCollapsedWithAnExpandButtonAndExpandsWithTheRareBand)
{
    TzqBarSubMenuControl* menu = OpenTools();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Shown(menu), collapsed);
    EXPECT_TRUE(menu->ExpandButtonShown());
    const TzqBarSubMenuMetrics& m = menu->Metrics();
    EXPECT_EQ(menu->Height(), 2 * m.ItemHeight + m.ExtraHeight + m.TextRowHeight);
    const TRect button = menu->ExpandButtonRect();
    driver.Click(menu->ClientToScreen(TPoint{button.Left + button.Width() / 2, button.Top + button.Height() / 2}));
    ASSERT_EQ(Head(), menu) << "expanded in place";
    EXPECT_EQ(Shown(menu), all);
    EXPECT_FALSE(menu->ExpandButtonShown());
    EXPECT_EQ(menu->ExpandState(), 2);
    for (int i = 0; i < menu->ItemControlCount(); ++i)
        EXPECT_EQ(menu->RarelyUsed(menu->ItemControls(i)->Link()), i >= 2) << i;
    // The chain stays expanded: the next menu opens with every link.
    Tap(VK_LEFT);
    Tap(VK_RIGHT);
    ASSERT_NE(Head(), nullptr);
    EXPECT_EQ(Head()->ItemLinks(), tools->ItemLinks());
    EXPECT_EQ(Shown(Head()), all);
    // A new chain starts collapsed again.
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    ASSERT_FALSE(TzqBarMenuChain::Active());
    EXPECT_EQ(Shown(OpenTools()), collapsed);
}

TEST_F(PersonalizedMenusTest, KeysThatExpandAndWhereTheSelectionGoes)
{
    struct Case {
        const char* name;
        std::vector<WORD> keys;
        unsigned modifiers;
        std::string selected;
    };
    const std::vector<Case> cases = {
        {"Ctrl+Down", {VK_DOWN}, THeadlessDriver::Ctrl, "&Alpha"},
        {"Down on the last link moves on", {VK_DOWN, VK_DOWN}, 0, "&Gamma"},
        {"Tab on the last link moves on", {VK_DOWN, VK_TAB}, 0, "&Gamma"},
        {"a hidden accelerator", {'D'}, 0, "&Delta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TzqBarSubMenuControl* menu = OpenTools();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(Shown(menu), collapsed);
        for (WORD key : c.keys)
            driver.PressKey(key, c.modifiers);
        EXPECT_EQ(Shown(menu), all);
        EXPECT_EQ(SelectedCaption(menu), c.selected);
        EXPECT_TRUE(clicked.empty()) << "nothing ran";
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
        ASSERT_FALSE(TzqBarMenuChain::Active());
    }
}

TEST_F(PersonalizedMenusTest, ShowFullMenusAfterDelayExpandsAfter4000msRestartedBySelectionChanges)
{
    TzqBarSubMenuControl* menu = OpenTools();
    driver.AdvanceTime(3000);
    Tap(VK_DOWN); // a selection change starts the 4000 ms again
    driver.AdvanceTime(3999);
    EXPECT_EQ(Shown(menu), collapsed);
    driver.AdvanceTime(1);
    EXPECT_EQ(Shown(menu), all);

    // Without the option nothing happens by time alone.
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    manager->SetShowFullMenusAfterDelay(false);
    menu = OpenTools();
    driver.AdvanceTime(10000);
    EXPECT_EQ(Shown(menu), collapsed);
}

TEST_F(PersonalizedMenusTest, AHotExpandButtonExpandsAfter1000msOrShowsItsTooltipWithoutTheDelayOption)
{
    TzqBarSubMenuControl* menu = OpenTools();
    const TRect button = menu->ExpandButtonRect();
    const TPoint on = menu->ClientToScreen(TPoint{button.Left + button.Width() / 2, button.Top + 2});
    driver.MoveTo(on);
    EXPECT_EQ(menu->ExpandState(), 1);
    driver.AdvanceTime(999);
    EXPECT_EQ(Shown(menu), collapsed);
    driver.AdvanceTime(1);
    EXPECT_EQ(Shown(menu), all);
    EXPECT_FALSE(manager->Tooltips()->Visible());
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);

    manager->SetShowFullMenusAfterDelay(false);
    menu = OpenTools();
    driver.MoveTo(menu->ClientToScreen(TPoint{button.Left + button.Width() / 2, button.Top + 2}));
    driver.AdvanceTime(TzqBarTooltips::kShowDelay);
    EXPECT_EQ(Shown(menu), collapsed);
    EXPECT_EQ(manager->Tooltips()->Text(), "Expand (Ctrl-Down)");
}

TEST_F(PersonalizedMenusTest, TheStandardStyleShowsEveryLink)
{
    manager->SetStyle(TzqBarManagerStyle::bmsStandard);
    EXPECT_EQ(Shown(OpenTools()), all);
    EXPECT_FALSE(Head()->ExpandButtonShown());
}

} // namespace
