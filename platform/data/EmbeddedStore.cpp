#include "platform/data/EmbeddedStore.h"

#include <sodium.h>
#include <unistd.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/system/Paths.h"

namespace data {

using core::AnsiString;
using core::EDatabaseError;

namespace {

constexpr const char* Schema = R"sql(
CREATE TABLE StoreLogin (
  UserName TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
  PasswordHash TEXT NOT NULL);
CREATE TABLE TsAccount (
  AccountName TEXT NOT NULL PRIMARY KEY,
  AccountDb TEXT,
  Tag BIT NOT NULL DEFAULT 0);
)sql";

void InitSodium()
{
    if (sodium_init() < 0)
        throw EDatabaseError("The password library cannot start");
}

std::string HashPassword(const AnsiString& password)
{
    InitSodium();
    std::string utf8 = core::AnsiToUtf8(password);
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(hash, utf8.data(), utf8.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw EDatabaseError("Out of memory while hashing the password");
    sodium_memzero(utf8.data(), utf8.size());
    return hash;
}

bool VerifyPassword(const std::string& hash, const AnsiString& password)
{
    InitSodium();
    std::string utf8 = core::AnsiToUtf8(password);
    bool ok = crypto_pwhash_str_verify(hash.c_str(), utf8.data(), utf8.size()) == 0;
    sodium_memzero(utf8.data(), utf8.size());
    return ok;
}

bool IsPlainFileName(const AnsiString& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name)
        if (c == '/' || c == '\0')
            return false;
    return true;
}

}  // namespace

std::string TEmbeddedStore::PathFor(const AnsiString& catalog)
{
    if (!IsPlainFileName(catalog))
        throw EDatabaseError("Cannot open database \"%s\": not a valid catalogue name", catalog);
    return sys::JoinPath(sys::AppDataDirectory(), core::AnsiToUtf8(catalog) + ".db");
}

void TEmbeddedStore::Configure(sys::SqliteDatabase& db)
{
    // Write-ahead logging lets a table be read while another connection
    // posts; NORMAL still keeps every commit across a crash of the process.
    db.Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON;");
}

TEmbeddedStore TEmbeddedStore::Create(const std::string& path, const AnsiString& password)
{
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0)
        sys::ForceDirectories(path.substr(0, slash), 0700);
    if (sys::FileExists(path))
        throw EDatabaseError("The store %s exists already", core::Utf8ToAnsi(path));
    TEmbeddedStore store(sys::SqliteDatabase::OpenOrCreate(path, true));
    Configure(store.db_);
    sys::SqliteTransaction transaction(store.db_);
    store.db_.Exec(Schema);
    store.SetPassword(StoreAdminUser, password);
    transaction.Commit();
    return store;
}

TEmbeddedStore TEmbeddedStore::Open(const std::string& path)
{
    if (!sys::FileExists(path))
        throw EDatabaseError("The account store %s does not exist (account-store init creates it)",
                             core::Utf8ToAnsi(path));
    // Choosing the journal mode writes to the file, so a store that may
    // only be read keeps the mode it has. Reading a store in write-ahead
    // mode needs its index file beside it; when there is no log with
    // changes not yet in the store (no writer has it open) and the index
    // cannot be made, the file alone holds everything and is read as it is.
    if (::access(path.c_str(), W_OK) != 0) {
        std::string folder = path.substr(0, path.find_last_of('/') + 1);
        bool logPending = sys::FileExists(path + "-wal");
        bool canIndex = sys::FileExists(path + "-shm") || ::access((folder.empty() ? "." : folder).c_str(), W_OK) == 0;
        if (!logPending && !canIndex)
            return TEmbeddedStore(sys::SqliteDatabase::OpenImmutable(path), true);
        return TEmbeddedStore(sys::SqliteDatabase::OpenExisting(path, true), true);
    }
    TEmbeddedStore store(sys::SqliteDatabase::OpenExisting(path));
    Configure(store.db_);
    return store;
}

void TEmbeddedStore::CheckWritable() const
{
    if (readOnly_)
        throw EDatabaseError("The account store %s may only be read: nothing was saved", core::Utf8ToAnsi(Path()));
}

bool TEmbeddedStore::CheckPassword(const AnsiString& user, const AnsiString& password)
{
    sys::SqliteStatement find = db_.Prepare("SELECT PasswordHash FROM StoreLogin WHERE UserName = ?");
    find.BindText(1, core::AnsiToUtf8(user));
    if (!find.Step())
        return false;
    return VerifyPassword(find.ColumnText(0), password);
}

void TEmbeddedStore::SetPassword(const AnsiString& user, const AnsiString& password)
{
    CheckWritable();
    sys::SqliteStatement set = db_.Prepare(
        "INSERT INTO StoreLogin (UserName, PasswordHash) VALUES (?1, ?2) "
        "ON CONFLICT (UserName) DO UPDATE SET PasswordHash = ?2");
    set.BindText(1, core::AnsiToUtf8(user));
    set.BindText(2, HashPassword(password));
    set.Run();
}

void TEmbeddedStore::AddAccounts(const std::vector<Account>& accounts)
{
    CheckWritable();
    sys::SqliteTransaction transaction(db_);
    sys::SqliteStatement insert = db_.Prepare("INSERT INTO TsAccount (AccountName, AccountDb, Tag) VALUES (?, ?, ?)");
    for (const Account& account : accounts) {
        insert.BindText(1, core::AnsiToUtf8(account.Name));
        insert.BindText(2, core::AnsiToUtf8(account.Database));
        insert.BindInt64(3, account.Hidden ? 1 : 0);
        insert.Run();
    }
    transaction.Commit();
}

std::vector<TEmbeddedStore::Account> TEmbeddedStore::Accounts()
{
    std::vector<Account> accounts;
    sys::SqliteStatement list = db_.Prepare("SELECT AccountName, AccountDb, Tag FROM TsAccount ORDER BY rowid");
    while (list.Step())
        accounts.push_back({core::Utf8ToAnsi(list.ColumnText(0)), core::Utf8ToAnsi(list.ColumnText(1)),
                            list.ColumnInt64(2) != 0});
    return accounts;
}

}  // namespace data
