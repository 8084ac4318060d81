// The store and its stored items: the action link (values carried only while the stored
// item still shows the action's, defaults filled after loading), the store's lifetime
// (its stored items go last first, its side bars forget it), default images, deletion
// events of side-bar items, and what a form writer asks of store and stored item.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/controls/Action.h"
#include "platform/drawing/Region.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItemActionLink.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

#include <vector>

namespace {

// ---- Action link ----

class ActionLink : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        action.SetCaption("Print");
        action.SetHint("Prints the chart");
        action.SetImageIndex(4);
        stored.SetSmallImage(2);
    }
    TAction action;
    TzqStoredSideItem stored;
};

TEST_F(ActionLink, SettingTheActionTakesItsValuesAndNoneFreesTheLink)
{
    stored.SetAction(&action);
    EXPECT_EQ(stored.Action(), &action);
    ASSERT_NE(stored.ActionLink(), nullptr);
    EXPECT_EQ(stored.Caption(), "Print");
    EXPECT_EQ(stored.Hint(), "Prints the chart");
    EXPECT_EQ(stored.LargeImage(), 4);
    EXPECT_EQ(stored.SmallImage(), 2) << "the image index goes to the large image only";
    EXPECT_TRUE(stored.Enabled());
    EXPECT_EQ(action.ClientCount(), 1);

    stored.SetAction(nullptr);
    EXPECT_EQ(stored.ActionLink(), nullptr);
    EXPECT_EQ(action.ClientCount(), 0);
    EXPECT_EQ(stored.Caption(), "Print") << "the values taken stay";
}

TEST_F(ActionLink, AValueOfTheStoredItemsOwnStaysWhenTheActionChanges)
{
    stored.SetAction(&action);
    stored.SetCaption("My print"); // own caption
    stored.SetLargeImage(9);       // own image
    action.SetCaption("Print all");
    action.SetHint("Prints every page");
    action.SetImageIndex(5);
    action.SetEnabled(false);
    EXPECT_EQ(stored.Caption(), "My print");
    EXPECT_EQ(stored.LargeImage(), 9);
    EXPECT_EQ(stored.Hint(), "Prints every page") << "still the action's, so it follows";
    EXPECT_FALSE(stored.Enabled());

    // A value set back to the action's follows it again.
    stored.SetCaption("Print all");
    action.SetCaption("Print again");
    EXPECT_EQ(stored.Caption(), "Print again");
}

TEST_F(ActionLink, LinkedItemsInASideBarShowWhatTheActionSets)
{
    auto bar = NewSideBar();
    TzqSideBarItem* item = AddGroup(bar.get(), "G", 1)->Items()->Items(0);
    stored.SetAction(&action);
    item->SetStoredItem(&stored);
    action.SetCaption("Print now");
    action.SetEnabled(false);
    EXPECT_EQ(item->Caption(), "Print now");
    EXPECT_FALSE(item->Enabled());
    item->SetStoredItem(nullptr);
}

TEST_F(ActionLink, HidingTheActionDisablesTheStoredItemAndShowingItEnablesItAgain)
{
    stored.SetAction(&action);
    action.SetVisible(false);
    EXPECT_FALSE(stored.Enabled());
    action.SetVisible(true);
    EXPECT_TRUE(stored.Enabled());

    // Shown again while the action is disabled: stays disabled.
    action.SetVisible(false);
    action.SetEnabled(false);
    action.SetVisible(true);
    EXPECT_FALSE(stored.Enabled());
    action.SetEnabled(true);
    EXPECT_TRUE(stored.Enabled());

    // A stored item disabled on its own stays disabled through hiding and showing.
    stored.SetEnabled(false);
    action.SetVisible(false);
    action.SetVisible(true);
    EXPECT_FALSE(stored.Enabled());
}

TEST_F(ActionLink, AfterLoadingOnlyValuesStillAtTheirDefaultsAreFilled)
{
    TComponent form;
    auto* loadedAction = new TAction(&form);
    auto* loaded = new TzqStoredSideItem(&form);
    form.BeginLoading();
    loadedAction->SetCaption("Open");
    loadedAction->SetHint("Opens a chart");
    loadedAction->SetImageIndex(1);
    loadedAction->SetEnabled(false);
    loaded->SetCaption("My open"); // read from the form file before the action
    loaded->SetAction(loadedAction);
    EXPECT_EQ(loaded->Caption(), "My open") << "the action is loading: defaults only";
    form.EndLoading();
    EXPECT_EQ(loaded->Caption(), "My open");
    EXPECT_EQ(loaded->Hint(), "Opens a chart");
    EXPECT_EQ(loaded->LargeImage(), 1);
    EXPECT_FALSE(loaded->Enabled());

    // An empty caption counts as the default too.
    TComponent other;
    auto* action2 = new TAction(&other);
    auto* loaded2 = new TzqStoredSideItem(&other);
    other.BeginLoading();
    action2->SetCaption("Save");
    loaded2->SetCaption("");
    loaded2->SetHint("Own hint");
    loaded2->SetLargeImage(7);
    loaded2->SetAction(action2);
    other.EndLoading();
    EXPECT_EQ(loaded2->Caption(), "Save");
    EXPECT_EQ(loaded2->Hint(), "Own hint");
    EXPECT_EQ(loaded2->LargeImage(), 7);
}

TEST_F(ActionLink, ADestroyedActionIsDropped)
{
    auto temporary = std::make_unique<TAction>();
    temporary->SetCaption("Gone");
    stored.SetAction(temporary.get());
    temporary.reset();
    EXPECT_EQ(stored.Action(), nullptr);
    EXPECT_EQ(stored.ActionLink(), nullptr);
    EXPECT_EQ(stored.Caption(), "Gone");
}

TEST_F(ActionLink, ValuesTheLinkSuppliesAreNotStored)
{
    EXPECT_TRUE(stored.IsCaptionStored());
    stored.SetAction(&action);
    EXPECT_FALSE(stored.IsCaptionStored());
    EXPECT_FALSE(stored.IsHintStored());
    EXPECT_FALSE(stored.IsEnabledStored());
    EXPECT_FALSE(stored.IsLargeImageStored());
    stored.SetCaption("Own");
    stored.SetLargeImage(8);
    EXPECT_TRUE(stored.IsCaptionStored());
    EXPECT_TRUE(stored.IsLargeImageStored());
    EXPECT_FALSE(stored.IsHintStored());
}

TEST_F(ActionLink, ActivatingAGroupRunsTheActionsUpdateHandlersFirst)
{
    auto bar = NewSideBar();
    TzqSideBarStore store;
    bar->SetStore(&store);
    TzqSideGroup* a = AddGroup(bar.get(), "A", 1);
    TzqSideGroup* b = AddGroup(bar.get(), "B", 1);
    auto* linked = new TzqStoredSideItem(&store);
    linked->SetStore(&store);
    linked->SetAction(&action);
    b->Items()->Items(0)->SetStoredItem(linked);
    bool enabledWhenActivated = true;
    action.OnUpdate = [&](TObject*) { action.SetEnabled(false); };
    bar->OnChangeActiveGroup = [&](TObject*) { enabledWhenActivated = b->Items()->Items(0)->Enabled(); };
    ASSERT_EQ(bar->ActiveGroup(), a);
    bar->ActivateGroup(b);
    EXPECT_FALSE(enabledWhenActivated) << "the update ran before the group changed";
    EXPECT_FALSE(linked->Enabled());
}

// ---- The store's lifetime ----

// Records the order in which the components it watches go.
class Watcher : public TComponent {
public:
    std::vector<TComponent*> gone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == TOperation::opRemove)
            gone.push_back(AComponent);
    }
};

TEST_F(SideBarTest, ADyingStoreDestroysItsOwnedStoredItemsLastFirstAndReleasesTheOthers)
{
    TComponent form;
    Watcher watcher;
    auto* store = new TzqSideBarStore(&form);
    std::vector<TComponent*> owned;
    for (int i = 0; i < 3; ++i) {
        auto* item = new TzqStoredSideItem(&form);
        item->SetStore(store);
        item->FreeNotification(&watcher);
        owned.push_back(item);
    }
    TzqStoredSideItem unowned;
    unowned.SetStore(store);
    delete store;
    EXPECT_EQ(watcher.gone, (std::vector<TComponent*>{owned[2], owned[1], owned[0]}));
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(unowned.Store(), nullptr);
}

TEST_F(SideBarTest, ADyingStoreIsForgottenByEverySideBarWhoeverOwnsThem)
{
    TComponent formA, formB;
    auto* store = new TzqSideBarStore(&formA);
    auto* stored = new TzqStoredSideItem(&formA);
    stored->SetStore(store);
    stored->SetCaption("Linked");
    auto* own = new TzqSideBar(&formA);
    auto* foreign = new TzqSideBar(&formB);
    auto unowned = NewSideBar();
    int deletions = 0;
    for (TzqSideBar* bar : {own, foreign, unowned.get()}) {
        bar->SetStore(store);
        AddGroup(bar, "G", 2)->Items()->Items(1)->SetStoredItem(stored);
        bar->OnDeleteItem = [&](TObject*, TzqSideBarItem*) { ++deletions; };
    }
    ASSERT_EQ(store->SideBarCount(), 3);
    delete store;
    for (TzqSideBar* bar : {own, foreign, unowned.get()}) {
        EXPECT_EQ(bar->Store(), nullptr);
        // The groups stay, and the linked item keeps what it showed.
        ASSERT_EQ(bar->Groups()->Count(), 1);
        TzqSideBarItem* item = bar->Groups()->Items(0)->Items()->Items(1);
        EXPECT_EQ(item->StoredItem(), nullptr);
        EXPECT_EQ(item->Caption(), "Linked");
        bar->OnDeleteItem = nullptr;
    }
    EXPECT_EQ(deletions, 0) << "a dying store leaves the side bars' items alone";
}

TEST_F(SideBarTest, DefaultImagesIgnoreValuesBelowMinusOneAndRepaintTheSideBars)
{
    TzqSideBarStore store;
    EXPECT_EQ(store.DefaultLargeImage(), -1);
    EXPECT_EQ(store.DefaultSmallImage(), -1);
    TzqSideBar* bar = NewShownSideBar(120, 200);
    bar->SetStore(&store);
    AddGroup(bar, "G", 2);
    driver.PaintAll();
    ASSERT_TRUE(GetUpdateRegion(bar->Handle()).IsEmpty());
    store.SetDefaultLargeImage(3);
    EXPECT_EQ(store.DefaultLargeImage(), 3);
    EXPECT_FALSE(GetUpdateRegion(bar->Handle()).IsEmpty());
    driver.PaintAll();
    store.SetDefaultSmallImage(-2);
    store.SetDefaultLargeImage(-5);
    EXPECT_EQ(store.DefaultSmallImage(), -1);
    EXPECT_EQ(store.DefaultLargeImage(), 3);
    EXPECT_TRUE(GetUpdateRegion(bar->Handle()).IsEmpty()) << "an ignored value repaints nothing";
    store.SetDefaultSmallImage(0);
    EXPECT_FALSE(GetUpdateRegion(bar->Handle()).IsEmpty());
    bar->SetStore(nullptr);
}

TEST_F(SideBarTest, FormStreamingSeesTheRootsStoredItemsAsTheStoresChildren)
{
    TComponent form, elsewhere;
    TzqSideBarStore store(&form);
    auto* first = new TzqStoredSideItem(&form);
    auto* foreign = new TzqStoredSideItem(&elsewhere);
    auto* second = new TzqStoredSideItem(&form);
    // Given the store as parent, as a reader does.
    for (TzqStoredSideItem* item : {first, foreign, second}) {
        EXPECT_TRUE(item->HasParent());
        item->SetParentComponent(&store);
        EXPECT_EQ(item->ParentComponent(), &store);
    }
    EXPECT_EQ(store.Children(&form), (std::vector<TzqStoredSideItem*>{first, second}));
    EXPECT_EQ(store.Children(&elsewhere), std::vector<TzqStoredSideItem*>{foreign});
    // Anything but a store as parent is not joined.
    TComponent notAStore;
    first->SetParentComponent(&notAStore);
    EXPECT_EQ(first->Store(), &store);
    delete foreign;
}

// ---- Deletion events of side-bar items ----

TEST_F(SideBarTest, EveryDestroyedItemFiresOnDeleteItemBeforeLeavingItsGroup)
{
    auto bar = NewSideBar();
    bar->SetCanSelected(true);
    TzqSideGroup* a = AddGroup(bar.get(), "A", 3);
    TzqSideGroup* b = AddGroup(bar.get(), "B", 2);
    std::vector<std::string> deleted;
    TzqSideBar* const sideBar = bar.get();
    bar->OnDeleteItem = [&](TObject* sender, TzqSideBarItem* item) {
        EXPECT_EQ(sender, sideBar);
        EXPECT_NE(item->Group(), nullptr) << "still in its group";
        deleted.push_back(item->Caption());
    };
    // Deleted directly, not through the collection; the selected one clears the selection.
    bar->SetSelectedItem(a->Items()->Items(1));
    int selectionEvents = 0;
    bar->OnChangeSelectedItem = [&](TObject*) {
        EXPECT_EQ(sideBar->SelectedItem(), nullptr);
        ++selectionEvents;
    };
    delete a->Items()->Items(1);
    EXPECT_EQ(deleted, std::vector<std::string>{"A 2"});
    EXPECT_EQ(selectionEvents, 1);
    EXPECT_EQ(a->Items()->Count(), 2);

    // A group going takes its items along, each firing the event: deleted directly,
    // and through the collection.
    deleted.clear();
    delete b;
    EXPECT_EQ(deleted, (std::vector<std::string>{"B 2", "B 1"}));
    deleted.clear();
    TzqSideGroup* c = AddGroup(bar.get(), "C", 1);
    bar->Groups()->Delete(c->Index());
    EXPECT_EQ(deleted, std::vector<std::string>{"C 1"});

    // And so does the side bar's own destruction.
    deleted.clear();
    bar.reset();
    EXPECT_EQ(deleted, (std::vector<std::string>{"A 3", "A 1"}));
}

} // namespace
