#include "platform/data/OdbcSession.h"

// The ODBC headers must come first: they define the Windows-like types the
// rest of the file uses.
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"
#include "platform/data/UpdateStatement.h"
#include "platform/system/Paths.h"

namespace data {

using core::AnsiString;
using core::EDatabaseError;
using core::Variant;
using core::WideString;

namespace {

// ---------------------------------------------------------------------------
// Handles and errors

SQLWCHAR* W(const WideString& text)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text.c_str()));
}

WideString FromW(const SQLWCHAR* text, size_t length)
{
    return WideString(reinterpret_cast<const char16_t*>(text), length);
}

// Every diagnostic record of a handle, joined by line breaks: the driver's
// and the server's own texts, as they give them.
AnsiString Diagnostics(SQLSMALLINT type, SQLHANDLE handle)
{
    AnsiString text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6];
        SQLINTEGER native = 0;
        SQLWCHAR message[2048];
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(type, handle, record, state, &native, message,
                                      static_cast<SQLSMALLINT>(std::size(message)), &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        size_t chars = std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(length, 0)), std::size(message) - 1);
        AnsiString line = core::Trim(core::WideToAnsi(FromW(message, chars)));
        if (!line.empty())
            text += (text.empty() ? "" : "\n") + line;
    }
    return text.empty() ? AnsiString("The ODBC driver reported an error without a message") : text;
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle)
{
    if (!SQL_SUCCEEDED(rc))
        throw EDatabaseError(Diagnostics(type, handle));
}

// The one environment of the process, made on first use.
SQLHENV Environment()
{
    struct Holder {
        SQLHENV env = SQL_NULL_HENV;
        Holder()
        {
            if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
                throw EDatabaseError("The ODBC driver manager cannot start");
            SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        }
        ~Holder() { SQLFreeHandle(SQL_HANDLE_ENV, env); }
    };
    static Holder holder;
    return holder.env;
}

}  // namespace

// A statement handle of the session's connection.
class OdbcStatement {
public:
    explicit OdbcStatement(SQLHDBC dbc)
    {
        data::Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt_), SQL_HANDLE_DBC, dbc);
    }
    ~OdbcStatement() { SQLFreeHandle(SQL_HANDLE_STMT, stmt_); }
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    SQLHSTMT Handle() const { return stmt_; }
    void Check(SQLRETURN rc) const { data::Check(rc, SQL_HANDLE_STMT, stmt_); }
    AnsiString Error() const { return Diagnostics(SQL_HANDLE_STMT, stmt_); }
    void CloseCursor() { SQLFreeStmt(stmt_, SQL_CLOSE); }

private:
    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
};

namespace {

// ---------------------------------------------------------------------------
// Values out: one column of the current row

// How a column is fetched and which field type it becomes.
struct Fetch {
    SQLSMALLINT CType;
    TFieldType Type;
};

Fetch FetchFor(const ColumnInfo& column)
{
    switch (column.NativeType) {
    case SQL_BIT: return {SQL_C_BIT, ftBoolean};
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER: return {SQL_C_SLONG, ftInteger};
    case SQL_BIGINT: return {SQL_C_SBIGINT, ftLargeint};
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return {SQL_C_DOUBLE, ftFloat};
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        // Up to four places fit a currency value exactly; wider decimals
        // are kept as doubles.
        return {SQL_C_CHAR, column.Scale <= 4 && column.Size <= 18 ? ftBCD : ftFloat};
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP: return {SQL_C_TYPE_TIMESTAMP, ftDateTime};
    case SQL_TYPE_TIME:
    case SQL_TIME: return {SQL_C_TYPE_TIME, ftDateTime};
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: return {SQL_C_BINARY, ftBlob};
    default: return {SQL_C_WCHAR, ftString};
    }
}

core::TDateTime FromTimestamp(const SQL_TIMESTAMP_STRUCT& ts)
{
    core::TDateTime date = 0, time = 0;
    if (!core::TryEncodeDate(ts.year, ts.month, ts.day, date))
        throw EDatabaseError("The date %d-%d-%d is outside the supported range", int{ts.year}, int{ts.month},
                             int{ts.day});
    core::TryEncodeTime(ts.hour, ts.minute, ts.second, static_cast<int>(ts.fraction / 1000000), time);
    return date >= 0 ? date + time : date - time;
}

SQL_TIMESTAMP_STRUCT ToTimestamp(core::TDateTime value)
{
    int year, month, day, hour, minute, second, msec;
    core::DecodeDate(value, year, month, day);
    core::DecodeTime(value, hour, minute, second, msec);
    SQL_TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(year);
    ts.month = static_cast<SQLUSMALLINT>(month);
    ts.day = static_cast<SQLUSMALLINT>(day);
    ts.hour = static_cast<SQLUSMALLINT>(hour);
    ts.minute = static_cast<SQLUSMALLINT>(minute);
    ts.second = static_cast<SQLUSMALLINT>(second);
    ts.fraction = static_cast<SQLUINTEGER>(msec) * 1000000u;
    return ts;
}

// An exact decimal text as a currency value; false when it has more than
// four places or does not fit.
bool ParseCurrency(const std::string& text, core::Currency& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    __int128 scaled = 0;
    int places = -1;
    bool digits = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && places < 0) {
            places = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return false;
        if (places >= 0 && ++places > 4) {
            if (c != '0')
                return false;
            continue;
        }
        scaled = scaled * 10 + (c - '0');
        digits = true;
        if (scaled > INT64_MAX)
            return false;
    }
    for (int p = std::max(places, 0); p < 4; ++p)
        scaled *= 10;
    if (!digits || scaled > INT64_MAX)
        return false;
    value.Scaled = static_cast<int64_t>(negative ? -scaled : scaled);
    return true;
}

std::string CurrencyText(core::Currency value)
{
    __int128 scaled = value.Scaled;
    bool negative = scaled < 0;
    if (negative)
        scaled = -scaled;
    std::string digits = std::to_string(static_cast<unsigned long long>(scaled));
    while (digits.size() < 5)
        digits.insert(digits.begin(), '0');
    digits.insert(digits.end() - 4, '.');
    return (negative ? "-" : "") + digits;
}

// Reads text or bytes in pieces until the driver has given all of it.
template <typename Char>
bool GetLong(const OdbcStatement& stmt, SQLUSMALLINT column, SQLSMALLINT cType, std::basic_string<Char>& out)
{
    constexpr size_t Piece = 1024;
    Char buffer[Piece];
    // Text comes with a terminator in every piece; bytes do not.
    size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(stmt.Handle(), column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        stmt.Check(rc);
        if (indicator == SQL_NULL_DATA)
            return false;
        bool truncated = indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) > sizeof buffer - terminator * sizeof(Char);
        size_t count = truncated ? Piece - terminator : static_cast<size_t>(indicator) / sizeof(Char);
        out.append(buffer, count);
        if (!truncated)
            return true;
    }
}

template <typename T>
bool GetFixed(const OdbcStatement& stmt, SQLUSMALLINT column, SQLSMALLINT cType, T& value)
{
    SQLLEN indicator = 0;
    stmt.Check(SQLGetData(stmt.Handle(), column, cType, &value, sizeof value, &indicator));
    return indicator != SQL_NULL_DATA;
}

// With `wide`, a text column's value is also given as the driver gave it.
Variant GetValue(const OdbcStatement& stmt, SQLUSMALLINT column, const ColumnInfo& info,
                 std::u16string* wide = nullptr)
{
    Fetch fetch = FetchFor(info);
    switch (fetch.CType) {
    case SQL_C_BIT: {
        unsigned char bit = 0;
        return GetFixed(stmt, column, fetch.CType, bit) ? Variant(int32_t{bit != 0}) : Variant::Null();
    }
    case SQL_C_SLONG: {
        SQLINTEGER value = 0;
        return GetFixed(stmt, column, fetch.CType, value) ? Variant(int32_t{value}) : Variant::Null();
    }
    case SQL_C_SBIGINT: {
        SQLBIGINT value = 0;
        return GetFixed(stmt, column, fetch.CType, value) ? Variant(int64_t{value}) : Variant::Null();
    }
    case SQL_C_DOUBLE: {
        SQLDOUBLE value = 0;
        return GetFixed(stmt, column, fetch.CType, value) ? Variant(double{value}) : Variant::Null();
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT ts{};
        return GetFixed(stmt, column, fetch.CType, ts) ? Variant::FromDate(FromTimestamp(ts)) : Variant::Null();
    }
    case SQL_C_TYPE_TIME: {
        SQL_TIME_STRUCT t{};
        if (!GetFixed(stmt, column, fetch.CType, t))
            return Variant::Null();
        core::TDateTime time = 0;
        core::TryEncodeTime(t.hour, t.minute, t.second, 0, time);
        return Variant::FromDate(time);
    }
    case SQL_C_CHAR: {
        std::string text;
        if (!GetLong(stmt, column, SQL_C_CHAR, text))
            return Variant::Null();
        core::Currency currency;
        if (fetch.Type == ftBCD && ParseCurrency(text, currency))
            return Variant(currency);
        return Variant(std::strtod(text.c_str(), nullptr));
    }
    case SQL_C_BINARY: {
        std::string bytes;
        return GetLong(stmt, column, SQL_C_BINARY, bytes) ? Variant(bytes) : Variant::Null();
    }
    default: {
        std::u16string text;
        if (!GetLong(stmt, column, SQL_C_WCHAR, text))
            return Variant::Null();
        Variant value(core::WideToAnsi(text));
        if (wide)
            *wide = std::move(text);
        return value;
    }
    }
}

// ---------------------------------------------------------------------------
// Values in: parameters

// One bound parameter with the storage the driver reads at execution.
struct Param {
    SQLSMALLINT CType = SQL_C_CHAR;
    SQLSMALLINT SqlType = SQL_VARCHAR;
    SQLULEN Size = 1;
    SQLSMALLINT Digits = 0;
    SQLLEN Indicator = 0;
    std::u16string Text;
    std::string Bytes;
    SQLINTEGER Int32 = 0;
    SQLBIGINT Int64 = 0;
    SQLDOUBLE Double = 0;
    unsigned char Bit = 0;
    SQL_TIMESTAMP_STRUCT Timestamp{};
    SQL_TIME_STRUCT Time{};

    SQLPOINTER Pointer()
    {
        switch (CType) {
        case SQL_C_WCHAR: return Text.data();
        case SQL_C_CHAR:
        case SQL_C_BINARY: return Bytes.data();
        case SQL_C_SLONG: return &Int32;
        case SQL_C_SBIGINT: return &Int64;
        case SQL_C_DOUBLE: return &Double;
        case SQL_C_BIT: return &Bit;
        case SQL_C_TYPE_TIMESTAMP: return &Timestamp;
        case SQL_C_TYPE_TIME: return &Time;
        default: return nullptr;
        }
    }
};

// A value for a column of a known type, in the C type that column is read with.
void SetTyped(Param& p, const Variant& value, const ColumnInfo& column)
{
    Fetch fetch = FetchFor(column);
    p.CType = fetch.CType;
    p.SqlType = static_cast<SQLSMALLINT>(column.NativeType);
    p.Size = static_cast<SQLULEN>(std::max(column.Size, 1));
    p.Digits = static_cast<SQLSMALLINT>(column.Scale);
    if (value.IsNull() || value.IsEmpty()) {
        p.Indicator = SQL_NULL_DATA;
        return;
    }
    switch (p.CType) {
    case SQL_C_BIT: p.Bit = value.AsBoolean() ? 1 : 0; break;
    case SQL_C_SLONG: p.Int32 = value.AsInteger(); break;
    case SQL_C_SBIGINT: p.Int64 = value.AsInt64(); break;
    case SQL_C_DOUBLE: p.Double = value.AsFloat(); break;
    case SQL_C_TYPE_TIMESTAMP: p.Timestamp = ToTimestamp(value.AsDate()); break;
    case SQL_C_TYPE_TIME: {
        SQL_TIMESTAMP_STRUCT ts = ToTimestamp(value.AsDate());
        p.Time = {ts.hour, ts.minute, ts.second};
        break;
    }
    case SQL_C_CHAR:
        p.Bytes = fetch.Type == ftBCD ? CurrencyText(value.AsCurrency()) : core::Format("%.17g", value.AsFloat());
        break;
    case SQL_C_BINARY: p.Bytes = value.AsString(); break;
    default:
        // A held text goes back exactly as the database gave it.
        p.Text = value.VarType() == core::varOleStr ? value.AsWideString() : core::AnsiToWide(value.AsString());
        break;
    }
}

// A value for a statement the caller wrote: the variant's own type decides.
void SetUntyped(Param& p, const Variant& value)
{
    ColumnInfo column;
    switch (value.VarType()) {
    case core::varEmpty:
    case core::varNull: column.NativeType = SQL_VARCHAR; break;
    case core::varBoolean: column.NativeType = SQL_BIT; break;
    case core::varSmallint:
    case core::varByte:
    case core::varInteger: column.NativeType = SQL_INTEGER; break;
    case core::varInt64: column.NativeType = SQL_BIGINT; break;
    case core::varSingle:
    case core::varDouble: column.NativeType = SQL_DOUBLE; break;
    case core::varCurrency:
        column.NativeType = SQL_DECIMAL;
        column.Size = 19;
        column.Scale = 4;
        break;
    case core::varDate:
        column.NativeType = SQL_TYPE_TIMESTAMP;
        column.Size = 23;
        column.Scale = 3;
        break;
    case core::varString:
    case core::varOleStr: column.NativeType = SQL_WVARCHAR; break;
    }
    SetTyped(p, value, column);
}

void BindAll(OdbcStatement& stmt, std::vector<Param>& params)
{
    SQLFreeStmt(stmt.Handle(), SQL_RESET_PARAMS);
    for (size_t i = 0; i < params.size(); ++i) {
        Param& p = params[i];
        SQLLEN bufferLength = 0;
        if (p.Indicator != SQL_NULL_DATA) {
            if (p.CType == SQL_C_WCHAR) {
                p.Indicator = static_cast<SQLLEN>(p.Text.size() * sizeof(char16_t));
                bufferLength = p.Indicator;
                p.Size = std::max<SQLULEN>(p.Text.size(), 1);
            } else if (p.CType == SQL_C_CHAR || p.CType == SQL_C_BINARY) {
                p.Indicator = static_cast<SQLLEN>(p.Bytes.size());
                bufferLength = p.Indicator;
                if (p.CType == SQL_C_BINARY)
                    p.Size = std::max<SQLULEN>(p.Bytes.size(), 1);
            } else {
                p.Indicator = 0;
            }
        }
        // Text and bytes of any length: the column size of a long type
        // would otherwise cap what the driver sends.
        stmt.Check(SQLBindParameter(stmt.Handle(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, p.CType,
                                    p.SqlType, p.Size, p.Digits, p.Pointer(), bufferLength, &p.Indicator));
    }
}

AnsiString ColumnName(const OdbcStatement& stmt, SQLUSMALLINT column)
{
    std::u16string name;
    return GetLong(stmt, column, SQL_C_WCHAR, name) ? core::WideToAnsi(name) : AnsiString();
}

}  // namespace

// ---------------------------------------------------------------------------
// The session

OdbcSession::OdbcSession(void* dbc) : dbc_(dbc) {}

OdbcSession::~OdbcSession()
{
    prepared_.clear();
    auto* dbc = static_cast<SQLHDBC>(dbc_);
    SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
}

namespace {

SQLHDBC NewConnection(int loginTimeout)
{
    SQLHDBC dbc = SQL_NULL_HDBC;
    Check(SQLAllocHandle(SQL_HANDLE_DBC, Environment(), &dbc), SQL_HANDLE_ENV, Environment());
    SQLSetConnectAttrW(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(std::max(loginTimeout, 0))), 0);
    return dbc;
}

[[noreturn]] void FailConnection(SQLHDBC dbc)
{
    AnsiString error = Diagnostics(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    throw EDatabaseError(error);
}

}  // namespace

std::unique_ptr<OdbcSession> OdbcSession::Connect(const AnsiString& attributes, int loginTimeout)
{
    SQLHDBC dbc = NewConnection(loginTimeout);
    WideString text = core::AnsiToWide(attributes);
    SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, W(text), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc))
        FailConnection(dbc);
    return Finish(dbc);
}

std::unique_ptr<OdbcSession> OdbcSession::ConnectDataSource(const AnsiString& dsn, const AnsiString& user,
                                                            const AnsiString& password, int loginTimeout)
{
    WideString wideDsn = core::AnsiToWide(dsn), wideUser = core::AnsiToWide(user),
               widePassword = core::AnsiToWide(password);
    for (const WideString* text : {&wideDsn, &wideUser, &widePassword})
        if (text->size() > 32767 || text->find(u'\0') != WideString::npos)
            throw EDatabaseError("A sign-in value cannot be passed to the ODBC driver whole");
    SQLHDBC dbc = NewConnection(loginTimeout);
    SQLRETURN rc = SQLConnectW(dbc, W(wideDsn), static_cast<SQLSMALLINT>(wideDsn.size()), W(wideUser),
                               static_cast<SQLSMALLINT>(wideUser.size()), W(widePassword),
                               static_cast<SQLSMALLINT>(widePassword.size()));
    if (!SQL_SUCCEEDED(rc))
        FailConnection(dbc);
    return Finish(dbc);
}

std::unique_ptr<OdbcSession> OdbcSession::Finish(void* handle)
{
    auto* dbc = static_cast<SQLHDBC>(handle);
    std::unique_ptr<OdbcSession> session(new OdbcSession(dbc));
    Check(SQLSetConnectAttrW(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
          SQL_HANDLE_DBC, dbc);
    session->ReadServerInfo();
    return session;
}

void OdbcSession::ReadServerInfo()
{
    auto* dbc = static_cast<SQLHDBC>(dbc_);
    SQLWCHAR text[256] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_IDENTIFIER_QUOTE_CHAR, text, sizeof text, &length)))
        quote_ = length > 0 && text[0] < 0x80 ? static_cast<char>(text[0]) : ' ';
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_DBMS_NAME, text, sizeof text, &length)))
        sqlServer_ = core::WideToAnsi(FromW(text, static_cast<size_t>(length) / sizeof(SQLWCHAR))) ==
                     "Microsoft SQL Server";
    // Drivers that drop prepared statements at commit get them prepared anew.
    SQLUSMALLINT behaviour = SQL_CB_PRESERVE;
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc, SQL_CURSOR_COMMIT_BEHAVIOR, &behaviour, sizeof behaviour, nullptr)))
        keepPrepared_ = behaviour == SQL_CB_PRESERVE || behaviour == SQL_CB_CLOSE;
}

bool OdbcSession::IsDataSource(const AnsiString& name)
{
    if (name.empty())
        return false;
    SQLHENV env = Environment();
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLWCHAR dsn[SQL_MAX_DSN_LENGTH + 1];
        SQLWCHAR description[512];
        SQLSMALLINT dsnLength = 0, descriptionLength = 0;
        SQLRETURN rc = SQLDataSourcesW(env, direction, dsn, static_cast<SQLSMALLINT>(std::size(dsn)), &dsnLength,
                                       description, static_cast<SQLSMALLINT>(std::size(description)),
                                       &descriptionLength);
        if (!SQL_SUCCEEDED(rc))
            return false;
        size_t chars = std::min<size_t>(static_cast<size_t>(dsnLength), std::size(dsn) - 1);
        if (core::SameText(core::WideToAnsi(FromW(dsn, chars)), name))
            return true;
        direction = SQL_FETCH_NEXT;
    }
}

AnsiString OdbcSession::FreeTdsDriver()
{
    SQLHENV env = Environment();
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLWCHAR driver[256];
        SQLWCHAR attributes[1024];
        SQLSMALLINT driverLength = 0, attributesLength = 0;
        SQLRETURN rc = SQLDriversW(env, direction, driver, static_cast<SQLSMALLINT>(std::size(driver)), &driverLength,
                                   attributes, static_cast<SQLSMALLINT>(std::size(attributes)), &attributesLength);
        if (!SQL_SUCCEEDED(rc))
            break;
        size_t chars = std::min<size_t>(static_cast<size_t>(driverLength), std::size(driver) - 1);
        if (core::SameText(core::WideToAnsi(FromW(driver, chars)), "FreeTDS"))
            return "{FreeTDS}";
        direction = SQL_FETCH_NEXT;
    }
    for (const char* path : {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", "/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so",
                             "/usr/lib/odbc/libtdsodbc.so", "/usr/local/lib/libtdsodbc.so"})
        if (sys::FileExists(path))
            return path;
    throw EDatabaseError("The FreeTDS ODBC driver is not installed (Debian package tdsodbc)");
}

void OdbcSession::EndTransaction(bool commit)
{
    auto* dbc = static_cast<SQLHDBC>(dbc_);
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc, commit ? SQL_COMMIT : SQL_ROLLBACK);
    if (commit)
        Check(rc, SQL_HANDLE_DBC, dbc);
}

std::vector<AnsiString> OdbcSession::PrimaryKey(const AnsiString& table)
{
    OdbcStatement stmt(static_cast<SQLHDBC>(dbc_));
    WideString name = core::AnsiToWide(table);
    std::vector<std::pair<int, AnsiString>> keys;
    if (!SQL_SUCCEEDED(SQLPrimaryKeysW(stmt.Handle(), nullptr, 0, nullptr, 0, W(name), SQL_NTS)))
        return {};  // a driver without primary keys: rows are found by their values
    while (SQL_SUCCEEDED(SQLFetch(stmt.Handle()))) {
        SQLSMALLINT sequence = 0;
        GetFixed(stmt, 5, SQL_C_SSHORT, sequence);
        keys.emplace_back(sequence, ColumnName(stmt, 4));
    }
    std::sort(keys.begin(), keys.end());
    std::vector<AnsiString> names;
    for (auto& key : keys)
        names.push_back(key.second);
    return names;
}

AnsiString OdbcSession::FindTableSpelling(const AnsiString& name)
{
    // Unquoted names are folded by some servers (PostgreSQL to lower case,
    // others to upper case); look the name up in both spellings.
    for (const AnsiString& candidate : {core::LowerCase(name), core::UpperCase(name)}) {
        if (candidate == name)
            continue;
        OdbcStatement stmt(static_cast<SQLHDBC>(dbc_));
        WideString wide = core::AnsiToWide(candidate);
        if (!SQL_SUCCEEDED(SQLTablesW(stmt.Handle(), nullptr, 0, nullptr, 0, W(wide), SQL_NTS, nullptr, 0)))
            continue;
        if (SQL_SUCCEEDED(SQLFetch(stmt.Handle()))) {
            AnsiString found = ColumnName(stmt, 3);
            if (core::SameText(found, name))
                return found;
        }
    }
    return {};
}

bool OdbcSession::TryReadTable(const AnsiString& name, TableRows& table, AnsiString& error)
{
    std::vector<AnsiString> key = PrimaryKey(name);
    AnsiString sql = "SELECT * FROM " + QuoteIdentifier(name, quote_);
    for (size_t i = 0; i < key.size(); ++i)
        sql += (i ? ", " : " ORDER BY ") + QuoteIdentifier(key[i], quote_);

    OdbcStatement stmt(static_cast<SQLHDBC>(dbc_));
    WideString wide = core::AnsiToWide(sql);
    if (!SQL_SUCCEEDED(SQLExecDirectW(stmt.Handle(), W(wide), SQL_NTS))) {
        error = stmt.Error();
        EndTransaction(false);
        return false;
    }
    SQLSMALLINT count = 0;
    stmt.Check(SQLNumResultCols(stmt.Handle(), &count));
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLWCHAR columnName[512];
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        stmt.Check(SQLDescribeColW(stmt.Handle(), i, columnName, static_cast<SQLSMALLINT>(std::size(columnName)),
                                   &nameLength, &type, &size, &digits, &nullable));
        ColumnInfo column;
        column.Name = core::WideToAnsi(
            FromW(columnName, std::min<size_t>(static_cast<size_t>(nameLength), std::size(columnName) - 1)));
        column.NativeType = type;
        column.Size = static_cast<int>(std::min<SQLULEN>(size, 1u << 30));
        column.Scale = digits;
        column.Type = FetchFor(column).Type;
        // SQL Server cannot compare its old long types (text, ntext, image).
        column.Comparable = !(type == SQL_LONGVARBINARY ||
                              (sqlServer_ && (type == SQL_LONGVARCHAR || type == SQL_WLONGVARCHAR)));
        table.Columns.push_back(column);
    }
    for (const AnsiString& keyName : key)
        for (size_t i = 0; i < table.Columns.size(); ++i)
            if (core::SameText(table.Columns[i].Name, keyName))
                table.KeyColumns.push_back(static_cast<int>(i));
    table.Key = !key.empty() && table.KeyColumns.size() == key.size() ? RowKey::PrimaryKey : RowKey::AllValues;
    if (table.Key == RowKey::AllValues)
        table.KeyColumns.clear();

    SQLRETURN rc;
    while (SQL_SUCCEEDED(rc = SQLFetch(stmt.Handle()))) {
        std::vector<Variant> values;
        values.reserve(table.Columns.size());
        for (size_t i = 0; i < table.Columns.size(); ++i) {
            std::u16string wide;
            values.push_back(GetValue(stmt, static_cast<SQLUSMALLINT>(i + 1), table.Columns[i], &wide));
            if (values.back().VarType() == core::varString && FetchFor(table.Columns[i]).CType == SQL_C_WCHAR)
                table.KeepIfLossy(table.Rows.size(), static_cast<int>(i), wide, values.back().AsString());
        }
        table.Rows.push_back(std::move(values));
    }
    if (rc != SQL_NO_DATA)
        stmt.Check(rc);
    stmt.CloseCursor();
    EndTransaction(true);
    table.Table = name;
    return true;
}

TableRows OdbcSession::ReadTable(const AnsiString& name)
{
    TableRows table;
    AnsiString error;
    try {
        if (TryReadTable(name, table, error))
            return table;
        AnsiString spelling = FindTableSpelling(name);
        if (!spelling.empty()) {
            table = TableRows();
            AnsiString second;
            if (TryReadTable(spelling, table, second))
                return table;
        }
        // The catalogue queries began a transaction of their own.
        EndTransaction(false);
    } catch (...) {
        EndTransaction(false);
        throw;
    }
    throw EDatabaseError(error);
}

OdbcStatement& OdbcSession::Prepared(const WideString& sql)
{
    auto found = prepared_.find(sql);
    if (found != prepared_.end())
        return *found->second;
    auto stmt = std::make_unique<OdbcStatement>(static_cast<SQLHDBC>(dbc_));
    stmt->Check(SQLPrepareW(stmt->Handle(), W(sql), SQL_NTS));
    if (!keepPrepared_)
        prepared_.clear();
    return *prepared_.emplace(sql, std::move(stmt)).first->second;
}

void OdbcSession::UpdateRow(const TableRows& table, const RowChange& change)
{
    SqlDialect dialect;
    dialect.IdentifierQuote = quote_;
    UpdateStatement update = UpdateStatement::Build(table, change, dialect);
    std::vector<Param> params(update.Params.size());
    for (size_t i = 0; i < params.size(); ++i)
        SetTyped(params[i], update.Params[i].Value, table.Columns[static_cast<size_t>(update.Params[i].Column)]);

    WideString sql = core::AnsiToWide(update.Sql);
    SQLLEN changed = 0;
    try {
        OdbcStatement& stmt = Prepared(sql);
        BindAll(stmt, params);
        SQLRETURN rc = SQLExecute(stmt.Handle());
        // An UPDATE that matches no row answers "no data" in ODBC 3.
        if (rc != SQL_NO_DATA) {
            stmt.Check(rc);
            stmt.Check(SQLRowCount(stmt.Handle(), &changed));
        }
        stmt.CloseCursor();
        SQLFreeStmt(stmt.Handle(), SQL_RESET_PARAMS);
        if (changed == 0)
            RaiseRowNotFound();
        if (changed > 1)
            RaiseRowNotUnique();
        EndTransaction(true);
    } catch (...) {
        if (!keepPrepared_)
            prepared_.clear();
        EndTransaction(false);
        throw;
    }
    if (!keepPrepared_)
        prepared_.clear();
}

int64_t OdbcSession::Execute(const AnsiString& sql, const std::vector<Variant>& values)
{
    std::vector<Param> params(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        SetUntyped(params[i], values[i]);
    OdbcStatement stmt(static_cast<SQLHDBC>(dbc_));
    WideString wide = core::AnsiToWide(sql);
    SQLLEN changed = 0;
    try {
        BindAll(stmt, params);
        SQLRETURN rc = SQLExecDirectW(stmt.Handle(), W(wide), SQL_NTS);
        if (rc != SQL_NO_DATA) {
            stmt.Check(rc);
            stmt.Check(SQLRowCount(stmt.Handle(), &changed));
        }
        stmt.CloseCursor();
        EndTransaction(true);
    } catch (...) {
        EndTransaction(false);
        throw;
    }
    return changed < 0 ? 0 : changed;
}

}  // namespace data
