// Bars docked in the rows of a site: how a row shares its length, how thick the site
// gets, and where a bar lands.
#include "bars/tests/BarWindowsFixture.h"
#include "bars/BarDragLoop.h"

namespace {

class DockRowsTest : public BarWindowsFixture {};

TEST_F(DockRowsTest, TwoOverflowingToolbarsShrinkTheLeftOneAndKeepTheRightOneWhole)
{
    TzqBar* left = Toolbar("Left", 14, TzqBarDockingStyle::dsTop, 0, 0);
    TzqBar* right = Toolbar("Right", 14, TzqBarDockingStyle::dsTop, 0, 100);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    ASSERT_NE(Window(left), nullptr);
    ASSERT_NE(Window(right), nullptr);
    ASSERT_EQ(site->RowCount(), 1);
    const int full = Window(right)->MaxLength();
    // 14 buttons of 23, the frame (2 + grip 6 + 2) and the mark strip of 11.
    EXPECT_EQ(full, 14 * 23 + 10 + 11);
    EXPECT_GT(2 * full, site->ClientWidth());

    EXPECT_EQ(Window(right)->Width(), full);
    EXPECT_EQ(Window(right)->Left() + Window(right)->Width(), site->ClientWidth());
    EXPECT_FALSE(Window(right)->Truncated());
    EXPECT_EQ(Window(left)->Left(), 0);
    EXPECT_EQ(Window(left)->Width(), Window(right)->Left());
    EXPECT_TRUE(Window(left)->Truncated());
    EXPECT_TRUE(Window(left)->MarkShown());
    EXPECT_LT(Window(left)->ItemControlCount(), 14);
    // The site is as thick as its row: glyph buttons of 22 and the frame.
    EXPECT_EQ(site->Height(), 22 + 4);
    SavePicture(form->Handle(), "two-toolbars-overflowing");
}

} // namespace

namespace {

// The row a point across a top site of two rows (26 pixels each) asks for.
TEST_F(DockRowsTest, APointAcrossTheRowsJoinsARowOrAsksForANewOne)
{
    Toolbar("First", 3, TzqBarDockingStyle::dsTop, 0);
    TzqBar* second = Toolbar("Second", 3, TzqBarDockingStyle::dsTop, 1);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    ASSERT_EQ(site->RowCount(), 2);
    ASSERT_EQ(site->Rows(0).Thickness, 26);
    struct Case {
        int y;
        int row;
        bool newRow;
    };
    const Case cases[] = {
        {-30, 0, true}, // in front of every band
        {-12, 0, true}, // the band of the virtual row in front
        {-5, 0, false}, // up to row 0's band: row 0
        {5, 0, false},
        {11, 1, true},  // row 0's band, 9 to 14 in from its top: a new row after it
        {14, 1, false}, // past it: row 1
        {34, 1, false},
        {36, 2, true},  // row 1's band
        {50, 2, true},  // beyond the last band: appended
        {63, 2, true},  // the band of the virtual row after
        {200, 2, true},
    };
    const TPoint origin = site->ClientToScreen(TPoint{0, 0});
    for (const Case& c : cases) {
        const TzqDockTarget t = site->TargetAt({origin.X + 40, origin.Y + c.y}, Window(second));
        EXPECT_EQ(t.Row, c.row) << "y = " << c.y;
        EXPECT_EQ(t.NewRow, c.newRow) << "y = " << c.y;
    }
}

// A bottom site's rows face the form's edge with their bottom: the bands lie 9 to 14
// pixels up from each row's bottom.
TEST_F(DockRowsTest, TheBandsOfABottomSiteLieInFromTheBottomOfEachRow)
{
    TzqBar* only = Toolbar("Only", 3, TzqBarDockingStyle::dsBottom, 0);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsBottom);
    ASSERT_EQ(site->Height(), 26);
    const TPoint origin = site->ClientToScreen(TPoint{0, 0});
    auto at = [&](int y) { return site->TargetAt({origin.X + 40, origin.Y + y}, Window(only)); };
    EXPECT_TRUE(at(-12).NewRow);   // above: the virtual row in front's band at -14..-9
    EXPECT_EQ(at(-12).Row, 0);
    EXPECT_FALSE(at(5).NewRow);    // between that band and row 0's band (12..17): row 0
    EXPECT_TRUE(at(14).NewRow);    // row 0's band
    EXPECT_EQ(at(14).Row, 1);
}

TEST_F(DockRowsTest, OneOnRowAndWholeRowBarsGetARowOfTheirOwn)
{
    TzqBar* first = Toolbar("First", 3, TzqBarDockingStyle::dsTop, 0);
    TzqBar* lone = Toolbar("Lone", 3, TzqBarDockingStyle::dsTop, 1);
    lone->SetOneOnRow(true);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    ASSERT_EQ(site->RowCount(), 2);
    // Dropped in the middle of row 0, beside the other bar.
    const TPoint origin = site->ClientToScreen(TPoint{0, 0});
    site->DockBarAt(Window(lone), {origin.X + 200, origin.Y + 20}, {5, 5});
    EXPECT_EQ(site->RowCount(), 2);
    int row = -1, col = -1;
    ASSERT_TRUE(site->Find(Window(lone), row, col));
    EXPECT_EQ(site->Rows(row).Cols.size(), 1u);
    ASSERT_TRUE(site->Find(Window(first), row, col));
    EXPECT_EQ(site->Rows(row).Cols.size(), 1u);

    // A plain bar dropped on a row holding a whole-row bar does not join it either.
    first->SetWholeRow(true);
    TzqBar* plain = Toolbar("Plain", 2, TzqBarDockingStyle::dsTop, 5);
    ASSERT_TRUE(site->Find(Window(first), row, col));
    const TPoint onFirst = site->ClientToScreen(TPoint{100, site->RowMiddle(row)});
    site->DockBarAt(Window(plain), onFirst, {5, 5});
    EXPECT_EQ(site->Rows(row).Cols.size(), 1u);
    EXPECT_EQ(site->RowCount(), 3);
}

TEST_F(DockRowsTest, ARowFarPastTheLastPutsTheBarInANewLastRow)
{
    Toolbar("First", 3, TzqBarDockingStyle::dsTop, 0);
    TzqBar* far = Toolbar("Far", 3, TzqBarDockingStyle::dsTop, 2147483647);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    EXPECT_EQ(site->RowCount(), 2);
    int row = -1, col = -1;
    ASSERT_TRUE(site->Find(Window(far), row, col));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(site->Height(), 2 * 26);
}

// Right and bottom sites grow inwards: their far edge stays at the form's edge.
TEST_F(DockRowsTest, ABottomOrRightSiteThatGrowsKeepsItsOuterEdge)
{
    for (TzqBarDockingStyle side : {TzqBarDockingStyle::dsBottom, TzqBarDockingStyle::dsRight}) {
        TzqDockControl* site = Site(side);
        Toolbar("One", 3, side, 0);
        const TRect before = site->BoundsRect();
        Toolbar("Two", 3, side, 1);
        const TRect after = site->BoundsRect();
        if (side == TzqBarDockingStyle::dsBottom) {
            EXPECT_EQ(after.Bottom, before.Bottom);
            EXPECT_EQ(after.Bottom, form->ClientHeight());
            EXPECT_EQ(after.Height(), 2 * before.Height());
        } else {
            EXPECT_EQ(after.Right, before.Right);
            EXPECT_EQ(after.Right, form->ClientWidth());
            EXPECT_EQ(after.Width(), 2 * before.Width());
        }
    }
}

TEST_F(DockRowsTest, ASunkenSiteIsTwoPixelsThickerAndHidingTheLastBarEmptiesIt)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsTop, 0);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    EXPECT_EQ(site->Height(), 26);
    manager->SetSunkenBorder(true);
    EXPECT_EQ(site->Height(), 28);
    EXPECT_EQ(Window(bar)->Top(), 1);
    bar->SetVisible(false);
    EXPECT_EQ(bar->Control(), nullptr);
    EXPECT_EQ(site->RowCount(), 0);
    EXPECT_EQ(site->Height(), 2);
}

TEST_F(DockRowsTest, NothingIsLaidOutWhileTheManagerIsLocked)
{
    TzqBar* bar = Toolbar("Tools", 3, TzqBarDockingStyle::dsTop, 0);
    TzqDockControl* site = Site(TzqBarDockingStyle::dsTop);
    const int width = Window(bar)->Width();
    {
        TzqBarManagerLock lock(manager);
        Link(bar->ItemLinks(), GlyphButton("More"));
        Link(bar->ItemLinks(), GlyphButton("Again"));
        EXPECT_EQ(Window(bar)->Width(), width);
        Toolbar("Second", 2, TzqBarDockingStyle::dsTop, 1);
        EXPECT_EQ(site->Height(), 26);
    }
    EXPECT_EQ(Window(bar)->Width(), width + 2 * 23);
    EXPECT_EQ(site->Height(), 2 * 26);
}

} // namespace

namespace {

TEST_F(DockRowsTest, AUserSiteTakesBarsWhileItAllowsDockingAndKeepsNoThicknessEmpty)
{
    auto* site = new TzqBarDockControl(form);
    site->SetParent(form);
    site->SetAlign(TzqBarDockAlign::dalBottom);
    site->SetBarManager(manager);
    EXPECT_EQ(site->Height(), 0);
    TzqBar* bar = AddBar("Mine");
    Link(bar->ItemLinks(), GlyphButton("Mine0"));
    bar->SetDockControl(site);
    bar->SetVisible(true);
    ASSERT_NE(Window(bar), nullptr);
    EXPECT_EQ(Window(bar)->DockSite(), site);
    EXPECT_EQ(bar->DockingStyle(), TzqBarDockingStyle::dsBottom);
    EXPECT_EQ(site->Height(), 26);
    bar->SetVisible(false);
    EXPECT_EQ(site->Height(), 0);

    // Not allowed: the drag finds no site there.
    bar->SetVisible(true);
    site->SetAllowDocking(false);
    EXPECT_FALSE(site->CanDocking(bar));
    const TPoint onSite = site->ClientToScreen(TPoint{100, 5});
    EXPECT_NE(TzqBarDragLoop::SiteAt(Window(bar), onSite), site);
}

} // namespace

namespace {

TEST_F(DockRowsTest, AUserSiteCanHaveItsOwnSunkenBorderAndStaysEmptyWithoutBars)
{
    auto* site = new TzqBarDockControl(form);
    site->SetParent(form);
    site->SetBarManager(manager);
    manager->SetSunkenBorder(true);
    EXPECT_TRUE(site->Sunken());
    EXPECT_EQ(site->Height(), 0); // empty: no border either
    site->SetSunkenBorder(false);
    EXPECT_TRUE(site->UseOwnSunkenBorder());
    EXPECT_FALSE(site->Sunken());
    TzqBar* bar = AddBar("Mine");
    Link(bar->ItemLinks(), GlyphButton("Mine0"));
    bar->SetDockControl(site);
    bar->SetVisible(true);
    EXPECT_EQ(site->Height(), 26);
    site->SetSunkenBorder(true);
    EXPECT_EQ(site->Height(), 28);
    site->SetUseOwnSunkenBorder(false);
    manager->SetSunkenBorder(false);
    EXPECT_EQ(site->Height(), 26);
}

} // namespace

namespace {

TEST_F(DockRowsTest, AUserSiteGoingAwayTakesTheWindowsOfItsBarsAndHidesThem)
{
    auto* site = new TzqBarDockControl(form);
    site->SetParent(form);
    site->SetBarManager(manager);
    TzqBar* bar = AddBar("Mine");
    Link(bar->ItemLinks(), GlyphButton("Mine0"));
    bar->SetDockControl(site);
    bar->SetVisible(true);
    ASSERT_NE(Window(bar), nullptr);
    delete site;
    EXPECT_EQ(bar->Control(), nullptr);
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->DockControl(), nullptr);
    // Shown again, it docks at the side the site was on.
    bar->SetDockingStyle(bar->DockedDockingStyle());
    bar->SetVisible(true);
    ASSERT_NE(Window(bar), nullptr);
    EXPECT_EQ(Window(bar)->DockSite(), Site(TzqBarDockingStyle::dsTop));
}

} // namespace
