// Private helpers around the SQLite C interface for the dataset layer: owned
// connections and statements, identifier quoting and error messages for users.
// Not part of the public interface.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace sqlitedb {

// A failed call; callers that know the file translate it with Fail.
struct Error {
    int rc;
};

// Quotes an identifier for SQL ("ORDER" -> "\"ORDER\""), doubling inner quotes.
std::string Quote(std::string_view identifier);

class Statement {
public:
    Statement() = default;
    // Throws Error when the SQL cannot be prepared.
    Statement(sqlite3* db, const std::string& sql);
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(Statement&& o) noexcept : m_stmt(o.m_stmt), m_db(o.m_db) { o.m_stmt = nullptr; }
    Statement& operator=(Statement&& o) noexcept
    {
        if (this != &o) {
            sqlite3_finalize(m_stmt);
            m_stmt = o.m_stmt;
            m_db = o.m_db;
            o.m_stmt = nullptr;
        }
        return *this;
    }
    sqlite3_stmt* get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }
    // Steps once: true for a row, false when done; throws Error.
    bool Step();
    void Reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    sqlite3* m_db = nullptr;
};

// Runs SQL without results; throws Error.
void Execute(sqlite3* db, const char* sql);

// The context used to word error messages.
struct ErrorContext {
    std::string FileName; // the table file, as the user named it
    std::string TableName;
};

// Throws EDatabaseError with a message for users for the connection's last error
// (code rc); `doing` says what was being done ("open", "save the record", ...).
[[noreturn]] void Fail(sqlite3* db, int rc, const ErrorContext& context, const std::string& doing);

} // namespace sqlitedb
