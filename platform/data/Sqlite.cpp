#include "platform/data/Sqlite_p.h"

#include "platform/data/DatabaseError.h"

namespace sqlitedb {

std::string Quote(std::string_view identifier)
{
    std::string out = "\"";
    for (char c : identifier) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

Statement::Statement(sqlite3* db, const std::string& sql) : m_db(db)
{
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw Error{rc};
    }
}

bool Statement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw Error{rc};
}

void Execute(sqlite3* db, const char* sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw Error{rc};
}

namespace {

// "UNIQUE constraint failed: ARBOLO.ID, ARBOLO.X" -> "ID, X"
std::string ConstraintColumns(const std::string& message)
{
    size_t colon = message.find(": ");
    if (colon == std::string::npos)
        return {};
    std::string list = message.substr(colon + 2), out;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find(", ", start);
        if (end == std::string::npos)
            end = list.size();
        std::string item = list.substr(start, end - start);
        size_t dot = item.find('.');
        if (dot != std::string::npos)
            item = item.substr(dot + 1);
        if (!out.empty())
            out += ", ";
        out += item;
        start = end + 2;
    }
    return out;
}

} // namespace

void Fail(sqlite3* db, int rc, const ErrorContext& context, const std::string& doing)
{
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    const std::string detail = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const std::string file = "'" + context.FileName + "'";
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EDatabaseError("The table file " + file + " is locked by another program, so could not " + doing +
                             ". Nothing was lost; try again later.");
    case SQLITE_NOTADB:
        throw EDatabaseError("The file " + file + " is not a database, so it holds no table to open. Check that the "
                             "right file is given.");
    case SQLITE_CORRUPT:
        throw EDatabaseError("The table file " + file + " is damaged (" + detail + "). Use a copy of it from before the "
                             "damage.");
    case SQLITE_READONLY:
        if (extended == SQLITE_READONLY_ROLLBACK || extended == SQLITE_READONLY_RECOVERY)
            throw EDatabaseError("The table file " + file + " was left unfinished by a program that stopped while writing "
                                 "it, and the file or its folder is read-only, so the unfinished change cannot be undone. "
                                 "Make the file and its folder writable, then open it again.");
        throw EDatabaseError("Cannot modify a read-only dataset: the table file " + file + " is read-only.");
    case SQLITE_CANTOPEN:
        throw EDatabaseError("Cannot open the table file " + file + " (" + detail + ").");
    case SQLITE_FULL:
        throw EDatabaseError("The disk holding " + file + " is full, so could not " + doing + ".");
    case SQLITE_IOERR:
        throw EDatabaseError("A read or write error in " + file + " stopped the attempt to " + doing + " (" + detail + ").");
    case SQLITE_CONSTRAINT: {
        const std::string columns = ConstraintColumns(detail);
        if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY ||
            extended == SQLITE_CONSTRAINT_ROWID)
            throw EDatabaseError("Key violation: another record already has this value of " + columns + ".");
        if (extended == SQLITE_CONSTRAINT_NOTNULL)
            throw EDatabaseError("Field '" + columns + "' must have a value.");
        throw EDatabaseError("The record breaks a rule of table '" + context.TableName + "' (" + detail + ").");
    }
    default:
        if (detail == "unsupported file format")
            throw EDatabaseError("The file " + file + " is in a database format this program cannot read (one newer or "
                                 "other than its own). Open a copy saved in the ordinary format.");
        throw EDatabaseError("Could not " + doing + " in " + file + ": " + detail + ".");
    }
}

} // namespace sqlitedb
