// The node tree: linking, navigation, setters, expansion and collapse with their events,
// moving with its refusals, deletion with the selection moving on, and the sound
// handling of deletions that come back through event handlers.
#include "orgchart/tests/ChartFixture.h"

using NodeTest = ChartTest;

namespace {

std::vector<std::string> Captions(TzqOcNode* first, TzqOcNode* (TzqOcNode::*next)() const)
{
    std::vector<std::string> out;
    for (TzqOcNode* n = first; n; n = (n->*next)())
        out.push_back(n->StoredText());
    return out;
}

// A: (A1: A1a, A1b), A2; B
struct SmallTree {
    TzqOcNode *a = nullptr, *a1 = nullptr, *a1a = nullptr, *a1b = nullptr, *a2 = nullptr, *b = nullptr;
    SmallTree() = default;
    explicit SmallTree(TzqCustomOrgChart& c) { Build(c); }
    void Build(TzqCustomOrgChart& c)
    {
        a = c.AddChild(nullptr, 1);
        a1 = c.AddChild(a, 2);
        a1a = c.AddChild(a1, 3);
        a1b = c.AddChild(a1, 4);
        a2 = c.AddChild(a, 5);
        b = c.AddChild(nullptr, 6);
        for (auto [n, t] : {std::pair{a, "A"}, {a1, "A1"}, {a1a, "A1a"}, {a1b, "A1b"}, {a2, "A2"}, {b, "B"}})
            n->SetText(t);
    }
};

} // namespace

TEST_F(NodeTest, NewNodeTakesTheChartDefaultsAndFirstNodeIsSelectedWithOneChange)
{
    // The handlers count into variables that outlive the chart, whose destruction
    // fires them once more.
    int changes = 0, changings = 0;
    auto chart = NewChart();
    chart->SetDefaultImageAlign(TzqOcImageAlign::iaRC);
    chart->OnChange = [&](TObject*, TzqOcNode*) { ++changes; };
    chart->OnChanging = [&](TObject*, TzqOcNode*, bool&) { ++changings; };
    TzqOcNode* n = chart->AddChild(nullptr, 7);
    EXPECT_EQ(n->Align(), TzqOcNodeAlign::naCenter);
    EXPECT_EQ(n->Color(), clNone);
    EXPECT_EQ(n->ImageIndex(), -1);
    EXPECT_EQ(n->ImageAlign(), TzqOcImageAlign::iaRC);
    EXPECT_EQ(n->Data(), 7u);
    EXPECT_FALSE(n->Expanded());
    EXPECT_EQ(chart->Selected(), n);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changings, 0);
    chart->AddChild(nullptr, 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(NodeTest, NavigationWalksPreOrderAndSkipsCollapsedBranches)
{
    auto chart = NewChart();
    SmallTree t(*chart);
    EXPECT_EQ(Captions(chart->GetFirstNode(), &TzqOcNode::GetNext),
              (std::vector<std::string>{"A", "A1", "A1a", "A1b", "A2", "B"}));
    EXPECT_EQ(Captions(t.b, &TzqOcNode::GetPrev), (std::vector<std::string>{"B", "A2", "A1b", "A1a", "A1", "A"}));
    // Everything collapsed: only top-level nodes are shown.
    EXPECT_EQ(Captions(chart->GetFirstNode(), &TzqOcNode::GetNextVisible), (std::vector<std::string>{"A", "B"}));
    t.a->Expand(false);
    EXPECT_EQ(Captions(chart->GetFirstNode(), &TzqOcNode::GetNextVisible),
              (std::vector<std::string>{"A", "A1", "A2", "B"}));
    EXPECT_EQ(Captions(t.b, &TzqOcNode::GetPrevVisible), (std::vector<std::string>{"B", "A2", "A1", "A"}));
    // From a hidden node the walk starts at its nearest shown ancestor.
    EXPECT_EQ(t.a1a->GetNextVisible(), t.a2);
    EXPECT_FALSE(t.a1a->IsVisible());
    EXPECT_TRUE(t.a1->IsVisible());
    EXPECT_TRUE(t.a1a->HasAsParent(t.a));
    EXPECT_TRUE(t.a1a->HasAsParent(chart->RootNode()));
    EXPECT_TRUE(t.a1a->HasAsParent(nullptr));
    EXPECT_FALSE(t.a1a->HasAsParent(t.a1a));
    EXPECT_EQ(t.a1->Parent(), t.a);
    EXPECT_EQ(t.a->Parent(), nullptr);
    EXPECT_EQ(t.a->Items(2), nullptr);
    EXPECT_EQ(t.a->Items(-1), nullptr);
    EXPECT_EQ(chart->Items(5), nullptr);
}

TEST_F(NodeTest, SizeSettersRaiseToTheMinimumAndSkipUnchangedValues)
{
    struct Counting : TzqOrgChart {
        using TzqOrgChart::TzqOrgChart;
        int changed = 0;
        void NodeChanged(TzqOcNode*) override { ++changed; }
    } chart(nullptr);
    TzqOcNode* n = chart.AddChild(nullptr, 0);
    n->SetWidth(5);
    EXPECT_EQ(n->Width(), 16);
    EXPECT_EQ(chart.changed, 1);
    n->SetWidth(5); // still 16 after raising: nothing happens
    EXPECT_EQ(chart.changed, 1);
    n->SetWidth(0);
    EXPECT_EQ(n->Width(), 0);
    n->SetColor(clRed);
    n->SetColor(clRed);
    EXPECT_EQ(chart.changed, 3);
    // An unlinked node only stores.
    TzqOcNode loose(&chart);
    loose.SetWidth(3);
    EXPECT_EQ(loose.Width(), 16);
    EXPECT_EQ(chart.changed, 3);
}

TEST_F(NodeTest, TextGoesThroughTheGetAndSetHandlers)
{
    auto chart = NewChart();
    chart->SetEditMode({TzqOcEditModeFlag::emWrap});
    TzqOcNode* n = chart->AddChild(nullptr, 0);
    n->AssignText("Stored");
    EXPECT_EQ(n->Text(), "Stored");
    std::string handed;
    chart->OnGetText = [](TObject*, TzqOcNode*, std::string& t) { t = "From handler"; };
    chart->OnSetText = [&](TObject*, TzqOcNode*, const std::string& t) { handed = t; };
    EXPECT_EQ(n->Text(), "From handler");
    n->AssignText("New");
    EXPECT_EQ(handed, "New");
    EXPECT_EQ(n->StoredText(), "Stored");
    handed.clear();
    n->AssignText("From handler"); // equal to what is shown: nothing is written
    EXPECT_TRUE(handed.empty());
}

TEST_F(NodeTest, ExpandAndCollapseFireTheirEventsAndHonourRefusals)
{
    std::vector<std::string> log;
    bool refuse = false;
    auto chart = NewChart();
    SmallTree t(*chart);
    chart->OnExpansion = [&](TObject*, TzqOcNode* n, bool& allow) {
        log.push_back("expansion " + n->StoredText());
        allow = !refuse;
    };
    chart->OnExpanded = [&](TObject*, TzqOcNode* n) { log.push_back("expanded " + n->StoredText()); };
    chart->OnCollapsing = [&](TObject*, TzqOcNode* n, bool&) { log.push_back("collapsing " + n->StoredText()); };
    chart->OnCollapsed = [&](TObject*, TzqOcNode* n) { log.push_back("collapsed " + n->StoredText()); };

    t.b->Expand(false); // no children: nothing at all
    EXPECT_TRUE(log.empty());
    refuse = true;
    t.a->Expand(false);
    EXPECT_FALSE(t.a->Expanded());
    EXPECT_EQ(log, (std::vector<std::string>{"expansion A"}));
    refuse = false;
    log.clear();
    chart->FullExpand(); // children before parents
    EXPECT_EQ(log, (std::vector<std::string>{"expansion A1", "expanded A1", "expansion A", "expanded A"}));
    log.clear();
    t.a->Collapse(true); // the node first, then its descendants
    EXPECT_EQ(log, (std::vector<std::string>{"collapsing A", "collapsed A", "collapsing A1", "collapsed A1"}));
    EXPECT_TRUE(chart->RootNode()->Expanded());
}

TEST_F(NodeTest, MoveToPlacesByModeAndRefusesCyclesAndNoOps)
{
    auto chart = NewChart();
    SmallTree t(*chart);
    auto other = NewChart();
    TzqOcNode* foreign = other->AddChild(nullptr, 0);
    const auto order = [&] { return Captions(chart->GetFirstNode(), &TzqOcNode::GetNext); };
    const auto before = order();
    t.a1->MoveTo(t.a1a, TzqOcAttachMode::amAddChild); // into its own subtree
    t.a->MoveTo(t.a, TzqOcAttachMode::amAdd);
    t.a1->MoveTo(t.a2, TzqOcAttachMode::amInsert); // already just before A2
    t.a2->MoveTo(t.a1, TzqOcAttachMode::amAdd);    // already the last child
    t.a1->MoveTo(nullptr, TzqOcAttachMode::amInsert);
    t.a1->MoveTo(foreign, TzqOcAttachMode::amAddChild);
    EXPECT_EQ(order(), before);

    t.a2->MoveTo(t.a1, TzqOcAttachMode::amAddFirst);
    EXPECT_EQ(t.a2->Index(), 0);
    EXPECT_EQ(t.a1->Index(), 1);
    t.a1b->MoveTo(t.b, TzqOcAttachMode::amAddChildFirst);
    EXPECT_EQ(t.a1b->Parent(), t.b);
    t.b->MoveTo(nullptr, TzqOcAttachMode::amAddFirst); // top level, first
    EXPECT_EQ(chart->Items(0), t.b);
    t.a1a->MoveTo(t.a, TzqOcAttachMode::amInsert);
    EXPECT_EQ(chart->Items(1), t.a1a);
    // Losing the last child collapses a node.
    t.a1->Expand(false);
    EXPECT_FALSE(t.a1->Expanded()); // A1 lost both children above
    EXPECT_EQ(chart->Count(), 6);
}

TEST_F(NodeTest, MoveNodeRefusesCyclesEvenWithoutMoveTo)
{
    auto chart = NewChart();
    SmallTree t(*chart);
    chart->MoveNode(t.a1a, t.a, 0);
    chart->MoveNode(t.a, t.a, 0);
    EXPECT_EQ(t.a->Parent(), nullptr);
    EXPECT_EQ(t.a1a->Parent(), t.a1);
    chart->MoveNode(t.b, t.a1, 99); // an index past the end means the end
    EXPECT_EQ(t.b->GetLastChild(), t.a1);
    EXPECT_EQ(t.a->Count(), 1);
}

TEST_F(NodeTest, DeletionMovesTheSelectionAndFiresOnDeletionParentFirst)
{
    std::vector<std::string> deleted;
    auto chart = NewChart();
    SmallTree t(*chart);
    chart->OnDeletion = [&](TObject*, TzqOcNode* n) { deleted.push_back(n->StoredText()); };

    chart->SetSelected(t.a1);
    chart->DeleteNode(t.a1); // next sibling
    EXPECT_EQ(chart->Selected(), t.a2);
    EXPECT_EQ(deleted, (std::vector<std::string>{"A1", "A1a", "A1b"}));
    EXPECT_EQ(chart->Count(), 3);
    EXPECT_EQ(t.a2->Index(), 0);

    TzqOcNode* a3 = chart->AddChild(t.a, 0);
    chart->SetSelected(a3);
    chart->DeleteNode(a3); // last of several: previous sibling
    EXPECT_EQ(chart->Selected(), t.a2);
    t.a->Expand(false);
    chart->DeleteNode(t.a2); // only child: the parent, which collapses
    EXPECT_EQ(chart->Selected(), t.a);
    EXPECT_FALSE(t.a->Expanded());
    chart->DeleteNode(t.b);
    chart->DeleteNode(t.a); // the only top-level node: no selection
    EXPECT_EQ(chart->Selected(), nullptr);
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_TRUE(chart->RootNode()->Expanded());
}

TEST_F(NodeTest, DeletingALinkedNodeDirectlyDeletesItsSubtree)
{
    std::vector<std::string> deleted;
    auto chart = NewChart();
    SmallTree t(*chart);
    chart->OnDeletion = [&](TObject*, TzqOcNode* n) { deleted.push_back(n->StoredText()); };
    delete t.a1;
    EXPECT_EQ(deleted, (std::vector<std::string>{"A1", "A1a", "A1b"}));
    EXPECT_EQ(chart->Count(), 3);
    EXPECT_EQ(t.a->Count(), 1);
    EXPECT_EQ(t.a->Items(0), t.a2);
}

TEST_F(NodeTest, DeletionsComingBackThroughOnDeletionAreSound)
{
    // The handler reads the tree's nodes: they are named before the chart, whose
    // destruction fires the handler again.
    std::vector<std::string> deleted;
    SmallTree t;
    auto chart = NewChart();
    t.Build(*chart);
    // Deleting the same node, its parent, or a later sibling from inside the event.
    chart->OnDeletion = [&](TObject* s, TzqOcNode* n) {
        deleted.push_back(n->StoredText());
        if (n == t.a1a) {
            chart->DeleteNode(n);
            chart->DeleteNode(t.a1b); // a later sibling: its parent's deletion takes it
            chart->DeleteNode(t.a);   // an ancestor: deleted now, n finishes afterwards
        }
    };
    chart->DeleteNode(t.a1);
    // A is not being deleted, so the handler's DeleteNode(A) takes A and A2 at once;
    // A1 and A1a, already on their way, are finished by the deletion that began them.
    EXPECT_EQ(deleted, (std::vector<std::string>{"A1", "A1a", "A", "A2", "A1b"}));
    EXPECT_EQ(chart->Count(), 1);
    EXPECT_EQ(chart->GetFirstNode(), t.b);
    EXPECT_EQ(t.b->Index(), 0);
    int counted = 0;
    for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext())
        ++counted;
    EXPECT_EQ(chart->Count(), counted);
}

TEST_F(NodeTest, ClearDeletesEverythingAndDestroyingTheChartFiresOnDeletion)
{
    std::vector<std::string> log;
    {
        auto chart = NewChart();
        SmallTree t(*chart);
        chart->OnChange = [&](TObject*, TzqOcNode* n) { log.push_back(n ? "change " + n->StoredText() : "change none"); };
        chart->OnDeletion = [&](TObject*, TzqOcNode* n) { log.push_back("delete " + n->StoredText()); };
    }
    EXPECT_EQ(log, (std::vector<std::string>{"change none", "delete A", "delete A1", "delete A1a", "delete A1b",
                                             "delete A2", "delete B"}));
}
