#include "platform/settings/Registry.h"

#include "platform/core/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace {

const TUserStore::TKeyPath kRoot;

std::string PathText(const TUserStore::TKeyPath& path)
{
    std::string text;
    for (const std::string& name : path) {
        if (!text.empty())
            text += '\\';
        text += name;
    }
    return text;
}

bool InsideOf(const TUserStore::TKeyPath& key, const TUserStore::TKeyPath& ancestor)
{
    if (key.size() < ancestor.size())
        return false;
    for (size_t i = 0; i < ancestor.size(); ++i)
        if (!SameText(key[i], ancestor[i]))
            return false;
    return true;
}

} // namespace

TRegistry::TRegistry() : TRegistry(TUserStore::Default()) {}

TRegistry::TRegistry(std::shared_ptr<TUserStore> store) : m_store(std::move(store))
{
    m_store->Refresh();
}

TRegistry::~TRegistry()
{
    try {
        m_store->Flush();
    } catch (const std::exception& e) {
        ReportSettingsProblem(e.what());
    }
}

bool TRegistry::ResolvePath(std::string_view key, TUserStore::TKeyPath& path) const
{
    const bool absolute = !key.empty() && key.front() == '\\';
    path = (absolute || !m_current) ? TUserStore::TKeyPath() : *m_current;
    if (absolute)
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    while (!key.empty()) {
        const size_t cut = key.find('\\');
        const std::string_view name = key.substr(0, cut);
        if (name.empty() || name.size() > kMaxKeyNameLength)
            return false;
        path.emplace_back(name);
        if (path.size() > kMaxKeyDepth)
            return false;
        if (cut == std::string_view::npos)
            break;
        key.remove_prefix(cut + 1);
    }
    return true;
}

const TUserStore::TKeyPath& TRegistry::CurrentKeyPath() const
{
    return m_current ? *m_current : kRoot;
}

void TRegistry::SetCurrentKeyPath(std::optional<TUserStore::TKeyPath> path, bool readOnly)
{
    m_current = std::move(path);
    m_readOnly = readOnly;
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate)
{
    TUserStore::TKeyPath path, actual;
    if (!ResolvePath(key, path))
        return false;
    if (canCreate ? !m_store->CreateKey(path, &actual) : !m_store->FindKey(path, &actual))
        return false;
    SetCurrentKeyPath(std::move(actual));
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key)
{
    TUserStore::TKeyPath path, actual;
    if (!ResolvePath(key, path) || !m_store->FindKey(path, &actual))
        return false;
    SetCurrentKeyPath(std::move(actual), true);
    return true;
}

void TRegistry::CloseKey()
{
    SetCurrentKeyPath(std::nullopt);
}

std::string TRegistry::CurrentPath() const
{
    return PathText(CurrentKeyPath());
}

void TRegistry::CreateKey(std::string_view key)
{
    TUserStore::TKeyPath path;
    if (!ResolvePath(key, path) || !m_store->CreateKey(path))
        throw ERegistryException("Failed to create key " + QuotedName(key) + ".");
}

bool TRegistry::DeleteKey(std::string_view key)
{
    // "" would name the open key itself: deleting needs a name.
    TUserStore::TKeyPath path;
    if (key.find_first_not_of('\\') == std::string_view::npos || !ResolvePath(key, path))
        return false;
    if (m_readOnly && InsideOf(path, CurrentKeyPath()))
        throw ERegistryException("The key " + QuotedName(CurrentPath()) + " is open for reading only.");
    if (!m_store->DeleteKey(path))
        return false;
    if (m_current && InsideOf(*m_current, path))
        CloseKey();
    return true;
}

bool TRegistry::KeyExists(std::string_view key) const
{
    TUserStore::TKeyPath path;
    return ResolvePath(key, path) && m_store->FindKey(path);
}

bool TRegistry::HasSubKeys() const
{
    return m_store->HasSubKeys(CurrentKeyPath());
}

std::vector<std::string> TRegistry::KeyNames() const
{
    return m_store->KeyNames(CurrentKeyPath());
}

std::vector<std::string> TRegistry::ValueNames() const
{
    return m_store->ValueNames(CurrentKeyPath());
}

void TRegistry::GetKeyNames(TStrings& strings) const
{
    strings.BeginUpdate();
    strings.Clear();
    for (const std::string& name : KeyNames())
        strings.Add(name);
    strings.EndUpdate();
}

void TRegistry::GetValueNames(TStrings& strings) const
{
    strings.BeginUpdate();
    strings.Clear();
    for (const std::string& name : ValueNames())
        strings.Add(name);
    strings.EndUpdate();
}

bool TRegistry::ValueExists(std::string_view name) const
{
    return m_store->FindValue(CurrentKeyPath(), name) != nullptr;
}

bool TRegistry::DeleteValue(std::string_view name)
{
    if (m_readOnly && ValueExists(name))
        throw ERegistryException("The key " + QuotedName(CurrentPath()) + " is open for reading only.");
    return m_store->DeleteValue(CurrentKeyPath(), name);
}

bool TRegistry::GetDataInfo(std::string_view name, TRegDataInfo& info) const
{
    const TStoreValue* v = m_store->FindValue(CurrentKeyPath(), name);
    if (!v) {
        info = TRegDataInfo{};
        return false;
    }
    info.RegData = v->Type;
    switch (v->Type) {
    case TRegDataType::rdInteger: info.DataSize = 4; break;
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString: info.DataSize = int(v->Data.size()) + 1; break;
    default: info.DataSize = int(v->Data.size()); break;
    }
    return true;
}

int TRegistry::GetDataSize(std::string_view name) const
{
    TRegDataInfo info;
    return GetDataInfo(name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(std::string_view name) const
{
    TRegDataInfo info;
    GetDataInfo(name, info);
    return info.RegData;
}

const TStoreValue& TRegistry::ValueToRead(std::string_view name, TRegDataType expected) const
{
    const TStoreValue* v = m_store->FindValue(CurrentKeyPath(), name);
    if (!v)
        throw ERegistryException("Failed to get data for " + QuotedName(name) + ": the value does not exist.");
    const bool isString = v->Type == TRegDataType::rdString || v->Type == TRegDataType::rdExpandString;
    const bool fits = expected == TRegDataType::rdString ? isString : v->Type == expected;
    if (!fits)
        throw ERegistryException("Invalid data type for " + QuotedName(name) + ".");
    return *v;
}

int32_t TRegistry::ReadInteger(std::string_view name) const
{
    return ValueToRead(name, TRegDataType::rdInteger).Integer;
}

std::string TRegistry::ReadString(std::string_view name) const
{
    if (!ValueExists(name))
        return {};
    return ValueToRead(name, TRegDataType::rdString).Data;
}

bool TRegistry::ReadBool(std::string_view name) const
{
    return ReadInteger(name) != 0;
}

int TRegistry::ReadBinaryData(std::string_view name, void* buffer, int bufferSize) const
{
    const TStoreValue& v = ValueToRead(name, TRegDataType::rdBinary);
    const int count = std::min(int(v.Data.size()), std::max(bufferSize, 0));
    if (count > 0)
        std::memcpy(buffer, v.Data.data(), size_t(count));
    return count;
}

std::string TRegistry::ReadBinaryData(std::string_view name) const
{
    return ValueToRead(name, TRegDataType::rdBinary).Data;
}

void TRegistry::Write(std::string_view name, TRegDataType type, int32_t integer, std::string data)
{
    if (m_readOnly)
        throw ERegistryException("Failed to set data for " + QuotedName(name) + ": the key " +
                                 QuotedName(CurrentPath()) + " is open for reading only.");
    TStoreValue v;
    v.Name = std::string(name);
    v.Type = type;
    v.Integer = integer;
    v.Data = std::move(data);
    m_store->SetValue(CurrentKeyPath(), std::move(v));
}

void TRegistry::WriteInteger(std::string_view name, int32_t value)
{
    Write(name, TRegDataType::rdInteger, value, {});
}

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
    Write(name, TRegDataType::rdString, 0, std::string(value));
}

void TRegistry::WriteExpandString(std::string_view name, std::string_view value)
{
    Write(name, TRegDataType::rdExpandString, 0, std::string(value));
}

void TRegistry::WriteBool(std::string_view name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::WriteBinaryData(std::string_view name, const void* buffer, int size)
{
    if (size < 0)
        throw ERegistryException("Failed to set data for " + QuotedName(name) + ": the size is negative.");
    Write(name, TRegDataType::rdBinary, 0, std::string(static_cast<const char*>(buffer), size_t(size)));
}

void TRegistry::WriteBinaryData(std::string_view name, std::string_view bytes)
{
    Write(name, TRegDataType::rdBinary, 0, std::string(bytes));
}

void TRegistry::Flush()
{
    m_store->Flush();
}
