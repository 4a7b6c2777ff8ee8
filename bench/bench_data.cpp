// The account list's work on a large table: open a 100,000-row TsAccount and
// walk it, post every row unchanged, post every row changed. On the embedded
// store always; on PostgreSQL through psqlODBC when run inside the test
// cluster script:
//   tests/platform/data/postgresql/pg-cluster.sh run build/bench/bench_data
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/CodePage.h"
#include "platform/data/ADOConnection.h"
#include "platform/data/ADOTable.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/EmbeddedStore.h"

namespace {

using core::AnsiString;
using data::TADOConnection;
using data::TADOTable;

constexpr int Rows = 100000;

// A signed-in connection to a filled table, made once per database: the
// sign-in (an Argon2id check on the store) is not what is measured.
class Database {
public:
    virtual ~Database() = default;
    TADOConnection& Connection() { return *connection_; }

protected:
    void Connect(const AnsiString& text)
    {
        connection_ = std::make_unique<TADOConnection>(nullptr);
        connection_->SetConnectionString(core::AnsiToWide(text));
        connection_->Open();
    }
    std::unique_ptr<TADOConnection> connection_;
};

class EmbeddedStore : public Database {
public:
    EmbeddedStore()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ats-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        setenv("XDG_DATA_HOME", folder_.c_str(), 1);
        data::TEmbeddedStore::Create(data::TEmbeddedStore::PathFor("master"), "bench");
        Connect("Data Source=.;Initial Catalog=master;User ID=sa;Password=bench");
        connection_->Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(Rows) +
            ") INSERT INTO TsAccount SELECT '账套' || printf('%06d', i), 'db_' || i, i % 2 FROM n");
    }
    ~EmbeddedStore() override
    {
        connection_.reset();
        std::filesystem::remove_all(folder_);
    }

private:
    std::string folder_;
};

class PostgreSql : public Database {
public:
    PostgreSql()
    {
        Connect("Data Source=" + AnsiString(std::getenv("ATS_PG_DSN")) + ";User ID=sa;Password=" +
                data::TConnectionString::QuoteValue(std::getenv("ATS_PG_PASSWORD")));
        connection_->Execute("DELETE FROM \"TsAccount\"");
        connection_->Execute("INSERT INTO \"TsAccount\" SELECT '账套' || lpad(i::text, 6, '0'), 'db_' || i, i % 2 = 1 "
                             "FROM generate_series(1, " + std::to_string(Rows) + ") AS i");
    }
};

template <typename D>
Database& Instance()
{
    static D database;
    return database;
}

using Getter = Database& (*)();

std::unique_ptr<TADOTable> OpenTable(Database& db)
{
    auto table = std::make_unique<TADOTable>(nullptr);
    table->SetConnection(&db.Connection());
    table->SetTableName("TsAccount");
    table->SetCursorType(data::ctStatic);
    table->Open();
    return table;
}

void OpenAndWalk(benchmark::State& state, Getter get)
{
    Database& db = get();
    for (auto _ : state) {
        auto table = OpenTable(db);
        int64_t hidden = 0;
        for (table->First(); !table->Eof(); table->Next()) {
            benchmark::DoNotOptimize(table->FieldByName("AccountName")->AsVariant());
            hidden += table->FieldByName("Tag")->AsVariant().AsInteger();
        }
        benchmark::DoNotOptimize(hidden);
        if (table->RecordCount() != Rows)
            state.SkipWithError("the table does not hold every row");
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(Rows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

void PostEveryRow(benchmark::State& state, Getter get, bool change)
{
    Database& db = get();
    auto table = OpenTable(db);
    for (auto _ : state) {
        for (table->First(); !table->Eof(); table->Next()) {
            table->Edit();
            if (change) {
                data::TField* tag = table->FieldByName("Tag");
                tag->SetAsVariant(core::Variant(1 - tag->AsInteger()));
            }
            table->Post();
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(Rows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

void Register(const std::string& name, Getter get)
{
    benchmark::RegisterBenchmark(("OpenAndWalk/" + name).c_str(), OpenAndWalk, get)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("PostUnchanged/" + name).c_str(), PostEveryRow, get, false)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("PostChanged/" + name).c_str(), PostEveryRow, get, true)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

const bool registered = [] {
    Register("EmbeddedStore", &Instance<EmbeddedStore>);
    if (std::getenv("ATS_PG_DSN"))
        Register("PostgreSql", &Instance<PostgreSql>);
    return true;
}();

}  // namespace
