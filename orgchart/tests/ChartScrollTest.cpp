// Scrolling: the scrolling keys, the scroll bar notifications, dragging the thumb of a
// drawing a million pixels tall, bringing a node into view just far enough, and a zoomed
// chart that fits its window without scroll bars.
#include "orgchart/tests/ChartFixture.h"
#include "platform/core/VirtualKeys.h"
#include "platform/core/WindowStyles.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <cstdlib>
#include <vector>

#ifndef ORGCHART_PNG_DIR
#define ORGCHART_PNG_DIR "."
#endif

namespace {

class ScrollTest : public ChartTest {
protected:
    // A chart whose client area is 300 x 300 with both scroll bars showing: 20 top-level
    // nodes side by side (1,620 pixels), the first with a chain of 19 below it (20 rows:
    // 1,146 pixels). Positions go up to 1,320 across and 846 down.
    TzqOrgChart* NewScrolledChart()
    {
        TzqOrgChart* chart = NewShownChart(300 + GetSystemMetrics(SM_CXVSCROLL), 300 + GetSystemMetrics(SM_CYHSCROLL));
        TzqOcNode* chain = nullptr;
        for (int i = 0; i < 20; ++i) {
            TzqOcNode* n = chart->AddChild(nullptr, 0);
            if (i == 0)
                chain = n;
        }
        for (int i = 0; i < 19; ++i)
            chain = chart->AddChild(chain, 0);
        chart->FullExpand();
        driver.PaintAll();
        return chart;
    }

    bool HasBar(TzqOrgChart* chart, DWORD bit) { return (GetWindowLong(chart->Handle(), GWL_STYLE) & bit) != 0; }
};

} // namespace

TEST_F(ScrollTest, ScrollingKeysMoveByTheClientLessSixteenOrToTheEnds)
{
    TzqOrgChart* chart = NewScrolledChart();
    ASSERT_EQ(chart->ClientWidth(), 300);
    ASSERT_EQ(chart->ClientHeight(), 300);
    ASSERT_EQ(chart->TotalWidth(), 1620);
    ASSERT_EQ(chart->TotalHeight(), 1146);
    chart->SetFocus();
    constexpr unsigned Ctrl = THeadlessDriver::Ctrl;
    struct Case {
        int left, top;
        WORD key;
        unsigned modifiers;
        int expectLeft, expectTop;
    };
    const Case cases[] = {
        {0, 0, VK_NEXT, 0, 0, 284},
        {0, 500, VK_PRIOR, 0, 0, 216},
        {0, 100, VK_PRIOR, 0, 0, 0},
        {0, 800, VK_NEXT, 0, 0, 846},
        {500, 500, VK_HOME, 0, 0, 500},
        {0, 500, VK_END, 0, 1320, 500},
        {500, 500, VK_PRIOR, Ctrl, 500, 0},
        {500, 0, VK_NEXT, Ctrl, 500, 846},
        {500, 500, VK_HOME, Ctrl, 0, 0},
        {0, 0, VK_END, Ctrl, 1320, 846},
        {500, 500, VK_LEFT, Ctrl, 216, 500},
        {500, 500, VK_RIGHT, Ctrl, 784, 500},
        {100, 500, VK_LEFT, Ctrl, 0, 500},
        {500, 500, VK_NEXT, THeadlessDriver::Shift, 500, 500},
        {500, 500, VK_END, THeadlessDriver::Alt, 500, 500},
    };
    for (const Case& c : cases) {
        chart->ScrollTo(c.left, c.top);
        ASSERT_EQ(chart->LeftPos(), c.left);
        ASSERT_EQ(chart->TopPos(), c.top);
        driver.PressKey(c.key, c.modifiers);
        EXPECT_EQ(chart->LeftPos(), c.expectLeft) << "key " << c.key << " from " << c.left << "," << c.top;
        EXPECT_EQ(chart->TopPos(), c.expectTop) << "key " << c.key << " from " << c.left << "," << c.top;
        // The bars show where the drawing is.
        EXPECT_EQ(GetScrollPos(chart->Handle(), SB_HORZ), c.expectLeft);
        EXPECT_EQ(GetScrollPos(chart->Handle(), SB_VERT), c.expectTop);
    }
}

TEST_F(ScrollTest, ScrollBarNotificationsMoveThePosition)
{
    TzqOrgChart* chart = NewScrolledChart();
    struct Case {
        UINT msg;
        WORD code;
        int pos;
        int expect;
    };
    const Case cases[] = {
        {WM_VSCROLL, SB_LINEDOWN, 0, 516},      {WM_VSCROLL, SB_LINEUP, 0, 484},
        {WM_VSCROLL, SB_PAGEDOWN, 0, 784},      {WM_VSCROLL, SB_PAGEUP, 0, 216},
        {WM_VSCROLL, SB_TOP, 0, 0},             {WM_VSCROLL, SB_BOTTOM, 0, 846},
        {WM_VSCROLL, SB_THUMBTRACK, 100, 100},  {WM_VSCROLL, SB_THUMBPOSITION, 700, 700},
        {WM_VSCROLL, SB_THUMBTRACK, 5000, 846}, {WM_VSCROLL, SB_ENDSCROLL, 0, 500},
        {WM_HSCROLL, SB_LINEDOWN, 0, 516},      {WM_HSCROLL, SB_PAGEUP, 0, 216},
        {WM_HSCROLL, SB_BOTTOM, 0, 1320},       {WM_HSCROLL, SB_THUMBTRACK, 100, 100},
    };
    for (const Case& c : cases) {
        chart->ScrollTo(500, 500);
        SendMessage(chart->Handle(), c.msg, MakeWParam(c.code, c.pos), 0);
        const bool vertical = c.msg == WM_VSCROLL;
        EXPECT_EQ(vertical ? chart->TopPos() : chart->LeftPos(), c.expect) << c.msg << " code " << c.code;
        EXPECT_EQ(vertical ? chart->LeftPos() : chart->TopPos(), 500) << c.msg << " code " << c.code;
    }
}

// Sixteen nodes in a chain, 62,500 pixels a row (the last 62,494), make a drawing of
// exactly 1,000,000 pixels. Dragging the thumb to the middle of its track must scroll
// to the middle of the drawing, not to the 16 bits a notification carries.
TEST_F(ScrollTest, DraggingTheThumbUsesTheWholeTrackingPosition)
{
    TzqOrgChart* chart = NewShownChart(200, 300);
    std::vector<TzqOcNode*> chain;
    for (int i = 0; i < 16; ++i) {
        chain.push_back(chart->AddChild(chain.empty() ? nullptr : chain.back(), 0));
        chain.back()->SetHeight(i < 15 ? 62483 : 62477);
    }
    chart->FullExpand();
    driver.PaintAll();
    ASSERT_EQ(chart->TotalHeight(), 1000000);
    ASSERT_EQ(chart->ClientHeight(), 300);
    const int barX = chart->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL) / 2;

    // The thumb (the smallest one: a page is a tiny part of the range) sits just below
    // the top arrow. The user drags it down by half of its travel; the bar's tracking
    // loop waits for each move, so the moves come as its idle steps.
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int thumb = 8;
    const int travel = 300 - 2 * arrow - thumb;
    const TPoint from = driver.ToScreen(chart->Handle(), {barX, arrow + thumb / 2});
    const TPoint to{from.X, from.Y + travel / 2};
    int64_t whileTracking = -1;
    for (int step = 1; step <= 4; ++step)
        driver.Backend().PushIdleAction([&, step] { RawInput::MouseMove({from.X, from.Y + (to.Y - from.Y) * step / 4}); });
    driver.Backend().PushIdleAction([&] {
        whileTracking = chart->TopPos();
        RawInput::MouseButton(to, TMouseButton::mbLeft, false);
    });
    driver.MoveTo(from);
    driver.Press(from);
    ASSERT_EQ(driver.Backend().PendingIdleActions(), 0u);

    const int64_t positions = 1000000 - 300;
    const int64_t middle = positions / 2;
    const int64_t onePixel = positions / travel + 1;
    EXPECT_LE(std::llabs(whileTracking - middle), onePixel) << whileTracking;
    // The end of the drag keeps the position tracked.
    EXPECT_EQ(chart->TopPos(), whileTracking);
    EXPECT_EQ(GetScrollPos(chart->Handle(), SB_VERT), chart->TopPos());

    // The drawing is where the position says: the row under a client point is the one
    // the position gives (x 20 stays clear of the buttons).
    for (int y : {0, 100, 299}) {
        const int64_t row = (chart->TopPos() + y) / 62500;
        EXPECT_EQ(chart->GetNodeAt(20, y), chain[static_cast<size_t>(row)]) << y;
    }
}

TEST_F(ScrollTest, MakeVisibleScrollsJustFarEnough)
{
    // Ten 81-pixel columns, then a node 500 wide (slot 818..1319); client 300 wide.
    TzqOrgChart* chart = NewShownChart(300, 200);
    std::vector<TzqOcNode*> row;
    for (int i = 0; i < 11; ++i)
        row.push_back(chart->AddChild(nullptr, 0));
    row[10]->SetWidth(500);
    driver.PaintAll();
    ASSERT_EQ(chart->ClientWidth(), 300);
    struct Case {
        int from;
        size_t node;
        int expect;
    };
    const Case cases[] = {
        {0, 5, 178},   // slot 413..478: its right edge comes to the client's right edge
        {178, 5, 178}, // already in view
        {178, 1, 89},  // slot 89..154 left of the view: its left edge comes to 0
        {0, 10, 819},  // wider than the client: its text area's left edge comes to 0
    };
    for (const Case& c : cases) {
        chart->ScrollTo(c.from, 0);
        row[c.node]->MakeVisible();
        EXPECT_EQ(chart->LeftPos(), c.expect) << "node " << c.node << " from " << c.from;
    }
    chart->ScrollTo(0, 0);
    row[5]->MakeVisible();
    EXPECT_EQ(chart->NodeSlotRect(row[5]).Right, 300);

    // A hidden node is shown first, without animation; a refused expansion leaves it
    // hidden and nothing scrolls.
    chart->SetOptions(chart->Options() + TzqOcOption::ocAnimate);
    TzqOcNode* hidden = chart->AddChild(row[9], 0);
    const int frames = chart->AnimationFrames();
    chart->ScrollTo(0, 0);
    hidden->MakeVisible();
    EXPECT_TRUE(row[9]->Expanded());
    EXPECT_EQ(chart->AnimationFrames(), frames);
    EXPECT_EQ(chart->NodeSlotRect(hidden).Right, 300);
    row[9]->Collapse(false);
    chart->OnExpansion = [](TObject*, TzqOcNode*, bool& allow) { allow = false; };
    chart->ScrollTo(0, 0);
    hidden->MakeVisible();
    EXPECT_FALSE(hidden->IsVisible());
    EXPECT_EQ(chart->LeftPos(), 0);
}

// Zoom shrinks the drawing strictly inside the client area: no scroll bar appears,
// whatever the window's shape and in both orientations.
TEST_F(ScrollTest, ZoomedChartFitsWithoutScrollBars)
{
    TzqOrgChart* chart = NewShownChart(240, 120);
    chart->SetColor(clWhite);
    chart->SetEditMode({TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap});
    const char* top[] = {"Board", "Audit"};
    for (const char* name : top) {
        TzqOcNode* t = chart->AddChild(nullptr, 0);
        t->AssignText(name);
        for (int i = 0; i < 4; ++i) {
            TzqOcNode* c = chart->AddChild(t, 0);
            c->AssignText("Team " + std::to_string(i + 1));
            c->SetColor(RGB(210, 230, 255));
            for (int j = 0; j < 2; ++j)
                chart->AddChild(c, 0)->AssignText("Group");
        }
    }
    chart->FullExpand();
    chart->GetFirstNode()->Items(3)->Collapse(false); // a collapsed node keeps its button
    chart->ScrollTo(10000, 10000);
    driver.PaintAll();
    ASSERT_TRUE(HasBar(chart, WS_VSCROLL));
    ASSERT_TRUE(HasBar(chart, WS_HSCROLL));

    struct Size {
        int w, h;
    };
    const Size sizes[] = {{240, 120}, {200, 100}, {160, 160}, {400, 90}, {90, 400}, {300, 47}, {1200, 600}};
    for (bool rotated : {false, true}) {
        chart->SetZoom(false);
        chart->SetRotated(rotated);
        for (const Size& s : sizes) {
            chart->SetZoom(false);
            form->SetBounds(0, 0, s.w, s.h);
            chart->SetBounds(0, 0, s.w, s.h);
            chart->ScrollTo(10000, 10000);
            chart->SetZoom(true);
            driver.PaintAll();
            EXPECT_FALSE(HasBar(chart, WS_VSCROLL)) << s.w << "x" << s.h << " rotated " << rotated;
            EXPECT_FALSE(HasBar(chart, WS_HSCROLL)) << s.w << "x" << s.h << " rotated " << rotated;
            EXPECT_EQ(chart->ClientWidth(), s.w);
            EXPECT_EQ(chart->ClientHeight(), s.h);
            EXPECT_LT(chart->TotalWidth(), s.w) << s.w << "x" << s.h << " rotated " << rotated;
            EXPECT_LT(chart->TotalHeight(), s.h) << s.w << "x" << s.h << " rotated " << rotated;
            EXPECT_EQ(chart->LeftPos(), 0);
            EXPECT_EQ(chart->TopPos(), 0);
        }
        // Resizing while zoomed keeps the drawing inside.
        for (const Size& s : sizes) {
            form->SetBounds(0, 0, s.w, s.h);
            chart->SetBounds(0, 0, s.w, s.h);
            driver.PaintAll();
            EXPECT_FALSE(HasBar(chart, WS_VSCROLL) || HasBar(chart, WS_HSCROLL)) << s.w << "x" << s.h;
            EXPECT_LT(chart->TotalWidth(), s.w) << s.w << "x" << s.h << " rotated " << rotated;
            EXPECT_LT(chart->TotalHeight(), s.h) << s.w << "x" << s.h << " rotated " << rotated;
        }
    }

    chart->SetZoom(false);
    chart->SetRotated(false);
    form->SetBounds(0, 0, 480, 170);
    chart->SetBounds(0, 0, 480, 170);
    chart->SetZoom(true);
    ASSERT_TRUE(chart->ScaleInEffect());
    EXPECT_TRUE(driver.SavePng(form->Handle(), std::string(ORGCHART_PNG_DIR) + "/orgchart-zoomed-fits.png"));
    EXPECT_FALSE(HasBar(chart, WS_VSCROLL));
    EXPECT_FALSE(HasBar(chart, WS_HSCROLL));
}
