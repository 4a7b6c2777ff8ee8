#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>

#include <fstream>
#include <vector>

#include "platform/core/ClassRegistry.h"
#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/core/TypeInfo.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/Provider.h"
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

namespace {

// Values a typist (or an attacker) may put into the password or the server
// name: every character that means something to one of the connection
// string syntaxes on the way, and values longer than any route takes.
std::vector<AnsiString> HostileValues()
{
    return {"}",
            "};",
            "{",
            "{x}",
            ";",
            "=",
            "a;DRIVER=/nonexistent/ats-trap.so",
            "a}DRIVER=/nonexistent/ats-trap.so;c=",
            "a};DRIVER=/nonexistent/ats-trap.so;c=",
            "\"quoted\"",
            "'single'",
            "line\nbreak",
            AnsiString("nul\0after", 9),
            AnsiString(300, 'L'),
            AnsiString(5000, 'M')};
}

// The login window's string with these values, each quoted as the window
// quotes it, so that the connection string reader gives them back whole.
core::WideString LoginString(const AnsiString& password, const AnsiString& server)
{
    return core::AnsiToWide("Provider=SQLOLEDB.1;Password=" + TConnectionString::EncloseValue(password) +
                            ";Persist Security Info=False;User ID=sa;Initial Catalog=master;Data Source=" +
                            TConnectionString::EncloseValue(server) +
                            ";Workstation ID=" + TConnectionString::EncloseValue(server) + ";Connect Timeout=2");
}

// The pairs of an ODBC attribute string as a reader reads it whose braced
// values end at `close` ("}" for unixODBC's driver manager, "};" for the
// FreeTDS driver); keys in upper case.
std::vector<std::pair<std::string, std::string>> ReadAttributes(const std::string& text, const std::string& close)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t equals = text.find('=', pos);
        if (equals == std::string::npos)
            break;
        std::string key = core::UpperCase(text.substr(pos, equals - pos));
        size_t start = equals + 1;
        std::string value;
        if (start < text.size() && text[start] == '{') {
            size_t end = text.find(close, start + 1);
            if (end == std::string::npos)
                end = text.size();
            value = text.substr(start + 1, end - start - 1);
            pos = text.find(';', end);
        } else {
            pos = text.find(';', start);
            value = text.substr(start, pos == std::string::npos ? std::string::npos : pos - start);
        }
        pairs.emplace_back(key, value);
        pos = pos == std::string::npos ? text.size() : pos + 1;
    }
    return pairs;
}

}  // namespace

TEST(Connection, ATypedValueNeverChangesAnotherKeyOnTheSqlServerRoute)
{
    // Each value is either passed whole as the one key it was typed for,
    // read alike by the driver manager and FreeTDS, or refused.
    for (const AnsiString& value : HostileValues()) {
        for (bool asServer : {false, true}) {
            SCOPED_TRACE(std::string(asServer ? "server " : "password ") + core::AnsiToUtf8(value.substr(0, 40)));
            AnsiString server = asServer ? value : AnsiString("127.0.0.1,1");
            AnsiString password = asServer ? AnsiString("pw") : value;
            TConnectionString settings = TConnectionString::Parse(core::WideToAnsi(LoginString(password, server)));
            ASSERT_EQ(settings.Value("Password"), password);
            AnsiString attributes;
            try {
                attributes = SqlServerAttributes(settings);
            } catch (const core::EDatabaseError&) {
                continue;  // refused
            }
            for (const char* close : {"}", "};"}) {
                auto pairs = ReadAttributes(attributes, close);
                std::vector<std::string> keys;
                for (auto& [key, read] : pairs) {
                    keys.push_back(key);
                    if (key == "PWD") {
                        EXPECT_EQ(read, password) << attributes;
                    }
                    if (key == "SERVER" && asServer) {
                        EXPECT_EQ(read, value) << attributes;
                    }
                }
                std::vector<std::string> expected{"DRIVER", "SERVER", "DATABASE", "UID", "PWD", "WSID",
                                                  "APP", "TDS_VERSION", "CLIENTCHARSET"};
                if (!asServer)
                    expected.insert(expected.begin() + 2, "PORT");
                EXPECT_EQ(keys, expected) << attributes;
            }
        }
    }
}

TEST(Connection, HostileValuesNeverLoadALibraryOrSignInWithPartOfTheValue)
{
    // Through the real driver manager: nothing listens on port 1, so every
    // attempt fails; what matters is how. A value that names a driver
    // library must never reach the manager as a DRIVER key, and a value the
    // route cannot carry whole is refused before any driver is asked.
    for (const AnsiString& value : HostileValues()) {
        for (bool asServer : {false, true}) {
            SCOPED_TRACE(std::string(asServer ? "server " : "password ") + core::AnsiToUtf8(value.substr(0, 40)));
            TADOConnection connection(nullptr);
            connection.SetConnectionString(
                LoginString(asServer ? AnsiString("pw") : value, asServer ? value : AnsiString("127.0.0.1,1")));
            AnsiString message = MessageOf([&] { connection.Open(); });
            EXPECT_NE(message, "(no error)");
            EXPECT_EQ(message.find("ats-trap"), AnsiString::npos) << message;
            EXPECT_FALSE(connection.Connected());
            bool carriable = value.find('}') == AnsiString::npos && value.find('\0') == AnsiString::npos &&
                             value.size() <= (asServer ? 255u : 128u);
            if (!carriable) {
                EXPECT_EQ(message.find("FreeTDS]"), AnsiString::npos) << "reached the driver: " << message;
            }
        }
    }
}

namespace {

// A loopback port that takes connections (the kernel completes them from
// the backlog) and never says a word, as a hung server does. Closing it
// resets whatever waits on it.
class SilentListener {
public:
    SilentListener()
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd_, 16) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on the loopback");
        port_ = ntohs(address.sin_port);
    }
    ~SilentListener() { Stop(); }
    int Port() const { return port_; }
    void Stop()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

}  // namespace

TEST(Connection, ASqlServerThatNeverAnswersFailsWithinTheLoginTimeout)
{
    SilentListener listener;
    TADOConnection connection(nullptr);
    connection.SetConnectionString(core::AnsiToWide(core::Format(
        "Provider=SQLOLEDB.1;Password=x;User ID=sa;Initial Catalog=master;Data Source=127.0.0.1,%d;"
        "Workstation ID=here;Connect Timeout=2",
        listener.Port())));
    // The attempt runs in a child process, so that the wait for it can be
    // bounded: one still waiting after 40 seconds is ended, and fails.
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    };
    double started = now();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AnsiString message = MessageOf([&] { connection.Open(); });
        _exit(message != "(no error)" && !connection.Connected() ? 0 : 1);
    }
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0 && now() - started < 40) {
        timespec pause{0, 50000000};
        nanosleep(&pause, nullptr);
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the sign-in was still waiting after 40 seconds";
    }
    double seconds = now() - started;
    listener.Stop();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the sign-in did not fail as it should";
    // The two-second bound, with room for a slow machine.
    EXPECT_LT(seconds, 20.0);
}
