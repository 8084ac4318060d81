#include "platform/data/baseline/BareScan.h"

#include <sqlite3.h>

#include <stdexcept>

TBareScanResult BareScan(const std::string& fileName, const std::string& table)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + fileName);
    }
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = "SELECT rowid, * FROM \"" + table + "\" ORDER BY 2";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    TBareScanResult result;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++result.Rows;
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER: result.Checksum += sqlite3_column_int64(stmt, c); break;
            case SQLITE_FLOAT: result.Checksum += int64_t(sqlite3_column_double(stmt, c)); break;
            case SQLITE_TEXT:
                sqlite3_column_text(stmt, c);
                result.Checksum += sqlite3_column_bytes(stmt, c);
                break;
            default: break;
            }
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}
