#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/EmbeddedStore.h"
#include "platform/system/Paths.h"
#include "platform/system/SqliteDatabase.h"
#include "tests/platform/data/TableContract.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace data;
using core::AnsiString;
using core::Variant;

namespace {

const AnsiString StorePassword = "store; pass=\"word\"";

// The string the login window builds, with the password quoted so that
// this one reaches the store whole.
core::WideString LoginString(const AnsiString& password, const AnsiString& server = ".")
{
    return core::AnsiToWide("Provider=SQLOLEDB.1;Password=" + TConnectionString::QuoteValue(password) +
                            ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=" + server +
                            ";Workstation ID=" + server);
}

// The embedded store in a folder of its own, reached for checking through
// SQLite directly.
class SqliteBackend : public TableBackend {
public:
    SqliteBackend() : path_(TEmbeddedStore::PathFor("master")) { TEmbeddedStore::Create(path_, StorePassword); }

    core::WideString ConnectionString() override { return LoginString(StorePassword); }
    core::WideString ConnectionStringWithPassword(const AnsiString& password) override { return LoginString(password); }

    void Fill(const std::vector<AccountRow>& rows) override
    {
        sys::SqliteDatabase db = sys::SqliteDatabase::OpenExisting(path_);
        db.Exec("DELETE FROM TsAccount");
        sys::SqliteStatement insert = db.Prepare("INSERT INTO TsAccount (AccountName, AccountDb, Tag) VALUES (?, ?, ?)");
        for (const AccountRow& row : rows) {
            insert.BindText(1, core::AnsiToUtf8(row.Name));
            if (row.Database.IsNull())
                insert.BindNull(2);
            else
                insert.BindText(2, core::AnsiToUtf8(row.Database.AsString()));
            insert.BindInt64(3, row.Tag);
            insert.Run();
        }
    }

    std::vector<AccountRow> Stored() override
    {
        sys::SqliteDatabase db = sys::SqliteDatabase::OpenExisting(path_);
        sys::SqliteStatement select = db.Prepare("SELECT AccountName, AccountDb, Tag FROM TsAccount");
        std::vector<AccountRow> rows;
        while (select.Step()) {
            AccountRow row{core::Utf8ToAnsi(select.ColumnText(0)), Variant::Null(),
                           static_cast<int>(select.ColumnInt64(2))};
            if (select.ColumnType(1) != 5 /* SQLITE_NULL */)
                row.Database = Variant(core::Utf8ToAnsi(select.ColumnText(1)));
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end(), [](const AccountRow& a, const AccountRow& b) { return a.Name < b.Name; });
        return rows;
    }

    void Run(const AnsiString& sql) override { sys::SqliteDatabase::OpenExisting(path_).Exec(core::AnsiToUtf8(sql).c_str()); }

    // There is no server: a store that is not there is as good as one stopped.
    void StopServer() override { ASSERT_EQ(std::rename(path_.c_str(), (path_ + ".away").c_str()), 0); }
    void StartServer() override { ASSERT_EQ(std::rename((path_ + ".away").c_str(), path_.c_str()), 0); }
    AnsiString WrongPasswordText() override { return "Login failed for user 'sa'."; }
    AnsiString UnicodeChar(int codePoint) override { return core::Format("char(%d)", codePoint); }

    const std::string& Path() const { return path_; }

private:
    ScratchFolder folder_;
    ScopedEnvironment data_{"XDG_DATA_HOME", folder_.Path()};
    std::string path_;
};

AnsiString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const core::EDatabaseError& error) {
        return error.Message();
    }
    return "(no error)";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(EmbeddedStore, TableContract,
                         ::testing::Values(BackendParam{"Sqlite", [] { return std::make_unique<SqliteBackend>(); }}),
                         BackendName);

TEST(SqliteProvider, SigningInNeverMakesAStore)
{
    ScratchFolder folder;
    ScopedEnvironment data("XDG_DATA_HOME", folder.Path());
    TADOConnection connection(nullptr);
    connection.SetConnectionString(LoginString("anything"));
    AnsiString message = MessageOf([&] { connection.Open(); });
    EXPECT_NE(message.find("does not exist"), AnsiString::npos) << message;
    EXPECT_FALSE(sys::FileExists(TEmbeddedStore::PathFor("master")));
}

TEST(SqliteProvider, LocalNamesAndTheCatalogueChooseTheStoreFile)
{
    SqliteBackend backend;
    backend.Fill({{"一", Variant("db1"), 0}});
    TEmbeddedStore::Create(TEmbeddedStore::PathFor("other"), "other pw");
    for (const char* server : {".", "(local)", "(LOCAL)", "  .  "}) {
        TADOConnection connection(nullptr);
        connection.SetConnectionString(LoginString(StorePassword, server));
        connection.Open();
        EXPECT_TRUE(connection.Connected()) << server;
    }
    TADOConnection connection(nullptr);
    connection.SetConnectionString(u"Data Source=.;Initial Catalog=other;User ID=sa;Password=other pw");
    connection.Open();
    TADOTable table(nullptr);
    table.SetConnection(&connection);
    table.SetTableName("TsAccount");
    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);  // the other store's table, empty

    TADOConnection missing(nullptr);
    missing.SetConnectionString(u"Data Source=.;Initial Catalog=absent;User ID=sa;Password=x");
    EXPECT_THROW(missing.Open(), core::EDatabaseError);
    TADOConnection malformed(nullptr);
    malformed.SetConnectionString(u"Data Source=.;Password");
    EXPECT_NE(MessageOf([&] { malformed.Open(); }).find("Format of the initialization string"), AnsiString::npos);
}

TEST(SqliteProvider, TablesWithoutRowNumbersAreFoundByPrimaryKey)
{
    SqliteBackend backend;
    backend.Run("CREATE TABLE Keyed (Code TEXT, Part INTEGER, Note TEXT, PRIMARY KEY (Part, Code)) WITHOUT ROWID;"
                "INSERT INTO Keyed VALUES ('b', 1, 'one'), ('a', 2, 'two'), ('a', 1, 'three');");
    TADOConnection connection(nullptr);
    connection.SetConnectionString(backend.ConnectionString());
    TADOTable table(nullptr);
    table.SetConnection(&connection);
    table.SetTableName("Keyed");
    table.Open();
    // Read in key order: (1, a), (1, b), (2, a).
    std::vector<AnsiString> notes;
    for (table.First(); !table.Eof(); table.Next())
        notes.push_back(table.FieldByName("Note")->AsString());
    EXPECT_EQ(notes, (std::vector<AnsiString>{"three", "one", "two"}));
    table.SetRecNo(2);
    table.Edit();
    table.FieldByName("Note")->SetAsString("changed");
    table.Post();
    sys::SqliteDatabase db = sys::SqliteDatabase::OpenExisting(backend.Path());
    sys::SqliteStatement check = db.Prepare("SELECT group_concat(Note, ',') FROM (SELECT Note FROM Keyed ORDER BY Part, Code)");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnText(0), "three,changed,two");
}

TEST(SqliteProvider, DeclaredTypesGiveFieldTypesAndStoredValuesKeepTheirs)
{
    SqliteBackend backend;
    backend.Run("CREATE TABLE Typed (I INTEGER, B BIGINT, R REAL, T VARCHAR(10), X BLOB, U, F BOOLEAN);"
                "INSERT INTO Typed VALUES (7, 5000000000, 2.5, 'text', x'00FF', 'free', 5);");
    TADOConnection connection(nullptr);
    connection.SetConnectionString(backend.ConnectionString());
    TADOTable table(nullptr);
    table.SetConnection(&connection);
    table.SetTableName("typed");  // SQLite's names ignore case
    table.Open();
    struct Case {
        const char* field;
        TFieldType type;
        core::TVarType varType;
    } cases[] = {
        {"I", ftInteger, core::varInteger}, {"B", ftLargeint, core::varInt64}, {"R", ftFloat, core::varDouble},
        {"T", ftString, core::varString},   {"X", ftBlob, core::varString},     {"U", ftUnknown, core::varString},
        {"F", ftBoolean, core::varInteger},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.FieldByName(c.field)->DataType(), c.type) << c.field;
        EXPECT_EQ(table.FieldByName(c.field)->AsVariant().VarType(), c.varType) << c.field;
    }
    EXPECT_EQ(table.FieldByName("B")->AsVariant().AsInt64(), 5000000000);
    EXPECT_EQ(table.FieldByName("X")->AsString(), std::string("\x00\xFF", 2));
    EXPECT_EQ(table.FieldByName("F")->AsInteger(), 1);  // a stored 5 reads as 1

    // Writing converts to the declared type; the Boolean kept as 5 is still
    // found for the optimistic test.
    table.Edit();
    table.FieldByName("I")->SetAsVariant(Variant("42"));
    table.FieldByName("R")->SetAsVariant(Variant(int32_t{3}));
    table.FieldByName("X")->SetAsVariant(Variant(std::string("\x01\x00\x02", 3)));
    table.FieldByName("F")->SetAsVariant(Variant(false));
    table.Post();
    sys::SqliteDatabase db = sys::SqliteDatabase::OpenExisting(backend.Path());
    sys::SqliteStatement check = db.Prepare("SELECT typeof(I), I, typeof(R), R, hex(X), F FROM Typed");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnText(0), "integer");
    EXPECT_EQ(check.ColumnInt64(1), 42);
    EXPECT_EQ(check.ColumnText(2), "real");
    EXPECT_EQ(check.ColumnDouble(3), 3.0);
    EXPECT_EQ(check.ColumnText(4), "010002");
    EXPECT_EQ(check.ColumnInt64(5), 0);
}

TEST(SqliteProvider, ValuesAreBoundNeverSpliced)
{
    SqliteBackend backend;
    backend.Fill({{"x", Variant("db"), 0}});
    TADOConnection connection(nullptr);
    connection.SetConnectionString(backend.ConnectionString());
    TADOTable table(nullptr);
    table.SetConnection(&connection);
    table.SetTableName("TsAccount");
    table.Open();
    table.Edit();
    const AnsiString hostile = "'); DROP TABLE TsAccount; --";
    table.FieldByName("AccountDb")->SetAsString(hostile);
    table.Post();
    EXPECT_EQ(backend.Stored(), (std::vector<AccountRow>{{"x", Variant(hostile), 0}}));
}

TEST(SqliteProvider, AFormThatSavedConnectedAndActiveOpensOnceLoaded)
{
    // A form description may list Connected and Active before the
    // connection string and the table name: nothing opens until the whole
    // form has been read.
    SqliteBackend backend;
    backend.Fill({{"一", Variant("db1"), 0}});
    core::TComponent form(nullptr);
    auto* connection = new TADOConnection(&form);
    auto* table = new TADOTable(&form);
    connection->SetLoading(true);
    table->SetLoading(true);
    connection->SetConnected(true);
    table->SetActive(true);
    EXPECT_FALSE(connection->Connected());
    EXPECT_FALSE(table->Active());
    connection->SetConnectionString(backend.ConnectionString());
    table->SetConnection(connection);
    table->SetTableName("TsAccount");
    // The reader calls Loaded on every component once the form is read.
    static_cast<core::TComponent*>(connection)->Loaded();
    static_cast<core::TComponent*>(table)->Loaded();
    EXPECT_TRUE(connection->Connected());
    ASSERT_TRUE(table->Active());
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST(SqliteProvider, EveryTypedPasswordReachesTheStoreWhole)
{
    // The store route takes any value: each signs in as itself only, never
    // as a part of itself cut at a NUL or at a character with a meaning.
    SqliteBackend backend;
    const AnsiString cases[] = {"}", "};", "{", ";", "=", "a}DRIVER=/nonexistent/ats-trap.so;c=", "\"both' quotes",
                                "line\nbreak", AnsiString("a\0b", 3), AnsiString(5000, 'L')};
    for (const AnsiString& password : cases) {
        SCOPED_TRACE(core::AnsiToUtf8(password.substr(0, 40)));
        TEmbeddedStore::Open(backend.Path()).SetPassword("sa", password);
        TADOConnection connection(nullptr);
        connection.SetConnectionString(LoginString(password));
        connection.Open();
        EXPECT_TRUE(connection.Connected());
        size_t nul = password.find('\0');
        if (nul != AnsiString::npos) {
            TADOConnection cut(nullptr);
            cut.SetConnectionString(LoginString(password.substr(0, nul)));
            EXPECT_NE(MessageOf([&] { cut.Open(); }).find("Login failed"), AnsiString::npos);
        }
    }
}

TEST(SqliteProvider, AStoreTheUserMayOnlyReadIsListedAndRefusesToSave)
{
    SqliteBackend backend;
    backend.Fill({{"一", Variant("db1"), 0}, {"二", Variant("db2"), 1}});
    // Root may write any file: the store is read by another user, in a
    // child process, with the file only readable to it, in a folder it may
    // not write to (no index file can be made beside the store) and in one
    // it may write to.
    std::string folder = backend.Path().substr(0, backend.Path().rfind('/'));
    std::string scratch = folder.substr(0, folder.rfind('/'));
    ASSERT_EQ(chmod(scratch.c_str(), 0711), 0);
    ASSERT_EQ(chmod(backend.Path().c_str(), 0444), 0);
    for (mode_t folderMode : {0755, 0777}) {
        SCOPED_TRACE(folderMode);
        ASSERT_EQ(chmod(folder.c_str(), folderMode), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int step = 10;
            try {
                if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                    _exit(step);
                step = 11;
                TADOConnection connection(nullptr);
                connection.SetConnectionString(LoginString(StorePassword));
                TADOTable table(nullptr);
                table.SetConnection(&connection);
                table.SetTableName("TsAccount");
                table.Open();
                step = 12;
                if (table.RecordCount() != 2)
                    _exit(step);
                step = 13;
                table.Edit();
                table.FieldByName("Tag")->SetAsVariant(Variant(1));
                AnsiString message = MessageOf([&] { table.Post(); });
                if (message.find("may only be read") == AnsiString::npos)
                    _exit(step);
                step = 14;
                if (table.State() != dsBrowse)
                    _exit(step);
                _exit(0);
            } catch (const core::Exception& error) {
                fprintf(stderr, "%s\n", core::AnsiToUtf8(error.Message()).c_str());
                _exit(step + 20);
            } catch (...) {
                _exit(step + 20);
            }
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        // 10 to 14: the step that failed; 30 to 34: the step that raised.
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    chmod(folder.c_str(), 0700);
    chmod(backend.Path().c_str(), 0600);
    EXPECT_EQ(backend.Stored(), (std::vector<AccountRow>{{"二", Variant("db2"), 1}, {"一", Variant("db1"), 0}}));
}

TEST(SqliteProvider, ANumberGivenAgainToANewRowIsNotTakenForTheOldOne)
{
    // SQLite gives the freed number of the last row to the next row added.
    SqliteBackend backend;
    backend.Fill({{"甲", Variant("a"), 0}, {"乙", Variant("b"), 0}});
    TADOConnection connection(nullptr);
    connection.SetConnectionString(backend.ConnectionString());
    TADOTable table(nullptr);
    table.SetConnection(&connection);
    table.SetTableName("TsAccount");
    table.Open();
    table.Last();
    ASSERT_EQ(table.FieldByName("AccountName")->AsString(), "乙");
    backend.Run("DELETE FROM TsAccount WHERE AccountName = '乙'; INSERT INTO TsAccount VALUES ('丙', 'c', 0);");
    sys::SqliteDatabase db = sys::SqliteDatabase::OpenExisting(backend.Path());
    sys::SqliteStatement number = db.Prepare("SELECT rowid FROM TsAccount WHERE AccountName = ?");
    number.BindText(1, core::AnsiToUtf8("丙"));
    ASSERT_TRUE(number.Step());
    ASSERT_EQ(number.ColumnInt64(0), 2) << "the new row took the removed row's number";
    table.Edit();
    table.FieldByName("Tag")->SetAsVariant(Variant(1));
    EXPECT_NE(MessageOf([&] { table.Post(); }).find("Row cannot be located"), AnsiString::npos);
    EXPECT_EQ(backend.Stored(), (std::vector<AccountRow>{{"丙", Variant("c"), 0}, {"甲", Variant("a"), 0}}));
}
