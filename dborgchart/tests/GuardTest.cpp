// Re-entrancy and lifetime: errors inside a load, the table closed or refiltered while
// the chart loads, tree changes made while a write-back runs, and the data source or
// the table going away under a bound chart.
#include "dborgchart/tests/DbChartFixture.h"

#include "platform/core/Exception.h"

namespace {

using GuardTest = DbChartTest;

const char* const kRecords = "INSERT INTO ARBOLO (ID, PARENT, NAME, \"ORDER\") VALUES (1, NULL, 'a', 0), (2, 1, 'b', 0),"
                             "(3, NULL, 'c', 1), (4, 3, 'd', 0);";

TEST_F(GuardTest, AnErrorInsideALoadReachesTheCallerAndRestoresTheGuards)
{
    Sql(std::string(kArboloSchema) + kRecords);
    bool fail = true;
    try {
        Open([&](TestDbOrgChart& c) {
            c.OnLoadNode = [&](TObject*, TzqOcNode* n) {
                if (fail && static_cast<TzqDbOcNode*>(n)->Key().AsInteger() == 3)
                    throw Exception("the handler failed");
            };
        });
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "the handler failed");
    }
    EXPECT_TRUE(chart->SyncEnabled());
    EXPECT_FALSE(table->ControlsDisabled());
    fail = false;
    table->Refresh();
    EXPECT_EQ(Tree(), "1(2),3(4)");
    ExpectConsistent();
}

TEST_F(GuardTest, ClosingOrRefilteringTheTableWhileTheChartLoadsWaitsForTheLoadToEnd)
{
    Sql(std::string(kArboloSchema) + kRecords);
    struct Case {
        const char* what;
        std::function<void()> duringLoad;
        const char* tree;
    };
    const Case cases[] = {
        {"closed", [this] { table->Close(); }, ""},
        {"refiltered",
         [this] {
             table->SetFilter("ID <> 4");
             table->SetFiltered(true);
         },
         "1(2),3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool done = false;
        Open([&](TestDbOrgChart& chart) {
            chart.OnLoadNode = [&](TObject*, TzqOcNode*) {
                if (!std::exchange(done, true))
                    c.duringLoad();
            };
        });
        EXPECT_TRUE(done);
        EXPECT_EQ(Tree(), c.tree);
        EXPECT_TRUE(chart->SyncEnabled());
        if (table->Active())
            ExpectConsistent(c.what);
        chart->OnLoadNode = nullptr;
    }
}

TEST_F(GuardTest, ATreeChangeMadeWhileAWriteBackRunsChangesTheChartOnly)
{
    Sql(std::string(kPlainKeySchema) + "INSERT INTO ARBOLO VALUES (1, NULL, 'a', 0);");
    Open([this](TestDbOrgChart& c) {
        c.OnNewKey = [this](TObject*, Variant, Variant&) {
            chart->OnNewKey = nullptr;
            chart->AddChild(nullptr, 0); // inside the insert's write-back
        };
    });
    chart->AddChild(Node(1), 0);
    EXPECT_EQ(chart->Count(), 3);
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "1,2");
    // The node made inside has no record; the next load removes it.
    table->Refresh();
    EXPECT_EQ(Tree(), "1(2)");
    ExpectConsistent();
}

TEST_F(GuardTest, TheChartLetsGoOfADataSourceOrTableThatGoesAway)
{
    Sql(std::string(kArboloSchema) + kRecords);
    Open();
    ASSERT_EQ(chart->Count(), 4);
    source.reset();
    EXPECT_EQ(chart->DataSource(), nullptr);
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_FALSE(chart->IsReady());

    Open();
    table.reset(); // the data source and the chart stay
    EXPECT_EQ(chart->Count(), 0);
    EXPECT_EQ(chart->DataSet(), nullptr);
    EXPECT_EQ(chart->AddChild(nullptr, 0), nullptr);
}

TEST_F(GuardTest, FreeingANodeDirectlyDeletesItsBranchAndRecords)
{
    Sql(std::string(kArboloSchema) + kRecords);
    Open();
    delete Node(3);
    EXPECT_EQ(Tree(), "1(2)");
    EXPECT_EQ(Query("SELECT group_concat(ID) FROM ARBOLO"), "1,2");
    ExpectConsistent();
}

} // namespace
