#include "platform/core/Collection.h"

#include "platform/core/Exception.h"
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string Name;
    int Size = 0;
    void SetSize(int value)
    {
        Size = value;
        Changed(false);
    }
    void Assign(const TCollectionItem& Source) override
    {
        const auto& other = dynamic_cast<const TNamedItem&>(Source);
        Name = other.Name;
        Size = other.Size;
    }
};

// Records every notice the collection gives, in order.
class TRecordingCollection : public TCollectionOf<TNamedItem> {
public:
    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* Item) override
    {
        Log.push_back(Item ? "update " + static_cast<TNamedItem*>(Item)->Name : "update all");
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        static const char* names[] = {"added", "extracting", "deleting"};
        Log.push_back(std::string(names[static_cast<int>(Action)]) + " #" + std::to_string(Item->ID()));
    }
};

// The names of the items, in order.
std::string Order(const TCollectionOf<TNamedItem>& c)
{
    std::string s;
    for (int i = 0; i < c.Count(); ++i)
        s += c.Items(i)->Name;
    return s;
}

void Fill(TCollectionOf<TNamedItem>& c, const std::string& names)
{
    for (char n : names)
        c.Add()->Name = std::string(1, n);
}

TEST(Collection, MovingAnItemClampsAbsurdTargets)
{
    struct Case {
        int from;
        int to;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2, "BCAD"}, {3, 0, "DABC"},        {1, 1, "ABCD"},          {1, 99, "ACDB"},
        {2, -5, "CABD"}, {0, 2147483647, "BCDA"}, {3, -2147483647 - 1, "DABC"},
    };
    for (const Case& c : cases) {
        TCollectionOf<TNamedItem> collection;
        Fill(collection, "ABCD");
        TNamedItem* moved = collection.Items(c.from);
        moved->SetIndex(c.to);
        EXPECT_EQ(Order(collection), c.expected) << c.from << " -> " << c.to;
        EXPECT_EQ(collection.Items(moved->Index()), moved);
    }
    // Insert clamps the same way.
    TCollectionOf<TNamedItem> collection;
    Fill(collection, "AB");
    collection.Insert(-3)->Name = "x";
    collection.Insert(1000)->Name = "y";
    collection.Insert(1)->Name = "z";
    EXPECT_EQ(Order(collection), "xzABy");
}

TEST(Collection, ABatchOfChangesMakesOneUpdate)
{
    TRecordingCollection c;
    Fill(c, "ABC");
    c.Log.clear();

    c.BeginUpdate();
    c.BeginUpdate(); // nested
    c.Items(0)->SetSize(5);
    c.Items(2)->SetIndex(0);
    c.Add()->Name = "D";
    c.Delete(1);
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #3", "deleting #0"})) << "no update before the last EndUpdate";
    c.EndUpdate();
    EXPECT_EQ(c.Log.back(), "update all");
    EXPECT_EQ(std::count(c.Log.begin(), c.Log.end(), "update all"), 1);
    EXPECT_EQ(Order(c), "CBD");

    // Outside a batch a change to one item names it; a move or an addition is a change
    // of the whole collection. An unbalanced EndUpdate does nothing.
    c.Log.clear();
    c.Items(1)->SetSize(7);
    c.Items(1)->SetIndex(0);
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"update B", "update all"}));
    EXPECT_EQ(c.UpdateCount(), 0);
}

TEST(Collection, ItemsAreAnnouncedWholeAndLeaveByAnyRoute)
{
    TRecordingCollection c;
    TNamedItem* a = c.Add();
    TNamedItem* b = c.Add();
    EXPECT_EQ(c.Log, (std::vector<std::string>{"added #0", "update all", "added #1", "update all"}));
    EXPECT_EQ(a->Collection(), &c);
    EXPECT_EQ(b->Index(), 1);

    // Freeing an item directly takes it out of its collection.
    c.Log.clear();
    delete a;
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"deleting #0", "update all"}));

    // Moving to another collection: extracted from one, added to the other.
    TRecordingCollection other;
    c.Log.clear();
    b->SetCollection(&other);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"extracting #1", "update all"}));
    EXPECT_EQ(other.Log, (std::vector<std::string>{"added #0", "update all"}));
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(other.Items(0), b);

    // IDs are never reused, and FindItemID answers them.
    TNamedItem* d = other.Add();
    other.Delete(0);
    TNamedItem* e = other.Add();
    EXPECT_NE(d->ID(), e->ID());
    EXPECT_EQ(other.FindItemID(e->ID()), e);
    EXPECT_EQ(other.FindItemID(0), nullptr);

    // Clearing is one batch.
    other.Log.clear();
    other.Clear();
    EXPECT_EQ(other.Count(), 0);
    EXPECT_EQ(std::count(other.Log.begin(), other.Log.end(), "update all"), 1);
}

TEST(Collection, AssignCopiesEveryItemAndBadIndexesRaise)
{
    TCollectionOf<TNamedItem> source, copy;
    Fill(source, "PQR");
    source.Items(1)->Size = 42;
    Fill(copy, "XYZW");
    copy.Assign(source);
    EXPECT_EQ(Order(copy), "PQR");
    EXPECT_EQ(copy.Items(1)->Size, 42);
    EXPECT_NE(copy.Items(0), source.Items(0));
    copy.Assign(copy); // itself: nothing changes
    EXPECT_EQ(Order(copy), "PQR");

    for (int bad : {-1, 3, 1000000})
        EXPECT_THROW(copy.Items(bad), EListError) << bad;
    EXPECT_THROW(copy.Delete(3), EListError);
    EXPECT_EQ(copy.Count(), 3);

    // Items that cannot be copied say so instead of making blank copies.
    TCollection plain([](TCollection* c) { return new TCollectionItem(c); });
    plain.Add();
    TCollection target([](TCollection* c) { return new TCollectionItem(c); });
    EXPECT_THROW(target.Assign(plain), EInvalidOperation);
    EXPECT_EQ(plain.Items(0)->DisplayName(), "TCollectionItem");
    plain.Items(0)->SetDisplayName("First");
    EXPECT_EQ(plain.Items(0)->DisplayName(), "First");
}

} // namespace
