#pragma once

#include <vector>

#include "platform/core/Variant.h"
#include "platform/data/Provider.h"

namespace data {

// How a provider's SQL spells what the update statement needs.
struct SqlDialect {
    char IdentifierQuote = '"';  // ' ' when the database quotes none
    core::AnsiString RowIdName;  // the row number column, where there is one
    // SQLite keeps Booleans as integers of any value; such a column is
    // compared as "(column <> 0)" against the 0 or 1 that was read.
    bool BooleanAsNonZero = false;
};

struct SqlParam {
    core::Variant Value;
    int Column = -1;  // whose type the value has; -1 for the row number
};

// An UPDATE of one row: the changed columns are set; the row is found by
// its key, and every changed column must still hold the value it was read
// with, so that a change made meanwhile by someone else is not overwritten.
struct UpdateStatement {
    core::AnsiString Sql;
    std::vector<SqlParam> Params;

    static UpdateStatement Build(const TableRows& table, const RowChange& change, const SqlDialect& dialect);
};

core::AnsiString QuoteIdentifier(const core::AnsiString& name, char quote);

}  // namespace data
