#include "ControlsFixture.h"

#include "platform/controls/CheckListBox.h"
#include "platform/controls/ListBox.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"

#include <string>
#include <vector>

namespace {

using D = THeadlessDriver;

class ListBoxTest : public ControlsFixture {
protected:
    TListBox* MakeList(int count, int height = 100)
    {
        auto* list = Make<TListBox>();
        list->SetBounds(10, 10, 150, height);
        list->SetItemHeight(16);
        for (int i = 0; i < count; ++i)
            list->Items()->Add("Item " + std::to_string(i));
        return list;
    }
};

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScrollItIntoView)
{
    // 100 pixels less the 3D edge show 6 whole items of 16.
    TListBox* list = MakeList(20);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    list->SetFocus();
    ASSERT_EQ(list->VisibleCount(), 6);

    struct Step { WORD key; int index; int top; };
    const Step steps[] = {
        {VK_DOWN, 0, 0},  {VK_DOWN, 1, 0}, {VK_END, 19, 14}, {VK_UP, 18, 14}, {VK_HOME, 0, 0},
        {VK_NEXT, 5, 0},  {VK_NEXT, 10, 5}, {VK_PRIOR, 5, 5}, {VK_UP, 4, 4},
    };
    for (const Step& s : steps) {
        driver.PressKey(s.key);
        EXPECT_EQ(list->ItemIndex(), s.index) << "key " << s.key;
        EXPECT_EQ(list->TopIndex(), s.top) << "key " << s.key;
    }
    EXPECT_EQ(clicks, 9);
    driver.PressKey(VK_HOME);
    driver.PressKey(VK_UP); // already at the top: no change, no click
    EXPECT_EQ(clicks, 10);

    // A letter finds the next item starting with it.
    list->Items()->Add("Zebra");
    driver.Type("z");
    EXPECT_EQ(list->ItemIndex(), 20);
}

TEST_F(ListBoxTest, TheMouseSelectsAndDoubleClickFires)
{
    TListBox* list = MakeList(5);
    int dbl = 0;
    list->OnDblClick = [&](TObject*) { ++dbl; };
    ShowForm();
    driver.ClickAt(list->Handle(), {20, 16 * 3 + 5});
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_TRUE(list->Focused());
    driver.ClickAt(list->Handle(), {20, 95}); // below the last item: nothing changes
    EXPECT_EQ(list->ItemIndex(), 3);
    driver.DoubleClickAt(list->Handle(), {20, 5});
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(dbl, 1);
}

TEST_F(ListBoxTest, SelectionFollowsItsItemWhenItemsChange)
{
    TListBox* list = MakeList(5);
    list->SetItemIndex(3);
    list->Items()->Insert(0, "New");
    EXPECT_EQ(list->ItemIndex(), 4);
    list->Items()->Delete(4);
    EXPECT_EQ(list->ItemIndex(), -1) << "the selected item is gone";
    list->SetItemIndex(99);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_THROW(list->Selected(99), EListError);
}

TEST_F(ListBoxTest, OwnerDrawVariableMeasuresEachItemAndDrawsIt)
{
    TListBox* list = MakeList(0, 104);
    list->SetStyle(TListBoxStyle::lbOwnerDrawVariable);
    std::vector<int> measured;
    list->OnMeasureItem = [&](TWinControl*, int index, int& height) {
        measured.push_back(index);
        height = 10 + 10 * index; // 10, 20, 30, 40, ...
    };
    std::vector<std::pair<int, TRect>> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.emplace_back(index, rect);
        if (state.contains(TOwnerDrawStateFlag::odSelected))
            list->Canvas()->FillRect(rect);
    };
    for (int i = 0; i < 6; ++i)
        list->Items()->Add("Row " + std::to_string(i));
    ShowForm();
    driver.PaintAll();
    EXPECT_EQ(list->ItemRect(2), TRect(0, 30, list->ClientWidth(), 60));
    EXPECT_EQ(list->ItemAtPos({5, 45}, true), 2);
    EXPECT_GE(measured.size(), 6u);
    // Items 0..3 start within the 100 client pixels: 0, 10, 30, 60.
    ASSERT_GE(drawn.size(), 4u);
    EXPECT_EQ(drawn[3].first, 3);
    EXPECT_EQ(drawn[3].second, TRect(0, 60, list->ClientWidth(), 100));

    // The end of the list: the last item and what fits above it.
    list->SetFocus();
    driver.PressKey(VK_END);
    EXPECT_EQ(list->TopIndex(), 5) << "the last item is 60 high and the one before 50: it stands alone";
    EXPECT_EQ(list->ItemIndex(), 5);
    driver.PressKey(VK_UP);
    EXPECT_EQ(list->TopIndex(), 4);
}

TEST_F(ListBoxTest, MultiSelectWithCtrlAndShift)
{
    TListBox* list = MakeList(6);
    list->SetMultiSelect(true);
    ShowForm();
    driver.ClickAt(list->Handle(), {20, 5});
    driver.Press(driver.ToScreen(list->Handle(), {20, 16 * 2 + 5}), TMouseButton::mbLeft);
    driver.Release(driver.ToScreen(list->Handle(), {20, 16 * 2 + 5}));
    EXPECT_EQ(list->SelCount(), 1);
    driver.KeyDown(VK_SHIFT);
    driver.PressKey(VK_DOWN, D::Shift);
    driver.PressKey(VK_DOWN, D::Shift);
    driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_TRUE(list->Selected(2) && list->Selected(3) && list->Selected(4));
    driver.KeyDown(VK_CONTROL);
    driver.ClickAt(list->Handle(), {20, 5});
    driver.KeyUp(VK_CONTROL);
    EXPECT_EQ(list->SelCount(), 4) << "Ctrl+click adds to the selection";
}

TEST_F(ListBoxTest, CheckListTogglesInItsCheckZoneAndWithSpace)
{
    auto* list = Make<TCheckListBox>();
    list->SetBounds(10, 10, 150, 100);
    list->SetItemHeight(17);
    for (const char* s : {"Main Menu", "Toolbar", "Custom"})
        list->Items()->Add(s);
    int checks = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    ShowForm();

    driver.ClickAt(list->Handle(), {8, 17 + 8}); // in the check zone of item 1
    EXPECT_TRUE(list->Checked(1));
    driver.ClickAt(list->Handle(), {60, 17 + 8}); // on the text: selects only
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->ItemIndex(), 1);
    driver.PressKey(VK_SPACE);
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(checks, 2);

    // Checks travel with their items; a disabled item refuses with a beep.
    list->Items()->Insert(0, "First");
    list->SetChecked(3, true);
    EXPECT_TRUE(list->Checked(3));
    list->Items()->Delete(0);
    EXPECT_TRUE(list->Checked(2));
    list->SetItemEnabled(0, false);
    const int beeps = driver.Backend().Beeps();
    driver.ClickAt(list->Handle(), {8, 8});
    EXPECT_FALSE(list->Checked(0));
    EXPECT_GT(driver.Backend().Beeps(), beeps);
}

} // namespace
