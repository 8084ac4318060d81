// The chunked child list against a plain vector: positions, neighbours and offsets stay
// right through inserts and removals at random places, across chunk splits and the
// removal of emptied chunks.
#include "orgchart/tests/ChartFixture.h"

#include <random>

using ChildListTest = ChartTest;

TEST_F(ChildListTest, RandomInsertsAndRemovalsMatchAPlainVector)
{
    auto chart = NewChart();
    TzqOcNode* parent = chart->AddChild(nullptr, 0);
    std::vector<TzqOcNode*> model;
    std::mt19937 rng(7);
    auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        ASSERT_EQ(parent->Count(), static_cast<int>(model.size()));
        for (size_t i = 0; i < model.size(); ++i) {
            ASSERT_EQ(parent->Items(static_cast<int>(i)), model[i]) << i;
            ASSERT_EQ(model[i]->Index(), static_cast<int>(i));
            ASSERT_EQ(model[i]->GetPrevSibling(), i ? model[i - 1] : nullptr);
            ASSERT_EQ(model[i]->GetNextSibling(), i + 1 < model.size() ? model[i + 1] : nullptr);
        }
        ASSERT_EQ(parent->GetFirstChild(), model.empty() ? nullptr : model.front());
        ASSERT_EQ(parent->GetLastChild(), model.empty() ? nullptr : model.back());
        ASSERT_EQ(parent->Items(static_cast<int>(model.size())), nullptr);
        ASSERT_EQ(parent->Items(-1), nullptr);
    };
    // Grows to a few thousand children (several chunk splits), with inserts at the
    // front, the back and anywhere between.
    for (int i = 0; i < 5000; ++i) {
        const int where = static_cast<int>(rng() % (model.size() + 1));
        const int index = i % 3 == 0 ? -1 : where;
        TzqOcNode* node = chart->InsertNode(parent, 0, index);
        model.insert(index < 0 ? model.end() : model.begin() + index, node);
    }
    check("after growing");
    // Moves within the list and removals, until it is nearly empty (emptied chunks go).
    for (int i = 0; i < 2000; ++i) {
        const size_t from = rng() % model.size();
        const size_t to = rng() % model.size();
        TzqOcNode* node = model[from];
        model.erase(model.begin() + static_cast<long>(from));
        model.insert(model.begin() + static_cast<long>(to), node);
        chart->MoveNode(parent, node, static_cast<int>(to));
    }
    check("after moves");
    while (model.size() > 3) {
        const size_t at = model.size() > 2500 ? rng() % 512 : rng() % model.size();
        chart->DeleteNode(model[at]);
        model.erase(model.begin() + static_cast<long>(at));
    }
    check("after shrinking");
}
