#include "bars/DockRowLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int Clamped(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min() / 2,
                                                std::numeric_limits<int>::max() / 2));
}

// Sums of the lengths of the bars before each bar.
std::vector<int64_t> Before(const std::vector<TzqDockRowBar>& bars, bool maximum)
{
    std::vector<int64_t> sums(bars.size() + 1, 0);
    for (size_t i = 0; i < bars.size(); ++i)
        sums[i + 1] = sums[i] + (maximum ? bars[i].MaxLength : bars[i].MinLength);
    return sums;
}

void PlaceWholeRow(std::vector<TzqDockRowBar>& bars, int rowLength)
{
    TzqDockRowBar& bar = bars.front();
    bar.Position = 0;
    bar.Length = std::max(rowLength, bar.MinLength);
    bar.Truncated = !bar.MultiLine && bar.Length < bar.MaxLength;
    // Nothing shares a whole row; should anything be there, it follows the bar.
    int64_t p = bar.Length;
    for (size_t i = 1; i < bars.size(); ++i) {
        bars[i].Position = Clamped(p);
        bars[i].Length = bars[i].MaxLength;
        p += bars[i].Length;
    }
}

void PlaceShrinking(std::vector<TzqDockRowBar>& bars, int rowLength)
{
    const std::vector<int64_t> minBefore = Before(bars, false);
    const std::vector<int64_t> maxBefore = Before(bars, true);
    auto wishOf = [&](size_t i) { return std::clamp<int64_t>(bars[i].Desired, minBefore[i], maxBefore[i]); };
    int64_t right = rowLength;
    for (size_t k = bars.size(); k-- > 0;) {
        TzqDockRowBar& bar = bars[k];
        int64_t wish = wishOf(k);
        if (k > 0 && bars[k - 1].Dragged)
            wish = std::min(wish, wishOf(k - 1) + bars[k - 1].MaxLength);
        int64_t length;
        if (k == 0)
            length = std::max<int64_t>(right, bar.MinLength); // the first bar fills what is left
        else {
            const int64_t space = right - wish;
            length = space < bar.MaxLength ? std::max<int64_t>(bar.MinLength, space) : bar.MaxLength;
        }
        bar.Length = Clamped(length);
        bar.Truncated = length < bar.MaxLength && !bar.MultiLine && bar.MinLength != bar.MaxLength;
        bar.Position = Clamped(std::clamp<int64_t>(right - length, minBefore[k], maxBefore[k]));
        right -= length;
    }
}

void PlaceFitting(std::vector<TzqDockRowBar>& bars, int rowLength)
{
    const std::vector<int64_t> maxBefore = Before(bars, true);
    int64_t right = rowLength;
    for (size_t k = bars.size(); k-- > 0;) {
        TzqDockRowBar& bar = bars[k];
        bar.Length = bar.MaxLength;
        int64_t position = bar.Desired;
        if (position + bar.Length > right)
            position = right - bar.Length;
        position = std::max(position, maxBefore[k]);
        bar.Position = Clamped(position);
        right = position;
    }
}

void FillRestSpace(std::vector<TzqDockRowBar>& bars, int rowLength)
{
    for (size_t k = 0; k < bars.size(); ++k) {
        TzqDockRowBar& bar = bars[k];
        if (!bar.UseRestSpace)
            continue;
        const int64_t start = k == 0 ? 0 : int64_t(bars[k - 1].Position) + bars[k - 1].Length;
        const int64_t end = k + 1 == bars.size() ? rowLength : bars[k + 1].Position;
        bar.Position = Clamped(start);
        bar.Length = Clamped(std::max<int64_t>(end - start, bar.MinLength));
    }
}

} // namespace

void LayoutDockRow(std::vector<TzqDockRowBar>& Bars, int RowLength)
{
    if (Bars.empty())
        return;
    RowLength = std::max(RowLength, 0);
    for (TzqDockRowBar& bar : Bars) {
        bar.MinLength = std::max(bar.MinLength, 0);
        bar.MaxLength = std::max(bar.MaxLength, bar.MinLength);
        bar.Desired = std::max(bar.Desired, 0);
        bar.Truncated = false;
    }
    if (Bars.front().WholeRow) {
        PlaceWholeRow(Bars, RowLength);
        return;
    }
    const std::vector<int64_t> maxBefore = Before(Bars, true);
    if (RowLength < maxBefore.back())
        PlaceShrinking(Bars, RowLength);
    else
        PlaceFitting(Bars, RowLength);
    FillRestSpace(Bars, RowLength);
    TzqDockRowBar& last = Bars.back();
    if (last.Truncated)
        last.Length = std::max(last.Length, RowLength - last.Position);
}

namespace {

// The band of a row (or of a virtual row) across the site: [first, last).
struct Band {
    int64_t first;
    int64_t last;
};

Band BandOf(int64_t start, int64_t thickness, bool outerAtStart)
{
    if (outerAtStart)
        return {start + kNewRowBandOffset, start + kNewRowBandOffset + kNewRowBandWidth};
    const int64_t end = start + thickness;
    return {end - kNewRowBandOffset - kNewRowBandWidth, end - kNewRowBandOffset};
}

// The bands of the virtual row in front, of every row and of the virtual row after.
std::vector<Band> Bands(const std::vector<TzqDockRowSpan>& rows, bool outerAtStart)
{
    std::vector<Band> bands;
    const int64_t first = rows.empty() ? 0 : rows.front().Start;
    const int64_t end = rows.empty() ? 0 : int64_t(rows.back().Start) + std::max(rows.back().Thickness, 0);
    bands.push_back(BandOf(first - kDockZoneMargin, kDockZoneMargin, outerAtStart));
    for (const TzqDockRowSpan& row : rows)
        bands.push_back(BandOf(row.Start, std::max(row.Thickness, 0), outerAtStart));
    bands.push_back(BandOf(end, kDockZoneMargin, outerAtStart));
    return bands;
}

} // namespace

TzqDockRowTarget LocateDockRow(const std::vector<TzqDockRowSpan>& Rows, bool OuterAtStart, int Across)
{
    const int count = static_cast<int>(Rows.size());
    const std::vector<Band> bands = Bands(Rows, OuterAtStart);
    // bands[k] belongs to row k - 1 (k = 0: the virtual row in front, k = count + 1: the
    // virtual row after the last).
    if (Across < bands.front().first)
        return {0, true};
    for (size_t k = 0; k < bands.size(); ++k) {
        if (Across >= bands[k].first && Across < bands[k].last)
            return {std::min(static_cast<int>(k), count), true}; // after row k - 1
        const bool lastBand = k + 1 == bands.size();
        if (Across >= bands[k].last && (lastBand || Across < bands[k + 1].first)) {
            const int row = static_cast<int>(k); // the row whose band closes the stretch
            if (lastBand || row >= count)
                return {count, true};
            return {row, false};
        }
    }
    return {count, true};
}

int DockRowMiddle(const std::vector<TzqDockRowSpan>& Rows, bool OuterAtStart, int Row)
{
    const std::vector<Band> bands = Bands(Rows, OuterAtStart);
    if (Row < 0 || Row >= static_cast<int>(Rows.size()))
        return 0;
    // Row r is joined between the band of the row before it and its own band.
    const int64_t from = bands[static_cast<size_t>(Row)].last;
    const int64_t to = bands[static_cast<size_t>(Row) + 1].first;
    return Clamped((from + to) / 2);
}
