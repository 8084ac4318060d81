// TzqOcRecordPositions: the positions of a dataset's records, as the data-bound chart
// knows them, kept as one sequence of slots in record order.
//
// Every record the chart has seen owns a slot; a node remembers the slot of its record,
// and the node's record index is the slot's position in the sequence. Deleting a record
// erases its slot, a record the dataset moved to another place after a post moves its
// slot, a new record gets a new slot: each of these shifts the record index of every
// record behind it at once, at logarithmic cost, where renumbering the nodes one by one
// would cost a pass over the whole chart per record.
//
// The sequence is a treap ordered by position (each item counts the items below it),
// with parent links so that a slot finds its own position by walking up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TzqOcRecordPositions {
public:
    using Slot = int32_t;
    static constexpr Slot kNoSlot = -1;

    TzqOcRecordPositions();

    // Forgets every slot.
    void Clear();
    void Reserve(int Count);
    int Size() const;

    // A new slot after the last one.
    Slot Append();
    // A new slot at Position (clamped to 0..Size), shifting the slots from there on.
    Slot InsertAt(int Position);
    // Takes a slot out; the slots behind it move one place forward. The slot number may
    // be handed out again later.
    void Erase(Slot Slot);
    // Takes a slot out and puts it back at Position (clamped to 0..Size - 1).
    void MoveTo(Slot Slot, int Position);
    // Puts a slot that Erase took out (and that was not handed out again) back at
    // Position, under its old number.
    void Restore(Slot Slot, int Position);

    // The position of a slot; -1 for kNoSlot or a slot that is not in the sequence.
    int PositionOf(Slot Slot) const;
    // The slot at a position; kNoSlot outside 0..Size - 1.
    Slot At(int Position) const;
    // The position of every slot at once (indexed by slot number, -1 for free ones), in
    // one pass: cheaper than PositionOf for each of many slots.
    std::vector<int> AllPositions() const;
    bool Contains(Slot Slot) const;

private:
    // 16 bytes a record: the heap priority is not stored but derived from the slot
    // number, and a slot that is not in the sequence counts 0.
    struct Item {
        int32_t Left = -1;
        int32_t Right = -1;
        int32_t Parent = -1;
        int32_t Count = 0; // items in this subtree; 0 while the slot is free
    };

    int CountOf(Slot S) const { return S < 0 ? 0 : m_items[size_t(S)].Count; }
    Slot NewItem();
    void Detach(Slot S);
    void Place(Slot S, int Position);
    void Update(Slot S);
    // Splits the subtree T into its first K items (L) and the rest (R).
    void Split(Slot T, int K, Slot& L, Slot& R);
    Slot Merge(Slot A, Slot B);
    // A pseudo-random priority, fixed for each slot number.
    static uint32_t PriorityOf(Slot S);

    std::vector<Item> m_items;
    std::vector<Slot> m_free;
    Slot m_root = kNoSlot;
};
