// In-place caption editing: when it starts and ends, what it stores, how it grows.
#include "orgchart/OcInplaceEdit.h"
#include "orgchart/tests/ChartFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/WinApi.h"

#include <functional>
#include <stdexcept>

namespace {

using D = THeadlessDriver;

class EditingTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        chart = NewShownChart(500, 300);
        chart->SetEditMode(TzqOcEditMode{TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap});
        a = chart->AddChild(nullptr, 0);
        a->AssignText("Alpha");
        b = chart->AddChild(nullptr, 0);
        b->AssignText("Beta");
        chart->SetSelected(a);
        chart->SetFocus();
        chart->OnEdited = [this](TObject*, TzqOcNode* node, std::string& text) { edited.push_back(text); };
        driver.Pump();
    }

    TzqOcInplaceEdit* Editor() { return chart->Editor(); }

    TzqOrgChart* chart = nullptr;
    TzqOcNode* a = nullptr;
    TzqOcNode* b = nullptr;
    std::vector<std::string> edited;
};

TEST_F(EditingTest, EnterOpensTheEditorOverTheTextAreaWithTheCaretAtTheStart)
{
    driver.PressKey(VK_RETURN);
    ASSERT_TRUE(chart->IsEditing());
    EXPECT_EQ(Editor()->Text(), "Alpha");
    EXPECT_EQ(Editor()->SelStart(), 0);
    EXPECT_EQ(Editor()->SelLength(), 0);
    EXPECT_EQ(GetFocus(), Editor()->Handle());
    // The editor lies over the node's text area (it may have grown about its centre).
    const TRect text = chart->NodeTextRect(a, chart->NodeSlotRect(a));
    const TRect box = Editor()->BoundsRect();
    EXPECT_NEAR((box.Left + box.Right) / 2.0, (text.Left + text.Right) / 2.0, 1.0);
    EXPECT_NEAR((box.Top + box.Bottom) / 2.0, (text.Top + text.Bottom) / 2.0, 1.0);
}

TEST_F(EditingTest, TypingGrowsTheEditorOnlyDownwardsWhenWrapping)
{
    driver.PressKey(VK_RETURN);
    const TRect before = Editor()->BoundsRect();
    driver.PressKey(VK_END);
    driver.Type(" and a much longer caption that needs several lines");
    const TRect after = Editor()->BoundsRect();
    EXPECT_EQ(after.Width(), before.Width()) << "with word wrap the width stays";
    EXPECT_GT(after.Height(), before.Height());
    EXPECT_NEAR((after.Top + after.Bottom) / 2.0, (before.Top + before.Bottom) / 2.0, 1.0) << "grown about the centre";

    // Without wrapping it grows sideways.
    driver.PressKey(VK_ESCAPE);
    chart->SetEditMode(TzqOcEditMode{});
    driver.PressKey(VK_RETURN);
    const TRect narrow = Editor()->BoundsRect();
    driver.PressKey(VK_END);
    driver.Type(" with plenty more words");
    EXPECT_GT(Editor()->BoundsRect().Width(), narrow.Width());
}

TEST_F(EditingTest, EscapeStoresNothingWhileF2AndFocusLossStore)
{
    driver.PressKey(VK_RETURN);
    driver.Type("X");
    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(a->Text(), "Alpha");
    EXPECT_TRUE(edited.empty());
    EXPECT_EQ(GetFocus(), chart->Handle()) << "the focus goes back to the chart";

    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.Type("!");
    driver.PressKey(VK_F2);
    EXPECT_EQ(a->Text(), "Alpha!");
    EXPECT_EQ(edited, std::vector<std::string>{"Alpha!"});

    // A click elsewhere takes the focus: the text is stored.
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.Type("?");
    driver.ClickAt(chart->Handle(), {490, 290});
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(a->Text(), "Alpha!?");
}

TEST_F(EditingTest, OpeningAndClosingWithoutTypingStoresNothing)
{
    // Every store of a caption goes through OnSetText; none may come.
    int stores = 0;
    chart->OnSetText = [&](TObject*, TzqOcNode*, const std::string&) { ++stores; };
    struct Closing {
        const char* how;
        std::function<void()> close;
    };
    const Closing closings[] = {
        {"F2", [&] { driver.PressKey(VK_F2); }},
        {"Alt+Enter", [&] { driver.PressKey(VK_RETURN, D::Alt); }},
        {"a click elsewhere", [&] { driver.ClickAt(chart->Handle(), {490, 290}); }},
    };
    for (const Closing& c : closings) {
        SCOPED_TRACE(c.how);
        chart->SetSelected(a);
        driver.PressKey(VK_RETURN);
        ASSERT_TRUE(chart->IsEditing());
        EXPECT_FALSE(Editor()->Modified());
        c.close();
        EXPECT_FALSE(chart->IsEditing());
        EXPECT_EQ(stores, 0);
        EXPECT_TRUE(edited.empty());
        EXPECT_EQ(a->Text(), "Alpha");
    }
    // The counter does count: typing and accepting stores once.
    chart->SetSelected(a);
    driver.PressKey(VK_RETURN);
    driver.Type("X");
    driver.PressKey(VK_F2);
    EXPECT_EQ(stores, 1);
}

TEST_F(EditingTest, AltEnterAcceptsAndAltDownMovesEditingToTheNextNode)
{
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_HOME);
    driver.Type("The ");
    driver.PressKey(VK_RIGHT, D::Alt); // the next sibling
    EXPECT_EQ(a->Text(), "The Alpha");
    EXPECT_EQ(chart->Selected(), b);
    ASSERT_TRUE(chart->IsEditing()) << "editing continues on the new node";
    EXPECT_EQ(Editor()->Text(), "Beta");
    driver.Type("X");
    driver.PressKey(VK_RETURN, D::Alt);
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(b->Text(), "XBeta");
}

TEST_F(EditingTest, EnterWithoutAltStartsANewLine)
{
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.PressKey(VK_RETURN);
    driver.Type("Two");
    EXPECT_TRUE(chart->IsEditing());
    EXPECT_EQ(Editor()->Text(), "Alpha\r\nTwo");
}

TEST_F(EditingTest, ResizingTheChartDiscardsTheText)
{
    driver.PressKey(VK_RETURN);
    driver.Type("Lost");
    chart->SetBounds(0, 0, 400, 250);
    driver.Pump();
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(a->Text(), "Alpha");
}

TEST_F(EditingTest, UpperCaseModeConvertsTypedLettersAndStoresWhatTheEditorHolds)
{
    chart->SetEditMode(TzqOcEditMode{TzqOcEditModeFlag::emUpper, TzqOcEditModeFlag::emWrap});
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.Type(" über");
    EXPECT_EQ(Editor()->Text(), "Alpha ÜBER");
    driver.PressKey(VK_F2);
    EXPECT_EQ(a->Text(), "Alpha ÜBER");
}

TEST_F(EditingTest, NoEditingWhileTheChartIsShrunkToFit)
{
    for (int i = 0; i < 12; ++i)
        chart->AddChild(a, 0);
    a->Expand(false);
    chart->SetZoom(true);
    ASSERT_TRUE(chart->ScaleInEffect());
    driver.PressKey(VK_RETURN);
    EXPECT_FALSE(chart->IsEditing());
    driver.PressKey(VK_F2);
    EXPECT_FALSE(chart->IsEditing());
}

TEST_F(EditingTest, AnEditedHandlerThatDeletesTheNodeLeavesTheTextNowhere)
{
    chart->OnEdited = [this](TObject*, TzqOcNode* node, std::string& text) { chart->DeleteNode(node); };
    driver.PressKey(VK_RETURN);
    driver.Type("Gone");
    driver.PressKey(VK_F2);
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(chart->Count(), 1);
    EXPECT_EQ(chart->Items(0), b);
    EXPECT_EQ(b->Text(), "Beta");
}

TEST_F(EditingTest, AnEditedHandlerThatRaisesWhileANodeIsDeletedLeavesChartAndEditorWhole)
{
    // Deleting a node ends editing first; the store of the typed text fails.
    chart->OnEdited = [](TObject*, TzqOcNode*, std::string&) { throw std::runtime_error("not now"); };
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.Type("X");
    EXPECT_THROW(chart->DeleteNode(b), std::runtime_error);
    EXPECT_EQ(chart->Count(), 2);
    EXPECT_EQ(chart->Items(1), b);
    EXPECT_EQ(a->Text(), "Alpha");
    ASSERT_TRUE(chart->IsEditing());
    EXPECT_EQ(Editor()->Text(), "AlphaX");
    EXPECT_TRUE(Editor()->Modified()) << "the typed text is still to be stored";

    // The same failure on accepting by key leaves the editor as it was, too; the
    // application shows the error.
    std::vector<std::string> shown;
    app->OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
    driver.PressKey(VK_RETURN, D::Alt);
    EXPECT_EQ(shown, std::vector<std::string>{"not now"});
    ASSERT_TRUE(chart->IsEditing());
    EXPECT_TRUE(Editor()->Modified());

    chart->OnEdited = nullptr;
    chart->DeleteNode(b);
    EXPECT_EQ(chart->Count(), 1);
    EXPECT_FALSE(chart->IsEditing());
    EXPECT_EQ(a->Text(), "AlphaX");
}

TEST_F(EditingTest, AnEditedHandlerThatClearsTheSelectionStillStoresOnTheEditedNode)
{
    chart->OnEdited = [this](TObject*, TzqOcNode*, std::string& text) {
        chart->SetSelected(nullptr);
        text += "!";
    };
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_END);
    driver.Type("X");
    driver.PressKey(VK_F2);
    EXPECT_EQ(a->Text(), "AlphaX!");
}

} // namespace
