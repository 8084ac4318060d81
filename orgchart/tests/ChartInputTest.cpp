// Mouse and keyboard: selecting by clicking a shape (subject to OnChanging), buttons
// that expand without selecting and move a selection out of a branch they collapse,
// double clicks, the keyboard walks past refused nodes, insertion and deletion by key,
// and + and -.
#include "orgchart/tests/ChartFixture.h"
#include "platform/core/VirtualKeys.h"

#include <map>
#include <set>
#include <string>

namespace {

// A (expanded): A1, A2 (collapsed, with A2a), A3; B (collapsed, an ellipse): B1.
// Pre-order: A, A1, A2, A2a, A3, B, B1.
class InputTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        chart = NewShownChart(400, 300);
        auto add = [&](const std::string& name, TzqOcNode* parent) {
            TzqOcNode* n = chart->AddChild(parent, 0);
            n->AssignText(name);
            nodes[name] = n;
            names[n] = name;
            return n;
        };
        TzqOcNode* a = add("A", nullptr);
        add("A1", a);
        add("A2a", add("A2", a));
        add("A3", a);
        TzqOcNode* b = add("B", nullptr);
        b->SetShape(TzqOcShape::shEllipse);
        add("B1", b);
        a->Expand(false);
        chart->OnChanging = [this](TObject*, TzqOcNode* n, bool& allow) {
            if (refuseAll || refused.count(names[n]))
                allow = false;
        };
        chart->OnChange = [this](TObject*, TzqOcNode* n) { events.push_back("change " + (n ? names[n] : "none")); };
        chart->OnCollapsed = [this](TObject*, TzqOcNode* n) { events.push_back("collapsed " + names[n]); };
        driver.PaintAll();
    }

    std::string SelectedName() { return chart->Selected() ? names[chart->Selected()] : "none"; }
    // The middle of a node's box, and the middle of its button.
    TPoint Centre(TzqOcNode* n)
    {
        const TRect s = chart->NodeSlotRect(n);
        return {s.Left + s.Width() / 2, s.Top + 16 + (s.Height() - 16) / 2};
    }
    TPoint Button(TzqOcNode* n)
    {
        const TRect s = chart->NodeSlotRect(n);
        return {s.Left + s.Width() / 2, s.Bottom - 1};
    }
    void Click(TPoint p) { driver.ClickAt(chart->Handle(), p); }
    void Focus()
    {
        chart->SetFocus();
        driver.Pump();
    }

    TzqOrgChart* chart = nullptr;
    std::map<std::string, TzqOcNode*> nodes;
    std::map<TzqOcNode*, std::string> names;
    std::set<std::string> refused;
    bool refuseAll = false;
    std::vector<std::string> events;
};

} // namespace

TEST_F(InputTest, ClickingAShapeSelectsItWhenChangingAllows)
{
    Click(Centre(nodes["A1"]));
    EXPECT_EQ(SelectedName(), "A1");
    EXPECT_TRUE(chart->Focused());

    // The corner of B's bounding box lies outside the ellipse: on the rectangle only.
    const TRect b = chart->NodeSlotRect(nodes["B"]);
    const TPoint corner{b.Left + 1, b.Top + 17};
    EXPECT_EQ(chart->GetHitTestInfoAt(corner.X, corner.Y), TzqOcHitTests{TzqOcHitTest::htOnRect});
    Click(corner);
    EXPECT_EQ(SelectedName(), "A1");
    Click(Centre(nodes["B"]));
    EXPECT_EQ(SelectedName(), "B");

    refused = {"A3"};
    Click(Centre(nodes["A3"]));
    EXPECT_EQ(SelectedName(), "B");
    // Clicking the gap above a box, or the empty area, selects nothing.
    Click({Centre(nodes["A1"]).X, chart->NodeSlotRect(nodes["A1"]).Top + 4});
    Click({390, 290});
    EXPECT_EQ(SelectedName(), "B");
}

TEST_F(InputTest, ButtonsToggleWithoutSelectingAndCollapsingMovesTheSelectionOut)
{
    chart->SetSelected(nodes["A1"]);
    Click(Button(nodes["B"]));
    EXPECT_TRUE(nodes["B"]->Expanded());
    EXPECT_EQ(SelectedName(), "A1");

    nodes["A2"]->Expand(false);
    chart->SetSelected(nodes["A2a"]);
    events.clear();
    Click(Button(nodes["A"]));
    EXPECT_FALSE(nodes["A"]->Expanded());
    EXPECT_EQ(SelectedName(), "A");
    EXPECT_EQ(events, (std::vector<std::string>{"change A", "collapsed A"}));

    // A refused node is not selected but its button still works; the selection then
    // stays where it was, inside the collapsed branch.
    nodes["A"]->Expand(false);
    chart->SetSelected(nodes["A2a"]);
    refused = {"A"};
    Click(Button(nodes["A"]));
    EXPECT_FALSE(nodes["A"]->Expanded());
    EXPECT_EQ(SelectedName(), "A2a");

    // Collapsing a node that does not hold the selection leaves the selection alone.
    refused.clear();
    Click(Button(nodes["A"]));
    ASSERT_TRUE(nodes["A"]->Expanded());
    chart->SetSelected(nodes["B1"]);
    Click(Button(nodes["A"]));
    EXPECT_FALSE(nodes["A"]->Expanded());
    EXPECT_EQ(SelectedName(), "B1");
}

TEST_F(InputTest, DoubleClickOnAShapeTogglesOnlyWithDblClick)
{
    int doubleClicks = 0;
    chart->OnDblClick = [&](TObject*) { ++doubleClicks; };
    TzqOcNode* b = nodes["B"];
    driver.DoubleClickAt(chart->Handle(), Centre(b));
    EXPECT_TRUE(b->Expanded());
    EXPECT_EQ(SelectedName(), "B");
    driver.DoubleClickAt(chart->Handle(), Centre(b));
    EXPECT_FALSE(b->Expanded());
    EXPECT_EQ(doubleClicks, 2);

    // On the button the first press toggles; the double click does not toggle back.
    driver.DoubleClickAt(chart->Handle(), Button(b));
    EXPECT_TRUE(b->Expanded());
    b->Collapse(false);

    chart->SetOptions(chart->Options() - TzqOcOption::ocDblClick);
    driver.DoubleClickAt(chart->Handle(), Centre(b));
    EXPECT_FALSE(b->Expanded());
    EXPECT_EQ(doubleClicks, 4);
}

TEST_F(InputTest, ArrowKeysWalkThroughShownNodesPastRefusedOnes)
{
    struct Case {
        const char* from;
        WORD key;
        unsigned modifiers;
        std::set<std::string> refused;
        const char* to;
    };
    const Case cases[] = {
        {"A1", VK_RIGHT, 0, {}, "A2"},
        {"A", VK_RIGHT, 0, {}, "B"},
        {"A3", VK_RIGHT, 0, {}, "B"}, // last child of an expanded node: next shown in pre-order
        {"B", VK_RIGHT, 0, {}, "B"},  // nothing shown after it
        {"A1", VK_RIGHT, 0, {"A2"}, "A3"},
        {"A1", VK_RIGHT, 0, {"A2", "A3"}, "B"},
        {"A3", VK_LEFT, 0, {}, "A2"},
        {"A1", VK_LEFT, 0, {}, "A"}, // no previous sibling: the previous shown node
        {"B", VK_LEFT, 0, {"A"}, "A3"},
        {"A", VK_DOWN, 0, {}, "A1"},
        {"A2", VK_DOWN, 0, {}, "A3"}, // A2a is hidden
        {"A", VK_DOWN, 0, {"A1"}, "A2"},
        {"A", VK_DOWN, 0, {"A1", "A2", "A3", "B"}, "A"},
        {"B", VK_UP, 0, {}, "A3"},
        {"A1", VK_UP, 0, {}, "A"},
        {"A", VK_UP, 0, {}, "A"},
        {"A3", VK_UP, 0, {"A2", "A1"}, "A"},
        {"A", VK_DOWN, THeadlessDriver::Shift, {}, "A"}, // with a modifier: no walk
        {"A", VK_DOWN, THeadlessDriver::Ctrl, {}, "A"},
    };
    Focus();
    for (const Case& c : cases) {
        refused.clear();
        chart->SetSelected(nodes[c.from]);
        refused = c.refused;
        events.clear();
        driver.PressKey(c.key, c.modifiers);
        EXPECT_EQ(SelectedName(), c.to) << c.from << " key " << c.key;
        // One change when the selection moved, none when it stayed.
        EXPECT_EQ(events.size(), std::string(c.from) == c.to ? 0u : 1u) << c.from << " key " << c.key;
    }
    chart->SetSelected(nullptr);
    driver.PressKey(VK_DOWN);
    EXPECT_EQ(SelectedName(), "none");
}

TEST_F(InputTest, InsertAndDeleteKeysWorkOnlyWithInsDel)
{
    Focus();
    chart->SetSelected(nodes["A1"]);
    for (auto [key, modifiers] : {std::pair{VK_INSERT, 0u}, {VK_INSERT, unsigned(THeadlessDriver::Ctrl)},
                                  {VK_DELETE, 0u}}) {
        driver.PressKey(key, modifiers);
        EXPECT_EQ(chart->Count(), 7) << key;
    }
    EXPECT_EQ(SelectedName(), "A1");

    chart->SetOptions(chart->Options() + TzqOcOption::ocInsDel);
    TzqOcNode* a = nodes["A"];
    // Insertion selects the new node without asking OnChanging.
    refuseAll = true;
    driver.PressKey(VK_INSERT);
    ASSERT_EQ(chart->Count(), 8);
    EXPECT_EQ(chart->Selected(), a->Items(1)); // between A1 and A2
    EXPECT_EQ(a->Items(0), nodes["A1"]);
    EXPECT_EQ(a->Items(2), nodes["A2"]);

    refuseAll = false;
    chart->SetSelected(nodes["A3"]);
    driver.PressKey(VK_INSERT);
    EXPECT_EQ(chart->Selected(), a->GetLastChild()); // after the last child
    EXPECT_EQ(a->Items(a->Count() - 2), nodes["A3"]);

    TzqOcNode* a2 = nodes["A2"];
    chart->SetSelected(a2);
    driver.PressKey(VK_INSERT, THeadlessDriver::Ctrl);
    ASSERT_EQ(a2->Count(), 2);
    EXPECT_EQ(chart->Selected(), a2->GetLastChild());
    EXPECT_TRUE(a2->Expanded()); // brought into view
    EXPECT_EQ(chart->Count(), 10);

    // Delete takes the selected node; the selection goes to its previous sibling here.
    driver.PressKey(VK_DELETE);
    EXPECT_EQ(chart->Count(), 9);
    EXPECT_EQ(SelectedName(), "A2a");
    chart->SetSelected(nodes["A"]);
    driver.PressKey(VK_DELETE);
    EXPECT_EQ(chart->Count(), 2);
    EXPECT_EQ(SelectedName(), "B");

    // No selection in a chart with nodes: nothing; an empty chart: a first top-level node.
    chart->SetSelected(nullptr);
    driver.PressKey(VK_INSERT);
    driver.PressKey(VK_INSERT, THeadlessDriver::Ctrl);
    driver.PressKey(VK_DELETE);
    EXPECT_EQ(chart->Count(), 2);
    chart->Clear();
    driver.PressKey(VK_INSERT);
    ASSERT_EQ(chart->Count(), 1);
    EXPECT_EQ(chart->Selected(), chart->GetFirstNode());
}

TEST_F(InputTest, PlusAndMinusExpandAndCollapseTheSelectedNode)
{
    Focus();
    TzqOcNode* a2 = nodes["A2"];
    chart->SetSelected(a2);
    driver.PressKey(VK_ADD);
    EXPECT_TRUE(a2->Expanded());
    driver.PressKey(VK_SUBTRACT);
    EXPECT_FALSE(a2->Expanded());
    driver.PressKey(VK_OEM_PLUS, THeadlessDriver::Shift);
    EXPECT_TRUE(a2->Expanded());
    chart->SetSelected(nullptr);
    driver.PressKey(VK_SUBTRACT);
    EXPECT_TRUE(a2->Expanded());
}
