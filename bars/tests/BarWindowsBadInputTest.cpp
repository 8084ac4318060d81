// Bar windows never fail on odd sizes: a form of no size, empty bars, thousands of
// links, huge fonts.
#include "bars/tests/BarWindowsFixture.h"
#include "platform/drawing/Font.h"

namespace {

class BarWindowsBadInputTest : public BarWindowsFixture {};

TEST_F(BarWindowsBadInputTest, AFormOfNoSizeStillLaysItsBarsOutAtTheirMinimum)
{
    TzqBar* first = Toolbar("First", 5);
    TzqBar* second = Toolbar("Second", 5, TzqBarDockingStyle::dsTop, 0, 300);
    TzqBar* side = Toolbar("Side", 5, TzqBarDockingStyle::dsLeft);
    form->SetBounds(0, 0, 0, 0);
    for (TzqBar* bar : {first, second, side}) {
        ASSERT_NE(Window(bar), nullptr);
        const TzqBarControl* w = Window(bar);
        EXPECT_GE(w->Vertical() ? w->Height() : w->Width(), w->MinLength());
        EXPECT_GT(w->Vertical() ? w->Width() : w->Height(), 0);
    }
    EXPECT_TRUE(Window(first)->Truncated());
    form->SetBounds(0, 0, 640, 420);
    EXPECT_FALSE(Window(second)->Truncated());
}

TEST_F(BarWindowsBadInputTest, AnEmptyBarIsSizedFromTheDefaultMetrics)
{
    TzqBar* empty = Toolbar("Empty", 0);
    ASSERT_NE(Window(empty), nullptr);
    EXPECT_EQ(Window(empty)->ItemControlCount(), 0);
    EXPECT_EQ(Window(empty)->Height(), manager->ButtonSize() + 4);
    EXPECT_EQ(Window(empty)->Width(), manager->ButtonSize() + 10 + 11);
    empty->SetDockingStyle(TzqBarDockingStyle::dsNone);
    EXPECT_GT(Window(empty)->ClientRect().Width(), 0);
}

TEST_F(BarWindowsBadInputTest, TenThousandLinksFitTheRowTheyHave)
{
    TzqBar* bar = AddBar("Huge");
    {
        TzqBarManagerLock lock(manager);
        for (int i = 0; i < 10000; ++i)
            Link(bar->ItemLinks(), GlyphButton("h" + std::to_string(i)));
        bar->SetDockingStyle(TzqBarDockingStyle::dsTop);
        bar->SetVisible(true);
    }
    TzqBarControl* window = Window(bar);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Truncated());
    EXPECT_EQ(window->Width(), Site(TzqBarDockingStyle::dsTop)->ClientWidth());
    EXPECT_LT(window->ItemControlCount(), 40);
    EXPECT_EQ(window->MaxLength(), 10000 * 23 + 10 + 11);
    // Floating, the links wrap into lines of the float width.
    bar->SetFloatClientWidth(400);
    bar->SetDockingStyle(TzqBarDockingStyle::dsNone);
    EXPECT_EQ(window->ItemControlCount(), 10000);
    EXPECT_LE(window->ClientRect().Width(), 400);
}

TEST_F(BarWindowsBadInputTest, AHugeFontMakesThickBarsNotBrokenOnes)
{
    TzqBar* bar = AddBar("Big");
    Link(bar->ItemLinks(), Make("Caption", "Caption"));
    TFont font;
    font.Assign(*bar->Font());
    font.SetSize(300);
    bar->SetFont(font);
    bar->SetDockingStyle(TzqBarDockingStyle::dsTop);
    bar->SetVisible(true);
    TzqBarControl* window = Window(bar);
    ASSERT_EQ(window->ItemControlCount(), 1);
    EXPECT_GT(window->Height(), 300);
    EXPECT_EQ(Site(TzqBarDockingStyle::dsTop)->Height(), window->Height());
    EXPECT_GT(window->ItemControls(0)->Rect().Width(), 300);
}

} // namespace
