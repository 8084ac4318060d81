// Writes records straight into a new table file, all in one transaction: for
// generators and imports, where going through a dataset record by record would be
// needlessly slow. The table is then opened with TTable as usual.
#pragma once

#include "platform/data/Variant.h"

#include <memory>
#include <string>
#include <vector>

class TTableWriter {
public:
    // Creates fileName (which must not exist), runs createSql in it (the program's own
    // schema text: a CREATE TABLE statement and perhaps indexes), and prepares to add
    // rows to the columns of tableName. Throws EDatabaseError.
    TTableWriter(const std::string& fileName, const std::string& createSql, const std::string& tableName,
                 const std::vector<std::string>& columns);
    // Rolls back what was added unless Commit was called, and removes the file then.
    ~TTableWriter();
    TTableWriter(const TTableWriter&) = delete;
    TTableWriter& operator=(const TTableWriter&) = delete;

    // One row, a value per column: integers, floats, strings, dates (stored as ISO
    // text), Booleans (0/1) or null.
    void Add(const std::vector<Variant>& values);
    // Makes every row durable.
    void Commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
