// Menu shadows: translucent and 4 pixels where the desktop composes windows, else 2
// pixels of solid shadow colour; the parts never take the mouse.
#include "bars/BarShadow.h"
#include "bars/tests/BarWindowsFixture.h"
#include "platform/backend/headless/HeadlessBackend.h"

namespace {

class BarShadowTest : public BarWindowsFixture {};

TEST_F(BarShadowTest, ATranslucentShadowOfFourPixelsWhereTheDesktopComposesWindows)
{
    ASSERT_TRUE(LayeredWindowsAvailable());
    TzqBarShadow shadow;
    const TRect menu(100, 100, 200, 160);
    shadow.Show(menu);
    ASSERT_TRUE(shadow.Visible());
    EXPECT_TRUE(shadow.Translucent());
    EXPECT_EQ(shadow.Part(0)->BoundsRect(), TRect(200, 104, 204, 164));
    EXPECT_EQ(shadow.Part(1)->BoundsRect(), TRect(104, 160, 200, 164));
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(shadow.Part(0)->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, TzqBarShadow::kOpacity);
    EXPECT_EQ(driver.Backend().OpacityOf(shadow.Part(1)->Handle()), TzqBarShadow::kOpacity);
    // The mouse goes through to what lies beneath.
    const TPoint onPart{202, 130};
    EXPECT_NE(WindowFromPoint(onPart), shadow.Part(0)->Handle());
    shadow.Hide();
    EXPECT_FALSE(shadow.Visible());
}

TEST_F(BarShadowTest, ASolidShadowOfTwoPixelsElsewhere)
{
    driver.Backend().SetTranslucentWindowsAvailable(false);
    TzqBarShadow shadow;
    shadow.Show(TRect(100, 100, 200, 160));
    EXPECT_FALSE(shadow.Translucent());
    EXPECT_EQ(shadow.Part(0)->BoundsRect(), TRect(200, 102, 202, 162));
    EXPECT_EQ(shadow.Part(1)->BoundsRect(), TRect(102, 160, 200, 162));
    EXPECT_FALSE(GetWindowLong(shadow.Part(0)->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    driver.PaintAll();
    EXPECT_EQ(WindowSurface(shadow.Part(1)->Handle())->Pixel(5, 1) & 0xFFFFFF, ColorToRGB(clBtnShadow));
}

} // namespace
