#include "ControlsFixture.h"

#include "platform/controls/CustomEdit.h"
#include "platform/controls/PageControl.h"
#include "platform/controls/TabSheet.h"
#include "platform/core/VirtualKeys.h"

#include <vector>

namespace {

using D = THeadlessDriver;

class PageControlTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        pages = Make<TPageControl>();
        pages->SetBounds(10, 10, 354, 266);
        for (const char* caption : {" Toolbars ", " Commands ", " Options "}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
            sheets.push_back(sheet);
        }
        edit = Make<TEdit>(sheets[0]);
        edit->SetBounds(4, 4, 100, 21);
        pages->OnChange = [this](TObject*) { ++changes; };
    }
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    TEdit* edit = nullptr;
    int changes = 0;
};

TEST_F(PageControlTest, TheFirstPageShowsAndATabClickTurnsThePage)
{
    ShowForm();
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    EXPECT_EQ(sheets[0]->BoundsRect(), pages->DisplayRect());

    const TRect tab = pages->TabRect(2);
    ClickOn(pages, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(pages->Focused());
    driver.PressKey(VK_LEFT);
    EXPECT_EQ(pages->ActivePageIndex(), 1);

    pages->SetActivePageIndex(0); // the program's turn: no OnChange
    EXPECT_EQ(changes, 2);
}

TEST_F(PageControlTest, OnChangingMayRefuseTheTurn)
{
    ShowForm();
    pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TRect tab = pages->TabRect(1);
    ClickOn(pages, {tab.Left + 5, tab.Top + 5});
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(PageControlTest, CtrlTabTurnsPagesFromInsideAndTheFocusLeavesAHiddenPage)
{
    ShowForm();
    edit->SetFocus();
    driver.PressKey(VK_TAB, D::Ctrl);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_FALSE(edit->Focused()) << "the edit went out of sight with its page";
    EXPECT_TRUE(pages->Focused());
    driver.PressKey(VK_TAB, D::Ctrl | D::Shift);
    driver.PressKey(VK_TAB, D::Ctrl | D::Shift); // round the start to the last page
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(changes, 3);
}

TEST_F(PageControlTest, HidingOrRemovingTheActivePageShowsANeighbour)
{
    ShowForm();
    pages->SetActivePageIndex(1);
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(pages->TabRect(1).IsEmpty());
    pages->SetActivePage(sheets[1]); // a hidden tab cannot be shown
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    delete sheets[0];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
}

} // namespace
