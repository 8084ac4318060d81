#include "ControlsFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CustomEdit.h"
#include "platform/controls/ListBox.h"
#include "platform/core/VirtualKeys.h"

#include <string>
#include <vector>

namespace {

using D = THeadlessDriver;

class ComboBoxTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        combo = Make<TComboBox>();
        combo->SetBounds(10, 10, 120, 21);
        combo->Items()->SetText("(None)\nRandom\nUnfold\nSlide");
        combo->OnChange = [this](TObject*) { log.push_back("change:" + combo->Text()); };
        combo->OnSelect = [this](TObject*) { log.push_back("select"); };
        combo->OnDropDown = [this](TObject*) { log.push_back("drop"); };
        combo->OnCloseUp = [this](TObject*) { log.push_back("close"); };
    }
    HWND ListWindow() { return combo->ListControl()->Handle(); }
    TPoint ListItem(int index)
    {
        return driver.ToScreen(ListWindow(), {20, combo->ListControl()->ItemHeight() * index + 3});
    }

    TComboBox* combo = nullptr;
    std::vector<std::string> log;
};

TEST_F(ComboBoxTest, TheListDropsBelowWithoutTakingFocusAndAClickChooses)
{
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    ShowForm();
    ClickOn(combo, {60, 8});
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(combo->Focused()) << "the focus stays with the box";
    EXPECT_TRUE(form->Active());
    const TRect box = WindowRect(combo->Handle());
    EXPECT_EQ(WindowRect(ListWindow()).Top, box.Bottom);
    EXPECT_EQ(WindowRect(ListWindow()).Width(), box.Width());
    EXPECT_EQ(GetWindowLong(ListWindow(), GWL_EXSTYLE) & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW),
              WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);

    driver.MoveTo(ListItem(1));
    driver.MoveTo(ListItem(2)); // the highlight follows the pointer
    EXPECT_EQ(combo->ListControl()->ItemIndex(), 2);
    EXPECT_EQ(combo->ItemIndex(), -1) << "nothing chosen yet";
    driver.Click(ListItem(2));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "Unfold");
    EXPECT_EQ(log, (std::vector<std::string>{"drop", "change:Unfold", "select", "close"}));
}

TEST_F(ComboBoxTest, EscClosesWithoutChoosingAndDoesNotReachTheDialog)
{
    auto* cancel = Make<TButton>();
    cancel->SetBounds(10, 60, 75, 25);
    cancel->SetCancel(true);
    int cancelClicks = 0;
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetItemIndex(1);
    ShowForm();
    combo->SetFocus();
    driver.PressKey(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    driver.PressKey(VK_DOWN);
    EXPECT_EQ(combo->ListControl()->ItemIndex(), 2);
    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(cancelClicks, 0);

    // Alt+Down opens, Enter chooses the highlighted item.
    driver.PressKey(VK_DOWN, D::Alt);
    ASSERT_TRUE(combo->DroppedDown());
    driver.PressKey(VK_DOWN);
    driver.PressKey(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "Unfold");

    // Closed, Esc is the dialog's again.
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
}

TEST_F(ComboBoxTest, AClickOutsideClosesTheListAndIsSpentOnThat)
{
    auto* button = Make<TButton>();
    button->SetBounds(200, 200, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    combo->SetDroppedDown(true);
    ASSERT_TRUE(combo->DroppedDown());
    driver.ClickAt(button->Handle(), {10, 10});
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(combo->ItemIndex(), -1);

    // Losing the focus closes it too.
    combo->SetDroppedDown(true);
    button->SetFocus();
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, TheEditOfADropDownBoxTypesAndArrowsChooseItems)
{
    ShowForm();
    TCustomEdit* edit = combo->EditControl();
    ASSERT_NE(edit, nullptr);
    driver.ClickAt(edit->Handle(), {5, 5});
    EXPECT_TRUE(edit->Focused());
    driver.Type("Sl");
    EXPECT_EQ(combo->Text(), "Sl");
    EXPECT_EQ(combo->ItemIndex(), -1);
    driver.Type("ide");
    EXPECT_EQ(combo->ItemIndex(), 3) << "typed text that names an item selects it";
    driver.PressKey(VK_UP);
    EXPECT_EQ(combo->Text(), "Unfold");
    EXPECT_EQ(edit->SelText(), "Unfold");
    EXPECT_EQ(log.back(), "select");

    // Setting from the program fires nothing.
    log.clear();
    combo->SetItemIndex(0);
    combo->SetText("Random");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_TRUE(log.empty());
    combo->SetText("Anything");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "Anything");
}

TEST_F(ComboBoxTest, TheSelectionKeepsItsItemWhenTheItemsChange)
{
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetItemIndex(2);
    combo->Items()->Insert(0, "First");
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "Unfold");
    combo->Items()->Delete(3);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
}

} // namespace

namespace {

TEST_F(ComboBoxTest, DestroyingABoxWithItsListOpenLetsGoOfTheMouse)
{
    ShowForm();
    combo->SetDroppedDown(true);
    ASSERT_NE(GetCapture(), nullptr);
    delete combo;
    EXPECT_EQ(GetCapture(), nullptr);
    driver.Click(driver.ToScreen(form->Handle(), {50, 50})); // no stale popup in the way
}

} // namespace
