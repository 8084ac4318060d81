// Menus under hostile handlers and odd sizes: handlers that free their own item, menu
// or bar; a popup opened from another popup's handler; keys queued while a chain
// closes; the manager going while a menu is open; menus larger than the screen.
#include "bars/tests/MenusFixture.h"

#include "bars/BarPopupMenu.h"
#include "platform/core/Exception.h"

namespace {

class MenuBadInputTest : public MenusFixture {
protected:
    TzqBarSubMenuControl* OpenFile()
    {
        driver.Click(Middle(MenuBar(), 0));
        return Head();
    }
    TzqBarItem* FileItem(const std::string& name) { return manager->ItemByName(name); }
};

TEST_F(MenuBadInputTest, AClickHandlerThatFreesItsItemOrItsBar)
{
    TzqBarItem* open = FileItem("Open");
    open->OnClick = [&](TObject*) { delete open; };
    TzqBarSubMenuControl* menu = OpenFile();
    driver.Click(Middle(menu, IndexOf(menu, "&Open")));
    EXPECT_EQ(manager->ItemByName("Open"), nullptr);
    EXPECT_FALSE(TzqBarMenuChain::Active());

    // Chosen by the keyboard, with the handler freeing the main menu bar.
    FileItem("Save")->OnClick = [&](TObject*) { delete mainMenu; };
    menu = OpenFile();
    Tap(VK_END);
    Tap(VK_RETURN);
    EXPECT_EQ(manager->Bars()->Count(), 0);
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, OnPopupOrOnCloseUpFreeingTheSubmenuItem)
{
    recent->OnPopup = [&](TObject*) { delete recent; };
    TzqBarSubMenuControl* menu = OpenFile();
    driver.Click(Middle(menu, IndexOf(menu, "&Recent")));
    EXPECT_EQ(manager->ItemByName("Recent"), nullptr);
    EXPECT_EQ(OpenMenus().size(), 1u) << "nothing opened for the item that went";
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);

    file->OnPopup = nullptr;
    file->OnCloseUp = [&](TObject*) { delete file; };
    ASSERT_NE(OpenFile(), nullptr);
    Tap(VK_ESCAPE);
    EXPECT_EQ(manager->ItemByName("File"), nullptr);
    EXPECT_TRUE(OpenMenus().empty());
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, AnItemFreedWhileItsMenuIsOpenClosesTheMenu)
{
    TzqBarSubMenuControl* menu = OpenFile();
    driver.Click(Middle(menu, IndexOf(menu, "&Recent")));
    ASSERT_EQ(OpenMenus().size(), 2u);
    delete recent;
    driver.Pump();
    EXPECT_EQ(OpenMenus().size(), 1u);
    Tap(VK_DOWN);
    Tap(VK_UP);
    driver.AdvanceTime(1000);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, KeysQueuedBehindTheOneThatClosesTheChain)
{
    // Every step is queued first and handled in one go.
    for (WORD vk : {WORD(VK_MENU), WORD('F')})
        RawInput::Key(vk, true);
    for (WORD vk : {WORD('F'), WORD(VK_MENU)})
        RawInput::Key(vk, false);
    for (WORD vk : {WORD(VK_DOWN), WORD(VK_RETURN), WORD(VK_DOWN), WORD(VK_ESCAPE), WORD(VK_RIGHT), WORD(VK_RETURN)}) {
        RawInput::Key(vk, true);
        RawInput::Key(vk, false);
    }
    driver.Pump();
    EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, AnErrorInAClickHandlerIsReportedWithTheMenusClosed)
{
    std::string reported;
    app->OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
    FileItem("Open")->OnClick = [](TObject*) { throw Exception("Cannot open."); };
    TzqBarSubMenuControl* menu = OpenFile();
    driver.Click(Middle(menu, IndexOf(menu, "&Open")));
    EXPECT_EQ(reported, "Cannot open.");
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, APopupOpenedFromAnotherPopupsHandlerAndAPopupFreedByItsOwnCommand)
{
    auto* outer = new TzqBarPopupMenu(form);
    auto* inner = new TzqBarPopupMenu(form);
    Link(outer->ItemLinks(), Command("More", "&More"));
    Link(inner->ItemLinks(), Command("Free", "&Free"));
    FileItem("More")->OnClick = [&](TObject*) {
        clicked.push_back("More");
        driver.Backend().PushIdleAction([&] { driver.PressKey(VK_DOWN), driver.PressKey(VK_RETURN); });
        inner->Popup(200, 200);
    };
    FileItem("Free")->OnClick = [&](TObject*) {
        clicked.push_back("Free");
        delete inner;
        inner = nullptr;
    };
    driver.Backend().PushIdleAction([&] {
        driver.PressKey(VK_DOWN);
        driver.PressKey(VK_RETURN);
    });
    outer->Popup(100, 100);
    EXPECT_EQ(clicked, (std::vector<std::string>{"More", "Free"}));
    EXPECT_EQ(inner, nullptr);
    EXPECT_FALSE(outer->MenuOpen());
    EXPECT_FALSE(TzqBarMenuChain::Active());
}

TEST_F(MenuBadInputTest, TheManagerGoingWhileAMenuIsOpen)
{
    TzqBarSubMenuControl* menu = OpenFile();
    driver.Click(Middle(menu, IndexOf(menu, "&Recent")));
    ASSERT_EQ(OpenMenus().size(), 2u);
    delete manager;
    manager = nullptr;
    driver.Pump();
    EXPECT_FALSE(TzqBarMenuChain::Active());
    // The hooks went with the last manager: keys reach the focused control again.
    recorder->keys.clear();
    Tap(VK_F10);
    EXPECT_EQ(recorder->keys, std::vector<WORD>{VK_F10});
}

TEST_F(MenuBadInputTest, MenusWiderAndTallerThanTheScreenStayOnIt)
{
    const TRect work = MonitorWorkAreaAt(TPoint{0, 0});
    Link(view->ItemLinks(), Command("Long", std::string(3000, 'W')));
    for (int i = 0; i < 400; ++i)
        Link(view->ItemLinks(), Command("V" + std::to_string(i), "Entry " + std::to_string(i)));
    driver.Pump();
    driver.Click(Middle(MenuBar(), 2));
    TzqBarSubMenuControl* menu = Head();
    ASSERT_NE(menu, nullptr);
    EXPECT_GE(menu->BoundsRect().Left, work.Left);
    EXPECT_GE(menu->BoundsRect().Top, work.Top);
    EXPECT_LE(menu->BoundsRect().Bottom, work.Bottom);
    EXPECT_TRUE(menu->Cut());
    Tap(VK_UP); // round to the last entry
    EXPECT_EQ(SelectedCaption(menu), "Entry 399");
    driver.PaintAll();
}

} // namespace
