// Finding nodes by caption: tree order both ways, wrapping, collapsed branches, case
// and accents, and bringing the found node into view.
#include "orgchart/tests/ChartFixture.h"

#include <random>

using ChartFindTest = ChartTest;

namespace {

struct SampleTree {
    // Board
    //   José Pérez (collapsed)
    //     Ángela Ruiz
    //   Sales
    //     Jose Luis
    // Straße Team
    TzqOcNode *Board, *Jose, *Angela, *Sales, *JoseLuis, *Strasse;

    explicit SampleTree(TzqCustomOrgChart& c)
    {
        Board = c.AddChild(nullptr, 0);
        Board->AssignText("Board");
        Jose = c.AddChild(Board, 0);
        Jose->AssignText("José Pérez");
        Angela = c.AddChild(Jose, 0);
        Angela->AssignText("Ángela Ruiz");
        Sales = c.AddChild(Board, 0);
        Sales->AssignText("Sales");
        JoseLuis = c.AddChild(Sales, 0);
        JoseLuis->AssignText("Jose Luis");
        Strasse = c.AddChild(nullptr, 0);
        Strasse->AssignText("Straße Team");
        Board->Expand(false);
        Sales->Expand(false);
        Jose->Collapse(false);
    }
};

} // namespace

TEST_F(ChartFindTest, FindsInTreeOrderBothWaysWrappingRoundAndInsideCollapsedBranches)
{
    auto chart = NewChart();
    SampleTree t(*chart);
    const std::string longText(10000, 'x');
    struct Case {
        const char* Name;
        std::string Text;
        TzqOcNode* From;
        bool Forward;
        bool IncludeFrom;
        TzqOcNode* Expected;
        bool Wrapped;
    } cases[] = {
        {"from nothing", "jose", nullptr, true, false, t.Jose, false},
        {"the next one", "jose", t.Jose, true, false, t.JoseLuis, false},
        {"going round", "jose", t.JoseLuis, true, false, t.Jose, true},
        {"backwards round", "jose", t.Jose, false, false, t.JoseLuis, true},
        {"backwards from nothing", "JOSE", nullptr, false, false, t.JoseLuis, false},
        {"typing keeps the current", "jos", t.Jose, true, true, t.Jose, false},
        {"inside a collapsed branch", "angela", nullptr, true, false, t.Angela, false},
        {"a sharp s", "STRASSE", t.Board, true, false, t.Strasse, false},
        {"the only match again", "sales", t.Sales, true, false, t.Sales, true},
        {"no match", "nobody", t.Sales, true, true, nullptr, false},
        {"empty text", "", t.Sales, true, true, nullptr, false},
        {"a very long text", longText, nullptr, true, false, nullptr, false},
        {"every node matches", "e", t.Strasse, true, false, t.Jose, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        bool wrapped = !c.Wrapped;
        EXPECT_EQ(chart->FindNode(c.Text, c.From, c.Forward, c.IncludeFrom, &wrapped), c.Expected);
        EXPECT_EQ(wrapped, c.Wrapped);
    }
}

TEST_F(ChartFindTest, ACaptionGivenByTheTextHandlerIsTheOneSearched)
{
    auto chart = NewChart();
    SampleTree t(*chart);
    chart->OnGetText = [&](TObject*, TzqOcNode* Node, std::string& Text) {
        if (Node == t.Sales)
            Text = "Ventas";
    };
    EXPECT_EQ(chart->FindNode("ventas", nullptr, true, false), t.Sales);
    EXPECT_EQ(chart->FindNode("sales", nullptr, true, false), nullptr);
}

TEST_F(ChartFindTest, RevealingANodeExpandsItsAncestorsAndSelectsIt)
{
    auto chart = NewChart();
    SampleTree t(*chart);
    ASSERT_FALSE(t.Angela->IsVisible());
    chart->RevealNode(t.Angela);
    EXPECT_TRUE(t.Jose->Expanded());
    EXPECT_TRUE(t.Angela->IsVisible());
    EXPECT_EQ(chart->Selected(), t.Angela);
}

TEST_F(ChartFindTest, MatchesFarAwayAreFoundAsAWalkAlongTheTreeFindsThem)
{
    // A tree of thousands of nodes, so that the search goes beyond the nodes close to
    // its start: its answers are compared with a plain walk in tree order, going round.
    auto chart = NewChart();
    std::mt19937 rng(11);
    std::vector<TzqOcNode*> nodes;
    for (int i = 0; i < 20000; ++i) {
        TzqOcNode* parent = nodes.empty() || i % 7 == 0 ? nullptr : nodes[rng() % nodes.size()];
        TzqOcNode* n = chart->AddChild(parent, 0);
        n->AssignText("Node " + std::to_string(i));
        nodes.push_back(n);
    }
    for (int i : {17, 2500, 4500, 8800, 12000, 15555, 19990})
        nodes[size_t(i)]->AssignText("Target " + std::to_string(i));
    if (TzqOcNode* parent = nodes[4500]->Parent())
        parent->Collapse(false);

    auto walk = [&](const std::string& text, TzqOcNode* from, bool forward, bool include, bool& wrapped) -> TzqOcNode* {
        auto step = [&](TzqOcNode* n) { return forward ? n->GetNext() : n->GetPrev(); };
        TzqOcNode* first = forward ? chart->GetFirstNode() : chart->GetLastNode();
        auto hit = [&](TzqOcNode* n) {
            std::string lower = n->Text();
            for (char& c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return lower.find(text) != std::string::npos;
        };
        wrapped = false;
        for (TzqOcNode* n = include ? from : step(from); n; n = step(n)) {
            if (hit(n))
                return n;
        }
        wrapped = true;
        for (TzqOcNode* n = first; n; n = step(n)) {
            if (n == from && include)
                return nullptr;
            if (hit(n))
                return n;
            if (n == from)
                return nullptr;
        }
        return nullptr;
    };

    const char* patterns[] = {"target", "node 19999", "absent", "node 1", "target 1"};
    for (int trial = 0; trial < 60; ++trial) {
        const std::string text = patterns[trial % 5];
        TzqOcNode* from = nodes[rng() % nodes.size()];
        const bool forward = rng() % 2 == 0;
        const bool include = rng() % 3 == 0;
        SCOPED_TRACE(text + (forward ? " forwards" : " backwards") + (include ? " from the node" : " after the node") +
                     " from " + from->Text());
        bool expectedWrapped = false;
        TzqOcNode* expected = walk(text, from, forward, include, expectedWrapped);
        bool wrapped = !expectedWrapped;
        EXPECT_EQ(chart->FindNode(text, from, forward, include, &wrapped), expected);
        if (expected) {
            EXPECT_EQ(wrapped, expectedWrapped);
        }
    }
}
