// How an editor looks: view data with hot tracking, the view info of borders, edges
// and shadow, the window region and client area, and the class-level drawing.
#include "editors/SharedBrushes.h"
#include "editors/tests/EditorFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

namespace {

using B = TzqEditBorderStyle;
using S = TzqEditButtonViewStyle;

class EditViewTest : public EditorTest {};

TEST_F(EditViewTest, HotTrackingRaisesTheBorderOfAHotEditorAndTheButtonsFollowTheDrawnBorder)
{
    struct Row {
        B border;
        bool hot;
        B drawn;
        S buttons;
    };
    const Row rows[] = {
        {B::xbsNone, false, B::xbsNone, S::btsSimple},   {B::xbsNone, true, B::xbsFlat, S::btsFlat},
        {B::xbsSingle, false, B::xbsSingle, S::btsHotFlat}, {B::xbsSingle, true, B::xbsThick, S::bts3D},
        {B::xbsThick, false, B::xbsThick, S::bts3D},     {B::xbsThick, true, B::xbsThick, S::bts3D},
        {B::xbsFlat, false, B::xbsFlat, S::btsFlat},     {B::xbsFlat, true, B::xbs3D, S::bts3D},
        {B::xbs3D, false, B::xbs3D, S::bts3D},           {B::xbs3D, true, B::xbs3D, S::bts3D},
    };
    // Not shown, so not focused: only Hot makes it hot.
    TTestEdit* edit = host->Edit();
    edit->Style()->SetHotTrack(true);
    for (const Row& row : rows) {
        edit->Style()->SetBorderStyle(row.border);
        edit->SetHot(row.hot);
        const auto data = edit->CreateViewData(false);
        EXPECT_EQ(data->BorderStyle, row.drawn) << int(row.border) << " hot " << row.hot;
        EXPECT_EQ(data->ButtonStyle, row.buttons) << int(row.border) << " hot " << row.hot;
        EXPECT_EQ(data->Hot, row.hot);
    }
    // Without hot tracking nothing is raised; an explicit button style stays.
    edit->Style()->SetHotTrack(false);
    edit->Style()->SetBorderStyle(B::xbsNone);
    edit->Style()->SetButtonStyle(S::btsHotFlat);
    edit->SetHot(true);
    const auto data = edit->CreateViewData(false);
    EXPECT_EQ(data->BorderStyle, B::xbsNone);
    EXPECT_EQ(data->ButtonStyle, S::btsHotFlat);
}

TEST_F(EditViewTest, ThePointerOverAHotTrackingEditorDrawsTheRaisedBorderAndLeavingRestoresIt)
{
    TTestEdit* edit = host->Activate();
    edit->Style()->SetBorderStyle(B::xbsNone);
    edit->Style()->SetHotTrack(true);
    // Focus makes an editor hot as well; the host takes it back.
    host->SetFocus();
    EXPECT_EQ(edit->CreateViewData(false)->BorderStyle, B::xbsNone);
    driver.MoveTo(driver.ToScreen(edit->Handle(), TPoint(10, 5)));
    EXPECT_TRUE(edit->Hot());
    EXPECT_EQ(edit->CreateViewData(false)->BorderStyle, B::xbsFlat);
    driver.MoveTo(driver.ToScreen(host->Handle(), TPoint(300, 150)));
    EXPECT_FALSE(edit->Hot());
    EXPECT_EQ(edit->CreateViewData(false)->BorderStyle, B::xbsNone);
}

TEST_F(EditViewTest, ButtonTransparenceDependsOnHot)
{
    using T = TzqEditButtonTransparence;
    struct Row {
        T transparence;
        bool hot;
        bool transparent;
    };
    const Row rows[] = {{T::ebtNone, false, false},     {T::ebtInactive, false, true}, {T::ebtInactive, true, false},
                        {T::ebtAlways, true, true},     {T::ebtHideInactive, false, false}};
    TTestEdit* edit = host->Edit();
    for (const Row& row : rows) {
        edit->Style()->SetButtonTransparence(row.transparence);
        edit->SetHot(row.hot);
        EXPECT_EQ(edit->CreateViewData(false)->ButtonTransparent, row.transparent) << int(row.transparence);
    }
}

TEST_F(EditViewTest, ViewInfoPlacesClientBorderAndShadowByStyleEdgesAndShadow)
{
    struct Row {
        B border;
        TzqEditEdges edges;
        bool shadow;
        int borderWidth;
        TRect client;
        TRect borderRect;
    };
    const TzqEditEdges leftTop{TzqEditEdge::edgLeft, TzqEditEdge::edgTop};
    const Row rows[] = {
        {B::xbsNone, zqAllEdges, false, 0, TRect(2, 2, 98, 18), TRect(2, 2, 98, 18)},
        {B::xbsSingle, zqAllEdges, false, 1, TRect(2, 2, 98, 18), TRect(1, 1, 99, 19)},
        {B::xbsThick, zqAllEdges, false, 2, TRect(2, 2, 98, 18), TRect(0, 0, 100, 20)},
        {B::xbs3D, leftTop, false, 2, TRect(2, 2, 98, 18), TRect(0, 0, 98, 18)},
        {B::xbsFlat, zqAllEdges, true, 2, TRect(2, 2, 96, 16), TRect(0, 0, 98, 18)},
    };
    TzqEditViewData data;
    data.Bounds = TRect(0, 0, 100, 20);
    for (const Row& row : rows) {
        data.BorderStyle = row.border;
        data.Edges = row.edges;
        data.Shadow = row.shadow;
        TzqEditViewInfo info;
        TzqInplaceEdit::StaticClass().CalcViewInfo(data, false, info);
        EXPECT_EQ(info.BorderWidth, row.borderWidth) << int(row.border);
        EXPECT_EQ(info.ClientRect, row.client) << int(row.border);
        EXPECT_EQ(info.BorderRect, row.borderRect) << int(row.border);
        EXPECT_EQ(info.ShadowSize, row.shadow ? 2 : 0);
        EXPECT_EQ(info.ShadowRect, row.shadow ? row.borderRect.Offset(2, 2) : TRect());
    }
}

TEST_F(EditViewTest, AShadowAddsTwoPixelsToTheRegionRightAndBelowAndShrinksTheClientArea)
{
    TTestEdit* edit = host->Activate();
    const TRect plainClient = edit->ClientRect();
    EXPECT_EQ(plainClient.Size(), TSize(host->cell.Width(), host->cell.Height()));

    edit->Style()->SetShadow(true);
    EXPECT_EQ(edit->ClientRect().Width(), plainClient.Width() - 2);
    EXPECT_EQ(edit->ClientRect().Height(), plainClient.Height() - 2);

    // The region: the frame and the offset shadow, without the two corners it leaves.
    // Window coordinates: (0, 0) is the window's top-left, border included.
    auto hitsEditor = [&](int x, int y) {
        const TPoint origin = WindowRect(edit->Handle()).TopLeft();
        return WindowFromPoint(TPoint(origin.X + x, origin.Y + y)) == edit->Handle();
    };
    const int w = edit->Width(), h = edit->Height();
    struct Probe {
        int x, y;
        bool inside;
        const char* what;
    };
    const Probe probes[] = {
        {0, 0, true, "top-left of the frame"},
        {w - 1, h - 1, true, "bottom-right of the shadow"},
        {w - 1, 0, false, "top-right corner beside the shadow"},
        {0, h - 1, false, "bottom-left corner below the frame"},
        {w - 1, 3, true, "the shadow strip on the right"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(hitsEditor(p.x, p.y), p.inside) << p.what;

    // A full thick border without shadow has no region: the whole window is the editor.
    edit->Style()->SetShadow(false);
    EXPECT_TRUE(hitsEditor(w - 1, 0));
    // A thin border: only the outline (the outer pixel is the host's).
    edit->Style()->SetBorderStyle(B::xbsSingle);
    EXPECT_FALSE(hitsEditor(0, 0));
    EXPECT_TRUE(hitsEditor(1, 1));
}

TEST_F(EditViewTest, TheWindowsBorderIsPaintedInTheNonClientAreaAndTheHostShowsAroundIt)
{
    host->SetColor(clWhite);
    TTestEdit* edit = host->Activate();
    edit->SetColor(clYellow);
    edit->Style()->SetBorderStyle(B::xbsSingle);
    edit->Style()->SetBorderColor(clRed);
    driver.PaintAll();
    TBitmap screen;
    ASSERT_TRUE(driver.Backend().GrabScreen(form->Handle(), screen));
    const TRect w = WindowRect(edit->Handle()); // the form lies at the screen's origin
    EXPECT_EQ(screen.Pixel(w.Left + 1, w.Top + 1), ColorToRGB(clRed)) << "the one-pixel border";
    EXPECT_EQ(screen.Pixel(w.Left + 5, w.Top + 5), ColorToRGB(clYellow)) << "the client area";
    EXPECT_EQ(screen.Pixel(w.Left, w.Top), ColorToRGB(clWhite)) << "outside the region: the host";
}

TEST_F(EditViewTest, DrawPaintsBorderAndBackgroundAndTakesTheOutlineOutOfTheRegion)
{
    TBitmap picture(60, 30);
    picture.Fill(clWhite);
    TzqEditViewData data;
    data.Bounds = TRect(10, 5, 50, 25);
    data.BorderStyle = B::xbsSingle;
    data.BorderColor = clRed;
    data.Shadow = true;
    TBrush brush;
    brush.SetColor(clYellow);
    data.Brush = &brush;
    TRegion region(TRect(0, 0, 60, 30));
    TzqInplaceEdit::StaticClass().Draw(picture.Canvas(), data, &region);
    // Border (1 pixel, red) around the client area starting 2 pixels in.
    EXPECT_EQ(picture.Pixel(11, 6), ColorToRGB(clRed));
    EXPECT_EQ(picture.Pixel(12, 7), ColorToRGB(clYellow));
    EXPECT_EQ(picture.Pixel(10, 5), ColorToRGB(clWhite)) << "outside the border rectangle";
    // The shadow strips along the right and the bottom of the offset rectangle.
    EXPECT_EQ(picture.Pixel(48, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(30, 23), ColorToRGB(clBtnShadow));
    EXPECT_FALSE(region.Contains(TPoint(30, 10)));
    EXPECT_FALSE(region.Contains(TPoint(48, 20)));
    EXPECT_TRUE(region.Contains(TPoint(5, 5)));

    // A transparent view data leaves the background alone.
    picture.Fill(clWhite);
    data.Transparent = true;
    TzqInplaceEdit::StaticClass().Draw(picture.Canvas(), data, nullptr);
    EXPECT_EQ(picture.Pixel(20, 12), ColorToRGB(clWhite));
}

TEST_F(EditViewTest, ASingleBorderWithMissingEdgesFillsStripsOnlyWherePresent)
{
    TBitmap picture(40, 20);
    picture.Fill(clWhite);
    TzqEditViewData data;
    data.Bounds = TRect(0, 0, 40, 20);
    data.BorderStyle = B::xbsThick;
    data.BorderColor = clBlue;
    data.Edges = TzqEditEdges{TzqEditEdge::edgLeft, TzqEditEdge::edgBottom};
    data.Transparent = true;
    TzqEditViewInfo info;
    TzqInplaceEdit::StaticClass().CalcViewInfo(data, false, info);
    TzqInplaceEdit::StaticClass().DrawBorder(picture.Canvas(), info, data);
    EXPECT_EQ(picture.Pixel(0, 10), ColorToRGB(clBlue)) << "left strip";
    EXPECT_EQ(picture.Pixel(20, 19), ColorToRGB(clBlue)) << "bottom strip";
    EXPECT_EQ(picture.Pixel(20, 1), ColorToRGB(clWhite)) << "no top edge";
    EXPECT_EQ(picture.Pixel(39, 10), ColorToRGB(clWhite)) << "no right edge";
}

TEST_F(EditViewTest, ViewDataOfADisabledEditorUsesTheButtonFaceAndShadowColours)
{
    TTestEdit* edit = host->Edit();
    edit->SetColor(clAqua);
    auto enabled = edit->CreateViewData(false);
    EXPECT_EQ(enabled->BkColor, ColorToRGB(clAqua));
    edit->SetEnabled(false);
    auto disabled = edit->CreateViewData(false);
    EXPECT_EQ(disabled->BkColor, ColorToRGB(clBtnFace));
    EXPECT_EQ(disabled->TextColor, ColorToRGB(clBtnShadow));
    EXPECT_EQ(disabled->Brush, DisabledEditBrush());
    EXPECT_EQ(disabled->Data.AsString(), "");
    edit->SetText("shown");
    EXPECT_EQ(edit->CreateViewData(true)->Data.AsString(), "shown");
}

TEST_F(EditViewTest, PrintingDrawsTheWholeEditorFromAPaintCopyViewData)
{
    struct TPaintCopyEdit : TTestEdit {
        using TTestEdit::TTestEdit;
        int paintCopies = 0;
        void GetDisplayValue(Variant& Value, bool IsPaintCopy) override
        {
            paintCopies += IsPaintCopy;
            TTestEdit::GetDisplayValue(Value, IsPaintCopy);
        }
    };
    auto* edit = new TPaintCopyEdit(host);
    edit->SetParent(host);
    edit->SetColor(clYellow);
    edit->ShowAt(host->cell);
    TBitmap picture(edit->Width(), edit->Height());
    picture.Fill(clWhite);
    SendMessage(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(picture.Canvas()), PRF_CLIENT | PRF_NONCLIENT);
    EXPECT_EQ(edit->paintCopies, 1);
    EXPECT_NE(picture.Pixel(0, 0), ColorToRGB(clWhite)) << "the sunken border";
    EXPECT_EQ(picture.Pixel(5, 5), ColorToRGB(clYellow)) << "the background";
}

TEST_F(EditViewTest, ClassLevelAnswersWithoutAnEditor)
{
    const TzqInplaceEditClass& cls = TzqInplaceEdit::StaticClass();
    TzqEditViewData data;
    EXPECT_EQ(cls.GetCursor(0, 0, data), crArrow);
    data.IsNativeEdit = true;
    EXPECT_EQ(cls.GetCursor(0, 0, data), crDefault);
    data.Cursor = crHandPoint;
    EXPECT_EQ(cls.GetCursor(0, 0, data), crHandPoint);
    TFont font;
    font.SetSize(20);
    data.Font = &font;
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(font);
    EXPECT_EQ(cls.GetDefaultHeight(data), 3 + scratch.Canvas()->GetTextMetrics().tmHeight);
    TRect aux(1, 2, 3, 4);
    cls.GetAuxRect(data, aux);
    EXPECT_TRUE(aux.IsEmpty());
    EXPECT_TRUE(cls.IsInplace());
}

} // namespace
