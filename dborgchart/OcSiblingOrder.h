// What a data-bound parent knows of the order values of its children, so that placing a
// loaded node among many siblings need not walk them all.
//
// The siblings' order is the walk of IndexForOrder: a new node goes before the first
// sibling whose order value is not below its own. When the children's order values are
// known to be non-decreasing and all of one kind that compares as a total order (all
// numbers, or all strings), "the new value is greater than the sibling's" holds for a
// leading run of siblings, so a binary search finds exactly the place the walk finds.
// Anything else (mixed kinds, NaN, null, an unsorted list) is walked as it stands.
#pragma once

#include "platform/data/Variant.h"

#include <cstdint>

struct TzqOcSiblingOrder {
    enum class TState : uint8_t {
        Unknown,  // not checked since the children last changed
        Sorted,   // non-decreasing, one kind of value
        Unsorted, // walked sibling by sibling
    };
    enum class TKind : uint8_t { None, Number, String, Other };

    TState State = TState::Sorted;
    TKind Kind = TKind::None; // of the children's values while Sorted (None: no child)
    // A load into an empty chart appended a child out of order: the list is sorted
    // once when the pass is over.
    bool PendingSort = false;

    static TKind KindOf(const Variant& Value)
    {
        switch (Value.Type()) {
        case TVarType::varString: return TKind::String;
        case TVarType::varInteger:
        case TVarType::varCurrency:
        case TVarType::varBoolean: return TKind::Number;
        case TVarType::varDouble:
        case TVarType::varDate: return Value.RawDouble() == Value.RawDouble() ? TKind::Number : TKind::Other;
        default: return TKind::Other;
        }
    }
};
