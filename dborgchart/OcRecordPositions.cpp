#include "dborgchart/OcRecordPositions.h"

#include <algorithm>
#include <iterator>

TzqOcRecordPositions::TzqOcRecordPositions() = default;

void TzqOcRecordPositions::Clear()
{
    m_items.clear();
    m_free.clear();
    m_root = kNoSlot;
}

void TzqOcRecordPositions::Reserve(int Count)
{
    if (Count > 0)
        m_items.reserve(size_t(Count));
}

int TzqOcRecordPositions::Size() const
{
    return CountOf(m_root);
}

uint32_t TzqOcRecordPositions::PriorityOf(Slot S)
{
    // A 32-bit finalising mix: consecutive slot numbers get unrelated priorities, the
    // same on every run.
    uint32_t h = uint32_t(S) ^ 0x9E3779B9u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

TzqOcRecordPositions::Slot TzqOcRecordPositions::NewItem()
{
    Slot s;
    if (!m_free.empty()) {
        s = m_free.back();
        m_free.pop_back();
    } else {
        s = Slot(m_items.size());
        m_items.emplace_back();
    }
    Item& item = m_items[size_t(s)];
    item = Item{};
    item.Count = 1;
    return s;
}

void TzqOcRecordPositions::Update(Slot S)
{
    Item& item = m_items[size_t(S)];
    item.Count = 1 + CountOf(item.Left) + CountOf(item.Right);
    if (item.Left >= 0)
        m_items[size_t(item.Left)].Parent = S;
    if (item.Right >= 0)
        m_items[size_t(item.Right)].Parent = S;
}

void TzqOcRecordPositions::Split(Slot T, int K, Slot& L, Slot& R)
{
    if (T < 0) {
        L = R = kNoSlot;
        return;
    }
    Item& item = m_items[size_t(T)];
    if (CountOf(item.Left) >= K) {
        Slot left = kNoSlot;
        Split(item.Left, K, L, left);
        item.Left = left;
        R = T;
    } else {
        Slot right = kNoSlot;
        Split(item.Right, K - CountOf(item.Left) - 1, right, R);
        item.Right = right;
        L = T;
    }
    Update(T);
}

TzqOcRecordPositions::Slot TzqOcRecordPositions::Merge(Slot A, Slot B)
{
    if (A < 0)
        return B;
    if (B < 0)
        return A;
    if (PriorityOf(A) > PriorityOf(B)) {
        const Slot right = Merge(m_items[size_t(A)].Right, B);
        m_items[size_t(A)].Right = right;
        Update(A);
        return A;
    }
    const Slot left = Merge(A, m_items[size_t(B)].Left);
    m_items[size_t(B)].Left = left;
    Update(B);
    return B;
}

void TzqOcRecordPositions::Place(Slot S, int Position)
{
    Position = std::clamp(Position, 0, Size());
    Slot left = kNoSlot, right = kNoSlot;
    Split(m_root, Position, left, right);
    Item& item = m_items[size_t(S)];
    item.Left = item.Right = kNoSlot;
    item.Count = 1;
    m_root = Merge(Merge(left, S), right);
    m_items[size_t(m_root)].Parent = kNoSlot;
}

void TzqOcRecordPositions::Detach(Slot S)
{
    Item& item = m_items[size_t(S)];
    const Slot parent = item.Parent;
    const Slot joined = Merge(item.Left, item.Right);
    if (joined >= 0)
        m_items[size_t(joined)].Parent = parent;
    if (parent < 0) {
        m_root = joined;
    } else {
        Item& p = m_items[size_t(parent)];
        (p.Left == S ? p.Left : p.Right) = joined;
        for (Slot q = parent; q >= 0; q = m_items[size_t(q)].Parent)
            --m_items[size_t(q)].Count;
    }
    item.Left = item.Right = item.Parent = kNoSlot;
    item.Count = 1;
}

TzqOcRecordPositions::Slot TzqOcRecordPositions::Append()
{
    const Slot s = NewItem();
    m_root = Merge(m_root, s);
    m_items[size_t(m_root)].Parent = kNoSlot;
    return s;
}

TzqOcRecordPositions::Slot TzqOcRecordPositions::InsertAt(int Position)
{
    const Slot s = NewItem();
    Place(s, Position);
    return s;
}

void TzqOcRecordPositions::Erase(Slot S)
{
    if (!Contains(S))
        return;
    Detach(S);
    m_items[size_t(S)].Count = 0;
    m_free.push_back(S);
}

void TzqOcRecordPositions::MoveTo(Slot S, int Position)
{
    if (!Contains(S))
        return;
    Detach(S);
    Place(S, std::min(Position, Size()));
}

void TzqOcRecordPositions::Restore(Slot S, int Position)
{
    if (S < 0 || size_t(S) >= m_items.size() || Contains(S))
        return;
    const auto freed = std::find(m_free.rbegin(), m_free.rend(), S);
    if (freed == m_free.rend())
        return;
    m_free.erase(std::next(freed).base());
    m_items[size_t(S)] = Item{};
    Place(S, Position);
}

std::vector<int> TzqOcRecordPositions::AllPositions() const
{
    std::vector<int> positions(m_items.size(), -1);
    std::vector<Slot> path;
    int position = 0;
    // In-order walk without recursion: down the left edges, then each item and its
    // right subtree.
    for (Slot s = m_root; s >= 0 || !path.empty();) {
        if (s >= 0) {
            path.push_back(s);
            s = m_items[size_t(s)].Left;
            continue;
        }
        s = path.back();
        path.pop_back();
        positions[size_t(s)] = position++;
        s = m_items[size_t(s)].Right;
    }
    return positions;
}

bool TzqOcRecordPositions::Contains(Slot S) const
{
    return S >= 0 && size_t(S) < m_items.size() && m_items[size_t(S)].Count > 0;
}

int TzqOcRecordPositions::PositionOf(Slot S) const
{
    if (!Contains(S))
        return -1;
    int position = CountOf(m_items[size_t(S)].Left);
    for (Slot child = S, parent = m_items[size_t(S)].Parent; parent >= 0;
         child = parent, parent = m_items[size_t(parent)].Parent) {
        const Item& p = m_items[size_t(parent)];
        if (p.Right == child)
            position += CountOf(p.Left) + 1;
    }
    return position;
}

TzqOcRecordPositions::Slot TzqOcRecordPositions::At(int Position) const
{
    if (Position < 0 || Position >= Size())
        return kNoSlot;
    Slot t = m_root;
    while (t >= 0) {
        const Item& item = m_items[size_t(t)];
        const int left = CountOf(item.Left);
        if (Position < left) {
            t = item.Left;
        } else if (Position == left) {
            return t;
        } else {
            Position -= left + 1;
            t = item.Right;
        }
    }
    return kNoSlot;
}
