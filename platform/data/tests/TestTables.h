// Helpers for the dataset tests: a temporary folder, table files made from SQL, and
// reading a file back with SQLite directly (not through the dataset layer).
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    // A folder under `root` (when it exists; else the system's temporary folder).
    explicit TempDir(const std::string& root);
    ~TempDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Runs SQL on a database file (creating it when missing); throws std::runtime_error.
void ExecSql(const std::string& file, const std::string& sql);
// Rows of a query as "a|b|c" lines joined with '\n' (NULL reads "NULL").
std::string QuerySql(const std::string& file, const std::string& sql);
// The bytes of a file.
std::string ReadFileBytes(const std::string& file);

// The demonstration layout, in its field order.
extern const char* const kArboloSchema;
// An ARBOLO table with records ID 1..count, NAME "N1".."Ncount", PARENT null,
// ORDER = ID, WIDTH = 10*ID.
void MakeArbolo(const std::string& file, int count);

// A child process that holds an exclusive lock on a database file (as another
// program's open transaction would) until told to let go.
class LockHolder {
public:
    explicit LockHolder(const std::string& file);
    ~LockHolder() { Release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    // The lock was taken.
    bool Locked() const { return m_locked; }
    void Release();

private:
    int m_ready[2] = {-1, -1};
    int m_release[2] = {-1, -1};
    int m_pid = -1;
    bool m_locked = false;
};
