// Reading a definition: values kept while loading and applied at its end in order;
// resets that compare the bars with a fresh run of the definition.
#include "BarsFixture.h"

#include "bars/BarManagerList.h"
#include "platform/window/Input.h"

namespace {

class LoadingResetTest : public BarsFixture {};

// A small definition: categories "Menus" and "Tools", a File menu with New and Open,
// and a toolbar with New, Open and Cut; Open starts as not recently used.
void SmallDefinition(TzqBarManager& m)
{
    TStringList categories;
    categories.Add("Menus");
    categories.Add("Tools");
    m.SetCategories(categories);
    m.SetStyle(TzqBarManagerStyle::bmsFlat);
    m.SetStoreInIniFile(true);
    auto make = [&m](const char* name, int category) {
        auto* button = new TzqBarButton(m.OwnerForm());
        button->SetName(name);
        button->SetCaption(name);
        button->SetCategory(category);
        return button;
    };
    TzqBarButton* newItem = make("New", 1);
    TzqBarButton* open = make("Open", 1);
    TzqBarButton* cut = make("Cut", 1);
    auto* file = new TzqBarSubItem(m.OwnerForm());
    file->SetName("File");
    file->SetCaption("&File");
    file->SetCategory(0);
    file->ItemLinks()->Add()->SetItem(newItem);
    file->ItemLinks()->Add()->SetItem(open);
    file->ItemLinks()->Items(1)->SetMostRecentlyUsed(false);

    TzqBar* main = m.Bars()->Add();
    main->SetCaption("Main");
    main->SetName("Main");
    main->SetIsMainMenu(true);
    main->ItemLinks()->Add()->SetItem(file);
    main->SetDockingStyle(TzqBarDockingStyle::dsTop);
    main->SetVisible(true);

    TzqBar* tools = m.Bars()->Add();
    tools->SetCaption("Tools");
    tools->SetName("Tools");
    for (TzqBarItem* item : {static_cast<TzqBarItem*>(newItem), static_cast<TzqBarItem*>(open), static_cast<TzqBarItem*>(cut)})
        tools->ItemLinks()->Add()->SetItem(item);
    tools->ItemLinks()->Items(1)->SetMostRecentlyUsed(false);
    tools->SetDockingStyle(TzqBarDockingStyle::dsTop);
    tools->SetRow(1);
    tools->SetVisible(true);
}

TEST_F(LoadingResetTest, ReadingADefinitionLoadsTheManagerOnce)
{
    std::vector<std::string> events;
    manager->OnBarAdd = [&](TzqBarManager*, TzqBar*) { events.push_back("bar add"); };
    manager->OnItemLinkAdd = [&](TzqBarManager*, TzqBarItemLink*) { events.push_back("link add"); };
    manager->OnItemLinkChange = [&](TzqBarManager*, TzqBarItemLink*) { events.push_back("link change"); };
    manager->ReadDefinition(SmallDefinition);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(manager->ReadCount(), 1);
    EXPECT_FALSE(manager->IsLoading());
    EXPECT_FALSE(manager->Modified());
    EXPECT_EQ(manager->Categories()->ToVector(), (std::vector<std::string>{"Menus", "Tools"}));
    EXPECT_EQ(manager->ItemCount(), 4);
    for (int i = 0; i < manager->ItemCount(); ++i)
        EXPECT_FALSE(manager->Items(i)->IsLoading()) << manager->Items(i)->Name();
    TzqBar* tools = manager->BarByName("Tools");
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->Predefined());
    EXPECT_TRUE(tools->Visible());
    EXPECT_EQ(tools->DockingStyle(), TzqBarDockingStyle::dsTop);
    EXPECT_EQ(Recent(tools->ItemLinks()), (std::vector<std::string>{"New", "Cut", "Open"}));
    EXPECT_EQ(tools->ItemLinks()->Items(1)->UseCount(), 0);
    EXPECT_EQ(manager->MainMenuBar(), manager->BarByName("Main"));
    // A bar added later is not one of the definition's.
    EXPECT_FALSE(AddBar("Mine")->Predefined());
}

TEST_F(LoadingResetTest, TheEndOfLoadingAppliesPendingValuesInOrder)
{
    std::vector<std::string> order;
    manager->OnBarVisibleChange = [&](TzqBarManager*, TzqBar* bar) { order.push_back("bar " + bar->Caption()); };
    manager->ReadDefinition([&](TzqBarManager& m) {
        TStringList categories;
        categories.Add("Only");
        m.SetCategories(categories);
        auto* shown = new TzqBarButton(m.OwnerForm());
        shown->SetName("Shown");
        shown->SetCategory(0);
        auto* special = new TzqBarButton(m.OwnerForm());
        special->SetName("Special");
        special->SetCategory(0);
        special->SetVisible(TzqBarItemVisible::ivInCustomizing);
        auto* menu = new TzqBarSubItem(m.OwnerForm());
        menu->SetName("Menu");
        menu->SetCategory(0);
        TzqBarItemLink* hiddenLink = menu->ItemLinks()->Add();
        hiddenLink->SetItem(shown);
        hiddenLink->SetVisible(false);
        EXPECT_TRUE(hiddenLink->Visible()); // kept for the end of loading
        EXPECT_EQ(special->Visible(), TzqBarItemVisible::ivAlways);
        TzqBar* bar = m.Bars()->Add();
        bar->SetCaption("Bar");
        bar->ItemLinks()->Add()->SetItem(shown);
        bar->SetVisible(true);
        EXPECT_FALSE(bar->Visible());
        // Items of the category go from ivAlways to ivNever at the very end, after the
        // item read as ivInCustomizing has taken that value.
        m.SetCategoryItemsVisible(0, TzqBarItemVisible::ivNever);
        EXPECT_EQ(m.CategoryItemsVisible(0), TzqBarItemVisible::ivAlways);
    });
    auto* shown = manager->ItemByName("Shown");
    auto* special = manager->ItemByName("Special");
    auto* menu = static_cast<TzqBarSubItem*>(manager->ItemByName("Menu"));
    EXPECT_FALSE(menu->ItemLinks()->Items(0)->Visible());
    EXPECT_EQ(special->Visible(), TzqBarItemVisible::ivInCustomizing);
    EXPECT_EQ(shown->Visible(), TzqBarItemVisible::ivNever);
    EXPECT_EQ(menu->Visible(), TzqBarItemVisible::ivNever);
    EXPECT_EQ(manager->CategoryItemsVisible(0), TzqBarItemVisible::ivNever);
    EXPECT_EQ(order, std::vector<std::string>{"bar Bar"});
    EXPECT_TRUE(manager->Bars()->Items(0)->Visible());
}

TEST_F(LoadingResetTest, AResetRestoresLinksAndUsageOfTheBarAndItsSubmenus)
{
    manager->ReadDefinition(SmallDefinition);
    TzqBar* main = manager->BarByName("Main");
    TzqBar* tools = manager->BarByName("Tools");
    auto* file = static_cast<TzqBarSubItem*>(manager->ItemByName("File"));
    // The user changes things.
    delete tools->ItemLinks()->Items(0);
    tools->ItemLinks()->Items(0)->SetMostRecentlyUsed(true);
    delete file->ItemLinks()->Items(0);
    file->ItemLinks()->Items(0)->SetUserCaption("Mine");
    std::vector<std::string> events;
    manager->OnBarBeforeReset = [&](TzqBarManager*, TzqBar* b) { events.push_back("before " + b->Caption()); };
    manager->OnBarAfterReset = [&](TzqBarManager*, TzqBar* b) { events.push_back("after " + b->Caption()); };
    const size_t managersBefore = TzqBarManagerList::All().size();
    const HCURSOR cursorBefore = GetCursor();

    AnswerMessageBoxes(IDOK);
    manager->ResetBar(tools);
    ASSERT_EQ(askedTexts.size(), 1u);
    EXPECT_EQ(askedTexts[0], "Are you sure you want to reset the changes made to the 'Tools' toolbar?");
    EXPECT_EQ(askedFlags[0], UINT(MB_OKCANCEL | MB_ICONWARNING));
    EXPECT_EQ(askedCaptions[0], "Tests"); // the application's title
    EXPECT_EQ(events, (std::vector<std::string>{"before Tools", "after Tools"}));
    TzqBarItemLinks* links = tools->ItemLinks();
    ASSERT_EQ(links->Count(), 3);
    EXPECT_EQ(links->Items(0)->Item(), manager->ItemByName("New"));
    EXPECT_EQ(links->Items(1)->Item(), manager->ItemByName("Open"));
    EXPECT_FALSE(links->Items(1)->MostRecentlyUsed());
    EXPECT_EQ(Recent(links), (std::vector<std::string>{"New", "Cut", "Open"}));
    EXPECT_EQ(TzqBarManagerList::All().size(), managersBefore); // the scratch copy went
    // The File menu is not on this bar: it stays as the user left it.
    EXPECT_EQ(file->ItemLinks()->Count(), 1);

    manager->ResetBar(main);
    ASSERT_EQ(file->ItemLinks()->Count(), 2);
    EXPECT_EQ(file->ItemLinks()->Items(1)->Caption(), "Open");
    EXPECT_FALSE(file->ItemLinks()->Items(1)->MostRecentlyUsed());
    EXPECT_EQ(GetCursor(), cursorBefore); // the wait cursor went
}

TEST_F(LoadingResetTest, CancelOrNoDefinitionChangesNothing)
{
    manager->ReadDefinition(SmallDefinition);
    TzqBar* tools = manager->BarByName("Tools");
    delete tools->ItemLinks()->Items(0);
    AnswerMessageBoxes(IDCANCEL);
    manager->ResetBar(tools);
    EXPECT_EQ(askedTexts.size(), 1u);
    EXPECT_EQ(tools->ItemLinks()->Count(), 2);

    // A bar that may not be reset is not asked about.
    AnswerMessageBoxes(IDOK);
    tools->SetAllowReset(false);
    manager->ResetBar(tools);
    tools->SetAllowReset(true);
    manager->SetAllowReset(false);
    manager->ResetBar(tools);
    EXPECT_EQ(askedTexts.size(), 1u);
    EXPECT_EQ(tools->ItemLinks()->Count(), 2);
}

TEST_F(LoadingResetTest, AManagerReadTwiceOrNeverCannotResetBars)
{
    TzqBar* bar = AddBar("Tools");
    EXPECT_FALSE(manager->CanReset(bar)); // no definition
    AnswerMessageBoxes(IDOK);
    manager->ResetUsageData();
    EXPECT_EQ(askedTexts.size(), 1u); // asked, but there is nothing to restore from
    delete bar;

    manager->ReadDefinition(SmallDefinition);
    EXPECT_TRUE(manager->CanReset(manager->BarByName("Tools")));
    manager->ReadDefinition([](TzqBarManager&) {});
    EXPECT_EQ(manager->ReadCount(), 2);
    EXPECT_FALSE(manager->CanReset(manager->BarByName("Tools")));
}

TEST_F(LoadingResetTest, ResetUsageDataRestoresTheRecentlyUsedMarks)
{
    manager->ReadDefinition(SmallDefinition);
    TzqBar* tools = manager->BarByName("Tools");
    auto* file = static_cast<TzqBarSubItem*>(manager->ItemByName("File"));
    tools->ItemLinks()->Items(1)->SetMostRecentlyUsed(true);
    tools->ItemLinks()->Items(2)->MarkUsed(true);
    file->ItemLinks()->Items(1)->SetMostRecentlyUsed(true);
    tools->ItemLinks()->Items(0)->SetUserCaption("Kept");

    AnswerMessageBoxes(IDNO);
    manager->ResetUsageData();
    EXPECT_TRUE(tools->ItemLinks()->Items(1)->MostRecentlyUsed());
    ASSERT_EQ(askedTexts.size(), 1u);
    EXPECT_EQ(askedTexts[0],
              "This will delete the record of the commands you've used in this application and restore the default set "
              "of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you "
              "sure you want to proceed?");
    EXPECT_EQ(askedFlags[0], UINT(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));

    AnswerMessageBoxes(IDYES);
    manager->ResetUsageData();
    EXPECT_FALSE(tools->ItemLinks()->Items(1)->MostRecentlyUsed());
    EXPECT_EQ(tools->ItemLinks()->Items(2)->UseCount(), 20);
    EXPECT_EQ(Recent(tools->ItemLinks()), (std::vector<std::string>{"Kept", "Cut", "Open"}));
    EXPECT_FALSE(file->ItemLinks()->Items(1)->MostRecentlyUsed());
    EXPECT_EQ(tools->ItemLinks()->Items(0)->Caption(), "Kept"); // customizations stay
    EXPECT_FALSE(manager->LockUpdate());
}

TEST_F(LoadingResetTest, AFullResetRestoresTheBarsProperties)
{
    manager->ReadDefinition(SmallDefinition);
    manager->SetUseFullReset(true);
    TzqBar* tools = manager->BarByName("Tools");
    tools->SetRow(5);
    tools->SetDockingStyle(TzqBarDockingStyle::dsLeft);
    delete tools->ItemLinks()->Items(2);
    AnswerMessageBoxes(IDOK);
    manager->ResetBar(tools);
    EXPECT_EQ(tools->Row(), 1);
    EXPECT_EQ(tools->DockingStyle(), TzqBarDockingStyle::dsTop);
    EXPECT_EQ(tools->ItemLinks()->Count(), 3);
    EXPECT_TRUE(tools->Visible());
    EXPECT_FALSE(manager->LockUpdate());
}

} // namespace
