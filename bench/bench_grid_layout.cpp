// The grid's layout base at 1,000, 1,000,000 and 10,000,000 rows in the same
// run: layout metrics, a hit test and a one-row scroll (pixels moved and the
// uncovered strip painted) must cost the same at every row count.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "grid/foundation/CustomGrid_ts.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace {

class TBenchGrid : public grid::TCustomGrid_ts {
public:
    using grid::TCustomGrid_ts::TCustomGrid_ts;

protected:
    void DrawCell(int col, int row, const graphics::TRect& rect, grid::TGridDrawState_ts) override
    {
        Canvas()->Brush()->SetColor(static_cast<graphics::TColor>((row * 37 + col * 11) & 0xFFFFFF));
        Canvas()->FillRect(rect);
    }
};

// One shown form per row count, made once: 10 columns, a 600 by 400 grid
// whose top row is in the middle of the grid. The forms live until the
// process ends: the window manager's own statics may be gone before any of
// ours would be destroyed.
TBenchGrid& GridWithRows(int rows)
{
    static auto& forms = *new std::map<int, std::unique_ptr<ui::TForm>>;
    static auto& grids = *new std::map<int, TBenchGrid*>;
    if (forms.empty()) {
        backend::THeadlessBackend::Install();
        ui::Application().Initialize();
    }
    auto found = grids.find(rows);
    if (found != grids.end())
        return *found->second;
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBounds(0, 0, 640, 440);
    auto* grid = new TBenchGrid(form.get());
    grid->SetBounds(0, 0, 600, 400);
    grid->SetBorderStyle(ui::bsNone);
    grid->SetColCount(10);
    grid->SetRowCount(rows);
    grid->SetParent(form.get());
    form->Show();
    ui::Application().ProcessMessages();
    grid->SetTopRow(rows / 2);
    ui::Application().ProcessMessages();
    grids[rows] = grid;
    forms[rows] = std::move(form);
    return *grid;
}

void BM_LayoutMetrics(benchmark::State& state)
{
    TBenchGrid& grid = GridWithRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        grid::TGridMetrics m = grid.CalcMetrics();
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_LayoutMetrics)->Arg(1000)->Arg(1000000)->Arg(10000000);

void BM_HitTest(benchmark::State& state)
{
    TBenchGrid& grid = GridWithRows(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        grid::TGridCoord cell = grid.CellAt((i * 37) % 600, (i * 53) % 400);
        benchmark::DoNotOptimize(cell);
        ++i;
    }
}
BENCHMARK(BM_HitTest)->Arg(1000)->Arg(1000000)->Arg(10000000);

// One row down and back up again, each move painting its new strip.
void BM_ScrollOneRow(benchmark::State& state)
{
    TBenchGrid& grid = GridWithRows(static_cast<int>(state.range(0)));
    int top = grid.TopRow();
    int step = 0;
    for (auto _ : state) {
        grid.SetTopRow(top + (step++ & 1 ? 0 : 1));
        grid.Handle()->Update();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScrollOneRow)->Arg(1000)->Arg(1000000)->Arg(10000000);

}  // namespace
