// The model: defaults, ranges of the numeric properties, the active-group rules, the
// caption event, Assign of side bar, group and item, and items linked to stored items.
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarFlatPainter.h"
#include "sidebar/SideBarFlatViewInfo.h"
#include "sidebar/SideBarStandardPainter.h"
#include "sidebar/SideBarStandardViewInfo.h"
#include "sidebar/SideBarW2KPainter.h"
#include "sidebar/SideBarW2KViewInfo.h"
#include "sidebar/SideBarXPPainter.h"
#include "sidebar/SideBarXPViewInfo.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"
#include "sidebar/tests/SideBarFixture.h"

#include "platform/controls/PopupMenu.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/Picture.h"

#include <functional>
#include <vector>

namespace {

using Model = SideBarTest;

TEST_F(Model, DefaultsOfANewSideBar)
{
    auto bar = NewSideBar();
    EXPECT_EQ(bar->Width(), 150);
    EXPECT_EQ(bar->Height(), 300);
    EXPECT_EQ(bar->Align(), TAlign::alLeft);
    EXPECT_EQ(bar->Color(), clGrayText);
    EXPECT_EQ(bar->ItemFont()->Color(), clWindow);
    EXPECT_EQ(bar->PaintStyle(), TzqsbPaintStyle::sbpsFlat);
    EXPECT_EQ(bar->SpaceHeight(), 7);
    EXPECT_EQ(bar->ScrollDelay(), 300);
    EXPECT_EQ(bar->GroupHeightOffSet(), 0);
    EXPECT_TRUE(bar->ShowGroups());
    EXPECT_FALSE(bar->CanSelected());
    EXPECT_FALSE(bar->TransparentImages());
    EXPECT_EQ(bar->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(bar->BevelOuter(), TBevelCut::bvNone);
    EXPECT_EQ(bar->BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(bar->Groups()->Count(), 0);
    EXPECT_EQ(bar->ActiveGroup(), nullptr);
    EXPECT_FALSE(bar->BkPicture()->HasGraphic());
    EXPECT_EQ(bar->BkGround()->BeginColor(), clGrayText);
    EXPECT_EQ(bar->BkGround()->EndColor(), clGrayText);
    EXPECT_EQ(bar->BkGround()->FillStyle(), TzqSideBarFillStyle::bfsNone);
    EXPECT_EQ(bar->BkGround()->Step(), 2);

    TzqSideGroup* group = bar->Groups()->Add();
    EXPECT_EQ(group->Caption(), "New Group");
    EXPECT_EQ(group->IconType(), TzqSideGroupIconType::zqsgLargeIcon);
    EXPECT_TRUE(group->Visible());
    EXPECT_EQ(group->TopItemIndex(), 0);
    TzqSideBarItem* item = group->Items()->Add();
    EXPECT_EQ(item->Caption(), "");
    EXPECT_EQ(item->LargeImage(), -1);
    EXPECT_EQ(item->SmallImage(), -1);
    EXPECT_TRUE(item->IsDefault());
    EXPECT_TRUE(item->Enabled());
    EXPECT_EQ(item->StoredItem(), nullptr);
    EXPECT_EQ(item->Tag(), 0);
}

// Each numeric property takes values inside its range and ignores the rest silently.
TEST_F(Model, NumericPropertiesIgnoreValuesOutsideTheirRanges)
{
    struct Case {
        const char* name;
        std::function<void(TzqSideBar&, int)> set;
        std::function<int(TzqSideBar&)> get;
        int initial;
        std::vector<int> ignored;
        std::vector<int> taken;
    };
    const std::vector<Case> cases = {
        {"GroupHeightOffSet", [](TzqSideBar& b, int v) { b.SetGroupHeightOffSet(v); },
         [](TzqSideBar& b) { return b.GroupHeightOffSet(); }, 0, {-1, 10, 1000}, {9, 1, 0}},
        {"SpaceHeight", [](TzqSideBar& b, int v) { b.SetSpaceHeight(v); }, [](TzqSideBar& b) { return b.SpaceHeight(); },
         7, {4, 0, -5}, {5, 11, 1000000}},
        {"ScrollDelay", [](TzqSideBar& b, int v) { b.SetScrollDelay(v); }, [](TzqSideBar& b) { return b.ScrollDelay(); },
         300, {0, -1}, {1, 50}},
        {"BkGround.Step", [](TzqSideBar& b, int v) { b.BkGround()->SetStep(v); },
         [](TzqSideBar& b) { return b.BkGround()->Step(); }, 2, {0, -3}, {1, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bar = NewSideBar();
        for (int v : c.ignored) {
            c.set(*bar, v);
            EXPECT_EQ(c.get(*bar), c.initial) << "value " << v;
        }
        for (int v : c.taken) {
            c.set(*bar, v);
            EXPECT_EQ(c.get(*bar), v);
        }
    }
}

TEST_F(Model, FirstGroupAddedBecomesActiveAndLaterOnesDoNot)
{
    auto bar = NewSideBar();
    int changes = 0;
    bar->OnChangeActiveGroup = [&](TObject* sender) {
        EXPECT_EQ(sender, bar.get());
        ++changes;
    };
    TzqSideGroup* first = bar->Groups()->Add();
    TzqSideGroup* second = bar->Groups()->Add();
    EXPECT_EQ(bar->ActiveGroup(), first);
    EXPECT_EQ(changes, 1);
    bar->SetActiveGroup(second);
    EXPECT_EQ(bar->ActiveGroup(), second);
    EXPECT_EQ(changes, 2);
}

TEST_F(Model, WhenTheActiveGroupGoesTheFirstVisibleOneTakesOver)
{
    auto bar = NewSideBar();
    TzqSideGroup* a = bar->Groups()->Add();
    TzqSideGroup* b = bar->Groups()->Add();
    TzqSideGroup* c = bar->Groups()->Add();
    a->SetVisible(false);
    bar->SetActiveGroup(c);
    delete c;
    EXPECT_EQ(bar->ActiveGroup(), b) << "a is hidden, so b is the first visible group";

    // Hiding the active group moves activity the same way.
    a->SetVisible(true);
    b->SetVisible(false);
    EXPECT_EQ(bar->ActiveGroup(), a);

    // No visible group: no active group; showing one makes it active.
    a->SetVisible(false);
    EXPECT_EQ(bar->ActiveGroup(), nullptr);
    b->SetVisible(true);
    EXPECT_EQ(bar->ActiveGroup(), b);

    bar->Groups()->Clear();
    EXPECT_EQ(bar->ActiveGroup(), nullptr);
}

TEST_F(Model, HiddenGroupsCannotBeMadeActive)
{
    auto bar = NewSideBar();
    TzqSideGroup* a = bar->Groups()->Add();
    TzqSideGroup* b = bar->Groups()->Add();
    b->SetVisible(false);
    bar->SetActiveGroup(b);
    EXPECT_EQ(bar->ActiveGroup(), a);
}

TEST_F(Model, ActiveGroupIndexCountsVisibleGroupsOnly)
{
    auto bar = NewSideBar();
    TzqSideGroup* g0 = bar->Groups()->Add();
    TzqSideGroup* g1 = bar->Groups()->Add();
    TzqSideGroup* g2 = bar->Groups()->Add();
    TzqSideGroup* g3 = bar->Groups()->Add();
    g1->SetVisible(false);

    struct Case {
        int index;
        TzqSideGroup* expected;
    };
    for (const Case& c : {Case{1, g2}, Case{2, g3}, Case{0, g0}, Case{3, g0}, Case{-1, g0}, Case{2, g3}, Case{99, g0}}) {
        bar->SetActiveGroupIndex(c.index);
        EXPECT_EQ(bar->ActiveGroup(), c.expected) << "index " << c.index;
    }
    bar->SetActiveGroup(g3);
    EXPECT_EQ(bar->ActiveGroupIndex(), 2);
    bar->SetActiveGroup(g2);
    EXPECT_EQ(bar->ActiveGroupIndex(), 1);
}

TEST_F(Model, LoadingAddsGroupsQuietlyAndAppliesTheActiveGroupIndexAtTheEnd)
{
    auto bar = NewSideBar();
    int changes = 0;
    bar->OnChangeActiveGroup = [&](TObject*) { ++changes; };
    bar->BeginLoading();
    bar->SetActiveGroupIndex(2);
    bar->Groups()->Add();
    bar->Groups()->Add();
    TzqSideGroup* c = bar->Groups()->Add();
    EXPECT_EQ(bar->ActiveGroup(), nullptr) << "groups loaded do not become active one by one";
    bar->EndLoading();
    EXPECT_EQ(bar->ActiveGroup(), c);
    EXPECT_EQ(changes, 1);

    // Without a stored index the first visible group is active.
    auto other = NewSideBar();
    other->BeginLoading();
    other->Groups()->Add()->SetVisible(false);
    TzqSideGroup* shown = other->Groups()->Add();
    other->EndLoading();
    EXPECT_EQ(other->ActiveGroup(), shown);
}

TEST_F(Model, ATopItemIndexStartsAgainWhenTheGroupBecomesActiveOrChangesIconType)
{
    auto bar = NewSideBar();
    TzqSideGroup* a = AddGroup(bar.get(), "A", 5);
    TzqSideGroup* b = AddGroup(bar.get(), "B", 5);
    a->SetTopItemIndex(3);
    EXPECT_EQ(a->TopItemIndex(), 3);
    a->SetTopItemIndex(5); // past the last item: ignored
    EXPECT_EQ(a->TopItemIndex(), 3);
    a->SetIconType(TzqSideGroupIconType::zqsgSmallIcon);
    EXPECT_EQ(a->TopItemIndex(), 0);

    b->SetTopItemIndex(2);
    bar->SetActiveGroup(b);
    EXPECT_EQ(b->TopItemIndex(), 0);
}

TEST_F(Model, CaptionChangeFiresTheEventWithTheGroupAsSenderAndGroup)
{
    auto bar = NewSideBar();
    TzqSideGroup* group = bar->Groups()->Add();
    std::vector<std::pair<TObject*, TzqSideGroup*>> calls;
    bar->OnChangeGroupCaption = [&](TObject* sender, TzqSideGroup* g) { calls.emplace_back(sender, g); };
    group->SetCaption("Mail");
    group->SetCaption("Mail"); // no change, no event
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, group);
    EXPECT_EQ(calls[0].second, group);

    // Not while loading, nor while the group is being assigned.
    bar->BeginLoading();
    group->SetCaption("Loading");
    bar->EndLoading();
    TzqSideGroup* other = bar->Groups()->Add();
    other->SetCaption("Other");
    calls.clear();
    group->Assign(*other);
    EXPECT_EQ(group->Caption(), "Other");
    EXPECT_TRUE(calls.empty());
}

TEST_F(Model, GroupAssignCopiesCaptionIconTypeVisibilityAndItems)
{
    auto bar = NewSideBar();
    TzqSideGroup* source = AddGroup(bar.get(), "Source", 3, TzqSideGroupIconType::zqsgSmallIcon);
    source->SetVisible(false);
    TzqSideGroup* target = AddGroup(bar.get(), "Target", 7);
    target->SetTopItemIndex(4);
    target->Assign(*source);
    EXPECT_EQ(target->Caption(), "Source");
    EXPECT_EQ(target->IconType(), TzqSideGroupIconType::zqsgSmallIcon);
    EXPECT_FALSE(target->Visible());
    ASSERT_EQ(target->Items()->Count(), 3);
    EXPECT_EQ(target->Items()->Items(2)->Caption(), "Source 3");
    EXPECT_EQ(target->TopItemIndex(), 0);
}

TEST_F(Model, ItemAssignCopiesWhatTheItemShowsAndItsLink)
{
    auto bar = NewSideBar();
    TzqSideGroup* group = bar->Groups()->Add();
    TzqStoredSideItem stored;
    stored.SetCaption("Stored");
    stored.SetHint("Stored hint");
    stored.SetLargeImage(4);
    stored.SetSmallImage(5);
    TzqSideBarItem* source = group->Items()->Add();
    source->SetStoredItem(&stored);
    source->SetTag(42);
    source->SetCustomData("data");
    TzqSideBarItem* target = group->Items()->Add();
    target->Assign(*source);
    EXPECT_EQ(target->StoredItem(), &stored);
    EXPECT_TRUE(target->IsDefault());
    EXPECT_EQ(target->Caption(), "Stored");
    EXPECT_EQ(target->Hint(), "Stored hint");
    EXPECT_EQ(target->LargeImage(), 4);
    EXPECT_EQ(target->SmallImage(), 5);
    EXPECT_EQ(target->Tag(), 42);
    EXPECT_EQ(target->CustomData(), "data");
    // The copy's own values are what the source showed: unlinking keeps them.
    target->SetIsDefault(false);
    EXPECT_EQ(target->Hint(), "Stored hint");
}

TEST_F(Model, SideBarAssignTakesStoreGroupsAndImageListsFromAnotherSideBarOnly)
{
    auto source = NewSideBar();
    TzqSideBarStore store;
    TImageList large(32, 32), small(16, 16);
    source->SetStore(&store);
    AddGroup(source.get(), "One", 2);
    TzqSideGroup* two = AddGroup(source.get(), "Two", 3);
    source->SetActiveGroup(two);
    source->SetLargeImages(&large);
    source->SetSmallImages(&small);

    auto target = NewSideBar();
    AddGroup(target.get(), "Old", 1);
    target->Assign(*source);
    EXPECT_EQ(target->Store(), &store);
    EXPECT_EQ(target->LargeImages(), &large);
    EXPECT_EQ(target->SmallImages(), &small);
    ASSERT_EQ(target->Groups()->Count(), 2);
    EXPECT_EQ(target->Groups()->Items(1)->Items()->Count(), 3);
    EXPECT_EQ(target->ActiveGroup(), target->Groups()->Items(0)) << "the first group is active after Assign";
    EXPECT_EQ(store.SideBarCount(), 2);

    // Anything else is ignored.
    TzqSideBarBackGround notASideBar;
    target->Assign(notASideBar);
    EXPECT_EQ(target->Groups()->Count(), 2);
}

TEST_F(Model, AssigningGroupsCopiesThemAndActivatesTheFirst)
{
    auto source = NewSideBar();
    AddGroup(source.get(), "A", 1);
    AddGroup(source.get(), "B", 2);
    auto target = NewSideBar();
    AddGroup(target.get(), "X", 1);
    AddGroup(target.get(), "Y", 1);
    target->SetActiveGroupIndex(1);
    target->SetGroups(*source->Groups());
    ASSERT_EQ(target->Groups()->Count(), 2);
    EXPECT_EQ(target->Groups()->Items(1)->Caption(), "B");
    EXPECT_EQ(target->ActiveGroup(), target->Groups()->Items(0));
}

TEST_F(Model, ChangingTheStoreFirstRemovesEveryGroup)
{
    auto bar = NewSideBar();
    TzqSideBarStore first, second;
    bar->SetStore(&first);
    AddGroup(bar.get(), "A", 2);
    bar->SetStore(&first); // the same store: nothing happens
    EXPECT_EQ(bar->Groups()->Count(), 1);
    bar->SetStore(&second);
    EXPECT_EQ(bar->Groups()->Count(), 0);
    EXPECT_EQ(first.SideBarCount(), 0);
    ASSERT_EQ(second.SideBarCount(), 1);
    EXPECT_EQ(second.SideBars(0), bar.get());

    // Not while loading: the loaded groups stay.
    AddGroup(bar.get(), "B", 1);
    bar->BeginLoading();
    bar->SetStore(&first);
    bar->EndLoading();
    EXPECT_EQ(bar->Groups()->Count(), 1);
}

TEST_F(Model, ReferencesToDestroyedComponentsAreCleared)
{
    auto bar = NewSideBar();
    auto store = std::make_unique<TzqSideBarStore>();
    auto large = std::make_unique<TImageList>(32, 32);
    auto groupMenu = std::make_unique<TPopupMenu>();
    auto itemMenu = std::make_unique<TPopupMenu>();
    bar->SetStore(store.get());
    bar->SetLargeImages(large.get());
    bar->SetGroupPopupMenu(groupMenu.get());
    bar->SetItemPopupMenu(itemMenu.get());
    AddGroup(bar.get(), "A", 1);
    large.reset();
    EXPECT_EQ(bar->LargeImages(), nullptr);
    groupMenu.reset();
    EXPECT_EQ(bar->GroupPopupMenu(), nullptr);
    EXPECT_EQ(bar->ItemPopupMenu(), itemMenu.get());
    itemMenu.reset();
    EXPECT_EQ(bar->ItemPopupMenu(), nullptr);
    store.reset();
    EXPECT_EQ(bar->Store(), nullptr);
    EXPECT_EQ(bar->Groups()->Count(), 1) << "a store that goes does not take the groups";
}

TEST_F(Model, WithoutImageListsOfItsOwnTheSideBarUsesTheStores)
{
    auto bar = NewSideBar();
    TzqSideBarStore store;
    TImageList storeLarge(48, 48), own(24, 24);
    store.SetLargeImages(&storeLarge);
    bar->SetStore(&store);
    EXPECT_EQ(bar->LargeImagesInUse(), &storeLarge);
    EXPECT_EQ(bar->SmallImagesInUse(), nullptr);
    bar->SetLargeImages(&own);
    EXPECT_EQ(bar->LargeImagesInUse(), &own);
}

// ---- Items linked to stored items ----

class LinkedItem : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        bar = NewSideBar();
        stored.SetCaption("Open");
        stored.SetHint("Opens a file");
        stored.SetLargeImage(2);
        stored.SetSmallImage(3);
        stored.SetTag(9);
        item = bar->Groups()->Add()->Items()->Add();
        item->SetStoredItem(&stored);
    }
    std::unique_ptr<TzqSideBar> bar;
    TzqStoredSideItem stored;
    TzqSideBarItem* item = nullptr;
};

TEST_F(LinkedItem, LinkingCopiesCaptionImagesAndTagAndShowsTheStoredValues)
{
    EXPECT_TRUE(item->IsDefault());
    EXPECT_EQ(item->Caption(), "Open");
    EXPECT_EQ(item->LargeImage(), 2);
    EXPECT_EQ(item->SmallImage(), 3);
    EXPECT_EQ(item->Tag(), 9);
    // While IsDefault, the stored item's later changes show through.
    stored.SetCaption("Open...");
    stored.SetEnabled(false);
    stored.SetHint("New hint");
    EXPECT_EQ(item->Caption(), "Open...");
    EXPECT_FALSE(item->Enabled());
    EXPECT_EQ(item->Hint(), "New hint");
}

// Each of caption, hint, images and enabled state: the stored value keeps IsDefault,
// a different one clears it and is then shown.
TEST_F(LinkedItem, AValueDifferentFromTheStoredOneClearsIsDefault)
{
    struct Case {
        const char* name;
        std::function<void()> setSame;
        std::function<void()> setDifferent;
        std::function<bool()> showsDifferent;
    };
    const std::vector<Case> cases = {
        {"Caption", [&] { item->SetCaption("Open"); }, [&] { item->SetCaption("Mine"); },
         [&] { return item->Caption() == "Mine"; }},
        {"Hint", [&] { item->SetHint("Opens a file"); }, [&] { item->SetHint("My hint"); },
         [&] { return item->Hint() == "My hint"; }},
        {"LargeImage", [&] { item->SetLargeImage(2); }, [&] { item->SetLargeImage(7); },
         [&] { return item->LargeImage() == 7; }},
        {"SmallImage", [&] { item->SetSmallImage(3); }, [&] { item->SetSmallImage(0); },
         [&] { return item->SmallImage() == 0; }},
        {"Enabled", [&] { item->SetEnabled(true); }, [&] { item->SetEnabled(false); },
         [&] { return !item->Enabled(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        item->SetIsDefault(true);
        c.setSame();
        EXPECT_TRUE(item->IsDefault());
        c.setDifferent();
        EXPECT_FALSE(item->IsDefault());
        EXPECT_TRUE(c.showsDifferent());
        // The stored item no longer shows through.
        stored.SetCaption("Changed");
        EXPECT_NE(item->Caption(), "Changed");
        stored.SetCaption("Open");
    }
}

TEST_F(LinkedItem, SettingIsDefaultCopiesTheStoredValuesBack)
{
    item->SetCaption("Mine");
    item->SetEnabled(false);
    ASSERT_FALSE(item->IsDefault());
    item->SetIsDefault(true);
    EXPECT_EQ(item->Caption(), "Open");
    EXPECT_TRUE(item->Enabled());
    // The copies are the item's own: they stay when the link is cut.
    item->SetStoredItem(nullptr);
    EXPECT_EQ(item->Caption(), "Open");
    EXPECT_EQ(item->Hint(), "Opens a file");
    EXPECT_EQ(item->LargeImage(), 2);
}

TEST_F(LinkedItem, LinkingWhileLoadingKeepsTheItemsOwnValues)
{
    TzqSideBarItem* loaded = bar->Groups()->Items(0)->Items()->Add();
    loaded->SetCaption("Loaded");
    loaded->SetIsDefault(false);
    bar->BeginLoading();
    loaded->SetStoredItem(&stored);
    bar->EndLoading();
    EXPECT_EQ(loaded->StoredItem(), &stored);
    EXPECT_FALSE(loaded->IsDefault());
    EXPECT_EQ(loaded->Caption(), "Loaded");
}

TEST_F(LinkedItem, AStoredItemThatGoesLeavesTheItemWithWhatItShowed)
{
    {
        TzqStoredSideItem temporary;
        temporary.SetCaption("Temporary");
        temporary.SetHint("Temporary hint");
        item->SetStoredItem(&temporary);
        temporary.SetHint("Shown hint");
    }
    EXPECT_EQ(item->StoredItem(), nullptr);
    EXPECT_EQ(item->Caption(), "Temporary");
    EXPECT_EQ(item->Hint(), "Shown hint");
}

// ---- The state the pointer handling changes ----

TEST_F(Model, RemovedItemsAndGroupsAreForgottenByTheState)
{
    auto bar = NewSideBar();
    bar->SetCanSelected(true);
    TzqSideGroup* a = AddGroup(bar.get(), "A", 3);
    TzqSideGroup* b = AddGroup(bar.get(), "B", 1);
    std::vector<TzqSideBarItem*> deleted;
    bar->OnDeleteItem = [&](TObject* sender, TzqSideBarItem* item) {
        EXPECT_EQ(sender, bar.get());
        deleted.push_back(item);
    };
    TzqSideBarItem* first = a->Items()->Items(0);
    TzqSideBarItem* second = a->Items()->Items(1);
    bar->SetFocusedItem(first, true);
    bar->SetSelectedItem(second);
    bar->SetHotGroup(b, true);
    a->Items()->Delete(0);
    EXPECT_EQ(deleted, std::vector<TzqSideBarItem*>{first});
    EXPECT_EQ(bar->FocusedItem(), nullptr);
    EXPECT_FALSE(bar->FocusedItemPressed());
    EXPECT_EQ(bar->SelectedItem(), second);
    delete second;
    EXPECT_EQ(bar->SelectedItem(), nullptr);
    b->Collection()->Delete(b->Index());
    EXPECT_EQ(bar->HotGroup(), nullptr);
    // The side bar's own destruction deletes the rest, after `deleted` is gone.
    bar->OnDeleteItem = nullptr;
}

TEST_F(Model, FocusAndSelectionChangesFireTheirEventsOnce)
{
    auto bar = NewSideBar();
    bar->SetCanSelected(true);
    TzqSideGroup* group = AddGroup(bar.get(), "A", 2);
    int focused = 0, selected = 0;
    bar->OnChangeFocusedItem = [&](TObject* sender) {
        EXPECT_EQ(sender, bar.get());
        ++focused;
    };
    bar->OnChangeSelectedItem = [&](TObject* sender) {
        EXPECT_EQ(sender, bar.get());
        ++selected;
    };
    TzqSideBarItem* a = group->Items()->Items(0);
    TzqSideBarItem* b = group->Items()->Items(1);
    bar->SetFocusedItem(a);
    bar->SetFocusedItem(a, true); // pressed: the same item, no event
    EXPECT_TRUE(bar->FocusedItemPressed());
    bar->SetFocusedItem(b);
    EXPECT_FALSE(bar->FocusedItemPressed());
    bar->SetFocusedItem(nullptr, true);
    EXPECT_FALSE(bar->FocusedItemPressed()) << "nothing focused shows nothing pressed";
    EXPECT_EQ(focused, 3);
    bar->SetSelectedItem(a);
    bar->SetSelectedItem(a);
    bar->SetSelectedItem(nullptr);
    EXPECT_EQ(selected, 2);
}

TEST_F(Model, SelectionNeedsCanSelected)
{
    auto bar = NewSideBar();
    TzqSideBarItem* item = AddGroup(bar.get(), "A", 1)->Items()->Items(0);
    bar->SetSelectedItem(item);
    EXPECT_EQ(bar->SelectedItem(), nullptr);
    bar->SetCanSelected(true);
    bar->SetSelectedItem(item);
    EXPECT_EQ(bar->SelectedItem(), item);
    bar->SetCanSelected(false);
    EXPECT_EQ(bar->SelectedItem(), nullptr);
}

TEST_F(Model, EachPaintStyleHasItsPainterAndViewInformation)
{
    auto bar = NewSideBar();
    struct Case {
        TzqsbPaintStyle style;
        std::function<bool(TzqSideBarPainter*)> painterIs;
        std::function<bool(TzqSideBarViewInfo*)> viewInfoIs;
        bool hotTracking;
    };
    const std::vector<Case> cases = {
        {TzqsbPaintStyle::sbpsStandard, [](auto* p) { return dynamic_cast<TzqSideBarStandardPainter*>(p) != nullptr; },
         [](auto* v) { return dynamic_cast<TzqSideBarStandardViewInfo*>(v) != nullptr; }, false},
        {TzqsbPaintStyle::sbpsFlat,
         [](auto* p) { return dynamic_cast<TzqSideBarFlatPainter*>(p) && !dynamic_cast<TzqSideBarW2KPainter*>(p); },
         [](auto* v) { return dynamic_cast<TzqSideBarFlatViewInfo*>(v) && !dynamic_cast<TzqSideBarW2KViewInfo*>(v); },
         true},
        {TzqsbPaintStyle::sbpsW2K,
         // W2K is a kind of Flat.
         [](auto* p) { return dynamic_cast<TzqSideBarW2KPainter*>(p) && dynamic_cast<TzqSideBarFlatPainter*>(p); },
         [](auto* v) { return dynamic_cast<TzqSideBarW2KViewInfo*>(v) && dynamic_cast<TzqSideBarFlatViewInfo*>(v); },
         true},
        {TzqsbPaintStyle::sbpsXP, [](auto* p) { return dynamic_cast<TzqSideBarXPPainter*>(p) != nullptr; },
         [](auto* v) { return dynamic_cast<TzqSideBarXPViewInfo*>(v) != nullptr; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        bar->SetPaintStyle(c.style);
        EXPECT_TRUE(c.painterIs(bar->Painter()));
        EXPECT_TRUE(c.viewInfoIs(bar->ViewInfo()));
        EXPECT_EQ(bar->Painter()->HotTrackHeaders(), c.hotTracking);
        EXPECT_EQ(bar->ViewInfo()->Painter(), bar->Painter());
    }
}

TEST_F(Model, APaintStyleChangeTurnsASingleBorderOff)
{
    auto bar = NewSideBar();
    bar->SetBorderStyle(TBorderStyle::bsSingle);
    bar->SetPaintStyle(TzqsbPaintStyle::sbpsFlat); // unchanged: the border stays
    EXPECT_EQ(bar->BorderStyle(), TBorderStyle::bsSingle);
    bar->SetPaintStyle(TzqsbPaintStyle::sbpsStandard);
    EXPECT_EQ(bar->BorderStyle(), TBorderStyle::bsNone);
}

} // namespace
