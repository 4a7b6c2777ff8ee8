#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of SQLite connections and statements, shared by the registry
// hives and the embedded data store. Text crosses this edge as UTF-8; the
// callers convert it from and to the active code page. Every failure raises
// core::EDatabaseError carrying SQLite's own message.
namespace sys {

class SqliteStatement;

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Opens an existing database file for reading and writing (or reading
    // only); a missing file is an error, never silently created.
    static SqliteDatabase OpenExisting(const std::string& path, bool readOnly = false);
    // Opens an existing file for reading only, as a file that nobody
    // changes meanwhile: SQLite then needs to make no lock or index files
    // beside it, which a folder the user may not write to cannot hold.
    static SqliteDatabase OpenImmutable(const std::string& path);
    // Opens the file, creating it first readable and writable by its owner
    // only. With `exclusive`, a file that exists already is an error.
    static SqliteDatabase OpenOrCreate(const std::string& path, bool exclusive);

    bool IsOpen() const { return db_ != nullptr; }
    sqlite3* Handle() const { return db_; }
    const std::string& Path() const { return path_; }
    void Close();

    // Runs one or more statements without parameters.
    void Exec(const char* sql);
    SqliteStatement Prepare(std::string_view sql);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int64_t Changes() const;
    int64_t LastInsertRowId() const;
    bool InTransaction() const;

    // Raises the connection's last error, prefixed with `context` when given.
    [[noreturn]] void Fail(std::string_view context = {}) const;

private:
    explicit SqliteDatabase(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
    static SqliteDatabase OpenWithFlags(const std::string& path, int flags);

    sqlite3* db_ = nullptr;
    std::string path_;
};

// One prepared statement. Parameters count from 1 and columns from 0, as in
// SQLite itself.
class SqliteStatement {
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void BindNull(int index);
    void BindInt64(int index, int64_t value);
    void BindDouble(int index, double value);
    void BindText(int index, std::string_view utf8);
    void BindBlob(int index, std::string_view bytes);

    // Moves to the next row: true while there is one, false when done.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    // Makes the statement ready to run again; bindings are cleared.
    void Reset();

    // Whether running the statement leaves the database as it is.
    bool ReadOnly() const;

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    std::string ColumnDeclaredType(int column) const;
    // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL.
    int ColumnType(int column) const;
    int64_t ColumnInt64(int column) const;
    double ColumnDouble(int column) const;
    std::string ColumnText(int column) const;
    std::string ColumnBlob(int column) const;

private:
    friend class SqliteDatabase;
    SqliteStatement(const SqliteDatabase* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    void Check(int rc) const;

    const SqliteDatabase* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// Begins a write transaction and rolls it back unless Commit is called, so
// that an exception anywhere inside leaves the file as it was.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void Commit();

private:
    SqliteDatabase& db_;
    bool done_ = false;
};

}  // namespace sys
