// The user store: this user's settings as one tree of keys holding named values of three
// types (32-bit integers, strings, binary data), kept in one readable text file. The
// registry objects (Registry.h, RegIniFile.h) work on it.
//
// Names of keys and values compare ignoring case and keep the spelling they were made
// with. Changes stay in memory until Flush(), which writes the file once for all of them:
// under the file's lock it re-reads the file when another process changed it, applies
// this store's changes to what it found and replaces the file at once, so two processes
// saving together neither tear the file nor lose each other's changes.
//
// Hostile files are read within bounds: a file over 256 MiB, a value over 16 MiB, keys
// deeper than 64 or names longer than the limits make the file unreadable. Such a file is
// reported once (ReportSettingsProblem), read as empty, and kept beside the store as a
// backup before the next write.
#pragma once

#include "platform/settings/SettingsFile.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TStoreValue {
    std::string Name;
    TRegDataType Type = TRegDataType::rdUnknown;
    int32_t Integer = 0;
    std::string Data; // the string, or the bytes of binary data
};

// Limits of the store.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kMaxValueSize = 16u << 20;
constexpr size_t kMaxKeyDepth = 64;
constexpr size_t kMaxStoreFileSize = 256u << 20;

class TUserStore {
public:
    // A key's names from the root; the root itself is the empty path.
    using TKeyPath = std::vector<std::string>;

    // A store over the file (read now; a missing file is an empty store).
    explicit TUserStore(std::string fileName);
    // Writes pending changes; a failure is reported, not raised.
    ~TUserStore();
    TUserStore(const TUserStore&) = delete;
    TUserStore& operator=(const TUserStore&) = delete;

    const std::string& FileName() const { return m_fileName; }

    // The process's store over the default file: DefaultFileName() unless tests redirect it.
    static std::shared_ptr<TUserStore> Default();
    // ApplicationConfigFolder() + "/user-settings".
    static std::string DefaultFileName();
    // Points the default store at another file (tests: one file per fixture); an empty
    // name restores the default file. The old store writes its pending changes first.
    static void SetDefaultFile(const std::string& fileName);

    // Whether the key exists; `actual` receives the names as stored.
    bool FindKey(const TKeyPath& path, TKeyPath* actual = nullptr) const;
    // Creates the key and the missing keys above it; false when a name is empty or too
    // long or the key would lie deeper than the limit.
    bool CreateKey(const TKeyPath& path, TKeyPath* actual = nullptr);
    // Deletes the key with everything below it; false when missing (the root cannot be).
    bool DeleteKey(const TKeyPath& path);
    std::vector<std::string> KeyNames(const TKeyPath& path) const;
    std::vector<std::string> ValueNames(const TKeyPath& path) const;
    bool HasSubKeys(const TKeyPath& path) const;

    // The value, or null when it or its key is missing.
    const TStoreValue* FindValue(const TKeyPath& path, std::string_view name) const;
    // Sets a value of an existing key; throws ERegistryException for a name or data over
    // the limits or a missing key.
    void SetValue(const TKeyPath& path, TStoreValue value);
    bool DeleteValue(const TKeyPath& path, std::string_view name);

    bool Modified() const { return !m_journal.empty(); }
    // Writes the pending changes (nothing when there are none); throws ERegistryException
    // naming the file.
    void Flush();
    // Reads the file again when another process changed it and nothing is pending here.
    void Refresh();

    // Why the file could not be read the last time (empty when it could).
    const std::string& LoadProblem() const { return m_loadProblem; }
    // The file a broken store was last kept in (empty when none).
    const std::string& BackupFileName() const { return m_backupFile; }

    struct Key;
    struct Change;

private:
    void Load();
    bool LoadInto(std::unique_ptr<Key>& root);
    void Apply(const Change& change, Key& root);
    void Record(Change change);
    // The path for a change: the last change's own when it names the same key.
    std::shared_ptr<const TKeyPath> JournalPath(const TKeyPath& path) const;
    void KeepBrokenFile();
    // The key at `path` (names as stored into `actual`), or null. The last key found is
    // remembered: a registry object reads and writes many values of one open key in a row.
    Key* FindNode(const TKeyPath& path, TKeyPath* actual = nullptr) const;
    void ForgetFoundNode() const;

    std::string m_fileName;
    std::unique_ptr<Key> m_root;
    std::deque<Change> m_journal;
    TFileStamp m_stamp;
    std::string m_loadProblem;
    bool m_brokenOnDisk = false;
    std::string m_backupFile;
    // The last key FindNode found: the path asked for, the names as stored, the key.
    mutable TKeyPath m_foundPath;
    mutable TKeyPath m_foundActual;
    mutable Key* m_foundKey = nullptr;
};
