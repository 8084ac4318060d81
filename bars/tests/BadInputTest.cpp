// Input far outside the usual: many items, huge captions, very long lists.
#include "BarsFixture.h"

#include "bars/BarAccelerator.h"
#include "bars/BarContainerItem.h"
#include "bars/BarPopupMenu.h"

#include <chrono>

namespace {

class BadInputTest : public BarsFixture {};

TEST_F(BadInputTest, TenThousandItemsInOneCategoryComeAndGo)
{
    manager->Categories()->Add("Many");
    auto* menu = Make<TzqBarSubItem>("Menu");
    TzqBar* bar = AddBar("Tools");
    Link(bar->ItemLinks(), menu);
    for (int i = 0; i < 10000; ++i) {
        TzqBarButton* button = Make("b" + std::to_string(i), "&Item " + std::to_string(i), 1);
        if (i == 9999)
            button->SetShortCut(ShortCut('Z', {TShiftStateFlag::ssCtrl}));
        Link(menu->ItemLinks(), button);
    }
    EXPECT_EQ(menu->ItemLinks()->VisibleCount(), 10000);
    EXPECT_TRUE(bar->ItemLinks()->FindShortCut(ShortCut('Z', {TShiftStateFlag::ssCtrl})));
    manager->SetCategoryItemsVisible(1, TzqBarItemVisible::ivNever);
    EXPECT_EQ(menu->ItemLinks()->VisibleCount(), 0);
    EXPECT_FALSE(bar->ItemLinks()->FindShortCut(ShortCut('Z', {TShiftStateFlag::ssCtrl})));
    manager->Categories()->Delete(1);
    EXPECT_EQ(manager->ItemCount(), 1);
    EXPECT_EQ(menu->ItemLinks()->Count(), 0);
}

TEST_F(BadInputTest, AHundredThousandCharacterCaption)
{
    std::string caption(100000, 'x');
    caption[50000] = '&';
    caption += "&&";
    TzqBarButton* button = Make("Huge", "x");
    button->SetCaption(caption);
    EXPECT_EQ(button->Hint().size(), caption.size() - 1); // the first "&" went
    TzqBarItemLink* link = Link(AddBar("Tools")->ItemLinks(), button);
    EXPECT_EQ(link->Accelerator(), U'x');
    EXPECT_TRUE(link->Matches('X', {}));
    EXPECT_EQ(AcceleratorOf(std::string(100000, '&')), 0u);
    EXPECT_EQ(AcceleratorOf(std::string(99999, '&')), 0u); // the last one has nothing after it
}

TEST_F(BadInputTest, AListOfManyStringsNumbersWhatCharactersAllow)
{
    EXPECT_EQ(ListEntryPrefix(9 + 25), "&Z ");
    EXPECT_EQ(ListEntryPrefix(9 + 0xD800 - 'A'), "");    // no character for it
    EXPECT_EQ(ListEntryPrefix(9 + 0xE000 - 'A'), "&\xEE\x80\x80 ");
    EXPECT_EQ(ListEntryPrefix(9 + 0x110000 - 'A'), "");
    EXPECT_EQ(ListEntryPrefix(-1), "");

    auto* list = Make<TzqBarListItem>("List");
    list->Items()->BeginUpdate();
    for (int i = 0; i < 20000; ++i)
        list->Items()->Add(i % 100 == 0 ? "-" : "entry " + std::to_string(i));
    list->Items()->EndUpdate();
    auto* popup = new TzqBarPopupMenu(form);
    TzqBarItemLink* containerLink = Link(popup->ItemLinks(), list);
    EXPECT_EQ(list->InsertContent(popup->ItemLinks(), 1, containerLink), 19800);
    EXPECT_EQ(popup->ItemLinks()->Count(), 19801);
    list->SetItemIndex(20000);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetDataIndex(19799);
    EXPECT_EQ(list->ItemIndex(), 19999);
    delete list;
    EXPECT_EQ(popup->ItemLinks()->Count(), 0);
}

} // namespace
