#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/data/ConnectionString.h"
#include "tests/platform/data/TableContract.h"

using namespace data;
using core::AnsiString;
using core::Variant;

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        throw std::runtime_error(std::string(name) + " is not set: run this program through pg-cluster.sh");
    return value;
}

core::WideString LoginString(const AnsiString& password)
{
    return core::AnsiToWide("Provider=SQLOLEDB.1;Password=" + TConnectionString::QuoteValue(password) +
                            ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=" +
                            Environment("ATS_PG_DSN") + ";Workstation ID=tests");
}

std::string Quoted(const AnsiString& text)
{
    return "'" + core::AnsiToUtf8(core::StringReplace(text, "'", "''")) + "'";
}

// psql on a connection of its own, as the cluster's superuser.
void Psql(const std::string& utf8Sql)
{
    std::string command = "\"" + Environment("ATS_PG_PSQL") + "\" -X -q -v ON_ERROR_STOP=1";
    FILE* pipe = popen(command.c_str(), "w");
    ASSERT_NE(pipe, nullptr);
    fwrite(utf8Sql.data(), 1, utf8Sql.size(), pipe);
    int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << utf8Sql;
}

std::vector<std::string> PsqlRows(const std::string& utf8Sql)
{
    std::string command = "\"" + Environment("ATS_PG_PSQL") + "\" -X -q -A -t -F '|' -c \"" + utf8Sql + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    std::vector<std::string> lines;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) {
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        lines.push_back(line);
    }
    if (pipe)
        pclose(pipe);
    return lines;
}

std::vector<AccountRow> ReadRows(const char* table)
{
    // A marker before the database name tells NULL from text.
    std::vector<AccountRow> rows;
    for (const std::string& line : PsqlRows(std::string("SELECT \\\"AccountName\\\", CASE WHEN \\\"AccountDb\\\" IS NULL "
                                                        "THEN 'N' ELSE 'V' || \\\"AccountDb\\\" END, \\\"Tag\\\"::int "
                                                        "FROM \\\"") + table + "\\\"")) {
        size_t first = line.find('|'), last = line.rfind('|');
        AccountRow row{core::Utf8ToAnsi(line.substr(0, first)), Variant::Null(), std::stoi(line.substr(last + 1))};
        std::string db = line.substr(first + 1, last - first - 1);
        if (db[0] == 'V')
            row.Database = Variant(core::Utf8ToAnsi(db.substr(1)));
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(), [](const AccountRow& a, const AccountRow& b) { return a.Name < b.Name; });
    return rows;
}

void FillRows(const char* table, const std::vector<AccountRow>& rows)
{
    std::string sql = std::string("DELETE FROM \"") + table + "\";\n";
    for (const AccountRow& row : rows)
        sql += std::string("INSERT INTO \"") + table + "\" VALUES (" + Quoted(row.Name) + ", " +
               (row.Database.IsNull() ? std::string("NULL") : Quoted(row.Database.AsString())) + ", " +
               (row.Tag ? "true" : "false") + ");\n";
    Psql(sql);
}

class PostgresBackend : public TableBackend {
public:
    core::WideString ConnectionString() override { return LoginString(Environment("ATS_PG_PASSWORD")); }
    core::WideString ConnectionStringWithPassword(const AnsiString& password) override { return LoginString(password); }
    void Fill(const std::vector<AccountRow>& rows) override { FillRows("TsAccount", rows); }
    std::vector<AccountRow> Stored() override { return ReadRows("TsAccount"); }
    void Run(const AnsiString& sql) override { Psql(core::AnsiToUtf8(sql) + ";\n"); }
    void StopServer() override { Control("stop"); }
    void StartServer() override { Control("start"); }
    AnsiString WrongPasswordText() override { return "password authentication failed for user \"sa\""; }
    AnsiString UnicodeChar(int codePoint) override { return core::Format("chr(%d)", codePoint); }

private:
    void Control(const char* action)
    {
        std::string command = "\"" + Environment("ATS_PG_CONTROL") + "\" " + action + " \"" + Environment("ATS_PG_DIR") + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
};

struct Window {
    Window()
    {
        connection = new TADOConnection(&owner);
        connection->SetConnectionString(PostgresBackend().ConnectionString());
        table = new TADOTable(&owner);
        table->SetConnection(connection);
    }
    core::TComponent owner{nullptr};
    TADOConnection* connection;
    TADOTable* table;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(PostgreSql, TableContract,
                         ::testing::Values(BackendParam{"Odbc", [] { return std::make_unique<PostgresBackend>(); }}),
                         BackendName);

TEST(PostgresProvider, ATableWithoutKeyIsUpdatedByAllItsValues)
{
    FillRows("TsPlain", {{"a", Variant("one"), 0}, {"b", Variant::Null(), 0}});
    Window w;
    w.table->SetTableName("TsPlain");
    w.table->Open();
    for (w.table->First(); !w.table->Eof(); w.table->Next())
        if (w.table->FieldByName("AccountName")->AsString() == "b")
            break;
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    w.table->Post();
    EXPECT_EQ(ReadRows("TsPlain"), (std::vector<AccountRow>{{"a", Variant("one"), 0}, {"b", Variant::Null(), 1}}));
}

TEST(PostgresProvider, RowsThatCannotBeToldApartAreNotUpdated)
{
    std::vector<AccountRow> twins = {{"twin", Variant("same"), 0}, {"twin", Variant("same"), 0}};
    FillRows("TsPlain", twins);
    Window w;
    w.table->SetTableName("TsPlain");
    w.table->Open();
    w.table->First();
    w.table->Edit();
    w.table->FieldByName("Tag")->SetAsVariant(Variant(1));
    try {
        w.table->Post();
        FAIL() << "no error";
    } catch (const core::EDatabaseError& error) {
        EXPECT_NE(error.Message().find("more than one row"), AnsiString::npos) << error.Message();
    }
    EXPECT_EQ(ReadRows("TsPlain"), twins);
}

TEST(PostgresProvider, ATableNameFoldedByTheServerIsFound)
{
    Window w;
    w.table->SetTableName("TsLower");
    w.table->Open();
    ASSERT_EQ(w.table->RecordCount(), 1);
    EXPECT_EQ(w.table->FieldByName("AccountName")->AsString(), "lower");
    EXPECT_EQ(w.table->FieldByName("Tag")->AsVariant().AsInteger(), 1);
}

TEST(PostgresProvider, ExecuteBindsEveryKindOfValue)
{
    Window w;
    w.connection->Execute("DELETE FROM \"TsAccount\"");
    EXPECT_EQ(w.connection->Execute("INSERT INTO \"TsAccount\" VALUES (?, ?, ?)",
                                    {Variant("账套"), Variant::Null(), Variant(true)}),
              1);
    EXPECT_EQ(ReadRows("TsAccount"), (std::vector<AccountRow>{{"账套", Variant::Null(), 1}}));
    try {
        w.connection->Execute("INSERT INTO \"TsAccount\" VALUES (?, ?, ?)", {Variant("账套"), Variant("x"), Variant(false)});
        FAIL() << "no error";
    } catch (const core::EDatabaseError& error) {
        // The server's own words about the duplicate key.
        EXPECT_NE(error.Message().find("duplicate key"), AnsiString::npos) << error.Message();
    }
}

TEST(PostgresProvider, EveryKindOfColumnReadsAndWritesBack)
{
    // A long text comes in pieces; decimals with two places are exact.
    AnsiString body;
    for (int i = 0; i < 3000; ++i)
        body += "长文本";
    Psql("DELETE FROM \"TsKinds\";\n"
         "INSERT INTO \"TsKinds\" VALUES (1, " + Quoted(body) + ", 12345.67, 0.1, 5000000000, "
         "'2024-02-29 13:45:30.250', '1999-12-31', '\\x00ff10');\n");
    Window w;
    w.table->SetTableName("TsKinds");
    w.table->Open();
    ASSERT_EQ(w.table->RecordCount(), 1);
    auto field = [&](const char* name) { return w.table->FieldByName(name); };
    EXPECT_EQ(field("Body")->AsString(), body);
    EXPECT_EQ(field("Amount")->DataType(), ftBCD);
    EXPECT_EQ(field("Amount")->AsVariant().VarType(), core::varCurrency);
    EXPECT_EQ(field("Amount")->AsVariant().AsCurrency().Scaled, 123456700);
    EXPECT_EQ(field("Ratio")->AsFloat(), 0.1);
    EXPECT_EQ(field("Big")->AsVariant().AsInt64(), 5000000000);
    EXPECT_EQ(field("Stamp")->AsVariant().VarType(), core::varDate);
    EXPECT_EQ(core::FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", field("Stamp")->AsVariant().AsDate()),
              "2024-02-29 13:45:30.250");
    EXPECT_EQ(core::FormatDateTime("yyyy-mm-dd hh:nn", field("Day")->AsVariant().AsDate()), "1999-12-31 00:00");
    EXPECT_EQ(field("Raw")->AsString(), std::string("\x00\xff\x10", 3));

    // Every field changed at once: each is bound with its own type, and the
    // old values of the comparable ones find the row.
    w.table->Edit();
    field("Body")->SetAsString(body + "尾");
    field("Amount")->SetAsVariant(Variant("-0.05"));
    field("Ratio")->SetAsVariant(Variant(2.5));
    field("Big")->SetAsVariant(Variant(int64_t{-7}));
    field("Stamp")->SetAsVariant(Variant::FromDate(core::EncodeDate(2001, 2, 3) + core::EncodeTime(4, 5, 6, 789)));
    field("Day")->SetAsVariant(Variant::FromDate(core::EncodeDate(1900, 1, 1)));
    field("Raw")->SetAsVariant(Variant(std::string("\x01\x00", 2)));
    w.table->Post();
    std::vector<std::string> stored = PsqlRows("SELECT length(\\\"Body\\\"), \\\"Amount\\\", \\\"Ratio\\\", \\\"Big\\\", "
                                               "\\\"Stamp\\\", \\\"Day\\\", encode(\\\"Raw\\\", 'hex') FROM \\\"TsKinds\\\"");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], "9001|-0.05|2.5|-7|2001-02-03 04:05:06.789|1900-01-01|0100");
}

TEST(PostgresProvider, EveryTypedPasswordReachesTheDataSourceWholeOrIsRefused)
{
    // Through the data source route each password signs in as itself, the
    // characters that mean something to ODBC's attribute syntax included;
    // what cannot be passed whole is refused before the driver is asked.
    const AnsiString carried[] = {"}", "};", "{", "{x}", ";", "=", "a}DRIVER=/nonexistent/ats-trap.so;c=",
                                  "\"both' quotes", "line\nbreak", "密码", AnsiString(1000, 'L')};
    struct Restore {
        ~Restore() { Psql("ALTER ROLE sa PASSWORD " + Quoted(Environment("ATS_PG_PASSWORD")) + ";\n"); }
    } restore;
    for (const AnsiString& password : carried) {
        SCOPED_TRACE(core::AnsiToUtf8(password.substr(0, 40)));
        Psql("ALTER ROLE sa PASSWORD " + Quoted(password) + ";\n");
        TADOConnection connection(nullptr);
        connection.SetConnectionString(LoginString(password));
        try {
            connection.Open();
        } catch (const core::EDatabaseError& error) {
            ADD_FAILURE() << error.Message();
        }
        EXPECT_TRUE(connection.Connected());
        // A part of it does not sign in.
        TADOConnection part(nullptr);
        part.SetConnectionString(LoginString(password.substr(0, password.size() - 1)));
        EXPECT_THROW(part.Open(), core::EDatabaseError);
    }
    for (const AnsiString& password : {AnsiString("a\0b", 3), AnsiString(2000, 'L')}) {
        TADOConnection connection(nullptr);
        connection.SetConnectionString(LoginString(password));
        try {
            connection.Open();
            ADD_FAILURE() << "signed in";
        } catch (const core::EDatabaseError& error) {
            EXPECT_EQ(error.Message().find("password authentication failed"), AnsiString::npos)
                << "reached the server: " << error.Message();
        }
    }
}
