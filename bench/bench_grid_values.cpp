// The grid's data interface with the account list's rows: Rows set to a
// million, two short texts and a check state written through Cell, every
// cell read back through Cell, and all rows selected, counted and cleared.
//
// The figures are all in: counts, typing, the control-type lookup, the store
// and the load step. The memory benchmark fills a grid in a fresh process
// and reports the process's resident size per row; run it on its own
// (--benchmark_filter=Memory) for a clean figure.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/AccountRows.h"
#include "grid/view/Grid.h"

namespace {

using bench::Number;
using bench::ResidentBytes;

using core::Variant;
using grid::TtsGrid;

constexpr int kRows = 1000000;

struct RowValues {
    Variant name;
    Variant database;
    Variant flag;
};

// The values are made before the clock starts, so that only the grid counts.
const std::vector<RowValues>& Values()
{
    static const std::vector<RowValues> values = [] {
        std::vector<RowValues> made;
        made.reserve(kRows + 1);
        for (int row = 0; row <= kRows; ++row)
            made.push_back({Variant(Number("Account ", row, 7)), Variant(Number("db_", row, 1)), Variant(row % 2)});
        return made;
    }();
    return values;
}

// The account list's grid: three columns, the third a check box, values
// kept by the grid.
std::unique_ptr<TtsGrid> NewGrid()
{
    auto grid = std::make_unique<TtsGrid>(nullptr);
    grid->SetStoreData(true);
    grid->SetCols(3);
    grid->GridCols().Col(3)->SetControlType(grid::ctCheck);
    return grid;
}

void Fill(TtsGrid& grid, const std::vector<RowValues>& values)
{
    grid.SetRows(kRows);
    for (int row = 1; row <= kRows; ++row) {
        const RowValues& v = values[static_cast<size_t>(row)];
        grid.SetCell(1, row, v.name);
        grid.SetCell(2, row, v.database);
        grid.SetCell(3, row, v.flag);
    }
}

void PerRow(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["per_row"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GridMemoryPerRow(benchmark::State& state)
{
    const std::vector<RowValues>& values = Values();
    for (auto _ : state) {
        malloc_trim(0);
        double before = ResidentBytes();
        auto grid = NewGrid();
        Fill(*grid, values);
        double after = ResidentBytes();
        state.counters["process_bytes_per_row"] = after / kRows;
        state.counters["added_bytes_per_row"] = (after - before) / kRows;
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridMemoryPerRow)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_GridFill(benchmark::State& state)
{
    const std::vector<RowValues>& values = Values();
    for (auto _ : state) {
        auto grid = NewGrid();
        Fill(*grid, values);
        benchmark::DoNotOptimize(grid.get());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    PerRow(state);
}
BENCHMARK(BM_GridFill)->Unit(benchmark::kMillisecond);

// The same values straight into a cell store, for comparison: what the grid
// adds on top of its store.
void BM_StoreAloneFill(benchmark::State& state)
{
    const std::vector<RowValues>& values = Values();
    for (auto _ : state) {
        auto store = std::make_unique<grid::Tts2DStorage>(3, kRows);
        for (int row = 1; row <= kRows; ++row) {
            const RowValues& v = values[static_cast<size_t>(row)];
            store->SetValue(1, row, grid::skText, v.name);
            store->SetValue(2, row, grid::skText, v.database);
            store->SetValue(3, row, grid::skCheckState, v.flag);
        }
        benchmark::DoNotOptimize(store.get());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    PerRow(state);
}
BENCHMARK(BM_StoreAloneFill)->Unit(benchmark::kMillisecond);

TtsGrid& Filled()
{
    static const std::unique_ptr<TtsGrid> grid = [] {
        auto made = NewGrid();
        Fill(*made, Values());
        return made;
    }();
    return *grid;
}

void BM_GridReadBack(benchmark::State& state)
{
    TtsGrid& grid = Filled();
    for (auto _ : state) {
        for (int row = 1; row <= kRows; ++row) {
            Variant name = grid.Cell(1, row);
            Variant database = grid.Cell(2, row);
            Variant flag = grid.Cell(3, row);
            benchmark::DoNotOptimize(name);
            benchmark::DoNotOptimize(database);
            benchmark::DoNotOptimize(flag);
        }
    }
    PerRow(state);
}
BENCHMARK(BM_GridReadBack)->Unit(benchmark::kMillisecond);

// Select every row, count them, find the next selected from a few places,
// clear: a word at a time, nothing per row.
void BM_GridSelectAllCountClear(benchmark::State& state)
{
    TtsGrid& grid = Filled();
    int64_t found = 0;
    for (auto _ : state) {
        grid.SelectAllRows();
        const grid::TtsSelection& rows = grid.GridSelection().SelectedRows();
        found += rows.CountSelected(1, kRows);
        found += rows.NextSelected(kRows / 2);
        grid.ClearSelection();
        found += rows.SelectedCount();
    }
    benchmark::DoNotOptimize(found);
    PerRow(state);
}
BENCHMARK(BM_GridSelectAllCountClear)->Unit(benchmark::kMicrosecond);

// Counting and searching a sparse selection: every 1000th row selected.
void BM_GridSparseSelectionWalk(benchmark::State& state)
{
    TtsGrid& grid = Filled();
    grid.ClearSelection();
    for (int row = 1000; row <= kRows; row += 1000)
        grid.SelectRows(row, row);
    const grid::TtsSelection& rows = grid.GridSelection().SelectedRows();
    for (auto _ : state) {
        int64_t visited = 0;
        for (int row = rows.First(); row >= 0; row = rows.NextSelected(row))
            ++visited;
        visited += rows.CountSelected(1, kRows / 3);
        benchmark::DoNotOptimize(visited);
    }
    grid.ClearSelection();
    PerRow(state);
}
BENCHMARK(BM_GridSparseSelectionWalk)->Unit(benchmark::kMicrosecond);

}  // namespace
