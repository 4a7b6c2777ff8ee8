#include "platform/system/SqliteDatabase.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"

namespace sys {

namespace {

// Another connection may hold the write lock for a moment; wait rather than fail.
constexpr int BusyTimeoutMs = 10000;

[[noreturn]] void Raise(std::string_view context, const char* message)
{
    core::AnsiString text = core::Utf8ToAnsi(message ? message : "unknown SQLite error");
    if (!context.empty())
        text = core::Utf8ToAnsi(context) + ": " + text;
    throw core::EDatabaseError(text);
}

}  // namespace

SqliteDatabase::~SqliteDatabase()
{
    Close();
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_))
{
}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept
{
    if (this != &other) {
        Close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

SqliteDatabase SqliteDatabase::OpenWithFlags(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        Raise("Cannot open " + path, message.c_str());
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    return SqliteDatabase(db, path);
}

SqliteDatabase SqliteDatabase::OpenExisting(const std::string& path, bool readOnly)
{
    return OpenWithFlags(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

SqliteDatabase SqliteDatabase::OpenImmutable(const std::string& path)
{
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[(static_cast<unsigned char>(c) >> 4) & 15];
            uri += hex[static_cast<unsigned char>(c) & 15];
        } else {
            uri += c;
        }
    }
    uri += "?immutable=1";
    SqliteDatabase db = OpenWithFlags(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    db.path_ = path;
    return db;
}

SqliteDatabase SqliteDatabase::OpenOrCreate(const std::string& path, bool exclusive)
{
    // SQLite would create the file with the process's umask; creating it
    // ourselves first makes it readable by its owner only. Its journal files
    // take the same permissions from it.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : 0), 0600);
    if (fd < 0) {
        int error = errno;
        Raise("Cannot create " + path, std::strerror(error));
    }
    ::close(fd);
    return OpenWithFlags(path, SQLITE_OPEN_READWRITE);
}

void SqliteDatabase::Close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void SqliteDatabase::Exec(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        Raise({}, message.c_str());
    }
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK)
        Fail();
    return SqliteStatement(this, stmt);
}

int64_t SqliteDatabase::Changes() const
{
    return sqlite3_changes64(db_);
}

int64_t SqliteDatabase::LastInsertRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteDatabase::InTransaction() const
{
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

void SqliteDatabase::Fail(std::string_view context) const
{
    Raise(context, db_ ? sqlite3_errmsg(db_) : nullptr);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

void SqliteStatement::Check(int rc) const
{
    if (rc != SQLITE_OK)
        db_->Fail();
}

void SqliteStatement::BindNull(int index)
{
    Check(sqlite3_bind_null(stmt_, index));
}

void SqliteStatement::BindInt64(int index, int64_t value)
{
    Check(sqlite3_bind_int64(stmt_, index, value));
}

void SqliteStatement::BindDouble(int index, double value)
{
    Check(sqlite3_bind_double(stmt_, index, value));
}

void SqliteStatement::BindText(int index, std::string_view utf8)
{
    Check(sqlite3_bind_text64(stmt_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

void SqliteStatement::BindBlob(int index, std::string_view bytes)
{
    // A zero-length blob is still a blob, not NULL: give SQLite a valid pointer.
    static const char empty = 0;
    Check(sqlite3_bind_blob64(stmt_, index, bytes.empty() ? &empty : bytes.data(), bytes.size(), SQLITE_TRANSIENT));
}

bool SqliteStatement::Step()
{
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Keep the message before the reset, which may replace it.
    std::string message = sqlite3_errmsg(db_->Handle());
    sqlite3_reset(stmt_);
    Raise({}, message.c_str());
}

void SqliteStatement::Run()
{
    while (Step()) {
    }
    Reset();
}

void SqliteStatement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool SqliteStatement::ReadOnly() const
{
    return sqlite3_stmt_readonly(stmt_) != 0;
}

int SqliteStatement::ColumnCount() const
{
    return sqlite3_column_count(stmt_);
}

std::string SqliteStatement::ColumnName(int column) const
{
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

std::string SqliteStatement::ColumnDeclaredType(int column) const
{
    const char* type = sqlite3_column_decltype(stmt_, column);
    return type ? type : "";
}

int SqliteStatement::ColumnType(int column) const
{
    return sqlite3_column_type(stmt_, column);
}

int64_t SqliteStatement::ColumnInt64(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::ColumnDouble(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

std::string SqliteStatement::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(text, static_cast<size_t>(size)) : std::string();
}

std::string SqliteStatement::ColumnBlob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return bytes ? std::string(bytes, static_cast<size_t>(size)) : std::string();
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db)
{
    // IMMEDIATE takes the write lock now, so that two writers queue at the
    // start instead of one failing half-way through.
    db_.Exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    if (!done_ && db_.InTransaction()) {
        try {
            db_.Exec("ROLLBACK");
        } catch (...) {
            // The rollback of a failed transaction has nothing left to report.
        }
    }
}

void SqliteTransaction::Commit()
{
    db_.Exec("COMMIT");
    done_ = true;
}

}  // namespace sys
