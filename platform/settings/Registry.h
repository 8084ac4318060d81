// The registry object: keys and values of the user store (UserStore.h) reached by paths.
//
// Paths: one beginning with "\" is taken from the root; any other is taken relative to
// the open key, or from the root when no key is open. Names are apart by "\"; trailing
// backslashes are ignored; "" and "\" name the open key and the root. Closing a key
// leaves no key open. Names compare ignoring case.
//
// Reading a value that is missing or of another type raises ERegistryException naming
// it, except ReadString, which answers "" for a missing value. Changes are written to
// the store's file once, when the object is destroyed (or on Flush), not once per value.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/StringList.h"
#include "platform/settings/SettingsError.h"
#include "platform/settings/UserStore.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TRegDataInfo {
    TRegDataType RegData = TRegDataType::rdUnknown;
    int DataSize = 0;
};

class TRegistry : public TObject {
public:
    // Over the process's user store.
    TRegistry();
    explicit TRegistry(std::shared_ptr<TUserStore> store);
    // Writes pending changes to the file; a failure is reported (ReportSettingsProblem).
    ~TRegistry() override;

    TUserStore& Store() const { return *m_store; }

    // Opens a key (creating it and the keys above it when `canCreate`); false when it does
    // not exist or cannot be made (a name over 255 bytes, deeper than 64 keys). On
    // failure the open key stays open.
    bool OpenKey(std::string_view key, bool canCreate);
    // Opens an existing key for reading: writing through it raises.
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();
    // Whether a key is open, and its path from the root without a leading "\" (the names
    // as stored; "" for the root or when none is open).
    bool HasCurrentKey() const { return m_current.has_value(); }
    std::string CurrentPath() const;

    // Creates a key without opening it; raises ERegistryException when it cannot.
    void CreateKey(std::string_view key);
    // Deletes a key with everything below it; false when it does not exist. The root
    // and the open key named by "" cannot be deleted. When the open key was inside it, no key is open afterwards.
    bool DeleteKey(std::string_view key);
    bool KeyExists(std::string_view key) const;
    bool HasSubKeys() const;
    // Names of the open key's sub-keys and values, in the order they were made.
    void GetKeyNames(TStrings& strings) const;
    void GetValueNames(TStrings& strings) const;
    std::vector<std::string> KeyNames() const;
    std::vector<std::string> ValueNames() const;

    bool ValueExists(std::string_view name) const;
    bool DeleteValue(std::string_view name);
    // Bytes of the value (a string counts its terminating zero, an integer 4); -1 when
    // missing.
    int GetDataSize(std::string_view name) const;
    // rdUnknown when missing.
    TRegDataType GetDataType(std::string_view name) const;
    bool GetDataInfo(std::string_view name, TRegDataInfo& info) const;

    int32_t ReadInteger(std::string_view name) const;
    std::string ReadString(std::string_view name) const;
    // Any integer but 0 reads true.
    bool ReadBool(std::string_view name) const;
    // Copies at most `bufferSize` bytes and answers how many.
    int ReadBinaryData(std::string_view name, void* buffer, int bufferSize) const;
    std::string ReadBinaryData(std::string_view name) const;

    void WriteInteger(std::string_view name, int32_t value);
    void WriteString(std::string_view name, std::string_view value);
    void WriteExpandString(std::string_view name, std::string_view value);
    // Written as the integer 1 or 0.
    void WriteBool(std::string_view name, bool value);
    void WriteBinaryData(std::string_view name, const void* buffer, int size);
    void WriteBinaryData(std::string_view name, std::string_view bytes);

    // Writes the pending changes now; raises ERegistryException naming the file.
    void Flush();

protected:
    // The key a path names (see above); false for a path that cannot name a key.
    bool ResolvePath(std::string_view key, TUserStore::TKeyPath& path) const;
    const TUserStore::TKeyPath& CurrentKeyPath() const;
    void SetCurrentKeyPath(std::optional<TUserStore::TKeyPath> path, bool readOnly = false);
    std::optional<TUserStore::TKeyPath> CurrentKeyState() const { return m_current; }

private:
    const TStoreValue& ValueToRead(std::string_view name, TRegDataType expected) const;
    void Write(std::string_view name, TRegDataType type, int32_t integer, std::string data);

    std::shared_ptr<TUserStore> m_store;
    std::optional<TUserStore::TKeyPath> m_current;
    bool m_readOnly = false;
};
