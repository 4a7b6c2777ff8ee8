// Effective cell settings over a grid of 1,000,000 cells (100 columns by
// 10,000 rows): in one grid 1% of the cells carry a colour and an alignment
// of their own, in the other none does. Each benchmark walks the cells in
// paint order (row by row, each row left to right) and reports the time per
// resolved setting; the "PaintPass" ones resolve the seven settings a cell
// paint asks for, the "Scattered" ones visit the cells in a random order so
// that the one-entry cache never helps.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "tests/grid/model/CellTestGrid.h"

namespace {

constexpr int kCols = 100;
constexpr int kRows = 10000;

// The grid with `percent` % of its cells set, made once per percentage.
TCellTestGrid& GridWith(int percent)
{
    static auto& grids = *new std::vector<std::unique_ptr<TCellTestGrid>>(101);
    auto& grid = grids[static_cast<size_t>(percent)];
    if (!grid) {
        grid = std::make_unique<TCellTestGrid>(nullptr, kCols, kRows);
        std::mt19937 random(1);
        int wanted = kCols * kRows / 100 * percent;
        while (grid->Cells().PropSet().Count() < wanted) {
            int col = 1 + static_cast<int>(random() % kCols);
            int row = 1 + static_cast<int>(random() % kRows);
            grid->Cells().SetCellColor(col, row, graphics::clYellow);
            grid->Cells().SetCellHorzAlignment(col, row, grid::htaRight);
        }
        grid->repaints.clear();
    }
    return *grid;
}

void EffectiveColor(benchmark::State& state)
{
    const grid::TtsCellSettings& cells = GridWith(static_cast<int>(state.range(0))).Cells();
    int col = 1;
    int row = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cells.EffectiveColor(col, row));
        if (++col > kCols) {
            col = 1;
            if (++row > kRows)
                row = 1;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["elements"] = cells.PropSet().Count();
}
BENCHMARK(EffectiveColor)->Arg(0)->Arg(1);

void PaintPass(benchmark::State& state)
{
    const grid::TtsCellSettings& cells = GridWith(static_cast<int>(state.range(0))).Cells();
    int col = 1;
    int row = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cells.EffectiveColor(col, row));
        benchmark::DoNotOptimize(&cells.EffectiveFont(col, row));
        benchmark::DoNotOptimize(cells.EffectiveHorzAlignment(col, row));
        benchmark::DoNotOptimize(cells.EffectiveVertAlignment(col, row));
        benchmark::DoNotOptimize(cells.EffectiveWordWrap(col, row));
        benchmark::DoNotOptimize(cells.EffectiveControlType(col, row));
        benchmark::DoNotOptimize(cells.EffectiveReadOnly(col, row));
        if (++col > kCols) {
            col = 1;
            if (++row > kRows)
                row = 1;
        }
    }
    // Items are single settings.
    state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(PaintPass)->Arg(0)->Arg(1);

void ScatteredColor(benchmark::State& state)
{
    const grid::TtsCellSettings& cells = GridWith(static_cast<int>(state.range(0))).Cells();
    std::mt19937 random(2);
    std::vector<std::pair<int, int>> order(1 << 16);
    for (auto& cell : order)
        cell = {1 + static_cast<int>(random() % kCols), 1 + static_cast<int>(random() % kRows)};
    size_t i = 0;
    for (auto _ : state) {
        auto [col, row] = order[i++ & (order.size() - 1)];
        benchmark::DoNotOptimize(cells.EffectiveColor(col, row));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ScatteredColor)->Arg(0)->Arg(1);

}  // namespace
