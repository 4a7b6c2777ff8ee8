#include "platform/data/Provider.h"

#include <algorithm>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/StrUtils.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/EmbeddedStore.h"
#include "platform/data/OdbcConnectionString.h"
#include "platform/data/OdbcSession.h"
#include "platform/data/SqliteSession.h"

namespace data {

using core::AnsiString;

namespace {

// The keys of the OLE DB SQL Server provider and their usual synonyms.
struct Settings {
    AnsiString DataSource;
    AnsiString Catalog;
    AnsiString User;
    AnsiString Password;
    AnsiString Workstation;
    AnsiString Application;
    bool Encrypt = false;
    // Seconds a server may take to answer the sign-in.
    int LoginTimeout = 15;

    explicit Settings(const TConnectionString& s)
        : DataSource(core::Trim(s.ValueOf({"Data Source", "Server", "Address", "Addr", "Network Address"}))),
          Catalog(s.ValueOf({"Initial Catalog", "Database"})),
          User(s.ValueOf({"User ID", "UID", "User"})),
          Password(s.ValueOf({"Password", "PWD"})),
          Workstation(s.ValueOf({"Workstation ID", "WSID"})),
          Application(s.ValueOf({"Application Name", "APP"})),
          Encrypt(core::SameText(s.ValueOf({"Use Encryption for Data", "Encrypt"}), "True"))
    {
        if (Catalog.empty())
            Catalog = "master";
        AnsiString timeout = core::Trim(s.ValueOf({"Connect Timeout", "Connection Timeout", "Timeout"}));
        if (!timeout.empty())
            LoginTimeout = std::clamp(core::StrToIntDef(timeout, LoginTimeout), 1, 3600);
    }
};

// Bytes of the code page; a value is refused beyond them.
constexpr size_t MaxDataSourceValue = 1024;
constexpr size_t MaxHostName = 255;
constexpr size_t MaxLoginName = 128;

bool IsLocalName(const AnsiString& name)
{
    return name.empty() || name == "." || core::SameText(name, "(local)");
}

// A data source of the ODBC configuration. Its name, the user and the
// password go to SQLConnect as they are, so no typed value is read as
// attribute syntax by the driver manager or the driver.
std::unique_ptr<Session> OpenDataSource(const Settings& s)
{
    OdbcConnectionString::CheckValue("DSN", s.DataSource, MaxDataSourceValue);
    OdbcConnectionString::CheckValue("UID", s.User, MaxDataSourceValue);
    OdbcConnectionString::CheckValue("PWD", s.Password, MaxDataSourceValue);
    return OdbcSession::ConnectDataSource(s.DataSource, s.User, s.Password, s.LoginTimeout);
}

// A SQL Server host as "host", "host,port" or "host\instance".
//
// The values are built into one SQLDriverConnect string with the FreeTDS
// brace rule, which refuses what the driver manager and the driver would
// read differently. The names the sign-in record carries are at most 128
// characters long; a value longer than 128 bytes of the code page is
// refused rather than cut by the driver.
// The protocol version is pinned: with "auto" FreeTDS tries again with an
// older version after a timeout, and that second attempt has no bound.
AnsiString SqlServerAttributes(const Settings& s)
{
    OdbcConnectionString attributes(OdbcConnectionString::brFreeTds);
    attributes.AddPlain("DRIVER", OdbcSession::FreeTdsDriver());
    size_t comma = s.DataSource.find(',');
    if (comma != AnsiString::npos) {
        attributes.Add("SERVER", core::Trim(s.DataSource.substr(0, comma)), MaxHostName);
        AnsiString port = core::Trim(s.DataSource.substr(comma + 1));
        int number = 0;
        if (!core::TryStrToInt(port, number) || number < 1 || number > 65535 ||
            port.find_first_not_of("0123456789") != AnsiString::npos)
            throw core::EDatabaseError("\"%s\" is not a port number", port);
        attributes.AddPlain("PORT", port);
    } else {
        attributes.Add("SERVER", s.DataSource, MaxHostName);
    }
    attributes.Add("DATABASE", s.Catalog, MaxLoginName);
    attributes.Add("UID", s.User, MaxLoginName);
    attributes.Add("PWD", s.Password, MaxLoginName);
    if (!s.Workstation.empty())
        attributes.Add("WSID", s.Workstation, MaxHostName);
    attributes.Add("APP", s.Application.empty() ? AnsiString("account-tool") : s.Application, MaxLoginName);
    attributes.AddPlain("TDS_Version", "7.4");
    // Text crosses as UTF-8 between the driver and the wide calls, so that
    // every character the server has arrives.
    attributes.AddPlain("ClientCharset", "UTF-8");
    if (s.Encrypt)
        attributes.AddPlain("Encryption", "require");
    return attributes.Text();
}

}  // namespace

std::unique_ptr<Session> OpenSession(const TConnectionString& settings)
{
    Settings s(settings);
    if (OdbcSession::IsDataSource(s.DataSource))
        return OpenDataSource(s);
    if (IsLocalName(s.DataSource))
        return SqliteSession::SignIn(TEmbeddedStore::PathFor(s.Catalog), s.User, s.Password);
    return OdbcSession::Connect(SqlServerAttributes(s), s.LoginTimeout);
}

AnsiString SqlServerAttributes(const TConnectionString& settings)
{
    return SqlServerAttributes(Settings(settings));
}

void TableRows::KeepIfLossy(size_t row, int column, const core::WideString& held, const AnsiString& converted)
{
    if (core::AnsiToWide(converted) != held)
        HeldTexts[{row, column}] = held;
}

void RaiseRowNotFound()
{
    throw core::EDatabaseError(
        "Row cannot be located for updating. Some values may have been changed since it was last read.");
}

void RaiseRowNotUnique()
{
    throw core::EDatabaseError(
        "Insufficient key column information for updating or refreshing: the row's values match more than one row.");
}

}  // namespace data
