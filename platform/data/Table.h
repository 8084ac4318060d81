// A table of a database file: DatabaseName is the folder, TableName the file
// ("ARBOLO.DB"). The file is a SQLite database; the table inside it is named after
// the file without its extension ("ARBOLO"), matched without regard to case.
//
// Field types come from the declared column types:
//   INTEGER PRIMARY KEY AUTOINCREMENT -> ftAutoInc;  INTEGER, INT -> ftInteger;
//   SMALLINT, TINYINT -> ftSmallint;  WORD -> ftWord;  BIGINT -> ftLargeint;
//   VARCHAR(n), CHAR(n), TEXT(n) -> ftString of Size n (VARCHAR alone: 255);
//   TEXT, CLOB, MEMO -> ftMemo;  REAL, FLOAT, DOUBLE, NUMERIC, DECIMAL -> ftFloat;
//   MONEY, CURRENCY -> ftCurrency;  BOOLEAN, BOOL -> ftBoolean;  DATE -> ftDate;
//   DATETIME, TIMESTAMP -> ftDateTime;  TIME -> ftTime;  BLOB -> ftBlob;
//   GRAPHIC -> ftGraphic. Another type, a column without a type, a WITHOUT ROWID or
//   virtual table is refused on Open with a message naming it.
// NOT NULL without a DEFAULT makes a field Required. Dates are stored as ISO text
// ("2024-05-31", "2024-05-31 14:05:00"), Booleans as 0 and 1.
//
// Records are in the order of the primary key (the row order without one). Every
// Post and Delete is committed to the file (rollback journal, full sync) before it
// returns, unless an explicit transaction is open: then the changes are committed
// together by Commit, or undone by Rollback.
//
// Faults: a read-only file or folder opens with CanModify false, and changes are
// refused with a message saying so. A file locked by another program is waited for
// LockTimeout milliseconds, then the operation fails with a message; the record
// being posted stays in edit state and nothing is lost. A missing file, a file that
// is not a database, a missing table or an unusable column raise on Open. A key
// violation or a missing required value raises on Post and the record stays in
// edit state.
#pragma once

#include "platform/data/DataSet.h"

#include <memory>
#include <string>

class TTable : public TDataSet {
public:
    explicit TTable(TComponent* AOwner = nullptr);
    ~TTable() override;

    const std::string& DatabaseName() const { return m_databaseName; }
    // Only while closed.
    void SetDatabaseName(const std::string& folder);
    const std::string& TableName() const { return m_tableName; }
    // Only while closed.
    void SetTableName(const std::string& fileName);
    // The full path of the table file.
    std::string FileName() const;
    // The name of the table inside the file.
    std::string StoredTableName() const;

    // How long to wait for a lock held by another program (default 2000 ms).
    int LockTimeout() const { return m_lockTimeout; }
    void SetLockTimeout(int milliseconds);

    // --- Transactions ---
    // Nestable: the outermost StartTransaction begins a transaction (taking the
    // write lock, waiting LockTimeout for it), inner ones set a save point. Commit
    // ends the innermost level; only the outermost Commit writes to the file. Rollback
    // undoes the innermost level (for the outermost, the whole transaction). While a
    // transaction is open, Post and Delete are not committed one by one.
    // After a Rollback the dataset drops a pending edit, reloads its records from the
    // file and puts the cursor back on the record it was on (or at the same
    // position), then tells its controls that the data set changed. If the storage
    // itself abandoned the transaction after an error, Commit raises and Rollback only
    // reloads. Closing the table with a transaction open rolls it back.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;
    int TransactionDepth() const;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    void InternalLoadRecords(std::vector<TRecord>& records) override;
    TRecordPtr InternalPost(const TRecord* original, const TRecord& edited, const std::vector<bool>& changed) override;
    void InternalDelete(const TRecord& record) override;
    // All in one transaction (the caller's, or one of its own), in the order given.
    void InternalDeleteRecords(const std::vector<const TRecord*>& records) override;
    bool InternalReadOnly() const override;
    std::string ReadOnlyMessage() const override;

private:
    struct Private;
    std::unique_ptr<Private> d;
    std::string m_databaseName;
    std::string m_tableName;
    int m_lockTimeout = 2000;
};

// Rolls back on destruction unless committed: one user action, all or nothing.
class TTableTransaction {
public:
    explicit TTableTransaction(TTable& table) : m_table(table) { m_table.StartTransaction(); }
    ~TTableTransaction()
    {
        if (!m_done) {
            try {
                m_table.Rollback();
            } catch (...) {
                // The table reloads what the file holds; nothing more can be done here.
            }
        }
    }
    void Commit()
    {
        m_table.Commit();
        m_done = true;
    }
    TTableTransaction(const TTableTransaction&) = delete;
    TTableTransaction& operator=(const TTableTransaction&) = delete;

private:
    TTable& m_table;
    bool m_done = false;
};
