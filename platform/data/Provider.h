#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/core/Variant.h"
#include "platform/data/Field.h"

// What the connection and the table ask of a database, whichever kind it
// is. Two providers answer: the embedded SQLite store and ODBC. Values cross
// this interface as variants of the active code page; each provider converts
// at its own edge and always binds values as parameters.
namespace data {

class TConnectionString;

struct ColumnInfo {
    core::AnsiString Name;
    TFieldType Type = ftUnknown;
    int NativeType = 0;  // the provider's own type code (ODBC's SQL type)
    int Size = 0;  // characters or digits, where the provider says
    int Scale = 0;  // decimal places
    // Whether the column may stand in an equality test that finds a row.
    bool Comparable = true;
};

// How a row is found again when it is written back.
enum class RowKey { RowId, PrimaryKey, AllValues };

// A whole table as read when it opens, in one fixed order.
struct TableRows {
    core::AnsiString Table;  // the name as the database spells it
    std::vector<ColumnInfo> Columns;
    RowKey Key = RowKey::AllValues;
    std::vector<int> KeyColumns;  // with RowKey::PrimaryKey
    std::vector<int64_t> RowIds;  // with RowKey::RowId, one per row
    std::vector<std::vector<core::Variant>> Rows;
    // Texts that the code page cannot hold, as the database holds them, by
    // row index and column. Rows shows them with "?" in place of what does
    // not convert; a row is found again by these, not by that lossy form.
    std::map<std::pair<size_t, int>, core::WideString> HeldTexts;

    // Keeps `held` for the row and column when `converted` does not give it
    // back whole.
    void KeepIfLossy(size_t row, int column, const core::WideString& held, const core::AnsiString& converted);
};

// One edited row to write back: its values as read and as they are now, and
// which columns differ.
struct RowChange {
    size_t Row = 0;  // its index in TableRows::Rows
    int64_t RowId = 0;
    const std::vector<core::Variant>* Original = nullptr;
    const std::vector<core::Variant>* Current = nullptr;
    std::vector<int> Changed;
};

// An open connection to one database.
class Session {
public:
    virtual ~Session() = default;
    // Reads every row of a table. A missing table raises the database's error.
    virtual TableRows ReadTable(const core::AnsiString& name) = 0;
    // Writes the changed columns of one row in a transaction of its own.
    // When no row or more than one row matches, nothing is changed and
    // EDatabaseError says why.
    virtual void UpdateRow(const TableRows& table, const RowChange& change) = 0;
    // Runs a statement with "?" parameters; answers the rows it changed.
    virtual int64_t Execute(const core::AnsiString& sql, const std::vector<core::Variant>& params) = 0;
};

// Opens the session a connection string names (see TADOConnection).
std::unique_ptr<Session> OpenSession(const TConnectionString& settings);
// The SQLDriverConnect attributes with which OpenSession reaches a Microsoft
// SQL Server host through FreeTDS. Raises EDatabaseError for a value that
// cannot be passed whole and unchanged.
core::AnsiString SqlServerAttributes(const TConnectionString& settings);

// The errors of UpdateRow, shared by the providers.
[[noreturn]] void RaiseRowNotFound();
[[noreturn]] void RaiseRowNotUnique();

}  // namespace data
