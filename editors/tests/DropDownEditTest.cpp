// The drop-down base: its buttons (width, hiding, look), the mouse on them, the keys that
// open and close the drop-down, the keys and the wheel while it is open, its placement
// and border, and the close-up.
#include "editors/EditButtonPainter.h"
#include "editors/PopupFrame.h"
#include "editors/tests/DropDownFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"

namespace {

using S = TzqEditButtonViewStyle;
using B = TzqEditBorderStyle;

TEST_F(DropDownTest, ButtonWidthFollowsTheGlyphOrTheScrollBarWidthByButtonStyle)
{
    TTestDropDown* edit = OpenDropDown();
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    TBitmap glyph(9, 7);
    struct Row {
        S style;
        bool withGlyph;
        int width;
    };
    const Row rows[] = {
        {S::bts3D, false, bar},      {S::btsFlat, false, bar - 1}, {S::btsSimple, false, bar - 1},
        {S::btsHotFlat, false, bar}, {S::bts3D, true, 9 + 2 + 2},  {S::btsFlat, true, 9 + 2 + 1},
        {S::btsSimple, true, 9 + 2 + 1}, {S::btsHotFlat, true, 9 + 2},
    };
    for (const Row& row : rows) {
        edit->Style()->SetButtonStyle(row.style);
        edit->SetButtonGlyph(row.withGlyph ? &glyph : nullptr);
        const auto data = edit->CreateViewData(false);
        const auto& d = static_cast<const TzqDropDownEditViewData&>(*data);
        ASSERT_EQ(d.ButtonCount, 1);
        EXPECT_EQ(d.Buttons[0].Width, row.width) << int(row.style) << " glyph " << row.withGlyph;
        EXPECT_EQ(d.Buttons[0].Kind, row.withGlyph ? TzqEditButtonKind::bkGlyph : TzqEditButtonKind::bkDown);
        EXPECT_EQ(ButtonRectOnScreen(edit).Width(), row.width);
    }
}

TEST_F(DropDownTest, HideInactiveButtonsShowOnlyWhileTheEditorIsFocusedOrHot)
{
    TTestDropDown* edit = OpenDropDown();
    edit->Style()->SetButtonTransparence(TzqEditButtonTransparence::ebtHideInactive);
    EXPECT_FALSE(static_cast<TzqDropDownEditViewData&>(*edit->CreateViewData(false)).HideButtons) << "focused";
    host->SetFocus();
    driver.Pump();
    const auto unfocused = edit->CreateViewData(false);
    EXPECT_TRUE(static_cast<TzqDropDownEditViewData&>(*unfocused).HideButtons);
    TzqEditViewInfo info;
    unfocused->Bounds = TRect(0, 0, edit->Width(), edit->Height());
    edit->EditClass().CalcViewInfo(*unfocused, false, info);
    EXPECT_EQ(info.ClientRect.Right, edit->Width() - 2) << "hidden buttons take no room";
    edit->SetHot(true);
    EXPECT_FALSE(static_cast<TzqDropDownEditViewData&>(*edit->CreateViewData(false)).HideButtons) << "hot";
}

TEST_F(DropDownTest, TheButtonUnderThePointerIsHotAndTheTextIsNot)
{
    TTestDropDown* edit = OpenDropDown();
    driver.MoveTo(ButtonCentre(edit));
    EXPECT_EQ(edit->HotButton(), 0);
    driver.MoveTo(EditPoint(edit, 10, 5));
    EXPECT_EQ(edit->HotButton(), -1) << "over the text";
    driver.MoveTo(ButtonCentre(edit));
    driver.MoveTo(driver.ToScreen(host->Handle(), TPoint(300, 150)));
    EXPECT_EQ(edit->HotButton(), -1) << "left the editor";
}

TEST_F(DropDownTest, APressOnTheButtonCapturesTheMouseAndOpensTheDropDownThroughTheDropDownMessage)
{
    TTestDropDown* edit = OpenDropDown();
    host->SetFocus();
    driver.Pump();
    RawInput::MouseButton(ButtonCentre(edit), TMouseButton::mbLeft, true);
    // Before the queue runs only the press is handled: pressed, captured, focused,
    // the drop-down asked for by a posted message.
    MSG msg;
    while (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
        ProcessMessage(msg);
        if (edit->PressedButton() == 0)
            break;
    }
    EXPECT_EQ(edit->PressedButton(), 0);
    EXPECT_EQ(GetCapture(), edit->Handle());
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_FALSE(edit->DroppedDown()) << "opened by ZQM_DROPDOWN, later";
    driver.Pump();
    EXPECT_TRUE(edit->DroppedDown());
    EXPECT_TRUE(edit->list->IsShown());
    driver.Release(ButtonCentre(edit));
    EXPECT_EQ(edit->PressedButton(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(edit->log, (std::vector<std::string>{"drop down", "click 0"}));
}

TEST_F(DropDownTest, TheHostsPressOverTheButtonPressesIt)
{
    TTestDropDown* edit = OpenDropDown();
    const TRect button = ButtonRectOnScreen(edit);
    TPoint onButton(button.Left + 3, button.Top + 3), onText = EditPoint(edit, 10, 5);
    ::ScreenToClient(host->Handle(), onButton);
    ::ScreenToClient(host->Handle(), onText);
    edit->HostMouseDown(onText.X, onText.Y);
    EXPECT_EQ(edit->PressedButton(), -1) << "over the text";
    edit->HostMouseDown(onButton.X, onButton.Y);
    EXPECT_EQ(edit->PressedButton(), 0);
    EXPECT_EQ(GetCapture(), edit->Handle());
    driver.Pump();
    EXPECT_TRUE(edit->DroppedDown());
    driver.Release(ButtonCentre(edit));
    EXPECT_EQ(edit->log.back(), "click 0");
}

TEST_F(DropDownTest, AReleaseAwayFromThePressedButtonDoesNotClickIt)
{
    TTestDropDown* edit = OpenDropDown();
    driver.Press(ButtonCentre(edit));
    driver.Release(EditPoint(edit, 10, 5));
    EXPECT_EQ(edit->PressedButton(), -1);
    EXPECT_EQ(edit->log, (std::vector<std::string>{"drop down"}));
}

TEST_F(DropDownTest, OnePressDragReleaseFromTheButtonPicksALineOfTheDropDown)
{
    TTestDropDown* edit = OpenDropDown("cherry");
    driver.Press(ButtonCentre(edit));
    ASSERT_TRUE(edit->DroppedDown());
    driver.MoveTo(ListLine(edit, 4));
    EXPECT_EQ(edit->PressedButton(), -1) << "the press went over to the list";
    driver.MoveTo(ListLine(edit, 3));
    driver.Release(ListLine(edit, 3));
    EXPECT_FALSE(edit->list->IsShown());
    EXPECT_EQ(edit->Text(), "date");
    EXPECT_TRUE(edit->GetModified());
    EXPECT_EQ(edit->log.back(), "close up, accept");
}

TEST_F(DropDownTest, AReleaseOutsideTheListClosesItWithoutTakingTheLine)
{
    TTestDropDown* edit = OpenDropDown("cherry");
    driver.Press(ButtonCentre(edit));
    driver.MoveTo(ListLine(edit, 1));
    driver.MoveTo(driver.ToScreen(host->Handle(), TPoint(390, 190)));
    driver.Release(driver.ToScreen(host->Handle(), TPoint(390, 190)));
    EXPECT_FALSE(edit->list->IsShown());
    EXPECT_EQ(edit->Text(), "cherry");
    EXPECT_EQ(edit->log.back(), "close up");
}

TEST_F(DropDownTest, KeysOpenAndCloseTheDropDown)
{
    struct Row {
        bool open;
        WORD key;
        unsigned modifiers;
        bool openAfter;
        const char* logged;
    };
    const Row rows[] = {
        {false, VK_DOWN, THeadlessDriver::Alt, true, "drop down"},
        {false, VK_UP, THeadlessDriver::Alt, true, "drop down"},
        {false, VK_F4, THeadlessDriver::None, true, "drop down"},
        {true, VK_DOWN, THeadlessDriver::Alt, false, "close up, accept"},
        {true, VK_UP, THeadlessDriver::Alt, false, "close up, accept"},
        {true, VK_F4, THeadlessDriver::None, false, "close up, accept"},
        {true, VK_RETURN, THeadlessDriver::None, false, "close up, accept"},
        {true, VK_ESCAPE, THeadlessDriver::None, false, "close up"},
    };
    for (const Row& row : rows) {
        TTestDropDown* edit = OpenDropDown();
        if (row.open)
            Key(VK_F4);
        ASSERT_EQ(edit->DroppedDown(), row.open);
        edit->log.clear();
        host->hostKeys.clear();
        Key(row.key, row.modifiers);
        EXPECT_EQ(edit->DroppedDown(), row.openAfter) << row.key << " " << row.modifiers;
        ASSERT_FALSE(edit->log.empty());
        EXPECT_EQ(edit->log.back(), row.logged) << row.key;
        EXPECT_EQ(Beeps(), 0) << "Enter's character does not reach the edit window";
        if (edit->DroppedDown())
            Key(VK_ESCAPE);
    }
}

TEST_F(DropDownTest, EnterAndEscapeOfAClosedDropDownGoToTheHost)
{
    TTestDropDown* edit = OpenDropDown();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(host->hostKeys, (std::vector<WORD>{VK_RETURN, VK_ESCAPE}));
    EXPECT_EQ(edit->log, std::vector<std::string>{});
}

TEST_F(DropDownTest, WhileOpenEveryKeyGoesToTheDropDownWithoutIncrementalKeys)
{
    TTestDropDown* edit = OpenDropDown("cherry");
    Key(VK_F4);
    ASSERT_EQ(edit->list->ItemIndex(), 2);
    Key(VK_DOWN);
    EXPECT_EQ(edit->list->ItemIndex(), 3) << "Down moves the list";
    TypeText("g");
    EXPECT_EQ(edit->list->ItemIndex(), 6) << "the list's own first-letter search";
    EXPECT_EQ(edit->Text(), "cherry") << "nothing typed into the text";
    Key(VK_RETURN);
    EXPECT_EQ(edit->Text(), "grape");
}

TEST_F(DropDownTest, WithIncrementalKeysTypingGoesToTheTextAndIsSearchedNavigationToTheList)
{
    TTestDropDown* edit = OpenDropDown("cherry");
    edit->SetIncrementalKeys(true);
    Key(VK_F4);
    Key(VK_END);
    TypeText("s");
    EXPECT_EQ(edit->Text(), "cherrys");
    Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "cherry");
    Key(VK_HOME);
    EXPECT_EQ(edit->GetSelStart(), 0) << "Home stays in the text field";
    Key(VK_DOWN);
    Key(VK_NEXT);
    EXPECT_EQ(edit->list->ItemIndex(), 2 + 1 + 4) << "Down and Page Down move the list";
    Key(VK_INSERT);
    EXPECT_EQ(edit->DroppedDown(), true) << "other keys are dropped";
    EXPECT_EQ(host->hostKeys, std::vector<WORD>{}) << "nothing reached the host";
    const std::vector<std::string> searched{"drop down", "search cherrys", "search cherry"};
    EXPECT_EQ(edit->log, searched);
}

TEST_F(DropDownTest, TheWheelScrollsAnOpenListAndStepsAClosedEditor)
{
    TTestDropDown* edit = OpenDropDown("apple");
    const TPoint at = EditPoint(edit, 10, 5);
    driver.Wheel(at, 120);
    driver.Wheel(at, -120);
    EXPECT_EQ(edit->log, (std::vector<std::string>{"step -1", "step 1"}));
    Key(VK_F4);
    ASSERT_EQ(edit->list->TopIndex(), 0);
    driver.Wheel(at, -120);
    EXPECT_EQ(edit->list->TopIndex(), 1) << "a line down";
    driver.Wheel(at, 120);
    EXPECT_EQ(edit->list->TopIndex(), 0);
    EXPECT_EQ(edit->log.size(), 3u) << "no step while open";
}

TEST_F(DropDownTest, PositionPopupPlacesTheDropDownUnderTheClientAreaByAlignment)
{
    host->cell = TRect(150, 20, 350, 38);
    TTestDropDown* edit = OpenDropDown();
    const TRect window = WindowRect(edit->Handle());
    // The area inside the 2-pixel frame, buttons included.
    const int left = window.Left + 2, right = window.Right - 2;
    struct Row {
        TAlignment alignment;
        bool keepWidth;
        int controlWidth;
        B border;
        TRect expected;
    };
    const Row rows[] = {
        {TAlignment::taLeftJustify, false, 50, B::xbs3D, TRect(left, window.Bottom, right, window.Bottom + 80)},
        {TAlignment::taLeftJustify, true, 50, B::xbs3D, TRect(left, window.Bottom, right, window.Bottom + 80)},
        {TAlignment::taLeftJustify, true, 300, B::xbs3D, TRect(left, window.Bottom, left + 300, window.Bottom + 80)},
        {TAlignment::taRightJustify, true, 300, B::xbs3D,
         TRect(right - 300, window.Bottom, right, window.Bottom + 80)},
        {TAlignment::taCenter, true, 300, B::xbs3D,
         TRect(left + (right - left - 300) / 2, window.Bottom, left + (right - left - 300) / 2 + 300,
               window.Bottom + 80)},
        {TAlignment::taLeftJustify, false, 50, B::xbsSingle,
         TRect(left, window.Bottom - 1, right, window.Bottom - 1 + 80)},
        {TAlignment::taLeftJustify, false, 50, B::xbsNone,
         TRect(left, window.Bottom - 1, right, window.Bottom - 1 + 80)},
    };
    TWinControl* control = edit->list->Frame();
    for (const Row& row : rows) {
        edit->Style()->SetBorderStyle(row.border);
        edit->SetPopupAlignment(row.alignment);
        control->SetBounds(0, 0, row.controlWidth, 80);
        edit->PositionPopup(control, row.keepWidth);
        EXPECT_EQ(control->BoundsRect(), row.expected) << int(row.alignment) << " keep " << row.keepWidth;
    }
}

TEST_F(DropDownTest, PositionPopupOpensAboveTheEditorWhenTheWorkAreaEndsBelowIt)
{
    TTestDropDown* edit = OpenDropDown();
    const TRect window = WindowRect(edit->Handle());
    driver.Backend().SetMonitors({{TRect(0, 0, 1280, 800), TRect(0, 0, 1280, window.Bottom + 40), true}});
    TWinControl* control = edit->list->Frame();
    control->SetBounds(0, 0, 100, 80);
    edit->PositionPopup(control, true);
    EXPECT_EQ(control->Top(), window.Top - 80);
}

TEST_F(DropDownTest, PopupBorderDefaultIsTheHostsAnswerOrFollowsTheBorderStyle)
{
    TTestDropDown* hosted = OpenDropDown();
    for (B border : {B::xbsNone, B::xbsSingle, B::xbs3D}) {
        hosted->Style()->SetBorderStyle(border);
        EXPECT_EQ(hosted->ResolvedPopupBorder(), TzqPopupBorder::pbFrame3D) << "the host answers";
    }
    hosted->SetPopupBorder(TzqPopupBorder::pbFlat);
    EXPECT_EQ(hosted->ResolvedPopupBorder(), TzqPopupBorder::pbFlat) << "set explicitly";

    auto* alone = new TTestDropDown(form);
    const std::pair<B, TzqPopupBorder> rows[] = {
        {B::xbsNone, TzqPopupBorder::pbFrame3D}, {B::xbsSingle, TzqPopupBorder::pbSingle},
        {B::xbsThick, TzqPopupBorder::pbFrame3D}, {B::xbsFlat, TzqPopupBorder::pbFlat},
        {B::xbs3D, TzqPopupBorder::pbSingle},
    };
    for (const auto& [border, popup] : rows) {
        alone->Style()->SetBorderStyle(border);
        EXPECT_EQ(alone->ResolvedPopupBorder(), popup) << int(border);
    }
}

TEST_F(DropDownTest, OpeningTellsTheRowFirstThenTheDropDownEvent)
{
    TTestDropDown* edit = OpenDropDown();
    std::vector<std::string> told;
    edit->OnDropDownNotify = [&](TObject* sender) { told.push_back(sender == edit ? "row" : "?"); };
    edit->OnDropDown = [&](TObject* sender) { told.push_back(sender == edit ? "event" : "?"); };
    Key(VK_F4);
    EXPECT_EQ(told, (std::vector<std::string>{"row", "event"}));
}

TEST_F(DropDownTest, TheCloseUpMessageClearsTheDroppedDownFlag)
{
    TTestDropDown* edit = OpenDropDown();
    Key(VK_F4);
    ASSERT_TRUE(edit->DroppedDown());
    PostMessage(edit->Handle(), ZQM_CLOSEUP);
    EXPECT_TRUE(edit->DroppedDown()) << "until the message is handled";
    driver.Pump();
    EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(DropDownTest, OnCloseUpChangesOrRefusesTheChosenValue)
{
    struct Row {
        std::string replacement;
        bool accept;
        std::string text;
    };
    const Row rows[] = {{"", true, "date"}, {"DATE!", true, "DATE!"}, {"", false, "cherry"}};
    for (const Row& row : rows) {
        TTestDropDown* edit = OpenDropDown("cherry");
        edit->OnCloseUp = [&](TObject* sender, std::string& value, bool& accept) {
            EXPECT_EQ(sender, edit);
            EXPECT_EQ(value, "date");
            if (!row.replacement.empty())
                value = row.replacement;
            accept = row.accept;
        };
        Key(VK_F4);
        Key(VK_DOWN);
        Key(VK_RETURN);
        EXPECT_EQ(edit->Text(), row.text);
        edit->OnCloseUp = nullptr;
    }
}

TEST_F(DropDownTest, LosingTheFocusClosesTheDropDownWithoutTakingItsLine)
{
    TTestDropDown* edit = OpenDropDown("cherry");
    Key(VK_F4);
    Key(VK_DOWN);
    host->SetFocus();
    driver.Pump();
    EXPECT_FALSE(edit->list->IsShown());
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(edit->Text(), "cherry");
}

TEST_F(DropDownTest, ImmediateDropOpensOnATextPressAndOnTheHostsClick)
{
    TTestDropDown* edit = OpenDropDown();
    driver.Click(EditPoint(edit, 10, 5));
    EXPECT_FALSE(edit->DroppedDown()) << "a plain editor keeps its list closed";
    edit->SetImmediateDrop(true);
    driver.Press(EditPoint(edit, 10, 5));
    EXPECT_TRUE(edit->DroppedDown());
    driver.Release(EditPoint(edit, 10, 5));
    Key(VK_ESCAPE);
    ASSERT_FALSE(edit->DroppedDown());
    edit->HostClick();
    EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(DropDownTest, ADropDownDestroyedWhileOpenLeavesNoCaptureOrPopupBehind)
{
    TTestDropDown* edit = OpenDropDown();
    driver.Press(ButtonCentre(edit));
    ASSERT_TRUE(edit->DroppedDown());
    HWND popup = edit->list->Frame()->Handle();
    delete edit;
    driver.Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(popup));
    driver.Release(driver.ToScreen(host->Handle(), TPoint(100, 100)));
}

// ---- The look of the buttons ----

class DropDownLookTest : public DropDownTest {
protected:
    // The editor drawn by its class into a bitmap; the button's rectangle in it.
    TColor PixelOfButton(TzqEditViewData& data, TPoint offsetInButton, TRect* button = nullptr)
    {
        data.Bounds = TRect(0, 0, 120, 22);
        TzqEditViewInfo info;
        const TzqInplaceEditClass& cls = TzqInplaceDropDownEdit::StaticClass();
        cls.CalcViewInfo(data, false, info);
        bitmap.SetSize(120, 22);
        FillRectColor(bitmap.Canvas(), TRect(0, 0, 120, 22), clFuchsia);
        cls.Draw(bitmap.Canvas(), data, nullptr);
        const TRect r = TzqInplaceDropDownEditClass::ButtonRect(info, static_cast<TzqDropDownEditViewData&>(data), 0);
        if (button)
            *button = r;
        return bitmap.Canvas()->Pixel(r.Left + offsetInButton.X, r.Top + offsetInButton.Y);
    }
    std::unique_ptr<TzqEditViewData> Data(S style, int pressed, int hot, bool enabled = true)
    {
        auto data = std::make_unique<TzqDropDownEditViewData>();
        data->ButtonStyle = style;
        data->BorderStyle = B::xbs3D;
        data->Enabled = enabled;
        data->ButtonCount = 1;
        data->Buttons[0].Width = 16;
        data->Buttons[0].Kind = TzqEditButtonKind::bkDown;
        data->PressedButton = pressed;
        data->HotButton = hot;
        data->BkColor = clWhite;
        return data;
    }
    TBitmap bitmap{1, 1};
};

TEST_F(DropDownLookTest, ButtonFacesAndSymbolsFollowTheResolvedStyle)
{
    struct Row {
        S style;
        int pressed, hot;
        TColor face;   // a pixel inside the face, clear of the symbol
        TColor symbol; // the tip of the triangle
        const char* what;
    };
    const Row rows[] = {
        {S::bts3D, -1, -1, clBtnFace, clBtnText, "3D"},
        {S::btsFlat, -1, -1, clBtnFace, clBtnText, "flat"},
        {S::btsSimple, -1, -1, clBtnFace, clBtnText, "simple"},
        {S::btsHotFlat, -1, -1, clBtnFace, clBtnText, "hot-flat"},
        {S::btsHotFlat, -1, 0, clBtnShadow, clBtnHighlight, "hot-flat hot: inverted symbol"},
        {S::btsHotFlat, 0, -1, clBtnText, clBtnHighlight, "hot-flat pressed"},
    };
    for (const Row& row : rows) {
        auto data = Data(row.style, row.pressed, row.hot);
        TRect r;
        EXPECT_EQ(PixelOfButton(*data, TPoint(3, 3), &r), ColorToRGB(row.face)) << row.what;
        // The triangle of a 16-pixel button is 7 + 5 + 3 + 1 pixels (inside the edges).
        int symbolPixels = 0;
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x)
                symbolPixels += bitmap.Canvas()->Pixel(x, y) == ColorToRGB(row.symbol);
        EXPECT_EQ(symbolPixels, 16) << row.what;
    }
}

TEST_F(DropDownLookTest, PressedButtonsMoveTheirSymbolByOnePixelAndDisabledOnesEmbossIt)
{
    auto up = Data(S::bts3D, -1, -1);
    auto down = Data(S::bts3D, 0, -1);
    TRect r;
    PixelOfButton(*up, TPoint(0, 0), &r);
    const int tipX = (r.Width() - 7) / 2 + 3, tipY = (r.Height() - 4) / 2 + 3;
    EXPECT_EQ(PixelOfButton(*up, TPoint(tipX, tipY)), ColorToRGB(clBtnText));
    EXPECT_EQ(PixelOfButton(*down, TPoint(tipX + 1, tipY + 1)), ColorToRGB(clBtnText)) << "pressed: moved";
    auto disabled = Data(S::bts3D, -1, -1, false);
    EXPECT_EQ(PixelOfButton(*disabled, TPoint(tipX, tipY)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOfButton(*disabled, TPoint(tipX + 1, tipY + 1)), ColorToRGB(clBtnHighlight));
}

TEST_F(DropDownLookTest, FlatButtonsStartWithASeparatorInTheFaceColour)
{
    auto data = Data(S::btsFlat, -1, -1);
    EXPECT_EQ(PixelOfButton(*data, TPoint(0, 5)), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOfButton(*data, TPoint(1, 5)), ColorToRGB(clBtnHighlight)) << "then the thin raised edge";
}

TEST(DropDownButtons, ButtonsLieRightOfTheTextInOrderAndLeftAlignedOnesLeftOfIt)
{
    TzqDropDownEditViewData data;
    data.Bounds = TRect(0, 0, 200, 22);
    data.ButtonCount = 3;
    data.Buttons[0].Width = 16;
    data.Buttons[1].Width = 10;
    data.Buttons[1].LeftAligned = true;
    data.Buttons[2].Width = 12;
    TzqEditViewInfo info;
    TzqInplaceDropDownEdit::StaticClass().CalcViewInfo(data, false, info);
    // Inside the 2-pixel frame: 2..198 wide, 2..20 high.
    EXPECT_EQ(info.ClientRect, TRect(2 + 10, 2, 198 - 28, 20));
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonRect(info, data, 0), TRect(170, 2, 186, 20));
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonRect(info, data, 1), TRect(2, 2, 12, 20));
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonRect(info, data, 2), TRect(186, 2, 198, 20));
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonRect(info, data, 3), TRect()) << "no such button";
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonAt(info, data, TPoint(190, 10)), 2);
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonAt(info, data, TPoint(5, 10)), 1);
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonAt(info, data, TPoint(100, 10)), -1);
    data.HideButtons = true;
    TzqInplaceDropDownEdit::StaticClass().CalcViewInfo(data, false, info);
    EXPECT_EQ(info.ClientRect, TRect(2, 2, 198, 20));
    EXPECT_EQ(TzqInplaceDropDownEditClass::ButtonRect(info, data, 0), TRect());
}

TEST(EditButtonPainter, TheArrowIsHalfTheButtonMadeOdd)
{
    const std::pair<int, int> rows[] = {{16, 7}, {15, 7}, {14, 7}, {13, 5}, {12, 5}, {2, 1}, {1, 1}};
    for (const auto& [button, arrow] : rows)
        EXPECT_EQ(ArrowWidthFor(button), arrow) << button;
}

} // namespace
