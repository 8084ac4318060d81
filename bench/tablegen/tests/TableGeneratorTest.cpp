#include "TableGenerator.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/Table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unordered_map>

namespace {

struct Shape {
    int count, topLevel, deepest;
    bool childBeforeParent;
};

// Reads the generated table back through the dataset layer.
Shape Measure(TTable& table)
{
    std::unordered_map<int, int> parentOf;
    Shape s{0, 0, 0, false};
    for (table.First(); !table.Eof(); table.Next()) {
        const int id = table.FieldByName("ID")->AsInteger();
        const bool top = table.FieldByName("PARENT")->IsNull();
        const int parent = top ? 0 : table.FieldByName("PARENT")->AsInteger();
        parentOf[id] = parent;
        s.topLevel += top;
        s.childBeforeParent |= parent > id;
        ++s.count;
    }
    std::unordered_map<int, int> depth;
    for (const auto& [id, parent] : parentOf) {
        // Walk up until a known depth; parents exist (at() throws otherwise).
        std::vector<int> path;
        int p = id;
        while (p != 0 && !depth.count(p)) {
            path.push_back(p);
            p = parentOf.at(p);
        }
        int d = p == 0 ? 0 : depth[p];
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            depth[*it] = ++d;
        s.deepest = std::max(s.deepest, depth[id]);
    }
    return s;
}

} // namespace

TEST(TableGenerator, MakesEveryShapeInKeyAndShuffledOrder)
{
    const auto dir = std::filesystem::temp_directory_path() / ("tablegen-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    struct Case {
        TTreeShape shape;
        TKeyOrder keys;
        int topLevel;            // -1: any
        int minDepth, maxDepth;
    };
    const int n = 10000;
    const Case cases[] = {
        {TTreeShape::RandomTree, TKeyOrder::TreeOrder, 1, 5, 60},
        {TTreeShape::RandomTree, TKeyOrder::Shuffled, 1, 5, 60},
        {TTreeShape::BroadOrganisation, TKeyOrder::TreeOrder, 1, 4, 5},
        {TTreeShape::LongChain, TKeyOrder::Shuffled, 1, n, n},
        {TTreeShape::FlatLevel, TKeyOrder::TreeOrder, n, 1, 1},
    };
    int k = 0;
    for (const Case& c : cases) {
        const std::string name = "GEN" + std::to_string(++k) + ".DB";
        TTableGeneratorOptions options;
        options.RecordCount = n;
        options.Shape = c.shape;
        options.Keys = c.keys;
        GenerateTable((dir / name).string(), options);
        TTable table;
        table.SetDatabaseName(dir.string());
        table.SetTableName(name);
        table.Open();
        EXPECT_EQ(table.FieldCount(), 13);
        const Shape s = Measure(table);
        EXPECT_EQ(s.count, n) << name;
        EXPECT_EQ(s.topLevel, c.topLevel) << name;
        EXPECT_GE(s.deepest, c.minDepth) << name;
        EXPECT_LE(s.deepest, c.maxDepth) << name;
        EXPECT_EQ(s.childBeforeParent, c.keys == TKeyOrder::Shuffled && c.shape != TTreeShape::FlatLevel) << name;
    }
    EXPECT_THROW(GenerateTable((dir / "GEN1.DB").string(), {}), EDatabaseError); // exists already
    std::filesystem::remove_all(dir);
}
