// The grid model's display order at 1,000 and 1,000,000 rows in the same
// run: mapping data rows to display rows and back, hiding and showing one
// row, and moving one row a short and a long way. A million rows without
// settings hold no row objects; these operations touch the display-order
// arrays and the visible list only as far as the moved or hidden row needs.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "tests/grid/model/ModelTestHost.h"

namespace {

// One grid per row count (and order state), made once and kept: 5 columns.
// "Reordered" grids have had rows moved and one hidden, so that the
// display-order arrays and the visible list exist.
TModelTestHost& GridWithRows(int rows, bool reordered)
{
    static auto& grids = *new std::map<std::pair<int, bool>, std::unique_ptr<TModelTestHost>>;
    auto key = std::make_pair(rows, reordered);
    auto found = grids.find(key);
    if (found != grids.end())
        return *found->second;
    auto grid = std::make_unique<TModelTestHost>();
    grid->SetSize(5, rows);
    if (reordered) {
        grid->Rows().MoveRow(1, rows);
        grid->Rows().MoveRow(rows / 3, 2);
        grid->Rows().Update(rows / 4, [](grid::TtsRow& r) { r.SetVisible(false); });
    }
    return *(grids[key] = std::move(grid));
}

void BM_RowDataToDisplayAndBack(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    const grid::TtsGridRows& list = GridWithRows(rows, state.range(1) != 0).Rows();
    uint32_t step = 0;
    for (auto _ : state) {
        int dataRow = 1 + static_cast<int>((step++ * 2654435761u) % static_cast<uint32_t>(rows));
        int display = list.DisplayRownr(dataRow);
        benchmark::DoNotOptimize(list.DataRownr(display));
    }
    state.SetLabel(state.range(1) ? "reordered" : "identity");
}

void BM_RowHideAndShow(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    TModelTestHost& grid = GridWithRows(rows, true);
    int dataRow = rows / 2 + 1;
    for (auto _ : state) {
        grid.Rows().Update(dataRow, [](grid::TtsRow& r) { r.SetVisible(false); });
        grid.Rows().Update(dataRow, [](grid::TtsRow& r) { r.SetVisible(true); });
    }
    if (grid.Rows().ObjectCount() != 2)
        state.SkipWithError("a row object was left behind");
}

void BM_RowMove(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    TModelTestHost& grid = GridWithRows(rows, true);
    // A short move (ten rows down) or a long one (half the grid).
    int distance = state.range(1) ? rows / 2 : 10;
    int dataRow = grid.Rows().DataRownr(rows / 4 + 1);
    int from = grid.Rows().DisplayRownr(dataRow);
    for (auto _ : state) {
        grid.Rows().MoveRow(dataRow, from + distance);
        grid.Rows().MoveRow(dataRow, from);
    }
    state.SetLabel(state.range(1) ? "half the grid, there and back" : "ten rows, there and back");
}

void BM_ColDataToDisplayAndBack(benchmark::State& state)
{
    TModelTestHost& grid = GridWithRows(1000, true);
    static bool moved = false;
    if (!moved) {
        grid.Cols().MoveCol(1, 4);
        moved = true;
    }
    int step = 0;
    for (auto _ : state) {
        int dataCol = 1 + step++ % 5;
        benchmark::DoNotOptimize(grid.Cols().DataColnr(grid.Cols().DisplayColnr(dataCol)));
    }
}

}  // namespace

BENCHMARK(BM_RowDataToDisplayAndBack)->ArgsProduct({{1000, 1000000}, {0, 1}});
BENCHMARK(BM_RowHideAndShow)->Arg(1000)->Arg(1000000);
BENCHMARK(BM_RowMove)->ArgsProduct({{1000, 1000000}, {0, 1}});
BENCHMARK(BM_ColDataToDisplayAndBack);
