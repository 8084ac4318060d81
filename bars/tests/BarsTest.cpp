// Bars, groups and popup menus: the bars collection and its events, the main menu
// bar, names made from captions, copying a bar; groups switching their members;
// popup menus in a control's slot and their links to controls.
#include "BarsFixture.h"

#include "bars/BarErrors.h"
#include "bars/BarGroup.h"
#include "bars/BarPopupMenu.h"
#include "bars/BarPopupMenuLinks.h"
#include "bars/DockControl.h"
#include "platform/controls/Panel.h"
#include "platform/drawing/Font.h"

namespace {

class BarsTest : public BarsFixture {};

TEST_F(BarsTest, ACaptionAnotherBarHasIsIgnoredAndNamesComeFromCaptions)
{
    TzqBar* first = AddBar("Tools");
    TzqBar* second = AddBar("Tools 2");
    second->SetCaption("Tools");
    EXPECT_EQ(second->Caption(), "Tools 2");
    EXPECT_EQ(first->Name(), "Tools");
    EXPECT_EQ(second->Name(), "Tools 2");

    // A name taken already gets the smallest free number written after the caption.
    first->SetCaption("Edit");
    TzqBar* third = AddBar("Tools");
    EXPECT_EQ(third->Name(), "Tools1");
    TzqBar* fourth = manager->Bars()->Add();
    fourth->SetName("Tools2");
    TzqBar* fifth = AddBar("Format");
    fifth->SetName("");
    fourth->SetCaption("Table");
    third->SetCaption("Other");
    fifth->SetCaption("Tools");
    EXPECT_EQ(fifth->Name(), "Tools3");
    // A bar keeps a name it has.
    first->SetCaption("Edit again");
    EXPECT_EQ(first->Name(), "Tools");
}

TEST_F(BarsTest, TheMainMenuBarIsUniqueAndForcesWholeRowAndMultiLine)
{
    TzqBar* one = AddBar("One");
    TzqBar* two = AddBar("Two");
    one->SetIsMainMenu(true);
    EXPECT_EQ(manager->MainMenuBar(), one);
    EXPECT_TRUE(one->WholeRow());
    EXPECT_TRUE(one->MultiLine());
    one->SetMultiLine(false);
    EXPECT_TRUE(one->MultiLine());
    two->SetIsMainMenu(true);
    EXPECT_EQ(manager->MainMenuBar(), two);
    EXPECT_FALSE(one->IsMainMenu());
    EXPECT_FALSE(one->WholeRow());
    EXPECT_FALSE(one->MultiLine());
    EXPECT_FALSE(manager->LockUpdate());
    delete two;
    EXPECT_EQ(manager->MainMenuBar(), nullptr);
}

TEST_F(BarsTest, PositionsBelowZeroBecomeZero)
{
    TzqBar* bar = AddBar("Tools");
    bar->SetRow(-3);
    bar->SetDockedLeft(-1);
    bar->SetDockedTop(-9);
    EXPECT_EQ(bar->Row(), 0);
    EXPECT_EQ(bar->DockedLeft(), 0);
    EXPECT_EQ(bar->DockedTop(), 0);
}

TEST_F(BarsTest, BarEventsFireForAddingDockingShowingAndDeleting)
{
    std::vector<std::string> events;
    manager->OnBarAdd = [&](TzqBarManager*, TzqBar*) { events.push_back("add"); };
    manager->OnBarDockingStyleChange = [&](TzqBarManager*, TzqBar* b) { events.push_back("dock " + b->Caption()); };
    manager->OnBarVisibleChange = [&](TzqBarManager*, TzqBar* b) { events.push_back("visible " + b->Caption()); };
    manager->OnBarDelete = [&](TzqBarManager*, TzqBar* b) { events.push_back("delete " + b->Caption()); };
    TzqBar* bar = AddBar("Tools");
    bar->SetDockingStyle(TzqBarDockingStyle::dsLeft);
    bar->SetVisible(true);
    delete bar;
    EXPECT_EQ(events, (std::vector<std::string>{"add", "dock Tools", "visible Tools", "delete Tools"}));

    // Copying the collection moves bars without docking events.
    events.clear();
    TzqBars copy(manager);
    TzqBar* source = copy.Add();
    source->SetCaption("Copied");
    source->SetDockingStyle(TzqBarDockingStyle::dsBottom);
    events.clear();
    manager->SetBars(copy);
    EXPECT_EQ(manager->Bars()->Count(), 1);
    EXPECT_EQ(manager->Bars()->Items(0)->DockingStyle(), TzqBarDockingStyle::dsBottom);
    EXPECT_EQ(std::count(events.begin(), events.end(), "dock Copied"), 0);
}

TEST_F(BarsTest, ABarFreedByItsOwnVisibleChangeHandlerLeavesNothingBehind)
{
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), Make("One"));
    manager->OnBarVisibleChange = [](TzqBarManager*, TzqBar* b) { delete b; };
    bar->SetVisible(true);
    EXPECT_EQ(manager->Bars()->Count(), 0);
    EXPECT_EQ(manager->ItemByName("One")->LinkCount(), 0);
}

TEST_F(BarsTest, AssignCopiesTheBar)
{
    TzqBar* source = AddBar("Source");
    source->SetAllowClose(false);
    source->SetIsMainMenu(true);
    source->SetRow(2);
    source->SetDockedLeft(7);
    source->SetFloatLeft(300);
    source->SetFloatClientWidth(90);
    source->SetNotDocking({TzqBarDockingStyle::dsLeft});
    source->SetDockingStyle(TzqBarDockingStyle::dsRight);
    source->SetUseRecentItems(false);
    source->SetVisible(true);
    Link(source->ItemLinks(), Make("One"));
    TFont font;
    font.SetName("Courier New");
    source->SetFont(font);

    TzqBar* target = AddBar("Target");
    target->Assign(*source);
    EXPECT_EQ(target->Caption(), "Target"); // the caption is another bar's
    EXPECT_FALSE(target->AllowClose());
    EXPECT_TRUE(target->IsMainMenu());
    EXPECT_EQ(manager->MainMenuBar(), target);
    EXPECT_EQ(target->Row(), 2);
    EXPECT_EQ(target->DockedLeft(), 7);
    EXPECT_EQ(target->FloatLeft(), 300);
    EXPECT_EQ(target->FloatClientWidth(), 90);
    EXPECT_EQ(target->NotDocking(), TzqBarDockingStyles{TzqBarDockingStyle::dsLeft});
    EXPECT_EQ(target->DockingStyle(), TzqBarDockingStyle::dsRight);
    EXPECT_FALSE(target->UseRecentItems());
    EXPECT_TRUE(target->Visible());
    EXPECT_TRUE(target->UseOwnFont());
    EXPECT_EQ(target->Font()->Name(), "Courier New");
    ASSERT_EQ(target->ItemLinks()->Count(), 1);
    EXPECT_EQ(target->ItemLinks()->Items(0)->Item()->Name(), "One");
}

TEST_F(BarsTest, GroupsSwitchTheirMembersThroughMemberGroups)
{
    auto* outer = new TzqBarGroup(form);
    auto* inner = new TzqBarGroup(form);
    TzqBarButton* a = Make("A");
    TzqBarButton* b = Make("B");
    outer->Add(a);
    outer->Add(inner);
    inner->Add(b);
    outer->Add(a);            // present already
    outer->Add(manager);      // neither an item nor a group
    EXPECT_EQ(outer->Count(), 2);
    EXPECT_EQ(manager->GroupCount(), 2);

    outer->SetEnabled(false);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(inner->Enabled());
    outer->SetVisible(TzqBarItemVisible::ivNever);
    EXPECT_EQ(b->Visible(), TzqBarItemVisible::ivNever);
    EXPECT_FALSE(manager->LockUpdate());

    for (TzqBarGroup* member : {outer, inner}) {
        try {
            inner->Add(member);
            ADD_FAILURE() << "a recursive group was made";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "You cannot create recursive groups");
        }
    }
    delete b;
    EXPECT_EQ(inner->Count(), 0);
    delete inner;
    EXPECT_EQ(outer->Count(), 1);
    EXPECT_EQ(manager->GroupCount(), 1);
}

TEST_F(BarsTest, GroupMembersNamedWhileLoadingAreResolvedAtTheEnd)
{
    manager->BeginLoading();
    auto* group = new TzqBarGroup(form);
    group->SetItemNames({"Later", "Missing"});
    TzqBarButton* later = Make("Later");
    manager->EndLoading();
    ASSERT_EQ(group->Count(), 1);
    EXPECT_EQ(group->Items(0), later);
    EXPECT_EQ(group->ItemNames(), std::vector<std::string>{"Later"});
}

TEST_F(BarsTest, APopupMenuNeedsAManagerAndServesAControlsPopupMenuSlot)
{
    {
        TForm lonely(nullptr);
        TzqBarManager* only = manager;
        delete only;
        manager = nullptr;
        try {
            new TzqBarPopupMenu(&lonely);
            FAIL() << "a popup menu was made without a manager";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "There are no TzqBarManagers available");
        }
        EXPECT_EQ(lonely.ComponentCount(), 0);
    }
    manager = new TzqBarManager(form);
    auto* popup = new TzqBarPopupMenu(form);
    EXPECT_EQ(popup->BarManager(), manager);
    EXPECT_EQ(manager->PopupMenuCount(), 1);
    int runs = 0;
    TzqBarButton* copy = Make("Copy");
    copy->SetShortCut(ShortCut('C', {TShiftStateFlag::ssCtrl}));
    copy->OnClick = [&](TObject*) { ++runs; };
    Link(popup->ItemLinks(), copy);

    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetPopupMenu(popup);
    EXPECT_EQ(panel->PopupMenu(), popup);
    EXPECT_TRUE(panel->PopupMenu()->IsShortCut(copy->ShortCut()));
    EXPECT_EQ(runs, 1);
    delete popup;
    EXPECT_EQ(panel->PopupMenu(), nullptr);
    EXPECT_EQ(manager->PopupMenuCount(), 0);
}

TEST_F(BarsTest, PopupMenuLinksTakeControlsOfTheFormAndForgetWhatGoes)
{
    auto* popup = new TzqBarPopupMenu(form);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    TForm otherForm(nullptr);
    auto* stranger = new TPanel(&otherForm);
    stranger->SetParent(&otherForm);

    TzqBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
    link->SetControl(stranger);
    EXPECT_EQ(link->Control(), nullptr);
    link->SetControl(panel);
    link->SetPopupMenu(popup);
    EXPECT_EQ(manager->PopupMenuLinks()->FindByControl(panel), link);
    delete popup;
    EXPECT_EQ(link->PopupMenu(), nullptr);
    delete panel;
    EXPECT_EQ(link->Control(), nullptr);
}

TEST_F(BarsTest, AManagerFreedFirstLeavesItsItemsUsable)
{
    TzqBarButton* button = Make("Button");
    auto* sub = Make<TzqBarSubItem>("Sub");
    Link(sub->ItemLinks(), button);
    Link(AddBar("Tools")->ItemLinks(), button);
    new TzqBarPopupMenu(form);
    new TzqBarGroup(form);
    delete manager;
    manager = nullptr;
    EXPECT_EQ(button->BarManager(), nullptr);
    EXPECT_EQ(button->LinkCount(), 1); // the submenu still shows it
    button->SetVisible(TzqBarItemVisible::ivNever);
    button->DirectClick();
    delete sub;
    EXPECT_EQ(button->LinkCount(), 0);
}

} // namespace
