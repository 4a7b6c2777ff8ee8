#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Variant.h"

// The table tests every provider must pass against a real database. Each
// provider's test program supplies a backend: how to reach the database,
// and a second way in (not through the code under test) to fill and read
// table TsAccount (AccountName, AccountDb, Tag) and to change it behind the
// table's back.

struct AccountRow {
    core::AnsiString Name;
    core::Variant Database;  // text or Null
    int Tag = 0;
    bool operator==(const AccountRow& other) const
    {
        return Name == other.Name && Database.Identical(other.Database) && Tag == other.Tag;
    }
};

void PrintTo(const AccountRow& row, std::ostream* out);

class TableBackend {
public:
    virtual ~TableBackend() = default;
    // The connection string with the right password, or with another one.
    virtual core::WideString ConnectionString() = 0;
    virtual core::WideString ConnectionStringWithPassword(const core::AnsiString& password) = 0;
    // Replaces every row of TsAccount, in this order.
    virtual void Fill(const std::vector<AccountRow>& rows) = 0;
    // Every row of TsAccount, ordered by name.
    virtual std::vector<AccountRow> Stored() = 0;
    // Runs a statement on a connection of its own (text in the code page;
    // table and column names double-quoted, Booleans as true/false).
    virtual void Run(const core::AnsiString& sql) = 0;
    // Makes the database unreachable, and reachable again.
    virtual void StopServer() = 0;
    virtual void StartServer() = 0;
    // An SQL expression for the character of this Unicode code point.
    virtual core::AnsiString UnicodeChar(int codePoint) = 0;
    // Part of the message the database gives for a wrong password.
    virtual core::AnsiString WrongPasswordText() = 0;
};

struct BackendParam {
    std::string Name;
    std::function<std::unique_ptr<TableBackend>()> Make;
};

inline void PrintTo(const BackendParam& param, std::ostream* out)
{
    *out << param.Name;
}

inline std::string BackendName(const ::testing::TestParamInfo<BackendParam>& info)
{
    return info.param.Name;
}

class TableContract : public ::testing::TestWithParam<BackendParam> {
protected:
    void SetUp() override;
    TableBackend& Backend() { return *backend_; }

    std::unique_ptr<TableBackend> backend_;
};
