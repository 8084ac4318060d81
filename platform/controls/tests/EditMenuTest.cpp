#include "ControlsFixture.h"

#include "platform/controls/CustomEdit.h"
#include "platform/controls/PopupList.h"
#include "platform/core/VirtualKeys.h"

#include <string>

namespace {

using D = THeadlessDriver;

class EditMenuTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        edit = Make<TEdit>();
        edit->SetBounds(10, 10, 200, 21);
        other = Make<TEdit>();
        other->SetBounds(10, 50, 200, 21);
        ShowForm();
        edit->SetFocus();
        driver.Type("Hello world");
        edit->SetSelStart(0);
        edit->SetSelLength(5);
    }
    void RightClick()
    {
        const TPoint p = driver.ToScreen(edit->Handle(), {30, 8});
        driver.Click(p, TMouseButton::mbRight);
    }
    TPopupList* Menu() { return edit->EditMenu(); }
    bool Enabled(const char* caption) { return Menu()->Items(Menu()->IndexOfCaption(caption)).Enabled; }
    TPoint ItemCentre(const char* caption)
    {
        const TRect r = Menu()->ItemRect(Menu()->IndexOfCaption(caption));
        return driver.ToScreen(Menu()->Handle(), {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }

    TEdit* edit = nullptr;
    TEdit* other = nullptr;
};

TEST_F(EditMenuTest, ARightClickOpensTheMenuWithItsItemsEnabledAsTheyApply)
{
    RightClick();
    ASSERT_TRUE(Menu()->IsOpen());
    EXPECT_TRUE(edit->Focused()) << "the menu does not take the focus";
    EXPECT_TRUE(form->Active());
    struct Case { const char* caption; bool enabled; };
    for (const Case c : {Case{"Undo", true}, Case{"Cut", true}, Case{"Copy", true}, Case{"Paste", false},
                         Case{"Delete", true}, Case{"Select All", true}})
        EXPECT_EQ(Enabled(c.caption), c.enabled) << c.caption;
    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_EQ(edit->Text(), "Hello world") << "Esc belongs to the menu";

    // Read-only with nothing selected: only Select All is left.
    edit->SetReadOnly(true);
    edit->SetSelLength(0);
    RightClick();
    for (const char* caption : {"Undo", "Cut", "Copy", "Paste", "Delete"})
        EXPECT_FALSE(Enabled(caption)) << caption;
    EXPECT_TRUE(Enabled("Select All"));
    driver.PressKey(VK_ESCAPE);
}

TEST_F(EditMenuTest, CommandsRunByMouseKeysAndAccelerators)
{
    RightClick();
    driver.MoveTo(ItemCentre("Cut"));
    EXPECT_EQ(Menu()->HotIndex(), Menu()->IndexOfCaption("Cut"));
    driver.Click(ItemCentre("Cut"));
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_EQ(edit->Text(), " world");
    std::string clip;
    ASSERT_TRUE(OpenClipboardText(clip));
    EXPECT_EQ(clip, "Hello");

    // The menu key opens it at the caret; P is Paste's accelerator.
    edit->SetSelStart(0);
    driver.PressKey(VK_APPS);
    ASSERT_TRUE(Menu()->IsOpen());
    EXPECT_TRUE(Enabled("Paste"));
    driver.PressKey('P');
    EXPECT_EQ(edit->Text(), "Hello world");

    // Shift+F10, then Down to the first item (Undo) and Enter.
    driver.PressKey(VK_F10, D::Shift);
    ASSERT_TRUE(Menu()->IsOpen());
    driver.PressKey(VK_DOWN);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(edit->Text(), " world");

    // Select All by its accelerator; a disabled item does nothing.
    RightClick();
    driver.PressKey('A');
    EXPECT_EQ(edit->SelText(), " world");
    RightClick();
    driver.Click(ItemCentre("Select All")); // all selected already: disabled
    EXPECT_TRUE(Menu()->IsOpen());
    driver.PressKey(VK_ESCAPE);
}

TEST_F(EditMenuTest, AClickOutsideClosesTheMenuWithoutRunningAnything)
{
    RightClick();
    ASSERT_TRUE(Menu()->IsOpen());
    driver.ClickAt(other->Handle(), {5, 5});
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_TRUE(edit->Focused()) << "the closing click is spent on closing";
    EXPECT_EQ(edit->Text(), "Hello world");

    // A handler of OnContextPopup may take the request over.
    edit->OnContextPopup = [](TObject*, TPoint, bool& handled) { handled = true; };
    RightClick();
    EXPECT_FALSE(Menu()->IsOpen());
}

} // namespace
