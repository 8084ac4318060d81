#include "platform/settings/UserStore_p.h"

#include "platform/settings/SettingsError.h"

#include <filesystem>

using userstore::Fold;

// ---- The tree ----

using userstore::SameName;

std::unordered_map<std::string, TUserStore::Key*>* TUserStore::Key::ChildIndex() const
{
    if (!m_childIndex && children.size() >= kIndexFrom) {
        m_childIndex = std::make_unique<std::unordered_map<std::string, Key*>>();
        m_childIndex->reserve(children.size() * 2);
        for (const auto& child : children)
            m_childIndex->emplace(Fold(child->name), child.get());
    }
    return m_childIndex.get();
}

std::unordered_map<std::string, size_t>* TUserStore::Key::ValueIndex() const
{
    if (!m_valueIndex && values.size() >= kIndexFrom) {
        m_valueIndex = std::make_unique<std::unordered_map<std::string, size_t>>();
        m_valueIndex->reserve(values.size() * 2);
        for (size_t i = 0; i < values.size(); ++i)
            m_valueIndex->emplace(Fold(values[i].Name), i);
    }
    return m_valueIndex.get();
}

TUserStore::Key* TUserStore::Key::Child(std::string_view childName) const
{
    if (const auto* index = ChildIndex()) {
        const auto it = index->find(Fold(childName));
        return it == index->end() ? nullptr : it->second;
    }
    for (const auto& child : children)
        if (SameName(child->name, childName))
            return child.get();
    return nullptr;
}

TUserStore::Key* TUserStore::Key::AddChild(const std::string& childName)
{
    auto child = std::make_unique<Key>();
    child->name = childName;
    Key* raw = child.get();
    children.push_back(std::move(child));
    if (m_childIndex)
        m_childIndex->emplace(Fold(childName), raw);
    return raw;
}

bool TUserStore::Key::RemoveChild(std::string_view childName)
{
    const Key* doomed = Child(childName);
    if (!doomed)
        return false;
    if (m_childIndex)
        m_childIndex->erase(Fold(doomed->name));
    std::erase_if(children, [doomed](const std::unique_ptr<Key>& k) { return k.get() == doomed; });
    return true;
}

const TStoreValue* TUserStore::Key::Value(std::string_view valueName) const
{
    if (const auto* index = ValueIndex()) {
        const auto it = index->find(Fold(valueName));
        return it == index->end() ? nullptr : &values[it->second];
    }
    for (const TStoreValue& v : values)
        if (SameName(v.Name, valueName))
            return &v;
    return nullptr;
}

void TUserStore::Key::SetValue(TStoreValue value)
{
    if (const TStoreValue* found = Value(value.Name)) {
        // The value keeps its place and the spelling it was made with.
        TStoreValue& old = values[size_t(found - values.data())];
        value.Name = std::move(old.Name);
        old = std::move(value);
        return;
    }
    if (m_valueIndex)
        m_valueIndex->emplace(Fold(value.Name), values.size());
    // Keys mostly hold a handful of values: room for them at once.
    if (values.empty())
        values.reserve(8);
    values.push_back(std::move(value));
}

bool TUserStore::Key::RemoveValue(std::string_view valueName)
{
    const TStoreValue* found = Value(valueName);
    if (!found)
        return false;
    const size_t index = size_t(found - values.data());
    values.erase(values.begin() + std::ptrdiff_t(index));
    // Positions after it moved: the index is made again when next needed.
    m_valueIndex.reset();
    return true;
}

namespace {

using Key = TUserStore::Key;

const Key* Walk(const Key& root, const TUserStore::TKeyPath& path, TUserStore::TKeyPath* actual)
{
    const Key* k = &root;
    if (actual) {
        actual->clear();
        actual->reserve(path.size());
    }
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
    if (actual) {
        actual->clear();
        actual->reserve(path.size());
    }
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
    if (&root == &m_root)
        ForgetFoundNode();
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
        const TFileStamp now = StampOf(path);
        // The lock makes a missing file as an empty one: nothing to build on then.
        const bool stillEmpty = (!m_stamp.exists || m_stamp.size == 0) && now.exists && now.size == 0;
        if (now != m_stamp && !stillEmpty) {
            // Another process saved meanwhile: build on what it wrote.
            std::unique_ptr<Key> fresh;
            LoadInto(fresh);
            for (const Change& change : m_journal)
                Apply(change, *fresh);
            ForgetFoundNode();
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
        WalkOrCreate(root, *change.path, nullptr, created);
        break;
    case Change::DeleteKey:
        if (&root == m_root.get())
            ForgetFoundNode();
        if (!change.path->empty()) {
            TKeyPath parent(change.path->begin(), change.path->end() - 1);
            if (Key* k = const_cast<Key*>(Walk(root, parent, nullptr)))
                k->RemoveChild(change.path->back());
        }
        break;
    case Change::SetValue:
        WalkOrCreate(root, *change.path, nullptr, created)->SetValue(change.value);
        break;
    case Change::DeleteValue:
        if (Key* k = const_cast<Key*>(Walk(root, *change.path, nullptr)))
            k->RemoveValue(change.value.Name);
        break;
    }
}

std::shared_ptr<const TUserStore::TKeyPath> TUserStore::JournalPath(const TKeyPath& path) const
{
    if (!m_journal.empty() && *m_journal.back().path == path)
        return m_journal.back().path;
    return std::make_shared<const TKeyPath>(path);
}

void TUserStore::Record(Change change)
{
    Apply(change, *m_root);
    m_journal.push_back(std::move(change));
}

TUserStore::Key* TUserStore::FindNode(const TKeyPath& path, TKeyPath* actual) const
{
    if (m_foundKey && path == m_foundPath) {
        if (actual)
            *actual = m_foundActual;
        return m_foundKey;
    }
    TKeyPath stored;
    Key* key = const_cast<Key*>(Walk(*m_root, path, &stored));
    if (!key)
        return nullptr;
    m_foundPath = path;
    m_foundActual = stored;
    m_foundKey = key;
    if (actual)
        *actual = std::move(stored);
    return key;
}

void TUserStore::ForgetFoundNode() const
{
    m_foundKey = nullptr;
    m_foundPath.clear();
    m_foundActual.clear();
}

bool TUserStore::FindKey(const TKeyPath& path, TKeyPath* actual) const
{
    return FindNode(path, actual) != nullptr;
}

bool TUserStore::CreateKey(const TKeyPath& path, TKeyPath* actual)
{
    if (!ValidPath(path))
        return false;
    TKeyPath stored;
    if (!FindNode(path, &stored)) {
        // Made in the one walk that finds where the path ends, and remembered as found.
        bool created = false;
        Key* key = WalkOrCreate(*m_root, path, &stored, created);
        if (created) {
            Change change;
            change.kind = Change::CreateKey;
            change.path = JournalPath(path);
            m_journal.push_back(std::move(change));
        }
        m_foundPath = path;
        m_foundActual = stored;
        m_foundKey = key;
    }
    if (actual)
        *actual = std::move(stored);
    return true;
}

bool TUserStore::DeleteKey(const TKeyPath& path)
{
    if (path.empty() || !FindNode(path))
        return false;
    Change change;
    change.kind = Change::DeleteKey;
    change.path = JournalPath(path);
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
    const Key* k = FindNode(path);
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
    Key* key = FindNode(path);
    if (!key)
        throw ERegistryException("The key " + QuotedName(PathText(path)) + " does not exist.");
    // Applied to the key found, without walking the path again; the journal keeps the
    // change for a save that has to build on another process's file.
    Change change;
    change.kind = Change::SetValue;
    change.path = JournalPath(path);
    change.value = value;
    key->SetValue(std::move(value));
    m_journal.push_back(std::move(change));
}

bool TUserStore::DeleteValue(const TKeyPath& path, std::string_view name)
{
    const Key* k = FindNode(path);
    if (!k || !k->Value(name))
        return false;
    Change change;
    change.kind = Change::DeleteValue;
    change.path = JournalPath(path);
    change.value.Name = std::string(name);
    Record(std::move(change));
    return true;
}
