#include <gtest/gtest.h>

#include <fstream>

#include "platform/core/ClassRegistry.h"
#include "platform/core/Exception.h"
#include "platform/core/TypeInfo.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "tests/platform/system/ScratchFolder.h"

using namespace data;
using core::AnsiString;

namespace {

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

TEST(Connection, PublishesWhatAFormDescriptionSets)
{
    const core::TClass& connection = TADOConnection::StaticClass();
    ASSERT_NE(connection.FindProperty("ConnectionString"), nullptr);
    EXPECT_EQ(connection.FindProperty("ConnectionString")->Kind(), core::tkWString);
    EXPECT_EQ(connection.FindProperty("LoginPrompt")->Default(), 1);
    const core::TClass& table = TADOTable::StaticClass();
    const core::PropInfo* cursor = table.FindProperty("CursorType");
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->EnumValue("ctStatic"), ctStatic);
    EXPECT_EQ(table.FindProperty("Connection")->PropClass(), &TADOConnection::StaticClass());

    // Set through the property registry as the form reader does.
    core::TComponent owner(nullptr);
    auto* conn = new TADOConnection(&owner);
    auto* tab = new TADOTable(&owner);
    cursor->SetOrd(*tab, ctStatic);
    table.FindProperty("TableName")->SetStr(*tab, "TsAccount");
    table.FindProperty("Connection")->SetObject(*tab, conn);
    connection.FindProperty("LoginPrompt")->SetOrd(*conn, 0);
    connection.FindProperty("ConnectionString")->SetWideStr(*conn, u"Data Source=.");
    EXPECT_EQ(tab->CursorType(), ctStatic);
    EXPECT_EQ(tab->Connection(), conn);
    EXPECT_FALSE(conn->LoginPrompt());
    EXPECT_EQ(conn->ConnectionString(), u"Data Source=.");
}

TEST(Connection, ATableWithoutConnectionOrNameCannotOpen)
{
    TADOTable table(nullptr);
    EXPECT_EQ(MessageOf([&] { table.Open(); }), "Missing Connection or ConnectionString");
    TADOConnection connection(nullptr);
    table.SetConnection(&connection);
    EXPECT_EQ(MessageOf([&] { table.Open(); }), "No table name specified");
}

TEST(Connection, AnUnreachableSqlServerHostFailsWithTheDriversText)
{
    // Nothing listens on port 1: FreeTDS is asked and says it cannot connect.
    TADOConnection connection(nullptr);
    connection.SetConnectionString(u"Provider=SQLOLEDB.1;Password=x;User ID=sa;Initial Catalog=master;"
                                   u"Data Source=127.0.0.1,1;Workstation ID=here");
    AnsiString message = MessageOf([&] { connection.Open(); });
    EXPECT_NE(message.find("FreeTDS"), AnsiString::npos) << message;
    EXPECT_FALSE(connection.Connected());
}

TEST(Connection, AnOdbcDataSourceNameGoesToOdbc)
{
    // A data source whose driver library does not exist: the driver
    // manager's own complaint shows the name was taken as a data source.
    ScratchFolder folder;
    std::ofstream(folder.File("odbc.ini")) << "[ODBC Data Sources]\nBrokenSource = test\n\n"
                                              "[BrokenSource]\nDriver = /nonexistent/libdriver.so\n";
    std::ofstream(folder.File("odbcinst.ini")) << "";
    ScopedEnvironment user("ODBCINI", folder.File("odbc.ini"));
    ScopedEnvironment system("ODBCSYSINI", folder.Path());
    TADOConnection connection(nullptr);
    connection.SetConnectionString(u"Data Source=brokensource;User ID=sa;Password=x");
    AnsiString message = MessageOf([&] { connection.Open(); });
    EXPECT_NE(message.find("/nonexistent/libdriver.so"), AnsiString::npos) << message;
}
