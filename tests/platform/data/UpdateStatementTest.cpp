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
    if (key != RowKey::AllValues)
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
    RowChange change{0, 42, &original, &current, {1, 2}};

    SqlDialect sqlite;
    sqlite.RowIdName = "rowid";
    sqlite.BooleanAsNonZero = true;
    UpdateStatement byRowId = UpdateStatement::Build(Accounts(RowKey::RowId), change, sqlite);
    // The row number with the primary key: a number SQLite gave again to
    // another record finds nothing.
    EXPECT_EQ(byRowId.Sql, "UPDATE \"TsAccount\" SET \"AccountDb\" = ?, \"Tag\" = ? WHERE \"rowid\" = ? AND "
                           "\"AccountName\" = ? AND \"AccountDb\" = ? AND (\"Tag\" <> 0) = ?");
    EXPECT_EQ(Params(byRowId), (std::vector<Variant>{"db_b", 1, int64_t{42}, "A", "db_a", 0}));
    EXPECT_EQ(byRowId.Params[2].Column, -1);
    EXPECT_EQ(byRowId.Params[5].Column, 2);

    // Without a primary key the row number comes with every value.
    TableRows noKey = Accounts(RowKey::RowId);
    noKey.KeyColumns.clear();
    std::vector<Variant> plain{"A", Variant::Null(), 0};
    RowChange tick{0, 7, &plain, &current, {2}};
    EXPECT_EQ(UpdateStatement::Build(noKey, tick, sqlite).Sql,
              "UPDATE \"TsAccount\" SET \"Tag\" = ? WHERE \"rowid\" = ? AND \"AccountName\" = ? AND \"AccountDb\" "
              "IS NULL AND (\"Tag\" <> 0) = ?");

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
    RowChange change{0, 0, &original, &current, {1}};
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

TEST(UpdateStatement, TextsTheCodePageCannotHoldAreComparedAsTheDatabaseHoldsThem)
{
    // Row 1's key read as "?" (Korean text in a GBK program): the row is
    // found by the text as held, and other rows are not affected.
    TableRows table = Accounts(RowKey::PrimaryKey);
    std::vector<Variant> original{"?", "db", 0};
    std::vector<Variant> current{"?", "db", 1};
    table.Rows = {original, original};
    table.KeepIfLossy(1, 0, u"\uD55C", "?");
    table.KeepIfLossy(1, 1, u"db", "db");  // converts whole: nothing kept
    EXPECT_EQ(table.HeldTexts.size(), 1u);
    RowChange held{1, 0, &original, &current, {2}};
    UpdateStatement statement = UpdateStatement::Build(table, held, SqlDialect());
    ASSERT_EQ(statement.Params.size(), 3u);
    EXPECT_TRUE(statement.Params[1].Value.Identical(Variant(core::WideString(u"\uD55C"))));
    RowChange other{0, 0, &original, &current, {2}};
    EXPECT_TRUE(UpdateStatement::Build(table, other, SqlDialect()).Params[1].Value.Identical(Variant("?")));
}
