// The table of parent keys kept aside: random sets, erasures and lookups agree with a
// plain map at every step, across growth, clusters of colliding places and shrinking.
#include "dborgchart/OcParentKeyTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace {

// Node addresses are only compared and hashed, never followed.
const TzqDbOcNode* FakeNode(size_t I)
{
    return reinterpret_cast<const TzqDbOcNode*>(uintptr_t(0x10000) + I * 192);
}

TEST(ParentKeyTableTest, AgreesWithAMapThroughSetsErasuresAndCompaction)
{
    TzqOcParentKeyTable table;
    std::map<const TzqDbOcNode*, int64_t> expected;
    std::mt19937 rng(11);
    const size_t nodes = 5000;
    for (int step = 0; step < 200000; ++step) {
        const TzqDbOcNode* node = FakeNode(rng() % nodes);
        switch (rng() % 4) {
        case 0:
        case 1: {
            const int64_t key = int64_t(rng() % 1000);
            table.Set(node, Variant(key));
            expected[node] = key;
            break;
        }
        case 2:
            table.Erase(node);
            expected.erase(node);
            break;
        default:
            if (step % 1000 == 0)
                table.Compact();
            break;
        }
        ASSERT_EQ(table.Size(), expected.size()) << "step " << step;
    }
    for (size_t i = 0; i < nodes; ++i) {
        const auto it = expected.find(FakeNode(i));
        const Variant* kept = table.Find(FakeNode(i));
        ASSERT_EQ(kept != nullptr, it != expected.end()) << "node " << i;
        if (kept) {
            EXPECT_EQ(kept->AsInteger(), it->second);
        }
    }
    // Emptied one by one, then shrunk: nothing is found any more.
    for (const auto& [node, key] : expected)
        table.Erase(node);
    table.Compact();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(table.Find(FakeNode(0)), nullptr);
}

} // namespace
