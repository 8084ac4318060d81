#include "TestTables.h"

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& root)
{
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory(root, ec) ? std::filesystem::path(root) : std::filesystem::temp_directory_path();
    std::string pattern = (base / "velmora-data-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make files and folders read-only; give the write bits back to clean up.
    for (auto& entry : std::filesystem::recursive_directory_iterator(m_path, ec))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void ExecSql(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    sqlite3_close(db);
}

std::string QuerySql(const std::string& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    std::string out;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (!out.empty())
            out += '\n';
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            if (i)
                out += '|';
            const unsigned char* t = sqlite3_column_text(stmt, i);
            out += t ? reinterpret_cast<const char*>(t) : "NULL";
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return out;
}

std::string ReadFileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const char* const kArboloSchema =
    "CREATE TABLE ARBOLO (ID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT INTEGER, NAME VARCHAR(100), CDATE DATE, "
    "CBY VARCHAR(100), WIDTH INTEGER, HEIGHT INTEGER, TYPE INTEGER, COLOR INTEGER, IMAGE INTEGER, "
    "IMAGEALIGN INTEGER, \"ORDER\" INTEGER, ALIGN INTEGER);";

void MakeArbolo(const std::string& file, int count)
{
    std::string sql = kArboloSchema;
    sql += "BEGIN;";
    for (int i = 1; i <= count; ++i) {
        sql += "INSERT INTO ARBOLO (ID, NAME, WIDTH, \"ORDER\") VALUES (" + std::to_string(i) + ", 'N" + std::to_string(i) +
               "', " + std::to_string(10 * i) + ", " + std::to_string(i) + ");";
    }
    sql += "COMMIT;";
    ExecSql(file, sql);
}

LockHolder::LockHolder(const std::string& file)
{
    if (pipe(m_ready) != 0 || pipe(m_release) != 0)
        throw std::runtime_error("pipe");
    m_pid = fork();
    if (m_pid == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        // An exclusive transaction locks the whole file at once, reads included.
        const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        char c = rc == SQLITE_OK ? 'y' : 'n';
        (void)!write(m_ready[1], &c, 1);
        (void)!read(m_release[0], &c, 1);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        _exit(0);
    }
    char c = 0;
    (void)!read(m_ready[0], &c, 1);
    m_locked = c == 'y';
}

void LockHolder::Release()
{
    if (m_pid <= 0)
        return;
    char c = 'x';
    (void)!write(m_release[1], &c, 1);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    for (int fd : {m_ready[0], m_ready[1], m_release[0], m_release[1]})
        close(fd);
}
