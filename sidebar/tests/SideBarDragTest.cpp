// Dragging items with the pointer through the platform's drag machinery: moves and
// copies within a group and into another, what OnDragDropItem hears, which items die,
// and the cursor the drag shows with and without Ctrl.
#include "sidebar/tests/SideBarFixture.h"

#include "platform/core/VirtualKeys.h"
#include "platform/window/Cursors.h"
#include "platform/window/Input.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/StoredSideItem.h"

#include <cstdlib>
#include <vector>

namespace {

class SideBarDrag : public SideBarTest {
protected:
    void SetUp() override
    {
        SideBarTest::SetUp();
        bar = NewShownSideBar(150, 420);
        bar->SetDragMode(TDragMode::dmAutomatic);
        a = AddGroup(bar, "A", 3);
        b = AddGroup(bar, "B", 2);
        bar->SetActiveGroup(a);
        bar->OnDragDropItem = [this](TObject* sender, TzqSideBarItem* source, TzqSideBarItem* target, bool isCopy) {
            EXPECT_EQ(sender, TzqSideBarDragObject::Current());
            drops.push_back({source ? source->Caption() : "-", target ? target->Caption() : "-", isCopy});
        };
        bar->OnDeleteItem = [this](TObject*, TzqSideBarItem* item) { deleted.push_back(item->Caption()); };
    }
    static std::vector<std::string> Captions(const TzqSideGroup* g)
    {
        std::vector<std::string> out;
        for (int i = 0; i < g->Items()->Count(); ++i)
            out.push_back(g->Items()->Items(i)->Caption());
        return out;
    }
    const TzqSideItemViewInfo& Info(int i)
    {
        bar->CalculateLayout();
        return bar->ViewInfo()->Items(i);
    }
    TPoint OnItem(int i)
    {
        const TRect r = Info(i).CaptionRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TPoint Before(int i) { return {40, Info(i).Top() - 2}; }
    TPoint After(int i) { return {40, Info(i).Bottom() + 2}; }
    TPoint Header(const TzqSideGroup* g)
    {
        bar->CalculateLayout();
        const TRect r = bar->ViewInfo()->FindHeader(g)->Rect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TPoint Screen(TPoint p) { return driver.ToScreen(bar->Handle(), p); }

    enum class Where { Before, After, On };
    // Drags item `from` of the active group to a place by item `to` of `group` (via its
    // header when it is not active), with Ctrl held at the drop when `ctrl`.
    void DragItem(int from, TzqSideGroup* group, Where where, int to, bool ctrl)
    {
        const TPoint start = OnItem(from);
        driver.Press(Screen(start));
        driver.MoveTo(Screen({start.X, start.Y + 8}));
        ASSERT_NE(TzqSideBarDragObject::Current(), nullptr) << "no drag started";
        if (group != bar->ActiveGroup()) {
            driver.MoveTo(Screen(Header(group)));
            ASSERT_EQ(bar->ActiveGroup(), group);
        }
        const TPoint end = where == Where::Before ? Before(to) : where == Where::After ? After(to) : OnItem(to);
        driver.MoveTo(Screen(end));
        if (ctrl)
            driver.KeyDown(VK_CONTROL);
        driver.Release(Screen(end));
        if (ctrl)
            driver.KeyUp(VK_CONTROL);
    }

    struct Drop {
        std::string source, target;
        bool copy;
        bool operator==(const Drop&) const = default;
    };
    TzqSideBar* bar = nullptr;
    TzqSideGroup* a = nullptr;
    TzqSideGroup* b = nullptr;
    std::vector<Drop> drops;
    std::vector<std::string> deleted;
};

TEST_F(SideBarDrag, DropsMoveOrCopyWhereTheMarkerShows)
{
    struct Case {
        const char* name;
        int from;
        bool otherGroup;
        Where where;
        int to;
        bool ctrl;
        std::vector<std::string> groupA, groupB;
        Drop drop;
        std::vector<std::string> deleted;
    } cases[] = {
        {"move before the third", 0, false, Where::Before, 2, false, {"A 2", "A 1", "A 3"}, {"B 1", "B 2"}, {"A 1", "A 1", false}, {}},
        {"move after the last", 0, false, Where::After, 2, false, {"A 2", "A 3", "A 1"}, {"B 1", "B 2"}, {"A 1", "A 1", false}, {}},
        {"move onto the second", 0, false, Where::On, 1, false, {"A 2", "A 1", "A 3"}, {"B 1", "B 2"}, {"A 1", "A 1", false}, {}},
        {"move the last before the first", 2, false, Where::Before, 0, false, {"A 3", "A 1", "A 2"}, {"B 1", "B 2"}, {"A 3", "A 3", false}, {}},
        {"onto itself", 1, false, Where::On, 1, false, {"A 1", "A 2", "A 3"}, {"B 1", "B 2"}, {"A 2", "-", false}, {}},
        {"copy before the third", 0, false, Where::Before, 2, true, {"A 1", "A 2", "A 1", "A 3"}, {"B 1", "B 2"}, {"A 1", "A 1", true}, {}},
        {"copy after the last", 0, false, Where::After, 2, true, {"A 1", "A 2", "A 3", "A 1"}, {"B 1", "B 2"}, {"A 1", "A 1", true}, {}},
        {"into the other group before its second", 0, true, Where::Before, 1, false, {"A 2", "A 3"}, {"B 1", "A 1", "B 2"}, {"A 1", "A 1", false}, {"A 1"}},
        {"copy into the other group after its last", 0, true, Where::After, 1, true, {"A 1", "A 2", "A 3"}, {"B 1", "B 2", "A 1"}, {"A 1", "A 1", true}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Fresh groups for each case.
        bar->Groups()->Clear();
        a = AddGroup(bar, "A", 3);
        b = AddGroup(bar, "B", 2);
        bar->SetActiveGroup(a);
        drops.clear();
        deleted.clear();
        DragItem(c.from, c.otherGroup ? b : a, c.where, c.to, c.ctrl);
        EXPECT_EQ(Captions(a), c.groupA);
        EXPECT_EQ(Captions(b), c.groupB);
        EXPECT_EQ(drops, std::vector<Drop>{c.drop});
        EXPECT_EQ(deleted, c.deleted);
        EXPECT_EQ(TzqSideBarDragObject::Current(), nullptr) << "the drag object outlived the drag";
        EXPECT_EQ(bar->DropTarget(), nullptr);
    }
}

TEST_F(SideBarDrag, CursorShowsMoveOrCopyAndFollowsCtrlAtOnce)
{
    const TPoint start = OnItem(0);
    driver.Press(Screen(start));
    driver.MoveTo(Screen({start.X, start.Y + 8}));
    driver.MoveTo(Screen(Before(2)));
    EXPECT_EQ(GetCursor(), ZQSIDEBARDRAGCURSOR);
    // Ctrl alone (no pointer move) changes the cursor through the keyboard hook.
    driver.KeyDown(VK_CONTROL);
    EXPECT_EQ(GetCursor(), ZQSIDEBARDRAGCOPYCURSOR);
    driver.KeyUp(VK_CONTROL);
    EXPECT_EQ(GetCursor(), ZQSIDEBARDRAGCURSOR);
    driver.Release(Screen(Before(2)));
}

TEST_F(SideBarDrag, TheFourCursorsAreRegisteredWithPicturesOfTheirOwn)
{
    const HCURSOR cursors[] = {ZQSIDEBARDRAGCURSOR, ZQSIDEBARDRAGCOPYCURSOR, ZQSIDEBARDRAGDELETECURSOR,
                               ZQSIDEBARGROUPCURSOR};
    std::vector<std::vector<TColor>> pictures;
    for (HCURSOR cursor : cursors) {
        EXPECT_TRUE(IsCustomCursor(cursor)) << cursor;
        TBitmap image, mask;
        PaintSideBarCursor(cursor, image, mask);
        ASSERT_EQ(image.Width(), 32);
        ASSERT_EQ(mask.Height(), 32);
        // The hot spot is a black cell of the picture (the arrow's or the finger's tip).
        const TPoint hot = SideBarCursorHotSpot(cursor);
        EXPECT_EQ(mask.Pixel(hot.X, hot.Y) & 0xFFFFFF, 0u) << cursor;
        EXPECT_EQ(image.Pixel(hot.X, hot.Y) & 0xFFFFFF, 0u) << cursor;
        std::vector<TColor> pixels;
        int shown = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool visible = (mask.Pixel(x, y) & 0xFFFFFF) == 0;
                shown += visible;
                pixels.push_back(visible ? image.Pixel(x, y) & 0xFFFFFF : 0x1);
            }
        EXPECT_GT(shown, 60) << cursor;
        EXPECT_LT(shown, 32 * 32 / 2) << cursor;
        pictures.push_back(pixels);
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j << " look the same";
    // The four side by side, enlarged, for people to look at.
    if (const char* dir = std::getenv("SIDEBAR_LOOK_DIR")) {
        TBitmap sheet(4 * 138 + 10, 148);
        sheet.Fill(RGB(0x80, 0xA0, 0x90));
        for (int n = 0; n < 4; ++n) {
            TBitmap image, mask;
            PaintSideBarCursor(cursors[n], image, mask);
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x)
                    if ((mask.Pixel(x / 4, y / 4) & 0xFFFFFF) == 0)
                        sheet.SetPixel(10 + n * 138 + x, 10 + y, image.Pixel(x / 4, y / 4));
        }
        EXPECT_TRUE(sheet.SaveToPngFile(std::string(dir) + "/sidebar-cursors.png"));
    }
}

TEST_F(SideBarDrag, DropOntoASideBarOfAnotherStoreWithoutGroupsAddsAGroupWithAnUnlinkedCopy)
{
    // A second side bar, without groups, beside the first on the same form.
    form->SetBounds(0, 0, 320, 420);
    auto* other = new TzqSideBar(form);
    other->SetAlign(TAlign::alNone);
    other->SetParent(form);
    other->SetBounds(170, 0, 150, 420);
    driver.Pump();
    std::vector<Drop> otherDrops;
    other->OnDragDropItem = [&](TObject*, TzqSideBarItem* source, TzqSideBarItem* target, bool isCopy) {
        otherDrops.push_back({source->Caption(), target ? target->Caption() : "-", isCopy});
    };
    // The dragged item is linked to a stored item of a store the other side bar lacks.
    TzqSideBarStore store;
    auto* stored = new TzqStoredSideItem(&store);
    stored->SetStore(&store);
    stored->SetCaption("A 2");
    stored->SetHint("Stored hint");
    bar->SetStore(&store);
    a = AddGroup(bar, "A", 3);
    a->Items()->Items(1)->SetStoredItem(stored);
    bar->SetActiveGroup(a);
    deleted.clear();
    const TPoint start = OnItem(1);
    driver.Press(Screen(start));
    driver.MoveTo(Screen({start.X, start.Y + 8}));
    const TPoint into = driver.ToScreen(other->Handle(), {75, 200});
    driver.MoveTo(into);
    driver.MoveTo({into.X + 1, into.Y});
    driver.Release({into.X + 1, into.Y});
    ASSERT_EQ(other->Groups()->Count(), 1);
    EXPECT_EQ(other->ActiveGroup(), other->Groups()->Items(0));
    EXPECT_EQ(Captions(other->Groups()->Items(0)), std::vector<std::string>{"A 2"});
    const TzqSideBarItem* copy = other->Groups()->Items(0)->Items()->Items(0);
    EXPECT_EQ(copy->StoredItem(), nullptr) << "linked to a stored item of another store";
    EXPECT_EQ(copy->Hint(), "Stored hint");
    EXPECT_EQ(otherDrops, (std::vector<Drop>{{"A 2", "A 2", false}}));
    // Moved out of the source: deleted there, with its event.
    EXPECT_EQ(Captions(a), (std::vector<std::string>{"A 1", "A 3"}));
    EXPECT_EQ(deleted, std::vector<std::string>{"A 2"});
    EXPECT_TRUE(drops.empty());
}

TEST_F(SideBarDrag, DraggedItemDestroyedMidDragChangesNothing)
{
    const TPoint start = OnItem(0);
    driver.Press(Screen(start));
    driver.MoveTo(Screen({start.X, start.Y + 8}));
    driver.MoveTo(Screen(After(2)));
    delete a->Items()->Items(0);
    driver.Release(Screen(After(1)));
    EXPECT_EQ(Captions(a), (std::vector<std::string>{"A 2", "A 3"}));
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(TzqSideBarDragObject::Current(), nullptr);
}

} // namespace
