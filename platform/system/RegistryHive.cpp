#include "platform/system/RegistryHive.h"

#include <sqlite3.h>

#include "platform/core/Exception.h"
#include "platform/system/Paths.h"

namespace sys {

namespace {

// Keys and values, with foreign keys so that deleting a key takes its whole
// subtree and its values along, inside the same transaction.
constexpr const char* Schema = R"sql(
CREATE TABLE IF NOT EXISTS RegKey (
  Id INTEGER PRIMARY KEY,
  Parent INTEGER REFERENCES RegKey(Id) ON DELETE CASCADE,
  Name TEXT NOT NULL,
  Folded TEXT NOT NULL,
  UNIQUE (Parent, Folded));
CREATE TABLE IF NOT EXISTS RegValue (
  KeyId INTEGER NOT NULL REFERENCES RegKey(Id) ON DELETE CASCADE,
  Name TEXT NOT NULL,
  Folded TEXT NOT NULL,
  Type INTEGER NOT NULL,
  Data BLOB,
  PRIMARY KEY (KeyId, Folded));
INSERT OR IGNORE INTO RegKey (Id, Parent, Name, Folded) VALUES (1, NULL, '', '');
PRAGMA user_version = 1;
)sql";

std::string ParentFolder(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

std::string RegistryHive::FoldName(const std::string& utf8)
{
    // Only ASCII letters fold, as the key names of the classic registry do
    // for the texts this system writes; bytes of other characters stay.
    std::string folded = utf8;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

void RegistryHive::Configure(SqliteDatabase& db)
{
    // FULL makes every commit reach the disk before the call returns.
    db.Exec("PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;");
}

SqliteDatabase* RegistryHive::ForReading()
{
    if (db_.IsOpen())
        return &db_;
    if (!FileExists(path_))
        return nullptr;
    db_ = SqliteDatabase::OpenExisting(path_);
    Configure(db_);
    // A file whose first writer died before the schema was committed holds
    // nothing yet: read it as an empty hive.
    SqliteStatement version = db_.Prepare("PRAGMA user_version");
    if (!version.Step() || version.ColumnInt64(0) < 1) {
        version = SqliteStatement();
        db_.Close();
        return nullptr;
    }
    return &db_;
}

SqliteDatabase& RegistryHive::ForWriting()
{
    if (!db_.IsOpen()) {
        if (!FileExists(path_))
            ForceDirectories(ParentFolder(path_), 0700);
        db_ = SqliteDatabase::OpenOrCreate(path_, false);
        Configure(db_);
    }
    if (!schemaReady_) {
        // The schema statements change nothing once the hive has them.
        SqliteTransaction transaction(db_);
        db_.Exec(Schema);
        transaction.Commit();
        schemaReady_ = true;
    }
    return db_;
}

int64_t RegistryHive::FindKey(int64_t from, const std::vector<std::string>& names)
{
    SqliteDatabase* db = ForReading();
    if (!db)
        return names.empty() && from == RootId ? RootId : 0;
    if (!KeyAlive(from))
        return 0;
    SqliteStatement find = db->Prepare("SELECT Id FROM RegKey WHERE Parent = ? AND Folded = ?");
    int64_t key = from;
    for (const std::string& name : names) {
        find.BindInt64(1, key);
        find.BindText(2, FoldName(name));
        if (!find.Step())
            return 0;
        key = find.ColumnInt64(0);
        find.Reset();
    }
    return key;
}

int64_t RegistryHive::CreateKey(int64_t from, const std::vector<std::string>& names)
{
    SqliteDatabase& db = ForWriting();
    SqliteTransaction transaction(db);
    if (!KeyAlive(from))
        throw core::EDatabaseError("The key to create under was deleted");
    SqliteStatement find = db.Prepare("SELECT Id FROM RegKey WHERE Parent = ? AND Folded = ?");
    SqliteStatement insert = db.Prepare("INSERT INTO RegKey (Parent, Name, Folded) VALUES (?, ?, ?)");
    int64_t key = from;
    for (const std::string& name : names) {
        find.BindInt64(1, key);
        find.BindText(2, FoldName(name));
        if (find.Step()) {
            key = find.ColumnInt64(0);
        } else {
            insert.BindInt64(1, key);
            insert.BindText(2, name);
            insert.BindText(3, FoldName(name));
            insert.Run();
            key = db.LastInsertRowId();
        }
        find.Reset();
    }
    transaction.Commit();
    return key;
}

bool RegistryHive::DeleteKey(int64_t key)
{
    if (key == RootId || !ForReading())
        return false;
    SqliteDatabase& db = ForWriting();
    SqliteStatement remove = db.Prepare("DELETE FROM RegKey WHERE Id = ?");
    remove.BindInt64(1, key);
    remove.Run();
    return db.Changes() > 0;
}

bool RegistryHive::KeyAlive(int64_t key)
{
    SqliteDatabase* db = ForReading();
    if (!db)
        return key == RootId;
    SqliteStatement find = db->Prepare("SELECT 1 FROM RegKey WHERE Id = ?");
    find.BindInt64(1, key);
    return find.Step();
}

std::vector<std::string> RegistryHive::SubKeyNames(int64_t key)
{
    std::vector<std::string> names;
    if (SqliteDatabase* db = ForReading()) {
        SqliteStatement list = db->Prepare("SELECT Name FROM RegKey WHERE Parent = ? ORDER BY Id");
        list.BindInt64(1, key);
        while (list.Step())
            names.push_back(list.ColumnText(0));
    }
    return names;
}

std::vector<std::string> RegistryHive::ValueNames(int64_t key)
{
    std::vector<std::string> names;
    if (SqliteDatabase* db = ForReading()) {
        SqliteStatement list = db->Prepare("SELECT Name FROM RegValue WHERE KeyId = ? ORDER BY rowid");
        list.BindInt64(1, key);
        while (list.Step())
            names.push_back(list.ColumnText(0));
    }
    return names;
}

std::optional<RegistryHive::Value> RegistryHive::GetValue(int64_t key, const std::string& name)
{
    SqliteDatabase* db = ForReading();
    if (!db)
        return std::nullopt;
    SqliteStatement get = db->Prepare("SELECT Type, Data FROM RegValue WHERE KeyId = ? AND Folded = ?");
    get.BindInt64(1, key);
    get.BindText(2, FoldName(name));
    if (!get.Step())
        return std::nullopt;
    Value value;
    value.Type = static_cast<int>(get.ColumnInt64(0));
    // Whatever storage class the cell has, its bytes are what was written.
    value.Data = get.ColumnType(1) == SQLITE_BLOB ? get.ColumnBlob(1) : get.ColumnText(1);
    return value;
}

void RegistryHive::SetValue(int64_t key, const std::string& name, const Value& value)
{
    SqliteDatabase& db = ForWriting();
    // Replacing keeps the position of a value that exists already, so that
    // the order of GetValueNames stays the order of first writing.
    SqliteStatement set = db.Prepare(
        "INSERT INTO RegValue (KeyId, Name, Folded, Type, Data) VALUES (?1, ?2, ?3, ?4, ?5) "
        "ON CONFLICT (KeyId, Folded) DO UPDATE SET Name = ?2, Type = ?4, Data = ?5");
    set.BindInt64(1, key);
    set.BindText(2, name);
    set.BindText(3, FoldName(name));
    set.BindInt64(4, value.Type);
    set.BindBlob(5, value.Data);
    set.Run();
}

bool RegistryHive::DeleteValue(int64_t key, const std::string& name)
{
    if (!ForReading())
        return false;
    SqliteDatabase& db = ForWriting();
    SqliteStatement remove = db.Prepare("DELETE FROM RegValue WHERE KeyId = ? AND Folded = ?");
    remove.BindInt64(1, key);
    remove.BindText(2, FoldName(name));
    remove.Run();
    return db.Changes() > 0;
}

}  // namespace sys
