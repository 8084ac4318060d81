#include "platform/core/Exception.h"
#include "platform/drawing/SystemMetrics.h"

#include <gtest/gtest.h>

TEST(SystemMetrics, ClassicValuesAndTheScreenProvider)
{
    struct Case {
        int index, value;
    };
    const Case cases[] = {
        {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CXBORDER, 1},    {SM_CYBORDER, 1},    {SM_CXFRAME, 4},
        {SM_CYFRAME, 4},    {SM_CYSMCAPTION, 15}, {SM_CXDRAG, 4},    {SM_CYDRAG, 4},      {SM_CXSMICON, 16},
        {SM_CYSMICON, 16},  {SM_CXMENUSIZE, 18}, {SM_CYMENUSIZE, 18}, {SM_CXEDGE, 2},     {SM_CYCAPTION, 19},
        {SM_CXSCREEN, 1024}, {SM_CYSCREEN, 768}, {1234, 0},
    };
    for (const Case& k : cases)
        EXPECT_EQ(GetSystemMetrics(k.index), k.value) << "index " << k.index;

    SetScreenSizeProvider([] { return TSize(1920, 1080); });
    SetWorkAreaProvider([] { return TRect(0, 0, 1920, 1040); });
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 1040 - 19);
    TRect work;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, TRect(0, 0, 1920, 1040));
    SetScreenSizeProvider(nullptr);
    SetWorkAreaProvider(nullptr);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work, TRect(0, 0, 1024, 768));
}

TEST(SystemMetrics, NonClientMetricsCarryTheDialogFonts)
{
    NONCLIENTMETRICS m;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
    EXPECT_EQ(m.iScrollWidth, 16);
    EXPECT_EQ(m.lfStatusFont.lfHeight, -11);
    EXPECT_STREQ(m.lfCaptionFont.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(m.lfCaptionFont.lfWeight, 700);
    TFont font;
    font.AssignLogFont(m.lfCaptionFont);
    EXPECT_TRUE(font.Style().contains(TFontStyle::fsBold));
    EXPECT_FALSE(SystemParametersInfo(0xFFFF, 0, &m, 0)) << "unknown settings answer false";
    EXPECT_THROW(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0), EPlatformError);
}
