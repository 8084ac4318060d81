// String lists: ordered strings, each carrying one attached value (an object pointer or
// an integer kept in the same slot). TStrings is what controls hand out for their items
// (list boxes, combo boxes, descriptions and values of editors); TStringList adds keeping
// the strings sorted and the duplicate policy that goes with it.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"

#include <cstdint>
#include <string>
#include <vector>

// An index outside the list, or a duplicate the list refuses.
class EListError : public Exception {
    using Exception::Exception;
};

class TStrings : public TObject {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    ~TStrings() override = default;

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }

    const std::string& Strings(int index) const;
    virtual void SetStrings(int index, const std::string& value);
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* value);
    // The attached value read or written as an integer (the same slot as Objects).
    intptr_t Data(int index) const;
    void SetData(int index, intptr_t value);

    // Each answers the index the string landed at.
    int Add(const std::string& s) { return AddObject(s, nullptr); }
    int AddObject(const std::string& s, TObject* object) { return AddData(s, reinterpret_cast<intptr_t>(object)); }
    virtual int AddData(const std::string& s, intptr_t data);
    void AddStrings(const TStrings& other);
    void Insert(int index, const std::string& s) { InsertData(index, s, 0); }
    void InsertObject(int index, const std::string& s, TObject* object)
    {
        InsertData(index, s, reinterpret_cast<intptr_t>(object));
    }
    virtual void InsertData(int index, const std::string& s, intptr_t data);
    virtual void Delete(int index);
    void Clear();
    virtual void Move(int fromIndex, int toIndex);
    virtual void Exchange(int index1, int index2);
    // Copies strings and attached values; the other list's events are not copied.
    void Assign(const TStrings& other);

    // Exact comparison unless CaseSensitive is off (then through CompareText).
    virtual int IndexOf(const std::string& s) const;
    int IndexOfObject(const TObject* object) const;
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool value);

    // "name=value" lines.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    // Replaces the value of the first line with that name, adds a line when there is
    // none, and removes the line when the value is empty.
    void SetValues(const std::string& name, const std::string& value);
    int IndexOfName(const std::string& name) const;

    // The lines joined with CR LF (each line ended by one); setting splits at CR LF,
    // CR or LF.
    std::string Text() const;
    void SetText(const std::string& text);
    std::vector<std::string> ToVector() const;

    // Between BeginUpdate and the matching EndUpdate OnChange is held back and fired
    // once at the end when something changed.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    struct Item {
        std::string text;
        intptr_t data = 0;
        // A word a holder of the list keeps with each string (a list box's selection
        // and check marks): it moves with its string and is not copied by Assign.
        uint32_t state = 0;
    };
    void CheckIndex(int index) const;
    uint32_t ItemState(int index) const { return m_items[static_cast<size_t>(index)].state; }
    void SetItemState(int index, uint32_t value) { m_items[static_cast<size_t>(index)].state = value; }
    int Compare(const std::string& a, const std::string& b) const;
    virtual void Changing();
    virtual void Changed();
    // Called when the comparison rule changed (a sorted list sorts again).
    virtual void CompareRuleChanged() {}

    std::vector<Item> m_items;

private:
    bool m_caseSensitive = true;
    int m_updateCount = 0;
    bool m_changedWhileUpdating = false;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates value) { m_duplicates = value; }

    // In a sorted list Add puts the string in its place (and applies Duplicates).
    int AddData(const std::string& s, intptr_t data) override;
    // Inserting, moving, exchanging or replacing at a place would break the order of a
    // sorted list: these raise EListError there.
    void InsertData(int index, const std::string& s, intptr_t data) override;
    void SetStrings(int index, const std::string& value) override;
    void Move(int fromIndex, int toIndex) override;
    void Exchange(int index1, int index2) override;
    // Binary search in a sorted list; answers whether found and the index where the
    // string is or would go.
    bool Find(const std::string& s, int& index) const;
    int IndexOf(const std::string& s) const override;
    // Sorts by the comparison rule, keeping equal strings in their order.
    void Sort();

protected:
    void CompareRuleChanged() override;

private:
    void RefuseInSortedList(const char* what) const;
    bool m_sorted = false;
    TDuplicates m_duplicates = TDuplicates::dupIgnore;
};
