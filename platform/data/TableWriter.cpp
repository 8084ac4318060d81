#include "platform/data/TableWriter.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/Sqlite_p.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace sqlitedb;

struct TTableWriter::Private {
    sqlite3* db = nullptr;
    ErrorContext context;
    Statement insert;
    size_t columnCount = 0;
    bool committed = false;
};

TTableWriter::TTableWriter(const std::string& fileName, const std::string& createSql, const std::string& tableName,
                           const std::vector<std::string>& columns)
    : d(std::make_unique<Private>())
{
    d->context = ErrorContext{fileName, tableName};
    struct stat st {};
    if (stat(fileName.c_str(), &st) == 0)
        throw EDatabaseError("The file '" + fileName + "' exists already.");
    if (columns.empty())
        throw EDatabaseError("No columns to write.");
    d->columnCount = columns.size();
    const int rc = sqlite3_open_v2(fileName.c_str(), &d->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            Fail(d->db, rc, d->context, "create it");
        try {
            Execute(d->db, "PRAGMA synchronous=FULL");
            Execute(d->db, createSql.c_str());
            Execute(d->db, "BEGIN");
            std::string names, params;
            for (const std::string& c : columns) {
                names += (names.empty() ? "" : ", ") + Quote(c);
                params += params.empty() ? "?" : ", ?";
            }
            d->insert = Statement(d->db, "INSERT INTO " + Quote(tableName) + " (" + names + ") VALUES (" + params + ")");
        } catch (const Error& e) {
            Fail(d->db, e.rc, d->context, "create the table");
        }
    } catch (...) {
        d->insert = Statement();
        sqlite3_close_v2(d->db);
        d->db = nullptr;
        unlink(fileName.c_str());
        throw;
    }
}

TTableWriter::~TTableWriter()
{
    d->insert = Statement();
    if (d->db) {
        if (!d->committed)
            sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(d->db);
    }
    if (!d->committed)
        unlink(d->context.FileName.c_str());
}

void TTableWriter::Add(const std::vector<Variant>& values)
{
    if (d->committed)
        throw EDatabaseError("The table file '" + d->context.FileName + "' was committed already.");
    if (values.size() != d->columnCount)
        throw EDatabaseError("A row needs " + std::to_string(d->columnCount) + " values.");
    sqlite3_stmt* stmt = d->insert.get();
    for (size_t i = 0; i < values.size(); ++i) {
        const Variant& v = values[i];
        const int index = int(i) + 1;
        switch (v.Type()) {
        case TVarType::varEmpty:
        case TVarType::varNull: sqlite3_bind_null(stmt, index); break;
        case TVarType::varInteger:
        case TVarType::varBoolean: sqlite3_bind_int64(stmt, index, v.AsInteger()); break;
        case TVarType::varDouble:
        case TVarType::varCurrency: sqlite3_bind_double(stmt, index, v.AsFloat()); break;
        case TVarType::varDate: {
            const std::string s = v.AsString();
            sqlite3_bind_text(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
            break;
        }
        case TVarType::varString:
            sqlite3_bind_text(stmt, index, v.StringView().data(), int(v.StringView().size()), SQLITE_STATIC);
            break;
        }
    }
    try {
        d->insert.Step();
    } catch (const Error& e) {
        d->insert.Reset();
        Fail(d->db, e.rc, d->context, "add a row");
    }
    d->insert.Reset();
}

void TTableWriter::Commit()
{
    if (d->committed)
        return;
    try {
        Execute(d->db, "COMMIT");
    } catch (const Error& e) {
        Fail(d->db, e.rc, d->context, "commit the rows");
    }
    d->committed = true;
}
