// The node tree: display order, MoveTo, destruction, updates and focus.
#include "inspector/tests/InspectorFixture.h"

#include <algorithm>

namespace {

using M = TzqInspectorMoveMode;

class InspectorNodeTest : public InspectorTest {
protected:
    void SetUp() override
    {
        InspectorTest::SetUp();
        rows = AddRows(5);
        // R0 { R1 { R2 } }, R3, R4
        node(1)->MoveTo(node(0), M::imAddChild);
        node(2)->MoveTo(node(1), M::imAddChild);
        host->FullExpand();
    }
    TzqInspectorNode* node(int i) { return rows[static_cast<size_t>(i)]->Node(); }
    std::vector<TzqInspectorTextRow*> rows;
};

TEST_F(InspectorNodeTest, DisplayOrderWalksExpandedChildrenAndSkipsCollapsedOnes)
{
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"R0", "R1", "R2", "R3", "R4"}));
    EXPECT_EQ(node(2)->Level(), 2);
    EXPECT_EQ(node(2)->GetNext(), node(3));
    EXPECT_EQ(node(3)->GetPrev(), node(2));
    node(1)->Collapse();
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"R0", "R1", "R3", "R4"}));
    EXPECT_EQ(node(1)->GetNext(), node(3));
    host->FullCollapse();
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"R0", "R3", "R4"}));
}

TEST_F(InspectorNodeTest, MoveToRefusesItsThreeCasesAndChangesNothing)
{
    struct Case {
        const char* what;
        int moved;
        int destination; // -1: none
        M mode;
    } cases[] = {
        {"no destination", 3, -1, M::imAdd},
        {"into its own subtree", 0, 2, M::imAdd},
        {"child of its own child", 0, 1, M::imAddChild},
        {"itself as parent", 3, 3, M::imAddChild},
        {"inserted before itself", 3, 3, M::imInsert},
    };
    const auto before = LineNames();
    for (const Case& c : cases) {
        node(c.moved)->MoveTo(c.destination < 0 ? nullptr : node(c.destination), c.mode);
        EXPECT_EQ(LineNames(), before) << c.what;
    }
}

TEST_F(InspectorNodeTest, MoveToModesAttachWhereTheTableSays)
{
    struct Case {
        int moved;
        int destination;
        M mode;
        std::vector<std::string> order;
        int parentOfMoved; // -1: top level
    } cases[] = {
        {4, 2, M::imAdd, {"R0", "R1", "R2", "R4", "R3"}, 1},
        {4, 3, M::imAdd, {"R0", "R1", "R2", "R3", "R4"}, -1},
        {4, 3, M::imAddChild, {"R0", "R1", "R2", "R3", "R4"}, 3},
        {4, 1, M::imInsert, {"R0", "R4", "R1", "R2", "R3"}, 0},
        {4, 0, M::imInsert, {"R4", "R0", "R1", "R2", "R3"}, -1},
        {0, 0, M::imAdd, {"R3", "R4", "R0", "R1", "R2"}, -1},
    };
    for (const Case& c : cases) {
        SetUp();
        node(c.moved)->MoveTo(node(c.destination), c.mode);
        host->FullExpand();
        EXPECT_EQ(LineNames(), c.order) << "moving R" << c.moved;
        EXPECT_EQ(node(c.moved)->Parent(), c.parentOfMoved < 0 ? nullptr : node(c.parentOfMoved));
        EXPECT_EQ(host->FocusedNode(), node(c.moved));
        TearDown();
    }
    SetUp();
}

TEST_F(InspectorNodeTest, ParentLosingItsLastChildCollapses)
{
    ASSERT_TRUE(node(1)->Expanded());
    node(2)->MoveTo(node(3), M::imAdd);
    EXPECT_FALSE(node(1)->HasChildren());
    EXPECT_FALSE(node(1)->Expanded());
    // A child moved in again is made visible, which expands it.
    node(4)->MoveTo(node(1), M::imAddChild);
    EXPECT_TRUE(node(1)->Expanded());
}

TEST_F(InspectorNodeTest, DestroyedNodeHandsTopAndFocusToThePrecedingLine)
{
    host->SetFocusedNode(node(3));
    host->SetTopIndex(0);
    rows[3]->SetVisible(false);
    EXPECT_EQ(host->FocusedNode(), node(2));
    // Without a preceding line the following one takes over.
    host->SetFocusedNode(node(0));
    rows[0]->SetVisible(false); // takes R1 and R2 with it
    EXPECT_EQ(host->FocusedNode(), node(4));
    EXPECT_EQ(host->TopNode(), node(4));
    EXPECT_EQ(node(1), nullptr);
    rows[4]->SetVisible(false);
    EXPECT_EQ(host->FocusedNode(), nullptr);
    EXPECT_EQ(host->TopNode(), nullptr);
    EXPECT_EQ(host->Count(), 0);
    // Shown again, a row comes back at the end of the top level.
    rows[3]->SetVisible(true);
    rows[0]->SetVisible(true);
    EXPECT_EQ(LineNames(), (std::vector<std::string>{"R3", "R0"}));
}

TEST_F(InspectorNodeTest, ChangeNodeFiresOutsideUpdatesOnly)
{
    std::vector<std::pair<TzqInspectorNode*, TzqInspectorNode*>> changes;
    host->OnChangeNode = [&](TObject*, TzqInspectorNode* o, TzqInspectorNode* n) { changes.emplace_back(o, n); };
    host->SetFocusedNode(node(0));
    changes.clear();
    host->BeginUpdate();
    host->SetFocusedNode(node(3));
    host->EndUpdate();
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(host->FocusedNode(), node(3));
    host->SetFocusedNode(node(4));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(node(3), node(4)));
    host->SetFocusedNode(node(4));
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(InspectorNodeTest, FocusedIndexClampsAndFiresClickOnChange)
{
    int clicks = 0;
    host->OnClick = [&](TObject*) { ++clicks; };
    host->SetFocusedIndex(99);
    EXPECT_EQ(host->FocusedIndex(), 4);
    EXPECT_EQ(clicks, 1);
    host->SetFocusedIndex(4);
    EXPECT_EQ(clicks, 1);
    host->SetFocusedIndex(-3);
    EXPECT_EQ(host->FocusedNode(), node(0));
    EXPECT_EQ(clicks, 2);
}

TEST_F(InspectorNodeTest, FocusingAHiddenNodeExpandsItsAncestors)
{
    host->FullCollapse();
    host->SetFocusedNode(node(2));
    EXPECT_TRUE(node(0)->Expanded());
    EXPECT_TRUE(node(1)->Expanded());
    EXPECT_EQ(host->FocusedIndex(), 2);
}

} // namespace
