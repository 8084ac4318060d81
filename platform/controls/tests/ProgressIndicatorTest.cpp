// The progress indicator of long work: nothing for short work, then a box over the
// control that reaches the screen while the work goes on, and the control repainted
// where it stood once the work is over.
#include "ControlsFixture.h"

#include "platform/controls/Panel.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/core/Locale.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"

using ProgressIndicatorTest = ControlsFixture;

namespace {

// Steps `count` times, the virtual clock moving `msPerStep` between steps.
void Work(THeadlessDriver& driver, TProgressIndicator& progress, int from, int count, DWORD msPerStep)
{
    for (int i = from; i < from + count; ++i) {
        driver.Backend().SetTickCount(driver.Backend().TickCount() + msPerStep);
        progress.Step(i);
    }
}

} // namespace

TEST_F(ProgressIndicatorTest, ShowsOnlyAfterHalfASecondAndOnTheScreenWhileTheWorkGoesOn)
{
    auto* panel = Make<TPanel>();
    panel->SetBounds(10, 10, 380, 240);
    panel->SetColor(clWindow);
    ShowForm();
    TBitmap before;
    ASSERT_TRUE(ScreenPicture(form->Handle(), before));
    {
        TProgressIndicator progress(panel, "Loading records", 20000);
        // 400 ms of work: nothing.
        Work(driver, progress, 0, 4000, 0);
        driver.Backend().SetTickCount(driver.Backend().TickCount() + 400);
        Work(driver, progress, 4000, 1000, 0);
        EXPECT_FALSE(progress.Shown());
        // Past half a second: the box is drawn and presented, without any message loop.
        Work(driver, progress, 5000, 1000, 1);
        ASSERT_TRUE(progress.Shown());
        TBitmap during;
        ASSERT_TRUE(ScreenPicture(form->Handle(), during));
        const TRect box = progress.Box();
        ASSERT_FALSE(box.IsEmpty());
        const TPoint corner = panel->ClientToScreen(TPoint(box.Left + 3, box.Top + 3));
        const TRect window = WindowRect(form->Handle());
        EXPECT_NE(during.Pixel(corner.X - window.Left, corner.Y - window.Top),
                  before.Pixel(corner.X - window.Left, corner.Y - window.Top));
        EXPECT_EQ(during.Pixel(corner.X - window.Left, corner.Y - window.Top), ColorToRGB(clBtnFace));
        // It moves: later, more of the bar is filled.
        const TPoint barMiddle = panel->ClientToScreen(TPoint((box.Left + box.Right) / 2, box.Bottom - 12));
        const TColor early = during.Pixel(barMiddle.X - window.Left, barMiddle.Y - window.Top);
        Work(driver, progress, 6000, 8000, 1);
        TBitmap later;
        ASSERT_TRUE(ScreenPicture(form->Handle(), later));
        EXPECT_EQ(early, ColorToRGB(clWindow));
        EXPECT_EQ(later.Pixel(barMiddle.X - window.Left, barMiddle.Y - window.Top), ColorToRGB(clHighlight));
    }
    // Gone: the control paints its place again, and the screen is as before.
    driver.Pump();
    TBitmap after;
    ASSERT_TRUE(ScreenPicture(form->Handle(), after));
    int differing = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            differing += after.Pixel(x, y) != before.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(ProgressIndicatorTest, TheTextCountsDoneOfTotalWithTheLocalesSeparator)
{
    auto* panel = Make<TPanel>();
    TProgressIndicator progress(panel, "Loading records", 1000000);
    EXPECT_EQ(progress.Text(45000), "Loading records: 45,000 of 1,000,000");
    EXPECT_EQ(progress.Text(-5), "Loading records: 0 of 1,000,000");
    EXPECT_EQ(progress.Text(2000000), "Loading records: 1,000,000 of 1,000,000");
    progress.SetStage("Removing boxes", 7);
    EXPECT_EQ(progress.Text(3), "Removing boxes: 3 of 7");
}

TEST_F(ProgressIndicatorTest, AHiddenControlShowsNothing)
{
    auto* panel = Make<TPanel>();
    panel->SetVisible(false);
    ShowForm();
    TProgressIndicator progress(panel, "Loading records", 100000);
    Work(driver, progress, 0, 100000, 1);
    EXPECT_FALSE(progress.Shown());
}
