#include "platform/data/Table.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/Sqlite_p.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

using namespace sqlitedb;

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper((unsigned char)c));
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Maps a declared column type to a field type and size; ftUnknown when unusable.
TFieldType TypeFromDeclaration(const std::string& declared, int& size)
{
    const std::string decl = Upper(Trim(declared));
    std::string base = decl;
    int arg = -1;
    size_t paren = decl.find('(');
    if (paren != std::string::npos) {
        base = Trim(decl.substr(0, paren));
        try {
            arg = std::stoi(decl.substr(paren + 1));
        } catch (...) {
            arg = -1;
        }
    }
    // "UNSIGNED BIG INT", "DOUBLE PRECISION", "CHARACTER VARYING" and similar.
    size_t space = base.find(' ');
    std::string first = space == std::string::npos ? base : base.substr(0, space);
    size = 0;
    if (first == "INTEGER" || first == "INT" || first == "MEDIUMINT" || first == "INT32")
        return TFieldType::ftInteger;
    if (first == "SMALLINT" || first == "TINYINT" || first == "INT2" || first == "INT16")
        return TFieldType::ftSmallint;
    if (first == "WORD")
        return TFieldType::ftWord;
    if (first == "BIGINT" || first == "INT8" || first == "INT64" || first == "LARGEINT" || base == "UNSIGNED BIG INT")
        return TFieldType::ftLargeint;
    if (first == "VARCHAR" || first == "CHAR" || first == "CHARACTER" || first == "NVARCHAR" || first == "NCHAR" ||
        first == "VARYING" || first == "NATIVE" || (first == "TEXT" && arg > 0) || first == "STRING") {
        size = arg > 0 ? arg : 255;
        return TFieldType::ftString;
    }
    if (first == "TEXT" || first == "CLOB" || first == "MEMO")
        return TFieldType::ftMemo;
    if (first == "REAL" || first == "FLOAT" || first == "DOUBLE" || first == "NUMERIC" || first == "DECIMAL")
        return TFieldType::ftFloat;
    if (first == "MONEY" || first == "CURRENCY")
        return TFieldType::ftCurrency;
    if (first == "BOOLEAN" || first == "BOOL" || first == "LOGICAL")
        return TFieldType::ftBoolean;
    if (first == "DATE")
        return TFieldType::ftDate;
    if (first == "DATETIME" || first == "TIMESTAMP")
        return TFieldType::ftDateTime;
    if (first == "TIME")
        return TFieldType::ftTime;
    if (first == "BLOB" || first == "BINARY" || first == "VARBINARY")
        return TFieldType::ftBlob;
    if (first == "GRAPHIC")
        return TFieldType::ftGraphic;
    return TFieldType::ftUnknown;
}

bool IsIntegerType(TFieldType t)
{
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftWord ||
           t == TFieldType::ftAutoInc || t == TFieldType::ftLargeint;
}

// Reads a column into the variant form of its field type. A stored value that does
// not fit the type (SQLite keeps any value in any column) is kept as it is, so that
// nothing is lost or invented; reading it through a typed accessor then raises.
Variant ReadValue(sqlite3_stmt* stmt, int col, TFieldType type)
{
    const int storage = sqlite3_column_type(stmt, col);
    if (storage == SQLITE_NULL)
        return Variant::Null();
    auto text = [&]() {
        const unsigned char* t = sqlite3_column_text(stmt, col);
        return std::string(reinterpret_cast<const char*>(t), size_t(sqlite3_column_bytes(stmt, col)));
    };
    if (IsIntegerType(type)) {
        if (storage == SQLITE_INTEGER)
            return Variant(int64_t(sqlite3_column_int64(stmt, col)));
        if (storage == SQLITE_FLOAT) {
            const double d = sqlite3_column_double(stmt, col);
            if (d == std::trunc(d) && std::fabs(d) < 9.2e18)
                return Variant(int64_t(d));
            return Variant(d);
        }
        std::string s = text();
        Variant n;
        if (TryStrToNumber(s, n) && n.Type() == TVarType::varInteger)
            return n;
        return Variant(std::move(s));
    }
    switch (type) {
    case TFieldType::ftFloat:
    case TFieldType::ftBCD:
    case TFieldType::ftCurrency: {
        double d = 0;
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            d = sqlite3_column_double(stmt, col);
        } else {
            std::string s = text();
            Variant n;
            if (!TryStrToNumber(s, n))
                return Variant(std::move(s));
            d = n.AsFloat();
        }
        if (type == TFieldType::ftCurrency)
            return Variant(TCurrency::FromDouble(d));
        return Variant(d);
    }
    case TFieldType::ftBoolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return Variant(sqlite3_column_double(stmt, col) != 0);
        try {
            return Variant(Variant(text()).AsBoolean());
        } catch (const Exception&) {
            return Variant(text());
        }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime:
    case TFieldType::ftTime:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return Variant::FromDate(sqlite3_column_double(stmt, col));
        if (auto d = TryIsoStrToDateTime(text()))
            return Variant::FromDate(*d);
        return Variant(text());
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic: {
        const void* p = sqlite3_column_blob(stmt, col);
        return Variant(std::string(static_cast<const char*>(p), size_t(sqlite3_column_bytes(stmt, col))));
    }
    default:
        return Variant(text());
    }
}

void BindValue(sqlite3_stmt* stmt, int index, const Variant& value, TFieldType type)
{
    if (value.IsClear()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    if (value.IsString() && !(type == TFieldType::ftString || type == TFieldType::ftMemo || type == TFieldType::ftFmtMemo ||
                              type == TFieldType::ftFixedChar || type == TFieldType::ftWideString ||
                              type == TFieldType::ftBlob || type == TFieldType::ftGraphic)) {
        // A value kept as read because it did not fit its column type goes back unchanged.
        const std::string_view s = value.StringView();
        sqlite3_bind_text(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    if (IsIntegerType(type)) {
        sqlite3_bind_int64(stmt, index, value.AsInteger());
        return;
    }
    switch (type) {
    case TFieldType::ftFloat:
    case TFieldType::ftBCD:
    case TFieldType::ftCurrency:
        sqlite3_bind_double(stmt, index, value.AsFloat());
        return;
    case TFieldType::ftBoolean:
        sqlite3_bind_int(stmt, index, value.AsBoolean() ? 1 : 0);
        return;
    case TFieldType::ftDate:
    case TFieldType::ftDateTime:
    case TFieldType::ftTime: {
        const TDateTime d = value.AsDateTime();
        const std::string s = type == TFieldType::ftDate ? DateToIsoStr(d) : type == TFieldType::ftTime ? TimeToIsoStr(d) : DateTimeToIsoStr(d);
        sqlite3_bind_text(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic: {
        const std::string s = value.AsString();
        sqlite3_bind_blob(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const std::string s = value.AsString();
        sqlite3_bind_text(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

// The file or folder can be written: the write permission the user sees (a file
// with no write bit for anyone is read-only even for an administrator) and what
// the system allows (read-only mounts, ownership).
bool PathWritable(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return access(path.c_str(), W_OK) == 0;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

} // namespace

struct TTable::Private {
    sqlite3* db = nullptr;
    ErrorContext context;
    std::string quotedTable;
    std::string rowid = "rowid";
    std::vector<TFieldType> types;       // per column
    std::vector<std::string> quotedColumns;
    int rowidAliasColumn = -1;           // the INTEGER PRIMARY KEY column, if any
    bool fileReadOnly = false;
    std::string readOnlyReason;
    int depth = 0;                       // transaction nesting
    Statement selectAll, selectByRowId, deleteByRowId;
    std::map<std::vector<bool>, Statement> inserts, updates;

    ~Private() { CloseDb(); }

    void CloseDb()
    {
        selectAll = Statement();
        selectByRowId = Statement();
        deleteByRowId = Statement();
        inserts.clear();
        updates.clear();
        if (db) {
            if (depth > 0)
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(db);
        }
        db = nullptr;
        depth = 0;
    }

    [[noreturn]] void Fail(int rc, const std::string& doing) const { sqlitedb::Fail(db, rc, context, doing); }

    void ReadRecord(sqlite3_stmt* stmt, TRecord& rec) const
    {
        rec.RowId = sqlite3_column_int64(stmt, 0);
        // One scratch row for every read: the record packs it in one allocation.
        thread_local std::vector<Variant> row;
        row.clear();
        row.reserve(types.size());
        for (size_t i = 0; i < types.size(); ++i)
            row.push_back(ReadValue(stmt, int(i) + 1, types[i]));
        rec.Values.Assign(row);
    }

    TRecordPtr ReadByRowId(int64_t rowId)
    {
        sqlite3_bind_int64(selectByRowId.get(), 1, rowId);
        TRecordPtr rec;
        try {
            if (selectByRowId.Step()) {
                rec = std::make_unique<TRecord>();
                ReadRecord(selectByRowId.get(), *rec);
            }
        } catch (const Error& e) {
            selectByRowId.Reset();
            Fail(e.rc, "read the record back");
        }
        selectByRowId.Reset();
        return rec;
    }

    // A new row could not be given a key: the largest one is taken (the storage then
    // answers as if the disk were full).
    bool KeysUsedUp() const
    {
        for (const std::string& sql : {"SELECT max(" + rowid + ") FROM " + quotedTable,
                                       std::string("SELECT seq FROM sqlite_sequence WHERE name = ?1")}) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
                sqlite3_finalize(stmt); // no sqlite_sequence without AUTOINCREMENT
                continue;
            }
            sqlite3_bind_text(stmt, 1, context.TableName.c_str(), -1, SQLITE_TRANSIENT);
            const bool full = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_type(stmt, 0) == SQLITE_INTEGER &&
                              sqlite3_column_int64(stmt, 0) == INT64_MAX;
            sqlite3_finalize(stmt);
            if (full)
                return true;
        }
        return false;
    }

    // After a failed statement inside a transaction: did the storage abandon it?
    void NoteTransactionLoss()
    {
        if (depth > 0 && sqlite3_get_autocommit(db))
            depth = -1; // abandoned: only Rollback clears this
    }
};

TTable::TTable(TComponent* AOwner) : TDataSet(AOwner), d(std::make_unique<Private>()) {}

TTable::~TTable()
{
    CloseQuietly();
}

void TTable::SetDatabaseName(const std::string& folder)
{
    if (folder == m_databaseName)
        return;
    CheckInactive();
    m_databaseName = folder;
}

void TTable::SetTableName(const std::string& fileName)
{
    if (fileName == m_tableName)
        return;
    CheckInactive();
    m_tableName = fileName;
}

void TTable::SetLockTimeout(int milliseconds)
{
    m_lockTimeout = std::max(0, milliseconds);
    if (d->db)
        sqlite3_busy_timeout(d->db, m_lockTimeout);
}

std::string TTable::FileName() const
{
    if (m_databaseName.empty() || (!m_tableName.empty() && m_tableName[0] == '/'))
        return m_tableName;
    if (m_databaseName.back() == '/')
        return m_databaseName + m_tableName;
    return m_databaseName + "/" + m_tableName;
}

std::string TTable::StoredTableName() const
{
    std::string name = m_tableName;
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name = name.substr(0, dot);
    return name;
}

bool TTable::InternalReadOnly() const
{
    return d->fileReadOnly;
}

std::string TTable::ReadOnlyMessage() const
{
    if (d->fileReadOnly)
        return "Cannot modify a read-only dataset: " + d->readOnlyReason + ".";
    return "Cannot modify a read-only dataset.";
}

void TTable::InternalOpen()
{
    if (m_tableName.empty())
        DatabaseError("No table name is set.");
    const std::string path = FileName();
    d->context = ErrorContext{path, StoredTableName()};
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        DatabaseError("The table file '" + path + "' does not exist.");
    if (!S_ISREG(st.st_mode))
        DatabaseError("'" + path + "' is not a table file.");

    d->fileReadOnly = false;
    d->readOnlyReason.clear();
    if (!PathWritable(path)) {
        d->fileReadOnly = true;
        d->readOnlyReason = "the table file '" + path + "' is read-only";
    } else if (!PathWritable(FolderOf(path))) {
        // The journal that makes changes safe lives beside the file.
        d->fileReadOnly = true;
        d->readOnlyReason = "the folder '" + FolderOf(path) + "' of the table file is read-only";
    }

    // A table is used from one thread at a time, so the connection needs no mutex.
    const int flags = (d->fileReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(path.c_str(), &d->db, flags, nullptr);
    if (rc != SQLITE_OK) {
        // Keep the handle long enough to word the message, then drop it.
        try {
            d->Fail(rc, "open it");
        } catch (...) {
            d->CloseDb();
            throw;
        }
    }
    try {
        sqlite3_extended_result_codes(d->db, 1);
        sqlite3_busy_timeout(d->db, m_lockTimeout);
        // Every committed change reaches the disk before the call returns.
        Execute(d->db, "PRAGMA synchronous=FULL");

        const std::string wanted = StoredTableName();
        std::string actualName, sql;
        {
            Statement find(d->db, "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
            sqlite3_bind_text(find.get(), 1, wanted.c_str(), -1, SQLITE_TRANSIENT);
            if (!find.Step())
                DatabaseError("Table '" + wanted + "' not found in '" + path + "'.");
            actualName = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
            const unsigned char* s = sqlite3_column_text(find.get(), 1);
            sql = s ? reinterpret_cast<const char*>(s) : "";
        }
        const std::string upperSql = Upper(sql);
        if (upperSql.find("CREATE VIRTUAL TABLE") == 0)
            DatabaseError("Table '" + actualName + "' is a virtual table, which this program cannot use.");
        if (upperSql.find("WITHOUT ROWID") != std::string::npos)
            DatabaseError("Table '" + actualName + "' is a WITHOUT ROWID table, which this program cannot use.");
        d->quotedTable = Quote(actualName);
        d->context.TableName = actualName;

        std::vector<TFieldDef> defs;
        std::vector<std::pair<int, int>> pkOrder; // (position in key, column)
        {
            Statement info(d->db, "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?1)");
            sqlite3_bind_text(info.get(), 1, actualName.c_str(), -1, SQLITE_TRANSIENT);
            while (info.Step()) {
                TFieldDef def;
                def.Name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
                const unsigned char* type = sqlite3_column_text(info.get(), 1);
                def.DeclaredType = type ? reinterpret_cast<const char*>(type) : "";
                const bool notNull = sqlite3_column_int(info.get(), 2) != 0;
                const bool hasDefault = sqlite3_column_type(info.get(), 3) != SQLITE_NULL;
                const int pk = sqlite3_column_int(info.get(), 4);
                def.DataType = TypeFromDeclaration(def.DeclaredType, def.Size);
                if (def.DataType == TFieldType::ftUnknown) {
                    if (Trim(def.DeclaredType).empty())
                        DatabaseError("Column '" + def.Name + "' of table '" + actualName +
                                      "' has no declared type, so this program cannot use it.");
                    DatabaseError("Column '" + def.Name + "' of table '" + actualName + "' has the type '" +
                                  def.DeclaredType + "', which this program cannot use.");
                }
                def.Required = notNull && !hasDefault;
                def.InPrimaryKey = pk > 0;
                if (pk > 0)
                    pkOrder.push_back({pk, int(defs.size())});
                defs.push_back(std::move(def));
            }
        }
        if (defs.empty())
            DatabaseError("Table '" + actualName + "' has no columns.");
        std::sort(pkOrder.begin(), pkOrder.end());

        // A single INTEGER PRIMARY KEY column is the row id itself.
        d->rowidAliasColumn = -1;
        if (pkOrder.size() == 1 && Upper(Trim(defs[size_t(pkOrder[0].second)].DeclaredType)) == "INTEGER") {
            d->rowidAliasColumn = pkOrder[0].second;
            TFieldDef& key = defs[size_t(d->rowidAliasColumn)];
            key.Required = false; // the table assigns it when none is given
            if (upperSql.find("AUTOINCREMENT") != std::string::npos)
                key.DataType = TFieldType::ftAutoInc;
        }
        // The name that reaches the row id: not shadowed by a column of that name.
        d->rowid.clear();
        for (const char* candidate : {"rowid", "oid", "_rowid_"}) {
            const bool shadowed = std::any_of(defs.begin(), defs.end(), [&](const TFieldDef& def) {
                return SameName(def.Name, candidate);
            });
            const bool isAlias = d->rowidAliasColumn >= 0 && SameName(defs[size_t(d->rowidAliasColumn)].Name, candidate);
            if (!shadowed || isAlias) {
                d->rowid = candidate;
                break;
            }
        }
        if (d->rowid.empty())
            DatabaseError("Table '" + actualName + "' hides its row identity behind columns named ROWID, OID and _ROWID_.");

        d->types.clear();
        d->quotedColumns.clear();
        std::string columns;
        for (const TFieldDef& def : defs) {
            d->types.push_back(def.DataType);
            d->quotedColumns.push_back(Quote(def.Name));
            columns += ", " + d->quotedColumns.back();
        }
        std::string order;
        if (d->rowidAliasColumn < 0)
            for (const auto& [position, column] : pkOrder)
                order += d->quotedColumns[size_t(column)] + ", ";
        order += d->rowid;

        d->selectAll = Statement(d->db, "SELECT " + d->rowid + columns + " FROM " + d->quotedTable + " ORDER BY " + order);
        d->selectByRowId = Statement(d->db, "SELECT " + d->rowid + columns + " FROM " + d->quotedTable + " WHERE " + d->rowid + " = ?1");
        d->deleteByRowId = Statement(d->db, "DELETE FROM " + d->quotedTable + " WHERE " + d->rowid + " = ?1");
        SetFieldDefs(std::move(defs));
    } catch (const Error& e) {
        try {
            d->Fail(e.rc, "open it");
        } catch (...) {
            d->CloseDb();
            throw;
        }
    } catch (...) {
        d->CloseDb();
        throw;
    }
}

void TTable::InternalClose()
{
    d->CloseDb();
}

void TTable::InternalLoadRecords(std::vector<TRecord>& records)
{
    Statement& stmt = d->selectAll;
    try {
        while (stmt.Step())
            d->ReadRecord(stmt.get(), records.emplace_back());
    } catch (const Error& e) {
        stmt.Reset();
        d->Fail(e.rc, "read its records");
    }
    stmt.Reset();
}

TRecordPtr TTable::InternalPost(const TRecord* original, const TRecord& edited, const std::vector<bool>& changed)
{
    if (d->fileReadOnly)
        DatabaseError(ReadOnlyMessage());
    if (d->depth < 0)
        DatabaseError("The transaction was abandoned after an error; roll it back before making changes.");
    const bool anyChange = std::find(changed.begin(), changed.end(), true) != changed.end();
    if (original && !anyChange)
        return std::make_unique<TRecord>(*original);

    auto& cache = original ? d->updates : d->inserts;
    auto it = cache.find(changed);
    if (it == cache.end()) {
        std::string sql;
        if (!original) {
            std::string names, params;
            for (size_t i = 0; i < changed.size(); ++i)
                if (changed[i]) {
                    names += (names.empty() ? "" : ", ") + d->quotedColumns[i];
                    params += params.empty() ? "?" : ", ?";
                }
            sql = names.empty() ? "INSERT INTO " + d->quotedTable + " DEFAULT VALUES"
                                : "INSERT INTO " + d->quotedTable + " (" + names + ") VALUES (" + params + ")";
        } else {
            std::string sets;
            for (size_t i = 0; i < changed.size(); ++i)
                if (changed[i])
                    sets += (sets.empty() ? "" : ", ") + d->quotedColumns[i] + " = ?";
            sql = "UPDATE " + d->quotedTable + " SET " + sets + " WHERE " + d->rowid + " = ?";
        }
        try {
            it = cache.emplace(changed, Statement(d->db, sql)).first;
        } catch (const Error& e) {
            d->Fail(e.rc, "save the record");
        }
    }
    Statement& stmt = it->second;
    int index = 1;
    for (size_t i = 0; i < changed.size(); ++i)
        if (changed[i])
            BindValue(stmt.get(), index++, edited.Values[i], d->types[i]);
    if (original)
        sqlite3_bind_int64(stmt.get(), index, original->RowId);
    try {
        stmt.Step();
    } catch (const Error& e) {
        stmt.Reset();
        d->NoteTransactionLoss();
        if (!original && (e.rc & 0xFF) == SQLITE_FULL && d->KeysUsedUp())
            DatabaseError("Table '" + d->context.TableName + "' in '" + d->context.FileName +
                          "' has used up its keys: its largest key is the largest number a key can be, so no record "
                          "can be added. Give the records smaller keys, or copy them into a new table.");
        d->Fail(e.rc, "save the record");
    }
    stmt.Reset();

    int64_t rowId = 0;
    if (!original) {
        rowId = sqlite3_last_insert_rowid(d->db);
    } else {
        if (sqlite3_changes(d->db) == 0)
            DatabaseError("The record was not saved: another program has deleted it from '" + d->context.FileName + "'.");
        rowId = original->RowId;
        if (d->rowidAliasColumn >= 0 && changed[size_t(d->rowidAliasColumn)] &&
            !edited.Values[size_t(d->rowidAliasColumn)].IsClear())
            rowId = edited.Values[size_t(d->rowidAliasColumn)].AsInteger();
    }
    TRecordPtr stored = d->ReadByRowId(rowId);
    if (!stored)
        DatabaseError("The record was saved but could not be read back from '" + d->context.FileName + "'.");
    return stored;
}

void TTable::InternalDelete(const TRecord& record)
{
    if (d->fileReadOnly)
        DatabaseError(ReadOnlyMessage());
    if (d->depth < 0)
        DatabaseError("The transaction was abandoned after an error; roll it back before making changes.");
    Statement& stmt = d->deleteByRowId;
    sqlite3_bind_int64(stmt.get(), 1, record.RowId);
    try {
        stmt.Step();
    } catch (const Error& e) {
        stmt.Reset();
        d->NoteTransactionLoss();
        d->Fail(e.rc, "delete the record");
    }
    stmt.Reset();
    // A record another program deleted first is gone all the same.
}

void TTable::InternalDeleteRecords(const std::vector<const TRecord*>& records)
{
    if (d->fileReadOnly)
        DatabaseError(ReadOnlyMessage());
    if (d->depth < 0)
        DatabaseError("The transaction was abandoned after an error; roll it back before making changes.");
    // One prepared statement run for each record in the order given (a trigger sees
    // them go in that order), all inside one transaction: the caller's, or one of its
    // own, so that they go all or none.
    const bool ownTransaction = d->depth == 0;
    Statement& stmt = d->deleteByRowId;
    try {
        if (ownTransaction)
            Execute(d->db, "BEGIN IMMEDIATE");
        for (const TRecord* record : records) {
            sqlite3_bind_int64(stmt.get(), 1, record->RowId);
            try {
                stmt.Step();
            } catch (...) {
                stmt.Reset();
                throw;
            }
            stmt.Reset();
        }
        if (ownTransaction)
            Execute(d->db, "COMMIT");
    } catch (const Error& e) {
        if (ownTransaction)
            sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
        else
            d->NoteTransactionLoss();
        d->Fail(e.rc, "delete the records");
    }
}

bool TTable::InTransaction() const
{
    return d->depth != 0;
}

int TTable::TransactionDepth() const
{
    return d->depth < 0 ? 1 : d->depth;
}

void TTable::StartTransaction()
{
    CheckActive();
    if (d->fileReadOnly || ReadOnly())
        DatabaseError(ReadOnlyMessage());
    if (d->depth < 0)
        DatabaseError("The transaction was abandoned after an error; roll it back first.");
    try {
        if (d->depth == 0) {
            // IMMEDIATE takes the write lock now, so a locked file fails here, before
            // anything was changed.
            Execute(d->db, "BEGIN IMMEDIATE");
        } else {
            Execute(d->db, ("SAVEPOINT level" + std::to_string(d->depth + 1)).c_str());
        }
    } catch (const Error& e) {
        d->Fail(e.rc, "start a transaction");
    }
    ++d->depth;
}

void TTable::Commit()
{
    CheckActive();
    if (d->depth == 0)
        DatabaseError("No transaction is active.");
    if (d->depth < 0)
        DatabaseError("The transaction was abandoned after an error and nothing of it was saved; roll it back.");
    try {
        if (d->depth == 1)
            Execute(d->db, "COMMIT");
        else
            Execute(d->db, ("RELEASE level" + std::to_string(d->depth)).c_str());
    } catch (const Error& e) {
        // A busy COMMIT leaves the transaction open: the caller may retry or roll back.
        d->NoteTransactionLoss();
        d->Fail(e.rc, "commit the changes");
    }
    --d->depth;
}

void TTable::Rollback()
{
    CheckActive();
    if (d->depth == 0)
        DatabaseError("No transaction is active.");
    if (d->depth < 0 || sqlite3_get_autocommit(d->db)) {
        d->depth = 0;
    } else if (d->depth == 1) {
        sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
        d->depth = 0;
    } else {
        const std::string level = "level" + std::to_string(d->depth);
        try {
            Execute(d->db, ("ROLLBACK TO " + level).c_str());
            Execute(d->db, ("RELEASE " + level).c_str());
            --d->depth;
        } catch (const Error& e) {
            sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
            d->depth = 0;
            ReloadRecords();
            d->Fail(e.rc, "roll back to the save point");
        }
    }
    ReloadRecords();
}
