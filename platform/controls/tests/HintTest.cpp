// Control hints on virtual time: the pause before a hint shows, the pause before it
// hides, the short pause between neighbours, and what cancels a hint.
#include "ControlsFixture.h"

#include "platform/controls/HintWindow.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <cstdlib>
#include <string>

namespace {

class TPad : public TCustomControl {
public:
    explicit TPad(TComponent* owner) : TCustomControl(owner) {}
    // Lets a test answer CM_HINTSHOW.
    std::function<LRESULT(THintInfo&)> OnHintShow;

protected:
    // A raised button face with the caption, for the sample picture.
    void Paint() override
    {
        TRect r = ClientRect();
        FillRectColor(Canvas(), r, clBtnFace);
        Canvas()->DrawEdge(r, EDGE_RAISED, BF_RECT);
        Canvas()->SetBkMode(TRANSPARENT);
        Canvas()->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_HINTSHOW && OnHintShow) {
            Message.Result = OnHintShow(*reinterpret_cast<THintInfo*>(Message.LParam));
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

class TSpot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

class HintTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        left = Place<TPad>(10, 10, "Open|Opens a document");
        left->SetCaption("Open");
        right = Place<TPad>(130, 10, "Save|Saves the document");
        right->SetCaption("Save");
        spot = Place<TSpot>(250, 10, "Spot");
        ShowForm();
    }
    template <typename T>
    T* Place(int x, int y, const std::string& hint)
    {
        T* c = Make<T>();
        c->SetBounds(x, y, 100, 60);
        c->SetHint(hint);
        c->SetShowHint(true);
        return c;
    }
    THintWindow* Window() { return app->HintWindow(); }
    bool Showing() { return Window()->IsHintVisible(); }
    std::string Shown() { return Showing() ? Window()->Caption() : std::string("(none)"); }

    TPad* left = nullptr;
    TPad* right = nullptr;
    TSpot* spot = nullptr;
};

TEST_F(HintTest, AHintShowsAfterThePauseAndHidesAfterTheHidePause)
{
    const TPoint p = At(left, {40, 30});
    driver.MoveTo(p);
    EXPECT_EQ(app->Hint(), "Opens a document") << "the long part is the application's hint at once";
    driver.AdvanceTime(499);
    EXPECT_FALSE(Showing());
    driver.AdvanceTime(1);
    ASSERT_EQ(Shown(), "Open");
    const TRect r = WindowRect(Window()->Handle());
    EXPECT_EQ(r.TopLeft(), TPoint(p.X, p.Y + 20)) << "below the pointer";
    EXPECT_FALSE(Window()->Focused());
    EXPECT_TRUE(form->Active()) << "the hint takes no activation";
    EXPECT_EQ(WindowFromPoint({r.Left + 2, r.Top + 2}), left->Handle()) << "the mouse passes through the hint";

    driver.AdvanceTime(2499);
    EXPECT_TRUE(Showing());
    driver.AdvanceTime(1);
    EXPECT_FALSE(Showing());
    // Resting on the same control does not bring it back.
    driver.MoveTo(At(left, {42, 31}));
    driver.AdvanceTime(3000);
    EXPECT_FALSE(Showing());
}

TEST_F(HintTest, MovingToANeighbourWhileAHintShowsTakesTheShortPause)
{
    driver.MoveTo(At(left, {40, 30}));
    driver.AdvanceTime(500);
    ASSERT_EQ(Shown(), "Open");
    driver.MoveTo(At(right, {40, 30}));
    EXPECT_FALSE(Showing()) << "the old hint goes at once";
    driver.AdvanceTime(49);
    EXPECT_FALSE(Showing());
    driver.AdvanceTime(1);
    EXPECT_EQ(Shown(), "Save");

    // A windowless neighbour the same way.
    driver.MoveTo(At(spot, {10, 10}));
    driver.AdvanceTime(50);
    EXPECT_EQ(Shown(), "Spot");

    // Once the hint hid by itself, the next control waits the whole pause.
    driver.AdvanceTime(2500);
    ASSERT_FALSE(Showing());
    driver.MoveTo(At(left, {40, 30}));
    driver.AdvanceTime(50);
    EXPECT_FALSE(Showing());
    driver.AdvanceTime(450);
    EXPECT_EQ(Shown(), "Open");
}

TEST_F(HintTest, TheControlAndOnShowHintMayChangeOrCancelTheHint)
{
    left->OnHintShow = [](THintInfo& info) -> LRESULT {
        info.HintStr = "Changed " + info.HintStr;
        info.HintPos = {5, 6};
        return 0;
    };
    right->OnHintShow = [](THintInfo&) -> LRESULT { return 1; };
    driver.MoveTo(At(left, {40, 30}));
    driver.AdvanceTime(500);
    EXPECT_EQ(Shown(), "Changed Open");
    EXPECT_EQ(WindowRect(Window()->Handle()).TopLeft(), TPoint(5, 6));
    driver.MoveTo(At(right, {40, 30}));
    driver.AdvanceTime(3000);
    EXPECT_FALSE(Showing()) << "CM_HINTSHOW cancelled it";

    std::string seenHint;
    app->OnShowHint = [&](std::string& hint, bool& canShow, THintInfo& info) {
        seenHint = hint;
        canShow = info.HintControl != spot;
    };
    driver.MoveTo(At(spot, {10, 10}));
    driver.AdvanceTime(3000);
    EXPECT_EQ(seenHint, "Spot");
    EXPECT_FALSE(Showing());
}

TEST_F(HintTest, PressesKeysLeavingAndShowHintOffCancelTheHint)
{
    auto showLeft = [&] {
        driver.MoveTo(At(left, {40, 30}));
        driver.AdvanceTime(500);
        ASSERT_TRUE(Showing());
    };
    showLeft();
    driver.Click(At(left, {40, 30}));
    EXPECT_FALSE(Showing());

    showLeft();
    driver.PressKey(VK_SHIFT);
    EXPECT_FALSE(Showing());

    // Leaving for a part of the form without a hint, or leaving the program's windows.
    showLeft();
    driver.MoveTo(At(form, {300, 200}));
    EXPECT_FALSE(Showing());
    EXPECT_EQ(app->Hint(), "");
    showLeft();
    RawInput::MouseLeftAll();
    driver.Pump();
    EXPECT_FALSE(Showing());
    driver.AdvanceTime(3000);
    EXPECT_FALSE(Showing());

    // ShowHint off, for the application or the control.
    app->SetShowHint(false);
    driver.MoveTo(At(right, {40, 30}));
    driver.AdvanceTime(3000);
    EXPECT_FALSE(Showing());
    app->SetShowHint(true);
    right->SetShowHint(false);
    driver.MoveTo(At(right, {41, 30}));
    driver.AdvanceTime(3000);
    EXPECT_FALSE(Showing());

    // A control destroyed while its hint shows takes the hint along.
    showLeft();
    delete left;
    left = nullptr;
    EXPECT_FALSE(Showing());
    driver.AdvanceTime(3000);
}

TEST_F(HintTest, AHugeHintStaysOnTheScreenAndAHintLooksTidy)
{
    EXPECT_EQ(GetShortHint("a|b|c"), "a");
    EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
    EXPECT_EQ(GetShortHint("plain"), "plain");
    EXPECT_EQ(GetLongHint("plain"), "plain");

    std::string huge;
    for (int i = 0; huge.size() < 100000; ++i)
        huge += "word" + std::to_string(i % 97) + ' ';
    left->SetHint(huge);
    driver.MoveTo(At(left, {40, 30}));
    driver.AdvanceTime(500);
    ASSERT_TRUE(Showing());
    const TRect area = GetWorkArea();
    const TRect r = WindowRect(Window()->Handle());
    EXPECT_GE(r.Left, area.Left);
    EXPECT_GE(r.Top, area.Top);
    EXPECT_LE(r.Right, area.Right);
    EXPECT_LE(r.Bottom, area.Bottom);

    // The picture of an ordinary hint: a frame round the hint colour.
    driver.MoveTo(At(right, {40, 30}));
    driver.AdvanceTime(50);
    ASSERT_EQ(Shown(), "Save");
    driver.PaintAll();
    const HWND h = Window()->Handle();
    const TBitmap* picture = WindowSurface(h);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Pixel(0, 0), ColorToRGB(clWindowFrame));
    EXPECT_EQ(picture->Pixel(1, picture->Height() - 2), ColorToRGB(clInfoBk));
    const TRect measured = Window()->CalcHintRect(0, "Save");
    EXPECT_EQ(WindowRect(h).Size(), measured.Size());
    // Saved over the form it belongs to, as the desktop shows the two.
    TBitmap scene;
    scene.Assign(*WindowSurface(form->Handle()));
    const TPoint offset = WindowRect(h).TopLeft() - WindowRect(form->Handle()).TopLeft();
    scene.Canvas()->Draw(offset.X, offset.Y, const_cast<TBitmap*>(picture));
    const char* dir = std::getenv("VELMORA_SAMPLE_DIR");
    EXPECT_TRUE(scene.SaveToPngFile(std::string(dir ? dir : VELMORA_BINARY_DIR) + "/hint-sample.png"));
}

} // namespace
