#include "bars/BarLineWrap.h"

#include <algorithm>

namespace {

void FinishLine(TzqBarLines& lines, std::vector<TzqBarLineItem>& items, int first, int end, int width, int thickness,
                bool groupSpacing, int separatorSize)
{
    TzqBarLine line;
    line.First = first;
    line.Count = end - first;
    line.Thickness = thickness;
    line.Width = width;
    if (!lines.Lines.empty()) {
        const TzqBarLine& previous = lines.Lines.back();
        line.Offset = previous.Offset + previous.Thickness + (groupSpacing ? separatorSize : 0);
    }
    for (int i = first; i < end; ++i) {
        items[static_cast<size_t>(i)].Line = static_cast<int>(lines.Lines.size());
        items[static_cast<size_t>(i)].LineStart = i == first;
        items[static_cast<size_t>(i)].LineEnd = i + 1 == end;
    }
    if (line.Count > 0)
        items[static_cast<size_t>(first)].SeparatorLine = groupSpacing;
    lines.Width = std::max(lines.Width, width);
    lines.Height = line.Offset + thickness;
    lines.Lines.push_back(line);
}

} // namespace

TzqBarLines PlaceBarLine(std::vector<TzqBarLineItem>& Items, int Length, int SeparatorSize)
{
    TzqBarLines lines;
    const int count = static_cast<int>(Items.size());
    int p = 0, thickness = 0, shown = 0;
    for (int i = 0; i < count; ++i) {
        TzqBarLineItem& item = Items[static_cast<size_t>(i)];
        const int separator = item.BeginGroup && p > 0 ? SeparatorSize : 0;
        // The first item always takes its place.
        if (i > 0 && p + separator + item.Length > Length)
            break;
        item.Position = p + separator;
        p = item.Position + item.Length;
        thickness = std::max(thickness, item.Thickness);
        ++shown;
        if (item.Align != TzqBarItemAlign::iaLeft)
            break; // the line ends with an aligned item
    }
    for (int i = 0; i < count; ++i)
        Items[static_cast<size_t>(i)].Shown = i < shown;
    lines.Truncated = shown < count;
    FinishLine(lines, Items, 0, shown, p, thickness, false, SeparatorSize);
    return lines;
}

TzqBarLines WrapBarLines(std::vector<TzqBarLineItem>& Items, int Length, int SeparatorSize)
{
    TzqBarLines lines;
    const int count = static_cast<int>(Items.size());
    std::vector<bool> usedForBreak(Items.size(), false);
    int lineFirst = 0, p = 0, thickness = 0;
    bool lineByOverflow = false;
    bool lineGroupSpacing = false;
    // The last group start on the current line: its index, and the line before it.
    int groupStart = -1, widthBefore = 0, thicknessBefore = 0;

    auto startLine = [&](int first, bool byOverflow) {
        lineFirst = first;
        p = 0;
        thickness = 0;
        groupStart = -1;
        lineByOverflow = byOverflow;
        lineGroupSpacing = first < count && Items[static_cast<size_t>(first)].BeginGroup && first > 0;
    };

    for (int i = 0; i < count;) {
        TzqBarLineItem& item = Items[static_cast<size_t>(i)];
        item.Shown = true;
        const bool startsGroup = item.BeginGroup && p > 0;
        const int separator = startsGroup ? SeparatorSize : 0;
        const bool overflow = p > 0 && p + separator + item.Length > Length;
        const bool groupAfterOverflow = startsGroup && lineByOverflow;
        const bool forcedByAlign =
            i > lineFirst && Items[static_cast<size_t>(i) - 1].Align != TzqBarItemAlign::iaLeft;
        if (overflow || groupAfterOverflow || forcedByAlign) {
            // A group start that overflows breaks where it is; otherwise the line goes
            // back to its last group start not yet used for a break.
            if (!startsGroup && groupStart > 0 && !usedForBreak[static_cast<size_t>(groupStart)] && !forcedByAlign) {
                // Back to the group start: the whole group goes down.
                usedForBreak[static_cast<size_t>(groupStart)] = true;
                FinishLine(lines, Items, lineFirst, groupStart, widthBefore, thicknessBefore, lineGroupSpacing,
                           SeparatorSize);
                const int restart = groupStart;
                startLine(restart, false);
                i = restart;
                continue;
            }
            FinishLine(lines, Items, lineFirst, i, p, thickness, lineGroupSpacing, SeparatorSize);
            startLine(i, !startsGroup && overflow);
            continue;
        }
        if (startsGroup) {
            groupStart = i;
            widthBefore = p;
            thicknessBefore = thickness;
        }
        item.Position = p + separator;
        p = item.Position + item.Length;
        thickness = std::max(thickness, item.Thickness);
        ++i;
    }
    if (count > 0)
        FinishLine(lines, Items, lineFirst, count, p, thickness, lineGroupSpacing, SeparatorSize);
    return lines;
}

void AlignBarLines(std::vector<TzqBarLineItem>& Items, const TzqBarLines& Lines, int Length)
{
    for (const TzqBarLine& line : Lines.Lines) {
        if (line.Count == 0)
            continue;
        TzqBarLineItem& last = Items[static_cast<size_t>(line.First + line.Count - 1)];
        const int rest = Length - (last.Position + last.Length);
        if (rest <= 0 || !last.Shown)
            continue;
        switch (last.Align) {
        case TzqBarItemAlign::iaCenter:
            last.Position += rest / 2;
            break;
        case TzqBarItemAlign::iaRight:
            last.Position += rest;
            break;
        case TzqBarItemAlign::iaClient:
            if (last.CanStretch)
                last.Length += rest;
            break;
        case TzqBarItemAlign::iaLeft:
            break;
        }
    }
}
