#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/tests/PixelArt.h"

#include <gtest/gtest.h>

namespace {

// Classic palette: W highlight, L 3D light, F face, S shadow, K dark shadow (black).
const std::map<TColor, char> kEdgeLegend = {{GetSysColor(COLOR_BTNHIGHLIGHT), 'W'}, {GetSysColor(COLOR_3DLIGHT), 'L'},
                                            {GetSysColor(COLOR_BTNFACE), 'F'},      {GetSysColor(COLOR_BTNSHADOW), 'S'},
                                            {GetSysColor(COLOR_3DDKSHADOW), 'K'},   {RGB(0, 0, 255), '.'}};

struct EdgeSurface {
    TBitmap bitmap;
    EdgeSurface(int w, int h) : bitmap(w, h) { bitmap.Fill(RGB(0, 0, 255)); }
    TCanvas* c() { return bitmap.Canvas(); }
    std::string Art() const { return PixelArt(bitmap, kEdgeLegend); }
};

} // namespace

TEST(DrawEdge, SunkenEdgeHasShadowOutsideAndDarkShadowInside)
{
    EdgeSurface s(6, 6);
    TRect r(0, 0, 6, 6);
    EXPECT_TRUE(s.c()->DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(s.Art(), Art("SSSSSW",
                           "SKKKLW",
                           "SK..LW",
                           "SK..LW",
                           "SLLLLW",
                           "WWWWWW"));
    EXPECT_EQ(r, TRect(2, 2, 4, 4)) << "BF_ADJUST takes both borders off";
}

TEST(DrawEdge, RaisedSoftFlatMonoAndMiddle)
{
    struct Case {
        unsigned edge, flags;
        std::string art;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, Art("LLLLK", "LWWSK", "LW.SK", "LSSSK", "KKKKK")},
        {EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE, Art("WWWWK", "WLLSK", "WLFSK", "WSSSK", "KKKKK")},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT, Art("SSSSS", "SFFFS", "SF.FS", "SFFFS", "SSSSS")},
        {BDR_RAISEDINNER, BF_RECT, Art("WWWWS", "W...S", "W...S", "W...S", "SSSSS")},
        {EDGE_ETCHED, BF_TOP | BF_LEFT, Art("SSSSS", "SWWWW", "SW...", "SW...", "SW...")},
    };
    for (const Case& k : cases) {
        EdgeSurface s(5, 5);
        TRect r(0, 0, 5, 5);
        s.c()->DrawEdge(r, k.edge, k.flags);
        EXPECT_EQ(s.Art(), k.art) << "edge " << k.edge << " flags " << k.flags;
        EXPECT_EQ(r, TRect(0, 0, 5, 5)) << "without BF_ADJUST the rectangle stays";
    }

    EdgeSurface mono(4, 4);
    TRect r(0, 0, 4, 4);
    mono.c()->DrawEdge(r, BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_ADJUST);
    EXPECT_EQ(PixelArt(mono.bitmap, {{clBlack, '#'}, {RGB(0, 0, 255), '.'}}), Art("####", "#..#", "#..#", "####"));
    EXPECT_EQ(r, TRect(1, 1, 3, 3));
}

TEST(DrawFrameControl, PushButtonIsRaisedAndPushedIsSunken)
{
    EdgeSurface up(6, 5), down(6, 5);
    TRect a(0, 0, 6, 5), b(0, 0, 6, 5);
    EXPECT_TRUE(up.c()->DrawFrameControl(a, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    down.c()->DrawFrameControl(b, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(up.Art(), Art("WWWWWK", "WLLLSK", "WLFFSK", "WSSSSK", "KKKKKK"));
    EXPECT_EQ(a, TRect(2, 2, 4, 3));
    EXPECT_EQ(down.bitmap.Pixel(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(down.bitmap.Pixel(5, 4), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(b, TRect(0, 0, 6, 5)) << "no DFCS_ADJUSTRECT: unchanged";

    TRect bad(0, 0, 6, 5);
    EXPECT_FALSE(up.c()->DrawFrameControl(bad, 99, 0)) << "an unknown type draws nothing";
}

TEST(DrawFrameControl, CheckBoxShowsItsMarkOnlyWhenChecked)
{
    EdgeSurface off(13, 13), on(13, 13), inactive(13, 13);
    TRect r(0, 0, 13, 13);
    off.c()->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONCHECK);
    on.c()->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    inactive.c()->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
    EXPECT_EQ(ColorBounds(off.bitmap, clBlack), TRect(1, 1, 11, 11)) << "unchecked: only the dark inner border is black";
    for (const TPoint& p : {TPoint(2, 2), TPoint(10, 10), TPoint(10, 2)})
        EXPECT_EQ(off.bitmap.Pixel(p.X, p.Y), clWhite) << "white well inside the sunken edge";
    EXPECT_EQ(on.bitmap.Pixel(3, 5), clBlack) << "the mark's first column";
    EXPECT_EQ(inactive.bitmap.Pixel(3, 5), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(inactive.bitmap.Pixel(6, 6), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(inactive.bitmap.Pixel(2, 2), GetSysColor(COLOR_BTNFACE)) << "an inactive box is filled with the face";
}
