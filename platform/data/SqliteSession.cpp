#include "platform/data/SqliteSession.h"

#include <sqlite3.h>

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/data/UpdateStatement.h"

namespace data {

using core::AnsiString;
using core::EDatabaseError;
using core::Variant;

namespace {

// The field type of a declared column type, by SQLite's own affinity rules,
// with Booleans (BIT, BOOL, BOOLEAN) told apart from other integers.
TFieldType TypeOfDeclared(const std::string& declared)
{
    AnsiString upper = core::UpperCase(declared);
    auto has = [&](const char* part) { return upper.find(part) != AnsiString::npos; };
    if (upper == "BIT" || upper.rfind("BIT(", 0) == 0 || has("BOOL"))
        return ftBoolean;
    if (has("INT"))
        return has("BIG") || has("INT8") ? ftLargeint : ftInteger;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return ftString;
    if (has("BLOB"))
        return ftBlob;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return ftFloat;
    return ftUnknown;
}

// A stored value as it is: SQLite's storage class decides the variant type;
// only Booleans kept as integers are read as 0 or 1.
Variant ReadValue(const sys::SqliteStatement& row, int column, TFieldType type)
{
    switch (row.ColumnType(column)) {
    case SQLITE_INTEGER: {
        int64_t value = row.ColumnInt64(column);
        if (type == ftBoolean)
            return Variant(int32_t{value != 0});
        if (type == ftLargeint || value < INT32_MIN || value > INT32_MAX)
            return Variant(value);
        return Variant(static_cast<int32_t>(value));
    }
    case SQLITE_FLOAT: return Variant(row.ColumnDouble(column));
    case SQLITE_TEXT: return Variant(core::Utf8ToAnsi(row.ColumnText(column)));
    case SQLITE_BLOB: return Variant(row.ColumnBlob(column));
    default: return Variant::Null();
    }
}

void Bind(sys::SqliteStatement& statement, int index, const Variant& value, TFieldType type)
{
    switch (value.VarType()) {
    case core::varEmpty:
    case core::varNull: statement.BindNull(index); return;
    case core::varSmallint:
    case core::varInteger:
    case core::varInt64:
    case core::varByte: statement.BindInt64(index, value.AsInt64()); return;
    case core::varBoolean: statement.BindInt64(index, value.AsBoolean() ? 1 : 0); return;
    case core::varSingle:
    case core::varDouble:
    case core::varCurrency:
    case core::varDate: statement.BindDouble(index, value.AsFloat()); return;
    case core::varString:
    case core::varOleStr:
        if (type == ftBlob)
            statement.BindBlob(index, value.AsString());
        else if (value.VarType() == core::varOleStr)
            statement.BindText(index, core::WideToUtf8(value.AsWideString()));  // a held text, exactly
        else
            statement.BindText(index, core::AnsiToUtf8(value.AsString()));
        return;
    }
}

std::string Utf8Sql(const AnsiString& sql)
{
    return core::AnsiToUtf8(sql);
}

// A name for the row number that no column of the table hides.
AnsiString RowIdAlias(const std::vector<ColumnInfo>& columns)
{
    for (const char* name : {"rowid", "_rowid_", "oid"}) {
        bool taken = false;
        for (const ColumnInfo& column : columns)
            taken = taken || core::SameText(column.Name, name);
        if (!taken)
            return name;
    }
    return {};
}

}  // namespace

std::unique_ptr<SqliteSession> SqliteSession::SignIn(const std::string& path, const AnsiString& user,
                                                     const AnsiString& password)
{
    std::unique_ptr<SqliteSession> session(new SqliteSession(TEmbeddedStore::Open(path)));
    if (!session->store_.CheckPassword(user, password))
        throw EDatabaseError("Login failed for user '%s'.", user);
    return session;
}

TableRows SqliteSession::ReadTable(const AnsiString& name)
{
    TableRows table;
    std::string quoted = Utf8Sql(QuoteIdentifier(name, '"'));
    // The declared types and the primary key come from the schema; a table
    // that is not there gives SQLite's own error from the SELECT below.
    std::vector<int> keyOrder;
    {
        sys::SqliteStatement info = Db().Prepare("SELECT name, type, pk FROM pragma_table_info(?)");
        info.BindText(1, core::AnsiToUtf8(name));
        while (info.Step()) {
            ColumnInfo column;
            column.Name = core::Utf8ToAnsi(info.ColumnText(0));
            column.Type = TypeOfDeclared(info.ColumnText(1));
            keyOrder.push_back(static_cast<int>(info.ColumnInt64(2)));
            table.Columns.push_back(column);
        }
    }
    if (table.Columns.empty())
        Db().Prepare("SELECT * FROM " + quoted);  // raises "no such table"

    bool hasRowId = false;
    {
        sys::SqliteStatement kind = Db().Prepare("SELECT type, wr FROM pragma_table_list(?)");
        kind.BindText(1, core::AnsiToUtf8(name));
        hasRowId = kind.Step() && kind.ColumnText(0) == "table" && kind.ColumnInt64(1) == 0;
    }
    AnsiString rowId = hasRowId ? RowIdAlias(table.Columns) : AnsiString();
    for (int position = 1; position <= static_cast<int>(keyOrder.size()); ++position)
        for (size_t column = 0; column < keyOrder.size(); ++column)
            if (keyOrder[column] == position)
                table.KeyColumns.push_back(static_cast<int>(column));

    AnsiString select = "SELECT ";
    AnsiString order;
    if (!rowId.empty()) {
        table.Key = RowKey::RowId;
        select += rowId + ", ";
        order = " ORDER BY " + rowId;
    } else if (!table.KeyColumns.empty()) {
        table.Key = RowKey::PrimaryKey;
        for (int column : table.KeyColumns)
            order += (order.empty() ? " ORDER BY " : ", ") +
                     QuoteIdentifier(table.Columns[static_cast<size_t>(column)].Name, '"');
    }
    for (size_t i = 0; i < table.Columns.size(); ++i)
        select += (i ? ", " : "") + QuoteIdentifier(table.Columns[i].Name, '"');
    select += " FROM " + QuoteIdentifier(name, '"') + order;

    sys::SqliteStatement rows = Db().Prepare(Utf8Sql(select));
    int first = rowId.empty() ? 0 : 1;
    while (rows.Step()) {
        if (first)
            table.RowIds.push_back(rows.ColumnInt64(0));
        std::vector<Variant> values;
        values.reserve(table.Columns.size());
        for (size_t i = 0; i < table.Columns.size(); ++i) {
            int column = first + static_cast<int>(i);
            values.push_back(ReadValue(rows, column, table.Columns[i].Type));
            if (rows.ColumnType(column) == SQLITE_TEXT)
                table.KeepIfLossy(table.Rows.size(), static_cast<int>(i), core::Utf8ToWide(rows.ColumnText(column)),
                                  values.back().AsString());
        }
        table.Rows.push_back(std::move(values));
    }
    table.Table = name;
    return table;
}

sys::SqliteStatement& SqliteSession::Prepared(const std::string& sql)
{
    auto found = prepared_.find(sql);
    if (found == prepared_.end())
        found = prepared_.emplace(sql, Db().Prepare(sql)).first;
    return found->second;
}

void SqliteSession::UpdateRow(const TableRows& table, const RowChange& change)
{
    SqlDialect dialect;
    dialect.RowIdName = table.Key == RowKey::RowId ? RowIdAlias(table.Columns) : AnsiString();
    dialect.BooleanAsNonZero = true;
    UpdateStatement update = UpdateStatement::Build(table, change, dialect);
    store_.CheckWritable();

    sys::SqliteStatement& statement = Prepared(Utf8Sql(update.Sql));
    sys::SqliteTransaction transaction(Db());
    for (size_t i = 0; i < update.Params.size(); ++i) {
        const SqlParam& param = update.Params[i];
        TFieldType type = param.Column < 0 ? ftLargeint : table.Columns[static_cast<size_t>(param.Column)].Type;
        Bind(statement, static_cast<int>(i) + 1, param.Value, type);
    }
    statement.Run();
    int64_t changed = Db().Changes();
    // Leaving without Commit rolls the transaction back.
    if (changed == 0)
        RaiseRowNotFound();
    if (changed > 1)
        RaiseRowNotUnique();
    transaction.Commit();
}

int64_t SqliteSession::Execute(const AnsiString& sql, const std::vector<Variant>& params)
{
    sys::SqliteStatement statement = Db().Prepare(Utf8Sql(sql));
    if (!statement.ReadOnly())
        store_.CheckWritable();
    for (size_t i = 0; i < params.size(); ++i)
        Bind(statement, static_cast<int>(i) + 1, params[i], ftUnknown);
    statement.Run();
    return Db().Changes();
}

}  // namespace data
