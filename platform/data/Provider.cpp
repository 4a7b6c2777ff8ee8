#include "platform/data/Provider.h"

#include "platform/core/Exception.h"
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
    }
};

bool IsLocalName(const AnsiString& name)
{
    return name.empty() || name == "." || core::SameText(name, "(local)");
}

std::unique_ptr<Session> OpenDataSource(const Settings& s)
{
    OdbcConnectionString attributes;
    attributes.Add("DSN", s.DataSource);
    if (!s.User.empty())
        attributes.Add("UID", s.User);
    attributes.Add("PWD", s.Password);
    return OdbcSession::Connect(attributes.Text());
}

// A SQL Server host as "host", "host,port" or "host\instance".
std::unique_ptr<Session> OpenSqlServer(const Settings& s)
{
    OdbcConnectionString attributes(OdbcConnectionString::brFreeTds);
    attributes.AddPlain("DRIVER", OdbcSession::FreeTdsDriver());
    size_t comma = s.DataSource.find(',');
    if (comma != AnsiString::npos) {
        attributes.Add("SERVER", core::Trim(s.DataSource.substr(0, comma)));
        attributes.Add("PORT", core::Trim(s.DataSource.substr(comma + 1)));
    } else {
        attributes.Add("SERVER", s.DataSource);
    }
    attributes.Add("DATABASE", s.Catalog);
    attributes.Add("UID", s.User);
    attributes.Add("PWD", s.Password);
    if (!s.Workstation.empty())
        attributes.Add("WSID", s.Workstation);
    attributes.Add("APP", s.Application.empty() ? AnsiString("account-tool") : s.Application);
    // Text crosses as UTF-8 between the driver and the wide calls, so that
    // every character the server has arrives.
    attributes.AddPlain("ClientCharset", "UTF-8");
    if (s.Encrypt)
        attributes.AddPlain("Encryption", "require");
    return OdbcSession::Connect(attributes.Text());
}

}  // namespace

std::unique_ptr<Session> OpenSession(const TConnectionString& settings)
{
    Settings s(settings);
    if (OdbcSession::IsDataSource(s.DataSource))
        return OpenDataSource(s);
    if (IsLocalName(s.DataSource))
        return SqliteSession::SignIn(TEmbeddedStore::PathFor(s.Catalog), s.User, s.Password);
    return OpenSqlServer(s);
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
