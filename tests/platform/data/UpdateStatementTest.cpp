#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/data/UpdateStatement.h"

using namespace data;
using core::Variant;

namespace {

TableRows Accounts(RowKey key)
{
    TableRows table;
    table.Table = "TsAccount";
    table.Columns = {{"AccountName", ftString}, {"AccountDb", ftString}, {"Tag", ftBoolean}};
    table.Key = key;
    if (key == RowKey::PrimaryKey)
        table.KeyColumns = {0};
    return table;
}

std::vector<Variant> Params(const UpdateStatement& statement)
{
    std::vector<Variant> values;
    for (const SqlParam& param : statement.Params)
        values.push_back(param.Value);
    return values;
}

}  // namespace

TEST(UpdateStatement, SetsTheChangedColumnsAndTestsTheirOldValues)
{
    std::vector<Variant> original{"A", "db_a", 0};
    std::vector<Variant> current{"A", "db_b", 1};
    RowChange change{42, &original, &current, {1, 2}};

    SqlDialect sqlite;
    sqlite.RowIdName = "rowid";
    sqlite.BooleanAsNonZero = true;
    UpdateStatement byRowId = UpdateStatement::Build(Accounts(RowKey::RowId), change, sqlite);
    EXPECT_EQ(byRowId.Sql, "UPDATE \"TsAccount\" SET \"AccountDb\" = ?, \"Tag\" = ? WHERE \"rowid\" = ? AND "
                           "\"AccountDb\" = ? AND (\"Tag\" <> 0) = ?");
    EXPECT_EQ(Params(byRowId), (std::vector<Variant>{"db_b", 1, int64_t{42}, "db_a", 0}));
    EXPECT_EQ(byRowId.Params[2].Column, -1);
    EXPECT_EQ(byRowId.Params[4].Column, 2);

    SqlDialect odbc;
    UpdateStatement byKey = UpdateStatement::Build(Accounts(RowKey::PrimaryKey), change, odbc);
    EXPECT_EQ(byKey.Sql, "UPDATE \"TsAccount\" SET \"AccountDb\" = ?, \"Tag\" = ? WHERE \"AccountName\" = ? AND "
                         "\"AccountDb\" = ? AND \"Tag\" = ?");
    EXPECT_EQ(Params(byKey), (std::vector<Variant>{"db_b", 1, "A", "db_a", 0}));
}

TEST(UpdateStatement, WithoutAKeyEveryColumnIsTestedOnce)
{
    std::vector<Variant> original{"A", Variant::Null(), 1};
    std::vector<Variant> current{"A", "db", 1};
    RowChange change{0, &original, &current, {1}};
    SqlDialect odbc;
    odbc.IdentifierQuote = '[';
    TableRows table = Accounts(RowKey::AllValues);
    UpdateStatement statement = UpdateStatement::Build(table, change, odbc);
    // Null is tested with IS NULL and takes no parameter.
    EXPECT_EQ(statement.Sql, "UPDATE [TsAccount[ SET [AccountDb[ = ? WHERE [AccountName[ = ? AND [AccountDb[ IS "
                             "NULL AND [Tag[ = ?");
    EXPECT_EQ(Params(statement), (std::vector<Variant>{"db", "A", 1}));

    // Columns that cannot be compared are left out; if none is left, no
    // row can be found again.
    for (ColumnInfo& column : table.Columns)
        column.Comparable = false;
    EXPECT_THROW(UpdateStatement::Build(table, change, odbc), core::EDatabaseError);
}

TEST(UpdateStatement, QuotesIdentifiersByDoublingTheQuote)
{
    EXPECT_EQ(QuoteIdentifier("odd\"name", '"'), "\"odd\"\"name\"");
    EXPECT_EQ(QuoteIdentifier("plain", ' '), "plain");
}
