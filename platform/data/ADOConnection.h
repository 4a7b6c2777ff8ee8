#pragma once

#include <memory>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Variant.h"

namespace data {

class Session;
class TADOTable;

// A connection to a database, described by an OLE DB connection string
// (see TConnectionString).
//
// The Data Source names where the data lives:
// - the name of an ODBC data source of the ODBC configuration: that source,
//   with User ID and Password passed on (the source names its database);
// - "." or "(local)" (or nothing): the embedded store of the catalogue
//   (Initial Catalog, "master" by default), a SQLite file under
//   $XDG_DATA_HOME/account-tool/, signed in to with User ID and Password;
// - any other name: a Microsoft SQL Server host ("host", "host,port" or
//   "host\instance") through the FreeTDS ODBC driver, with Initial Catalog,
//   User ID, Password and Workstation ID passed on.
// The Provider key and the OLE DB options without an equivalent are ignored.
//
// Every failure raises core::EDatabaseError with the database's own text.
class TADOConnection : public core::TComponent {
    CORE_CLASS(TADOConnection, core::TComponent)

    explicit TADOConnection(core::TComponent* owner);
    ~TADOConnection() override;

    static void Publish(core::PropertyList& list);

    const core::WideString& ConnectionString() const { return connectionString_; }
    // The same text again changes nothing; another text while the
    // connection is open raises "Operation is not allowed when the object is open.".
    void SetConnectionString(const core::WideString& text);
    // Whether the user would be asked for a name and password. No dialog
    // exists at this level, so the value is only kept for the form that sets it.
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }

    bool Connected() const { return session_ != nullptr; }
    void SetConnected(bool connected);
    // Opening an open connection does nothing; closing closes its tables first.
    void Open();
    void Close();

    // Runs a statement with "?" parameters bound to `params`; answers the
    // number of rows it changed. Opens the connection if needed.
    int64_t Execute(const core::AnsiString& sql, const std::vector<core::Variant>& params = {});

    // The open session, for the tables of this connection.
    Session& CurrentSession();

protected:
    void Loaded() override;

private:
    friend class TADOTable;
    void AttachTable(TADOTable* table);
    void DetachTable(TADOTable* table);

    core::WideString connectionString_;
    bool loginPrompt_ = true;
    bool streamedConnected_ = false;
    std::unique_ptr<Session> session_;
    std::vector<TADOTable*> tables_;
};

}  // namespace data
