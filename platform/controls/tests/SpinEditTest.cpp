#include "ControlsFixture.h"

#include "platform/controls/SpinButton.h"
#include "platform/controls/SpinEdit.h"
#include "platform/core/VirtualKeys.h"

#include <climits>
#include <vector>

namespace {

using D = THeadlessDriver;

class SpinEditTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        spin = Make<TSpinEdit>();
        spin->SetBounds(10, 10, 80, 22);
        other = Make<TSpinEdit>();
        other->SetBounds(10, 50, 80, 22);
        spin->OnChange = [this](TObject*) { changes.push_back(spin->Value()); };
        ShowForm();
        spin->SetFocus();
        driver.Pump();
    }
    void TypeOver(const std::string& text)
    {
        spin->SelectAll();
        driver.Type(text);
    }
    TPoint UpButton() { return At(spin->Button(), {7, 3}); }
    TPoint DownButton() { return At(spin->Button(), {7, spin->Button()->Height() - 3}); }

    TSpinEdit* spin = nullptr;
    TSpinEdit* other = nullptr;
    std::vector<int> changes;
};

TEST_F(SpinEditTest, ZeroAndZeroMeanNoLimitAndOtherwiseTheValueStaysWithinTheLimits)
{
    spin->SetValue(-5000);
    EXPECT_EQ(spin->Value(), -5000);
    spin->SetValue(INT_MAX);
    driver.PressKey(VK_UP); // saturates instead of wrapping round
    EXPECT_EQ(spin->Value(), INT_MAX);

    spin->SetMinValue(1);
    EXPECT_EQ(spin->Value(), INT_MAX) << "only the lower limit given: no upper one yet";
    spin->SetMaxValue(10);
    EXPECT_EQ(spin->Value(), 10) << "a new limit brings the value in";
    EXPECT_EQ(spin->Text(), "10");
    struct Case { int set; int expected; };
    for (const Case c : {Case{0, 1}, Case{5, 5}, Case{11, 10}, Case{-3, 1}})
        EXPECT_EQ((spin->SetValue(c.set), spin->Value()), c.expected) << c.set;
}

TEST_F(SpinEditTest, UpAndDownKeysStepByTheIncrementAndFireOnChangeForEachChange)
{
    spin->SetIncrement(5);
    driver.PressKey(VK_UP);
    driver.PressKey(VK_UP);
    driver.PressKey(VK_DOWN);
    EXPECT_EQ(spin->Value(), 5);
    EXPECT_EQ(spin->Text(), "5");
    EXPECT_EQ(changes, (std::vector<int>{5, 10, 5}));

    spin->SetMinValue(0);
    spin->SetMaxValue(7);
    changes.clear();
    driver.PressKey(VK_UP); // 10 would pass the limit: stops at 7
    driver.PressKey(VK_UP); // already there: no change, no event
    EXPECT_EQ(spin->Value(), 7);
    EXPECT_EQ(changes, (std::vector<int>{7}));
}

TEST_F(SpinEditTest, TypedNumbersBecomeTheValueAndOtherTextIsRefusedOrPutRight)
{
    TypeOver("42");
    EXPECT_EQ(spin->Value(), 42);
    EXPECT_EQ(changes, (std::vector<int>{4, 42}));

    const int beeps = driver.Backend().Beeps();
    driver.Type("x");
    EXPECT_EQ(spin->Text(), "42") << "letters are refused";
    EXPECT_GT(driver.Backend().Beeps(), beeps);

    // An empty field or a lone sign is not a number: the value waits, and leaving
    // the field puts its text back.
    changes.clear();
    TypeOver("-");
    EXPECT_EQ(spin->Value(), 42);
    EXPECT_TRUE(changes.empty());
    driver.PressKey(VK_TAB);
    EXPECT_EQ(spin->Text(), "42");

    // Pasted text that is no number is put right on leaving as well.
    spin->SetFocus();
    spin->SelectAll();
    SetClipboardText("12abc");
    driver.PressKey('V', D::Ctrl);
    EXPECT_EQ(spin->Value(), 42);
    driver.PressKey(VK_TAB);
    EXPECT_EQ(spin->Text(), "42");
}

TEST_F(SpinEditTest, ATypedValueOutsideTheLimitsIsBroughtInWhenLeaving)
{
    spin->SetMinValue(10);
    spin->SetMaxValue(100);
    TypeOver("250");
    EXPECT_EQ(spin->Value(), 25) << "2 is below the limit and waits; 25 is taken; 250 waits again";
    driver.PressKey(VK_TAB);
    EXPECT_EQ(spin->Value(), 100);
    EXPECT_EQ(spin->Text(), "100");
}

TEST_F(SpinEditTest, AHandlerMayCorrectTheValueWhileTheUserTypes)
{
    // The options dialog's rule: nothing below 1.
    spin->OnChange = [this](TObject*) {
        changes.push_back(spin->Value());
        if (spin->Value() < 1)
            spin->SetValue(1);
    };
    spin->SetValue(5);
    changes.clear();
    TypeOver("0");
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(spin->Text(), "1");
    EXPECT_EQ(changes, (std::vector<int>{0, 1}));
}

TEST_F(SpinEditTest, HoldingAnArrowButtonRepeatsAfterADelayAndThenFaster)
{
    driver.MoveTo(UpButton());
    driver.Press(UpButton());
    EXPECT_EQ(spin->Value(), 1) << "the press itself steps once";
    driver.AdvanceTime(399);
    EXPECT_EQ(spin->Value(), 1);
    driver.AdvanceTime(1); // the first repeat after 400 ms
    EXPECT_EQ(spin->Value(), 2);
    driver.AdvanceTime(500); // then every 100 ms
    EXPECT_EQ(spin->Value(), 7);
    driver.Release(UpButton());
    driver.AdvanceTime(1000);
    EXPECT_EQ(spin->Value(), 7) << "the repeat stops with the release";
    EXPECT_TRUE(spin->Focused()) << "the buttons give the focus to the edit";

    // Off the held button the repeat pauses.
    driver.Press(DownButton());
    EXPECT_EQ(spin->Value(), 6);
    driver.MoveTo(At(spin, {5, 5}));
    driver.AdvanceTime(1000);
    EXPECT_EQ(spin->Value(), 6);
    driver.Release(At(spin, {5, 5}));
}

TEST_F(SpinEditTest, WithTheEditorOffOnlyTheArrowsChangeTheValue)
{
    spin->SetEditorEnabled(false);
    TypeOver("9");
    EXPECT_EQ(spin->Value(), 0);
    SetClipboardText("77");
    driver.PressKey('V', D::Ctrl);
    EXPECT_EQ(spin->Value(), 0);
    driver.PressKey(VK_UP);
    driver.Click(UpButton());
    EXPECT_EQ(spin->Value(), 2);
}

} // namespace
