#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/data/EmbeddedStore.h"
#include "platform/data/Provider.h"

namespace data {

// The provider of the embedded store. Signing in needs an existing store
// and the password kept in it; text is UTF-8 in the file and 8-bit inside.
class SqliteSession : public Session {
public:
    // Raises EDatabaseError when the store is missing or refuses the login.
    static std::unique_ptr<SqliteSession> SignIn(const std::string& path, const core::AnsiString& user,
                                                 const core::AnsiString& password);

    TableRows ReadTable(const core::AnsiString& name) override;
    void UpdateRow(const TableRows& table, const RowChange& change) override;
    int64_t Execute(const core::AnsiString& sql, const std::vector<core::Variant>& params) override;

private:
    explicit SqliteSession(TEmbeddedStore store) : store_(std::move(store)) {}
    sys::SqliteDatabase& Db() { return store_.Database(); }
    sys::SqliteStatement& Prepared(const std::string& sql);

    TEmbeddedStore store_;
    // Update statements by their text, prepared once: a table posts the
    // same few shapes of statement again and again.
    std::map<std::string, sys::SqliteStatement> prepared_;
};

}  // namespace data
