// The user store's tree and its text form, shared by the store's implementation files.
#pragma once

#include "platform/settings/UserStore.h"

struct TUserStore::Key {
    std::string name;
    std::vector<std::unique_ptr<Key>> children; // in the order they were made
    std::vector<TStoreValue> values;            // in the order they were made

    Key* Child(std::string_view childName) const;
    Key* AddChild(const std::string& childName);
    bool RemoveChild(std::string_view childName);
    const TStoreValue* Value(std::string_view valueName) const;
    void SetValue(TStoreValue value);
    bool RemoveValue(std::string_view valueName);

private:
    // Few children or values are searched in place; past this many, by folded name in
    // an index made on first need (most keys hold a handful of values and no children,
    // and an index for each would cost more than it saves).
    static constexpr size_t kIndexFrom = 12;
    std::unordered_map<std::string, Key*>* ChildIndex() const;
    std::unordered_map<std::string, size_t>* ValueIndex() const;
    mutable std::unique_ptr<std::unordered_map<std::string, Key*>> m_childIndex;
    mutable std::unique_ptr<std::unordered_map<std::string, size_t>> m_valueIndex;
};

struct TUserStore::Change {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = CreateKey;
    // Shared by the changes of one key made in a row (values written to an open key).
    std::shared_ptr<const TKeyPath> path;
    TStoreValue value; // SetValue: the value; DeleteValue: its name
};

namespace userstore {

std::string Fold(std::string_view name);
// Whether two names are the same ignoring case (Fold(a) == Fold(b), without copies for
// ASCII names).
bool SameName(std::string_view a, std::string_view b);
// The text form of a whole tree.
std::string Serialize(const TUserStore::Key& root);
// Reads the text form into `root` (which starts empty); false with `error` (naming the
// line) when the text is not a store.
bool Parse(std::string_view text, TUserStore::Key& root, std::string& error);

} // namespace userstore
