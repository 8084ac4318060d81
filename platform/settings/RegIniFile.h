// The registry INI object: a registry object (Registry.h) read and written the way INI
// files are. Sections are keys, idents are values; a section beginning with "\" is taken
// from the root, any other relative to the key opened at creation (or the open key).
// Reads answer the default for a missing value; ReadSections lists the open key's
// sub-keys and EraseSection deletes a section's key.
#pragma once

#include "platform/settings/Registry.h"

class TRegIniFile : public TRegistry {
public:
    // Opens (creating) the key `fileName` of the process's user store, or of `store`.
    explicit TRegIniFile(std::string_view fileName);
    TRegIniFile(std::string_view fileName, std::shared_ptr<TUserStore> store);

    const std::string& FileName() const { return m_fileName; }

    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;
    using TRegistry::DeleteKey;

    // A string value as it is; an integer value as its decimal text.
    std::string ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) const;
    // An integer value, or a string value holding a number; else the default.
    int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    // An integer value, unless a string value of that name exists: it stays a string.
    void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
    void WriteBool(std::string_view section, std::string_view ident, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // The value names of the section's key.
    void ReadSection(std::string_view section, TStrings& strings) const;
    // The names of the open key's sub-keys.
    void ReadSections(TStrings& strings) const;
    void ReadSectionValues(std::string_view section, TStrings& strings) const;
    void EraseSection(std::string_view section);
    // Deletes the value `ident` of the section.
    void DeleteKey(std::string_view section, std::string_view ident);

private:
    const TStoreValue* Find(std::string_view section, std::string_view ident) const;
    TUserStore::TKeyPath SectionToWrite(std::string_view section);
    void Put(std::string_view section, TStoreValue value);

    std::string m_fileName;
};
