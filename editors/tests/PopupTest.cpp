// Drop-down placement in the monitors' work areas, the popup window's frame, shadow,
// activation and close-up notification, and the hint window's placement.
#include "editors/ContainerHintWindow.h"
#include "editors/EditMessages.h"
#include "editors/InplacePopupControl.h"
#include "editors/PopupFrame.h"
#include "editors/tests/EditorFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

namespace {

// The screen is 1280 x 800; the primary monitor's work area leaves bars at all sides,
// a second monitor stands to the right.
const TRect kWork(100, 50, 1180, 750);
const TRect kSecondWork(1300, 0, 1900, 760);

class PopupTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        driver.Backend().SetMonitors({{TRect(0, 0, 1280, 800), kWork, true},
                                      {TRect(1280, 0, 1920, 800), kSecondWork, false}});
    }
};

TEST_F(PopupTest, GetMonitorWorkAreaAnswersTheWorkAreaOfTheMonitorAtOrNearestThePoint)
{
    TRect r;
    GetMonitorWorkArea(TPoint(10, 10), r);
    EXPECT_EQ(r, kWork) << "on the task bar of the primary monitor";
    GetMonitorWorkArea(TPoint(1500, 400), r);
    EXPECT_EQ(r, kSecondWork);
    GetMonitorWorkArea(TPoint(5000, 400), r);
    EXPECT_EQ(r, kSecondWork) << "nearest";
}

TEST_F(PopupTest, AdjustPopupPositionPlacesTheDropDownAtEveryEdgeOfTheWorkArea)
{
    struct Row {
        TPoint pos;
        int width, height, editHeight;
        TPoint expected;
        const char* what;
    };
    const Row rows[] = {
        {TPoint(300, 200), 200, 100, 20, TPoint(300, 200), "fits"},
        {TPoint(40, 200), 200, 100, 20, TPoint(100, 200), "left of the area"},
        {TPoint(1100, 200), 200, 100, 20, TPoint(980, 200), "past the right"},
        {TPoint(300, 10), 200, 100, 20, TPoint(300, 10), "above the area: left as asked"},
        {TPoint(300, 700), 200, 100, 20, TPoint(300, 580), "past the bottom, more room above"},
        {TPoint(300, 140), 200, 640, 20, TPoint(300, 140), "past the bottom, more room below"},
        {TPoint(300, 390), 200, 400, 20, TPoint(300, 390), "past the bottom, equal room: stays below"},
        {TPoint(1150, 740), 200, 100, 20, TPoint(980, 620), "bottom-right corner"},
        {TPoint(300, 200), 2000, 100, 20, TPoint(-820, 200), "wider than the area: right edge wins"},
        {TPoint(1400, 700), 300, 100, 20, TPoint(1400, 580), "on the second monitor"},
    };
    for (const Row& row : rows) {
        TPoint p = row.pos;
        AdjustPopupPosition(p, row.width, row.height, row.editHeight);
        EXPECT_EQ(p, row.expected) << row.what;
    }
}

TEST_F(PopupTest, HintPlacementKeepsTheHintOnTheScreenNotInTheWorkArea)
{
    const TRect screen = GetScreenRect();
    struct Row {
        TPoint at;
        TSize size;
        TPoint expected;
        const char* what;
    };
    const Row rows[] = {
        {TPoint(50, 20), TSize(100, 20), TPoint(50, 20), "on the bars outside the work area"},
        {TPoint(1250, 300), TSize(100, 20), TPoint(1180, 300), "past the right"},
        {TPoint(600, 790), TSize(100, 20), TPoint(600, 780), "past the bottom"},
        {TPoint(1270, 795), TSize(100, 20), TPoint(1180, 780), "bottom-right corner"},
        {TPoint(-30, -40), TSize(100, 20), TPoint(0, 0), "left of and above the origin"},
    };
    for (const Row& row : rows) {
        const TRect r = TzqContainerHintWindow::PlaceHint(row.at, row.size, screen);
        EXPECT_EQ(r.TopLeft(), row.expected) << row.what;
        EXPECT_EQ(r.Size(), row.size) << row.what;
    }
    // A hint larger than the screen is cut to it, from the origin.
    EXPECT_EQ(TzqContainerHintWindow::PlaceHint(TPoint(10, 10), TSize(2000, 900), screen), screen);
}

TEST_F(PopupTest, AHintIsItsTextMeasuredPlusSixAndWrapsAtTheScreenWidthForMaxWidthZero)
{
    TzqContainerHintWindow hint(nullptr);
    TFont font;
    hint.ActivateHint(TPoint(200, 200), 0, false, &font, "Short hint");
    ASSERT_TRUE(hint.IsHintVisible());
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(*hint.Font());
    TRect measured(0, 0, 1280, 0);
    scratch.Canvas()->DrawText("Short hint", measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(hint.Width(), measured.Width() + 6);
    EXPECT_EQ(hint.Height(), measured.Height() + 6);
    EXPECT_EQ(hint.BoundsRect().TopLeft(), TPoint(200, 200));

    // A long text is wrapped at the screen's width, so the window spans it at most.
    std::string words;
    for (int i = 0; i < 600; ++i)
        words += "word ";
    hint.ActivateHint(TPoint(0, 0), 0, false, &font, words);
    EXPECT_LE(hint.Width(), 1280 + 6);
    EXPECT_GT(hint.Height(), measured.Height() + 6) << "several lines";
    EXPECT_LE(hint.BoundsRect().Bottom, 800);

    // Mouse transparent and never activated.
    EXPECT_EQ(SendMessage(hint.Handle(), WM_NCHITTEST, 0, 0), LRESULT(HTTRANSPARENT));
    EXPECT_EQ(SendMessage(hint.Handle(), WM_MOUSEACTIVATE, 0, 0), LRESULT(MA_NOACTIVATE));
    EXPECT_NE(GetActiveWindow(), hint.Handle());

    hint.HideHint();
    EXPECT_FALSE(hint.IsHintVisible());
}

TEST_F(PopupTest, AHintTakesTheStatusFontWithTheGivenFontsNameAndItsSizeOnlyWhenAsked)
{
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    TFont status;
    status.AssignLogFont(metrics.lfStatusFont);
    TFont given;
    given.SetName("Serif");
    given.SetSize(status.Size() + 7);
    given.SetColor(clRed);
    TzqContainerHintWindow hint(nullptr);
    hint.ActivateHint(TPoint(10, 10), 200, false, &given, "Hint");
    EXPECT_EQ(hint.Font()->Name(), "Serif");
    EXPECT_EQ(hint.Font()->Size(), status.Size());
    EXPECT_EQ(hint.Font()->Color(), clInfoText);
    const int smallHeight = hint.Height();
    hint.ActivateHint(TPoint(10, 10), 200, true, &given, "Hint");
    EXPECT_EQ(hint.Font()->Size(), status.Size() + 7);
    EXPECT_GT(hint.Height(), smallHeight);
}

TEST_F(PopupTest, HugeHintTextsAreShownWithoutFailing)
{
    TzqContainerHintWindow hint(nullptr);
    std::string lines;
    for (int i = 0; i < 500; ++i)
        lines += "line " + std::to_string(i) + "\n";
    hint.ActivateHint(TPoint(1270, 790), 300, true, nullptr, lines);
    EXPECT_GE(hint.Left(), 0);
    EXPECT_GE(hint.Top(), 0);
    hint.ActivateHint(TPoint(10, 10), -5, false, nullptr, std::string(100000, 'x'));
    EXPECT_LE(hint.BoundsRect().Right, 1280);
    driver.PaintAll();
}

// A popup over the host's editor, as a drop-down editor makes it.
class PopupControlTest : public PopupTest {
protected:
    TzqInplacePopupControl* NewPopup(TzqPopupBorder border, bool shadow)
    {
        auto* popup = new TzqInplacePopupControl(host);
        popup->SetEdit(edit);
        popup->SetIsPopup(true);
        popup->SetPopupBorder(border);
        popup->SetShadow(shadow);
        popup->SetBounds(300, 300, 100, 80);
        return popup;
    }
    void SetUp() override
    {
        PopupTest::SetUp();
        edit = host->Activate();
    }
    int PendingCloseUps()
    {
        int count = 0;
        MSG msg;
        while (PeekMessage(msg, edit->Handle(), ZQM_CLOSEUP, ZQM_CLOSEUP, PM_REMOVE))
            ++count;
        return count;
    }
    TTestEdit* edit = nullptr;
};

TEST_F(PopupControlTest, TheClientAreaShrinksByTheBorderOnEverySideAndByTheShadowRightAndBelow)
{
    struct Row {
        TzqPopupBorder border;
        bool shadow;
        int left, right;
    };
    const Row rows[] = {{TzqPopupBorder::pbDefault, false, 0, 0}, {TzqPopupBorder::pbSingle, false, 1, 1},
                        {TzqPopupBorder::pbFrame3D, false, 4, 4}, {TzqPopupBorder::pbFlat, false, 2, 2},
                        {TzqPopupBorder::pbFlat, true, 2, 4},     {TzqPopupBorder::pbDefault, true, 0, 2}};
    for (const Row& row : rows) {
        TzqInplacePopupControl* popup = NewPopup(row.border, row.shadow);
        popup->ShowPopup();
        const TRect client = ClientRect(popup->Handle());
        EXPECT_EQ(client.Width(), 100 - row.left - row.right) << int(row.border) << " shadow " << row.shadow;
        EXPECT_EQ(client.Height(), 80 - row.left - row.right) << int(row.border) << " shadow " << row.shadow;
        TPoint origin;
        ClientToScreen(popup->Handle(), origin);
        EXPECT_EQ(origin, TPoint(300 + row.left, 300 + row.left));
        popup->ClosePopup();
        delete popup;
    }
}

TEST_F(PopupControlTest, WithAShadowTheRegionLeavesOutTheTwoCornersBesideIt)
{
    TzqInplacePopupControl* popup = NewPopup(TzqPopupBorder::pbSingle, true);
    popup->ShowPopup();
    EXPECT_NE(WindowFromPoint(TPoint(300 + 99, 300)), popup->Handle()) << "top-right corner";
    EXPECT_NE(WindowFromPoint(TPoint(300, 300 + 79)), popup->Handle()) << "bottom-left corner";
    EXPECT_EQ(WindowFromPoint(TPoint(300, 300)), popup->Handle()) << "the frame";
    EXPECT_EQ(WindowFromPoint(TPoint(300 + 99, 300 + 79)), popup->Handle()) << "the shadow";
    EXPECT_EQ(ShadowRegion(100, 80, 2), TRegion(TRect(0, 0, 98, 78)).United(TRegion(TRect(2, 2, 100, 80))));
}

TEST_F(PopupControlTest, ShowingKeepsTheFormsCaptionActiveAndAPressDoesNotActivate)
{
    TzqInplacePopupControl* popup = NewPopup(TzqPopupBorder::pbFlat, false);
    int ncActivates = 0;
    WPARAM lastNcActivate = 99;
    HWND formHandle = form->Handle();
    WNDPROC old = GetWindowProc(formHandle);
    SetWindowProc(formHandle, [&, old](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_NCACTIVATE) {
            ++ncActivates;
            lastNcActivate = w;
        }
        return CallWindowProc(old, h, m, w, l);
    });
    popup->ShowPopup();
    EXPECT_TRUE(IsWindowVisible(popup->Handle()));
    EXPECT_GE(ncActivates, 1);
    EXPECT_EQ(lastNcActivate, 1u);
    EXPECT_EQ(SendMessage(popup->Handle(), WM_MOUSEACTIVATE, 0, 0), LRESULT(MA_NOACTIVATE));
    driver.Click(TPoint(340, 330));
    EXPECT_NE(GetActiveWindow(), popup->Handle());
    popup->ClosePopup();
    SetWindowProc(formHandle, old);
}

TEST_F(PopupControlTest, EveryCloseFocusLossIncludedPostsTheCloseUpNotificationToTheEditor)
{
    TzqInplacePopupControl* popup = NewPopup(TzqPopupBorder::pbFrame3D, true);
    driver.Pump();
    (void)PendingCloseUps();

    popup->ShowPopup();
    popup->ClosePopup();
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
    EXPECT_EQ(PendingCloseUps(), 1);
    EXPECT_EQ(GetFocus(), edit->Handle()) << "the focus back in the editor";

    // Closing a hidden popup still tells the editor.
    popup->ClosePopup();
    EXPECT_EQ(PendingCloseUps(), 1);

    // Shown with the focus inside, then the focus goes to the host.
    popup->ShowPopup();
    SetFocus(popup->Handle());
    ASSERT_EQ(GetFocus(), popup->Handle());
    SetFocus(host->Handle());
    EXPECT_FALSE(IsWindowVisible(popup->Handle()));
    EXPECT_GE(PendingCloseUps(), 1);
}

TEST_F(PopupControlTest, FramesDrawBorderShadowAndSizeGrip)
{
    TBitmap picture(50, 40);
    picture.Fill(clWhite);
    DrawWindowFrame(picture.Canvas(), TRect(0, 0, 50, 40), TzqPopupBorder::pbSingle, 3, true, true);
    EXPECT_NE(picture.Pixel(0, 0), ColorToRGB(clWhite)) << "the border";
    EXPECT_EQ(picture.Pixel(49, 39), ColorToRGB(clBtnShadow)) << "the shadow";
    EXPECT_EQ(picture.Pixel(49, 1), ColorToRGB(clWhite)) << "beside the shadow";
    EXPECT_EQ(picture.Pixel(45, 35), ColorToRGB(clBtnFace)) << "the size grip inside the border";
    EXPECT_EQ(PopupBorderWidth(static_cast<TzqPopupBorder>(7)), 0) << "an unknown border draws none";
}

} // namespace
