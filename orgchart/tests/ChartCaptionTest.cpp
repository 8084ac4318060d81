// Captions: how a node grows to fit its caption by EditMode (wider unwrapped, taller
// with emGrow, unchanged when wrapped), the 65,535-pixel limit for a very long caption,
// and the scaled caption font of a zoomed chart, which never falls back to the default
// size when its height truncates to 0.
#include "orgchart/tests/ChartFixture.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

#include <string>
#include <vector>

using CaptionTest = ChartTest;

namespace {

// The size the chart's font needs for Text on one line, or wrapped into Width pixels.
TRect Needed(TzqOrgChart* chart, const std::string& Text, int Width)
{
    TBitmap measuring(1, 1);
    measuring.Canvas()->SetFont(*chart->Font());
    TRect r(0, 0, Width, 0);
    chart->DrawTextFlags(measuring.Canvas(), Text, DT_CALCRECT, r);
    return r;
}

} // namespace

TEST_F(CaptionTest, NodesGrowToFitTheirCaptionAsEditModeSays)
{
    auto chart = NewChart();
    const std::string caption = "Regional sales and marketing";
    using EM = TzqOcEditModeFlag;

    // Unwrapped: wider, so that the caption fits on one line (the text area of a
    // rectangle is the box less a pixel each side).
    chart->SetEditMode({});
    TzqOcNode* wide = chart->AddChild(nullptr, 0);
    wide->AssignText(caption);
    const int needed = Needed(chart.get(), caption, 63).Width();
    ASSERT_GT(needed, 63);
    EXPECT_GT(wide->Width(), 64);
    const int room = wide->Width() - 1;
    EXPECT_GE(room, needed);
    EXPECT_LE(room, needed + needed / 32 + 1); // the shortfall is scaled by 64 / 63
    EXPECT_EQ(wide->Height(), 0);

    // Wrapped and growing: taller instead, the width kept.
    chart->SetEditMode({EM::emWrap, EM::emGrow});
    TzqOcNode* tall = chart->AddChild(nullptr, 0);
    tall->AssignText(caption + " " + caption);
    EXPECT_EQ(tall->Width(), 0);
    EXPECT_GT(tall->Height(), 40);

    // Wrapped only: the box keeps its size.
    chart->SetEditMode({EM::emWrap});
    TzqOcNode* kept = chart->AddChild(nullptr, 0);
    kept->AssignText(caption + " " + caption);
    EXPECT_EQ(kept->Width(), 0);
    EXPECT_EQ(kept->Height(), 0);

    // An ellipse's text area is a fraction of its box: the box grows in proportion.
    chart->SetEditMode({});
    TzqOcNode* ellipse = chart->AddChild(nullptr, 0);
    ellipse->SetShape(TzqOcShape::shEllipse);
    ellipse->AssignText(caption);
    EXPECT_GT(ellipse->Width(), wide->Width());
}

// 10,000 characters need far more than 65,535 pixels on one line: the box is as wide
// as a node can be, not a width that wrapped around 16 bits.
TEST_F(CaptionTest, AVeryLongUnwrappedCaptionGivesTheWidestBox)
{
    auto chart = NewChart();
    chart->SetEditMode({});
    const std::string caption(10000, 'W');
    ASSERT_GT(Needed(chart.get(), caption, 63).Width(), 65535);
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->AssignText(caption);
    EXPECT_EQ(n->Width(), 65535);

    // Just past the limit from a smaller shortfall too.
    TzqOcNode* m = chart->AddChild(nullptr, 0);
    m->SetWidth(30000);
    m->AssignText(caption);
    EXPECT_EQ(m->Width(), 65535);
}

TEST_F(CaptionTest, AZoomedCaptionFontNeverFallsBackToTheDefaultSize)
{
    TzqOrgChart* chart = NewShownChart(300, 200);
    std::vector<int> heights;
    chart->OnSetFont = [&](TObject*, TzqOcNode*, TFont* font) { heights.push_back(font->Height()); };
    chart->AddChild(nullptr, 0)->AssignText("Only");
    driver.PaintAll();
    ASSERT_FALSE(heights.empty());
    const int full = chart->Font()->Height();
    ASSERT_NE(full, 0);
    EXPECT_EQ(heights.back(), full);

    // Half size: the font shrinks with the chart.
    chart->SetBounds(0, 0, 41, 200);
    chart->SetZoom(true);
    heights.clear();
    chart->Invalidate();
    driver.PaintAll();
    ASSERT_FALSE(heights.empty());
    EXPECT_EQ(heights.back(), chart->Scale(full));

    // A node 65,535 pixels square shrunk into 200: the box is still large but the
    // scaled font height truncates to 0, which as a font height would mean the default
    // size; the smallest size is drawn instead.
    chart->GetFirstNode()->SetWidth(65535);
    chart->GetFirstNode()->SetHeight(65535);
    chart->SetBounds(0, 0, 300, 200);
    ASSERT_TRUE(chart->ScaleInEffect());
    ASSERT_EQ(chart->Scale(full), 0);
    heights.clear();
    chart->Invalidate();
    driver.PaintAll();
    ASSERT_FALSE(heights.empty());
    for (int h : heights)
        ASSERT_EQ(h, full < 0 ? -1 : 1);
}
