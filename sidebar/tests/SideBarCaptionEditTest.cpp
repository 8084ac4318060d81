// Editing captions in place on a shown side bar, typed through the headless window
// system: Enter accepts, Escape and empty texts keep the caption, a left press on the
// side bar ends the editing and does nothing else, and destroying items ends it.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/controls/CustomEdit.h"
#include "platform/core/VirtualKeys.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideGroupViewInfo.h"
#include "sidebar/SideItemViewInfo.h"

#include <cstdlib>

namespace {

class CaptionEdit : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        bar = NewShownSideBar(150, 400);
        bar->SetCanSelected(true);
        a = AddGroup(bar, "A", 3);
        b = AddGroup(bar, "B", 1);
        bar->SetActiveGroup(a);
        bar->OnBeforeEdit = [this](TObject* sender) {
            EXPECT_EQ(sender, bar);
            ++before;
        };
        bar->OnAfterEdit = [this](TObject* sender) {
            EXPECT_EQ(sender, bar);
            EXPECT_FALSE(bar->CaptionEditing()) << "the editing is over when the event fires";
            ++after;
        };
        bar->OnItemClick = [this](TObject*, TzqSideBarItem*) { ++clicks; };
        bar->CalculateLayout();
    }
    TzqSideBarItem* Item(int i) const { return a->Items()->Items(i); }
    TPoint OnItem(int i) const
    {
        const TRect r = bar->ViewInfo()->FindItem(Item(i))->ImageRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Replaces the editor's text as a user would: select all, type.
    void TypeOver(const std::string& text)
    {
        ASSERT_TRUE(bar->CaptionEditing());
        bar->CaptionEditor()->SelectAll();
        if (text.empty())
            driver.PressKey(VK_DELETE);
        else
            driver.Type(text);
    }

    TzqSideBar* bar = nullptr;
    TzqSideGroup* a = nullptr;
    TzqSideGroup* b = nullptr;
    int before = 0, after = 0, clicks = 0;
};

TEST_F(CaptionEdit, EnterAcceptsAndEscapeOrAnEmptyTextKeepsTheCaption)
{
    struct Case {
        const char* name;
        std::string typed;
        WORD key;
        std::string expected;
    } cases[] = {
        {"enter", "Mail", VK_RETURN, "Mail"},
        {"escape", "Mail", VK_ESCAPE, "B"},
        {"empty", "", VK_RETURN, "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b->SetCaption("B");
        before = after = 0;
        ASSERT_TRUE(bar->EditGroupCaption(b));
        EXPECT_EQ(before, 1);
        TEdit* editor = bar->CaptionEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Text(), "B");
        EXPECT_TRUE(editor->Focused());
        // Over the group's header.
        const TRect header = bar->ViewInfo()->FindHeader(b)->Rect;
        EXPECT_EQ(editor->BoundsRect(), header);
        TypeOver(c.typed);
        driver.PressKey(c.key);
        EXPECT_FALSE(bar->CaptionEditing());
        EXPECT_EQ(b->Caption(), c.expected);
        EXPECT_EQ(after, 1);
    }
}

TEST_F(CaptionEdit, AnItemCaptionIsEditedOverItsCaption)
{
    ASSERT_TRUE(bar->EditItemCaption(Item(1)));
    TEdit* editor = bar->CaptionEditor();
    ASSERT_NE(editor, nullptr);
    const TRect caption = bar->ViewInfo()->FindItem(Item(1))->CaptionRect;
    EXPECT_TRUE(editor->BoundsRect().Contains(TPoint{(caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2}));
    EXPECT_EQ(editor->Text(), "A 2");
    TypeOver("Inbox");
    if (const char* dir = std::getenv("SIDEBAR_LOOK_DIR")) {
        driver.PaintAll();
        driver.SavePng(form->Handle(), std::string(dir) + "/caption-edit.png");
    }
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(Item(1)->Caption(), "Inbox");
    EXPECT_EQ(after, 1);
    // Only items of the side bar, placed in the active group, can be edited.
    EXPECT_FALSE(bar->EditItemCaption(b->Items()->Items(0)));
    EXPECT_FALSE(bar->EditItemCaption(nullptr));
    EXPECT_EQ(before, 1);
}

TEST_F(CaptionEdit, ALeftPressOnTheSideBarOnlyEndsTheEditingAccepting)
{
    ASSERT_TRUE(bar->EditItemCaption(Item(0)));
    TypeOver("Drafts");
    driver.ClickAt(bar->Handle(), OnItem(2));
    EXPECT_FALSE(bar->CaptionEditing());
    EXPECT_EQ(Item(0)->Caption(), "Drafts");
    EXPECT_EQ(after, 1);
    // Nothing else: no selection, no focus pressed, no click reported.
    EXPECT_EQ(bar->SelectedItem(), nullptr);
    EXPECT_FALSE(bar->ClickArmed());
    EXPECT_EQ(clicks, 0);
    // The next press is an ordinary one again.
    driver.ClickAt(bar->Handle(), OnItem(2));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(bar->SelectedItem(), Item(2));
}

TEST_F(CaptionEdit, DestroyingAnyItemEndsTheEditingWithoutAccepting)
{
    ASSERT_TRUE(bar->EditItemCaption(Item(0)));
    TypeOver("Lost");
    delete b->Items()->Items(0); // another group's item
    EXPECT_FALSE(bar->CaptionEditing());
    EXPECT_EQ(Item(0)->Caption(), "A 1");
    EXPECT_EQ(after, 1);

    // The edited item itself.
    ASSERT_TRUE(bar->EditItemCaption(Item(1)));
    a->Items()->Delete(1);
    EXPECT_FALSE(bar->CaptionEditing());
    EXPECT_EQ(after, 2);
    driver.Pump();
}

TEST_F(CaptionEdit, AReleaseDoesNothingWhileAGroupCaptionIsEdited)
{
    // A handler opens the editor at the press on B's header: the release over that
    // header must not activate B.
    bar->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { bar->EditGroupCaption(b); };
    const TRect header = bar->ViewInfo()->FindHeader(b)->Rect;
    const TPoint onHeader{(header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2};
    driver.Press(driver.ToScreen(bar->Handle(), onHeader));
    ASSERT_TRUE(bar->CaptionEditing());
    driver.Release(driver.ToScreen(bar->Handle(), onHeader));
    EXPECT_EQ(bar->ActiveGroup(), a);
    bar->OnMouseDown = nullptr;
    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(bar->CaptionEditing());
}

} // namespace
