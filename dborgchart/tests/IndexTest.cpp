// The chart's two indexes: record positions (checked against a plain list under random
// changes) and the key index (keys of mixed kinds, many keys in any order, nodes added
// and removed while the chart is edited).
#include "dborgchart/tests/DbChartFixture.h"

#include <numeric>
#include <random>

namespace {

TEST(RecordPositionsTest, AgreesWithAPlainListUnderRandomChanges)
{
    TzqOcRecordPositions positions;
    std::vector<TzqOcRecordPositions::Slot> model;
    std::mt19937 rng(7);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int step = 0; step < 20000; ++step) {
        const int size = int(model.size());
        switch (size == 0 ? 0 : pick(5)) {
        case 0:
            model.push_back(positions.Append());
            break;
        case 1: {
            const int at = pick(size + 1);
            model.insert(model.begin() + at, positions.InsertAt(at));
            break;
        }
        case 2: {
            const int at = pick(size);
            positions.Erase(model[size_t(at)]);
            model.erase(model.begin() + at);
            break;
        }
        case 3: {
            const int from = pick(size), to = pick(size);
            const auto slot = model[size_t(from)];
            positions.MoveTo(slot, to);
            model.erase(model.begin() + from);
            model.insert(model.begin() + to, slot);
            break;
        }
        default: {
            const int at = pick(size);
            ASSERT_EQ(positions.PositionOf(model[size_t(at)]), at) << "step " << step;
            ASSERT_EQ(positions.At(at), model[size_t(at)]) << "step " << step;
        }
        }
        ASSERT_EQ(positions.Size(), int(model.size()));
    }
    for (size_t i = 0; i < model.size(); ++i)
        ASSERT_EQ(positions.PositionOf(model[i]), int(i));
    EXPECT_EQ(positions.PositionOf(TzqOcRecordPositions::kNoSlot), -1);
    EXPECT_EQ(positions.At(int(model.size())), TzqOcRecordPositions::kNoSlot);
}

using KeyIndexTest = DbChartTest;

TEST_F(KeyIndexTest, KeysOfMixedKindsHaveOneConsistentOrder)
{
    // An integer column holds what it is given: integers, fractions and text.
    Sql("CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(20), \"ORDER\" INTEGER);"
        "INSERT INTO ARBOLO VALUES ('abc', NULL, 'text', 0), (5, NULL, 'five', 1), (2.5, NULL, 'fraction', 2),"
        " (-1, NULL, 'minus one', 3), ('x y', 5, 'text below five', 0), (7, 'abc', 'below text', 0);");
    Open();
    std::vector<std::string> keys;
    chart->KeyIndex().ForEach([&](TzqDbOcNode* n) { keys.push_back(n->Key().AsString()); });
    EXPECT_EQ(keys, (std::vector<std::string>{"-1", "2.5", "5", "7", "abc", "x y"}));
    EXPECT_EQ(Tree(), "abc(7),5(x y),2.5,-1");
    // A key written as text finds the node of the number it spells.
    EXPECT_EQ(chart->FindNodeByKey(Variant("5")), Node(5));
    EXPECT_EQ(chart->FindNodeByKey(Variant(2.5)), Node(Variant(2.5)));
    EXPECT_EQ(chart->FindNodeByKey(Variant::Null()), nullptr);
    ExpectConsistent();
}

TEST_F(KeyIndexTest, AShuffledTableGivesTheSameTreeAsOneInKeyOrder)
{
    // A random tree of 3,000 records, distinct sibling order values; written once in
    // key order and once shuffled (children mostly before their parents).
    constexpr int kCount = 3000;
    std::mt19937 rng(11);
    std::vector<int> parent(kCount + 1, 0), order(kCount + 1, 0), nextOrder(kCount + 1, 0);
    for (int id = 2; id <= kCount; ++id) {
        parent[size_t(id)] = std::uniform_int_distribution<int>(1, id - 1)(rng);
        order[size_t(id)] = nextOrder[size_t(parent[size_t(id)])]++;
    }
    std::vector<int> ids(kCount);
    std::iota(ids.begin(), ids.end(), 1);
    auto write = [&](const std::vector<int>& sequence) {
        std::string sql = "CREATE TABLE ARBOLO (ID INTEGER, PARENT INTEGER, NAME VARCHAR(20), \"ORDER\" INTEGER);BEGIN;";
        for (int id : sequence)
            sql += "INSERT INTO ARBOLO VALUES (" + std::to_string(id) + ", " +
                   (parent[size_t(id)] ? std::to_string(parent[size_t(id)]) : std::string("NULL")) + ", 'n', " +
                   std::to_string(order[size_t(id)]) + ");";
        Reset();
        std::filesystem::remove(file);
        Sql(sql + "COMMIT;");
        Open();
    };
    write(ids);
    const std::string inKeyOrder = Tree();
    ASSERT_EQ(chart->Count(), kCount);
    std::shuffle(ids.begin(), ids.end(), rng);
    write(ids);
    EXPECT_EQ(Tree(), inKeyOrder);
    ExpectConsistent("shuffled");

    // Edits keep the key index whole: every node in it once, in key order.
    for (int round = 0; round < 40; ++round) {
        const int id = std::uniform_int_distribution<int>(2, kCount)(rng);
        if (TzqDbOcNode* n = Node(id)) {
            if (round % 2)
                chart->DeleteNode(n);
            else
                chart->AddChild(n, 0);
        }
    }
    ExpectConsistent("after edits");
    table->Refresh();
    ExpectConsistent("after a reload");
}

} // namespace
