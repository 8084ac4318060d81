#include "platform/settings/RegIniFile.h"

#include "platform/settings/IniFile.h"

TRegIniFile::TRegIniFile(std::string_view fileName) : TRegIniFile(fileName, TUserStore::Default()) {}

TRegIniFile::TRegIniFile(std::string_view fileName, std::shared_ptr<TUserStore> store)
    : TRegistry(std::move(store)), m_fileName(fileName)
{
    OpenKey(fileName, true);
}

const TStoreValue* TRegIniFile::Find(std::string_view section, std::string_view ident) const
{
    TUserStore::TKeyPath path;
    if (!ResolvePath(section, path))
        return nullptr;
    return Store().FindValue(path, ident);
}

TUserStore::TKeyPath TRegIniFile::SectionToWrite(std::string_view section)
{
    TUserStore::TKeyPath path;
    if (!ResolvePath(section, path) || !Store().CreateKey(path))
        throw ERegistryException("Failed to create key " + QuotedName(section) + ".");
    return path;
}

void TRegIniFile::Put(std::string_view section, TStoreValue value)
{
    if (CurrentKeyState() && !Store().FindKey(*CurrentKeyState()))
        SetCurrentKeyPath(std::nullopt);
    Store().SetValue(SectionToWrite(section), std::move(value));
}

std::string TRegIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view defaultValue) const
{
    const TStoreValue* v = Find(section, ident);
    if (!v)
        return std::string(defaultValue);
    switch (v->Type) {
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString: return v->Data;
    case TRegDataType::rdInteger: return std::to_string(v->Integer);
    default: return std::string(defaultValue);
    }
}

int32_t TRegIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const
{
    const TStoreValue* v = Find(section, ident);
    if (!v)
        return defaultValue;
    if (v->Type == TRegDataType::rdInteger)
        return v->Integer;
    int32_t n = defaultValue;
    if ((v->Type == TRegDataType::rdString || v->Type == TRegDataType::rdExpandString) && TryReadIniInteger(v->Data, n))
        return n;
    return defaultValue;
}

bool TRegIniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const
{
    const TStoreValue* v = Find(section, ident);
    if (!v)
        return defaultValue;
    if (v->Type == TRegDataType::rdInteger)
        return v->Integer != 0;
    bool b = defaultValue;
    if ((v->Type == TRegDataType::rdString || v->Type == TRegDataType::rdExpandString) && TryReadIniBool(v->Data, b))
        return b;
    return defaultValue;
}

void TRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    TStoreValue v;
    v.Name = std::string(ident);
    v.Type = TRegDataType::rdString;
    v.Data = std::string(value);
    Put(section, std::move(v));
}

void TRegIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value)
{
    const TStoreValue* old = Find(section, ident);
    if (old && (old->Type == TRegDataType::rdString || old->Type == TRegDataType::rdExpandString)) {
        WriteString(section, ident, std::to_string(value));
        return;
    }
    TStoreValue v;
    v.Name = std::string(ident);
    v.Type = TRegDataType::rdInteger;
    v.Integer = value;
    Put(section, std::move(v));
}

void TRegIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    WriteInteger(section, ident, value ? 1 : 0);
}

bool TRegIniFile::SectionExists(std::string_view section) const
{
    return KeyExists(section);
}

bool TRegIniFile::ValueExists(std::string_view section, std::string_view ident) const
{
    return Find(section, ident) != nullptr;
}

void TRegIniFile::ReadSection(std::string_view section, TStrings& strings) const
{
    strings.BeginUpdate();
    strings.Clear();
    TUserStore::TKeyPath path;
    if (ResolvePath(section, path))
        for (const std::string& name : Store().ValueNames(path))
            strings.Add(name);
    strings.EndUpdate();
}

void TRegIniFile::ReadSections(TStrings& strings) const
{
    GetKeyNames(strings);
}

void TRegIniFile::ReadSectionValues(std::string_view section, TStrings& strings) const
{
    TStringList idents;
    ReadSection(section, idents);
    strings.BeginUpdate();
    strings.Clear();
    for (int i = 0; i < idents.Count(); ++i)
        strings.Add(idents.Strings(i) + "=" + ReadString(section, idents.Strings(i), ""));
    strings.EndUpdate();
}

void TRegIniFile::EraseSection(std::string_view section)
{
    TRegistry::DeleteKey(section);
}

void TRegIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    TUserStore::TKeyPath path;
    if (ResolvePath(section, path))
        Store().DeleteValue(path, ident);
}
