#include "inspector/ComplexCellDivision.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Entry {
    bool fixed;
    int minWidth;
    int width;
    int64_t placed;
};

int64_t ShareOf(const Entry& e, int64_t available, int64_t sum)
{
    return sum < 1 ? 0 : e.width * available / sum;
}

} // namespace

std::vector<TRect> DivideComplexCell(const std::vector<TzqComplexCellItem>& Items, int GapWidth, const TRect& Cell)
{
    if (Cell.Width() <= 0 || Items.empty())
        return {};
    std::vector<Entry> entries;
    for (size_t i = 0; i < Items.size(); ++i) {
        if (i > 0)
            entries.push_back({true, 0, GapWidth, GapWidth});
        const TzqComplexCellItem& item = Items[i];
        entries.push_back({item.Fixed, item.MinWidth, item.Width, item.Fixed ? item.Width : 0});
    }
    int64_t available = Cell.Width();
    for (const Entry& e : entries)
        if (e.fixed)
            available -= e.width;
    available = std::max<int64_t>(available, 0);

    auto freeSum = [&entries] {
        int64_t sum = 0;
        for (const Entry& e : entries)
            if (!e.fixed)
                sum += e.width;
        return sum;
    };
    // Each pass fixes one entry at its minimum, so the passes end.
    for (bool again = true; again;) {
        again = false;
        const int64_t sum = freeSum();
        for (Entry& e : entries) {
            if (e.fixed || ShareOf(e, available, sum) >= e.minWidth)
                continue;
            e.placed = e.minWidth;
            e.fixed = true;
            available -= e.minWidth;
            again = true;
            break;
        }
    }
    const int64_t sum = freeSum();
    for (Entry& e : entries)
        if (!e.fixed)
            e.placed = ShareOf(e, available, sum);

    std::vector<TRect> rects;
    int64_t x = Cell.Left;
    for (const Entry& e : entries) {
        const int64_t right = x + std::max<int64_t>(e.placed, 0);
        rects.emplace_back(static_cast<int>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)), Cell.Top,
                           static_cast<int>(std::clamp<int64_t>(right, INT32_MIN, INT32_MAX)), Cell.Bottom);
        x = right;
    }
    if (x < Cell.Right)
        rects.back().Right = Cell.Right;
    return rects;
}
