// Link collections: the derived lists, the values a link shows, separators of hidden
// links, copying, and the refusal of submenus that would contain themselves.
#include "BarsFixture.h"

#include "bars/BarEdit.h"
#include "bars/BarInternalItems.h"
#include "bars/BarPopupMenu.h"
#include "platform/drawing/Bitmap.h"

namespace {

class ItemLinksTest : public BarsFixture {};

TEST_F(ItemLinksTest, DerivedListsFollowItemAndLinkVisibility)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarItemLinks* links = bar->ItemLinks();
    TzqBarButton* always = Make("Always");
    TzqBarButton* custom = Make("Custom");
    TzqBarButton* never = Make("Never");
    TzqBarButton* hidden = Make("Hidden");
    custom->SetVisible(TzqBarItemVisible::ivInCustomizing);
    never->SetVisible(TzqBarItemVisible::ivNever);
    for (TzqBarItem* item : {static_cast<TzqBarItem*>(always), static_cast<TzqBarItem*>(custom),
                             static_cast<TzqBarItem*>(never), static_cast<TzqBarItem*>(hidden)})
        Link(links, item);
    links->Add(); // a link without item is in no list
    links->Items(3)->SetVisible(false);

    EXPECT_EQ(links->AvailableCount(), 2);
    EXPECT_EQ(links->VisibleCount(), 1);
    EXPECT_EQ(Displayed(links), std::vector<std::string>{"Always"});
    EXPECT_EQ(links->Items(3)->AvailableIndex(), 1);
    EXPECT_EQ(links->Items(3)->VisibleIndex(), -1);

    manager->SetCustomizing(true);
    EXPECT_EQ(Displayed(links), (std::vector<std::string>{"Always", "Custom"}));
    manager->SetCustomizing(false);
    never->SetVisible(TzqBarItemVisible::ivAlways);
    links->Items(3)->SetVisible(true);
    EXPECT_EQ(Displayed(links), (std::vector<std::string>{"Always", "Never", "Hidden"}));

    form->SetDesigning(true); // while designing every link with an item counts
    manager->SetCustomizing(true);
    manager->SetCustomizing(false);
    EXPECT_EQ(links->VisibleCount(), 4);
}

TEST_F(ItemLinksTest, ALinkWhoseItemIsSetToNoneIsDestroyed)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarButton* one = Make("One");
    TzqBarItemLink* link = Link(bar->ItemLinks(), one);
    std::vector<TzqBarItemLink*> deleted;
    manager->OnItemLinkDelete = [&](TzqBarManager*, TzqBarItemLink* l) { deleted.push_back(l); };
    link->SetItem(nullptr);
    EXPECT_EQ(bar->ItemLinks()->Count(), 0);
    EXPECT_EQ(one->LinkCount(), 0);
    EXPECT_EQ(deleted, std::vector<TzqBarItemLink*>{link});
}

TEST_F(ItemLinksTest, DestroyingAnItemRemovesItFromEveryBarAndMenu)
{
    TzqBarButton* one = Make("One");
    TzqBar* bar = AddBar("Tools");
    auto* menu = Make<TzqBarSubItem>("Menu");
    Link(bar->ItemLinks(), one);
    Link(menu->ItemLinks(), one);
    Link(menu->ItemLinks(), one);
    Link(bar->ItemLinks(), menu);
    EXPECT_EQ(one->LinkCount(), 3);
    delete one;
    EXPECT_EQ(bar->ItemLinks()->Count(), 1);
    EXPECT_EQ(menu->ItemLinks()->Count(), 0);
    EXPECT_EQ(manager->ItemByName("One"), nullptr);
}

TEST_F(ItemLinksTest, EffectiveValuesPreferTheUserOverrides)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarButton* button = Make("Button", "&Save");
    button->SetPaintStyle(TzqBarPaintStyle::psCaptionGlyph);
    auto* edit = Make<TzqBarEdit>("Edit", "Find");
    edit->SetWidth(150);
    TzqBarItemLink* buttonLink = Link(bar->ItemLinks(), button);
    TzqBarItemLink* editLink = Link(bar->ItemLinks(), edit);

    EXPECT_EQ(buttonLink->Caption(), "&Save");
    EXPECT_EQ(buttonLink->PaintStyle(), TzqBarPaintStyle::psCaptionGlyph);
    EXPECT_EQ(buttonLink->Width(), 0);
    EXPECT_EQ(buttonLink->Glyph(), nullptr);
    EXPECT_EQ(editLink->PaintStyle(), TzqBarPaintStyle::psStandard);
    EXPECT_EQ(editLink->Width(), 150);

    TBitmap picture(16, 16);
    button->SetGlyph(&picture);
    EXPECT_EQ(buttonLink->Glyph(), button->Glyph());

    buttonLink->SetUserCaption("Keep");
    buttonLink->SetUserPaintStyle(TzqBarPaintStyle::psCaption);
    buttonLink->SetUserGlyph(&picture);
    editLink->SetUserWidth(5);
    EXPECT_EQ(buttonLink->Caption(), "Keep");
    EXPECT_EQ(buttonLink->PaintStyle(), TzqBarPaintStyle::psCaption);
    EXPECT_EQ(buttonLink->Glyph(), buttonLink->UserGlyph());
    EXPECT_EQ(editLink->Width(), 20); // at least 20
    EXPECT_EQ(buttonLink->UserDefine(),
              (TzqBarUserDefines{TzqBarUserDefine::udCaption, TzqBarUserDefine::udPaintStyle, TzqBarUserDefine::udGlyph}));

    // Removing a member drops its override.
    buttonLink->SetUserDefine({TzqBarUserDefine::udGlyph});
    EXPECT_EQ(buttonLink->UserCaption(), "");
    EXPECT_EQ(buttonLink->Caption(), "&Save");
    EXPECT_EQ(buttonLink->UserPaintStyle(), TzqBarPaintStyle::psStandard);
    EXPECT_EQ(buttonLink->PaintStyle(), TzqBarPaintStyle::psCaptionGlyph);
    editLink->SetUserDefine({});
    EXPECT_EQ(editLink->UserWidth(), 0);
    EXPECT_EQ(editLink->Width(), 150);
}

struct GroupCase {
    const char* what;
    std::vector<bool> beginGroup; // each link's own flag
    std::vector<bool> visible;    // each link's Visible
    std::vector<bool> effective;  // the effective value of each displayed link
};

TEST_F(ItemLinksTest, EffectiveBeginGroupMovesASeparatorFromAHiddenLink)
{
    const GroupCase cases[] = {
        {"all shown", {false, true, false, true}, {true, true, true, true}, {false, true, false, true}},
        {"first displayed never begins a group", {true, false, false, false}, {true, true, true, true}, {false, false, false, false}},
        {"hidden separator moves on", {false, true, false, false}, {true, false, true, true}, {false, true, false}},
        {"two hidden in a row", {false, false, true, false}, {true, false, false, true}, {false, true}},
        {"hidden first link", {true, false, true, false}, {false, true, true, true}, {false, true, false}},
        {"hidden at the end", {false, false, false, true}, {true, true, true, false}, {false, false, false}},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.what);
        TzqBar* bar = AddBar(c.what);
        TzqBarItemLinks* links = bar->ItemLinks();
        for (size_t i = 0; i < c.beginGroup.size(); ++i) {
            TzqBarItemLink* link = Link(links, Make(std::string(c.what) + std::to_string(i)));
            link->SetBeginGroup(c.beginGroup[i]);
            link->SetVisible(c.visible[i]);
        }
        std::vector<bool> effective;
        for (int i = 0; i < links->DisplayedCount(); ++i)
            effective.push_back(links->DisplayedItems(i)->BeginGroup());
        EXPECT_EQ(effective, c.effective);
        // A link that is not displayed reads its own flag.
        for (int i = 0; i < links->Count(); ++i) {
            if (links->Items(i)->DisplayedIndex() < 0) {
                EXPECT_EQ(links->Items(i)->BeginGroup(), links->Items(i)->BeginGroupFlag());
            }
        }
    }
}

TEST_F(ItemLinksTest, ASeparatorOfAnItemThatIsNotAvailableDoesNotMove)
{
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), Make("One"));
    TzqBarButton* never = Make("Never");
    Link(bar->ItemLinks(), never)->SetBeginGroup(true);
    TzqBarItemLink* three = Link(bar->ItemLinks(), Make("Three"));
    never->SetVisible(TzqBarItemVisible::ivNever);
    EXPECT_FALSE(three->BeginGroup());
}

TEST_F(ItemLinksTest, SubmenusCannotContainThemselves)
{
    auto* file = Make<TzqBarSubItem>("File");
    auto* recent = Make<TzqBarSubItem>("Recent");
    auto* deeper = Make<TzqBarSubItem>("Deeper");
    Link(file->ItemLinks(), recent);
    Link(recent->ItemLinks(), deeper);
    auto* dropper = Make("Dropper");
    auto* popup = new TzqBarPopupMenu(form);
    dropper->SetDropDownMenu(popup);
    Link(popup->ItemLinks(), file);

    struct Case {
        TzqBarSubItem* menu;
        TzqBarItem* item;
    };
    const Case refused[] = {
        {file, file},      // itself
        {deeper, file},    // a menu that contains it
        {deeper, recent},  // at any depth
        {file, dropper},   // a button whose drop-down menu contains it
        {recent, dropper}, // the same, deeper
    };
    for (const Case& c : refused) {
        TzqBarItemLink* link = c.menu->ItemLinks()->Add();
        try {
            link->SetItem(c.item);
            ADD_FAILURE() << c.item->Name() << " was linked into " << c.menu->Name();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "You cannot create recursive subitems");
        }
        EXPECT_EQ(link->Item(), nullptr);
        delete link;
    }
    // A bar or a popup menu may show anything.
    Link(AddBar("Tools")->ItemLinks(), file);
    Link(popup->ItemLinks(), dropper);
    EXPECT_EQ(popup->ItemLinks()->Count(), 2);
}

TEST_F(ItemLinksTest, AssignCopiesTheLinksAndKeepsTheSystemMenuFirst)
{
    TzqBar* source = AddBar("Source");
    TzqBarItemLink* a = Link(source->ItemLinks(), Make("A"));
    a->SetUserCaption("Mine");
    a->SetData(42);
    TzqBarItemLink* b = Link(source->ItemLinks(), Make("B"));
    b->SetBeginGroup(true);
    b->SetVisible(false);
    Link(source->ItemLinks(), Make("C"));

    TzqBar* target = AddBar("Target");
    Link(target->ItemLinks(), Make<TSystemMenuSubItem>("System"));
    Link(target->ItemLinks(), Make("Old"));
    target->ItemLinks()->Assign(*source->ItemLinks());

    TzqBarItemLinks* links = target->ItemLinks();
    ASSERT_EQ(links->Count(), 4);
    EXPECT_EQ(links->Items(0)->Item()->Name(), "System");
    EXPECT_EQ(links->Items(1)->Caption(), "Mine");
    EXPECT_EQ(links->Items(1)->Data(), 42);
    EXPECT_EQ(links->Items(2)->Item()->Name(), "B");
    EXPECT_FALSE(links->Items(2)->Visible());
    EXPECT_TRUE(links->Items(2)->BeginGroupFlag());
    EXPECT_EQ(links->Items(3)->Item()->Name(), "C");
}

TEST_F(ItemLinksTest, LinkEventsFireOutsideLoadingOnly)
{
    std::vector<std::string> events;
    manager->OnItemLinkAdd = [&](TzqBarManager*, TzqBarItemLink*) { events.push_back("add"); };
    manager->OnItemLinkChange = [&](TzqBarManager*, TzqBarItemLink*) { events.push_back("change"); };
    TzqBar* bar = AddBar("Tools");
    TzqBarItemLink* link = Link(bar->ItemLinks(), Make("One"));
    link->SetBeginGroup(true);
    EXPECT_EQ(events, (std::vector<std::string>{"add", "change", "change"}));
    events.clear();
    manager->BeginLoading();
    Link(bar->ItemLinks(), Make("Two"))->SetVisible(false);
    manager->EndLoading();
    EXPECT_TRUE(events.empty());
}

TEST_F(ItemLinksTest, ALinkFreedInsideItsOwnChangeEventLeavesNothingBehind)
{
    TzqBar* bar = AddBar("Tools");
    TzqBarButton* one = Make("One");
    TzqBarItemLink* link = Link(bar->ItemLinks(), one);
    manager->SetSelectedLink(link);
    manager->OnItemLinkChange = [](TzqBarManager*, TzqBarItemLink* l) { delete l; };
    link->SetUserCaption("Gone");
    EXPECT_EQ(bar->ItemLinks()->Count(), 0);
    EXPECT_EQ(one->LinkCount(), 0);
    EXPECT_EQ(manager->SelectedLink(), nullptr);

    // The same while a copy is being made.
    manager->OnItemLinkChange = nullptr;
    TzqBar* source = AddBar("Source");
    Link(source->ItemLinks(), one)->SetUserCaption("A");
    Link(source->ItemLinks(), one);
    manager->OnItemLinkChange = [](TzqBarManager*, TzqBarItemLink* l) { delete l; };
    bar->ItemLinks()->Assign(*source->ItemLinks());
    EXPECT_EQ(bar->ItemLinks()->Count(), 0);
}

} // namespace
