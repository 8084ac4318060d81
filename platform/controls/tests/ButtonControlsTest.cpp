#include "ControlsFixture.h"

#include "platform/controls/BitBtn.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioButton.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"

#include <vector>

namespace {

class ButtonControlsTest : public ControlsFixture {};

TEST_F(ButtonControlsTest, CheckBoxTogglesByMouseAndSpaceAndPassesGrayedOnlyWhenAllowed)
{
    auto* box = Make<TCheckBox>();
    box->SetBounds(10, 10, 100, 17);
    box->SetCaption("Show Images");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();

    ClickOn(box, {40, 8}); // on the caption counts too
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
    driver.PressKey(VK_SPACE);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    // Pressed inside and released outside: nothing happens.
    driver.Press(At(box, {5, 8}));
    driver.MoveTo(At(box, {5, 40}));
    driver.Release(At(box, {5, 40}));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    // Set by the program: no OnClick.
    box->SetChecked(true);
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    box->SetState(TCheckBoxState::cbUnchecked);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        driver.PressKey(VK_SPACE);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked,
                                                 TCheckBoxState::cbUnchecked}));
}

TEST_F(ButtonControlsTest, ADisabledCheckBoxIgnoresTheMouse)
{
    auto* box = Make<TCheckBox>();
    box->SetBounds(10, 10, 100, 17);
    box->SetEnabled(false);
    ShowForm();
    ClickOn(box, {5, 8});
    EXPECT_FALSE(box->Checked());
}

TEST_F(ButtonControlsTest, RadioButtonsUnderOneParentFormAGroupWalkedByArrowKeys)
{
    std::vector<TRadioButton*> group;
    for (int i = 0; i < 3; ++i) {
        auto* r = Make<TRadioButton>();
        r->SetBounds(10, 10 + 20 * i, 100, 17);
        group.push_back(r);
    }
    auto* panel = Make<TPanel>();
    panel->SetBounds(150, 10, 100, 40);
    auto* elsewhere = Make<TRadioButton>(panel); // under another parent: another group
    elsewhere->SetChecked(true);
    ShowForm();

    ClickOn(group[1], {5, 8});
    EXPECT_TRUE(group[1]->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    group[0]->SetChecked(true);
    EXPECT_FALSE(group[1]->Checked());
    EXPECT_TRUE(group[0]->TabStop());
    EXPECT_FALSE(group[1]->TabStop()) << "only the checked button is a tab stop";

    group[0]->SetFocus();
    driver.PressKey(VK_DOWN);
    EXPECT_TRUE(group[1]->Focused());
    EXPECT_TRUE(group[1]->Checked()) << "an arrow key checks the button it reaches";
    EXPECT_FALSE(group[0]->Checked());

    // A click on the checked one leaves it checked.
    ClickOn(group[1], {5, 8});
    EXPECT_TRUE(group[1]->Checked());
}

TEST_F(ButtonControlsTest, BitBtnKindsBringCaptionGlyphResultAndRole)
{
    auto* ok = Make<TBitBtn>();
    ok->SetKind(TBitBtnKind::bkOK);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    ASSERT_NE(ok->ShownGlyph(), nullptr);
    // The check is green: some pixel of the picture is pure-ish green.
    const TBitmap* glyph = ok->ShownGlyph();
    bool green = false;
    for (int y = 0; y < glyph->Height(); ++y)
        for (int x = 0; x < glyph->Width(); ++x)
            green = green || glyph->Pixel(x, y) == 0x00008000;
    EXPECT_TRUE(green);

    auto* cancel = Make<TBitBtn>();
    cancel->SetKind(TBitBtnKind::bkCancel);
    EXPECT_EQ(cancel->Caption(), "Cancel");
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);

    // The program's own picture wins over the kind's; its parts follow its shape.
    TBitmap two(32, 16);
    ok->SetGlyph(&two);
    EXPECT_EQ(ok->ShownGlyph(), ok->Glyph());
    EXPECT_EQ(ok->NumGlyphs(), 2);
    ok->SetGlyph(nullptr);
    EXPECT_EQ(ok->ShownGlyph(), glyph);
}

TEST_F(ButtonControlsTest, BitBtnsCloseAModalDialogWithTheirResults)
{
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    auto* ok = Make<TBitBtn>();
    ok->SetKind(TBitBtnKind::bkOK);
    ok->SetBounds(10, 10, 75, 25);
    auto* cancel = Make<TBitBtn>();
    cancel->SetKind(TBitBtnKind::bkCancel);
    cancel->SetBounds(100, 10, 75, 25);
    auto* box = Make<TCheckBox>();
    box->SetBounds(10, 50, 100, 17);
    form->SetActiveControl(box);

    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_RETURN); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    driver.Backend().PushIdleAction([&] { driver.PressKey(VK_ESCAPE); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    driver.Backend().PushIdleAction([&] { driver.ClickAt(cancel->Handle(), {10, 10}); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

} // namespace
