#include "platform/settings/UserStore_p.h"

#include "platform/settings/SettingsError.h"

#include <filesystem>

using userstore::Fold;

// ---- The tree ----

TUserStore::Key* TUserStore::Key::Child(std::string_view childName) const
{
    const auto it = childIndex.find(Fold(childName));
    return it == childIndex.end() ? nullptr : it->second;
}

TUserStore::Key* TUserStore::Key::AddChild(const std::string& childName)
{
    auto child = std::make_unique<Key>();
    child->name = childName;
    Key* raw = child.get();
    children.push_back(std::move(child));
    childIndex.emplace(Fold(childName), raw);
    return raw;
}

bool TUserStore::Key::RemoveChild(std::string_view childName)
{
    const auto it = childIndex.find(Fold(childName));
    if (it == childIndex.end())
        return false;
    const Key* doomed = it->second;
    childIndex.erase(it);
    std::erase_if(children, [doomed](const std::unique_ptr<Key>& k) { return k.get() == doomed; });
    return true;
}

const TStoreValue* TUserStore::Key::Value(std::string_view valueName) const
{
    const auto it = valueIndex.find(Fold(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

void TUserStore::Key::SetValue(TStoreValue value)
{
    const std::string folded = Fold(value.Name);
    const auto it = valueIndex.find(folded);
    if (it != valueIndex.end()) {
        // The value keeps its place and the spelling it was made with.
        TStoreValue& old = values[it->second];
        value.Name = std::move(old.Name);
        old = std::move(value);
        return;
    }
    valueIndex.emplace(folded, values.size());
    values.push_back(std::move(value));
}

bool TUserStore::Key::RemoveValue(std::string_view valueName)
{
    const auto it = valueIndex.find(Fold(valueName));
    if (it == valueIndex.end())
        return false;
    const size_t index = it->second;
    valueIndex.erase(it);
    values.erase(values.begin() + std::ptrdiff_t(index));
    for (auto& entry : valueIndex)
        if (entry.second > index)
            --entry.second;
    return true;
}

namespace {

using Key = TUserStore::Key;

const Key* Walk(const Key& root, const TUserStore::TKeyPath& path, TUserStore::TKeyPath* actual)
{
    const Key* k = &root;
    if (actual)
        actual->clear();
    for (const std::string& name : path) {
        k = k->Child(name);
        if (!k)
            return nullptr;
        if (actual)
            actual->push_back(k->name);
    }
    return k;
}

Key* WalkOrCreate(Key& root, const TUserStore::TKeyPath& path, TUserStore::TKeyPath* actual, bool& created)
{
    Key* k = &root;
    created = false;
    if (actual)
        actual->clear();
    for (const std::string& name : path) {
        Key* child = k->Child(name);
        if (!child) {
            child = k->AddChild(name);
            created = true;
        }
        k = child;
        if (actual)
            actual->push_back(k->name);
    }
    return k;
}

bool ValidPath(const TUserStore::TKeyPath& path)
{
    if (path.size() > kMaxKeyDepth)
        return false;
    for (const std::string& name : path)
        if (name.empty() || name.size() > kMaxKeyNameLength || name.find('\\') != std::string::npos)
            return false;
    return true;
}

std::string PathText(const TUserStore::TKeyPath& path)
{
    std::string text;
    for (const std::string& name : path)
        text += "\\" + name;
    return text.empty() ? "\\" : text;
}

struct DefaultStoreState {
    std::shared_ptr<TUserStore> store;
    std::string fileName; // empty: the default file
};

DefaultStoreState& DefaultState()
{
    static DefaultStoreState state;
    return state;
}

} // namespace

// ---- The store ----

TUserStore::TUserStore(std::string fileName) : m_fileName(std::move(fileName)), m_root(std::make_unique<Key>())
{
    Load();
}

TUserStore::~TUserStore()
{
    try {
        Flush();
    } catch (const std::exception& e) {
        ReportSettingsProblem(e.what());
    }
}

std::shared_ptr<TUserStore> TUserStore::Default()
{
    DefaultStoreState& s = DefaultState();
    if (!s.store)
        s.store = std::make_shared<TUserStore>(s.fileName.empty() ? DefaultFileName() : s.fileName);
    return s.store;
}

std::string TUserStore::DefaultFileName()
{
    return ApplicationConfigFolder() + "/user-settings";
}

void TUserStore::SetDefaultFile(const std::string& fileName)
{
    DefaultStoreState& s = DefaultState();
    s.store.reset(); // writes what is pending, unless a registry object still holds it
    s.fileName = fileName;
}

bool TUserStore::LoadInto(std::unique_ptr<Key>& root)
{
    root = std::make_unique<Key>();
    m_loadProblem.clear();
    const std::string path = ResolveSettingsPath(m_fileName);
    m_stamp = StampOf(path);
    std::string content;
    TFileReadResult result = TFileReadResult::Missing;
    try {
        result = ReadSettingsFile(path, kMaxStoreFileSize, content);
    } catch (const ESettingsError& e) {
        m_loadProblem = e.Message();
        ReportSettingsProblem(m_loadProblem);
        return false;
    }
    std::string error;
    if (result == TFileReadResult::TooLarge)
        error = "the file is larger than " + std::to_string(kMaxStoreFileSize >> 20) + " MiB";
    else if (result == TFileReadResult::Read && !userstore::Parse(content, *root, error))
        root = std::make_unique<Key>();
    if (error.empty())
        return true;
    m_loadProblem = "The settings file '" + m_fileName + "' cannot be read (" + error +
                    "); it is used as empty and kept as a backup when the settings are next saved.";
    m_brokenOnDisk = true;
    ReportSettingsProblem(m_loadProblem);
    return false;
}

void TUserStore::Load()
{
    LoadInto(m_root);
}

void TUserStore::Refresh()
{
    if (Modified())
        return;
    if (StampOf(ResolveSettingsPath(m_fileName)) != m_stamp)
        Load();
}

void TUserStore::KeepBrokenFile()
{
    namespace fs = std::filesystem;
    const std::string path = ResolveSettingsPath(m_fileName);
    std::string backup = path + ".broken";
    std::error_code ec;
    for (int n = 2; fs::exists(backup, ec) && n < 1000; ++n)
        backup = path + ".broken-" + std::to_string(n);
    fs::copy_file(path, backup, fs::copy_options::overwrite_existing, ec);
    if (ec)
        throw ERegistryException("Cannot keep the unreadable settings file '" + m_fileName + "' as '" + backup +
                                 "': " + ec.message() + ".");
    m_backupFile = backup;
    m_brokenOnDisk = false;
}

void TUserStore::Flush()
{
    if (!Modified())
        return;
    const std::string path = ResolveSettingsPath(m_fileName);
    try {
        TSettingsFileLock lock(path, 0600);
        if (StampOf(path) != m_stamp) {
            // Another process saved meanwhile: build on what it wrote.
            std::unique_ptr<Key> fresh;
            LoadInto(fresh);
            for (const Change& change : m_journal)
                Apply(change, *fresh);
            m_root = std::move(fresh);
        }
        if (m_brokenOnDisk)
            KeepBrokenFile();
        m_stamp = ReplaceSettingsFile(path, userstore::Serialize(*m_root), 0600);
    } catch (const ERegistryException&) {
        throw;
    } catch (const ESettingsError& e) {
        throw ERegistryException(e.Message());
    }
    m_journal.clear();
}

void TUserStore::Apply(const Change& change, Key& root)
{
    bool created = false;
    switch (change.kind) {
    case Change::CreateKey:
        WalkOrCreate(root, change.path, nullptr, created);
        break;
    case Change::DeleteKey:
        if (!change.path.empty()) {
            TKeyPath parent(change.path.begin(), change.path.end() - 1);
            if (Key* k = const_cast<Key*>(Walk(root, parent, nullptr)))
                k->RemoveChild(change.path.back());
        }
        break;
    case Change::SetValue:
        WalkOrCreate(root, change.path, nullptr, created)->SetValue(change.value);
        break;
    case Change::DeleteValue:
        if (Key* k = const_cast<Key*>(Walk(root, change.path, nullptr)))
            k->RemoveValue(change.value.Name);
        break;
    }
}

void TUserStore::Record(Change change)
{
    Apply(change, *m_root);
    m_journal.push_back(std::move(change));
}

bool TUserStore::FindKey(const TKeyPath& path, TKeyPath* actual) const
{
    return Walk(*m_root, path, actual) != nullptr;
}

bool TUserStore::CreateKey(const TKeyPath& path, TKeyPath* actual)
{
    if (!ValidPath(path))
        return false;
    TKeyPath stored;
    if (!Walk(*m_root, path, &stored)) {
        Change change;
        change.kind = Change::CreateKey;
        change.path = path;
        Record(std::move(change));
        Walk(*m_root, path, &stored);
    }
    if (actual)
        *actual = std::move(stored);
    return true;
}

bool TUserStore::DeleteKey(const TKeyPath& path)
{
    if (path.empty() || !Walk(*m_root, path, nullptr))
        return false;
    Change change;
    change.kind = Change::DeleteKey;
    change.path = path;
    Record(std::move(change));
    return true;
}

std::vector<std::string> TUserStore::KeyNames(const TKeyPath& path) const
{
    std::vector<std::string> names;
    if (const Key* k = Walk(*m_root, path, nullptr))
        for (const auto& child : k->children)
            names.push_back(child->name);
    return names;
}

std::vector<std::string> TUserStore::ValueNames(const TKeyPath& path) const
{
    std::vector<std::string> names;
    if (const Key* k = Walk(*m_root, path, nullptr))
        for (const TStoreValue& v : k->values)
            names.push_back(v.Name);
    return names;
}

bool TUserStore::HasSubKeys(const TKeyPath& path) const
{
    const Key* k = Walk(*m_root, path, nullptr);
    return k && !k->children.empty();
}

const TStoreValue* TUserStore::FindValue(const TKeyPath& path, std::string_view name) const
{
    const Key* k = Walk(*m_root, path, nullptr);
    return k ? k->Value(name) : nullptr;
}

void TUserStore::SetValue(const TKeyPath& path, TStoreValue value)
{
    if (value.Name.size() > kMaxValueNameLength)
        throw ERegistryException("The value name " + QuotedName(value.Name) + " is longer than " +
                                 std::to_string(kMaxValueNameLength) + " characters.");
    if (value.Data.size() > kMaxValueSize)
        throw ERegistryException("The value " + QuotedName(value.Name) + " is larger than " +
                                 std::to_string(kMaxValueSize >> 20) + " MiB.");
    if (!Walk(*m_root, path, nullptr))
        throw ERegistryException("The key " + QuotedName(PathText(path)) + " does not exist.");
    Change change;
    change.kind = Change::SetValue;
    change.path = path;
    change.value = std::move(value);
    Record(std::move(change));
}

bool TUserStore::DeleteValue(const TKeyPath& path, std::string_view name)
{
    const Key* k = Walk(*m_root, path, nullptr);
    if (!k || !k->Value(name))
        return false;
    Change change;
    change.kind = Change::DeleteValue;
    change.path = path;
    change.value.Name = std::string(name);
    Record(std::move(change));
    return true;
}
