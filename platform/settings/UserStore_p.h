// The user store's tree and its text form, shared by the store's implementation files.
#pragma once

#include "platform/settings/UserStore.h"

struct TUserStore::Key {
    std::string name;
    std::vector<std::unique_ptr<Key>> children; // in the order they were made
    std::unordered_map<std::string, Key*> childIndex; // by folded name
    std::vector<TStoreValue> values;                  // in the order they were made
    std::unordered_map<std::string, size_t> valueIndex;

    Key* Child(std::string_view childName) const;
    Key* AddChild(const std::string& childName);
    bool RemoveChild(std::string_view childName);
    const TStoreValue* Value(std::string_view valueName) const;
    void SetValue(TStoreValue value);
    bool RemoveValue(std::string_view valueName);
};

struct TUserStore::Change {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = CreateKey;
    TKeyPath path;
    TStoreValue value; // SetValue: the value; DeleteValue: its name
};

namespace userstore {

std::string Fold(std::string_view name);
// The text form of a whole tree.
std::string Serialize(const TUserStore::Key& root);
// Reads the text form into `root` (which starts empty); false with `error` (naming the
// line) when the text is not a store.
bool Parse(std::string_view text, TUserStore::Key& root, std::string& error);

} // namespace userstore
