#pragma once

#include <map>
#include <memory>

#include "platform/data/Provider.h"

namespace data {

class OdbcStatement;

// The ODBC provider, over unixODBC's wide-character calls: text crosses the
// edge as UTF-16 and is 8-bit inside. The connection runs without
// autocommit; every read and every update ends its own transaction.
class OdbcSession : public Session {
public:
    ~OdbcSession() override;

    // Connects with a SQLDriverConnect attribute string, giving up after
    // `loginTimeout` seconds (0: the driver's own bound).
    static std::unique_ptr<OdbcSession> Connect(const core::AnsiString& attributes, int loginTimeout = 15);
    // Connects to a data source of the ODBC configuration with SQLConnect:
    // the name, user and password go as counted texts, each whole, with no
    // attribute syntax that a typed value could change.
    static std::unique_ptr<OdbcSession> ConnectDataSource(const core::AnsiString& dsn, const core::AnsiString& user,
                                                          const core::AnsiString& password, int loginTimeout = 15);

    // Whether `name` is a data source of the ODBC configuration (user or
    // system), compared without regard to case.
    static bool IsDataSource(const core::AnsiString& name);
    // The DRIVER value for FreeTDS: its registered name, else its library.
    static core::AnsiString FreeTdsDriver();

    TableRows ReadTable(const core::AnsiString& name) override;
    void UpdateRow(const TableRows& table, const RowChange& change) override;
    int64_t Execute(const core::AnsiString& sql, const std::vector<core::Variant>& params) override;

private:
    explicit OdbcSession(void* dbc);
    static std::unique_ptr<OdbcSession> Finish(void* dbc);
    void ReadServerInfo();
    bool TryReadTable(const core::AnsiString& name, TableRows& table, core::AnsiString& error);
    std::vector<core::AnsiString> PrimaryKey(const core::AnsiString& table);
    core::AnsiString FindTableSpelling(const core::AnsiString& name);
    void EndTransaction(bool commit);
    OdbcStatement& Prepared(const core::WideString& sql);

    void* dbc_;
    char quote_ = '"';
    bool sqlServer_ = false;
    bool keepPrepared_ = true;
    std::map<core::WideString, std::unique_ptr<OdbcStatement>> prepared_;
};

}  // namespace data
