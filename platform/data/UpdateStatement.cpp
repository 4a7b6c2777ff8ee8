#include "platform/data/UpdateStatement.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace data {

using core::AnsiString;
using core::Variant;

AnsiString QuoteIdentifier(const AnsiString& name, char quote)
{
    if (quote == ' ' || quote == '\0')
        return name;
    AnsiString text(1, quote);
    text += core::StringReplace(name, AnsiString(1, quote), AnsiString(2, quote));
    return text + quote;
}

namespace {

class Builder {
public:
    Builder(const TableRows& table, const RowChange& change, const SqlDialect& dialect)
        : table_(table), change_(change), dialect_(dialect)
    {
    }

    UpdateStatement Run()
    {
        statement_.Sql = "UPDATE " + Quote(table_.Table) + " SET ";
        for (size_t i = 0; i < change_.Changed.size(); ++i) {
            int column = change_.Changed[i];
            statement_.Sql += (i ? ", " : "") + Quote(table_.Columns[static_cast<size_t>(column)].Name) + " = ?";
            AddParam((*change_.Current)[static_cast<size_t>(column)], column);
        }
        AddKeyTests();
        for (int column : change_.Changed)
            AddTest(column);
        statement_.Sql += " WHERE " + where_;
        return std::move(statement_);
    }

private:
    void AddParam(const Variant& value, int column)
    {
        SqlParam& param = statement_.Params.emplace_back();
        param.Value = value;
        param.Column = column;
    }

    AnsiString Quote(const AnsiString& name) const { return QuoteIdentifier(name, dialect_.IdentifierQuote); }

    void AddKeyTests()
    {
        switch (table_.Key) {
        case RowKey::RowId:
            // A row number alone is not enough: SQLite gives the number of
            // a removed row to the next row added. The primary key (else
            // every value) must still be what was read, so that an edit
            // never lands on another record that took the number.
            where_ = Quote(dialect_.RowIdName) + " = ?";
            AddParam(Variant(static_cast<int64_t>(change_.RowId)), -1);
            if (!table_.KeyColumns.empty()) {
                for (int column : table_.KeyColumns)
                    AddTest(column);
            } else {
                for (size_t column = 0; column < table_.Columns.size(); ++column)
                    AddTest(static_cast<int>(column));
            }
            break;
        case RowKey::PrimaryKey:
            for (int column : table_.KeyColumns)
                AddTest(column);
            break;
        case RowKey::AllValues:
            for (size_t column = 0; column < table_.Columns.size(); ++column)
                AddTest(static_cast<int>(column));
            break;
        }
        if (where_.empty())
            throw core::EDatabaseError("Insufficient key column information for updating or refreshing.");
    }

    // Requires the column to hold the value it was read with. Each column is
    // tested once; columns that cannot be compared are left out.
    void AddTest(int column)
    {
        const ColumnInfo& info = table_.Columns[static_cast<size_t>(column)];
        if (!info.Comparable || std::find(tested_.begin(), tested_.end(), column) != tested_.end())
            return;
        tested_.push_back(column);
        const Variant& read = (*change_.Original)[static_cast<size_t>(column)];
        // Texts the code page could not hold are compared as the database
        // holds them.
        auto held = table_.HeldTexts.find({change_.Row, column});
        const Variant original = held != table_.HeldTexts.end() ? Variant(held->second) : read;
        if (!where_.empty())
            where_ += " AND ";
        if (original.IsNull() || original.IsEmpty()) {
            where_ += Quote(info.Name) + " IS NULL";
            return;
        }
        bool nonZero = dialect_.BooleanAsNonZero && info.Type == ftBoolean && original.VarType() == core::varInteger;
        where_ += nonZero ? "(" + Quote(info.Name) + " <> 0) = ?" : Quote(info.Name) + " = ?";
        AddParam(original, column);
    }

    const TableRows& table_;
    const RowChange& change_;
    const SqlDialect& dialect_;
    UpdateStatement statement_;
    AnsiString where_;
    std::vector<int> tested_;
};

}  // namespace

UpdateStatement UpdateStatement::Build(const TableRows& table, const RowChange& change, const SqlDialect& dialect)
{
    return Builder(table, change, dialect).Run();
}

}  // namespace data
