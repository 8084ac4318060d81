// Items: corrected values of the kinds, check groups, the hint that follows the
// caption, list and container items, actions and clicking.
#include "BarsFixture.h"

#include "bars/BarCombo.h"
#include "bars/BarContainerItem.h"
#include "bars/BarEdit.h"
#include "bars/BarManagerList.h"
#include "bars/BarPopupMenu.h"
#include "platform/controls/Action.h"

namespace {

class ItemsTest : public BarsFixture {};

TEST_F(ItemsTest, KindsCorrectOutOfRangeValues)
{
    auto* edit = Make<TzqBarEdit>("Edit");
    EXPECT_EQ(edit->Width(), 100);
    edit->SetWidth(5);
    EXPECT_EQ(edit->Width(), 20);
    edit->SetMaxLength(-3);
    EXPECT_EQ(edit->MaxLength(), 0);

    auto* sub = Make<TzqBarSubItem>("Sub");
    sub->SetBarSize(-1);
    EXPECT_EQ(sub->BarSize(), 0);
    sub->SetDetachingBar(0);
    EXPECT_EQ(sub->DetachingBar(), -1); // no bar yet
    AddBar("One");
    TzqBar* two = AddBar("Two");
    sub->SetDetachingBar(1);
    EXPECT_EQ(sub->DetachingBar(), 1);
    EXPECT_EQ(two->DetachingCount(), 1);
    sub->SetDetachingBar(7);
    EXPECT_EQ(sub->DetachingBar(), -1);
    sub->SetDetachingBar(1);
    delete manager->Bars()->Items(0);
    EXPECT_EQ(sub->DetachingBar(), 0); // it follows its bar
    delete two;
    EXPECT_EQ(sub->DetachingBar(), -1);

    auto* popup = new TzqBarPopupMenu(form);
    popup->SetBarSize(-9);
    EXPECT_EQ(popup->BarSize(), 0);
}

TEST_F(ItemsTest, ComboIndexAndSorting)
{
    auto* combo = Make<TzqBarCombo>("Combo");
    for (const char* s : {"c", "a", "b"})
        combo->Items()->Add(s);
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "b");
    combo->SetItemIndex(3);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetItemIndex(2);
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->ToVector(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "b");
}

TEST_F(ItemsTest, WindowItemTextFiresOnChangeOutsideLoading)
{
    auto* edit = Make<TzqBarEdit>("Edit");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("a");
    edit->SetText("a");
    EXPECT_EQ(changes, 1);
    manager->BeginLoading();
    edit->SetText("b");
    manager->EndLoading();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), "b");
    // A handler may free the item.
    edit->OnChange = [](TObject* sender) { delete static_cast<TzqBarEdit*>(sender); };
    edit->SetText("c");
    EXPECT_EQ(manager->ItemByName("Edit"), nullptr);
}

struct GroupStep {
    const char* what;
    char button; // 'A' to 'C'
    enum { Down, Up, Click } action;
    const char* down; // the buttons down afterwards
};

class CheckGroupTest : public ItemsTest {
protected:
    void SetUp() override
    {
        ItemsTest::SetUp();
        for (char c : {'A', 'B', 'C'}) {
            TzqBarButton* b = Make(std::string(1, c));
            b->SetButtonStyle(TzqBarButtonStyle::bsChecked);
            b->SetGroupIndex(1);
            buttons.push_back(b);
        }
        outsider = Make("Outsider");
        outsider->SetButtonStyle(TzqBarButtonStyle::bsChecked);
        outsider->SetGroupIndex(2);
        outsider->SetDown(true);
    }
    void Run(const std::vector<GroupStep>& steps)
    {
        for (const GroupStep& step : steps) {
            TzqBarButton* b = buttons[static_cast<size_t>(step.button - 'A')];
            if (step.action == GroupStep::Down)
                b->SetDown(true);
            else if (step.action == GroupStep::Up)
                b->SetDown(false);
            else
                b->DirectClick();
            std::string down;
            for (TzqBarButton* each : buttons)
                if (each->Down())
                    down += each->Name();
            EXPECT_EQ(down, step.down) << step.what;
            EXPECT_TRUE(outsider->Down()) << step.what;
        }
    }
    std::vector<TzqBarButton*> buttons;
    TzqBarButton* outsider = nullptr;
};

TEST_F(CheckGroupTest, WithoutAllowAllUpOneButtonStaysDown)
{
    Run({
        {"A goes down", 'A', GroupStep::Down, "A"},
        {"B takes over", 'B', GroupStep::Down, "B"},
        {"B cannot come up", 'B', GroupStep::Up, "B"},
        {"a click on C", 'C', GroupStep::Click, "C"},
        {"a click on C again", 'C', GroupStep::Click, "C"},
    });
}

TEST_F(CheckGroupTest, WithAllowAllUpEveryButtonMayComeUp)
{
    buttons[0]->SetAllowAllUp(true);
    for (TzqBarButton* b : buttons)
        EXPECT_TRUE(b->AllowAllUp()) << b->Name();
    EXPECT_FALSE(outsider->AllowAllUp());
    Run({
        {"A goes down", 'A', GroupStep::Down, "A"},
        {"A comes up", 'A', GroupStep::Up, ""},
        {"a click on B", 'B', GroupStep::Click, "B"},
        {"a click on B again", 'B', GroupStep::Click, ""},
    });
}

TEST_F(CheckGroupTest, OnlyCheckedButtonsGoDownAndStyleOrGroupChangesRaiseThem)
{
    TzqBarButton* plain = Make("Plain");
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    plain->SetGroupIndex(3);
    EXPECT_EQ(plain->GroupIndex(), 0);

    buttons[0]->SetDown(true);
    buttons[0]->SetGroupIndex(4);
    EXPECT_FALSE(buttons[0]->Down());
    buttons[1]->SetDown(true);
    buttons[1]->SetButtonStyle(TzqBarButtonStyle::bsDropDown);
    EXPECT_FALSE(buttons[1]->Down());
    EXPECT_EQ(buttons[1]->GroupIndex(), 0);

    // While loading the group is not enforced.
    manager->BeginLoading();
    buttons[2]->SetDown(true);
    auto* loaded = Make("Loaded");
    loaded->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    loaded->SetGroupIndex(1);
    loaded->SetDown(true);
    manager->EndLoading();
    EXPECT_TRUE(buttons[2]->Down());
    EXPECT_TRUE(loaded->Down());
}

struct HintCase {
    const char* hint;
    const char* oldCaption;
    const char* newCaption;
    const char* expected;
};

TEST_F(ItemsTest, TheHintFollowsTheCaptionUntilChangedByHand)
{
    const HintCase cases[] = {
        {"", "", "&Open...", "Open"},
        {"Open", "&Open...", "&Close", "Close"},
        {"Open|Opens a file", "&Open...", "&Load", "Load|Opens a file"},
        {"Custom", "&Open", "&Load", "Custom"},
        {"", "x", "A && B", "A & B"},
        {"Add Child Node ", "Add &Child Node ", "Add &Parent Node ", "Add Parent Node "},
        {"Save", "Save...", "&Save as...", "Save as"},
        {"", "x", "Wait...more...", "Waitmore..."}, // only the first "..." goes
    };
    int n = 0;
    for (const HintCase& c : cases) {
        TzqBarButton* button = Make("b" + std::to_string(n++), "x");
        button->SetCaption(c.oldCaption);
        button->SetHint(c.hint);
        button->SetCaption(c.newCaption);
        EXPECT_EQ(button->Hint(), c.expected) << c.newCaption;
    }
    auto* sub = Make<TzqBarSubItem>("Sub", "&File");
    EXPECT_EQ(sub->Hint(), "");
    TzqBarButton* loaded = Make("Loaded", "x");
    loaded->SetHint("");
    manager->BeginLoading();
    loaded->SetCaption("&Read");
    manager->EndLoading();
    EXPECT_EQ(loaded->Hint(), "");
}

TEST_F(ItemsTest, ListEntriesAreNumberedOneToNineThenLetters)
{
    const std::pair<int, const char*> prefixes[] = {{0, "&1 "}, {8, "&9 "}, {9, "&A "}, {10, "&B "}, {34, "&Z "}, {35, "&[ "}};
    for (auto [number, prefix] : prefixes)
        EXPECT_EQ(ListEntryPrefix(number), prefix) << number;

    auto* list = Make<TzqBarListItem>("List");
    for (const char* s : {"one", "-", "two", "three", "-", "four", "5", "6", "7", "8", "9", "10"})
        list->Items()->Add(s);
    ASSERT_EQ(list->EntryCount(), 10);
    EXPECT_EQ(list->Entries(0)->Caption(), "&1 one");
    EXPECT_EQ(list->Entries(1)->Caption(), "&2 two");
    EXPECT_EQ(list->Entries(8)->Caption(), "&9 9");
    EXPECT_EQ(list->Entries(9)->Caption(), "&A 10");
    EXPECT_TRUE(TzqBarManagerList::IsTemporary(list->Entries(0)));
    EXPECT_EQ(list->Entries(0)->Category(), -1);
    list->SetShowNumbers(false);
    EXPECT_EQ(list->Entries(1)->Caption(), "two");
}

TEST_F(ItemsTest, ListItemFillsAMenuAndAnEntryClickChoosesItsString)
{
    auto* menu = Make<TzqBarSubItem>("Menu");
    TzqBarItemLink* before = Link(menu->ItemLinks(), Make("Before"));
    auto* list = Make<TzqBarListItem>("List");
    for (const char* s : {"one", "two", "-", "three"})
        list->Items()->Add(s);
    list->SetShowCheck(true);
    TzqBarItemLink* listLink = Link(menu->ItemLinks(), list);
    int getData = 0, clicks = 0;
    list->OnGetData = [&](TObject*) { ++getData; };
    list->OnClick = [&](TObject*) { ++clicks; };

    list->DoGetData();
    EXPECT_EQ(list->InsertContent(menu->ItemLinks(), 2, listLink), 3);
    TzqBarItemLinks* links = menu->ItemLinks();
    ASSERT_EQ(links->Count(), 5);
    EXPECT_EQ(links->Items(0), before);
    std::vector<bool> groups;
    for (int i = 2; i < 5; ++i) {
        groups.push_back(links->Items(i)->BeginGroupFlag());
        EXPECT_EQ(links->Items(i)->OriginalLink(), listLink);
        EXPECT_EQ(links->Items(i)->UseCount(), listLink->UseCount());
    }
    EXPECT_EQ(groups, (std::vector<bool>{true, false, true}));

    links->Items(4)->Item()->DirectClick(); // "three"
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->DataIndex(), 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(getData, 1);
    EXPECT_TRUE(list->Entries(2)->Down());
    EXPECT_EQ(list->Entries(2)->ButtonStyle(), TzqBarButtonStyle::bsChecked);
    EXPECT_FALSE(list->Entries(0)->Down());

    list->SetDataIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->SetItemIndex(2); // the "-" string
    EXPECT_EQ(list->DataIndex(), -1);

    // New strings make new entries: the old ones leave the menu.
    list->Items()->Add("four");
    EXPECT_EQ(links->Count(), 2);
    EXPECT_EQ(list->EntryCount(), 4);
}

TEST_F(ItemsTest, ContainerItemInsertsCopiesOfItsVisibleLinks)
{
    auto* container = Make<TzqBarContainerItem>("Container");
    Link(container->ItemLinks(), Make("A"));
    Link(container->ItemLinks(), Make("B"))->SetVisible(false);
    Link(container->ItemLinks(), Make("C"))->SetBeginGroup(true);
    auto* menu = Make<TzqBarSubItem>("Menu");
    TzqBarItemLink* containerLink = Link(menu->ItemLinks(), container);
    EXPECT_EQ(container->InsertContent(menu->ItemLinks(), 1, containerLink), 2);
    TzqBarItemLinks* links = menu->ItemLinks();
    ASSERT_EQ(links->Count(), 3);
    EXPECT_EQ(links->Items(1)->Item()->Name(), "A");
    EXPECT_TRUE(links->Items(1)->BeginGroupFlag());
    EXPECT_EQ(links->Items(2)->Item()->Name(), "C");
    EXPECT_TRUE(links->Items(2)->BeginGroupFlag());
    EXPECT_EQ(links->Items(2)->OriginalLink(), containerLink);
    delete containerLink;
    EXPECT_EQ(links->Items(1)->OriginalLink(), nullptr);
}

TEST_F(ItemsTest, AnActionGivesItsPropertiesAndItsChanges)
{
    TAction action;
    action.SetCaption("&Print");
    action.SetHint("Print it");
    action.SetShortCut(ShortCut('P', {TShiftStateFlag::ssCtrl}));
    action.SetImageIndex(4);
    action.SetChecked(true);
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };

    TzqBarButton* button = Make("Print", "old");
    button->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), "&Print");
    EXPECT_EQ(button->Hint(), "Print it");
    EXPECT_EQ(button->ShortCut(), action.ShortCut());
    EXPECT_EQ(button->ImageIndex(), 4);
    EXPECT_TRUE(button->Down());

    action.SetCaption("&Print now");
    action.SetEnabled(false);
    action.SetVisible(false);
    EXPECT_EQ(button->Caption(), "&Print now");
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(button->Visible(), TzqBarItemVisible::ivNever);
    action.SetEnabled(true);
    button->Click();
    EXPECT_EQ(executed, 1);
    int ownClicks = 0;
    button->OnClick = [&](TObject*) { ++ownClicks; };
    button->Click();
    EXPECT_EQ(ownClicks, 1);
    EXPECT_EQ(executed, 1);
}

TEST_F(ItemsTest, AnActionDestroyedWhileBoundLeavesTheItemWorking)
{
    auto action = std::make_unique<TAction>();
    action->SetCaption("Go");
    TzqBarButton* button = Make("Go");
    button->SetAction(action.get());
    action.reset();
    EXPECT_EQ(button->Action(), nullptr);
    button->SetCaption("Still here");
    button->DirectClick();
    EXPECT_EQ(button->Caption(), "Still here");
}

TEST_F(ItemsTest, AnItemCopiesItsPropertiesIntoAnAction)
{
    TzqBarButton* button = Make("Copy", "&Copy");
    button->SetHint("Copy it");
    button->SetEnabled(false);
    button->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    button->SetDown(true);
    button->SetVisible(TzqBarItemVisible::ivInCustomizing);
    TAction action;
    action.SetVisible(false);
    button->AssignTo(&action);
    EXPECT_EQ(action.Caption(), "&Copy");
    EXPECT_EQ(action.Hint(), "Copy it");
    EXPECT_FALSE(action.Enabled());
    EXPECT_TRUE(action.Checked());
    EXPECT_FALSE(action.Visible()); // left as it was
    button->SetVisible(TzqBarItemVisible::ivAlways);
    button->AssignTo(&action);
    EXPECT_TRUE(action.Visible());
}

TEST_F(ItemsTest, ClickingFiresOnClickItemFirstAndHandsErrorsToTheApplication)
{
    TzqBarButton* button = Make("Button");
    std::vector<std::string> calls;
    manager->OnClickItem = [&](TzqBarManager*, TzqBarItem* item) { calls.push_back("manager " + item->Name()); };
    button->OnClick = [&](TObject*) {
        calls.push_back("item");
        throw Exception("handler failed");
    };
    std::vector<std::string> reported;
    app->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    EXPECT_NO_THROW(button->DirectClick());
    EXPECT_EQ(calls, (std::vector<std::string>{"manager Button", "item"}));
    EXPECT_EQ(reported, std::vector<std::string>{"handler failed"});

    calls.clear();
    button->SetEnabled(false);
    button->DirectClick();
    EXPECT_TRUE(calls.empty());
    // While customizing an item with a category reads as enabled.
    manager->SetCustomizing(true);
    EXPECT_TRUE(button->Enabled());
}

TEST_F(ItemsTest, AnItemFreedByAClickHandlerLeavesNothingBehind)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarButton* byManager = Make("ByManager");
    TzqBarButton* byItself = Make("ByItself");
    Link(bar->ItemLinks(), byManager);
    Link(bar->ItemLinks(), byItself);
    bool ownClickRan = false;
    byManager->OnClick = [&](TObject*) { ownClickRan = true; };
    manager->OnClickItem = [&](TzqBarManager*, TzqBarItem* item) {
        if (item == byManager)
            delete item;
    };
    byManager->DirectClick();
    EXPECT_FALSE(ownClickRan);
    byItself->OnClick = [](TObject* sender) { delete static_cast<TzqBarItem*>(sender); };
    byItself->SetShortCut(ShortCut('Q', {TShiftStateFlag::ssCtrl}));
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(byItself->ShortCut()));
    EXPECT_EQ(bar->ItemLinks()->Count(), 0);
    EXPECT_EQ(manager->ItemCount(), 0);
}

TEST_F(ItemsTest, OnDestroyComesFirstWithTheItemStillLinked)
{
    TzqBar* bar = AddBar("Tools");
    auto* sub = Make<TzqBarSubItem>("Sub");
    Link(sub->ItemLinks(), Make("Inner"));
    Link(bar->ItemLinks(), sub);
    int linksSeen = -1, innerSeen = -1;
    sub->OnDestroy = [&](TObject*) {
        linksSeen = sub->LinkCount();
        innerSeen = sub->ItemLinks()->Count();
    };
    delete sub;
    EXPECT_EQ(linksSeen, 1);
    EXPECT_EQ(innerSeen, 1);
    EXPECT_EQ(bar->ItemLinks()->Count(), 0);
}

} // namespace
