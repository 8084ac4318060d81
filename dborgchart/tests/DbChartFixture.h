// Shared fixture of the data-bound chart tests: a headless application, a table file in
// a temporary folder, a table, a data source and a chart bound to it, and helpers that
// describe the chart's tree and check that the chart agrees with the dataset.
#pragma once

#include "dborgchart/DbOrgChart.h"
#include "dborgchart/OcDataLink.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/data/Table.h"
#include "platform/data/tests/TestTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

// Variants compare in the tests by identity: same type, same value.
inline bool operator==(const Variant& a, const Variant& b)
{
    return a.IsIdentical(b);
}

// The chart with the selection a user makes (asking Changing first) reachable.
class TestDbOrgChart : public TzqDbOrgChart {
public:
    using TzqDbOrgChart::TzqDbOrgChart;
    using TzqDbOrgChart::SelectByUser;
    using TzqDbOrgChart::NodeChanged;
};

// Layouts of test tables. The demonstration layout (auto-increment key) is
// kArboloSchema; these have a plain integer key the chart makes itself.
inline const char* const kPlainKeySchema =
    "CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, PARENT INTEGER, NAME VARCHAR(100), \"ORDER\" INTEGER);";
inline const char* const kRequiredParentSchema =
    "CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY, PARENT INTEGER NOT NULL, NAME VARCHAR(100), \"ORDER\" INTEGER);";

class DbChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        folder = dir.Path();
        file = folder + "/ARBOLO.DB";
    }
    void TearDown() override
    {
        if (chart)
            chart->SetParent(nullptr);
        Reset();
        app.reset();
    }

    // Drops the chart, the data source and the table.
    void Reset()
    {
        chart.reset();
        source.reset();
        table.reset();
    }

    void Sql(const std::string& sql) { ExecSql(file, sql); }
    std::string Query(const std::string& sql) { return QuerySql(file, sql); }

    // Makes the table, the data source and the chart bound the way the demonstration
    // binds them (key, parent, caption, order, image), lets `configure` adjust the
    // chart, then opens the table.
    void Open(const std::function<void(TestDbOrgChart&)>& configure = {})
    {
        Reset();
        table = std::make_unique<TTable>();
        table->SetDatabaseName(folder);
        table->SetTableName("ARBOLO.DB");
        source = std::make_unique<TDataSource>(table.get());
        chart = std::make_unique<TestDbOrgChart>(nullptr);
        chart->SetKeyFieldName("ID");
        chart->SetParentFieldName("PARENT");
        chart->SetTextFieldName("NAME");
        chart->SetOrderFieldName("ORDER");
        if (configure)
            configure(*chart);
        chart->SetDataSource(source.get());
        table->Open();
    }

    // For `Open`'s configure step: the chart fills a shown 600 x 400 form, borderless,
    // with the insert and delete keys on (the form goes with the application).
    void PutOnForm(TestDbOrgChart& c)
    {
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 600, 400);
        c.SetParent(form);
        c.SetBounds(0, 0, 600, 400);
        c.SetBorderStyle(TBorderStyle::bsNone);
        c.SetOptions(c.Options() + TzqOcOption::ocInsDel);
        form->Show();
    }

    TzqDbOcNode* Node(const Variant& key) const { return chart->FindNodeByKey(key); }
    TzqDbOcNode* Node(int key) const { return chart->FindNodeByKey(Variant(key)); }

    // The tree by keys: siblings separated by commas, children in parentheses.
    std::string Tree() const { return Describe(chart->RootNode(), [](TzqDbOcNode* n) { return n->Key().AsString(); }); }
    // The tree by captions.
    std::string Captions() const { return Describe(chart->RootNode(), [](TzqDbOcNode* n) { return n->Text(); }); }

    static std::string Describe(TzqOcNode* parent, const std::function<std::string(TzqDbOcNode*)>& label)
    {
        std::string out;
        for (int i = 0; i < parent->Count(); ++i) {
            auto* n = static_cast<TzqDbOcNode*>(parent->Items(i));
            if (i)
                out += ',';
            out += label(n);
            if (n->Count())
                out += '(' + Describe(n, label) + ')';
        }
        return out;
    }

    // The chart agrees with the dataset: the key index holds every node once, sorted;
    // every node's record index leads to a record with its key; the last index is the
    // dataset's last record; the guard is on.
    void ExpectConsistent(const char* where = "") const
    {
        SCOPED_TRACE(where);
        EXPECT_TRUE(chart->SyncEnabled());
        EXPECT_FALSE(table->ControlsDisabled());
        EXPECT_EQ(chart->LastIndex(), table->RecordCount() - 1);
        EXPECT_EQ(chart->CurrentIndex(), table->RecNo() - 1);
        const auto indexed = chart->KeyIndex().Nodes();
        EXPECT_EQ(int(indexed.size()), chart->Count());
        EXPECT_TRUE(std::is_sorted(indexed.begin(), indexed.end(), [](TzqDbOcNode* a, TzqDbOcNode* b) {
            return VarCompareTotal(a->Key(), b->Key()) < 0;
        }));
        int walked = 0;
        for (TzqOcNode* n = chart->GetFirstNode(); n; n = n->GetNext()) {
            auto* node = static_cast<TzqDbOcNode*>(n);
            ++walked;
            EXPECT_NE(std::find(indexed.begin(), indexed.end(), node), indexed.end()) << node->Key();
            const int index = node->RecordIndex();
            ASSERT_TRUE(index >= 0 && index < table->RecordCount()) << node->Key() << " at " << index;
            EXPECT_TRUE(VarEquals(table->ValueAt(index, chart->KeyField()), node->Key())) << node->Key();
        }
        EXPECT_EQ(walked, chart->Count());
    }

    // Moves the table's cursor to the record with this ID, as another control would.
    void GoToRecord(int id) { ASSERT_TRUE(table->Locate("ID", Variant(id))); }

    TempDir dir;
    // Where the table file is: `dir` unless a test puts it elsewhere in SetUp.
    std::string folder;
    std::string file;
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    std::unique_ptr<TTable> table;
    std::unique_ptr<TDataSource> source;
    std::unique_ptr<TestDbOrgChart> chart;
    TForm* form = nullptr;
};
